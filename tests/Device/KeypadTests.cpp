// The device layer against the real device service (the simulator under Wine), with the
// key definitions the build ships.
#include "CKeyDefTable.h"
#include "CKeypad.h"
#include "GuidText.h"
#include "CVelmoraConfig.h"
#include "FullStore.h"
#include "KeyId.h"
#include "KeyTranslation.h"
#include "NamedReferences.h"

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
    static bool WaitIdle(CKeypad& keypad, DWORD timeoutMs = 100000)
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

    // Waits for the write and finishes it on this thread, as the main window does when
    // the write's end is posted to it.
    static bool FinishWrite(CKeypad& keypad, IKeypadConfig* config)
    {
        return WaitIdle(keypad) && keypad.FinishWrite(config);
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
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
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    // Another program names the second macro like the first.
    CMacro* other = m_store->FindMacroByName(L"Other");
    other->SetName(L"COMBO");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));

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
        profile->SetOsdEnabled(!profile->IsOsdEnabled());
        // The rest of the write goes on past a name the keypad cannot hold.
        store.CreateProfile(L"Later");
        store.AddMacro(L"Later macro")->m_events = { { 2, 10, 0 } };
        ASSERT_TRUE(keypad.SyncConfig(&store, 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(keypad, &store));
        EXPECT_EQ(keypad.GetLastSyncResult(), 1) << c.length;
        const std::vector<CString> leftOut = keypad.GetProfilesWithoutApplication();
        ASSERT_EQ(leftOut.size(), c.written ? 0u : 1u) << c.length;
        if (!c.written) {
            EXPECT_EQ(leftOut[0], profile->GetName());
        }
        // What the keypad did not take stays pending.
        EXPECT_EQ(profile->IsChanged(), !c.written) << c.length;
        EXPECT_FALSE(store.FindProfileByName(L"Later")->IsChanged()) << c.length;

        CVelmoraConfig reread(&m_keys.table);
        CKeypad again(&m_keys.table);
        ASSERT_TRUE(again.Initialize(&reread));
        ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
        IKeypadProfile* read = reread.GetProfile(0);
        EXPECT_EQ(read->GetApplicationName().GetLength(), c.written ? c.length : 0) << c.length;
        EXPECT_EQ(read->GetAutoSwitch(), c.written) << c.length;
        EXPECT_EQ(read->IsOsdEnabled(), profile->IsOsdEnabled()) << c.length;
        EXPECT_NE(reread.FindProfileByName(L"Later"), nullptr) << c.length;
        EXPECT_NE(reread.FindMacroByName(L"Later macro"), nullptr) << c.length;
    }
}

namespace
{
int MacroIndex(IKeypadConfig& store, const wchar_t* name)
{
    for (int i = 0; i < store.GetMacroCount(); ++i) {
        if (CString(store.GetMacro(i)->GetName()).CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

GUID ProfileId(IKeypadProfile* profile)
{
    GUID id = GUID_NULL;
    if (profile)
        profile->GetGUID(&id);
    return id;
}
}

TEST_F(Keypad, EditsDuringASlowWriteAreNeitherLostNorAccepted)
{
    const tLEDType led = tLEDType(0);
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->CreateProfile(L"Second");
    m_store->CreateProfile(L"Third");
    m_store->AddMacro(L"Kept")->m_events = { { 2, 10, 0 } };
    m_store->AddMacro(L"Renamed")->m_events = { { 2, 20, 0 } };
    m_store->AddMacro(L"Gone")->m_events = { { 2, 30, 0 } };
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    ASSERT_FALSE(m_store->IsChanged());

    // Changes of this Apply: a new profile, a new macro and an LED colour.
    m_store->CreateProfile(L"Fresh");
    m_store->AddMacro(L"Fresh macro")->m_events = { { 2, 40, 0 } };
    m_store->FindProfileByName(L"Second")->SetLedColour(led, RGB(10, 20, 30));
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(2));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));

