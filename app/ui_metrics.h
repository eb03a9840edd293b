// Pixel sizes of the window's design, scaled to the font the platform gives us:
// the design was drawn for a font 6 pixels wide on average and 13 high.
#ifndef TESSALY_UI_METRICS_H
#define TESSALY_UI_METRICS_H

#include <QSize>
#include <initializer_list>

class QHBoxLayout;
class QLayout;
class QWidget;

int ScaledX(const QWidget* widget, int designPixels);
int ScaledY(const QWidget* widget, int designPixels);
QSize ScaledSize(const QWidget* widget, int designWidth, int designHeight);
// Margins of design pixels around a page's layout, scaled.
void SetScaledMargins(QLayout* layout, const QWidget* widget, int horizontal, int vertical);
// The widgets side by side from the left edge, the rest of the row empty.
QHBoxLayout* LeftAlignedRow(std::initializer_list<QWidget*> widgets);

#endif
