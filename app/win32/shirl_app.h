#pragma once
// The Windows application object: runs the main dialog modally and ends the
// program when it closes. One static instance, theApp.
#include <windows.h>

#include <string>

namespace shirl {

class CShirlApp {
public:
    CShirlApp() = default;
    CShirlApp(const CShirlApp&) = delete;
    CShirlApp& operator=(const CShirlApp&) = delete;

    // Start-up hook: shows the main dialog and waits until it is closed.
    // Returns false: the program ends when the dialog does.
    bool InitInstance(HINSTANCE instance);
};

extern CShirlApp theApp;

// The file name of `path` without its folder and extension.
std::string AppNameFromPath(const std::string& path);

} // namespace shirl
