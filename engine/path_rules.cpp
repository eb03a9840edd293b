#include "path_rules.h"

#include "io/path_separator.h"

namespace mendrel {
namespace {

size_t ExtensionStart(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return path.size();
  const size_t separator = LastPathSeparator(path);
  if (separator != std::string::npos && separator > dot) return path.size();
  return dot;
}

}  // namespace

std::string FileExtension(const std::string& path) { return path.substr(ExtensionStart(path)); }

std::string RemoveExtension(const std::string& path) { return path.substr(0, ExtensionStart(path)); }

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
  return RemoveExtension(path) + extension;
}

std::string MakeSplitFileName(const std::string& outputPath, uint32_t part) {
  // Same text as printf "%s_%lu%s" of base, part and extension.
  return RemoveExtension(outputPath) + "_" + std::to_string(part) + FileExtension(outputPath);
}

}  // namespace mendrel
