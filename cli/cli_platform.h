#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tessaly_cli {

// The few system calls of the program that differ between POSIX and Windows.

// Names are the platform's narrow strings and are handed to the system as they are, so
// that a name the engine opens is the name looked at here.

// True when something has the name, a link that leads nowhere included.
bool NameTaken(const std::string& path);
// The size of a regular file; 0 for anything else.
uint64_t RegularFileSize(const std::string& path);

// Makes a stream write its bytes as they are: no line-end translation on Windows.
void UseBinaryOutput(std::FILE* stream);

// True when a log written to standard error goes to a terminal.
bool StandardErrorIsTerminal();

}  // namespace tessaly_cli
