// drive_shirl: drives Shirl.exe from inside Windows (or Wine) through its
// controls' own messages and checks what it shows and writes.
//
//   drive_shirl SHIRL_EXE CLI_EXE INPUT_LOG WORK_DIR EXAMPLE_LOG
//
// 1. Reads Shirl.exe's resources as data: version information, the IDD_MAIN
//    template control by control, the icon group and the manifest.
// 2. Converts INPUT_LOG with shirl-cli.exe (ticked and unticked "Add /M").
// 3. Starts a copy of Shirl.exe in WORK_DIR (without the user guide next to
//    it), checks the window at start, the error, About and Help boxes, the
//    file dialogs, types the names, picks "Alabama", converts three times
//    (flag ticked, unticked, ticked again) and compares each output file with
//    shirl-cli's, types a name longer than its box, drops folders and logs
//    (EXAMPLE_LOG has a county-line QSO) onto the window, presses Map, copies
//    and saves the report, then presses Exit and expects the program to end.
//
// Exit status 0 when every check passed, 1 otherwise, 77 (skipped) when no X
// display is available for Wine and SHIRL_REQUIRE_DISPLAY is not set.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/dialog/shirl_dlg.h"
#include "app/service/version.h"
#include "data/selections.h"
#include "files/file_streams.h"
#include "files/system_name.h"
#include "files/utf.h"
#include "res/resource.h"

// The version the build gives the program: the caption shows its first two numbers.
#define SHIRL_TEXT_OF(x) #x
#define SHIRL_TEXT(x) SHIRL_TEXT_OF(x)
#define SHIRL_CAPTION "Shirl " SHIRL_TEXT(SHIRL_VERSION_MAJOR) "." SHIRL_TEXT(SHIRL_VERSION_MINOR)
#define SHIRL_MAJOR_MINOR SHIRL_TEXT(SHIRL_VERSION_MAJOR) "." SHIRL_TEXT(SHIRL_VERSION_MINOR)

namespace {

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failures;
}

template <typename T>
void CheckEqual(const T& actual, const T& expected, const std::string& what) {
    std::ostringstream text;
    text << what;
    if (!(actual == expected)) text << " (got '" << actual << "', expected '" << expected << "')";
    Check(actual == expected, text.str());
}

[[noreturn]] void Fatal(const std::string& what) {
    std::printf("FAIL %s\n", what.c_str());
    std::exit(1);
}

// Wine passes Unix paths through; Z: is the root of the Unix file system.
std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (!path.empty() && path[0] == '\\') path = "Z:" + path;
    return path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Polls `condition` until it holds; the limit only keeps a broken program
