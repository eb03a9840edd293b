// Pixel sizes of the window's design, scaled to the font the platform gives us:
// the design was drawn for a font 6 pixels wide on average and 13 high.
#ifndef TESSALY_UI_METRICS_H
#define TESSALY_UI_METRICS_H

#include <QSize>

class QWidget;

int ScaledX(const QWidget* widget, int designPixels);
int ScaledY(const QWidget* widget, int designPixels);
QSize ScaledSize(const QWidget* widget, int designWidth, int designHeight);

#endif
