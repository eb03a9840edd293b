#include "dialog_filter.h"

#include <QFileDialog>

#include "path_functions.h"

namespace {

QString EntryPatterns(const QStringList& parts, int n) {
  const qsizetype index = 2 * qsizetype(n) - 1;
  return n >= 1 && index < parts.size() ? parts[index] : QString();
}

QString WithoutPatternSuffix(const QString& description) {
  const qsizetype open = description.lastIndexOf(u'(');
  if (open < 0 || !description.trimmed().endsWith(u')')) return description.trimmed();
  return description.left(open).trimmed();
}

}  // namespace

QString FilterExtension(const QString& filter, int n) {
  const QStringList parts = filter.split(u'|');
  if (n < 1 || n > FilterCount(filter)) return QString();
  const QString firstPattern = EntryPatterns(parts, n).section(u';', 0, 0);
  return ExtractExtension(firstPattern).mid(1);
}

int FilterCount(const QString& filter) {
  return filter.isEmpty() ? 0 : int(filter.split(u'|').size() / 2);
}

QStringList DialogNameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList nameFilters;
  for (int n = 1; n <= FilterCount(filter); ++n) {
    QStringList patterns = EntryPatterns(parts, n).split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern.trimmed() == u"*.*") pattern = QStringLiteral("*");
    nameFilters << WithoutPatternSuffix(parts[2 * n - 2]) + QStringLiteral(" (") +
                       patterns.join(u' ') + u')';
  }
  return nameFilters;
}

int SelectedFilterIndex(const QFileDialog* dialog) {
  return int(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1;
}

void SelectFilterIndex(QFileDialog* dialog, int index) {
  const QStringList filters = dialog->nameFilters();
  dialog->selectNameFilter(filters.value(index >= 1 && index <= filters.size() ? index - 1 : 0));
}