// from hanging the suite, no check depends on how fast anything is.
bool WaitFor(const std::function<bool()>& condition, DWORD limitMs = 30000) {
    for (DWORD waited = 0; waited < limitMs; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

// UTF-8, the form every name of the program's own takes.
std::string Narrow(const wchar_t* text) {
    char narrow[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::wstring Wide(const std::string& utf8) { return shirl::WideFromUtf8(utf8); }

// The text of a window of the other process. GetWindowText does not ask
// another process's controls (it reads only captions), so this sends
// WM_GETTEXT; the wide form is the one marshalled faithfully between
// processes under Wine.
std::string WindowText(HWND hwnd) {
    wchar_t text[4096] = {};
    SendMessageW(hwnd, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

std::string ClassName(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// ---------------------------------------------------------------------------
// Resources read as data

struct TemplateControl {
    int id;
    std::string className;  // standard class, by name
    std::string caption;
    DWORD style;            // every style bit, WS_CHILD | WS_VISIBLE included
    int x, y, cx, cy;
};

// IDD_MAIN as the window is laid out: template (tab) order.
const std::vector<TemplateControl>& ExpectedControls() {
    static const std::vector<TemplateControl> controls = {
        {IDC_INPUT_BROWSE, "Button", "Input", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 204, 18, 50, 12},
        {IDC_OUTPUT_BROWSE, "Button", "Output", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 204, 48, 50, 12},
        {IDC_SELECTION, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 18, 78,
         168, 80},
        {IDC_ADD_MOBILE, "Button", "Add /M to mobiles",
         WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, 204, 96, 73, 10},
        {IDOK, "Button", "Convert", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 306, 18, 50, 12},
        {IDC_ABOUT, "Button", "About", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 306, 54, 50, 12},
        {IDC_HELP_BUTTON, "Button", "Help", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 306, 72, 50, 12},
        {IDCANCEL, "Button", "Exit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 306, 90, 50, 12},
        {IDC_MAP_BUTTON, "Button", "Map", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_DISABLED | WS_TABSTOP, 306, 36, 50,
         12},
        {IDC_INPUT_NAME, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE | CBS_AUTOHSCROLL | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 18,
         18, 168, 12},
        {IDC_OUTPUT_NAME, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE | CBS_AUTOHSCROLL | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
         18, 48, 168, 12},
        {IDC_REPORT, "ListBox", "",
         WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 18, 120, 336, 120},
        {IDC_STATE_LABEL, "Static", "State", WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 204, 78, 18, 8},
    };
    return controls;
}

class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}
    WORD Word() { return static_cast<WORD>(Byte() | (Byte() << 8)); }
    DWORD Dword() { return Word() | (static_cast<DWORD>(Word()) << 16); }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() {
        if (m_pos >= m_size) {
            m_overrun = true;
            return 0;
        }
        return m_data[m_pos++];
    }
    // A text of UTF-16 units up to the terminator, narrowed (templates here are ASCII).
    std::string Text() {
        std::string text;
        for (WORD unit = Word(); unit != 0 && !m_overrun; unit = Word()) text.push_back(static_cast<char>(unit));
        return text;
    }
    // sz_Or_Ord: 0xFFFF and an ordinal, or a text.
    std::string TextOrOrdinal() {
        const WORD first = Word();
        if (first == 0xFFFF) return std::string("#").append(std::to_string(Word()));
        std::string text;
        for (WORD unit = first; unit != 0 && !m_overrun; unit = Word()) text.push_back(static_cast<char>(unit));
        return text;
    }
    void AlignDword() {
        while (m_pos % 4 != 0) ++m_pos;
    }
    void Skip(DWORD count) { m_pos += count; }
    bool Overrun() const { return m_overrun || m_pos > m_size; }

private:
    const BYTE* m_data;
    DWORD m_size;
    DWORD m_pos = 0;
    bool m_overrun = false;
};

std::string StandardClassName(const std::string& raw) {
    static const std::pair<const char*, const char*> atoms[] = {
        {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}, {"#131", "ListBox"}, {"#132", "ScrollBar"},
        {"#133", "ComboBox"}};
    for (const auto& [atom, name] : atoms)
        if (raw == atom) return name;
    for (const auto& [atom, name] : atoms)
        if (SameText(raw, name)) return name;
    return raw;
}

std::optional<std::pair<const BYTE*, DWORD>> Resource(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return std::nullopt;
    return std::make_pair(static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found));
}

void CheckDialogTemplate(HMODULE module) {
    auto resource = Resource(module, MAKEINTRESOURCEA(IDD_MAIN), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    Check(resource.has_value(), "dialog template 102 exists");
    if (!resource) return;
    TemplateReader in(resource->first, resource->second);
    const WORD version = in.Word();
    const WORD signature = in.Word();
    Check(version == 1 && signature == 0xFFFF, "dialog template is a DLGTEMPLATEEX");
    in.Dword();  // help id
    const DWORD exStyle = in.Dword();
    const DWORD style = in.Dword();
    const WORD count = in.Word();
    const short x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
    CheckEqual<DWORD>(style,
                      WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
                      "dialog styles");
    CheckEqual<DWORD>(exStyle, WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, "dialog extended style (accepts dropped files)");
    Check(x == 0 && y == 0 && cx == 372 && cy == 258, "dialog is 372 x 258 dialog units");
    CheckEqual<std::string>(in.TextOrOrdinal(), "", "dialog has no menu");
    CheckEqual<std::string>(in.TextOrOrdinal(), "", "dialog has the standard dialog class");
    const std::string caption = in.Text();
    CheckEqual<std::string>(caption, SHIRL_CAPTION, "dialog caption in the template");
    CheckEqual(caption, shirl::DialogCaption(), "template caption is the one the dialog logic makes");
    const WORD points = in.Word();
    in.Word();  // weight
    in.Byte();  // italic
    in.Byte();  // character set
    const std::string face = in.Text();
    Check(points == 8 && face == "MS Shell Dlg", "dialog font is MS Shell Dlg 8 (" + face + ")");

    const auto& expected = ExpectedControls();
    CheckEqual<int>(count, static_cast<int>(expected.size()), "template control count");
    for (std::size_t i = 0; i < count && i < expected.size(); ++i) {
        in.AlignDword();
        in.Dword();  // help id
        const DWORD itemExStyle = in.Dword();
        const DWORD itemStyle = in.Dword();
        const short ix = in.Short(), iy = in.Short(), icx = in.Short(), icy = in.Short();
        const DWORD id = in.Dword();
        const std::string className = StandardClassName(in.TextOrOrdinal());
        const std::string caption = in.TextOrOrdinal();
        const WORD extra = in.Word();
        in.Skip(extra);
        const TemplateControl& want = expected[i];
        const std::string where = "template control " + std::to_string(i + 1) + " (id " + std::to_string(want.id) + ")";
        CheckEqual<int>(static_cast<int>(static_cast<short>(id)), want.id, where + ": id");
        CheckEqual(className, want.className, where + ": kind");
        CheckEqual(caption, want.caption, where + ": caption");
        CheckEqual<DWORD>(itemStyle, want.style, where + ": styles");
        CheckEqual<DWORD>(itemExStyle, 0, where + ": extended styles");
        Check(ix == want.x && iy == want.y && icx == want.cx && icy == want.cy, where + ": position and size");
    }
    Check(!in.Overrun(), "dialog template read within its size");
}

void CheckIconGroup(HMODULE module) {
    auto resource = Resource(module, MAKEINTRESOURCEA(IDI_MAIN), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    Check(resource.has_value(), "icon group 128 exists");
    if (!resource) return;
    TemplateReader in(resource->first, resource->second);
    in.Word();  // reserved
    const WORD type = in.Word();
    const WORD count = in.Word();
    Check(type == 1, "icon group holds icons");
    std::vector<std::string> images;
    for (WORD i = 0; i < count; ++i) {
        const int width = in.Byte(), height = in.Byte(), colours = in.Byte();
        in.Byte();
        in.Word();  // planes
        const WORD bits = in.Word();
        in.Dword();  // bytes
        in.Word();   // image id
        const bool sixteenColours = colours == 16 || (colours == 0 && bits == 4);
        images.push_back(std::to_string(width) + "x" + std::to_string(height) + (sixteenColours ? "/16" : "/other"));
    }
    std::sort(images.begin(), images.end());
    std::string list;
    for (const auto& image : images) list += image + " ";
    CheckEqual<std::string>(list, "16x16/16 32x32/16 ", "icon images: 32x32 and 16x16, 16 colours");
}

void CheckManifest(HMODULE module) {
    auto resource = Resource(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    Check(resource.has_value(), "manifest 1 exists");
    if (!resource) return;
    const std::string manifest(reinterpret_cast<const char*>(resource->first), resource->second);
    Check(manifest.find("level=\"asInvoker\"") != std::string::npos, "manifest: asInvoker");
    Check(manifest.find(">true</dpiAware>") != std::string::npos, "manifest: DPI-aware true");
    Check(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") != std::string::npos,
          "manifest: common controls 6");
}

void CheckVersionInfo(const std::string& exe) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    Check(size != 0, "Shirl.exe has version information");
    if (size == 0) return;
    std::vector<char> block(size);
    Check(GetFileVersionInfoA(exe.c_str(), 0, size, block.data()) != 0, "version information readable");
    void* value = nullptr;
    UINT length = 0;
    Check(VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO),
          "fixed version information present");
    if (!value) return;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    CheckEqual<DWORD>(fixed->dwSignature, 0xFEEF04BD, "version signature");
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                  static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                  static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                  static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS)));
    CheckEqual<std::string>(text, SHIRL_VERSION_STRING, "file version");
    Check(fixed->dwProductVersionMS == fixed->dwFileVersionMS && fixed->dwProductVersionLS == fixed->dwFileVersionLS,
          "product version equals file version");
    CheckEqual<DWORD>(fixed->dwFileFlagsMask, 0x3F, "file flags mask");
    CheckEqual<DWORD>(fixed->dwFileFlags, 0, "file flags");
    CheckEqual<DWORD>(fixed->dwFileOS, 0x4, "file OS");
    CheckEqual<DWORD>(fixed->dwFileType, 0x1, "file type");
    CheckEqual<DWORD>(fixed->dwFileSubtype, 0, "file subtype");

    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "Shirl"},  {"ProductName", "Shirl"},        {"InternalName", "Shirl.exe"},
        {"OriginalFilename", "Shirl.exe"}, {"FileVersion", SHIRL_VERSION_STRING}, {"ProductVersion", SHIRL_VERSION_STRING}};
    for (const auto& [key, expected] : strings) {
        char* found = nullptr;
        UINT foundLength = 0;
        const std::string path = std::string("\\StringFileInfo\\040904e4\\") + key;
        const bool ok = VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&found), &foundLength);
        CheckEqual<std::string>(ok && found ? found : "(none)", expected, std::string("version string ") + key);
    }
    // The maker's texts agree with the ones About shows.
    const std::pair<const char*, std::string> makers[] = {
        {"CompanyName", std::string(shirl::kAuthorText)},
        {"LegalCopyright", "Copyright (C) " + std::string(shirl::kCopyrightText) + ". MIT License"}};
    for (const auto& [key, expected] : makers) {
        char* found = nullptr;
        UINT foundLength = 0;
        const std::string path = std::string("\\StringFileInfo\\040904e4\\") + key;
        const bool ok = VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&found), &foundLength);
        CheckEqual<std::string>(ok && found ? found : "(none)", expected, std::string("version string ") + key);
    }
    WORD* translation = nullptr;
    UINT translationLength = 0;
    const bool ok = VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &translationLength);
    Check(ok && translationLength >= 4 && translation[0] == 0x0409 && translation[1] == 0x04E4,
          "translation 0x0409, 0x04E4");
}

// ---------------------------------------------------------------------------
// Processes

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

