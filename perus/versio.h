#pragma once
// The program's version text: the part after "v" of the main window's title.
inline constexpr const char* ohjelman_versio = "1.36";
inline constexpr const char* ohjelman_otsikko = "Rullakko v1.36";
