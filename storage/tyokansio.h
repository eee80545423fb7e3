#pragma once
// A private temporary folder for the run's work files (repair copies, fetched pages), removed at exit.
#include <filesystem>
#include <string_view>

const std::filesystem::path& ajon_tyokansio();

// A new folder "<etuliite>-<process>-XXXXXX" under the temporary folder; empty when it cannot be made.
std::filesystem::path luo_tyokansio(std::string_view etuliite);

// Removes the work folders of that prefix whose run is gone (a crash or kill skipped their removal):
// only folders of this user whose process no longer runs.
void siivoa_vanhat_tyokansiot(std::string_view etuliite, const std::filesystem::path& kansio = std::filesystem::temp_directory_path());