    // The user goes on editing while the worker writes.
    IKeypadProfile* first = m_store->GetProfile(0);
    ASSERT_NE(m_store->RenameProfile(first, L"Renamed during write"), nullptr);
    m_store->FindProfileByName(L"Second")->SetLedColour(led, RGB(200, 100, 50));
    const GUID thirdId = ProfileId(m_store->FindProfileByName(L"Third"));
    m_store->DeleteProfile(m_store->FindProfileByName(L"Third"));
    m_store->CreateProfile(L"Added during write");
    m_store->FindMacroByName(L"Renamed")->SetName(L"Renamed during write");
    m_store->RemoveMacro(m_store->FindMacroByName(L"Gone"));
    m_store->AddMacro(L"Added macro")->m_events = { { 2, 50, 0 } };
    m_store->FindMacroByName(L"Fresh macro")->m_events = { { 2, 60, 0 } };
    EXPECT_TRUE(keypad.IsBusy());
    EXPECT_FALSE(keypad.FinishWrite(m_store.get()));

    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    // Written and unchanged since: accepted, with the ids the device gave.
    IKeypadProfile* fresh = m_store->FindProfileByName(L"Fresh");
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(IsNullGuid(ProfileId(fresh)));
    EXPECT_FALSE(IsNullGuid(fresh->GetKeymap(0)->GetGUID()));
    EXPECT_FALSE(fresh->IsChanged());
    EXPECT_FALSE(m_store->IsItemChanged(12, MacroIndex(*m_store, L"Kept")));
    // Edited since: still changed, the new ids carried over all the same.
    EXPECT_TRUE(m_store->GetProfile(0)->IsCategoryChanged(kCatProfileName));
    EXPECT_TRUE(m_store->FindProfileByName(L"Second")->IsLedItemChanged(kCatLedColour, led));
    EXPECT_TRUE(IsNullGuid(ProfileId(m_store->FindProfileByName(L"Added during write"))));
    EXPECT_TRUE(m_store->IsItemChanged(12, MacroIndex(*m_store, L"Renamed during write")));
    EXPECT_TRUE(m_store->IsItemChanged(12, MacroIndex(*m_store, L"Added macro")));
    CMacro* freshMacro = m_store->FindMacroByName(L"Fresh macro");
    EXPECT_FALSE(IsNullGuid(freshMacro->m_id));
    EXPECT_TRUE(m_store->IsItemChanged(12, MacroIndex(*m_store, L"Fresh macro")));
    EXPECT_TRUE(m_store->IsChanged());

    // The next Apply writes every edit, and nothing twice.
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(0));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    EXPECT_FALSE(m_store->IsChanged());

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    EXPECT_EQ(reread.GetProfileCount(), m_store->GetProfileCount());
    for (const wchar_t* name : { L"Renamed during write", L"Second", L"Fresh", L"Added during write" })
        EXPECT_NE(reread.FindProfileByName(name), nullptr) << CString(name).GetString();
    EXPECT_EQ(reread.FindProfileByGUID(thirdId), nullptr);
    EXPECT_TRUE(IsEqualGUID(ProfileId(reread.FindProfileByName(L"Fresh")), ProfileId(fresh)));
    EXPECT_EQ(reread.FindProfileByName(L"Second")->GetLedColour(led), RGB(200, 100, 50));
    EXPECT_EQ(reread.GetMacroCount(), 4);
    EXPECT_EQ(reread.FindMacroByName(L"Gone"), nullptr);
    ASSERT_NE(reread.FindMacroByName(L"Renamed during write"), nullptr);
    ASSERT_NE(reread.FindMacroByName(L"Fresh macro"), nullptr);
    EXPECT_TRUE(MacroEquals(*reread.FindMacroByName(L"Fresh macro"), *freshMacro));
    EXPECT_NE(reread.FindMacroByName(L"Added macro"), nullptr);
}

TEST_F(Keypad, TheFlagWordGatesEachPartOfTheWrite)
{
    struct Case
    {
        const wchar_t* name;
        uint16_t flags;
        const wchar_t* unwritten;
    };
    const Case cases[] = {
        { L"no macros", 0xFFF & ~0x010, L"IMacro::SetData" },
        { L"no LEDs", 0xFFF & ~0x004, L"ILedColour::Set" },
        { L"no properties", 0xFFF & ~0x100, L"IProfileProperties::SetProperty" },
        { L"no key maps", 0xFFF & ~0x002, L"IKeyAssignments::SetAssignments" },
        { L"no profile bits", 0xFFF & ~0x30F, L"IProfileManager::SetActive" },
    };
    for (const Case& c : cases) {
        ASSERT_HRESULT_SUCCEEDED(m_control->Reset());
        CVelmoraConfig store(&m_keys.table);
        CKeypad keypad(&m_keys.table);
        ASSERT_TRUE(keypad.Initialize(&store));
        ASSERT_TRUE(keypad.SyncConfig(&store, 1, 0xFFF));
        store.AddMacro(L"Gated")->m_events = { { 2, 10, 0 } };
        store.GetProfile(0)->SetLedColour(tLEDType(0), RGB(1, 2, 3));
        store.GetProfile(0)->SetApplicationName(L"game.exe");
        ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());
        ASSERT_TRUE(keypad.SyncConfig(&store, 0, c.flags));
        ASSERT_TRUE(FinishWrite(keypad, &store));
        const std::wstring log = CallLog();
        EXPECT_EQ(CountOf(log, c.unwritten), 0) << c.name;
        // What a partial write left out stays pending for the next whole one.
        EXPECT_TRUE(store.IsChanged()) << c.name;
        ASSERT_TRUE(keypad.SyncConfig(&store, 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(keypad, &store));
        EXPECT_EQ(keypad.GetLastSyncResult(), 1) << c.name;
        EXPECT_FALSE(store.IsChanged()) << c.name;
        EXPECT_GT(CountOf(CallLog(), c.unwritten), 0) << c.name;
    }
}


