#include "app/qt/map_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace shirl::qt {

MapWindow::MapWindow(QWidget* parent, std::function<void()> onSave) : QDialog(parent) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(QStringLiteral("Map"));
    m_picture = new QSvgWidget(this);
    m_picture->setObjectName(QStringLiteral("MapPicture"));
    auto* save = new QPushButton(QStringLiteral("Save map as..."), this);
    save->setObjectName(QStringLiteral("IDC_SAVE_MAP"));
    save->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("IDC_CLOSE_MAP"));
    connect(save, &QPushButton::clicked, this, [onSave] { onSave(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture, 1);
    layout->addLayout(buttons);
}

bool MapWindow::ShowMap(const QByteArray& svg) {
    m_picture->load(svg);
    QSvgRenderer* renderer = m_picture->renderer();
    if (!renderer->isValid()) return false;
    renderer->setAspectRatioMode(Qt::KeepAspectRatio);
    QSize size = renderer->defaultSize();
    if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableSize() * 9 / 10);
    m_picture->setMinimumSize(size / 2);
    m_picture->resize(size);
    resize(size + QSize(24, 64));
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace shirl::qt
