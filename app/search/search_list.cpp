#include "search_list.h"

namespace {
constexpr QChar kSeparator = u';';
}

QStringList SplitSearchList(const QString& text) {
  QStringList list;
  const qsizetype lastSeparator = text.lastIndexOf(kSeparator);
  if (lastSeparator < 0) {
    if (!text.trimmed().isEmpty()) list.append(text);
    return list;
  }
  const QStringList pieces = text.left(lastSeparator).split(kSeparator);
  for (const QString& piece : pieces) {
    const QString trimmed = piece.trimmed();
    if (!trimmed.isEmpty() && !list.contains(trimmed)) list.append(trimmed);
  }
  const QString last = text.mid(lastSeparator + 1).trimmed();
  if (!last.isEmpty()) list.append(last);
  return list;
}
