#include "viewer/record_area.h"

#include <QRegularExpression>

std::optional<RecordArea> ParseRecordArea(const QString& line) {
  // Keys, order and spacing are fixed by the engine; numbers are decimal.
  static const QRegularExpression kLine(QStringLiteral(
      "^Record area: start=(\\d+) stride=(\\d+) offset=(\\d+) announced=(\\d+) written=(\\d+) "
      "after=(\\d+)$"));
  const QRegularExpressionMatch match = kLine.match(line);
  if (!match.hasMatch()) return std::nullopt;
  bool ok = true;
  const auto number = [&](int group) {
    bool parsed = false;
    const quint64 value = match.captured(group).toULongLong(&parsed);
    ok = ok && parsed;
    return value;
  };
  RecordArea area;
  area.start = number(1);
  area.stride = number(2);
  area.offset = number(3);
  area.announced = number(4);
  area.written = number(5);
  area.after = number(6);
  if (!ok) return std::nullopt;
  return area;
}
