#include "search_animation.h"

#include <QPainter>
#include <QtMath>

namespace {
constexpr int kFrameMilliseconds = 80;
constexpr int kFramesPerSweep = 24;
}  // namespace

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent) {
  FTimer.setInterval(kFrameMilliseconds);
  connect(&FTimer, &QTimer::timeout, this, [this] {
    FFrame = (FFrame + 1) % kFramesPerSweep;
    update();
  });
}

void SearchAnimation::Start() { FTimer.start(); }

void SearchAnimation::Stop() {
  FTimer.stop();
  FFrame = 0;
  update();
}

void SearchAnimation::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);

  const QRectF folder(area.left(), area.top() + area.height() * 0.25, area.width() * 0.7,
                      area.height() * 0.65);
  painter.setPen(QPen(QColor(150, 110, 20), 1));
  painter.setBrush(QColor(240, 200, 90));
  painter.drawRect(QRectF(folder.left(), folder.top() - 5, folder.width() * 0.4, 6));
  painter.drawRect(folder);

  // The glass moves to and fro along an arc over the folder.
  const qreal phase = 2 * M_PI * FFrame / kFramesPerSweep;
  const QPointF centre(folder.center().x() + folder.width() * 0.35 * qSin(phase),
                       folder.center().y() - folder.height() * 0.15 * qCos(phase));
  const qreal radius = area.height() * 0.22;
  painter.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.6, radius * 1.6));
  painter.setPen(QPen(QColor(60, 60, 60), 2));
  painter.setBrush(QColor(200, 230, 255, 170));
  painter.drawEllipse(centre, radius, radius);
}