TEST_F(Keypad, AVariedStoreOfTwentyProfilesComesBackEqual)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    while (m_store->GetProfileCount() < 20)
        m_store->CreateProfile(FormatString(L"Profile %d", m_store->GetProfileCount() + 1));
    for (int i = 0; i < 20; ++i) {
        IKeypadProfile* profile = m_store->GetProfile(i);
        profile->SetApplicationName(i == 19 ? CString(L'g', 127) : FormatString(L"game%d.exe", i));
        profile->SetAutoSwitch(i % 2 == 0);
        profile->SetOsdEnabled(i % 3 != 0);
        const tLEDType led = tLEDType(i % 11);
        profile->SetLedState(led, i % 2 == 1);
        profile->SetLedColour(led, RGB(i, 2 * i, 3 * i));
        profile->SetLedBrightness(led, 5 * i);
        profile->SetLedEffect(led, tLEDEffect(i % 6));
    }
    m_store->SetActiveProfile(m_store->GetProfile(7));
    CMacro* macro = m_store->AddMacro(L"Every event");
    const int pause = 19 << 16 | 69;
    const int numLock = 144 << 16 | 69;
    macro->m_events = { { 0, 0x1E, 255 }, { 0, 0x1E, 1 }, { 1, 1, 255 }, { 1, 1, 1 }, { 1, 5, 255 },
        { 2, 250, 0 }, { 0, pause, 255 }, { 0, pause, 1 }, { 0, numLock, 255 }, { 0, numLock, 1 } };
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    // Every supported kind on the keys of one key map (the items they refer to are on the
    // keypad now), and three on the wheel's buttons.
    IKeypadProfile* profile = m_store->GetProfile(19);
    CKeymap* keymap = profile->GetKeymap(7);
    CKvApp* application = m_store->AddApplication(L"C:\\Games\\game.exe");
    application->m_id = GuidFromWords(1, 2, 3, 4);
    CAssignment singleKey;
    MakeAssignment(kAssignSingleKey, singleKey, 0, 0, 0, 0).payload[0] = 0x3B;
    CAssignment joystick;
    MakeAssignment(kAssignJoystick, joystick, 0, 0, 0, 0);
    for (uint8_t b = 0; b < 6; ++b)
        joystick.payload[b] = static_cast<uint8_t>(b + 1);
    CAssignment plain;
    std::vector<CAssignment> records = { singleKey, Referring(kAssignMacro, macro->m_id),
        Referring(kAssignProfile, ProfileId(m_store->GetProfile(3))),
        Referring(kAssignKeymap30, profile->GetKeymap(1)->GetGUID()),
        Referring(kAssignKeymap34, profile->GetKeymap(2)->GetGUID()),
        Referring(kAssignLaunchProgram, application->m_id), joystick };
    for (int kind : { kAssignKeymap32, kAssignClick, kAssignMenu, kAssignUniversalScrolling, kAssignDoubleClick,
             kAssignForward, kAssignBackward, kAssignScrollUp, kAssignScrollDown, kAssignButtonOff })
        records.push_back(MakeAssignment(kind, plain, 0, 0, 0, 0));
    const std::vector<uint32_t>& codes = keypad.GetKeymapKeyCodes();
    ASSERT_GE(codes.size(), records.size());
    std::vector<int32_t> keyIds;
    for (size_t i = 0; i < records.size(); ++i) {
        keyIds.push_back(KeyIdOfDeviceCode(m_keys.table, codes[i]));
        ASSERT_NE(keyIds.back(), 0);
        profile->SetKeyAssignment(keyIds.back(), records[i], keymap);
    }
    const int buttonKinds[] = { kAssignDoubleClick, kAssignScrollUp, kAssignMenu };
    for (int b = 0; b < 3; ++b)
        profile->SetButtonAssignment(tKeypadButton(17 + b), MakeAssignment(buttonKinds[b], plain, 0, 0, 0, 0), keymap);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    ASSERT_EQ(reread.GetProfileCount(), 20);
    EXPECT_EQ(reread.GetActiveProfile(), reread.FindProfileByGUID(ProfileId(m_store->GetProfile(7))));
    for (int i = 0; i < 20; ++i) {
        IKeypadProfile* written = m_store->GetProfile(i);
        IKeypadProfile* read = reread.FindProfileByGUID(ProfileId(written));
        ASSERT_NE(read, nullptr) << i;
        EXPECT_EQ(read->GetName(), written->GetName()) << i;
        EXPECT_EQ(read->GetApplicationName(), written->GetApplicationName()) << i;
        EXPECT_EQ(read->GetAutoSwitch(), written->GetAutoSwitch()) << i;
        EXPECT_EQ(read->IsOsdEnabled(), written->IsOsdEnabled()) << i;
        const tLEDType led = tLEDType(i % 11);
        EXPECT_EQ(read->GetLedState(led), written->GetLedState(led)) << i;
        EXPECT_EQ(read->GetLedColour(led), written->GetLedColour(led)) << i;
        EXPECT_EQ(read->GetLedBrightness(led), written->GetLedBrightness(led)) << i;
        EXPECT_EQ(read->GetLedEffect(led), written->GetLedEffect(led)) << i;
    }
    IKeypadProfile* readProfile = reread.FindProfileByGUID(ProfileId(profile));
    CKeymap* readKeymap = readProfile->FindKeymapByGUID(keymap->GetGUID());
    ASSERT_NE(readKeymap, nullptr);
    CAssignment read;
    for (size_t i = 0; i < records.size(); ++i) {
        readProfile->GetKeyAssignment(&read, keyIds[i], readKeymap);
        EXPECT_EQ(read.kind, records[i].kind) << i;
        EXPECT_TRUE(AssignmentEquals(read, records[i])) << "kind " << records[i].kind;
    }
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(readProfile->GetButtonAssignment(&read, tKeypadButton(17 + b), readKeymap)->kind, buttonKinds[b]);
    ASSERT_NE(reread.FindMacroByName(L"Every event"), nullptr);
    EXPECT_TRUE(MacroEquals(*reread.FindMacroByName(L"Every event"), *macro));
}

