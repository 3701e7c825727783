#include "app/qt/dialog_units.h"

#include <QFontMetrics>

namespace shirl::qt {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

DialogBaseUnits DialogBaseUnits::FromFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogBaseUnits units;
    units.x = (letters / 26 + 1) / 2;
    units.y = metrics.height();
    return units;
}

int DialogBaseUnits::ToPixelsX(int du) const { return MulDiv(du, x, 4); }
int DialogBaseUnits::ToPixelsY(int du) const { return MulDiv(du, y, 8); }

QRect DialogBaseUnits::ToPixels(int left, int top, int w, int h) const {
    return {ToPixelsX(left), ToPixelsY(top), ToPixelsX(w), ToPixelsY(h)};
}

QSize DialogBaseUnits::ToPixels(int w, int h) const { return {ToPixelsX(w), ToPixelsY(h)}; }

} // namespace shirl::qt
