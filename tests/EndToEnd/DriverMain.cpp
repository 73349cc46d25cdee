// The driver's command line, for scripts that run the program themselves:
//   KavroVelmoraDriver screenshot CLASS SECONDS FILE.bmp
// waits up to SECONDS for a visible window of the class, lets it paint, then saves the
// screen; exit code 0 when saved, 1 when the window did not appear, 2 on wrong use or a
// failed save.
#include "CAppDriver.h"

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 5 || std::wcscmp(argv[1], L"screenshot") != 0)
    {
        std::fwprintf(stderr, L"usage: KavroVelmoraDriver screenshot CLASS SECONDS FILE.bmp\n");
        return 2;
    }
    const DWORD timeoutMs = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) * 1000;
    const DWORD start = ::GetTickCount();
    HWND found = nullptr;
    while (!(found = ::FindWindowW(argv[2], nullptr)) || !::IsWindowVisible(found))
    {
        if (::GetTickCount() - start >= timeoutMs)
            return 1;
        ::Sleep(100);
    }
    ::Sleep(1500);
    return CAppDriver::SaveScreenshot(argv[4]) ? 0 : 2;
}
