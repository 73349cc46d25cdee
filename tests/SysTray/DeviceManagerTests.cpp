#include "CDeviceManager.h"
#include "CMacroLedScheme.h"
#include "CTrayConnections.h"
#include "TrayServiceSupport.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace
{
class NullHandlers : public IProfileEventHandler, public ILaunchAppEventHandler
{
public:
    void OnActiveProfileChanged(const GUID*) override {}
    void OnLaunchApplication(int, const wchar_t*) override {}
};

class TrayDeviceManager : public testing::Test
{
protected:
    TrayService m_service;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(m_service.Reset());
    }
    void TearDown() override
    {
        m_service.Restore();
        m_service.Reset();
        CoUninitialize();
    }

    size_t Position(const std::wstring& text, const std::wstring& part)
    {
        return text.find(part);
    }
};
}

TEST_F(TrayDeviceManager, TellsNamesApartThatDifferOnlyInCase)
{
    ASSERT_TRUE(m_service.AddProfile(L"Game"));
    ASSERT_TRUE(m_service.AddProfile(L"game"));
    CDeviceManager manager;
    ASSERT_TRUE(manager.IsDevicePresent());
    CStringArray names;
    ASSERT_TRUE(manager.GetProfileNames(names));
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[1], L"Game");
    EXPECT_EQ(names[2], L"game");

    EXPECT_TRUE(manager.ActivateProfile(L"game"));
    EXPECT_EQ(m_service.ActiveName(), L"game");
    EXPECT_TRUE(manager.ActivateProfile(L"Game"));
    EXPECT_EQ(m_service.ActiveName(), L"Game");
    EXPECT_FALSE(manager.ActivateProfile(L"GAME"));
    EXPECT_EQ(m_service.ActiveName(), L"Game");
    CString active;
    ASSERT_TRUE(manager.GetActiveProfileName(active));
    EXPECT_EQ(active, L"Game");
}

TEST_F(TrayDeviceManager, ReadsEveryProfilesApplicationAndFlags)
{
    ASSERT_TRUE(m_service.AddProfile(L"Racing"));
    ASSERT_TRUE(m_service.SetFlags(L"Racing", 0x7, kLinkedFlag | kProfileNoticeFlag));
    ASSERT_TRUE(m_service.SetApplication(L"Racing", L"racer.exe"));
    // 128 characters fill the property's 256 bytes without a terminator.
    const std::wstring longest(128, L'x');
    ASSERT_TRUE(m_service.AddProfile(L"Long"));
    ASSERT_TRUE(m_service.SetApplication(L"Long", longest.substr(0, 127)));
    CDeviceManager manager;
    std::vector<_Profile_Setting_> settings;
    ASSERT_TRUE(manager.GetProfileSettings(settings));
    ASSERT_EQ(settings.size(), 3u);
    EXPECT_EQ(settings[0].name, L"Profile 1");
    EXPECT_TRUE(settings[0].application.IsEmpty());
    EXPECT_EQ(settings[0].linked, 0);
    EXPECT_EQ(settings[1].name, L"Racing");
    EXPECT_EQ(settings[1].application, L"racer.exe");
    EXPECT_EQ(settings[1].linked, 1);
    EXPECT_EQ(settings[1].dpiNotice, 0);
    EXPECT_EQ(settings[1].profileNotice, 1);
    EXPECT_EQ(settings[2].application.Str(), longest.substr(0, 127));

    _Profile_Setting_ one;
    ASSERT_TRUE(manager.GetProfileSetting(L"Racing", one));
    EXPECT_EQ(one.name, L"Racing");
    EXPECT_EQ(one.profileNotice, 1);
    EXPECT_FALSE(manager.GetProfileSetting(L"racing", one));
}

