// Stands in for the tray program in the start-up tests: it holds the tray program's
// single-instance mutex, by which the tests see that it runs, until the tests set the stop
// event (or a minute has passed).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The stop event comes first: whoever sees the mutex can always stop the stand-in.
    HANDLE stop = ::CreateEventW(nullptr, TRUE, FALSE, L"VelmoraEndToEndTrayStop");
    HANDLE running = ::CreateMutexW(nullptr, FALSE, L"VelmoraSysTray");
    if (stop)
    {
        ::WaitForSingleObject(stop, 60000);
        ::CloseHandle(stop);
    }
    if (running)
        ::CloseHandle(running);
    return 0;
}
