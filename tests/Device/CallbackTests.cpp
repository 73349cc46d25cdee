// Event connections against the real device service: the events of the keypad reach the
// handlers on the thread that connected them, once per connection.
#include "CKvCallbacks.h"
#include "GuidText.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <vector>

namespace
{
class RecordingHandler : public IKvProfileEventHandler, public IKvKeymapEventHandler
{
public:
    std::vector<GUID> profiles;
    std::vector<GUID> keymaps;
    std::vector<DWORD> threads;

    void OnActiveProfileChanged(const GUID* profileId) override
    {
        profiles.push_back(profileId ? *profileId : GUID_NULL);
        threads.push_back(GetCurrentThreadId());
    }

    void OnActiveKeyMapChanged(const GUID* keymapId) override
    {
        keymaps.push_back(keymapId ? *keymapId : GUID_NULL);
        threads.push_back(GetCurrentThreadId());
    }
};

template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return true;
}

void Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

class Callbacks : public testing::Test
{
protected:
    CComPtr<IDeviceServiceControl> m_control;
    CComPtr<IProfileManager> m_profiles;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL,
            IID_IDeviceServiceControl, reinterpret_cast<void**>(m_control.Receive())));
        ASSERT_HRESULT_SUCCEEDED(m_control->Reset());
        CComPtr<IDeviceList> list;
        CComPtr<IDevice> device;
        ASSERT_HRESULT_SUCCEEDED(m_control.QueryInterface(IID_IDeviceList, list));
        ASSERT_HRESULT_SUCCEEDED(list->Item(0, device.Receive()));
        ASSERT_HRESULT_SUCCEEDED(device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(m_profiles.Receive())));
    }

    void TearDown() override
    {
        DestroyAllCallbacks();
        if (m_control)
            m_control->SetPresent(1);
        m_profiles.Release();
        m_control.Release();
        CoUninitialize();
    }

    // A second profile on the keypad, made active; answers its id.
    GUID ActivateNewProfile()
    {
        CComPtr<IProfile> profile;
        GUID id = {};
        EXPECT_HRESULT_SUCCEEDED(m_profiles->Create(profile.Receive()));
        EXPECT_HRESULT_SUCCEEDED(profile->GetId(&id));
        EXPECT_HRESULT_SUCCEEDED(m_profiles->SetActive(profile.Get()));
        return id;
    }
};
}

TEST_F(Callbacks, AdvisingTwiceMakesOneConnection)
{
    RecordingHandler handler;
    IKvCallback* callback = CreateProfileCallback(&handler);
    callback->Unadvise();
    EXPECT_FALSE(callback->IsAdvised());
    AdviseAllCallbacks();
    AdviseAllCallbacks();
    EXPECT_TRUE(callback->IsAdvised());

    const GUID id = ActivateNewProfile();
    ASSERT_TRUE(PumpUntil([&] { return !handler.profiles.empty(); }, 5000));
    Pump(300);
    ASSERT_EQ(handler.profiles.size(), 1u);
    EXPECT_TRUE(IsEqualGUID(handler.profiles[0], id));
    EXPECT_EQ(handler.threads[0], GetCurrentThreadId());

    UnadviseAllCallbacks();
    EXPECT_FALSE(callback->IsAdvised());
    ActivateNewProfile();
    Pump(300);
    EXPECT_EQ(handler.profiles.size(), 1u);
}

TEST_F(Callbacks, KeymapEventsComeFromTheActiveProfile)
{
    RecordingHandler handler;
    IKvCallback* callback = CreateKeymapCallback(&handler);
    callback->Advise();
    ASSERT_TRUE(callback->IsAdvised());
    CComPtr<IProfile> active;
    CComPtr<IKeyMapManager> keymaps;
    CComPtr<IKeyMap> keymap;
    GUID id = {};
    ASSERT_HRESULT_SUCCEEDED(m_profiles->GetActive(active.Receive()));
    ASSERT_HRESULT_SUCCEEDED(active->GetSubObject(IID_IKeyMapManager, reinterpret_cast<IUnknown**>(keymaps.Receive())));
    ASSERT_HRESULT_SUCCEEDED(keymaps->Item(3, keymap.Receive()));
    ASSERT_HRESULT_SUCCEEDED(keymap->GetId(&id));
    ASSERT_HRESULT_SUCCEEDED(keymaps->SetActive(keymap.Get()));
    ASSERT_TRUE(PumpUntil([&] { return !handler.keymaps.empty(); }, 5000));
    EXPECT_TRUE(IsEqualGUID(handler.keymaps[0], id));
    EXPECT_EQ(handler.threads[0], GetCurrentThreadId());
}

