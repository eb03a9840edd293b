#pragma once

#include <string>

namespace mendrel {

// The root folder of the volume that holds a full Windows path, as the free-space
// query takes it: "C:\" for a drive path, "\\server\share\" for a network path.
// Empty when the path names neither.
std::string VolumeRoot(const std::string& fullPath);

}  // namespace mendrel
