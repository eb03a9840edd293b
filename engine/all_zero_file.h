#pragma once

namespace mendrel {

// True when the file opens and every byte is zero; an empty file counts.
bool IsAllZeroFile(const char* path);

}  // namespace mendrel
