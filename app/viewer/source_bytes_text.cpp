#include "viewer/source_bytes_text.h"

#include <string>

#include "app_strings.h"
#include "code_page.h"

namespace {

// Longer values show their first bytes in hexadecimal, then an ellipsis.
constexpr qsizetype kMostHexBytes = 64;

// Control bytes as dots, every other byte in the table's code page.
QString PrintableText(const QByteArray& bytes, tessaly_common::CodePageConverter& converter) {
  std::string printable(bytes.constData(), size_t(bytes.size()));
  for (char& c : printable)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '.';
  return QString::fromStdString(converter.ToUtf8(printable));
}

QString HexText(const QByteArray& bytes) {
  QString hex = QString::fromLatin1(bytes.left(kMostHexBytes).toHex(' ').toUpper());
  if (bytes.size() > kMostHexBytes) hex += QStringLiteral(" \u2026");
  return hex;
}

}  // namespace

QString SourceBytesText(const QByteArray& bytes, int length,
                        tessaly_common::CodePageConverter& converter) {
  if (bytes.isEmpty()) return AppString(StrId::ViewerSourceEndedBefore);
  QString text =
      AppString(StrId::ViewerSourceBytes).arg(PrintableText(bytes, converter), HexText(bytes));
  if (bytes.size() < length)
    text += u'\n' + AppString(StrId::ViewerSourceEndedInside)
                        .arg(QString::number(bytes.size()), QString::number(length));
  return text;
}

QString DeletionFlagTip(const QByteArray& flag, tessaly_common::CodePageConverter& converter) {
  if (flag.isEmpty()) return AppString(StrId::ViewerSourceEndedBefore);
  return AppString(StrId::ViewerSourceFlag).arg(PrintableText(flag, converter), HexText(flag));
}
