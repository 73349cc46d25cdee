// KavroVelmoraSysTray: the tray program's entry point.
#include "CDaskSysTrayApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    CDaskSysTrayApp app;
    return app.RunApplication(instance);
}
