// A label drawn as a link (underlined, blue, hand cursor) that reports clicks,
// reached with Tab and followed with Space or Enter as well.
#ifndef TESSALY_HYPERLINK_LABEL_H
#define TESSALY_HYPERLINK_LABEL_H

#include <QLabel>

class THyperlinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit THyperlinkLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

#endif
