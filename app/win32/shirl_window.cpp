#include "app/win32/shirl_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/service/run_preparation.h"
#include "files/file_system.h"
#include "files/utf.h"
#include "res/resource.h"

namespace shirl {

namespace {

// The user guide is installed next to Shirl.exe.
constexpr const wchar_t* kUserGuideFile = L"guide.html";

// The longest name Windows takes (with the \\?\ prefix), in UTF-16 units.
constexpr DWORD kLongestName = 32768;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEW) == 88, "the full OPENFILENAME of 32-bit Windows");
#endif

} // namespace

std::wstring ModuleFileName() {
    std::vector<wchar_t> path(kLongestName, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestName);
    if (length == 0 || length >= kLongestName) return {};
    return std::wstring(path.data(), length);
}

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
    m_icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
}

INT_PTR CShirlWindow::RunModal() {
    // The wide form makes the dialog and its controls Unicode windows, so
    // that names in any script pass through the name boxes and the report.
    return DialogBoxParamW(m_instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, &CShirlWindow::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CShirlWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CShirlWindow* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CShirlWindow*>(lParam);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CShirlWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
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
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    m_dlg.SetLists(ListsInFolders(FolderOf(Utf8FromWide(ModuleFileName()))));
    SetUpReportList();
    m_dlg.OnInitDialog();
    if (!m_startInput.empty()) m_dlg.OnInputGiven(m_startInput);
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
        {IDC_MAP_BUTTON, BN_CLICKED, &CShirlDlg::OnMapButton},
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
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
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
    return SendDlgItemMessageW(m_hwnd, id, message, wParam, lParam);
}

std::string CShirlWindow::ItemText(int id) const {
    HWND item = GetDlgItem(m_hwnd, id);
    const int length = GetWindowTextLengthW(item);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Utf8FromWide(text);
}

void CShirlWindow::FillSelectionList(const std::vector<std::string>& rows) {
    for (const auto& row : rows) {
        const std::wstring text = WideFromUtf8(row);
        SendItem(IDC_SELECTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CShirlWindow::SetAddMobileCheck(bool checked) {
    SendItem(IDC_ADD_MOBILE, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool CShirlWindow::GetAddMobileCheck() { return SendItem(IDC_ADD_MOBILE, BM_GETCHECK) != BST_UNCHECKED; }

int CShirlWindow::GetSelectionRow() {
    const LRESULT row = SendItem(IDC_SELECTION, CB_GETCURSEL);
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

// CB_SETCURSEL sends no CBN_SELCHANGE: the dialog is not told of its own change.
void CShirlWindow::SetSelectionRow(int row) { SendItem(IDC_SELECTION, CB_SETCURSEL, static_cast<WPARAM>(row)); }

std::string CShirlWindow::GetInputNameText() { return ItemText(IDC_INPUT_NAME); }

std::string CShirlWindow::GetOutputNameText() { return ItemText(IDC_OUTPUT_NAME); }

void CShirlWindow::SetNameTexts(const std::string& input, const std::string& output) {
    // A box that already holds its text is left alone, so that the caret
    // stays where the user is typing.
    if (ItemText(IDC_INPUT_NAME) != input) SetDlgItemTextW(m_hwnd, IDC_INPUT_NAME, WideFromUtf8(input).c_str());
    if (ItemText(IDC_OUTPUT_NAME) != output) SetDlgItemTextW(m_hwnd, IDC_OUTPUT_NAME, WideFromUtf8(output).c_str());
}

void CShirlWindow::ShowMessageBox(const std::string& text, MessageIcon icon) {
    const UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0u);
    MessageBoxW(m_hwnd, WideFromUtf8(text).c_str(), WideFromUtf8(m_appName).c_str(), style);
}

std::optional<std::string> CShirlWindow::RunFileDialog(const FileDialogRequest& request) {
    // Room for the longest name Windows takes; a name that does not fit
    // starts the dialog empty rather than cut.
    std::vector<wchar_t> name(kLongestName, L'\0');
    const std::wstring initial = WideFromUtf8(request.initialName);
    if (initial.size() < name.size()) std::copy(initial.begin(), initial.end(), name.begin());

    const std::wstring filter = WideFromUtf8(BuildFilterText(request.filters));
    const std::wstring title = WideFromUtf8(request.title);
    const std::wstring defaultSuffix = WideFromUtf8(request.defaultSuffix);
    OPENFILENAMEW settings;
    std::memset(&settings, 0, sizeof settings);
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = nullptr;
    settings.lpstrFilter = filter.c_str();
    settings.nFilterIndex = 0;
    settings.lpstrFile = name.data();
    settings.nMaxFile = static_cast<DWORD>(name.size());
    settings.lpstrTitle = title.c_str();
    settings.lpstrDefExt = defaultSuffix.c_str();
    settings.Flags = FileDialogFlags(request);

    const BOOL chosen =
        request.kind == FileDialogKind::Open ? GetOpenFileNameW(&settings) : GetSaveFileNameW(&settings);
    if (!chosen) return std::nullopt;
    name.back() = L'\0';
    return Utf8FromWide(name.data());
}

namespace {

// The guide's full name next to Shirl.exe, whether or not it is there.
std::wstring UserGuidePath() {
    std::wstring guide = ModuleFileName();
    const auto slash = guide.find_last_of(L"\\/");
    guide.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return guide + kUserGuideFile;
}

} // namespace

std::string CShirlWindow::UserGuideFile() {
    const std::wstring guide = UserGuidePath();
    const DWORD attributes = GetFileAttributesW(guide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    return Utf8FromWide(guide);
}

bool CShirlWindow::OpenUserGuide() {
    const std::wstring guide = UserGuidePath();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", guide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void CShirlWindow::EnableMapButton(bool enabled) { EnableWindow(GetDlgItem(m_hwnd, IDC_MAP_BUTTON), enabled); }

bool CShirlWindow::OpenWithDefaultProgram(const std::string& fileName) {
    const std::wstring name = WideFromUtf8(fileName);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", name.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::optional<std::pair<int, int>> CShirlWindow::ReadProgramVersion() {
    const std::wstring path = ModuleFileName();
    if (path.empty()) return std::nullopt;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
    void* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &fixed, &length) || fixed == nullptr) return std::nullopt;
    if (length == 0) return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    if (info->dwSignature != 0xFEEF04BD) return std::nullopt;
    return std::make_pair(static_cast<int>(HIWORD(info->dwFileVersionMS)),
                          static_cast<int>(LOWORD(info->dwFileVersionMS)));
}

} // namespace shirl
