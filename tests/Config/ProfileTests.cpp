#include "CVelmoraProfile.h"
#include "CategoryRegistry.h"
#include "KeyId.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const tLEDType kLed = tLEDType(4);
const tKeypadButton kButton = tKeypadButton(3);

// Sets the process-wide keymap mode for one test and restores it afterwards.
class KeymapMode
{
    int m_saved;

public:
    explicit KeymapMode(int mode) : m_saved(g_keymapMode) { g_keymapMode = mode; }
    ~KeymapMode() { g_keymapMode = m_saved; }
};

CAssignment Kind(int kind)
{
    CAssignment record;
    return MakeAssignment(kind, record, 0xA, 0xB, 0xC, 0xD);
}
}

TEST(Profile, NewIsUnchangedAndNameChangesCategory24)
{
    CVelmoraProfile profile;
    EXPECT_FALSE(profile.IsChanged());
    EXPECT_TRUE(profile.IsOsdEnabled());
    EXPECT_FALSE(profile.GetAutoSwitch());
    profile.SetName(L"Racing");
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileName));
    EXPECT_TRUE(profile.IsChanged());
    profile.AcceptChanges();
    EXPECT_FALSE(profile.IsChanged());
    EXPECT_TRUE(profile.IsCategoryChanged(7));

    CVelmoraProfile named(L"Named");
    EXPECT_EQ(named.GetName(), L"Named");
    EXPECT_TRUE(named.IsChanged());
}

TEST(Profile, FlagSettersTrackTheirCategories)
{
    CVelmoraProfile profile;
    // The notice is on from the start, which is no change.
    EXPECT_TRUE(profile.IsOsdEnabled());
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileAutoSwitch));
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileOsd));
    profile.SetAutoSwitch(true);
    profile.SetOsdEnabled(false);
    EXPECT_TRUE(profile.GetAutoSwitch());
    EXPECT_FALSE(profile.IsOsdEnabled());
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileAutoSwitch));
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileOsd));
    EXPECT_TRUE(profile.IsChanged());
    profile.AcceptChanges();
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileAutoSwitch));
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileOsd));
    // Setting a flag back to its accepted value is no change either.
    profile.SetOsdEnabled(true);
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileOsd));
    profile.SetOsdEnabled(false);
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileOsd));
    CVelmoraProfile copy(profile);
    EXPECT_TRUE(copy.GetAutoSwitch());
    EXPECT_FALSE(copy.IsOsdEnabled());
}

TEST(Profile, LedSettersClampAndTrackEachField)
{
    CVelmoraProfile profile;
    EXPECT_EQ(profile.GetLedBrightness(kLed), 0u);
    EXPECT_FALSE(profile.GetLedState(kLed));
    EXPECT_EQ(profile.GetLedColour(kLed), 0u);
    EXPECT_TRUE(profile.IsLedItemChanged(kCatLedColour, kLed));

    profile.SetLedColour(kLed, RGB(1, 2, 3));
    EXPECT_EQ(profile.GetLedColour(kLed), RGB(1, 2, 3));
    // The plain setting starts at full brightness; the tracked brightness stays unset.
    EXPECT_EQ(profile.GetLedBrightness(kLed), 0u);
    CVelmoraProfile copy(profile);
    EXPECT_EQ(copy.GetLedBrightness(kLed), 100u);
    EXPECT_EQ(copy.GetLedColour(kLed), RGB(1, 2, 3));

    struct Case { unsigned int set; unsigned int got; };
    const Case cases[] = { { 0, 0 }, { 55, 55 }, { 100, 100 }, { 101, 100 }, { 250, 100 }, { 0xFFFFFFFFu, 100 } };
    for (const Case& c : cases) {
        profile.SetLedBrightness(kLed, c.set);
        EXPECT_EQ(profile.GetLedBrightness(kLed), c.got) << c.set;
    }
    EXPECT_TRUE(profile.IsLedItemChanged(kCatLedBrightness, kLed));
    profile.AcceptChanges();
    EXPECT_FALSE(profile.IsLedItemChanged(kCatLedBrightness, kLed));
    EXPECT_TRUE(profile.IsLedItemChanged(kCatLedState, kLed));
    EXPECT_TRUE(profile.IsLedItemChanged(9, kLed));
    profile.SetLedEffect(kLed, tLEDEffect(2));
    profile.SetLedState(kLed, true);
    EXPECT_EQ(profile.GetLedEffect(kLed), tLEDEffect(2));
    EXPECT_TRUE(profile.GetLedState(kLed));
}

