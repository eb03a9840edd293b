#pragma once

#include <QByteArray>
#include <QStringList>

// "Memory Status:" and the memory lines, from a text in the format of /proc/meminfo:
// physical memory is MemTotal/MemAvailable, the page file is swap, virtual memory is the
// commit limit and the part of it not yet committed.
void AddMemoryInformation(QStringList& list, const QByteArray& memInfo);
void AddMemoryInformation(QStringList& list);