TEST_F(Keypad, AFailureOnTheSecondProfileLeavesTheLaterStepsUnwritten)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->CreateProfile(L"Second");
    m_store->CreateProfile(L"Third");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    const wchar_t* names[] = { L"First renamed", L"Second renamed", L"Third renamed" };
    for (int i = 0; i < 3; ++i)
        m_store->GetProfile(i)->SetName(names[i]);
    m_store->SetActiveProfile(m_store->GetProfile(2));
    CMacro* macro = m_store->AddMacro(L"Unwritten");
    // The key records of the second profile's first key map fail (one call per key map).
    const LONG firstProfileKeys = m_store->GetProfile(0)->GetKeymapCount();
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IKeyAssignments::SetAssignments", E_FAIL, firstProfileKeys));
    ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    EXPECT_EQ(keypad.GetLastSyncResult(), 0);
    const std::wstring log = CallLog();
    EXPECT_EQ(CountOf(log, L"IMacroManager::Create"), 0);
    EXPECT_EQ(CountOf(log, L"IProfileManager::SetActive"), 0);
    EXPECT_FALSE(m_store->GetProfile(0)->IsChanged());
    EXPECT_TRUE(m_store->GetProfile(1)->IsChanged());
    EXPECT_TRUE(m_store->GetProfile(2)->IsChanged());
    EXPECT_TRUE(IsNullGuid(macro->m_id));
    EXPECT_TRUE(m_store->IsChanged());

    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    EXPECT_NE(reread.FindProfileByName(L"First renamed"), nullptr);
    EXPECT_EQ(reread.FindProfileByName(L"Third renamed"), nullptr);
    EXPECT_NE(reread.FindProfileByName(L"Third"), nullptr);
}

TEST_F(Keypad, AnImportedProfileWithoutAnActiveKeymapIsReadWholeAndWritable)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* source = m_store->GetProfile(0);
    const int tab = HashKeyName(L"Tab");
    CAssignment record;
    source->SetKeyAssignment(tab, MakeAssignment(kAssignClick, record, 0, 0, 0, 0), source->GetKeymap(0));
    source->SetButtonAssignment(tKeypadButton(18), MakeAssignment(kAssignScrollUp, record, 0, 0, 0, 0), source->GetKeymap(0));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    const CString path = FormatString(L"%sImported.kvp", folder);
    ASSERT_TRUE(keypad.ExportProfile(path, source));

    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IKeyMapManager::GetActive", E_FAIL, 0));
    ASSERT_TRUE(keypad.ImportProfile(path, m_store.get()));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    DeleteFileW(path);
    IKeypadProfile* imported = m_store->GetProfile(m_store->GetProfileCount() - 1);
    ASSERT_NE(imported, source);
    ASSERT_EQ(imported->GetKeymapCount(), 8);
    EXPECT_EQ(imported->GetCurrentKeymap(), imported->GetKeymap(0));
    EXPECT_EQ(imported->GetKeyAssignment(&record, tab, imported->GetKeymap(0))->kind, kAssignClick);
    EXPECT_EQ(imported->GetButtonAssignment(&record, tKeypadButton(18), imported->GetKeymap(0))->kind, kAssignScrollUp);

    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    EXPECT_EQ(keypad.GetLastSyncResult(), 1);
    EXPECT_FALSE(m_store->IsChanged());
}

TEST_F(Keypad, AnUntouchedKeymapReadsEveryKeyBackAsItsDefault)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    // A new profile holds the shipped defaults on every key, the E0 keys among them.
    IKeypadProfile* fresh = m_store->CreateProfile(L"Untouched");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    IKeypadProfile* read = reread.FindProfileByGUID(ProfileId(fresh));
    ASSERT_NE(read, nullptr);
    int extended = 0;
    CAssignment record;
    for (uint32_t code : keypad.GetKeymapKeyCodes()) {
        const int32_t keyId = KeyIdOfDeviceCode(m_keys.table, code);
        ASSERT_NE(keyId, 0) << code;
        extended += (code >> 16) == 2 ? 1 : 0;
        for (int k = 0; k < read->GetKeymapCount(); ++k) {
            read->GetKeyAssignment(&record, keyId, read->GetKeymap(k));
            EXPECT_EQ(record.kind, kAssignDefaultKey) << "code " << code << " keymap " << k;
        }
    }
    EXPECT_GE(extended, 8);
}

