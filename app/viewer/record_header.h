// The record numbers beside the grid, deleted records marked. Its width comes
// from the largest number, so that sizing it reads no records.
#ifndef TESSALY_RECORD_HEADER_H
#define TESSALY_RECORD_HEADER_H

#include <QHeaderView>

class TRecordHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit TRecordHeader(QWidget* parent = nullptr);
  QSize sizeHint() const override;
};

#endif
