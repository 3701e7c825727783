// Files dropped onto the window (WM_DROPFILES): each dropped name with its
// kind, handed to the dialog.

#include "app/win32/shirl_window.h"
#include "files/utf.h"

namespace shirl {

std::vector<DroppedItem> DroppedItemsOf(HDROP drop) {
    std::vector<DroppedItem> items;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(copied <= length ? copied : 0);
        if (name.empty()) continue;  // nothing named: nothing dropped
        DroppedItem item;
        item.name = Utf8FromWide(name);
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DEVICE) != 0)
            item.kind = DroppedKind::Other;
        else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            item.kind = DroppedKind::Folder;
        else
            item.kind = DroppedKind::File;
        items.push_back(std::move(item));
    }
    return items;
}

void CShirlWindow::OnDropFiles(HDROP drop) {
    const std::vector<DroppedItem> items = DroppedItemsOf(drop);
    DragFinish(drop);  // the drop is released before any message box
    m_dlg.OnFilesDropped(items);
}

} // namespace shirl
