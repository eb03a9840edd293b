#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mendrel {

inline constexpr char kDbtExtension[] = ".DBT";
inline constexpr char kFptExtension[] = ".FPT";

// ".DBT" or ".FPT": the kind of memo file found beside the source, else the kind its
// version byte implies.
std::string ChooseMemoExtension(const std::string& sourcePath, uint8_t sourceVersion);

// The memo file beside the source table with the given extension. Names are matched
// without regard to case, as tables come from systems that ignore it; the exact name
// is preferred. When no such file exists, the name the file would have.
std::string SourceMemoPath(const std::string& sourcePath, const std::string& memoExtension);

// The memo file of an output table: its extension takes the case of the table's.
std::string OutputMemoPath(const std::string& outputPath, const std::string& memoExtension);

// An existing file named like path without regard to case, the exact name first;
// empty when there is none.
std::string FindFileIgnoringCase(const std::string& path);
// Every file named like path without regard to case, in name order.
std::vector<std::string> FindFilesIgnoringCase(const std::string& path);

// True when path, whether it exists or not, names a memo file of the table: a file in
// the table's folder with the table's name and ".DBT" or ".FPT", in any case. Needs no
// listing of the folder, which one that can be searched but not read refuses.
bool IsMemoNameOf(const std::string& path, const std::string& tablePath);

}  // namespace mendrel
