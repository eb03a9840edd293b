// How the viewer tells what a source held where the repair changed something:
// the bytes as text in the table's code page, and in hexadecimal.
#ifndef TESSALY_SOURCE_BYTES_TEXT_H
#define TESSALY_SOURCE_BYTES_TEXT_H

#include <QByteArray>
#include <QString>

namespace tessaly_common {
class CodePageConverter;
}

// The source's bytes of one value of `length` bytes; fewer bytes where the
// source ended inside the value, none where it ended before it.
QString SourceBytesText(const QByteArray& bytes, int length,
                        tessaly_common::CodePageConverter& converter);
// The source's deletion flag of a record whose flag the repair changed.
QString DeletionFlagTip(const QByteArray& flag, tessaly_common::CodePageConverter& converter);

#endif