TEST(Profile, SupportedKindsFoldPairedKinds)
{
    CVelmoraProfile profile;
    std::vector<int> kinds = { 99 };
    profile.GetSupportedAssignmentKinds(&kinds);
    const std::vector<int> expected = { 5, 6, 30, 34, 32, 1, 2, 3, 4, 47, 46, 54, 55, 78, 21, 75, 8, 0 };
    EXPECT_EQ(kinds, expected);

    struct Case { int kind; bool supported; bool listed; };
    const Case cases[] = {
        { 6, true, true }, { 7, true, false }, { 22, true, false }, { 31, true, false }, { 35, true, false },
        { 76, true, false }, { 79, true, false }, { 9, false, false }, { 33, false, false }, { 77, false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profile.IsAssignmentKindSupported(c.kind), c.supported) << c.kind;
        EXPECT_EQ(profile.CanAssignKind(c.kind, kButton), c.supported) << c.kind;
        EXPECT_EQ(std::find(kinds.begin(), kinds.end(), c.kind) != kinds.end(), c.listed) << c.kind;
    }
}

TEST(Profile, KeymapModeAssignmentsLiveInTheKeymap)
{
    KeymapMode mode(1);
    CVelmoraProfile profile;
    CKeymap* first = profile.AddKeymap(L"Keymap 1");
    CKeymap* second = profile.AddKeymap(L"Keymap 2");
    profile.SetCurrentKeymap(first);
    const int tab = HashKeyName(L"Tab");

    profile.SetKeyAssignment(tab, Kind(9));
    profile.SetButtonAssignment(kButton, Kind(7));
    profile.SetButtonAssignment(tKeypadButton(4), Kind(9));
    profile.SetButtonAssignment(tKeypadButton(5), Kind(5), second);

    CAssignment out;
    EXPECT_EQ(profile.GetKeyAssignment(&out, tab)->kind, 9);
    EXPECT_EQ(profile.GetButtonAssignment(&out, kButton)->kind, 7);
    EXPECT_EQ(first->GetButtonAssignments().count(tKeypadButton(4)), 0u);
    EXPECT_EQ(profile.GetButtonAssignment(&out, tKeypadButton(5), second)->kind, 5);
    // A missing entry is created as a default key.
    out = Kind(6);
    EXPECT_TRUE(AssignmentEquals(*profile.GetKeyAssignment(&out, 12345), CAssignment()));
    EXPECT_EQ(first->GetKeyAssignments().count(12345), 1u);
    // Keymap assignments are not tracked by the profile.
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileKeys));
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileButtons));
}

TEST(Profile, KeymapOperationsWithoutAKeymapAreHarmless)
{
    KeymapMode mode(1);
    CVelmoraProfile profile;
    profile.SetKeyAssignment(1, Kind(5));
    profile.SetButtonAssignment(kButton, Kind(5));
    CAssignment out = Kind(6);
    EXPECT_TRUE(AssignmentEquals(*profile.GetKeyAssignment(&out, 1), CAssignment()));
    out = Kind(6);
    EXPECT_TRUE(AssignmentEquals(*profile.GetButtonAssignment(&out, kButton), CAssignment()));
    EXPECT_EQ(profile.GetKeyAssignment(nullptr, 1), nullptr);
    EXPECT_EQ(profile.GetKeymapCount(), 0);
}

