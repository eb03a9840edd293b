#include "viewer/record_header.h"

#include <QStyle>

#include "app_strings.h"

TRecordHeader::TRecordHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
  setSectionResizeMode(QHeaderView::Fixed);
  setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QSize TRecordHeader::sizeHint() const {
  const int records = model() != nullptr ? model()->rowCount() : 0;
  const QString widest = AppString(StrId::ViewerDeletedRecordHeader)
                             .arg(QString(QString::number(records).size(), u'8'));
  const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
  return {fontMetrics().horizontalAdvance(widest) + 2 * margin, defaultSectionSize()};
}
