#include "app/win32/shirl_app.h"

#include "app/win32/shirl_window.h"

namespace shirl {

CShirlApp theApp;

std::string AppNameFromPath(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0) name.erase(dot);
    return name;
}

bool CShirlApp::InitInstance(HINSTANCE instance) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // The executable's file name without folder and extension: the caption
    // of every message box.
    std::string appName = AppNameFromPath(std::string(path, length < MAX_PATH ? length : 0));
    if (appName.empty()) appName = "Shirl";

    CShirlWindow window(instance, appName);
    window.RunModal();  // IDOK or IDCANCEL: either way the program ends
    return false;
}

} // namespace shirl