Process Start(const std::string& commandLine, const std::string& directory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &info))
        Fatal("cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

DWORD WaitExit(const Process& process, DWORD limitMs = 120000) {
    if (WaitForSingleObject(process.handle, limitMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process.handle, &code);
    return code;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// ---------------------------------------------------------------------------
// The running window

struct Finder {
    DWORD processId;
    std::string className;
    std::vector<std::string> titles;  // any of these
    HWND except = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* finder = reinterpret_cast<Finder*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == finder->processId && hwnd != finder->except && IsWindowVisible(hwnd) &&
        ClassName(hwnd) == finder->className &&
        std::find(finder->titles.begin(), finder->titles.end(), WindowText(hwnd)) != finder->titles.end()) {
        finder->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A dialog window of the process with one of these titles (other than `except`).
HWND FindProcessWindow(DWORD processId, const std::vector<std::string>& titles, HWND except = nullptr,
                       DWORD limitMs = 30000) {
    Finder finder{processId, "#32770", titles, except};
    WaitFor([&] {
        finder.found = nullptr;
        EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&finder));
        return finder.found != nullptr;
    }, limitMs);
    return finder.found;
}

struct MessageBoxSeen {
    bool found = false;
    std::string text;
    bool errorIcon = false;
};

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM param) {
    auto* seen = reinterpret_cast<MessageBoxSeen*>(param);
    if (!SameText(ClassName(hwnd), "Static") || !IsWindowVisible(hwnd)) return TRUE;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        if (SendMessageA(hwnd, STM_GETICON, 0, 0) != 0) seen->errorIcon = true;
    } else {
        const std::string text = WindowText(hwnd);
        if (!text.empty()) seen->text += text;
    }
    return TRUE;
}

// Waits for a message box of the program (caption "Shirl"), reads it and
// closes it with its OK button.
MessageBoxSeen TakeMessageBox(DWORD processId) {
    MessageBoxSeen seen;
    HWND box = FindProcessWindow(processId, {"Shirl"});
    if (!box) return seen;
    seen.found = true;
    EnumChildWindows(box, &CollectStatic, reinterpret_cast<LPARAM>(&seen));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box); });
    return seen;
}

// Clicks a button the way the dialog learns of it. Posted, since the
// handler may open a modal box of its own.
void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}


std::vector<std::string> ReportRows(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_REPORT);
    std::vector<std::string> rows;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t row[4096] = {};
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof row / sizeof row[0]))
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        rows.push_back(Narrow(row));
    }
    return rows;
}

void CheckReport(HWND dialog, const std::string& what) {
    const auto rows = ReportRows(dialog);
    Check(rows.size() >= 2 && rows.back().empty(), what + ": report rows end with an empty row");
    const bool wrote = std::any_of(rows.begin(), rows.end(), [](const std::string& row) {
        return row.rfind("Wrote ", 0) == 0;
    });
    Check(wrote, what + ": report has the \"Wrote ...\" summary row");
}

bool OnlyCrLf(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    return bytes.find('\n') != std::string::npos;
}

void CheckStartState(HWND dialog, DWORD threadId) {
    CheckEqual<std::string>(WindowText(dialog), SHIRL_CAPTION, "window caption");
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    Check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) == 0 && (style & WS_MINIMIZEBOX) == 0,
          "caption without system menu, close or minimize box");
    Check((GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, "window has WS_EX_APPWINDOW");
    // The window icons are not checked here: Wine answers WM_GETICON and
    // WM_QUERYDRAGICON from another process with 0 even when the icon is set.

    // Controls by id, kind and caption, and in tab order as children.
    std::vector<int> order;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(static_cast<short>(GetDlgCtrlID(child)));
    std::vector<int> expectedOrder;
    for (const auto& control : ExpectedControls()) {
        expectedOrder.push_back(control.id);
        HWND item = GetDlgItem(dialog, control.id);
        const std::string where = "control " + std::to_string(control.id);
        Check(item != nullptr && IsWindowVisible(item), where + " exists and is visible");
        if (!item) continue;
        Check(SameText(ClassName(item), control.className), where + " is a " + control.className);
        if (control.className != "ComboBox" && control.className != "ListBox")
            CheckEqual(WindowText(item), control.caption, where + " caption");
    }
    Check(order == expectedOrder, "children in template (tab) order");

    Check(!IsWindowEnabled(GetDlgItem(dialog, IDC_MAP_BUTTON)), "Map is off before a conversion");
    // Start state: no Selection, check box ticked, names and report empty.
    HWND selection = GetDlgItem(dialog, IDC_SELECTION);
    const auto displayOrder = shirl::DisplayOrder();
    CheckEqual<long>(static_cast<long>(SendMessageA(selection, CB_GETCOUNT, 0, 0)),
                     static_cast<long>(displayOrder.size()), "Selection rows");
    bool rowsMatch = true;
    for (std::size_t r = 0; r < displayOrder.size(); ++r) {
        wchar_t row[256] = {};
        if (SendMessageW(selection, CB_GETLBTEXTLEN, r, 0) < 256)
            SendMessageW(selection, CB_GETLBTEXT, r, reinterpret_cast<LPARAM>(row));
        const std::string text = Narrow(row);
        if (text != displayOrder[r].Name()) {
            rowsMatch = false;
            Check(false, "Selection row " + std::to_string(r) + " is '" + text + "'");
        }
    }
    Check(rowsMatch, "Selection rows in display order");
    Check(SendMessageA(selection, CB_GETCURSEL, 0, 0) == CB_ERR, "no Selection row picked at start");
    Check(SendDlgItemMessageA(dialog, IDC_ADD_MOBILE, BM_GETCHECK, 0, 0) == BST_CHECKED,
          "\"Add /M to mobiles\" ticked at start");
    Check(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)).empty(), "input name empty at start");
    Check(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)).empty(), "output name empty at start");
    Check(SendDlgItemMessageA(dialog, IDC_REPORT, LB_GETCOUNT, 0, 0) == 0, "report empty at start");
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    Check(GetGUIThreadInfo(threadId, &gui) && gui.hwndFocus == GetDlgItem(dialog, IDC_INPUT_BROWSE),
          "focus on \"Input\" at start");
}

BOOL CALLBACK PrintWindowOf(HWND hwnd, LPARAM processId) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == static_cast<DWORD>(processId) && IsWindowVisible(hwnd))
        std::printf("     window %s '%s'\n", ClassName(hwnd).c_str(), WindowText(hwnd).c_str());
    return TRUE;
}

// Lists the visible top-level windows of a process, to explain a failure.
void PrintProcessWindows(DWORD processId) { EnumWindows(&PrintWindowOf, static_cast<LPARAM>(processId)); }

enum class FileDialogAnswer {
    Cancel,   // press Cancel
    Choose,   // enter the name and press OK: the dialog closes
    Refused,  // enter the name and press OK: the dialog asks back or refuses
};

// Opens a file dialog with its button, checks its title and filters, and
// answers it.
// The Input dialog's filters: Cabrillo logs are read too.
const std::string kInputFilters = "ADIF and Cabrillo Logs;ADIF Files;Cabrillo Logs;All Files;";

