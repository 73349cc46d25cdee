#include "CVelmoraConfig.h"
#include "ExeFolder.h"
#include "GuidText.h"
#include "KeyId.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
// Default keystrokes for the keys the buttons send by default; the arrow keys are extended.
class FakeKeyDefaults : public IKeyDefaults
{
    std::map<int32_t, std::pair<uint16_t, uint8_t>> m_keys;

public:
    FakeKeyDefaults()
    {
        uint16_t scan = 0x10;
        for (tKeypadButton button : g_allKeypadButtons) {
            if (const wchar_t* name = DefaultKeyNameOfButton(button))
                m_keys[HashKeyName(name)] = { scan++, static_cast<uint8_t>(button >= 20 ? 1 : 0) };
        }
    }

    bool GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const override
    {
        auto found = m_keys.find(keyId);
        if (found == m_keys.end())
            return false;
        scanCode = found->second.first;
        extended = found->second.second;
        return true;
    }

    int32_t FindKeyByScanCode(uint32_t keystroke) const override
    {
        for (const auto& key : m_keys) {
            if (key.second.first == (keystroke & 0xFFFF) && key.second.second == ((keystroke >> 16) & 0xFF))
                return key.first;
        }
        return 0;
    }
};

class Store : public testing::Test
{
protected:
    FakeKeyDefaults m_defaults;
    CVelmoraConfig m_store{ &m_defaults };

    IKeypadProfile* Create(const wchar_t* name, uint32_t guid = 0)
    {
        IKeypadProfile* profile = m_store.CreateProfile(name);
        if (guid)
            profile->SetGUID(GUID{ guid, 0, 0, { 0 } });
        return profile;
    }
};

uint16_t ScanCodeOf(const CAssignment& record)
{
    return static_cast<uint16_t>(record.payload[0] | record.payload[1] << 8);
}
}

TEST_F(Store, StartsEmptyUnchangedAndInKeymapMode)
{
    EXPECT_EQ(m_store.GetProfileCount(), 0);
    EXPECT_EQ(m_store.GetActiveProfile(), nullptr);
    EXPECT_FALSE(m_store.IsChanged());
    EXPECT_TRUE(m_store.IsKeymapModeEnabled());
    EXPECT_EQ(m_store.GetLimit(), 1024);
    EXPECT_EQ(m_store.GetPercentValue(), 0u);
    EXPECT_EQ(m_store.GetRangeMode(), -1);
    EXPECT_EQ(m_store.GetProfileFileExtension(), L"kvp");
    EXPECT_EQ(g_profileFolder, g_exeFolder + L"save\\");
    EXPECT_EQ(g_settingsPath, g_exeFolder + L"save\\Velmora.kvc");
    EXPECT_EQ(g_defaultButtonKeys.size(), 24u);
}

TEST_F(Store, CreateProfileGivesEightKeymapsWithDefaults)
{
    IKeypadProfile* profile = Create(L"First");
    EXPECT_EQ(m_store.GetActiveProfile(), nullptr);
    ASSERT_EQ(profile->GetKeymapCount(), 8);
    EXPECT_EQ(profile->GetCurrentKeymap(), profile->GetKeymap(0));
    EXPECT_EQ(profile->GetLedBrightness(tLEDType(4)), 100u);
    for (int i = 0; i < 8; ++i) {
        CKeymap* keymap = profile->GetKeymap(i);
        EXPECT_EQ(keymap->GetName(), L"");
        EXPECT_TRUE(IsEqualGUID(keymap->GetGUID(), GUID_NULL));
        EXPECT_EQ(keymap->GetButtonAssignments().size(), 27u);
        EXPECT_EQ(keymap->GetKeyAssignments().size(), 24u);
    }
    CAssignment record;
    const int expectedKinds[][2] = { { 1, 0 }, { 16, 0 }, { 17, 3 }, { 18, 54 }, { 19, 55 }, { 27, 0 } };
    for (const auto& pair : expectedKinds)
        EXPECT_EQ(profile->GetButtonAssignment(&record, tKeypadButton(pair[0]), profile->GetKeymap(7))->kind, pair[1]);

    uint16_t scan = 0;
    uint8_t extended = 0;
    for (const auto& entry : g_defaultButtonKeys) {
        ASSERT_TRUE(m_defaults.GetDefaultKeystroke(entry.second, scan, extended));
        profile->GetKeyAssignment(&record, entry.second, profile->GetKeymap(3));
        EXPECT_EQ(record.kind, 0);
        EXPECT_EQ(ScanCodeOf(record), scan);
        EXPECT_EQ(record.payload[4], extended);
    }
}

