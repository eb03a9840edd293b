#include "elapsed_time.h"

namespace {

constexpr qint64 kMsPerSecond = 1000;
constexpr qint64 kMsPerMinute = 60 * kMsPerSecond;
constexpr qint64 kMsPerHour = 60 * kMsPerMinute;
constexpr qint64 kHoursPerDay = 24;

struct Specifier {
  QChar letter;
  qint64 value;
  int paddedWidth;  // width when the letter is repeated
};

qsizetype RunLength(const QString& mask, qsizetype at, QChar letter, qsizetype most) {
  qsizetype length = 0;
  while (at + length < mask.size() && length < most && mask[at + length].toLower() == letter)
    ++length;
  return length;
}

}  // namespace

QString FormatElapsedTime(const QString& mask, qint64 milliseconds) {
  const qint64 ms = milliseconds < 0 ? 0 : milliseconds;
  const Specifier specifiers[] = {
      {u'h', (ms / kMsPerHour) % kHoursPerDay, 2},
      {u'n', (ms / kMsPerMinute) % 60, 2},
      {u's', (ms / kMsPerSecond) % 60, 2},
      {u'z', ms % kMsPerSecond, 3},
  };
  QString result;
  for (qsizetype i = 0; i < mask.size();) {
    const QChar c = mask[i];
    if (c == u'"' || c == u'\'') {
      const qsizetype close = mask.indexOf(c, i + 1);
      const qsizetype end = close < 0 ? mask.size() : close;
      result += mask.mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    const Specifier* match = nullptr;
    for (const Specifier& specifier : specifiers)
      if (c.toLower() == specifier.letter) match = &specifier;
    if (match == nullptr) {
      result += c;
      ++i;
      continue;
    }
    const bool padded = RunLength(mask, i, match->letter, match->paddedWidth) == match->paddedWidth;
    result +=
        QStringLiteral("%1").arg(match->value, padded ? match->paddedWidth : 0, 10, QChar(u'0'));
    i += padded ? match->paddedWidth : 1;
  }
  return result;
}
