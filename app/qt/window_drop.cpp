// Files dropped onto the window: what each dropped URL is, and the drag
// events that hand them to the dialog.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/qt/file_names.h"
#include "app/qt/shirl_window.h"

namespace shirl::qt {

std::vector<DroppedItem> DroppedItemsOf(const QMimeData& data) {
    std::vector<DroppedItem> items;
    for (const QUrl& url : data.urls()) {
        DroppedItem item;
        if (url.isLocalFile()) {
            const QString path = url.toLocalFile();
            item.name = CoreFileName(QDir::toNativeSeparators(path));
            const QFileInfo info(path);
            item.kind = info.isDir() ? DroppedKind::Folder : info.isFile() ? DroppedKind::File : DroppedKind::Other;
        } else {
            item.name = url.toString().toStdString();
        }
        items.push_back(std::move(item));
    }
    return items;
}

// Only drags that carry URLs are taken; the dialog refuses what is no file.
void ShirlWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void ShirlWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void ShirlWindow::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) return;
    event->acceptProposedAction();
    // Handled once the drag has ended: a refusal's message box must not
    // hold the program the drag came from.
    QMetaObject::invokeMethod(
        this, [this, items = DroppedItemsOf(*event->mimeData())] { m_dlg.OnFilesDropped(items); },
        Qt::QueuedConnection);
}

} // namespace shirl::qt
