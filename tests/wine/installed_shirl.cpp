// installed_shirl: checks an installed Shirl.exe from inside Windows (or Wine).
//
//   installed_shirl SHIRL_EXE RECORD_FILE
//       Starts SHIRL_EXE from another folder, expects its window with the
//       program's caption, presses Help and expects the HTML handler to be
//       asked to open the guide beside SHIRL_EXE (and no error box), then
//       presses Exit and expects the program to end.
//   installed_shirl --record RECORD_FILE ARGUMENT
//       The HTML handler of the test: writes ARGUMENT into RECORD_FILE.
//       (tools/test-packages.sh registers "installed_shirl --record FILE %1"
//       as the program that opens .html files.)
//
// Exit status 0 when every check passed, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/dialog/shirl_dlg.h"
#include "res/resource.h"

namespace {

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++g_failures;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD limitMs = 30000) {
    for (DWORD waited = 0; waited < limitMs; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

struct Search {
    DWORD processId;
    std::string caption;
    HWND found;
};

BOOL CALLBACK FindCaption(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (owner == search->processId && IsWindowVisible(hwnd) && search->caption == text) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of the process with this caption, or null.
HWND FindWindowOf(DWORD processId, const std::string& caption) {
    Search search{processId, caption, nullptr};
    EnumWindows(&FindCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SameText(std::string a, std::string b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

int Record(const std::string& file, const std::string& argument) {
    std::ofstream out(file, std::ios::binary);
    out << argument;
    return out ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--record") return Record(argv[2], argv[3]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: installed_shirl SHIRL_EXE RECORD_FILE | --record RECORD_FILE ARGUMENT\n");
        return 2;
    }
    const std::string exe = argv[1];
    const std::string record = argv[2];
    const std::string folder = exe.substr(0, exe.find_last_of("\\/") + 1);
    DeleteFileA(record.c_str());

    // Started from the Windows folder, so that only the program's own
    // location can lead Help to the guide.
    char windowsFolder[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, windowsFolder, &startup,
                        &process)) {
        std::printf("FAIL cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    WaitForInputIdle(process.hProcess, 30000);

    const std::string caption = shirl::DialogCaption();
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindWindowOf(process.dwProcessId, caption)) != nullptr; });
    Check(dialog != nullptr, "installed Shirl.exe shows its window \"" + caption + "\"");
    if (dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_HELP_BUTTON)));
        const bool opened = WaitFor([&] { return !ReadFile(record).empty(); });
        std::string asked = ReadFile(record);
        if (asked.size() >= 2 && asked.front() == '"' && asked.back() == '"') asked = asked.substr(1, asked.size() - 2);
        Check(opened, "Help asks the HTML handler to open a file");
        Check(SameText(asked, folder + "guide.html"), "Help opens the installed guide " + folder +
                                                          "guide.html (asked for: " + asked + ")");
        Check(FindWindowOf(process.dwProcessId, "Shirl") == nullptr, "Help shows no error box");

        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    Check(ended, "Exit ends the installed Shirl.exe");
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);

    std::printf("%d check(s) failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
