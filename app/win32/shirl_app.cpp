#include "app/win32/shirl_app.h"

#include <shellapi.h>

#include "app/win32/shirl_window.h"
#include "files/utf.h"

namespace shirl {

CShirlApp theApp;

std::string AppNameFromPath(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0) name.erase(dot);
    return name;
}

std::string InputOfCommandLine(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(commandLine, &count);
    if (args == nullptr) return {};
    std::wstring given = count > 1 ? args[1] : L"";
    LocalFree(args);
    if (given.empty()) return {};
    // A name relative to the working folder, made whole as the file dialog gives it.
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size != 0) {
        std::wstring full(size, L'\0');
        const DWORD written = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
        if (written != 0 && written < size) given.assign(full.data(), written);
    }
    return Utf8FromWide(given);
}

bool CShirlApp::InitInstance(HINSTANCE instance) {
    // The executable's file name without folder and extension: the caption
    // of every message box.
    std::string appName = AppNameFromPath(Utf8FromWide(ModuleFileName()));
    if (appName.empty()) appName = "Shirl";

    CShirlWindow window(instance, appName);
    window.SetStartInput(InputOfCommandLine(GetCommandLineW()));
    window.RunModal();  // IDOK or IDCANCEL: either way the program ends
    return false;
}

} // namespace shirl
