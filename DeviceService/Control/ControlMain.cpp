// KavroDeviceControl: the device service simulator's control tool, for tests and for
// trying the programs without a keypad.
//   present on|off              plug the keypad in or out
//   fail METHOD RESULT [AFTER]  calls of METHOD ("IProfileManager::Create") beyond the
//                               first AFTER (0) answer RESULT (hex)
//   fail clear                  forget every failure rule
//   delay MS                    wait MS milliseconds in every call
//   launch TYPE PATH            ask the tray to launch an application
//   dump                        the whole keypad state as text
//   log [clear]                 the service's call log, or empty it
//   reset                       the factory keypad, no rules, no delay, empty log
//   state-path                  where the keypad memory is kept
//   shutdown                    save and end the service, and wait until it is gone
#include "CComPtr.h"
#include "DeviceService.h"

#include <objbase.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr DWORD kShutdownWaitMs = 15000;

void Write(HANDLE handle, const std::wstring& text)
{
    DWORD written = 0;
    if (WriteConsoleW(handle, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr))
        return;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    if (bytes <= 0)
        return;
    std::string narrow(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], bytes, nullptr, nullptr);
    WriteFile(handle, narrow.data(), static_cast<DWORD>(narrow.size()), &written, nullptr);
}

void Out(const std::wstring& text) { Write(GetStdHandle(STD_OUTPUT_HANDLE), text); }

int Fail(const std::wstring& text)
{
    Write(GetStdHandle(STD_ERROR_HANDLE), L"KavroDeviceControl: " + text + L"\n");
    return 1;
}

int Usage()
{
    return Fail(L"usage: present on|off | fail METHOD RESULT [AFTER] | fail clear | delay MS | "
                L"launch TYPE PATH | dump | log [clear] | reset | state-path | shutdown");
}

std::wstring Hex(HRESULT hr)
{
    wchar_t text[16];
    wsprintfW(text, L"0x%08X", static_cast<unsigned>(hr));
    return text;
}

int Check(HRESULT hr, const wchar_t* what)
{
    return FAILED(hr) ? Fail(std::wstring(what) + L" failed: " + Hex(hr)) : 0;
}

// Prints a CoTaskMem string the service returned and frees it.
int PrintText(HRESULT hr, LPWSTR text, const wchar_t* what)
{
    std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(text, &CoTaskMemFree);
    if (FAILED(hr))
        return Check(hr, what);
    if (!owned)
        return Fail(std::wstring(what) + L" gave no text");
    Out(owned.get());
    return 0;
}

bool ParseNumber(const wchar_t* text, int base, long& value)
{
    wchar_t* end = nullptr;
    const unsigned long parsed = wcstoul(text, &end, base);
    if (!*text || *end)
        return false;
    value = static_cast<long>(parsed);
    return true;
}

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

int WaitForExit(DWORD processId)
{
    std::unique_ptr<void, HandleCloser> process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        return 0;   // already gone
    const DWORD waited = WaitForSingleObject(process.get(), kShutdownWaitMs);
    return waited == WAIT_OBJECT_0 ? 0 : Fail(L"the service did not end");
}

int Run(IDeviceServiceControl* control, int argc, wchar_t** argv)
{
    const std::wstring command = argv[1];
    if (command == L"present" && argc == 3) {
        const std::wstring state = argv[2];
        if (state != L"on" && state != L"off")
            return Usage();
        return Check(control->SetPresent(state == L"on" ? 1 : 0), L"present");
    }
    if (command == L"fail" && argc == 3 && std::wstring(argv[2]) == L"clear")
        return Check(control->FailMethod(L"", S_OK, 0), L"fail clear");
    if (command == L"fail" && (argc == 4 || argc == 5)) {
        long result = 0;
        long after = 0;
        if (!ParseNumber(argv[3], 16, result) || (argc == 5 && !ParseNumber(argv[4], 10, after)))
            return Usage();
        return Check(control->FailMethod(argv[2], static_cast<HRESULT>(result), after), L"fail");
    }
    if (command == L"delay" && argc == 3) {
        long delay = 0;
        if (!ParseNumber(argv[2], 10, delay))
            return Usage();
        return Check(control->SetDelay(delay), L"delay");
    }
    if (command == L"launch" && argc == 4) {
        long type = 0;
        if (!ParseNumber(argv[2], 10, type))
            return Usage();
        return Check(control->FireLaunchApplication(type, argv[3]), L"launch");
    }
    if (command == L"dump" && argc == 2) {
        LPWSTR text = nullptr;
        const HRESULT hr = control->DumpState(&text);
        return PrintText(hr, text, L"dump");
    }
    if (command == L"log" && argc == 2) {
        LPWSTR text = nullptr;
        const HRESULT hr = control->GetCallLog(&text);
        return PrintText(hr, text, L"log");
    }
    if (command == L"log" && argc == 3 && std::wstring(argv[2]) == L"clear")
        return Check(control->ClearCallLog(), L"log clear");
    if (command == L"reset" && argc == 2)
        return Check(control->Reset(), L"reset");
    if (command == L"state-path" && argc == 2) {
        LPWSTR path = nullptr;
        const HRESULT hr = control->GetStatePath(&path);
        const int rc = PrintText(hr, path, L"state-path");
        if (rc == 0)
            Out(L"\n");
        return rc;
    }
    if (command == L"shutdown" && argc == 2) {
        DWORD processId = 0;
        const int rc = Check(control->Shutdown(&processId), L"shutdown");
        return rc != 0 ? rc : WaitForExit(processId);
    }
    return Usage();
}

class CComInit
{
    HRESULT m_hr;

public:
    CComInit() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComInit()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    HRESULT Result() const { return m_hr; }
};

}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    CComInit com;
    if (FAILED(com.Result()))
        return Check(com.Result(), L"CoInitializeEx");
    int rc = 0;
    {
        CComPtr<IDeviceServiceControl> control;
        const HRESULT hr = CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceServiceControl,
                                            reinterpret_cast<void**>(control.Receive()));
        if (FAILED(hr))
            return Check(hr, L"starting the device service");
        rc = Run(control.Get(), argc, argv);
    }
    return rc;
}
