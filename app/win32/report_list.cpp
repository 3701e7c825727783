// The report list: several rows selectable, its context menu ("Copy",
// "Copy all", "Save report as..."), Ctrl+C, the clipboard and the saved file,
// and its rows scrolled sideways when wider than the list.
#include <algorithm>

#include "app/win32/shirl_window.h"
#include "files/utf.h"
#include "res/resource.h"

namespace shirl {

namespace {

constexpr const wchar_t* kListProcProperty = L"Shirl.ReportList.Proc";

// Ctrl+C in the list types the character 3, as in an edit control; the
// list hands it to the dialog as the menu's "Copy".
// A right-click selects the row under it before the menu opens, unless
// the row is part of the selection already.
// Rows are counted here rather than by LB_ITEMFROMPOINT, which answers in
// 16 bits.
void SelectRowUnder(HWND list, LPARAM at) {
    const int y = static_cast<short>(HIWORD(at));
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    if (y < 0 || top < 0 || height <= 0) return;
    const LRESULT hit = top + y / height;
    if (hit >= count) return;  // below the last row
    const auto row = static_cast<WPARAM>(hit);
    if (SendMessageW(list, LB_GETSEL, row, 0) <= 0) {
        SendMessageW(list, LB_SETSEL, FALSE, -1);
        SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(row));
        SendMessageW(list, LB_SETANCHORINDEX, row, 0);
    }
    SendMessageW(list, LB_SETCARETINDEX, row, FALSE);
}

LRESULT CALLBACK ReportListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(list, kListProcProperty));
    if (message == WM_CHAR && wParam == 3) {
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDM_REPORT_COPY, 0), 0);
        return 0;
    }
    if (message == WM_RBUTTONDOWN) SelectRowUnder(list, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(list, kListProcProperty);
    }
    return previous ? CallWindowProcW(previous, list, message, wParam, lParam)
                    : DefWindowProcW(list, message, wParam, lParam);
}

// Line feeds become CR LF, the line end of text on the Windows clipboard.
std::wstring ClipboardText(const std::string& text) {
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') crlf.push_back('\r');
        crlf.push_back(c);
    }
    return WideFromUtf8(crlf);
}

} // namespace

void CShirlWindow::SetUpReportList() {
    HWND list = GetDlgItem(m_hwnd, IDC_REPORT);
    const LONG_PTR previous = GetWindowLongPtrW(list, GWLP_WNDPROC);
    SetPropW(list, kListProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReportListProc));
}

void CShirlWindow::ReplaceReportRows(const std::vector<std::string>& rows) {
    HWND list = GetDlgItem(m_hwnd, IDC_REPORT);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // The list scrolls sideways as far as its widest row reaches.
    HDC dc = GetDC(list);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const auto& row : rows) {
        // A row holds bytes of the log, which need not be UTF-8: those show as U+FFFD.
        const std::wstring text = WideFromUtf8(row);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) widest = std::max(widest, size.cx);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    // The list draws a row's text a few pixels in from its left edge.
    const LONG margin = 2 * GetSystemMetrics(SM_CXEDGE) + 2;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest > 0 ? widest + margin : 0), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool CShirlWindow::OnReportContextMenu(HWND from, LPARAM at) {
    HWND list = GetDlgItem(m_hwnd, IDC_REPORT);
    if (from != list) return false;
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == static_cast<LPARAM>(-1)) {  // from the keyboard: at the list's corner
        RECT rect;
        GetWindowRect(list, &rect);
        point = {rect.left, rect.top};
    }
    const LRESULT rows = SendMessageW(list, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    const UINT hasRows = rows > 0 ? MF_ENABLED : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    if (!menu) return true;
    AppendMenuW(menu, MF_STRING | (selected > 0 ? MF_ENABLED : MF_GRAYED), IDM_REPORT_COPY, L"Copy\tCtrl+C");
    AppendMenuW(menu, MF_STRING | hasRows, IDM_REPORT_COPY_ALL, L"Copy all");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | hasRows, IDM_REPORT_SAVE, L"Save report as\u2026");
    // The chosen item comes back as WM_COMMAND, through OnReportCommand.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hwnd, nullptr);
    DestroyMenu(menu);
    return true;
}

bool CShirlWindow::OnReportCommand(int id) {
    switch (id) {
    case IDM_REPORT_COPY: {
        HWND list = GetDlgItem(m_hwnd, IDC_REPORT);
        const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
        if (count <= 0) return true;
        std::vector<int> rows(static_cast<std::size_t>(count));
        const LRESULT got = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                         reinterpret_cast<LPARAM>(rows.data()));
        rows.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        m_dlg.OnCopyReportRows(rows);
        return true;
    }
    case IDM_REPORT_COPY_ALL:
        m_dlg.OnCopyReport();
        return true;
    case IDM_REPORT_SAVE:
        m_dlg.OnSaveReport();
        return true;
    default:
        return false;
    }
}

bool CShirlWindow::PutTextOnClipboard(const std::string& text) {
    const std::wstring wide = ClipboardText(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return false;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return false;
    }
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(target));
    GlobalUnlock(block);
    if (!OpenClipboard(m_hwnd)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(block);  // the clipboard owns it only once placed
    return placed;
}

} // namespace shirl
