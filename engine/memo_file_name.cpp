#include "memo_file_name.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "io/path_separator.h"
#include "io/platform.h"
#include "path_rules.h"
#include "table_header.h"

namespace mendrel {
namespace {

bool IsFoxProVersion(uint8_t version) {
  return version == kVersionVisualFoxPro || version == kVersionVisualFoxProAutoIncrement ||
         version == kVersionFoxProWithMemo || version == kVersionFoxProWithDbaseMemo;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string ToLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The folder part of a path ("." when it has none) and its last component.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
  const size_t separator = LastPathSeparator(path);
  if (separator == std::string::npos) return {".", path};
  return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

}  // namespace

std::vector<std::string> FindFilesIgnoringCase(const std::string& path) {
  const auto [folder, wantedName] = SplitFolder(path);
  const std::string prefix = LastPathSeparator(path) == std::string::npos ? "" : folder;
  std::vector<std::string> names;
  std::vector<std::string> matches;
  if (wantedName.empty() || CurrentPlatform().ListFolder(folder.c_str(), names) != 0) return matches;
  for (const std::string& name : names)
    if (EqualIgnoringCase(name, wantedName)) matches.push_back(prefix + name);
  std::sort(matches.begin(), matches.end());  // the same choice on every run
  return matches;
}

std::string FindFileIgnoringCase(const std::string& path) {
  if (CurrentPlatform().Exists(path.c_str())) return path;
  const std::vector<std::string> matches = FindFilesIgnoringCase(path);
  return matches.empty() ? std::string() : matches.front();
}

std::string ChooseMemoExtension(const std::string& sourcePath, uint8_t sourceVersion) {
  if (!FindFileIgnoringCase(ReplaceExtension(sourcePath, kDbtExtension)).empty()) return kDbtExtension;
  if (!FindFileIgnoringCase(ReplaceExtension(sourcePath, kFptExtension)).empty()) return kFptExtension;
  return IsFoxProVersion(sourceVersion) ? kFptExtension : kDbtExtension;
}

std::string SourceMemoPath(const std::string& sourcePath, const std::string& memoExtension) {
  const std::string named = ReplaceExtension(sourcePath, memoExtension);
  const std::string found = FindFileIgnoringCase(named);
  return found.empty() ? named : found;
}

std::string OutputMemoPath(const std::string& outputPath, const std::string& memoExtension) {
  const std::string tableExtension = FileExtension(outputPath);
  const bool lowerCase = std::none_of(tableExtension.begin(), tableExtension.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c));
  }) && std::any_of(tableExtension.begin(), tableExtension.end(), [](char c) {
    return std::islower(static_cast<unsigned char>(c));
  });
  return ReplaceExtension(outputPath, lowerCase ? ToLower(memoExtension) : memoExtension);
}

bool IsMemoNameOf(const std::string& path, const std::string& tablePath) {
  const auto [folder, name] = SplitFolder(path);
  const auto [tableFolder, tableName] = SplitFolder(tablePath);
  if (name.empty() || !CurrentPlatform().IsSameFile(folder.c_str(), tableFolder.c_str())) return false;
  return EqualIgnoringCase(name, ReplaceExtension(tableName, kDbtExtension)) ||
         EqualIgnoringCase(name, ReplaceExtension(tableName, kFptExtension));
}

}  // namespace mendrel
