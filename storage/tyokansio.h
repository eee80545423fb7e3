#pragma once
// A private temporary folder for the run's work files (repair copies, fetched pages), removed at exit.
#include <filesystem>

const std::filesystem::path& ajon_tyokansio();
