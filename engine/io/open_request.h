#pragma once

#include <cstdint>

#include "io/platform.h"

namespace mendrel {

// What the platform is asked for by a word of CFile64 open flags.
OpenRequest OpenRequestForFlags(uint32_t flags);

}  // namespace mendrel
