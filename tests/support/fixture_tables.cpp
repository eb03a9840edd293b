#include "fixture_tables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

namespace tessaly_test {

std::vector<std::string> FixtureTables(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> tables;
  // Errors end the listing instead of throwing: tests are listed before any of them runs.
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string extension = it->path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::error_code ignored;
    if (it->is_regular_file(ignored) && extension == ".dbf")
      tables.push_back(fs::relative(it->path(), folder, ignored).string());
  }
  std::sort(tables.begin(), tables.end());
  return tables;
}

std::string ParameterName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

std::pair<int, std::string> RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, "cannot run " + command};
  char buffer[4096];
  while (size_t read = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, read);
  return {pclose(pipe), output};
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace tessaly_test
