// A single-line edit box that takes a file dropped from the file manager.
#ifndef TESSALY_DRAG_EDIT_H
#define TESSALY_DRAG_EDIT_H

#include <QLineEdit>

class QMimeData;

class TDragEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDragEdit(QWidget* parent = nullptr);

  // Switches the acceptance of dropped files on or off.
  void AcceptFiles(bool accept);
  bool AcceptsFiles() const { return FAcceptFiles; }

 signals:
  // The first local file of a drop, as a full path.
  void OnDropFile(QObject* sender, const QString& fileName);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Accepts or refuses a drag of URLs; false for any other drag.
  bool DecideUrlDrag(QDragMoveEvent* event) const;

  bool FAcceptFiles = false;
};

// The first local file named by a drop's URL list, or empty.
QString FirstDroppedFile(const QMimeData* data);

#endif
