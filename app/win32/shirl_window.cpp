#include "app/win32/shirl_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "res/resource.h"

namespace shirl {

namespace {

// The user guide is installed next to Shirl.exe.
constexpr const char* kUserGuideFile = "guide.html";

std::string ModuleFileName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEA) == 88, "the full OPENFILENAME of 32-bit Windows");
#endif

} // namespace

std::string BuildFilterText(const std::vector<std::pair<std::string, std::string>>& filters) {
    std::string text;
    for (const auto& [description, patterns] : filters) {
        text.append(description).push_back('\0');
        text.append(patterns).push_back('\0');
    }
    text.push_back('\0');
    return text;
}

DWORD FileDialogFlags(const FileDialogRequest& request) {
    // Open: 0x81004 (the file must exist); save: 0x80006 (ask before replacing).
    DWORD flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    if (request.mustExist) flags |= OFN_FILEMUSTEXIST;
    if (request.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
    return flags;
}

CShirlWindow::CShirlWindow(HINSTANCE instance, std::string appName)
    : m_instance(instance), m_appName(std::move(appName)), m_dlg(*this) {
    m_icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
}

INT_PTR CShirlWindow::RunModal() {
    return DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, &CShirlWindow::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CShirlWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CShirlWindow* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CShirlWindow*>(lParam);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CShirlWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    return self->HandleMessage(message, wParam, lParam);
}

INT_PTR CShirlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        // One of the messages whose result a dialog procedure returns directly.
        return reinterpret_cast<INT_PTR>(m_icon);
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return TRUE;
    case WM_CONTEXTMENU:
        return OnReportContextMenu(reinterpret_cast<HWND>(wParam), lParam) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

BOOL CShirlWindow::OnInitDialog() {
    SendMessageA(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    SetUpReportList();
    m_dlg.OnInitDialog();
    return TRUE;  // focus to the first control of the tab order
}

bool CShirlWindow::OnCommand(int id, int code) {
    // The dialog's command table: control, notification, handler.
    struct CommandRow {
        int id;
        int code;
        void (CShirlDlg::*handler)();
    };
    static constexpr CommandRow kCommands[] = {
        {IDC_INPUT_BROWSE, BN_CLICKED, &CShirlDlg::OnInputBrowse},
        {IDC_OUTPUT_BROWSE, BN_CLICKED, &CShirlDlg::OnOutputBrowse},
        {IDOK, BN_CLICKED, &CShirlDlg::OnConvert},
        {IDC_INPUT_NAME, CBN_EDITCHANGE, &CShirlDlg::OnNameEdited},
        {IDC_OUTPUT_NAME, CBN_EDITCHANGE, &CShirlDlg::OnNameEdited},
        {IDC_SELECTION, CBN_SELCHANGE, &CShirlDlg::OnSelectionChanged},
        {IDC_HELP_BUTTON, BN_CLICKED, &CShirlDlg::OnHelpButton},
        {IDC_ABOUT, BN_CLICKED, &CShirlDlg::OnAboutButton},
        {IDC_ADD_MOBILE, BN_CLICKED, &CShirlDlg::OnAddMobileClicked},
    };
    for (const CommandRow& row : kCommands) {
        if (row.id == id && row.code == code) {
            (m_dlg.*row.handler)();
            return true;
        }
    }
    if (code == 0 && OnReportCommand(id)) return true;  // the report list's menu
    if (id == IDCANCEL) {
        // Exit button or Escape: the dialog ends, and with it the program.
        EndDialog(m_hwnd, IDCANCEL);
        return true;
    }
    return false;
}

bool CShirlWindow::OnPaint() {
    if (!IsIconic(m_hwnd)) return false;  // the dialog paints as usual
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    SendMessageA(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(m_hwnd, &paint);
    return true;
}

LRESULT CShirlWindow::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageA(m_hwnd, id, message, wParam, lParam);
}

std::string CShirlWindow::ItemText(int id) const {
    HWND item = GetDlgItem(m_hwnd, id);
    const int length = GetWindowTextLengthA(item);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(item, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void CShirlWindow::FillSelectionList(const std::vector<std::string>& rows) {
    for (const auto& row : rows) SendItem(IDC_SELECTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

void CShirlWindow::SetAddMobileCheck(bool checked) {
    SendItem(IDC_ADD_MOBILE, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool CShirlWindow::GetAddMobileCheck() { return SendItem(IDC_ADD_MOBILE, BM_GETCHECK) != BST_UNCHECKED; }

int CShirlWindow::GetSelectionRow() {
    const LRESULT row = SendItem(IDC_SELECTION, CB_GETCURSEL);
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

std::string CShirlWindow::GetInputNameText() { return ItemText(IDC_INPUT_NAME); }

std::string CShirlWindow::GetOutputNameText() { return ItemText(IDC_OUTPUT_NAME); }

void CShirlWindow::SetNameTexts(const std::string& input, const std::string& output) {
    // A box that already holds its text is left alone, so that the caret
    // stays where the user is typing.
    if (ItemText(IDC_INPUT_NAME) != input) SetDlgItemTextA(m_hwnd, IDC_INPUT_NAME, input.c_str());
    if (ItemText(IDC_OUTPUT_NAME) != output) SetDlgItemTextA(m_hwnd, IDC_OUTPUT_NAME, output.c_str());
}

void CShirlWindow::ShowMessageBox(const std::string& text, MessageIcon icon) {
    const UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0u);
    MessageBoxA(m_hwnd, text.c_str(), m_appName.c_str(), style);
}

std::optional<std::string> CShirlWindow::RunFileDialog(const FileDialogRequest& request) {
    // A name that does not fit the 260-byte buffer starts the dialog empty
    // rather than cut.
    char name[MAX_PATH] = {};
    if (request.initialName.size() < sizeof name)
        std::memcpy(name, request.initialName.data(), request.initialName.size());

    const std::string filter = BuildFilterText(request.filters);
    OPENFILENAMEA settings;
    std::memset(&settings, 0, sizeof settings);
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = nullptr;
    settings.lpstrFilter = filter.c_str();
    settings.nFilterIndex = 0;
    settings.lpstrFile = name;
    settings.nMaxFile = sizeof name;
    settings.lpstrTitle = request.title.c_str();
    settings.lpstrDefExt = request.defaultSuffix.c_str();
    settings.Flags = FileDialogFlags(request);

    const BOOL chosen =
        request.kind == FileDialogKind::Open ? GetOpenFileNameA(&settings) : GetSaveFileNameA(&settings);
    if (!chosen) return std::nullopt;
    name[sizeof name - 1] = '\0';
    return std::string(name);
}

void CShirlWindow::ReplaceReportRows(const std::vector<std::string>& rows) {
    HWND list = GetDlgItem(m_hwnd, IDC_REPORT);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const auto& row : rows) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool CShirlWindow::OpenUserGuide() {
    std::string guide = ModuleFileName();
    const auto slash = guide.find_last_of("\\/");
    guide.erase(slash == std::string::npos ? 0 : slash + 1);
    guide += kUserGuideFile;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", guide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::optional<std::pair<int, int>> CShirlWindow::ReadProgramVersion() {
    const std::string path = ModuleFileName();
    if (path.empty()) return std::nullopt;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
    void* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &fixed, &length) || fixed == nullptr) return std::nullopt;
    if (length == 0) return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    if (info->dwSignature != 0xFEEF04BD) return std::nullopt;
    return std::make_pair(static_cast<int>(HIWORD(info->dwFileVersionMS)),
                          static_cast<int>(LOWORD(info->dwFileVersionMS)));
}

} // namespace shirl