TEST_F(TrayDeviceManager, KeepsTheApplicationTerminatedWhenItFillsTheProperty)
{
    ASSERT_TRUE(m_service.AddProfile(L"Full"));
    // 128 characters and no terminator: the whole 256-byte property.
    const std::wstring full(128, L'y');
    CComPtr<IProfile> profile = m_service.FindProfile(L"Full");
    CComPtr<IProfileProperties> properties;
    ASSERT_HRESULT_SUCCEEDED(profile->GetSubObject(IID_IProfileProperties, reinterpret_cast<IUnknown**>(properties.Receive())));
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(0x80000002, reinterpret_cast<const BYTE*>(full.data()), 0,
        static_cast<DWORD>(full.size() * sizeof(wchar_t)), 0));
    CDeviceManager manager;
    _Profile_Setting_ setting;
    ASSERT_TRUE(manager.GetProfileSetting(L"Full", setting));
    EXPECT_EQ(setting.application.Str(), full);
}

TEST_F(TrayDeviceManager, AFailedFlagReadKeepsTheFlagsZero)
{
    ASSERT_TRUE(m_service.SetFlags(L"Profile 1", 0x7, 0x7));
    ASSERT_TRUE(m_service.SetApplication(L"Profile 1", L"game.exe"));
    // The application is read first; every read after it fails.
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->FailMethod(L"IProfileProperties::GetProperty", E_FAIL, 1));
    CDeviceManager manager;
    std::vector<_Profile_Setting_> settings;
    ASSERT_TRUE(manager.GetProfileSettings(settings));
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].application, L"game.exe");
    EXPECT_EQ(settings[0].linked, 0);
    EXPECT_EQ(settings[0].dpiNotice, 0);
    EXPECT_EQ(settings[0].profileNotice, 0);
}

TEST_F(TrayDeviceManager, SkipsAProfileWithoutProperties)
{
    ASSERT_TRUE(m_service.AddProfile(L"Second"));
    ASSERT_TRUE(m_service.AddProfile(L"Third"));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->FailMethod(L"IProfile::GetSubObject", E_FAIL, 1));
    CDeviceManager manager;
    std::vector<_Profile_Setting_> settings;
    ASSERT_TRUE(manager.GetProfileSettings(settings));
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].name, L"Profile 1");
}

TEST_F(TrayDeviceManager, ReportsFalseWithoutTheKeypad)
{
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->SetPresent(0));
    CDeviceManager manager;
    EXPECT_FALSE(manager.IsDevicePresent());
    CStringArray names;
    names.Add(L"stale");
    EXPECT_FALSE(manager.GetProfileNames(names));
    EXPECT_TRUE(names.IsEmpty());
    std::vector<_Profile_Setting_> settings(1);
    EXPECT_FALSE(manager.GetProfileSettings(settings));
    EXPECT_TRUE(settings.empty());
    CString active;
    EXPECT_FALSE(manager.GetActiveProfileName(active));
    EXPECT_FALSE(manager.CancelRecording());
    NullHandlers handlers;
    CTrayConnections connections;
    connections.Connect(&handlers, &handlers);
    EXPECT_FALSE(connections.HasProfileConnection());
    EXPECT_FALSE(connections.HasLaunchConnection());
}

TEST_F(TrayDeviceManager, ConnectsBothOrNeither)
{
    struct Case
    {
        const char* description;
        const wchar_t* method;
        LONG after;
    };
    // The connect step's one manager asks for the profile manager first, then the
    // application manager; the profile sink is advised before the launch sink.
    const Case cases[] = {
        { "the launch source cannot be had", L"IDevice::GetManager", 1 },
        { "the launch sink's Advise fails", L"IConnectionPoint::Advise", 1 },
        { "the profile sink's Advise fails", L"IConnectionPoint::Advise", 0 },
    };
    NullHandlers handlers;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.description);
        const int sinksBefore = m_service.SinkCount();
        ASSERT_HRESULT_SUCCEEDED(m_service.Control()->FailMethod(c.method, E_FAIL, c.after));
        CTrayConnections connections;
        connections.Connect(&handlers, &handlers);
        EXPECT_FALSE(connections.IsConnected());
        EXPECT_FALSE(connections.HasProfileConnection());
        EXPECT_FALSE(connections.HasLaunchConnection());
        EXPECT_EQ(m_service.SinkCount(), sinksBefore);

        // Once the service answers again, the next attempt connects both.
        ASSERT_HRESULT_SUCCEEDED(m_service.Control()->FailMethod(L"", S_OK, 0));
        connections.Connect(&handlers, &handlers);
        EXPECT_TRUE(connections.IsConnected());
        EXPECT_EQ(m_service.SinkCount(), sinksBefore + 2);
        connections.Disconnect();
        EXPECT_FALSE(connections.HasProfileConnection());
        EXPECT_EQ(m_service.SinkCount(), sinksBefore);
    }
}

