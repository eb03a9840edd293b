#pragma once

#include <cstddef>
#include <string>

namespace tessaly_cli {

// Width of a cell on a terminal: characters of valid UTF-8, else bytes.
size_t DisplayWidth(const std::string& text);

}  // namespace tessaly_cli
