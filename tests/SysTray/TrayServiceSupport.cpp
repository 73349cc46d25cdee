#include "TrayServiceSupport.h"

#include "ServiceClient.h"

#include <objbase.h>

#include <cstring>
#include <vector>

namespace
{
constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;

CComPtr<IProfileProperties> Properties(IProfile* profile)
{
    CComPtr<IProfileProperties> properties;
    if (profile)
        profile->GetSubObject(IID_IProfileProperties, reinterpret_cast<IUnknown**>(properties.Receive()));
    return properties;
}
}

bool TrayService::Reset()
{
    if (!m_control && FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceServiceControl,
                          reinterpret_cast<void**>(m_control.Receive()))))
        return false;
    return SUCCEEDED(m_control->Reset());
}

void TrayService::Restore()
{
    if (!m_control)
        return;
    m_control->FailMethod(L"", S_OK, 0);
    m_control->SetPresent(1);
}

CComPtr<IProfileManager> TrayService::Profiles() const
{
    CComPtr<IProfileManager> profiles;
    CComPtr<IDevice> device = FindKeypad();
    if (device)
        device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(profiles.Receive()));
    return profiles;
}

CComPtr<IProfile> TrayService::FindProfile(const std::wstring& name) const
{
    CComPtr<IProfileManager> profiles = Profiles();
    for (LONG i = 0; profiles; ++i)
    {
        CComPtr<IProfile> profile;
        if (FAILED(profiles->Item(i, profile.Receive())))
            break;
        LPWSTR text = nullptr;
        if (SUCCEEDED(profile->GetName(&text)) && TakeText(text) == name)
            return profile;
    }
    return CComPtr<IProfile>();
}

bool TrayService::AddProfile(const std::wstring& name)
{
    CComPtr<IProfileManager> profiles = Profiles();
    CComPtr<IProfile> profile;
    return profiles && SUCCEEDED(profiles->Create(profile.Receive())) && SUCCEEDED(profile->SetName(name.c_str()));
}

bool TrayService::SetFlags(const std::wstring& name, WORD mask, WORD value)
{
    CComPtr<IProfileProperties> properties = Properties(FindProfile(name).Get());
    const WORD data[2] = { mask, value };
    return properties &&
        SUCCEEDED(properties->SetProperty(kPropertyFlags, reinterpret_cast<const BYTE*>(data), 0, sizeof(data), 0));
}

bool TrayService::SetApplication(const std::wstring& name, const std::wstring& application)
{
    CComPtr<IProfileProperties> properties = Properties(FindProfile(name).Get());
    const DWORD size = static_cast<DWORD>((application.size() + 1) * sizeof(wchar_t));
    return properties &&
        SUCCEEDED(properties->SetProperty(kPropertyApplication, reinterpret_cast<const BYTE*>(application.c_str()), 0,
            size, 0));
}

bool TrayService::Activate(const std::wstring& name)
{
    CComPtr<IProfileManager> profiles = Profiles();
    CComPtr<IProfile> profile = FindProfile(name);
    return profiles && profile && SUCCEEDED(profiles->SetActive(profile.Get()));
}

std::wstring TrayService::ActiveName() const
{
    CComPtr<IProfileManager> profiles = Profiles();
    CComPtr<IProfile> active;
    LPWSTR text = nullptr;
    if (!profiles || FAILED(profiles->GetActive(active.Receive())) || FAILED(active->GetName(&text)))
        return std::wstring();
    return TakeText(text);
}

bool TrayService::SetMode(LONG mode)
{
    CComPtr<IDevice> device = FindKeypad();
    CComPtr<IDeviceMode> deviceMode;
    return device && SUCCEEDED(device->GetManager(IID_IDeviceMode, reinterpret_cast<IUnknown**>(deviceMode.Receive()))) &&
        SUCCEEDED(deviceMode->SetMode(mode));
}

bool TrayService::SwitchLed(const std::wstring& profileName, LONG ledId, bool on)
{
    CComPtr<IProfile> profile = FindProfile(profileName);
    CComPtr<ILedManager> leds;
    if (!profile || FAILED(profile->GetSubObject(IID_ILedManager, reinterpret_cast<IUnknown**>(leds.Receive()))))
        return false;
    for (LONG i = 0;; ++i)
    {
        CComPtr<ILed> led;
        LONG id = 0;
        if (FAILED(leds->Item(i, led.Receive())))
            return false;
        if (SUCCEEDED(led->GetLedId(&id)) && id == ledId)
            return SUCCEEDED(on ? led->TurnOn() : led->TurnOff());
    }
}

std::wstring TrayService::Dump() const
{
    LPWSTR text = nullptr;
    if (!m_control || FAILED(m_control->DumpState(&text)))
        return std::wstring();
    return TakeText(text);
}

std::wstring TrayService::CallLog() const
{
    LPWSTR text = nullptr;
    if (!m_control || FAILED(m_control->GetCallLog(&text)))
        return std::wstring();
    return TakeText(text);
}

int TrayService::SinkCount() const
{
    const std::wstring dump = Dump();
    const size_t end = dump.find(L" sinks,");
    if (end == std::wstring::npos)
        return -1;
    const size_t start = dump.rfind(L' ', end - 1);
    return std::stoi(dump.substr(start + 1, end - start - 1));
}

int TrayService::CountCalls(const std::wstring& method) const
{
    const std::wstring log = CallLog();
    int count = 0;
    for (size_t at = log.find(method); at != std::wstring::npos; at = log.find(method, at + method.size()))
        ++count;
    return count;
}
