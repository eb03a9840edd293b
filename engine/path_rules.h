#pragma once

#include <cstdint>
#include <string>

namespace mendrel {

// The text from the last "." of the last path component, dot included; empty when none.
std::string FileExtension(const std::string& path);
std::string RemoveExtension(const std::string& path);
std::string ReplaceExtension(const std::string& path, const std::string& extension);

// The name of output part k: "base_k.ext" for the output path "base.ext".
std::string MakeSplitFileName(const std::string& outputPath, uint32_t part);

}  // namespace mendrel
