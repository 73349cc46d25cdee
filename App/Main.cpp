// The entry point of KavroVelmoraConfig.exe.
#include "CKvCallbacks.h"
#include "CVelmoraAppApp.h"

#include <windows.h>

namespace
{
CVelmoraAppApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // COM is initialised for the main thread before the application's own start-up.
    InitCallbackList();
    return theApp.RunApplication(instance);
}
