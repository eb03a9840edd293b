#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace tessaly_test {

// Every table (".dbf" in any case) below folder, as paths relative to it, in name order;
// none when the folder is missing or cannot be read.
std::vector<std::string> FixtureTables(const std::filesystem::path& folder);

// A test name made of a parameter's text: anything but letters and digits becomes "_".
std::string ParameterName(const testing::TestParamInfo<std::string>& info);

// Runs a shell command; its exit status and everything it printed.
std::pair<int, std::string> RunCommand(const std::string& command);

// A path quoted for the shell.
std::string Quoted(const std::filesystem::path& path);

}  // namespace tessaly_test