TEST_F(Store, CreateProfileTakesKeymapNamesFromTheActiveProfile)
{
    IKeypadProfile* active = Create(L"Active");
    active->GetKeymap(0)->SetName(L"Driving");
    active->GetKeymap(7)->SetName(L"Flying");
    active->RemoveAllKeymaps();
    active->AddKeymap(L"Only one");
    m_store.SetActiveProfile(active);
    IKeypadProfile* created = Create(L"Second");
    EXPECT_EQ(created->GetKeymap(0)->GetName(), L"Only one");
    EXPECT_EQ(created->GetKeymap(1)->GetName(), L"");
    EXPECT_EQ(m_store.GetActiveProfile(), active);
}

TEST_F(Store, DefaultKeyAssignmentOfAnUnknownKeyIsZero)
{
    CAssignment record;
    record.kind = 6;
    record.payload[9] = 1;
    EXPECT_TRUE(AssignmentEquals(*m_store.GetDefaultKeyAssignment(&record, HashKeyName(L"no such key")), CAssignment()));
    CVelmoraConfig withoutDefaults;
    EXPECT_TRUE(AssignmentEquals(*withoutDefaults.GetDefaultKeyAssignment(&record, HashKeyName(L"Tab")), CAssignment()));
}

TEST_F(Store, RestoreDefaultsWithoutAProfileWorksOnTheActiveOne)
{
    IKeypadProfile* profile = Create(L"P");
    profile->SetOsdEnabled(false);
    profile->SetCurrentKeymap(profile->GetKeymap(5));
    profile->SetApplicationPath(L"C:\\game.exe");
    m_store.SetActiveProfile(profile);
    m_store.RestoreProfileDefaults(nullptr);
    EXPECT_TRUE(profile->IsOsdEnabled());
    EXPECT_EQ(profile->GetCurrentKeymap(), profile->GetKeymap(0));
    // The path has no active-profile fallback and stays.
    EXPECT_EQ(profile->GetApplicationPath(), L"C:\\game.exe");

    m_store.RestoreProfileDefaults(profile);
    EXPECT_EQ(profile->GetApplicationPath(), L"");
    CAssignment record;
    EXPECT_EQ(profile->GetButtonAssignment(&record, tKeypadButton(18))->kind, 54);
}

TEST_F(Store, RenameReplacesTheProfileAndUpdatesTheHandle)
{
    Create(L"Before", 1);
    IKeypadProfile* profile = Create(L"Racing", 7);
    Create(L"After", 3);
    m_store.SetActiveProfile(profile);
    IKeypadProfile* handle = profile;

    struct Case { const wchar_t* name; bool renamed; };
    const Case cases[] = { { L"Racing", false }, { L"RACING", true }, { L"Rally", true } };
    for (const Case& c : cases) {
        IKeypadProfile* before = handle;
        IKeypadProfile* result = m_store.RenameProfile(handle, c.name);
        EXPECT_EQ(result != nullptr, c.renamed) << c.name;
        EXPECT_EQ(handle, c.renamed ? result : before) << c.name;
        EXPECT_EQ(handle->GetName(), c.name);
        EXPECT_EQ(m_store.GetProfile(1), handle);
        EXPECT_EQ(m_store.GetActiveProfile(), handle);
        GUID id;
        EXPECT_EQ(handle->GetGUID(&id)->Data1, 7u);
        EXPECT_EQ(handle->GetKeymapCount(), 8);
    }
    // Nothing in the store still answers with a freed object.
    EXPECT_EQ(m_store.FindProfileByName(L"rally"), handle);
    EXPECT_EQ(m_store.FindProfileByGUID(GUID{ 7, 0, 0, { 0 } }), handle);
    EXPECT_EQ(m_store.GetProfileCount(), 3);

    CVelmoraProfile stranger(L"Stranger");
    IKeypadProfile* strangerHandle = &stranger;
    EXPECT_EQ(m_store.RenameProfile(strangerHandle, L"Other"), nullptr);
    EXPECT_EQ(strangerHandle, &stranger);
    EXPECT_EQ(stranger.GetName(), L"Stranger");
    IKeypadProfile* none = nullptr;
    EXPECT_EQ(m_store.RenameProfile(none, L"x"), nullptr);
}

