// The device layer against the real device service (the simulator under Wine), with the
// key definitions the build ships.
#include "CKeyDefTable.h"
#include "CKeypad.h"
#include "CVelmoraConfig.h"
#include "KeyId.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <fstream>
#include <iterator>
#include <string>

namespace
{
std::wstring TakeText(LPWSTR text)
{
    std::wstring copy = text ? text : L"";
    CoTaskMemFree(text);
    return copy;
}

std::vector<uint8_t> ReadBinary(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int CountOf(const std::wstring& text, const std::wstring& what)
{
    int count = 0;
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// The key definitions of the build, as the program loads them.
class BuiltKeyDefinitions
{
public:
    CKeyDefTable table;

    BuiltKeyDefinitions()
    {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path);
        folder = folder.substr(0, folder.find_last_of(L'\\'));
        folder = folder.substr(0, folder.find_last_of(L'\\'));
        folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\App\\bin\\";
        std::vector<uint8_t> keys = ReadBinary(folder + L"kbddef.dat");
        std::vector<uint8_t> defaults = ReadBinary(folder + L"velmodef.dat");
        if (table.Load(keys.data(), static_cast<int>(keys.size())))
            table.LoadDefaults(defaults.data(), static_cast<int>(defaults.size()));
    }
};

class Keypad : public testing::Test
{
protected:
    BuiltKeyDefinitions m_keys;
    CComPtr<IDeviceServiceControl> m_control;
    std::unique_ptr<CVelmoraConfig> m_store;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(m_keys.table.IsLoaded());
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL,
            IID_IDeviceServiceControl, reinterpret_cast<void**>(m_control.Receive())));
        ASSERT_HRESULT_SUCCEEDED(m_control->Reset());
        m_store = std::make_unique<CVelmoraConfig>(&m_keys.table);
    }

    void TearDown() override
    {
        DestroyAppObjects();
        m_store.reset();
        if (m_control) {
            m_control->FailMethod(L"", S_OK, 0);
            m_control->SetDelay(0);
            m_control->SetPresent(1);
        }
        m_control.Release();
        CoUninitialize();
    }

    std::wstring CallLog()
    {
        LPWSTR log = nullptr;
        EXPECT_HRESULT_SUCCEEDED(m_control->GetCallLog(&log));
        return TakeText(log);
    }

    // Waits for the worker while letting this thread's messages through.
    static bool WaitIdle(CKeypad& keypad, DWORD timeoutMs = 20000)
    {
        const DWORD start = GetTickCount();
        while (keypad.IsBusy()) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(10);
        }
        return true;
    }
};
}

TEST_F(Keypad, FallsBackToTheOfflineKeypadWithoutAKeypad)
{
    ASSERT_HRESULT_SUCCEEDED(m_control->SetPresent(0));
    IGenDevice<IKeypadConfig*, IKeypadProfile*>* device = CreateKeypadDevice(m_store.get(), &m_keys.table);
    ASSERT_NE(device, nullptr);
    EXPECT_STREQ(device->GetDisplayName(), L"NullKeypad");
    EXPECT_EQ(m_store->GetProfileCount(), 20);
    EXPECT_FALSE(device->SyncConfig(m_store.get(), 0, 0xFFF));
}

TEST_F(Keypad, FallsBackWhenTheVersionCannotBeRead)
{
    // The connection's own GetInfo passes; the version read after it fails.
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IDevice::GetInfo", E_FAIL, 1));
    IGenDevice<IKeypadConfig*, IKeypadProfile*>* device = CreateKeypadDevice(m_store.get(), &m_keys.table);
    EXPECT_STREQ(device->GetDisplayName(), L"NullKeypad");
    EXPECT_EQ(m_store->GetProfileCount(), 20);
}

