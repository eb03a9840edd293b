#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessaly_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Joined as text: the name's bytes reach the system unchanged, as a user's would.
  std::string File(const std::string& name) const {
    return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }

 private:
  std::filesystem::path path_;
};

std::vector<char> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<char>& bytes);

}  // namespace tessaly_test