TEST_F(Store, RenameKeepsAnInactiveProfileInactive)
{
    IKeypadProfile* active = Create(L"Active", 1);
    IKeypadProfile* other = Create(L"Other", 2);
    m_store.SetActiveProfile(active);
    m_store.RenameProfile(other, L"Renamed");
    EXPECT_EQ(m_store.GetActiveProfile(), active);
    EXPECT_EQ(m_store.GetProfile(1), other);
}

TEST_F(Store, CopyProfileClearsEveryGuidAndAppends)
{
    IKeypadProfile* source = Create(L"Source", 9);
    source->GetKeymap(2)->SetGUID(1, 2, 3, 4);
    Create(L"Middle", 4);
    EXPECT_EQ(m_store.CopyProfile(source, L"Source"), nullptr);
    EXPECT_EQ(m_store.CopyProfile(nullptr, L"x"), nullptr);

    IKeypadProfile* copy = m_store.CopyProfile(source, L"source");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(m_store.GetProfile(2), copy);
    EXPECT_EQ(copy->GetName(), L"source");
    GUID id;
    EXPECT_TRUE(IsEqualGUID(*copy->GetGUID(&id), GUID_NULL));
    ASSERT_EQ(copy->GetKeymapCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(IsEqualGUID(copy->GetKeymap(i)->GetGUID(), GUID_NULL));
    EXPECT_EQ(source->GetKeymap(2)->GetGUID().Data1, 1u);
    EXPECT_EQ(source->GetGUID(&id)->Data1, 9u);
}

TEST_F(Store, DeleteProfile)
{
    IKeypadProfile* first = Create(L"First");
    IKeypadProfile* second = Create(L"Second");
    m_store.SetActiveProfile(first);
    CVelmoraProfile stranger;
    m_store.DeleteProfile(&stranger);
    m_store.DeleteProfile(nullptr);
    EXPECT_EQ(m_store.GetProfileCount(), 2);
    m_store.DeleteProfile(second);
    EXPECT_EQ(m_store.GetActiveProfile(), first);
    m_store.DeleteProfile(first);
    EXPECT_EQ(m_store.GetActiveProfile(), nullptr);
    EXPECT_EQ(m_store.GetProfileCount(), 0);
}

TEST_F(Store, OnlyListedProfilesBecomeActive)
{
    CVelmoraProfile stranger;
    m_store.SetActiveProfile(&stranger);
    EXPECT_EQ(m_store.GetActiveProfile(), nullptr);
    IKeypadProfile* listed = Create(L"Listed");
    m_store.SetActiveProfile(listed);
    EXPECT_EQ(m_store.GetActiveProfile(), listed);
    EXPECT_TRUE(m_store.IsCategoryChanged(kCatConfigActiveProfile));
    m_store.RemoveAllProfiles();
    EXPECT_EQ(m_store.GetActiveProfile(), nullptr);
}

TEST_F(Store, ChangeScopeOfStoreAndProfiles)
{
    IKeypadProfile* profile = Create(L"P");
    // A new profile is changed (its name and keys), and so is the store as a whole.
    EXPECT_TRUE(m_store.IsChanged());
    EXPECT_FALSE(m_store.IsCategoryChanged(kCatConfigMacros));
    m_store.AcceptChanges();
    EXPECT_TRUE(m_store.IsChanged());
    EXPECT_TRUE(m_store.IsChanged(profile));
    profile->AcceptChanges();
    EXPECT_FALSE(m_store.IsChanged());

    m_store.SetPercentValue(50);
    EXPECT_TRUE(m_store.IsChanged());
    EXPECT_FALSE(m_store.IsChanged(profile));
    m_store.AcceptChanges();
    EXPECT_FALSE(m_store.IsChanged());
    EXPECT_TRUE(m_store.IsCategoryChanged(7));
}

TEST_F(Store, ItemChangesOfMacrosAndApplications)
{
    m_store.AddMacro(L"Macro");
    m_store.AddApplication(L"C:\\a.exe");
    EXPECT_TRUE(m_store.IsItemChanged(12, 0));
    EXPECT_TRUE(m_store.IsItemChanged(14, 0));
    m_store.AcceptChanges();
    EXPECT_FALSE(m_store.IsItemChanged(12, 0));
    EXPECT_FALSE(m_store.IsItemChanged(14, 0));
    EXPECT_TRUE(m_store.IsItemChanged(12, 1));
    EXPECT_TRUE(m_store.IsItemChanged(13, 0));
    EXPECT_TRUE(m_store.IsItemChanged(12, -1));
    EXPECT_EQ(m_store.GetMacroCount(), 1);
    EXPECT_EQ(m_store.GetApplicationCount(), 1);
}

TEST_F(Store, NumericSettingsAreClamped)
{
    struct Case { unsigned int set; unsigned int percent; unsigned int range; };
    const Case cases[] = { { 0, 0, 0 }, { 1, 1, 1 }, { 5, 5, 1 }, { 100, 100, 1 }, { 250, 100, 1 }, { 0xFFFFFFFFu, 100, 1 } };
    for (const Case& c : cases) {
        m_store.SetPercentValue(c.set);
        m_store.SetRangeValue(c.set);
        m_store.SetTrackedRangeValue(c.set);
        m_store.SetTrackedValue(c.set);
        EXPECT_EQ(m_store.GetPercentValue(), c.percent) << c.set;
        EXPECT_EQ(m_store.GetRangeValue(), c.range) << c.set;
        EXPECT_EQ(m_store.GetTrackedRangeValue(), c.range) << c.set;
        EXPECT_EQ(m_store.GetTrackedValue(), c.set) << c.set;
    }
    EXPECT_EQ(m_store.GetRangeMin(), 0u);
    EXPECT_EQ(m_store.GetRangeMax(), 1u);
}

TEST_F(Store, LedAssignmentsTakeOnlyLedKind)
{
    CAssignment record;
    record.kind = 5;
    m_store.SetLedAssignment(3, record);
    EXPECT_EQ(m_store.GetLedAssignmentCount(), 0);
    record.kind = 77;
    record.payload[0] = 9;
    m_store.SetLedAssignment(8, record);
    m_store.SetLedAssignment(2, record);
    EXPECT_EQ(m_store.GetLedAssignmentCount(), 2);
    EXPECT_EQ(m_store.GetLedAssignmentKey(0), 2);
    EXPECT_EQ(m_store.GetLedAssignmentKey(1), 8);
    EXPECT_EQ(m_store.GetLedAssignmentKey(2), 0);
    EXPECT_TRUE(m_store.IsCategoryChanged(kCatConfigLedAssignments));
    CAssignment out;
    EXPECT_EQ(m_store.GetLedAssignment(&out, 8)->payload[0], 9);
}

TEST_F(Store, OperationsWithoutAnyProfileDoNothing)
{
    CAssignment record;
    m_store.SetButtonAssignment(tKeypadButton(1), record);
    m_store.SetKeyAssignment(1, record);
    m_store.SetLedState(tLEDType(1), true);
    EXPECT_EQ(m_store.GetButtonAssignment(&record, tKeypadButton(1)), nullptr);
    EXPECT_EQ(m_store.GetKeyAssignment(&record, 1), nullptr);
    EXPECT_EQ(m_store.GetKeymapCount(), 0);
    EXPECT_EQ(m_store.AddKeymap(L"x"), nullptr);
    EXPECT_EQ(m_store.GetCurrentKeymap(), nullptr);
    EXPECT_FALSE(m_store.GetLedState(tLEDType(1)));
    EXPECT_FALSE(m_store.IsProfileOsdEnabled());
    EXPECT_EQ(m_store.GetProfileApplicationPath(nullptr), L"");
    m_store.RestoreProfileDefaults(nullptr);
}

TEST_F(Store, DefaultAssignmentsOfButtons)
{
    CAssignment record;
    EXPECT_EQ(m_store.GetDefaultAssignment(&record, tKeypadButton(17))->kind, 3);
    EXPECT_EQ(m_store.GetDefaultAssignment(&record, tKeypadButton(19))->kind, 55);
    EXPECT_TRUE(AssignmentEquals(*m_store.GetDefaultAssignment(&record, tKeypadButton(5)), CAssignment()));
}

class StoreFiles : public testing::Test
{
protected:
    CString m_savedExeFolder = g_exeFolder;
    CString m_folder;

    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        m_folder.Format(L"%svelmora-store-%lu\\", temp, GetCurrentProcessId());
        CreateDirectoryW(m_folder, nullptr);
        ASSERT_TRUE(CreateDirectoryW(m_folder + L"save", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        g_exeFolder = m_folder;
    }

    void TearDown() override
    {
        DeleteFileW(m_folder + L"save\\Velmora.kvc");
        DeleteFileW(m_folder + L"save\\old.kvp");
        RemoveDirectoryW(m_folder + L"save");
        RemoveDirectoryW(m_folder);
        g_exeFolder = m_savedExeFolder;
    }
};

TEST_F(StoreFiles, SaveSettingsWritesTheActiveProfileName)
{
    CVelmoraConfig store;
    EXPECT_FALSE(store.SaveSettings());
    IKeypadProfile* profile = store.CreateProfile(L"Racing");
    store.SetActiveProfile(profile);
    EXPECT_TRUE(store.SaveSettings());
    wchar_t name[64] = {};
    GetPrivateProfileStringW(L"SETTINGS", L"ActiveProfileName", L"", name, 64, g_settingsPath);
    EXPECT_STREQ(name, L"Racing");
    EXPECT_FALSE(store.LoadSettings());
    EXPECT_EQ(store.GetProfileCount(), 1);
}

TEST_F(StoreFiles, AnUnreadableProfileFileNeverEmptiesTheStore)
{
    CVelmoraConfig store;
    IKeypadProfile* profile = store.CreateProfile(L"Keep me");
    store.SetActiveProfile(profile);
    HANDLE file = CreateFileW(m_folder + L"save\\old.kvp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(store.LoadProfileFiles(), 0);
    EXPECT_FALSE(store.LoadSettings());
    EXPECT_EQ(store.GetProfileCount(), 1);
    EXPECT_EQ(store.GetActiveProfile(), profile);
    EXPECT_EQ(profile->GetName(), L"Keep me");
}

TEST_F(Store, ASnapshotAnswersLikeTheStoreAndStaysApartFromIt)
{
    const tLEDType led = tLEDType(2);
    IKeypadProfile* kept = Create(L"Kept", 1);
    m_store.SetActiveProfile(kept);
    kept->SetOsdEnabled(false);
    CMacro* macro = m_store.AddMacro(L"Macro");
    m_store.AcceptChanges();
    kept->AcceptChanges();
    kept->SetLedColour(led, RGB(1, 2, 3));

    std::unique_ptr<IKeypadConfig> snapshot = m_store.CreateSnapshot();
    ASSERT_EQ(snapshot->GetProfileCount(), 1);
    IKeypadProfile* copy = snapshot->GetProfile(0);
    EXPECT_EQ(snapshot->GetActiveProfile(), copy);
    EXPECT_EQ(copy->GetName(), L"Kept");
    EXPECT_FALSE(copy->IsOsdEnabled());
    EXPECT_EQ(copy->GetKeymapCount(), kept->GetKeymapCount());
    EXPECT_TRUE(copy->IsLedItemChanged(kCatLedColour, led));
    EXPECT_FALSE(copy->IsCategoryChanged(kCatProfileName));
    EXPECT_FALSE(snapshot->IsItemChanged(12, 0));

    // Edits of the store after the snapshot do not reach it.
    kept->SetName(L"Edited");
    macro->SetName(L"Edited macro");
    EXPECT_EQ(copy->GetName(), L"Kept");
    EXPECT_STREQ(snapshot->GetMacro(0)->GetName(), L"Macro");
}

TEST_F(Store, AcceptingAWrittenSnapshotKeepsLaterEditsChanged)
{
    const tLEDType led = tLEDType(1);
    IKeypadProfile* known = Create(L"Known", 1);
    IKeypadProfile* fresh = Create(L"Fresh");
    IKeypadProfile* gone = Create(L"Gone");
    CMacro* macro = m_store.AddMacro(L"Macro");
    known->SetLedColour(led, RGB(1, 1, 1));

    std::unique_ptr<IKeypadConfig> snapshot = m_store.CreateSnapshot();
    // What a whole write does to the snapshot: new ids, everything accepted.
    const GUID freshId = { 2, 0, 0, { 0 } };
    const GUID goneId = { 3, 0, 0, { 0 } };
    const GUID macroId = { 4, 0, 0, { 0 } };
    snapshot->GetProfile(1)->SetGUID(freshId);
    snapshot->GetProfile(1)->GetKeymap(0)->SetGUID(macroId);
    snapshot->GetProfile(2)->SetGUID(goneId);
    snapshot->GetMacro(0)->SetGUID(macroId);
    for (int i = 0; i < snapshot->GetProfileCount(); ++i)
        snapshot->GetProfile(i)->AcceptChanges();
    snapshot->AcceptChanges();

    // Meanwhile: the known profile is renamed (a new object), its LED edited again, a
    // profile deleted and another added, the macro edited.
    ASSERT_NE(m_store.RenameProfile(known, L"Known renamed"), nullptr);
    known->SetLedColour(led, RGB(9, 9, 9));
    m_store.DeleteProfile(gone);
    IKeypadProfile* added = Create(L"Added");
    macro->m_events = { { 2, 5, 0 } };

    m_store.AcceptWritten(snapshot.get());
    GUID id;
    EXPECT_TRUE(IsEqualGUID(*fresh->GetGUID(&id), freshId));
    EXPECT_TRUE(IsEqualGUID(fresh->GetKeymap(0)->GetGUID(), macroId));
    EXPECT_FALSE(fresh->IsChanged());
    EXPECT_TRUE(known->IsCategoryChanged(kCatProfileName));
    EXPECT_TRUE(known->IsLedItemChanged(kCatLedColour, led));
    EXPECT_FALSE(known->IsCategoryChanged(kCatProfileOsd));
    EXPECT_TRUE(IsNullGuid(*added->GetGUID(&id)));
    EXPECT_EQ(m_store.FindProfileByGUID(goneId), nullptr);
    EXPECT_TRUE(IsEqualGUID(macro->m_id, macroId));
    EXPECT_TRUE(m_store.IsItemChanged(12, 0));

    // Setting the LED back to what was written makes it unchanged: the device holds it.
    known->SetLedColour(led, RGB(1, 1, 1));
    EXPECT_FALSE(known->IsLedItemChanged(kCatLedColour, led));
}

TEST_F(Store, AFailedWriteAcceptsNothingButKeepsTheNewIds)
{
    IKeypadProfile* fresh = Create(L"Fresh");
    std::unique_ptr<IKeypadConfig> snapshot = m_store.CreateSnapshot();
    const GUID freshId = { 7, 0, 0, { 0 } };
    snapshot->GetProfile(0)->SetGUID(freshId);
    m_store.AcceptWritten(snapshot.get());
    GUID id;
    EXPECT_TRUE(IsEqualGUID(*fresh->GetGUID(&id), freshId));
    EXPECT_TRUE(fresh->IsChanged());
    EXPECT_TRUE(m_store.IsChanged());
    // A store is no snapshot of itself.
    m_store.AcceptWritten(&m_store);
    EXPECT_TRUE(fresh->IsChanged());
}

TEST_F(Store, AcceptingAWrittenSnapshotTakesTheKeymapNamesTheDeviceKeptUnlessRenamedSince)
{
    IKeypadProfile* profile = Create(L"Profile", 1);
    profile->GetKeymap(0)->SetName(L"Local");
    profile->GetKeymap(1)->SetName(L"Also local");
    std::unique_ptr<IKeypadConfig> snapshot = m_store.CreateSnapshot();
    // The write left the device's own names on both keymaps.
    snapshot->GetProfile(0)->GetKeymap(0)->SetName(L"On the keypad");
    snapshot->GetProfile(0)->GetKeymap(1)->SetName(L"Also on the keypad");
    profile->GetKeymap(1)->SetName(L"Renamed meanwhile");
    m_store.AcceptWritten(snapshot.get());
    EXPECT_EQ(profile->GetKeymap(0)->GetName(), L"On the keypad");
    EXPECT_EQ(profile->GetKeymap(1)->GetName(), L"Renamed meanwhile");
}

TEST_F(Store, AcceptingAWrittenSnapshotTurnsNamedReferencesIntoIds)
{
    IKeypadProfile* profile = Create(L"Profile", 1);
    CKeymap* keymap = profile->GetKeymap(0);
    CMacro* macro = m_store.AddMacro(L"Macro");
    CAssignment record;
    MakeNamedAssignment(kAssignMacroByName, record, L"MACRO");
    record.SetWord(CAssignment::kMacroModeWord, 4);
    record.SetWord(CAssignment::kMacroRepeatWord, 2);
    profile->SetKeyAssignment(HashKeyName(L"Tab"), record, keymap);
    profile->SetButtonAssignment(tKeypadButton(18), MakeNamedAssignment(kAssignMacroByName, record, L"Unknown"), keymap);

    std::unique_ptr<IKeypadConfig> snapshot = m_store.CreateSnapshot();
    const GUID macroId = { 5, 0, 0, { 0 } };
    snapshot->GetMacro(0)->SetGUID(macroId);
    m_store.AcceptWritten(snapshot.get());

    ASSERT_TRUE(IsEqualGUID(macro->m_id, macroId));
    profile->GetKeyAssignment(&record, HashKeyName(L"Tab"), keymap);
    EXPECT_EQ(record.kind, kAssignMacro) << "names are found without regard to case";
    EXPECT_TRUE(IsEqualGUID(GuidFromWords(record.GetWord(0), record.GetWord(1), record.GetWord(2), record.GetWord(3)), macroId));
    EXPECT_EQ(record.GetWord(CAssignment::kMacroModeWord), 4u);
    EXPECT_EQ(record.GetWord(CAssignment::kMacroRepeatWord), 2u);
    EXPECT_EQ(profile->GetButtonAssignment(&record, tKeypadButton(18), keymap)->kind, kAssignMacroByName)
        << "a name no item has stays as it is";
}

TEST(NamedReferences, NamesAreCarriedUpTo259Characters)
{
    struct Case { int kind; int length; int kept; };
    const Case cases[] = {
        { kAssignMacroByName, 10, 10 }, { kAssignProfileByName, 259, 259 }, { kAssignKeymap31, 300, 259 },
        { kAssignKeymap35, 0, 0 }, { kAssignLaunchProgramByName, 260, 259 },
    };
    for (const Case& c : cases) {
        CAssignment record;
        MakeNamedAssignment(c.kind, record, CString(L'n', c.length));
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(GetReferenceName(record), CString(L'n', c.kept)) << c.kind << " " << c.length;
        EXPECT_EQ(record.GetWord(CAssignment::kMacroModeWord), c.kind == kAssignMacroByName ? 1u : 0u);
    }
    CAssignment other;
    MakeNamedAssignment(kAssignClick, other, L"ignored");
    EXPECT_EQ(other.kind, kAssignClick);
    EXPECT_TRUE(GetReferenceName(other).IsEmpty());
}
