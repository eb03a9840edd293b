#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

// Names are the platform's narrow strings and are handed to the system as they are, so
// that a name the engine opens is the name looked at here.

enum class FileKind { missing, regular, folder, other };
// What path leads to, links followed; when missing, error holds the errno value why.
FileKind KindOf(const std::string& path, int& error);
// True when something has the name, a link that leads nowhere included.
bool NameTaken(const std::string& path);
// The size of a regular file; 0 for anything else.
uint64_t RegularFileSize(const std::string& path);
// The names in a folder ("." and ".." left out), in no set order; empty when unreadable.
std::vector<std::string> FolderNames(const std::string& folder);
// The position after the folder part of a path: 0 when it has none.
size_t NameStart(const std::string& path);

// True when a log written to standard error goes to a terminal.
bool StandardErrorIsTerminal();

}  // namespace tessaly_cli
