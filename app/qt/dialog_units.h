#pragma once
// Dialog units, the measure of the dialog template: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth
// of its character height, so the layout grows and shrinks with the font.
#include <QFont>
#include <QRect>
#include <QSize>

namespace shirl::qt {

struct DialogBaseUnits {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels

    // Measured as the Windows dialog manager does: the width of the 52
    // letters A-Z a-z, halved twice with rounding, and the line height.
    static DialogBaseUnits FromFont(const QFont& font);

    int ToPixelsX(int du) const;
    int ToPixelsY(int du) const;
    QRect ToPixels(int x, int y, int w, int h) const;
    QSize ToPixels(int w, int h) const;
};

} // namespace shirl::qt