TEST_F(TrayDeviceManager, CancelRecordingLeavesCaptureModeThenSwitchesTheRecordingLedOff)
{
    ASSERT_TRUE(m_service.SetMode(2));
    ASSERT_TRUE(m_service.SwitchLed(L"Profile 1", 7, true));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->ClearCallLog());
    CDeviceManager manager;
    EXPECT_TRUE(manager.CancelRecording());
    const std::wstring log = m_service.CallLog();
    const size_t mode = Position(log, L"IDeviceMode::SetMode");
    const size_t off = Position(log, L"ILed::TurnOff");
    ASSERT_NE(mode, std::wstring::npos) << log.c_str();
    ASSERT_NE(off, std::wstring::npos) << log.c_str();
    EXPECT_LT(mode, off);
    const std::wstring dump = m_service.Dump();
    EXPECT_NE(dump.find(L"mode 1,"), std::wstring::npos) << dump.c_str();
    EXPECT_NE(dump.find(L"led 7 off colour 0x0000FF brightness 100 effect 0"), std::wstring::npos) << dump.c_str();
}

TEST_F(TrayDeviceManager, CancelRecordingLeavesTheLedAloneWhenTheModeCannotBeSet)
{
    ASSERT_TRUE(m_service.SwitchLed(L"Profile 1", 7, true));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->FailMethod(L"IDeviceMode::SetMode", E_FAIL, 0));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->ClearCallLog());
    CDeviceManager manager;
    EXPECT_FALSE(manager.CancelRecording());
    EXPECT_EQ(m_service.CountCalls(L"ILed::"), 0) << m_service.CallLog().c_str();
    EXPECT_NE(m_service.Dump().find(L"led 7 on"), std::wstring::npos);
}

TEST_F(TrayDeviceManager, ResetRecordingLedSwitchesTheLedOffWithoutAModeChange)
{
    ASSERT_TRUE(m_service.SwitchLed(L"Profile 1", 7, true));
    ASSERT_HRESULT_SUCCEEDED(m_service.Control()->ClearCallLog());
    CDeviceManager manager;
    EXPECT_TRUE(manager.ResetRecordingLed());
    EXPECT_EQ(m_service.CountCalls(L"IDeviceMode::SetMode"), 0);
    EXPECT_NE(m_service.Dump().find(L"led 7 off"), std::wstring::npos);
}

TEST(MacroLedScheme, HoldsTheThreeRecordingStatesOfLedSeven)
{
    const CMacroLedScheme& scheme = CMacroLedScheme::Instance();
    const CLed& off = scheme.Get(CMacroLedScheme::kOff);
    EXPECT_EQ(off.m_ledId, 7);
    EXPECT_EQ(off.m_on, 0);
    EXPECT_EQ(off.m_colour, RGB(255, 0, 0));
    EXPECT_EQ(off.m_brightness, 100);
    const CLed& waiting = scheme.Get(CMacroLedScheme::kWaitingForKey);
    EXPECT_EQ(waiting.m_on, 1);
    EXPECT_EQ(waiting.m_effect, 1);
    EXPECT_EQ(waiting.m_onMs, 300);
    EXPECT_EQ(waiting.m_offMs, 300);
    EXPECT_EQ(scheme.Get(CMacroLedScheme::kRecording).m_effect, 0);
}