TEST_F(Keypad, BrightnessAndEffectAreWrittenEvenWhenUnchanged)
{
    const tLEDType led = tLEDType(0);
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->GetProfile(0);
    profile->SetLedBrightness(led, 40);
    profile->SetLedEffect(led, tLEDEffect(2));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    {
        // Something else changes the keypad's values behind this store's back.
        CVelmoraConfig other(&m_keys.table);
        CKeypad second(&m_keys.table);
        ASSERT_TRUE(second.Initialize(&other));
        ASSERT_TRUE(second.SyncConfig(&other, 1, 0xFFF));
        other.GetProfile(0)->SetLedBrightness(led, 90);
        other.GetProfile(0)->SetLedEffect(led, tLEDEffect(4));
        ASSERT_TRUE(second.SyncConfig(&other, 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(second, &other));
        ASSERT_EQ(second.GetLastSyncResult(), 1);
    }

    // The next Apply of this store puts its own values back.
    profile->SetName(L"Renamed");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    EXPECT_EQ(reread.GetProfile(0)->GetLedBrightness(led), 40u);
    EXPECT_EQ(reread.GetProfile(0)->GetLedEffect(led), tLEDEffect(2));
}

namespace
{
GUID ReferencedId(const CAssignment& record)
{
    return GuidFromWords(record.GetWord(0), record.GetWord(1), record.GetWord(2), record.GetWord(3));
}
}

TEST_F(Keypad, AssignmentsByNameAreWrittenByIdAndTheirItemsCreatedOnce)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->GetProfile(0);
    CKeymap* keymap = profile->GetKeymap(0);
    profile->GetKeymap(3)->SetName(L"Sprint");
    profile->GetKeymap(4)->SetName(L"Crouch");
    // None of these items has an id yet, so the assignments name them.
    CMacro* macro = m_store->AddMacro(L"Pending macro");
    macro->m_events = { { 2, 10, 0 } };
    IKeypadProfile* target = m_store->CreateProfile(L"Pending profile");
    CKvApp* application = m_store->AddApplication(L"C:\\Games\\pending.exe");
    struct Case { int kind; const wchar_t* name; int resolved; };
    const Case cases[] = {
        { kAssignMacroByName, L"Pending macro", kAssignMacro },
        { kAssignProfileByName, L"Pending profile", kAssignProfile },
        { kAssignKeymap31, L"Sprint", kAssignKeymap30 },
        { kAssignKeymap35, L"Crouch", kAssignKeymap34 },
        { kAssignLaunchProgramByName, L"C:\\Games\\pending.exe", kAssignLaunchProgram },
    };
    const std::vector<uint32_t>& codes = keypad.GetKeymapKeyCodes();
    std::vector<int32_t> keyIds;
    CAssignment record;
    for (const Case& c : cases) {
        keyIds.push_back(KeyIdOfDeviceCode(m_keys.table, codes[keyIds.size()]));
        MakeNamedAssignment(c.kind, record, c.name);
        if (c.kind == kAssignMacroByName) {
            record.SetWord(CAssignment::kMacroModeWord, 2);
            record.SetWord(CAssignment::kMacroRepeatWord, 3);
        }
        profile->SetKeyAssignment(keyIds.back(), record, keymap);
    }
    profile->SetButtonAssignment(tKeypadButton(18), MakeNamedAssignment(kAssignMacroByName, record, L"Pending macro"), keymap);

    const wchar_t* creations[] = { L"IMacroManager::Create", L"IProfileManager::Create", L"IApplicationManager::Create" };
    for (int apply = 0; apply < 2; ++apply) {
        SCOPED_TRACE(apply);
        profile->SetName(FormatString(L"Apply %d", apply));
        ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());
        ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
        ASSERT_EQ(keypad.GetLastSyncResult(), 1);
        const std::wstring log = CallLog();
        for (const wchar_t* creation : creations)
            EXPECT_EQ(CountOf(log, creation), apply == 0 ? 1 : 0) << CString(creation).GetString();

        const GUID ids[] = { macro->m_id, ProfileId(target), profile->GetKeymap(3)->GetGUID(),
            profile->GetKeymap(4)->GetGUID(), application->m_id };
        for (const GUID& id : ids)
            EXPECT_FALSE(IsNullGuid(id));
        // The store holds the by-id form now, as the keypad does.
        for (size_t i = 0; i < keyIds.size(); ++i) {
            profile->GetKeyAssignment(&record, keyIds[i], keymap);
            EXPECT_EQ(record.kind, cases[i].resolved) << i;
            EXPECT_TRUE(IsEqualGUID(ReferencedId(record), ids[i])) << i;
        }

        CVelmoraConfig reread(&m_keys.table);
        CKeypad again(&m_keys.table);
        ASSERT_TRUE(again.Initialize(&reread));
        ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
        EXPECT_EQ(reread.GetProfileCount(), 2);
        EXPECT_EQ(reread.GetMacroCount(), 1);
        IKeypadProfile* read = reread.FindProfileByGUID(ProfileId(profile));
        ASSERT_NE(read, nullptr);
        CKeymap* readKeymap = read->FindKeymapByGUID(keymap->GetGUID());
        ASSERT_NE(readKeymap, nullptr);
        for (size_t i = 0; i < keyIds.size(); ++i) {
            read->GetKeyAssignment(&record, keyIds[i], readKeymap);
            EXPECT_EQ(record.kind, cases[i].resolved) << i;
            EXPECT_TRUE(IsEqualGUID(ReferencedId(record), ids[i])) << i;
        }
        read->GetKeyAssignment(&record, keyIds[0], readKeymap);
        EXPECT_EQ(record.GetWord(CAssignment::kMacroModeWord), 2u);
        EXPECT_EQ(record.GetWord(CAssignment::kMacroRepeatWord), 3u);
        read->GetButtonAssignment(&record, tKeypadButton(18), readKeymap);
        EXPECT_EQ(record.kind, kAssignMacro);
        EXPECT_TRUE(IsEqualGUID(ReferencedId(record), macro->m_id));
        ASSERT_NE(reread.FindMacroByGUID(macro->m_id), nullptr);
        EXPECT_TRUE(MacroEquals(*reread.FindMacroByGUID(macro->m_id), *macro));
        EXPECT_NE(reread.FindProfileByGUID(ProfileId(target)), nullptr);
    }
}

