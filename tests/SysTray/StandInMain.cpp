// A stand-in program for the tray's process tests: built once under the configuration
// program's file name (which the tray finds and ends) and once as a program the tray
// launches. It shows nothing and ends by itself after two minutes at the latest.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ::Sleep(120000);
    return 0;
}
