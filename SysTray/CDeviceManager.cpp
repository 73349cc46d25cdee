#include "CDeviceManager.h"

#include "CMacroLedScheme.h"
#include "ServiceCalls.h"
#include "TrayEventSinks.h"

#include <objbase.h>

namespace
{
constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;
// The application property holds 128 UTF-16 units; one more keeps the text terminated.
constexpr DWORD kApplicationBytes = 256;
constexpr int kApplicationChars = kApplicationBytes / sizeof(wchar_t) + 1;
constexpr WORD kLinkedBit = 0x1;
constexpr WORD kDpiNoticeBit = 0x2;
constexpr WORD kProfileNoticeBit = 0x4;
}

CDeviceManager::CDeviceManager()
{
    if (m_device &&
        FAILED(m_device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(m_profileManager.Receive()))))
        m_profileManager.Release();
}

CDeviceManager::~CDeviceManager()
{
    m_profileManager.Release();
}

template <class Visit>
bool CDeviceManager::ForEachProfile(Visit visit) const
{
    if (!IsUsable())
        return false;
    for (LONG i = 0;; ++i)
    {
        CComPtr<IProfile> profile;
        if (FAILED(m_profileManager->Item(i, profile.Receive())))
            return false;
        CString name;
        if (ReadServiceName(profile.Get(), name) && visit(profile, name))
            return true;
    }
}

bool CDeviceManager::GetProfileSettings(std::vector<_Profile_Setting_>& settings) const
{
    settings.clear();
    ForEachProfile([&](const CComPtr<IProfile>& profile, const CString& name) {
        _Profile_Setting_ setting;
        setting.name = name;
        bool propertiesFound = false;
        ReadProperties(profile.Get(), setting, propertiesFound);
        if (propertiesFound)
            settings.push_back(setting);
        return false;
    });
    return !settings.empty();
}

bool CDeviceManager::GetProfileNames(CStringArray& names) const
{
    names.RemoveAll();
    ForEachProfile([&](const CComPtr<IProfile>&, const CString& name) {
        names.Add(name);
        return false;
    });
    return !names.IsEmpty();
}

bool CDeviceManager::GetProfileSetting(const CString& name, _Profile_Setting_& setting) const
{
    CComPtr<IProfile> profile;
    if (!FindProfile(name, profile))
        return false;
    setting.name = name;
    bool propertiesFound = false;
    return ReadProperties(profile.Get(), setting, propertiesFound);
}

bool CDeviceManager::GetActiveProfileName(CString& name) const
{
    if (!IsUsable())
        return false;
    CComPtr<IProfile> active;
    return SUCCEEDED(m_profileManager->GetActive(active.Receive())) && ReadServiceName(active.Get(), name);
}

bool CDeviceManager::ActivateProfile(const CString& name)
{
    CComPtr<IProfile> profile;
    return FindProfile(name, profile) && SUCCEEDED(m_profileManager->SetActive(profile.Get()));
}

bool CDeviceManager::CancelRecording()
{
    if (!LeaveCaptureMode())
        return false;
    return SetActiveProfileLed(CMacroLedScheme::Instance().Get(CMacroLedScheme::kOff));
}

bool CDeviceManager::ResetRecordingLed()
{
    return SetActiveProfileLed(CMacroLedScheme::Instance().Get(CMacroLedScheme::kOff));
}

bool CDeviceManager::SetActiveProfileLed(const CLed& led)
{
    CString name;
    return GetActiveProfileName(name) && SetProfileLed(name, led);
}

bool CDeviceManager::SetProfileLed(const CString& profileName, const CLed& led)
{
    CComPtr<IProfile> profile;
    CComPtr<ILedManager> leds;
    if (!FindProfile(profileName, profile) || !GetServiceSubObject(profile.Get(), IID_ILedManager, leds))
        return false;
    for (LONG i = 0;; ++i)
    {
        CComPtr<ILed> item;
        if (FAILED(leds->Item(i, item.Receive())))
            return false;
        LONG id = 0;
        if (SUCCEEDED(item->GetLedId(&id)) && id == led.m_ledId)
            return ApplyLed(item.Get(), led);
    }
}