TEST(Profile, PlainModeTracksAssignmentsInTheProfile)
{
    KeymapMode mode(0);
    CVelmoraProfile profile;
    const int key = HashKeyName(L"q Q");
    profile.SetKeyAssignment(key, Kind(9));
    EXPECT_TRUE(profile.IsKeyItemChanged(kCatProfileKeys, key));
    EXPECT_FALSE(profile.IsCategoryChanged(kCatProfileKeys));

    profile.SetKeyAssignment(key, Kind(5));
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileKeys));
    profile.AcceptChanges();
    EXPECT_FALSE(profile.IsKeyItemChanged(kCatProfileKeys, key));
    EXPECT_TRUE(profile.IsKeyItemChanged(0, key));
    // Setting the same value again replaces the tracked entry, which counts as changed.
    profile.SetKeyAssignment(key, Kind(5));
    EXPECT_TRUE(profile.IsKeyItemChanged(kCatProfileKeys, key));
    CAssignment out;
    EXPECT_EQ(profile.GetKeyAssignment(&out, key)->kind, 5);

    profile.SetButtonAssignment(kButton, Kind(1));
    EXPECT_TRUE(profile.IsCategoryChanged(kCatProfileButtons));
    EXPECT_EQ(profile.GetButtonAssignment(&out, kButton)->kind, 1);
    EXPECT_EQ(profile.GetButtonAssignment(&out, tKeypadButton(9))->kind, 0);
}

TEST(Profile, KeymapListOperations)
{
    CVelmoraProfile profile;
    CKeymap* first = profile.AddKeymap(L"Keymap 1");
    first->SetGUID(5, 6, 7, 8);
    CKeymap* copy = profile.AddKeymapCopy(first);
    copy->SetName(L"Copy");
    EXPECT_EQ(profile.AddKeymapCopy(nullptr), nullptr);
    EXPECT_EQ(profile.GetKeymapCount(), 2);
    EXPECT_EQ(profile.GetKeymap(1), copy);
    EXPECT_EQ(profile.GetKeymap(2), nullptr);
    EXPECT_EQ(profile.GetKeymap(-1), nullptr);
    EXPECT_EQ(profile.FindKeymapByName(L"KEYMAP 1"), first);
    EXPECT_EQ(profile.FindKeymapByName(L"none"), nullptr);
    EXPECT_EQ(profile.FindKeymapByGUID(first->GetGUID()), first);
    EXPECT_EQ(profile.FindKeymapByGUID(GUID_NULL), nullptr);

    profile.SetCurrentKeymap(copy);
    EXPECT_EQ(profile.GetCurrentKeymap(), copy);
    profile.RemoveAllKeymaps();
    EXPECT_EQ(profile.GetCurrentKeymap(), nullptr);
    EXPECT_EQ(profile.GetKeymapCount(), 0);
}