TEST_F(Callbacks, WithoutTheKeypadNothingIsConnected)
{
    ASSERT_HRESULT_SUCCEEDED(m_control->SetPresent(0));
    RecordingHandler handler;
    IKvCallback* callback = CreateProfileCallback(&handler);
    callback->Advise();
    EXPECT_FALSE(callback->IsAdvised());
    callback->Unadvise();
}

// Run by the test below in a second process: makes a new profile active on the keypad.
TEST_F(Callbacks, DISABLED_ActivateFromAnotherProcess)
{
    ActivateNewProfile();
}

TEST_F(Callbacks, AnEventFromAnotherProcessArrivesOnThisThread)
{
    RecordingHandler handler;
    CreateProfileCallback(&handler);
    AdviseAllCallbacks();

    wchar_t program[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    std::wstring line = L"\"" + std::wstring(program) +
                        L"\" --gtest_also_run_disabled_tests --gtest_filter=Callbacks.DISABLED_ActivateFromAnotherProcess";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CloseHandle(process.hThread);
    // The other process's call waits for nothing of ours; keep this thread pumping.
    const bool arrived = PumpUntil([&] { return !handler.profiles.empty(); }, 20000);
    WaitForSingleObject(process.hProcess, 20000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(handler.threads[0], GetCurrentThreadId());
}

TEST_F(Callbacks, KeymapEventsFollowTheActiveProfile)
{
    RecordingHandler handler;
    IKvCallback* callback = CreateKeymapCallback(&handler);
    callback->Advise();
    ASSERT_TRUE(callback->IsAdvised());
    const GUID profileId = ActivateNewProfile();
    // The callback hears of the new profile too; give that event time to arrive.
    Pump(500);
    CComPtr<IProfile> profile;
    CComPtr<IKeyMapManager> keymaps;
    CComPtr<IKeyMap> keymap;
    GUID id = {};
    uint32_t w[4];
    GuidToWords(profileId, w);
    ASSERT_HRESULT_SUCCEEDED(m_profiles->GetById(w[0], w[1], w[2], w[3], profile.Receive()));
    ASSERT_HRESULT_SUCCEEDED(profile->GetSubObject(IID_IKeyMapManager, reinterpret_cast<IUnknown**>(keymaps.Receive())));
    ASSERT_HRESULT_SUCCEEDED(keymaps->Item(2, keymap.Receive()));
    ASSERT_HRESULT_SUCCEEDED(keymap->GetId(&id));
    ASSERT_HRESULT_SUCCEEDED(keymaps->SetActive(keymap.Get()));
    ASSERT_TRUE(PumpUntil([&] { return !handler.keymaps.empty(); }, 5000)) << "the new profile's key map event";
    EXPECT_TRUE(IsEqualGUID(handler.keymaps.back(), id));
    EXPECT_TRUE(callback->IsAdvised());
}

TEST_F(Callbacks, AFailedAdviseLeavesTheCallbackUnconnectedAndALaterOneConnects)
{
    RecordingHandler handler;
    IKvCallback* callback = CreateProfileCallback(&handler);
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IConnectionPoint::Advise", E_FAIL, 0));
    callback->Advise();
    EXPECT_FALSE(callback->IsAdvised());
    ActivateNewProfile();
    Pump(300);
    EXPECT_TRUE(handler.profiles.empty());

    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    callback->Advise();
    EXPECT_TRUE(callback->IsAdvised());
    const GUID id = ActivateNewProfile();
    ASSERT_TRUE(PumpUntil([&] { return !handler.profiles.empty(); }, 5000));
    EXPECT_TRUE(IsEqualGUID(handler.profiles.back(), id));
}