void UseFileDialog(HWND dialog, DWORD processId, int button, const std::string& title, const std::string& name,
                   FileDialogAnswer answer, const std::string& expectedFilters = "ADIF Files;All Files;") {
    if (button != 0) PostClick(dialog, button);  // 0: something else opens it
    HWND fileDialog = FindProcessWindow(processId, {title});
    Check(fileDialog != nullptr, "file dialog \"" + title + "\" opens");
    if (!fileDialog) return;
    // The file type list (cmb1) shows the filters, the first in force.
    HWND types = GetDlgItem(fileDialog, 0x470);
    std::string filters;
    for (LRESULT i = 0, n = types ? SendMessageW(types, CB_GETCOUNT, 0, 0) : 0; i < n; ++i) {
        wchar_t row[256] = {};
        if (SendMessageW(types, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        filters += Narrow(row) + ";";
    }
    CheckEqual<std::string>(filters, expectedFilters, "file dialog \"" + title + "\" filters");
    Check(types && SendMessageW(types, CB_GETCURSEL, 0, 0) == 0, "file dialog \"" + title + "\" starts on its first filter");
    if (answer != FileDialogAnswer::Cancel) {
        HWND field = GetDlgItem(fileDialog, 0x47C);  // cmb13, the file name box
        if (!field) field = GetDlgItem(fileDialog, 0x480);  // edt1 in older templates
        Check(field != nullptr, "file dialog has a file name box");
        if (field) SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    }
    // Wine's file dialog can drop a button press that arrives while it is
    // still filling its folder view, so a press that changed nothing is
    // repeated (pressing Cancel or OK again is harmless).
    const auto press = [&](int id) {
        for (int attempt = 0; attempt < 5 && IsWindow(fileDialog); ++attempt) {
            PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
            if (WaitFor([&] { return !IsWindow(fileDialog); }, 5000)) return;
        }
    };
    if (answer == FileDialogAnswer::Cancel) press(IDCANCEL);
    if (answer == FileDialogAnswer::Choose) press(IDOK);
    if (answer == FileDialogAnswer::Refused) {
        // Wine titles its "no such file" box with nothing, its "replace?"
        // box with the file dialog's title.
        HWND question = nullptr;
        for (int attempt = 0; attempt < 5 && !question; ++attempt) {
            PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            question = FindProcessWindow(processId, {title, ""}, fileDialog, 5000);
        }
        Check(question != nullptr, "file dialog \"" + title + "\" asks back about " + name);
        if (!question) PrintProcessWindows(processId);
        if (question) {
            MessageBoxSeen seen;
            EnumChildWindows(question, &CollectStatic, reinterpret_cast<LPARAM>(&seen));
            std::printf("     (%s)\n", seen.text.c_str());
            const int no = GetDlgItem(question, IDNO) ? IDNO : IDOK;
            PostMessageA(question, WM_COMMAND, MAKEWPARAM(no, BN_CLICKED), 0);
            WaitFor([&] { return !IsWindow(question); });
        }
        Check(IsWindow(fileDialog) != FALSE, "file dialog \"" + title + "\" stays open after that");
        press(IDCANCEL);
    }
    Check(WaitFor([&] { return !IsWindow(fileDialog); }), "file dialog \"" + title + "\" closes");
}


// ---------------------------------------------------------------------------
// Names in any language

// Files and folders by UTF-8 name through the file layer (any length).
bool MakeFolder(const std::string& name) {
    const auto wide = shirl::SystemName(name);
    return wide && (CreateDirectoryW(wide->c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

bool WriteBytes(const std::string& name, const std::string& bytes) {
    shirl::FileSink sink;
    if (!sink.Open(name)) return false;
    sink.Write(bytes);
    return sink.Close();
}

std::string ReadBytes(const std::string& name) {
    shirl::FileSource source;
    if (!source.Open(name)) return "(cannot open)";
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = source.Read(chunk, sizeof chunk)) != 0;) bytes.append(chunk, n);
    return bytes;
}

// Types UTF-8 `text` into a simple combo box as a keyboard of its script
// would: its edit control gets one WM_CHAR per UTF-16 unit (a letter beyond
// U+FFFF arrives as its two surrogates), replacing what was there, and the
// combo box reports CBN_EDITCHANGE to the dialog by itself.
void TypeInto(HWND dialog, int comboId, const std::string& text) {
    HWND combo = GetDlgItem(dialog, comboId);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) Fatal("no edit control in combo box " + std::to_string(comboId));
    SendMessageW(edit, WM_SETFOCUS, 0, 0);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (wchar_t unit : Wide(text)) SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(unit), 0);
}

// Puts `text` into a name box and tells the dialog of the edit as the combo
// box does; for names wider than the box, which the keyboard cannot fill
// (it stops at the box's edge).
void PutInto(HWND dialog, int comboId, const std::string& text) {
    HWND combo = GetDlgItem(dialog, comboId);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (!edit) Fatal("no edit control in combo box " + std::to_string(comboId));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Convert(HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Whether the report has the row "Wrote N QSOs to OUTPUT".
bool ReportNames(HWND dialog, const std::string& output) {
    const std::string tail = " QSOs to " + output;
    for (const std::string& row : ReportRows(dialog))
        if (row.rfind("Wrote ", 0) == 0 && row.size() > tail.size() && row.compare(row.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    return false;
}

// Names outside ASCII (accents, Cyrillic, Greek, Chinese, an emoji, blanks,
// a folder of such a name): one typed into the input box, one chosen in the
// save dialog; then names longer than 260 characters. Each conversion must
// write the file shirl-cli writes and name it in the report as given.
void CheckNamesInAnyLanguage(HWND dialog, DWORD processId, const std::string& work, const std::string& log,
                             const std::string& expected) {
    const std::string folderName = "\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB \xE6\x97\xA5\xE5\xBF\x97 \xF0\x9F\x93\xBB";
    const std::string folder = work + "\\" + folderName;
    Check(MakeFolder(folder), "folder " + folder + " made");
    const std::string typedInput = folderName + "\\Zo\xC3\xAB \xC3\xBC\xC3\xB1.adi";  // relative to the program's folder
    Check(WriteBytes(work + "\\" + typedInput, log), "input " + typedInput + " written");
    TypeInto(dialog, IDC_INPUT_NAME, typedInput);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), typedInput, "typed input name outside ASCII");
    const std::string chosen = folder + "\\\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC \xF0\x9F\x8E\x99";
    const std::string output = chosen + ".adi";
    if (const auto stale = shirl::SystemName(output)) DeleteFileW(stale->c_str());  // else the dialog asks to replace it
    UseFileDialog(dialog, processId, IDC_OUTPUT_BROWSE, "Output ADIF file", chosen, FileDialogAnswer::Choose);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), output, "output name outside ASCII from the save dialog");
    Convert(dialog);
    Check(ReadBytes(output) == expected, "names outside ASCII: output equals shirl-cli's");
    Check(ReportNames(dialog, output), "names outside ASCII: the report names " + output);

    // A log may hold any bytes: a report row with a Latin-1 byte shows it as
    // U+FFFD, neither dropped nor ending the program.
    const std::string latin1Log =
        "x <EOH>\n<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:2>CW <CNTY:4>QQ\xE9Q <EOR>\n";
    Check(WriteBytes(folder + "\\latin1.adi", latin1Log), "Latin-1 log written");
    TypeInto(dialog, IDC_INPUT_NAME, folderName + "\\latin1.adi");
    TypeInto(dialog, IDC_OUTPUT_NAME, folderName + "\\latin1-out.adi");
    Convert(dialog);
    const auto rows = ReportRows(dialog);
    const std::string shown = "WARNING: K4ABC in QQ\xEF\xBF\xBDQ is not a valid Alabama county abbreviation.";
    Check(std::find(rows.begin(), rows.end(), shown) != rows.end(), "a report byte that is not UTF-8 shows as U+FFFD");

    // Five folders of 60 characters: more than 300 in all.
    std::string longFolder = folder;
    for (int level = 0; level < 5; ++level) {
        longFolder += "\\" + std::to_string(level) + std::string(57, 'a' + level) + "\xC3\xA9";
        if (!MakeFolder(longFolder)) Check(false, "long folder level " + std::to_string(level) + " made");
    }
    const std::string longInput = longFolder + "\\\xE8\xBE\x93\xE5\x85\xA5.adi";
    const std::string longOutput = longFolder + "\\\xE8\xBE\x93\xE5\x87\xBA.adi";
    Check(Wide(longOutput).size() > 300, "the long name has more than 300 characters");
    Check(WriteBytes(longInput, log), "long input written");
    // Not through Wine's file dialog: it overruns a buffer of its own on a
    // name this long and ends the program it runs in.
    PutInto(dialog, IDC_INPUT_NAME, longInput);
    PutInto(dialog, IDC_OUTPUT_NAME, longOutput);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), longInput, "long input name in its box");
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), longOutput, "long output name in its box");
    PostClick(dialog, IDOK);
    const MessageBoxSeen box = FindProcessWindow(processId, {"Shirl"}, nullptr, 3000) ? TakeMessageBox(processId) : MessageBoxSeen{};
    Check(!box.found, "name longer than 260 characters: no message (" + box.text + ")");
    Check(ReadBytes(longOutput) == expected, "name longer than 260 characters: output equals shirl-cli's");
    const bool named = ReportNames(dialog, longOutput);
    Check(named, "name longer than 260 characters: the report names it");
    if (!named)
        for (const std::string& row : ReportRows(dialog)) std::printf("     report: %s\n", row.c_str());
}

