#pragma once

#include <cstddef>
#include <cstdint>

namespace mendrel {

// A letter, then letters, digits or "_" up to the first NUL, and only NULs after it.
bool IsValidFieldName(const uint8_t* name, size_t size);

// Mends a name area in place: invalid characters become "F" or "_", and a name with
// nothing worth keeping is replaced by a generated one ("Field1", "Field2", ...).
void RepairFieldName(uint8_t* name, size_t size);

}  // namespace mendrel
