#include "memo_file_name.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "path_rules.h"
#include "table_header.h"

namespace mendrel {
namespace {

namespace fs = std::filesystem;


bool IsFoxProVersion(uint8_t version) {
  return version == kVersionVisualFoxPro || version == kVersionVisualFoxProAutoIncrement ||
         version == kVersionFoxProWithMemo || version == kVersionFoxProWithDbaseMemo;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool Exists(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

std::string ToLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& path) {
  if (Exists(path)) return path;
  const fs::path wanted(path);
  const std::string wantedName = wanted.filename().string();
  if (wantedName.empty()) return {};
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  std::vector<std::string> matches;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (EqualIgnoringCase(name, wantedName)) matches.push_back(name);
  }
  if (matches.empty()) return {};
  std::sort(matches.begin(), matches.end());  // the same choice on every run
  return wanted.has_parent_path() ? (wanted.parent_path() / matches.front()).string() : matches.front();
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

}  // namespace mendrel