TEST_F(Keypad, InitializeReadsProfilesKeymapsButtonsAndKeys)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_GE(m_store->GetProfileCount(), 1);
    IKeypadProfile* profile = m_store->GetProfile(0);
    GUID id;
    EXPECT_FALSE(IsNullGuid(*profile->GetGUID(&id)));
    EXPECT_EQ(profile->GetKeymapCount(), 8);
    EXPECT_FALSE(IsNullGuid(profile->GetKeymap(0)->GetGUID()));
    const std::vector<uint32_t> buttons = { 0x4, 0x80, 0x100 };
    EXPECT_EQ(keypad.GetKeymapButtons(), buttons);
    EXPECT_EQ(keypad.GetKeymapKeyCodes().size(), 24u);
    CString version;
    EXPECT_TRUE(keypad.GetVersionText(version));
    EXPECT_EQ(version, L"1.05");
    EXPECT_EQ(keypad.GetVersionB(), L"2.01");
    EXPECT_EQ(keypad.GetDeviceProfileCount(), m_store->GetProfileCount());
    EXPECT_FALSE(keypad.SyncConfig(m_store.get(), 2, 0xFFF));
}

TEST_F(Keypad, ApplyTwiceQuicklyWritesOnce)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->GetProfile(0)->SetName(L"Renamed on the keypad");
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(5));
    ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());

    EXPECT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    EXPECT_TRUE(keypad.IsBusy());
    EXPECT_FALSE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    // Every other operation is refused while the worker holds the connection.
    EXPECT_EQ(keypad.GetDeviceProfileCount(), 0);
    ASSERT_TRUE(WaitIdle(keypad));
    EXPECT_EQ(keypad.GetLastSyncResult(), 1);
    EXPECT_EQ(CountOf(CallLog(), L"IProfileManager::SetActive"), 1);
    EXPECT_FALSE(m_store->IsChanged());

    // The device has the new name, and operations connect again afterwards.
    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    EXPECT_NE(reread.FindProfileByName(L"Renamed on the keypad"), nullptr);
}

TEST_F(Keypad, DestroyingTheDeviceDuringASlowWriteIsClean)
{
    auto keypad = std::make_unique<CKeypad>(&m_keys.table);
    ASSERT_TRUE(keypad->Initialize(m_store.get()));
    ASSERT_TRUE(keypad->SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->CreateProfile(L"Extra");
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(20));
    ASSERT_TRUE(keypad->SyncConfig(m_store.get(), 0, 0xFFF));
    Sleep(100);
    keypad.reset();
    // The write was stopped between records or finished; the store is whole either way.
    EXPECT_NE(m_store->FindProfileByName(L"Extra"), nullptr);
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(0));
    CKeypad next(&m_keys.table);
    CVelmoraConfig reread(&m_keys.table);
    EXPECT_TRUE(next.Initialize(&reread));
}

TEST_F(Keypad, AFailedOperationReleasesItsConnection)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IDeviceMode::SetMode", E_FAIL, 0));
    EXPECT_FALSE(keypad.EnterCaptureMode());
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    EXPECT_TRUE(keypad.EnterCaptureMode());
    EXPECT_TRUE(keypad.LeaveCaptureMode());
    EXPECT_EQ(keypad.GetDeviceProfileCount(), m_store->GetProfileCount());
    EXPECT_TRUE(keypad.HasProfile(m_store->GetProfile(0)));
}

TEST_F(Keypad, WriteFailureLeavesTheChangesPending)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->GetProfile(0)->SetName(L"Not written");
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IKeyAssignments::SetAssignments", E_FAIL, 0));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    EXPECT_EQ(keypad.GetLastSyncResult(), 0);
    EXPECT_TRUE(m_store->IsChanged());
    EXPECT_TRUE(m_store->GetProfile(0)->IsCategoryChanged(kCatProfileName));
}

TEST_F(Keypad, MacrosTravelBothWays)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    CMacro* combo = m_store->AddMacro(L"Combo");
    // The device keeps a keystroke's scan code, not its virtual-key code.
    combo->m_events = { { 0, 0x1E, 255 }, { 2, 40, 0 }, { 0, 0x1E, 1 } };
    m_store->AddMacro(L"Empty");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    EXPECT_FALSE(IsNullGuid(combo->m_id));

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    CMacro* read = reread.FindMacroByName(L"Combo");
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(MacroEquals(*read, *combo));
    ASSERT_NE(reread.FindMacroByName(L"Empty"), nullptr);
    EXPECT_TRUE(reread.FindMacroByName(L"Empty")->m_events.empty());
}

