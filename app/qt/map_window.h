#pragma once
// The map of the counties worked in a window of its own: the picture drawn
// by Qt SVG at its own proportions, "Save map as..." and "Close".
#include <QByteArray>
#include <QDialog>
#include <functional>

class QSvgWidget;

namespace shirl::qt {

class MapWindow : public QDialog {
    Q_OBJECT
public:
    // `onSave` runs when "Save map as..." is pressed.
    MapWindow(QWidget* parent, std::function<void()> onSave);

    // Shows this SVG picture, the window sized to it (at most the screen's
    // available area); false when Qt SVG cannot read it.
    bool ShowMap(const QByteArray& svg);
    QSvgWidget* picture() const { return m_picture; }

private:
    QSvgWidget* m_picture = nullptr;
};

} // namespace shirl::qt