TEST_F(Keypad, AnAssignmentNamingNoItemFailsTheWrite)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->GetProfile(0);
    CAssignment record;
    const int32_t key = KeyIdOfDeviceCode(m_keys.table, keypad.GetKeymapKeyCodes()[0]);
    profile->SetKeyAssignment(key, MakeNamedAssignment(kAssignMacroByName, record, L"No such macro"), profile->GetKeymap(0));
    ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    EXPECT_EQ(keypad.GetLastSyncResult(), 0);
    EXPECT_EQ(CountOf(CallLog(), L"IMacroManager::Create"), 0);
    EXPECT_EQ(profile->GetKeyAssignment(&record, key, profile->GetKeymap(0))->kind, kAssignMacroByName);
}

TEST_F(Keypad, AMacroTheReadSkippedIsNotDeletedByTheNextWrite)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    m_store->AddMacro(L"Readable")->m_events = { { 2, 10, 0 } };
    m_store->AddMacro(L"Unreadable")->m_events = { { 2, 20, 0 } };
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);

    // A later start reads the second macro's data in vain.
    CVelmoraConfig store(&m_keys.table);
    CKeypad next(&m_keys.table);
    ASSERT_TRUE(next.Initialize(&store));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IMacro::GetData", E_FAIL, 1));
    ASSERT_TRUE(next.SyncConfig(&store, 1, 0xFFF));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    ASSERT_EQ(store.GetMacroCount(), 1);
    store.GetProfile(0)->SetName(L"Renamed");
    ASSERT_TRUE(next.SyncConfig(&store, 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(next, &store));
    ASSERT_EQ(next.GetLastSyncResult(), 1);

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    EXPECT_EQ(reread.GetMacroCount(), 2);
    EXPECT_NE(reread.FindMacroByName(L"Unreadable"), nullptr);
}

TEST_F(Keypad, AStaleKeymapThatStaysGivesItsNameToTheLocalOne)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->GetProfile(0);
    profile->GetKeymap(2)->SetName(L"On the keypad");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    const GUID kept = profile->GetKeymap(2)->GetGUID();

    // The local key map loses its id and gets another name; the keypad refuses to let
    // its key map go, so the local one takes it over under the keypad's name.
    profile->GetKeymap(2)->SetGUID(GUID_NULL);
    profile->GetKeymap(2)->SetName(L"Local");
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IKeyMapManager::Delete", E_FAIL, 0));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"", S_OK, 0));
    // The store shows the keypad's name too, so the next write keeps it.
    EXPECT_EQ(profile->GetKeymap(2)->GetName(), L"On the keypad");
    EXPECT_TRUE(IsEqualGUID(profile->GetKeymap(2)->GetGUID(), kept));
    profile->SetName(L"Renamed");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    CKeymap* read = reread.FindProfileByGUID(ProfileId(profile))->FindKeymapByGUID(kept);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetName(), L"On the keypad");
}

TEST_F(Keypad, AKeymapWriteThatSendsNoKeyRecordFails)
{
    // Without key definitions no key of the keypad is known, so no key record goes out.
    CKeypad keypad;
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    m_store->GetProfile(0)->SetName(L"Renamed");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    EXPECT_EQ(keypad.GetLastSyncResult(), 0);
    EXPECT_EQ(CountOf(CallLog(), L"IKeyAssignments::SetAssignments"), 0);
    EXPECT_TRUE(m_store->IsChanged());
}

namespace
{
// A hidden window that counts the end-of-write messages it receives.
class SyncDoneWindow
{
public:
    static std::vector<WPARAM> s_results;
    HWND m_wnd = nullptr;

    SyncDoneWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SyncDoneWindow";
        RegisterClassW(&windowClass);
        m_wnd = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
            windowClass.hInstance, nullptr);
        s_results.clear();
    }
    ~SyncDoneWindow()
    {
        if (m_wnd)
            DestroyWindow(m_wnd);
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DEVICE_SYNC_DONE)
            s_results.push_back(wParam);
        return DefWindowProcW(wnd, message, wParam, lParam);
    }
};
std::vector<WPARAM> SyncDoneWindow::s_results;
}

TEST_F(Keypad, TheEndOfAWriteReachesTheRegisteredWindowWithItsResult)
{
    SyncDoneWindow window;
    ASSERT_NE(window.m_wnd, nullptr);
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    keypad.AddProgressWindow(window.m_wnd);
    m_store->GetProfile(0)->SetName(L"Renamed");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    ASSERT_HRESULT_SUCCEEDED(m_control->FailMethod(L"IKeyAssignments::SetAssignments", E_FAIL, 0));
    m_store->GetProfile(0)->SetName(L"Renamed again");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    // WaitIdle dispatches this thread's messages while it waits; take the rest too.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    const std::vector<WPARAM> expected = { 1, 0 };
    EXPECT_EQ(SyncDoneWindow::s_results, expected);

    keypad.RemoveProgressWindow(window.m_wnd);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(WaitIdle(keypad));
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(SyncDoneWindow::s_results.size(), 2u) << "a window taken off the list hears nothing";
}

TEST_F(Keypad, ShutdownDuringASlowWriteStopsItUnfinished)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    for (int i = 0; i < 5; ++i)
        m_store->CreateProfile(FormatString(L"Extra %d", i));
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(20));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    Sleep(200);
    ASSERT_TRUE(keypad.IsBusy());
    keypad.Shutdown();
    EXPECT_FALSE(keypad.IsBusy());
    EXPECT_EQ(keypad.GetLastSyncResult(), 0) << "a write stopped half-way is no success";
    const size_t logged = CallLog().size();
    Sleep(300);
    EXPECT_EQ(CallLog().size(), logged) << "nothing writes on after the shut-down";
    EXPECT_FALSE(keypad.FinishWrite(m_store.get()) && !m_store->IsChanged()) << "nothing unwritten is accepted";
    ASSERT_HRESULT_SUCCEEDED(m_control->SetDelay(0));
    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    EXPECT_EQ(reread.FindProfileByName(L"Extra 4"), nullptr) << "the write did not reach its end";
}

namespace
{
// Every profile, key map, key, button, LED and macro of written against read.
void ExpectSameStore(IKeypadConfig& written, IKeypadConfig& read, const CKeyDefTable& keys,
    const std::vector<uint32_t>& keyCodes, const std::vector<uint32_t>& buttonBits)
{
    ASSERT_EQ(read.GetProfileCount(), written.GetProfileCount());
    EXPECT_EQ(read.GetActiveProfile(), read.FindProfileByGUID(ProfileId(written.GetActiveProfile())));
    for (int i = 0; i < written.GetProfileCount(); ++i) {
        IKeypadProfile* w = written.GetProfile(i);
        IKeypadProfile* r = read.FindProfileByGUID(ProfileId(w));
        ASSERT_NE(r, nullptr) << i;
        EXPECT_EQ(r->GetName(), w->GetName()) << i;
        EXPECT_EQ(r->GetApplicationName(), w->GetApplicationName()) << i;
        EXPECT_EQ(r->GetAutoSwitch(), w->GetAutoSwitch()) << i;
        EXPECT_EQ(r->GetOption(), w->GetOption()) << i;
        EXPECT_EQ(r->IsOsdEnabled(), w->IsOsdEnabled()) << i;
        ASSERT_EQ(r->GetKeymapCount(), w->GetKeymapCount()) << i;
        EXPECT_TRUE(IsEqualGUID(r->GetCurrentKeymap()->GetGUID(), w->GetCurrentKeymap()->GetGUID())) << i;
        for (int k = 0; k < w->GetKeymapCount(); ++k) {
            CKeymap* wk = w->GetKeymap(k);
            CKeymap* rk = r->FindKeymapByGUID(wk->GetGUID());
            ASSERT_NE(rk, nullptr) << i << "/" << k;
            EXPECT_EQ(rk->GetName(), wk->GetName()) << i << "/" << k;
            CAssignment a;
            CAssignment b;
            for (uint32_t code : keyCodes) {
                const int32_t keyId = KeyIdOfDeviceCode(keys, code);
                EXPECT_TRUE(AssignmentEquals(*r->GetKeyAssignment(&a, keyId, rk), *w->GetKeyAssignment(&b, keyId, wk)))
                    << "profile " << i << " key map " << k << " key " << keyId << " kind " << b.kind;
            }
            for (uint32_t bit : buttonBits) {
                const tKeypadButton button = tKeypadButton(DeviceBitToButton(bit));
                EXPECT_TRUE(AssignmentEquals(*r->GetButtonAssignment(&a, button, rk), *w->GetButtonAssignment(&b, button, wk)))
                    << "profile " << i << " key map " << k << " button " << button;
            }
        }
        for (int l = 0; l < 11; ++l) {
            const tLEDType led = tLEDType(l);
            EXPECT_EQ(r->GetLedState(led), w->GetLedState(led)) << i << " LED " << l;
            EXPECT_EQ(r->GetLedColour(led), w->GetLedColour(led)) << i << " LED " << l;
            EXPECT_EQ(r->GetLedBrightness(led), w->GetLedBrightness(led)) << i << " LED " << l;
            EXPECT_EQ(r->GetLedEffect(led), w->GetLedEffect(led)) << i << " LED " << l;
        }
    }
    ASSERT_EQ(read.GetMacroCount(), written.GetMacroCount());
    for (int m = 0; m < written.GetMacroCount(); ++m) {
        const CMacro* macro = read.FindMacroByName(written.GetMacro(m)->GetName());
        ASSERT_NE(macro, nullptr) << m;
        EXPECT_TRUE(MacroEquals(*macro, *written.GetMacro(m))) << m;
    }
}
}