TEST(ProfileCopy, OwnsItsKeymapsAndItsRegistry)
{
    KeymapMode mode(1);
    CVelmoraProfile source(L"Source");
    source.SetGUID(GUID{ 0x11, 0, 0, { 0 } });
    source.SetApplicationPath(L"C:\\Games\\race.exe");
    source.SetLedState(kLed, true);
    source.AddKeymap(L"A");
    CKeymap* b = source.AddKeymap(L"B");
    source.AddKeymap(L"C");
    source.SetCurrentKeymap(b);
    source.SetButtonAssignment(kButton, Kind(8));
    source.AcceptChanges();

    auto copy = std::make_unique<CVelmoraProfile>(source);
    ASSERT_EQ(copy->GetKeymapCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(copy->GetKeymap(i), source.GetKeymap(i));
    EXPECT_EQ(copy->GetCurrentKeymap(), copy->GetKeymap(1));
    EXPECT_EQ(copy->GetCurrentKeymap()->GetName(), L"B");
    CAssignment out;
    EXPECT_EQ(copy->GetButtonAssignment(&out, kButton)->kind, 8);
    EXPECT_EQ(copy->GetName(), L"Source");
    EXPECT_EQ(copy->GetApplicationName(), L"race.exe");
    GUID id;
    EXPECT_EQ(copy->GetGUID(&id)->Data1, 0x11u);
    EXPECT_TRUE(copy->GetLedState(kLed));
    // Accepted values are not copied.
    EXPECT_TRUE(copy->IsChanged());

    // The copy's categories are its own: accepting or changing it leaves the source alone,
    // and the source's keymaps outlive the copy.
    copy->AcceptChanges();
    EXPECT_FALSE(copy->IsChanged());
    copy->SetName(L"Changed");
    EXPECT_FALSE(source.IsChanged());
    copy.reset();
    EXPECT_EQ(source.GetCurrentKeymap()->GetName(), L"B");
    EXPECT_EQ(source.GetName(), L"Source");
}

TEST(ProfileCopy, ForeignOrMissingCurrentKeymapGivesNone)
{
    CVelmoraProfile source;
    source.AddKeymap(L"A");
    CVelmoraProfile noCurrent(source);
    EXPECT_EQ(noCurrent.GetCurrentKeymap(), nullptr);

    CKeymap stray(L"Stray");
    source.SetCurrentKeymap(&stray);
    CVelmoraProfile foreign(source);
    EXPECT_EQ(foreign.GetCurrentKeymap(), nullptr);
}

TEST(ProfileCopy, CopyFromItselfKeepsEverything)
{
    CVelmoraProfile profile(L"Self");
    CKeymap* keymap = profile.AddKeymap(L"A");
    profile.SetCurrentKeymap(keymap);
    profile.CopyFrom(static_cast<const CKeypadProfile&>(profile));
    EXPECT_EQ(profile.GetKeymapCount(), 1);
    EXPECT_EQ(profile.GetCurrentKeymap(), keymap);
    EXPECT_EQ(profile.GetName(), L"Self");
}

TEST(Profile, ApplicationPathGivesNameAndExtension)
{
    struct Case { const wchar_t* path; const wchar_t* name; };
    const Case cases[] = {
        { L"C:\\Games\\Race\\race.exe", L"race.exe" },
        { L"C:/Games/race.game.exe", L"race.game.exe" },
        { L"C:race.exe", L"race.exe" },
        { L"race", L"race" },
        { L"C:\\Games.d\\race", L"race" },
        { L"", L"" },
    };
    CVelmoraProfile profile;
    for (const Case& c : cases) {
        profile.SetApplicationPath(c.path);
        EXPECT_EQ(profile.GetApplicationName(), c.name) << c.path;
        EXPECT_EQ(profile.GetApplicationPath(), c.path);
    }
}

TEST(Profile, OverLongApplicationPathComponentsAreCut)
{
    CVelmoraProfile profile;
    const CString longName(L'n', 400);
    const CString longExtension = L"." + CString(L'e', 400);
    profile.SetApplicationPath(L"C:\\" + longName + longExtension);
    const CString name = profile.GetApplicationName();
    EXPECT_EQ(name.GetLength(), 2 * CBaseProfile::kMaxPathComponent);
    EXPECT_EQ(name.Left(CBaseProfile::kMaxPathComponent), longName.Left(CBaseProfile::kMaxPathComponent));
    EXPECT_EQ(name.Mid(CBaseProfile::kMaxPathComponent), longExtension.Left(CBaseProfile::kMaxPathComponent));
}

TEST(Profile, FilesAreNotSupported)
{
    CVelmoraProfile profile(L"P");
    CString path = L"untouched";
    EXPECT_FALSE(profile.SaveToFile(path, L"C:\\save\\", L"kvp"));
    EXPECT_FALSE(profile.LoadFromFile(L"P", L"C:\\save\\", L"kvp"));
    EXPECT_EQ(path, L"untouched");
    EXPECT_FALSE(profile.HasFileName());
    EXPECT_EQ(profile.GetFileName(), L"");
    EXPECT_FALSE(profile.GetOption());
}