// Long names, drops, and the report copied and saved

// Runs a command line with its standard output in `outputFile`; the exit code.
DWORD RunToFile(const std::string& commandLine, const std::string& directory, const std::string& outputFile) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (out == INVALID_HANDLE_VALUE) Fatal("cannot create " + outputFile);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(),
                                        &startup, &info);
    CloseHandle(out);
    if (!started) Fatal("cannot start " + commandLine);
    CloseHandle(info.hThread);
    return WaitExit({info.hProcess, info.dwProcessId});
}

// Drops `names` onto the window as the shell does: a DROPFILES block (wide
// names, each NUL-ended, one more NUL at the end) in the program's own
// memory, posted as WM_DROPFILES.
bool PostDrop(HANDLE process, HWND dialog, const std::vector<std::string>& names) {
    std::wstring list;
    for (const std::string& name : names) {
        wchar_t wide[MAX_PATH * 2] = {};
        MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH * 2);
        list += wide;
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = {40, 40};
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    if (!remote || !WriteProcessMemory(process, remote, block.data(), block.size(), &written) ||
        written != block.size())
        return false;
    return PostMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

std::optional<std::string> ReadClipboardText() {
    std::optional<std::string> text;
    WaitFor([&] {
        if (!OpenClipboard(nullptr)) return false;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
                std::string narrow;
                for (const wchar_t* c = wide; *c; ++c) narrow.push_back(static_cast<char>(*c));  // ASCII here
                text = narrow;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return true;
    }, 10000);
    return text;
}

void ClearClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::string WithCrLf(const std::string& text) {
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf.push_back('\r');
        crlf.push_back(c);
    }
    return crlf;
}

// A name longer than the box, typed letter by letter, is the name written.
void CheckLongTypedName(HWND dialog, const std::string& work, const std::string& expect) {
    const std::string name = work + "\\alabama-qso-party-2026-converted-final-after-a-long-night.adi";
    DeleteFileA(name.c_str());
    TypeInto(dialog, IDC_OUTPUT_NAME, name);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), name, "a name longer than the box is kept whole");
    Convert(dialog);
    Check(ReadFile(name) == expect, "the long typed name is the file written, with shirl-cli's content");
    const auto rows = ReportRows(dialog);
    Check(std::find(rows.begin(), rows.end(), "Wrote 4 QSOs to " + name) != rows.end() ||
              std::find(rows.begin(), rows.end(), "Wrote 5 QSOs to " + name) != rows.end(),
          "the report names the long typed name");
}

// Opens the report list's context menu and picks its item `downs` rows
// down (the separator is skipped) with the keyboard. With `clickedRow` the
// menu opens as the mouse opens it: a right-click on that row.
bool PickReportMenuItem(HWND dialog, DWORD processId, int downs, int clickedRow = -1) {
    HWND list = GetDlgItem(dialog, IDC_REPORT);
    RECT rect;
    GetWindowRect(list, &rect);
    if (clickedRow < 0) {
        PostMessageW(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(rect.left + 20, rect.top + 20));
    } else {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(clickedRow), 0);
        RECT row{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(clickedRow), reinterpret_cast<LPARAM>(&row));
        const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
        PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageW(list, WM_RBUTTONUP, 0, at);
    }
    Finder finder{processId, "#32768", {""}};
    const bool shown = WaitFor([&] {
        finder.found = nullptr;
        EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&finder));
        return finder.found != nullptr;
    }, 10000);
    if (!shown) return false;
    for (int i = 0; i < downs; ++i) PostMessageW(finder.found, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(finder.found, WM_KEYDOWN, VK_RETURN, 1);
    return WaitFor([&] { return !IsWindowVisible(finder.found); }, 10000);
}

// A folder dropped is refused; the example log dropped converts with one
// press of Convert and its summary row shows after an empty row. Returns
// the report as shirl-cli prints it.
std::string DropAndConvertExample(const Process& shirl, HWND dialog, const std::string& cliExe,
                                  const std::string& work, const std::string& exampleLog) {
    const std::string party = work + "\\party.adi";
    const std::string offered = work + "\\party-converted.adi";
    const std::string reference = work + "\\ref-party.adi";
    const std::string printed = work + "\\cli-report.txt";
    if (!CopyFileA(exampleLog.c_str(), party.c_str(), FALSE)) Fatal("cannot copy the example log");
    // shirl-cli writes under the very name the window will use, so that the
    // reports are the same byte for byte.
    CheckEqual<DWORD>(RunToFile(Quote(cliExe) + " convert --selection AL party.adi " + Quote(offered), work, printed),
                      0, "shirl-cli converts the example");
    DeleteFileA(reference.c_str());
    MoveFileA(offered.c_str(), reference.c_str());
    const std::string expectLog = ReadFile(reference);
    const std::string expectReport = ReadFile(printed);
    Check(expectReport.find("\n\nConverted 11 Alabama counties.\n") != std::string::npos,
          "shirl-cli prints the summary after an empty line");

    CreateDirectoryA((work + "\\folder").c_str(), nullptr);
    Check(PostDrop(shirl.handle, dialog, {work + "\\folder"}), "a folder is dropped");
    MessageBoxSeen box = TakeMessageBox(shirl.id);
    CheckEqual<std::string>(box.text, "ERROR: A folder can't be converted. Drop a log file.", "a dropped folder is refused with a message box");
    Check(box.errorIcon, "the refusal has the error icon");

    TypeInto(dialog, IDC_OUTPUT_NAME, "");  // the user empties the output box
    Check(PostDrop(shirl.handle, dialog, {party}), "the example log is dropped");
    Check(WaitFor([&] { return WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)) == party; }),
          "the dropped file is the input name");
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), offered, "the output name offered for it");
    Convert(dialog);
    Check(ReadFile(offered) == expectLog, "the dropped log converts with one press: output equals shirl-cli's");

    const auto rows = ReportRows(dialog);
    const auto summary = std::find(rows.begin(), rows.end(), "Converted 11 Alabama counties.");
    Check(summary != rows.end() && summary != rows.begin() && (summary - 1)->empty(),
          "\"Converted 11 Alabama counties.\" on its own row after an empty row");
    std::string shown;
    for (const auto& row : rows) shown += row + "\n";
    CheckEqual(shown, expectReport, "the list rows, one a line, are the report shirl-cli prints");
    return expectReport;
}