TEST_F(Keypad, AFullStoreWrittenAndReadBackIsTheSameStore)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    const FullStoreShape shape = { 20, 10, 1000 };
    AddFullStoreProfiles(*m_store, shape);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    FillFullStore(*m_store, m_keys.table, keypad.GetKeymapKeyCodes(), keypad.GetKeymapButtons(), shape);
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    EXPECT_FALSE(m_store->IsChanged());

    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    ASSERT_TRUE(again.SyncConfig(&reread, 1, 0xFFF));
    ExpectSameStore(*m_store, reread, m_keys.table, keypad.GetKeymapKeyCodes(), keypad.GetKeymapButtons());
}

TEST_F(Keypad, ANewProfileKeepsEightKeymapsOfTheirOwnOnTheKeypad)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    IKeypadProfile* profile = m_store->CreateProfile(L"New");
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
    ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
    ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    ASSERT_EQ(profile->GetKeymapCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_FALSE(IsNullGuid(profile->GetKeymap(i)->GetGUID())) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(IsEqualGUID(profile->GetKeymap(i)->GetGUID(), profile->GetKeymap(j)->GetGUID())) << j << " and " << i;
    }
    CVelmoraConfig reread(&m_keys.table);
    CKeypad again(&m_keys.table);
    ASSERT_TRUE(again.Initialize(&reread));
    IKeypadProfile* read = reread.FindProfileByGUID(ProfileId(profile));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetKeymapCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(read->FindKeymapByGUID(profile->GetKeymap(i)->GetGUID()), nullptr) << i;
}

TEST_F(Keypad, TheReadAfterInitializeWalksAndNamesEachProfileAndKeymapOnce)
{
    {
        CKeypad keypad(&m_keys.table);
        ASSERT_TRUE(keypad.Initialize(m_store.get()));
        ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
        m_store->CreateProfile(L"Second");
        ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(keypad, m_store.get()));
        ASSERT_EQ(keypad.GetLastSyncResult(), 1);
    }
    ASSERT_HRESULT_SUCCEEDED(m_control->ClearCallLog());
    CVelmoraConfig reread(&m_keys.table);
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(&reread));
    ASSERT_TRUE(keypad.SyncConfig(&reread, 1, 0xFFF));
    ASSERT_EQ(reread.GetProfileCount(), 2);
    ASSERT_NE(reread.FindProfileByName(L"Second"), nullptr);
    const std::wstring log = CallLog();
    // One walk: each list is asked for one item past its end once.
    EXPECT_EQ(CountOf(log, L"IProfileManager::Item"), 3);
    EXPECT_EQ(CountOf(log, L"IProfile::GetName"), 2);
    EXPECT_EQ(CountOf(log, L"IKeyMapManager::Item"), 2 * 9);
    EXPECT_EQ(CountOf(log, L"IKeyMap::GetName"), 2 * 8);
    EXPECT_EQ(CountOf(log, L"IKeyMap::GetId"), 2 * 8 + 2);
    EXPECT_EQ(CountOf(log, L"GetById"), 0);
}

TEST_F(Keypad, AReadInALaterConnectionReadsTheNamesAnew)
{
    CKeypad keypad(&m_keys.table);
    ASSERT_TRUE(keypad.Initialize(m_store.get()));
    ASSERT_TRUE(keypad.HasProfile(m_store->GetProfile(0)));
    {
        CVelmoraConfig other(&m_keys.table);
        CKeypad renamer(&m_keys.table);
        ASSERT_TRUE(renamer.Initialize(&other));
        ASSERT_TRUE(renamer.SyncConfig(&other, 1, 0xFFF));
        other.GetProfile(0)->SetName(L"Renamed elsewhere");
        ASSERT_TRUE(renamer.SyncConfig(&other, 0, 0xFFF));
        ASSERT_TRUE(FinishWrite(renamer, &other));
        ASSERT_EQ(renamer.GetLastSyncResult(), 1);
    }
    ASSERT_TRUE(keypad.SyncConfig(m_store.get(), 1, 0xFFF));
    EXPECT_STREQ(m_store->GetProfile(0)->GetName().GetString(), L"Renamed elsewhere");
}