TEST_F(Keypad, AssignmentsTravelBothWays)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->GetActiveProfile();
    ASSERT_NE(profile, nullptr);
    CKeymap* keymap = profile->GetCurrentKeymap();
    ASSERT_NE(keymap, nullptr);
    const int tab = HashKeyName(L"Tab");
    CAssignment record;
    profile->SetKeyAssignment(tab, MakeAssignment(kAssignClick, record, 0, 0, 0, 0), keymap);
    profile->SetButtonAssignment(tKeypadButton(18), MakeAssignment(kAssignScrollDown, record, 0, 0, 0, 0), keymap);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    IKeypadProfile* readProfile = reread.GetActiveProfile();
    ASSERT_NE(readProfile, nullptr);
    CKeymap* readKeymap = readProfile->FindKeymapByGUID(keymap->GetGUID());
    ASSERT_NE(readKeymap, nullptr);
    EXPECT_EQ(readProfile->GetKeyAssignment(&record, tab, readKeymap)->kind, kAssignClick);
    EXPECT_EQ(readProfile->GetButtonAssignment(&record, tKeypadButton(18), readKeymap)->kind, kAssignScrollDown);
    EXPECT_EQ(readProfile->GetKeyAssignment(&record, HashKeyName(L"q Q"), readKeymap)->kind, kAssignDefaultKey);
}

TEST_F(Keypad, DeletingTheActiveFirstProfileReallyDeletesIt)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* first = m_store->GetProfile(0);
    ASSERT_EQ(m_store->GetActiveProfile(), first);
    GUID firstId;
    first->GetGUID(&firstId);
    IKeypadProfile* second = m_store->CreateProfile(L"Second");
    m_store->SetActiveProfile(second);
    m_store->DeleteProfile(first);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    EXPECT_EQ(reread.FindProfileByGUID(firstId), nullptr);
    ASSERT_NE(reread.GetActiveProfile(), nullptr);
    EXPECT_EQ(reread.GetActiveProfile()->GetName(), L"Second");
    EXPECT_EQ(reread.GetProfileCount(), 1);
}

TEST_F(Keypad, ReadingTwoMacrosOfOneNameKeepsBoth)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->AddMacro(L"Combo")->m_events = { { 2, 10, 0 } };
    m_store->AddMacro(L"Other")->m_events = { { 2, 20, 0 } };
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    // Another program names the second macro like the first.
    CMacro* other = m_store->FindMacroByName(L"Other");
    other->SetName(L"COMBO");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    EXPECT_EQ(reread.GetMacroCount(), 2);
    EXPECT_NE(reread.FindMacroByName(L"Combo"), nullptr);
    EXPECT_NE(reread.FindMacroByName(L"COMBO (2)"), nullptr);
}

TEST_F(Keypad, ApplicationNamesUpTo127CharactersAreWritten)
{
    struct Case { int length; bool written; };
    const Case cases[] = { { 127, true }, { 128, false } };
    for (const Case& c : cases) {
        ASSERT_HRESULT_SUCCEEDED(m_control->Reset());
        CVelmoraConfig store(&m_keys.table);
        CKeypad keypad(&m_keys.table);
        ASSERT_TRUE(keypad.Initialize(&store));
        ASSERT_TRUE(keypad.SyncConfig(&store, 1, 0xFFF));
        IKeypadProfile* profile = store.GetProfile(0);
        profile->SetApplicationName(CString(L'a', c.length));
        profile->SetAutoSwitch(true);
        ASSERT_TRUE(keypad.SyncConfig(&store, 0, 0xFFF));
        ASSERT_TRUE(WaitIdle(keypad));
        EXPECT_EQ(keypad.GetLastSyncResult(), c.written ? 1 : 0) << c.length;
        EXPECT_EQ(profile->IsChanged(), !c.written) << c.length;

        CVelmoraConfig reread(&m_keys.table);
        CKeypad again(&m_keys.table);
        ASSERT_TRUE(again.Initialize(&reread));
        ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
        IKeypadProfile* read = reread.GetProfile(0);
        EXPECT_EQ(read->GetApplicationName().GetLength(), c.written ? c.length : 0) << c.length;
        EXPECT_EQ(read->GetAutoSwitch(), c.written) << c.length;
    }
}