// Rows copy with Ctrl+C and the context menu; the report saves as shirl-cli
// prints it.
void CheckReportCopyAndSave(const Process& shirl, HWND dialog, const std::string& work,
                            const std::string& expectReport) {
    const auto rows = ReportRows(dialog);
    const auto summary = std::find(rows.begin(), rows.end(), "Converted 11 Alabama counties.");
    if (summary == rows.end() || summary == rows.begin()) return;  // reported by DropAndConvertExample
    // Two rows selected and Ctrl+C (the character 3) in the list.
    HWND list = GetDlgItem(dialog, IDC_REPORT);
    const WPARAM at = static_cast<WPARAM>(summary - rows.begin());
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at - 1));
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at));
    CheckEqual<long>(static_cast<long>(SendMessageW(list, LB_GETSELCOUNT, 0, 0)), 2, "two report rows selected");
    ClearClipboard();
    SendMessageW(list, WM_CHAR, 3, 1);
    CheckEqual<std::string>(ReadClipboardText().value_or("(none)"), "\r\nConverted 11 Alabama counties.\r\n",
                            "Ctrl+C copies the selected rows as text, one a line");

    ClearClipboard();
    Check(PickReportMenuItem(dialog, shirl.id, 1), "context menu: \"Copy\" picked");
    CheckEqual<std::string>(ReadClipboardText().value_or("(none)"), "\r\nConverted 11 Alabama counties.\r\n",
                            "\"Copy\" copies the selected rows");
    // A right-click on a row outside the selection selects it alone; on a
    // row of the selection it keeps the selection.
    const int summaryRow = static_cast<int>(at);
    ClearClipboard();
    Check(PickReportMenuItem(dialog, shirl.id, 1, 0), "right-click on the first row: \"Copy\" picked");
    CheckEqual<std::string>(ReadClipboardText().value_or("(none)"), rows[0] + "\r\n",
                            "a right-click selects the row under it, and \"Copy\" copies it");
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at - 1));
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at));
    ClearClipboard();
    Check(PickReportMenuItem(dialog, shirl.id, 1, summaryRow), "right-click in the selection: \"Copy\" picked");
    CheckEqual<std::string>(ReadClipboardText().value_or("(none)"), "\r\nConverted 11 Alabama counties.\r\n",
                            "a right-click on a selected row keeps the selection");

    ClearClipboard();
    Check(PickReportMenuItem(dialog, shirl.id, 2), "context menu: \"Copy all\" picked");
    CheckEqual(ReadClipboardText().value_or("(none)"), WithCrLf(expectReport), "\"Copy all\" copies the whole report");

    const std::string saved = work + "\\report.txt";
    DeleteFileA(saved.c_str());
    Check(PickReportMenuItem(dialog, shirl.id, 3), "context menu: \"Save report as...\" picked");
    UseFileDialog(dialog, shirl.id, 0, "Save report as", saved, FileDialogAnswer::Choose, "Text Files;All Files;");
    Check(WaitFor([&] { return ReadFile(saved) == expectReport; }, 10000),
          "the saved report is plain text, the rows as shirl-cli prints them");
}

// Of two dropped files the first is taken, and the report says why.
void CheckSeveralDropped(const Process& shirl, HWND dialog, const std::string& work) {
    Check(PostDrop(shirl.handle, dialog, {work + "\\in.adi", work + "\\party.adi"}), "two files are dropped");
    Check(WaitFor([&] { return WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)) == work + "\\in.adi"; }),
          "of two dropped files the first is the input name");
    const auto after = ReportRows(dialog);
    Check(after.size() >= 2 && after[after.size() - 2].find("one file at a time is converted") != std::string::npos,
          "the report says that one file at a time is converted");
}

} // namespace

// The operator's abbreviation list in %APPDATA%\Shirl\lists, and the party
// detected from the log: a second Shirl.exe started with APPDATA pointing
// into the work folder shows South Dakota for a log whose CONTEST_ID names
// it, and its Convert uses the list (its first report row says so).
void CheckListFromAppData(const std::string& exe, const std::string& work) {
    const std::string appData = work + "\\appdata";
    const std::string lists = appData + "\\Shirl\\lists";
    CreateDirectoryA(appData.c_str(), nullptr);
    CreateDirectoryA((appData + "\\Shirl").c_str(), nullptr);
    CreateDirectoryA(lists.c_str(), nullptr);
    const std::string listFile = lists + "\\SD.csv";
    const std::string listText = "abbreviation,state,county\r\nOGLA,SD,Shannon\r\n";
    const std::string log = "<CALL:4>K0AA <QSO_DATE:8>20240907 <TIME_ON:4>1400 <BAND:3>40m <MODE:2>CW "
                            "<CONTEST_ID:12>SD-QSO-PARTY <CTY:4>OGLA <EOR>\r\n";
    for (const auto& [path, text] : {std::pair{listFile, listText}, std::pair{work + "\\sd.adi", log}}) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size();
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!ok) Fatal("cannot write " + path);
    }
    DeleteFileA((work + "\\sd-out.adi").c_str());

    // The child inherits the environment: APPDATA set for it alone.
    wchar_t oldAppData[MAX_PATH] = {};
    const DWORD oldLength = GetEnvironmentVariableW(L"APPDATA", oldAppData, MAX_PATH);
    SetEnvironmentVariableA("APPDATA", appData.c_str());
    const Process shirl = Start(Quote(exe), work);
    SetEnvironmentVariableW(L"APPDATA", oldLength > 0 && oldLength < MAX_PATH ? oldAppData : nullptr);
    WaitForInputIdle(shirl.handle, 30000);
    HWND dialog = FindProcessWindow(shirl.id, {SHIRL_CAPTION});
    if (!dialog) Fatal("the second Shirl.exe shows no window");

    TypeInto(dialog, IDC_INPUT_NAME, "sd.adi");
    HWND selection = GetDlgItem(dialog, IDC_SELECTION);
    const LRESULT row = SendMessageA(selection, CB_GETCURSEL, 0, 0);
    wchar_t shown[128] = {}; // the wide message: the text crosses into this process whole
    if (row != CB_ERR && SendMessageW(selection, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) < 128)
        SendMessageW(selection, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(shown));
    CheckEqual<std::string>(Narrow(shown), "South Dakota", "the State list shows the party of the log's CONTEST_ID");
    TypeInto(dialog, IDC_OUTPUT_NAME, "sd-out.adi");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    const auto rows = ReportRows(dialog);
    CheckEqual<std::string>(rows.empty() ? "" : rows.front(),
                            "INFO: Using abbreviation list " + listFile +
                                " for South Dakota (1 row, extends the built-in table).",
                            "the list in %APPDATA%\\Shirl\\lists is used");
    Check(ReadFile(work + "\\sd-out.adi").find("<CNTY:10>SD,Shannon") != std::string::npos,
          "the list's OGLA converts to SD,Shannon");

    PostClick(dialog, IDCANCEL);
    if (WaitExit(shirl, 30000) == STILL_ACTIVE) TerminateProcess(shirl.handle, 1);
}