bool CDeviceManager::SetDeviceMode(int mode)
{
    if (!m_device)
        return false;
    CComPtr<IDeviceMode> deviceMode;
    return SUCCEEDED(m_device->GetManager(IID_IDeviceMode, reinterpret_cast<IUnknown**>(deviceMode.Receive()))) &&
        SUCCEEDED(deviceMode->SetMode(mode));
}

std::unique_ptr<CEventConnection> CDeviceManager::CreateProfileEventConnection(IProfileEventHandler* handler)
{
    if (!IsUsable())
        return nullptr;
    CComPtr<CProfileEventSink> sink;
    sink.Attach(new CProfileEventSink(handler));
    CProfileEventSink* rawSink = sink.Get();
    return CEventConnection::Make(m_profileManager.Get(), IID__IProfileManagerEvents, sink.Get(),
        [rawSink]() { rawSink->DetachHandler(); });
}

std::unique_ptr<CEventConnection> CDeviceManager::CreateLaunchAppEventConnection(ILaunchAppEventHandler* handler)
{
    if (!m_device)
        return nullptr;
    CComPtr<IApplicationManager> applications;
    if (FAILED(m_device->GetManager(IID_IApplicationManager, reinterpret_cast<IUnknown**>(applications.Receive()))))
        return nullptr;
    CComPtr<CLaunchAppEventSink> sink;
    sink.Attach(new CLaunchAppEventSink(handler));
    CLaunchAppEventSink* rawSink = sink.Get();
    return CEventConnection::Make(applications.Get(), IID__IApplicationEvent, sink.Get(),
        [rawSink]() { rawSink->DetachHandler(); });
}

bool CDeviceManager::FindProfile(const CString& name, CComPtr<IProfile>& profile) const
{
    return ForEachProfile([&](const CComPtr<IProfile>& item, const CString& itemName) {
        if (itemName.Compare(name) != 0)
            return false;
        profile = item;
        return true;
    });
}

bool CDeviceManager::ReadProperties(IProfile* profile, _Profile_Setting_& setting, bool& propertiesFound)
{
    CComPtr<IProfileProperties> properties;
    propertiesFound = GetServiceSubObject(profile, IID_IProfileProperties, properties);
    if (!propertiesFound)
        return false;
    wchar_t application[kApplicationChars] = {};
    DWORD stored = 0;
    const bool applicationRead = SUCCEEDED(properties->GetProperty(kPropertyApplication,
        reinterpret_cast<BYTE*>(application), 0, kApplicationBytes, &stored));
    if (applicationRead && stored != 0)
        setting.application = application;
    WORD flags = 0;
    stored = 0;
    const bool flagsRead = SUCCEEDED(properties->GetProperty(kPropertyFlags, reinterpret_cast<BYTE*>(&flags), 0,
        sizeof(flags), &stored));
    if (flagsRead && stored != 0)
    {
        setting.linked = (flags & kLinkedBit) ? 1 : 0;
        setting.dpiNotice = (flags & kDpiNoticeBit) ? 1 : 0;
        setting.profileNotice = (flags & kProfileNoticeBit) ? 1 : 0;
    }
    return applicationRead && flagsRead;
}

// A facet of the LED that cannot be had is skipped; the LED is still switched.
bool CDeviceManager::ApplyLed(ILed* led, const CLed& command)
{
    CComPtr<ILedColour> colour;
    if (SUCCEEDED(led->QueryInterface(IID_ILedColour, reinterpret_cast<void**>(colour.Receive()))))
        colour->Set(command.m_colour);
    CComPtr<ILedEffect> effect;
    if (SUCCEEDED(led->QueryInterface(IID_ILedEffect, reinterpret_cast<void**>(effect.Receive()))))
        effect->Set(command.m_effect, command.m_onMs, command.m_offMs);
    CComPtr<ILedBrightness> brightness;
    if (SUCCEEDED(led->QueryInterface(IID_ILedBrightness, reinterpret_cast<void**>(brightness.Receive()))))
        brightness->Set(command.m_brightness);
    return SUCCEEDED(command.m_on == 1 ? led->TurnOn() : led->TurnOff());
}
