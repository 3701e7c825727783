// Entry point of Shirl.exe: the application object does everything.
#include <windows.h>

#include "app/win32/shirl_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    shirl::theApp.InitInstance(instance);
    return 0;
}