// "Shirl.exe FILE" (Open with, a drop on the icon): FILE is the input, made
// whole, with the output offered beside it and the party of its CONTEST_ID.
void CheckFileGivenAtStart(const std::string& exe, const std::string& work, const std::string& exampleLog) {
    const std::string given = work + "\\given.adi";
    if (!CopyFileA(exampleLog.c_str(), given.c_str(), FALSE)) Fatal("cannot copy the example log to " + given);
    const Process shirl = Start(Quote(exe) + " given.adi", work);
    WaitForInputIdle(shirl.handle, 30000);
    HWND dialog = FindProcessWindow(shirl.id, {SHIRL_CAPTION});
    if (!dialog) Fatal("Shirl.exe FILE shows no window");
    CheckEqual<std::string>(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), given, "Shirl.exe FILE: the input");
    CheckEqual<std::string>(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), work + "\\given-converted.adi",
                            "Shirl.exe FILE: the output offered");
    HWND selection = GetDlgItem(dialog, IDC_SELECTION);
    const LRESULT row = SendMessageA(selection, CB_GETCURSEL, 0, 0);
    wchar_t shown[128] = {};
    if (row != CB_ERR && SendMessageW(selection, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) < 128)
        SendMessageW(selection, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(shown));
    CheckEqual<std::string>(Narrow(shown), "Alabama", "Shirl.exe FILE: the party of the log");
    PostClick(dialog, IDCANCEL);
    if (WaitExit(shirl, 30000) == STILL_ACTIVE) TerminateProcess(shirl.handle, 1);
}

