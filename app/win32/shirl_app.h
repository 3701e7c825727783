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

    // Start-up hook: shows the main dialog, with the file named on the
    // command line as its input ("Open with", a drop on the icon), and
    // waits until it is closed.
    // Returns false: the program ends when the dialog does.
    bool InitInstance(HINSTANCE instance);
};

extern CShirlApp theApp;

// The full name of the file named by the first argument of `commandLine`
// (a program's whole command line, its own name first), or "" without one.
std::string InputOfCommandLine(const wchar_t* commandLine);

// The file name of `path` without its folder and extension.
std::string AppNameFromPath(const std::string& path);

} // namespace shirl
