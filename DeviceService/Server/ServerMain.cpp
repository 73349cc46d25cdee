// The device service's process: "/RegServer [HKLM|HKCU]" and "/UnregServer [HKLM|HKCU]"
// write or remove its registration (HKLM when no root is given); started by COM it
// serves the simulated keypad until its control interface shuts it down.
#include "CClassFactory.h"
#include "CKeypadModel.h"
#include "CServerRegistration.h"
#include "DeviceService.h"
#include "ServicePins.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>

namespace {

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using CHandle = std::unique_ptr<void, HandleCloser>;

struct ArgvFreer
{
    void operator()(LPWSTR* argv) const { LocalFree(argv); }
};

class CComInit
{
    HRESULT m_hr;

public:
    CComInit() : m_hr(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~CComInit()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }
    HRESULT Result() const { return m_hr; }
};

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return std::wstring();
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring StatePath()
{
    wchar_t base[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)))
        return std::wstring();
    const std::wstring folder = std::wstring(base) + L"\\Kavro\\Velmora\\DeviceService";
    const int created = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS)
        return std::wstring();
    return folder + L"\\Keypad.kvs";
}

int Report(const std::wstring& text)
{
    OutputDebugStringW((L"KavroDeviceService: " + text + L"\n").c_str());
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE) {
        const std::wstring line = text + L"\r\n";
        DWORD written = 0;
        if (!WriteConsoleW(error, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr)) {
            const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
            std::string narrow(size_t(bytes > 0 ? bytes : 1), '\0');
            WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &narrow[0], bytes, nullptr, nullptr);
            WriteFile(error, narrow.c_str(), static_cast<DWORD>(narrow.size() - 1), &written, nullptr);
        }
    }
    return 1;
}

int Registration(bool add, const wchar_t* rootName)
{
    HKEY root = rootName ? CServerRegistration::RootFromName(rootName) : HKEY_LOCAL_MACHINE;
    if (!root)
        return Report(L"unknown registry root (HKLM or HKCU)");
    const std::wstring folder = ModuleFolder();
    CServerRegistration registration(root, folder + L"KavroDeviceService.exe", folder + L"KavroDeviceServicePS.dll");
    std::wstring error;
    if (!(add ? registration.Register(error) : registration.Unregister(error)))
        return Report(error);
    return 0;
}

int Serve()
{
    CComInit com;
    if (FAILED(com.Result()))
        return Report(L"cannot initialise COM");
    const std::wstring statePath = StatePath();
    if (statePath.empty())
        return Report(L"cannot make the folder of the keypad memory");
    CHandle shutdown(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!shutdown)
        return Report(L"cannot create the shutdown event");

    // Before the first client can call, and until the process ends.
    CInterfacePins pins;
    if (FAILED(PinServiceInterfaces(pins)))
        return Report(L"cannot keep the service's interfaces registered");

    CKeypadModel& model = CKeypadModel::Instance();
    model.Start(statePath, shutdown.get());
    auto* factory = new CClassFactory();
    DWORD cookie = 0;
    const HRESULT hr = CoRegisterClassObject(CLSID_DeviceService, static_cast<IClassFactory*>(factory),
                                             CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    factory->Release();
    if (FAILED(hr)) {
        model.Stop();
        return Report(L"cannot register the class object");
    }
    WaitForSingleObject(shutdown.get(), INFINITE);
    CoRevokeClassObject(cookie);
    // The shutdown call's answer is still on its way to the control tool.
    Sleep(200);
    model.Stop();
    pins.ReleaseAll();
    return 0;
}

}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    std::unique_ptr<LPWSTR, ArgvFreer> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    if (!argv)
        return Report(L"cannot read the command line");
    LPWSTR* args = argv.get();
    if (argc >= 2 && (lstrcmpiW(args[1], L"/RegServer") == 0 || lstrcmpiW(args[1], L"-RegServer") == 0))
        return Registration(true, argc >= 3 ? args[2] : nullptr);
    if (argc >= 2 && (lstrcmpiW(args[1], L"/UnregServer") == 0 || lstrcmpiW(args[1], L"-UnregServer") == 0))
        return Registration(false, argc >= 3 ? args[2] : nullptr);
    return Serve();
}