// A dropped Cabrillo log converts in the window as shirl-cli converts it.
void CheckCabrilloDropped(const Process& shirl, HWND dialog, const std::string& cliExe, const std::string& work) {
    const std::string log = work + "\\fqp.log";
    const std::string offered = work + "\\fqp-converted.adi";
    const std::string reference = work + "\\ref-fqp.adi";
    Check(WriteBytes(log, "START-OF-LOG: 3.0\r\nCONTEST: FL-QSO-PARTY\r\nCALLSIGN: K4XX\r\n"
                          "QSO: 14035 CW 2025-04-26 1400 K4XX 599 PIN W1AW 599 ALC\r\n"
                          "QSO:  7040 CW 2025-04-26 1410 K4XX 599 PIN K4GHI 599 DAD/BRO\r\nEND-OF-LOG:\r\n"),
          "Cabrillo log written");
    DeleteFileA(reference.c_str());
    CheckEqual<DWORD>(WaitExit(Start(Quote(cliExe) + " convert --selection FL " + Quote(log) + " ref-fqp.adi", work)),
                      0, "shirl-cli converts the Cabrillo log");
    Check(PostDrop(shirl.handle, dialog, {log}), "the Cabrillo log is dropped");
    Check(WaitFor([&] { return WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)) == offered; }),
          "a Cabrillo log is offered an ADIF output");
    HWND selection = GetDlgItem(dialog, IDC_SELECTION);
    const LRESULT row = SendMessageA(selection, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>("Florida"));
    SendMessageA(selection, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELECTION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(selection));
    Convert(dialog);
    const std::string expect = ReadFile(reference);
    Check(expect.find("<CNTY:10>FL,Broward") != std::string::npos, "shirl-cli found the county line's second county");
    Check(ReadFile(offered) == expect, "the dropped Cabrillo log converts as shirl-cli converts it");
}

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: drive_shirl SHIRL_EXE CLI_EXE INPUT_LOG WORK_DIR EXAMPLE_LOG\n");
        return 2;
    }
    const std::string shirlExe = WindowsPath(argv[1]);
    const std::string cliExe = WindowsPath(argv[2]);
    const std::string inputLog = WindowsPath(argv[3]);
    const std::string work = WindowsPath(argv[4]);
    const std::string exampleLog = WindowsPath(argv[5]);

    // 1. Resources as data.
    CheckVersionInfo(shirlExe);
    HMODULE module = LoadLibraryExA(shirlExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(module != nullptr, "Shirl.exe loads as data");
    if (module) {
        CheckDialogTemplate(module);
        CheckIconGroup(module);
        CheckManifest(module);
        FreeLibrary(module);
    }

    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        const char* require = std::getenv("SHIRL_REQUIRE_DISPLAY");
        if (require != nullptr && *require == '1') Fatal("no X display for the window tests");
        std::printf("skip window tests: no X display (run under xvfb-run)\n");
        return g_failures == 0 ? 77 : 1;
    }

    // 2. The work folder: the input log, a copy of Shirl.exe without the
    // user guide beside it, and shirl-cli's reference outputs.
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string in = work + "\\in.adi";
    const std::string exe = work + "\\Shirl.exe";
    const std::string refTicked = work + "\\ref-mobile.adi";
    const std::string refUnticked = work + "\\ref-no-mobile.adi";
    for (const auto& stale : {"\\out.adi", "\\picked.adi", "\\guide.html"}) DeleteFileA((work + stale).c_str());
    if (!CopyFileA(inputLog.c_str(), in.c_str(), FALSE)) Fatal("cannot copy the input log to " + in);
    if (!CopyFileA(shirlExe.c_str(), exe.c_str(), FALSE)) Fatal("cannot copy Shirl.exe to " + exe);

    CheckEqual<DWORD>(WaitExit(Start(Quote(cliExe) + " convert --selection AL in.adi ref-mobile.adi", work)), 0,
                      "shirl-cli convert (Add /M ticked)");
    CheckEqual<DWORD>(
        WaitExit(Start(Quote(cliExe) + " convert --selection AL --no-mobile in.adi ref-no-mobile.adi", work)), 0,
        "shirl-cli convert --no-mobile");
    const std::string expectTicked = ReadFile(refTicked);
    const std::string expectUnticked = ReadFile(refUnticked);
    Check(OnlyCrLf(expectTicked), "shirl-cli wrote CR LF line ends");
    Check(expectTicked.find("<CNTY:10>AL,Autauga") != std::string::npos, "shirl-cli converted AUTA to AL,Autauga");
    Check(expectTicked != expectUnticked, "the fixture has a mobile station (outputs differ with the flag)");

    // 3. The window.
    const Process shirl = Start(Quote(exe), work);
    WaitForInputIdle(shirl.handle, 30000);
    HWND dialog = FindProcessWindow(shirl.id, {SHIRL_CAPTION});
    if (!dialog) Fatal("Shirl.exe shows no window \"" SHIRL_CAPTION "\"");
    CheckStartState(dialog, GetWindowThreadProcessId(dialog, nullptr));

    PostClick(dialog, IDOK);
    MessageBoxSeen box = TakeMessageBox(shirl.id);
    Check(box.found, "Convert with no names shows a message box captioned \"Shirl\"");
    CheckEqual<std::string>(box.text, "ERROR: Didn't specify input file.", "Convert with no names: text");
    Check(box.errorIcon, "Convert with no names: error icon");

    PostClick(dialog, IDC_ABOUT);
    box = TakeMessageBox(shirl.id);
    Check(box.found, "About shows a message box captioned \"Shirl\"");
    Check(box.text.rfind("Copyright: ", 0) == 0, "About text starts with \"Copyright: \"");
    Check(box.text.find("\nVersion: " SHIRL_MAJOR_MINOR "\n") != std::string::npos, "About shows \"Version: " SHIRL_MAJOR_MINOR "\" from the resource");
    Check(!box.errorIcon, "About shows no icon");

    PostClick(dialog, IDC_HELP_BUTTON);
    box = TakeMessageBox(shirl.id);
    Check(box.found, "Help without the user guide shows a message box captioned \"Shirl\"");
    CheckEqual<std::string>(box.text, "ERROR:  Could not start web browser.", "Help failure: text");
    Check(box.errorIcon, "Help failure: error icon");

    // File dialogs: cancelling keeps the boxes, choosing fills them; the save
    // dialog appends the default extension.
    UseFileDialog(dialog, shirl.id, IDC_INPUT_BROWSE, "Input ADIF File", "", FileDialogAnswer::Cancel, kInputFilters);
    Check(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)).empty(), "cancelled input dialog changes nothing");
    UseFileDialog(dialog, shirl.id, IDC_INPUT_BROWSE, "Input ADIF File", work + "\\missing.adi",
                  FileDialogAnswer::Refused, kInputFilters);
    Check(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)).empty(), "a missing input file is not taken");
    UseFileDialog(dialog, shirl.id, IDC_INPUT_BROWSE, "Input ADIF File", in, FileDialogAnswer::Choose, kInputFilters);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), in, "input name from the open dialog");
    UseFileDialog(dialog, shirl.id, IDC_OUTPUT_BROWSE, "Output ADIF file", work + "\\picked",
                  FileDialogAnswer::Choose);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), work + "\\picked.adi",
               "output name from the save dialog, with \".adi\" added");
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), in, "input name kept after choosing the output");
    UseFileDialog(dialog, shirl.id, IDC_OUTPUT_BROWSE, "Output ADIF file", in, FileDialogAnswer::Refused);
    CheckEqual(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), work + "\\picked.adi",
               "replacing an existing file needs a yes: output name unchanged after no");

    PostClick(dialog, IDOK);
    box = TakeMessageBox(shirl.id);
    CheckEqual<std::string>(box.text, "ERROR: You must select a state or QSO Party.", "Convert without a Selection");

    HWND selection = GetDlgItem(dialog, IDC_SELECTION);
    const LRESULT row = SendMessageA(selection, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>("Alabama"));
    Check(row != CB_ERR, "Selection list has \"Alabama\"");
    SendMessageA(selection, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELECTION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(selection));

    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    Check(ReadFile(work + "\\picked.adi") == expectTicked, "window output (browsed names) equals shirl-cli's");
    CheckReport(dialog, "browsed names");

    // Typed names, relative to the program's folder.
    TypeInto(dialog, IDC_INPUT_NAME, "in.adi");
    TypeInto(dialog, IDC_OUTPUT_NAME, "out.adi");
    CheckEqual<std::string>(WindowText(GetDlgItem(dialog, IDC_INPUT_NAME)), "in.adi", "typed input name");
    CheckEqual<std::string>(WindowText(GetDlgItem(dialog, IDC_OUTPUT_NAME)), "out.adi", "typed output name");

    SendMessageA(GetDlgItem(dialog, IDC_ADD_MOBILE), BM_CLICK, 0, 0);
    Check(SendDlgItemMessageA(dialog, IDC_ADD_MOBILE, BM_GETCHECK, 0, 0) == BST_UNCHECKED, "check box unticked");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    const std::string unticked = ReadFile(work + "\\out.adi");
    Check(unticked == expectUnticked, "window output (typed names, unticked) equals shirl-cli --no-mobile's");
    Check(OnlyCrLf(unticked), "window output has CR LF line ends");
    CheckReport(dialog, "typed names");

    SendMessageA(GetDlgItem(dialog, IDC_ADD_MOBILE), BM_CLICK, 0, 0);
    Check(SendDlgItemMessageA(dialog, IDC_ADD_MOBILE, BM_GETCHECK, 0, 0) == BST_CHECKED, "check box ticked again");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    Check(ReadFile(work + "\\out.adi") == expectTicked, "window output (ticked again) equals shirl-cli's");

    // Enter runs Convert (the default button) and the dialog stays open.
    DeleteFileA((work + "\\out.adi").c_str());
    // As after typing a name: Enter in the output name box.
    HWND focus = FindWindowExA(GetDlgItem(dialog, IDC_OUTPUT_NAME), nullptr, "Edit", nullptr);
    PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
    Check(WaitFor([&] { return ReadFile(work + "\\out.adi") == expectTicked; }),
          "Enter converts again: output equals shirl-cli's");
    Check(IsWindow(dialog) && IsWindowVisible(dialog), "the dialog stays open after Enter");

    // Map: writes the map beside the output and opens it with the program
    // for .svg; where there is none, a message box says so.
    DeleteFileA((work + "\\out-map.svg").c_str());
    Check(IsWindowEnabled(GetDlgItem(dialog, IDC_MAP_BUTTON)), "Map is on after a conversion");
    PostClick(dialog, IDC_MAP_BUTTON);
    Check(WaitFor([&] { return ReadFile(work + "\\out-map.svg").find("<title>Alabama QSO Party: ") != std::string::npos; }),
          "Map writes out-map.svg beside out.adi");
    box = TakeMessageBox(shirl.id);
    if (box.found) CheckEqual<std::string>(box.text, "ERROR: Could not open the map.", "Map without an .svg program");

    CheckNamesInAnyLanguage(dialog, shirl.id, work, ReadFile(in), expectTicked);
    CheckLongTypedName(dialog, work, expectTicked);
    const std::string printedReport = DropAndConvertExample(shirl, dialog, cliExe, work, exampleLog);
    CheckReportCopyAndSave(shirl, dialog, work, printedReport);
    CheckSeveralDropped(shirl, dialog, work);
    CheckCabrilloDropped(shirl, dialog, cliExe, work);

    // Exit ends the program.
    PostClick(dialog, IDCANCEL);
    const DWORD exitCode = WaitExit(shirl, 30000);
    Check(exitCode != STILL_ACTIVE, "Exit ends Shirl.exe");
    if (exitCode == STILL_ACTIVE) TerminateProcess(shirl.handle, 1);

    CheckListFromAppData(exe, work);
    CheckFileGivenAtStart(exe, work, exampleLog);

    std::printf("%d check(s) failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
