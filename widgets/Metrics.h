#pragma once
// The windows were laid out for an 8-point font with a 13-pixel line. The desktop's own font
// is usually larger; pixel sizes of the layout grow with it, so captions still fit.
#include <QApplication>
#include <QFontMetrics>
#include <QtMath>

inline int scaled(int designPixels)
{
    static const double factor = std::max(1.0, QFontMetrics(QApplication::font()).height() / 13.0);
    return qRound(designPixels * factor);
}
