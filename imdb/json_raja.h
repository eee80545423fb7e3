#pragma once
// JSON from the net, read only when it nests no deeper than any real answer does.
#include <nlohmann/json.hpp>
#include <string_view>

// The parsed text, or a discarded value when it is not JSON or nests deeper than the limit.
nlohmann::json jasenna_rajattu(std::string_view teksti);
