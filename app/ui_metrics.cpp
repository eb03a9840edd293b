#include "ui_metrics.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace {

constexpr double kDesignCharWidth = 6.0;
constexpr double kDesignLineHeight = 13.0;

double AverageCharWidth(const QWidget* widget) {
  const QFontMetricsF metrics(widget->font());
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return metrics.horizontalAdvance(letters) / letters.size();
}

}  // namespace

int ScaledX(const QWidget* widget, int designPixels) {
  return qRound(designPixels * std::max(1.0, AverageCharWidth(widget) / kDesignCharWidth));
}

int ScaledY(const QWidget* widget, int designPixels) {
  const double height = QFontMetricsF(widget->font()).height();
  return qRound(designPixels * std::max(1.0, height / kDesignLineHeight));
}

QSize ScaledSize(const QWidget* widget, int designWidth, int designHeight) {
  return QSize(ScaledX(widget, designWidth), ScaledY(widget, designHeight));
}
