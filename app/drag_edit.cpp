#include "drag_edit.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QString FirstDroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return QString();
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return QDir::toNativeSeparators(url.toLocalFile());
  return QString();
}

TDragEdit::TDragEdit(QWidget* parent) : QLineEdit(parent) {}

void TDragEdit::AcceptFiles(bool accept) {
  FAcceptFiles = accept;
  setAcceptDrops(true);
}

bool TDragEdit::DecideUrlDrag(QDragMoveEvent* event) const {
  if (!event->mimeData()->hasUrls()) return false;
  if (FAcceptFiles && !FirstDroppedFile(event->mimeData()).isEmpty())
    event->acceptProposedAction();
  else
    event->ignore();
  return true;
}

void TDragEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (!DecideUrlDrag(event)) QLineEdit::dragEnterEvent(event);
}

void TDragEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (!DecideUrlDrag(event)) QLineEdit::dragMoveEvent(event);
}

void TDragEdit::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasUrls()) {
    QLineEdit::dropEvent(event);
    return;
  }
  const QString fileName = FirstDroppedFile(event->mimeData());
  if (!FAcceptFiles || fileName.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit OnDropFile(this, fileName);
}
