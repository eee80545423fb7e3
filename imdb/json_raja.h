#pragma once
// JSON from the net, read only when it nests no deeper than any real answer does.
#include <nlohmann/json.hpp>
#include <string_view>

// How deep a page's JSON may nest.
inline constexpr int sivun_json_syvyys = 48;

// The parsed text, or a discarded value when it is not JSON or its brackets nest deeper than `enintaan`.
nlohmann::json jasenna_rajattu(std::string_view teksti, int enintaan = sivun_json_syvyys);
