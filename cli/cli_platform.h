#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaly_cli {

// The few system calls of the program that differ between POSIX and Windows.

// A file handle as the engine's display entry takes it: a descriptor on POSIX, a
// HANDLE on Windows; kNoFile when none.
using NativeFile = intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Opens an existing file for reading, not inherited by child processes.
NativeFile OpenForReading(const std::string& path);
void CloseFile(NativeFile file);
// Reads up to count bytes at offset; the bytes read (0 on failure or at the end).
size_t ReadFileAt(NativeFile file, void* buffer, size_t count, uint64_t offset);

// True when a log written to standard error goes to a terminal.
bool StandardErrorIsTerminal();

}  // namespace tessaly_cli
