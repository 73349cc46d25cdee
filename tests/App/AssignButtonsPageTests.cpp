// The button assignment page without windows: its texts in two languages, its menu rules
// and what each choice stores, with the popups scripted and a real store.
#include "AppItemIds.h"
#include "AssignmentTexts.h"
#include "CAssignButtonsPage.h"
#include "CDropdownListItem.h"
#include "CKeypadConfig.h"
#include "CKeystroke.h"
#include "CLangTable.h"
#include "CListPanelItem.h"
#include "CVelmoraConfig.h"
#include "GuidText.h"
#include "KeyId.h"
#include "NamedReferences.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Device = CAssignButtonsPage::Device;

const GUID kMacroId = { 0x44444444, 4, 4, { 4, 4, 4, 4, 4, 4, 4, 4 } };
const GUID kSecondId = { 0x22222222, 2, 2, { 2, 2, 2, 2, 2, 2, 2, 2 } };
constexpr uint16_t kScanA = 0x1E;
constexpr uint16_t kVirtualA = 0x41;

// A language table of the few texts the page shows, read as a language file.
std::unique_ptr<CLangTable> MakeLanguage(const std::vector<std::pair<const wchar_t*, const wchar_t*>>& texts)
{
    std::wstring file = L"Test\r\nx\r\n";
    for (const auto& text : texts)
        file += std::wstring(text.first) + L"\r\n" + text.second + L"\r\n";
    file += L"END OF FILE\r\n";
    auto table = std::make_unique<CLangTable>();
    table->ParseFile(reinterpret_cast<const uint8_t*>(file.c_str()), static_cast<int>(file.size() * sizeof(wchar_t)));
    return table;
}

std::unique_ptr<CLangTable> English()
{
    return MakeLanguage({ { L"defaultkey", L"Default key" }, { L"SingleKey", L"Single key" }, { L"macro", L"Macro" },
        { L"profile", L"Profile" }, { L"keymap", L"Keymap" }, { L"click", L"Click" }, { L"joystick", L"Joystick" },
        { L"launchprogram", L"Launch program" }, { L"buttonoff", L"Button off" }, { L"PlayOnce", L"Play once" },
        { L"PlayMultipleTimes", L"Play multiple times" }, { L"whileheld", L"while held" }, { L"cycle", L"cycle" },
        { L"xaxis", L"X axis" }, { L"increase", L"Increase" }, { L"d-padnorth", L"Thumb pad up" },
        { L"Default", L"Default" }, { L"universalscrolling", L"Universal scrolling" },
        { L"CurrentAssignment", L"Current assignment" } });
}

std::unique_ptr<CLangTable> French()
{
    return MakeLanguage({ { L"defaultkey", L"Touche par défaut" }, { L"SingleKey", L"Touche unique" },
        { L"macro", L"Macro-commande" }, { L"profile", L"Profil" }, { L"keymap", L"Affectation" },
        { L"click", L"Clic" }, { L"joystick", L"Manette" }, { L"launchprogram", L"Lancer un programme" },
        { L"PlayOnce", L"Lire une fois" }, { L"PlayMultipleTimes", L"Lire plusieurs fois" },
        { L"whileheld", L"maintenu" }, { L"cycle", L"en boucle" }, { L"xaxis", L"Axe X" },
        { L"increase", L"Augmenter" },
        { L"d-padnorth", L"Pavé haut" }, { L"Default", L"Par défaut" } });
}

CAssignment ById(int kind, const GUID& id)
{
    uint32_t words[4];
    GuidToWords(id, words);
    CAssignment assignment;
    return MakeAssignment(kind, assignment, words[0], words[1], words[2], words[3]);
}

CAssignment Simple(int kind)
{
    CAssignment assignment;
    assignment.kind = kind;
    return assignment;
}

CAssignment SingleKey(uint16_t scanCode, uint16_t virtualKey, uint8_t flags)
{
    CAssignment assignment = Simple(kAssignSingleKey);
    assignment.payload[0] = static_cast<uint8_t>(scanCode);
    assignment.payload[1] = static_cast<uint8_t>(scanCode >> 8);
    assignment.payload[2] = static_cast<uint8_t>(virtualKey);
    assignment.payload[3] = static_cast<uint8_t>(virtualKey >> 8);
    assignment.payload[4] = flags;
    return assignment;
}

CAssignment Macro(const GUID& id, uint32_t mode)
{
    CAssignment assignment = ById(kAssignMacro, id);
    assignment.SetWord(CAssignment::kMacroModeWord, mode);
    return assignment;
}

CAssignment Joystick(const uint8_t (&state)[6])
{
    CAssignment assignment = Simple(kAssignJoystick);
    for (int axis = 0; axis < 6; ++axis)
        assignment.payload[axis] = state[axis];
    return assignment;
}

GUID KeymapId(int index)
{
    return GUID{ 0x33333330u + static_cast<unsigned>(index), 3, 3, { 3, 3, 3, 3, 3, 3, 3, 3 } };
}

// Default keystrokes: Tab for the first button, nothing for the others.
class CTabDefaults : public IKeyDefaults
{
public:
    bool GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const override
    {
        if (keyId != HashKeyName(L"Tab"))
            return false;
        scanCode = 0x0F;
        extended = 0;
        return true;
    }
    int32_t FindKeyByScanCode(uint32_t) const override { return 0; }
};

// The store, with a profile that can be switched off.
class CSwitchableStore : public CVelmoraConfig
{
public:
    bool m_enabled = true;

    using CVelmoraConfig::CVelmoraConfig;
    bool IsProfileEnabled(IKeypadProfile*) const override { return m_enabled; }
};

// Popups that give what the test put in and keep what the page passed them.
class CScriptedPopups : public IAppPopups
{
public:
    bool m_confirm = true;
    KeyEntryResult m_key;
    CString m_name;
    int m_mode = 1;
    bool m_confirmCount = true;
    int m_count = 0;
    CAssignment m_record;
    bool m_setRecord = false;
    CString m_path;
    // What the page passed in.
    CStringArray m_names;
    CString m_nameIn;
    int m_modeIn = 0;
    bool m_scrollIn = false;
    CAssignment m_recordIn;
    IFileChooser::Request m_request;
    int m_calls = 0;

    bool EnterName(const CString&, CString&) override { return false; }
    bool EnterRepeatCount(int& count) override
    {
        count = m_count;
        return m_confirmCount;
    }
    bool EnterSingleKey(KeyEntryResult& result) override
    {
        ++m_calls;
        result = m_key;
        return m_confirm;
    }
    bool EnterEditKey(KeyEntryResult&) override { return false; }
    bool ChooseMacro(bool scrollButton, const CStringArray& names, CString& name, int& mode) override
    {
        ++m_calls;
        m_scrollIn = scrollButton;
        m_names = names;
        m_nameIn = name;
        m_modeIn = mode;
        name = m_name;
        mode = m_mode;
        return m_confirm;
    }
    bool ChooseProfile(const CStringArray& names, CString& name) override
    {
        ++m_calls;
        m_names = names;
        m_nameIn = name;
        name = m_name;
        return m_confirm;
    }
    bool ChooseKeymap(bool scrollButton, const CStringArray& names, CAssignment& record) override
    {
        ++m_calls;
        m_scrollIn = scrollButton;
        m_names = names;
        m_recordIn = record;
        if (m_setRecord)
            record = m_record;
        return m_confirm;
    }
    bool ChooseJoystick(CAssignment& record) override
    {
        ++m_calls;
        m_recordIn = record;
        if (m_setRecord)
            record = m_record;
        return m_confirm;
    }
    bool ChooseFile(const IFileChooser::Request& request, CString& path) override
    {
        ++m_calls;
        m_request = request;
        path = m_path;
        return m_confirm;
    }
    INT_PTR ShowMessage(const CString&, const CString&, const wchar_t*) override { return IDCANCEL; }
    void ShowPreview(IKeypadProfile*, IKeypadConfig*) override {}
};

std::vector<std::wstring> Names(const CStringArray& names)
{
    std::vector<std::wstring> out;
    for (int index = 0; index < names.GetSize(); ++index)
        out.emplace_back(names[index].GetString());
    return out;
}

// A store with two profiles ("First" active, both with ids, the first one's keymaps with
// ids) and the page over 27 window-less drop-downs and the sub-menu lists.
class AssignButtonsPageTest : public testing::Test
{
protected:
    CTabDefaults m_defaults;
    CSwitchableStore m_store{ &m_defaults };
    IKeypadProfile* m_first = nullptr;
    IKeypadProfile* m_second = nullptr;
    CScriptedPopups m_scripted;
    IAppPopups* m_popups = &m_scripted;
    Device* m_device = nullptr;
    int m_marks = 0;
    CGUIItems m_items;
    std::unique_ptr<CLangTable> m_english = English();
    CAssignButtonsPage m_page{ &m_store, &m_device, &m_popups, [this]() { ++m_marks; } };

    void SetUp() override
    {
        InitVocabularyTables();
        g_pLangTable = m_english.get();
        m_first = m_store.CreateProfile(L"First");
        m_second = m_store.CreateProfile(L"Second");
        m_first->SetGUID({ 0x11111111, 1, 1, { 1, 1, 1, 1, 1, 1, 1, 1 } });
        m_second->SetGUID(kSecondId);
        for (int index = 0; index < m_first->GetKeymapCount(); ++index)
            m_first->GetKeymap(index)->SetGUID(KeymapId(index));
        m_store.SetActiveProfile(m_first);
        m_first->SetCurrentKeymap(m_first->GetKeymap(0));
        for (int id = BUTTON_ASSNBUTTON1; id <= BUTTON_ASSNDOWNRIGHT; ++id)
        {
            auto* dropdown = new CDropdownListItem();
            dropdown->m_id = id;
            dropdown->m_kind = GUIKIND_DROPDOWN;
            m_items.Add(dropdown);
        }
        for (int id : { LISTPANEL_ASSIGNSUBMENU_PR, LISTPANEL_ASSIGNSUBMENU_MA, LISTPANEL_ASSIGNSUBMENU_MORE,
                 LISTPANEL_ASSIGNSUBMENU_MOUSE })
        {
            auto* list = new CListPanelItem(200, 0);
            list->m_id = id;
            list->m_kind = GUIKIND_LISTPANELITEM;
            m_items.Add(list);
        }
        m_page.BuildAssignmentMenus(m_items);
    }
    void TearDown() override { g_pLangTable = nullptr; }

    int KeyId(int button) const { return g_defaultButtonKeys.at(static_cast<tKeypadButton>(button)); }
    CAssignment Stored(int button, CKeymap* keymap = nullptr)
    {
        CAssignment assignment;
        if (button >= kButtonWheelClick && button <= kButtonWheelDown)
            m_store.GetButtonAssignment(&assignment, static_cast<tKeypadButton>(button), nullptr, keymap);
        else
            m_store.GetKeyAssignment(&assignment, KeyId(button), nullptr, keymap);
        return assignment;
    }
    void Put(int button, const CAssignment& assignment)
    {
        if (button >= kButtonWheelClick && button <= kButtonWheelDown)
            m_store.SetButtonAssignment(static_cast<tKeypadButton>(button), assignment);
        else
            m_store.SetKeyAssignment(KeyId(button), assignment);
    }
    void Choose(int button, std::vector<CString> path) { m_page.OnAssignmentChosen(button, path); }
    CString Shown(int button) const { return m_page.GetDropdown(button)->GetDisplayText(); }
    const CListEntry* Row(const std::vector<CListEntry>& rows, const wchar_t* text) const
    {
        for (const CListEntry& row : rows)
        {
            if (row.m_text == text)
                return &row;
        }
        return nullptr;
    }
    CListPanelItem* List(int id) const { return m_items.FindItemOfKind<CListPanelItem>(id, GUIKIND_LISTPANELITEM); }
};
}

TEST_F(AssignButtonsPageTest, TextsOfEveryKindInTwoLanguages)
{
    CMacro* combo = m_store.AddMacro(L"Combo");
    combo->SetGUID(kMacroId);
    m_store.AddMacro(L"Fresh");
    m_store.AddApplication(L"C:\\Tools\\edit.exe");
    CAssignment byName;
    const uint8_t xIncrease[6] = { 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80 };
    struct Case
    {
        int button;
        CAssignment assignment;
        const wchar_t* english;
        const wchar_t* french;
    };
    const Case cases[] = {
        { 1, Simple(kAssignDefaultKey), L"Default key", L"Touche par défaut" },
        { 20, Simple(kAssignDefaultKey), L"Thumb pad up", L"Pavé haut" },
        { 2, SingleKey(kScanA, kVirtualA, 4), L"Single key: Ctrl+A", L"Touche unique: Ctrl+A" },
        { 2, SingleKey(kScanA, kVirtualA, 8 | 4 | 2), L"Single key: Shift+Ctrl+Alt+A",
            L"Touche unique: Shift+Ctrl+Alt+A" },
        { 3, Macro(kMacroId, 2), L"Macro: Combo (Play multiple times)",
            L"Macro-commande: Combo (Lire plusieurs fois)" },
        { 3, MakeNamedAssignment(kAssignMacroByName, byName, L"Fresh"), L"Macro: Fresh (Play once)",
            L"Macro-commande: Fresh (Lire une fois)" },
        { 3, Macro({ 9, 9, 9, { 9 } }, 1), L"Macro", L"Macro-commande" },
        { 4, ById(kAssignProfile, kSecondId), L"Profile: Second", L"Profil: Second" },
        { 5, ById(kAssignKeymap30, KeymapId(2)), L"Keymap: Keymap 3", L"Affectation: Affectation 3" },
        { 5, ById(kAssignKeymap34, KeymapId(1)), L"Keymap: Keymap 2 (while held)",
            L"Affectation: Affectation 2 (maintenu)" },
        { 5, Simple(kAssignKeymap32), L"Keymap (cycle)", L"Affectation (en boucle)" },
        { 6, MakeNamedAssignment(kAssignLaunchProgramByName, byName, L"C:\\Tools\\edit.exe"),
            L"Launch program: edit.exe", L"Lancer un programme: edit.exe" },
        { 7, Joystick(xIncrease), L"Joystick: X axis Increase", L"Manette: Axe X Augmenter" },
        { 8, Simple(kAssignClick), L"Click", L"Clic" },
        { 9, Simple(9), kUnavailableText, kUnavailableText },
    };
    const auto french = French();
    for (const Case& c : cases)
    {
        const AssignmentTextResult english = GetAssignmentText(c.button, c.assignment, m_store, m_english.get());
        EXPECT_EQ(english.m_text, c.english) << "kind " << c.assignment.kind;
        EXPECT_EQ(GetAssignmentText(c.button, c.assignment, m_store, french.get()).m_text, c.french)
            << "kind " << c.assignment.kind;
        EXPECT_EQ(english.m_toolTip, c.assignment.kind == 9 ? L"" : L"Current assignment");
    }
}

TEST_F(AssignButtonsPageTest, KeymapsWithoutOrWithEqualNamesAreKnownByPosition)
{
    m_first->GetKeymap(0)->SetName(L"Game");
    m_first->GetKeymap(1)->SetName(L"Same");
    m_first->GetKeymap(2)->SetName(L"Same");
    EXPECT_EQ(GetKeymapLabel(*m_first, 0, m_english.get()), L"Game");
    EXPECT_EQ(GetKeymapLabel(*m_first, 1, m_english.get()), L"Keymap 2");
    EXPECT_EQ(GetKeymapLabel(*m_first, 2, m_english.get()), L"Keymap 3");
    EXPECT_EQ(GetKeymapLabel(*m_first, 3, m_english.get()), L"Keymap 4");
    EXPECT_EQ(FindKeymapByLabel(*m_first, L"Keymap 3", m_english.get()), 2);
    EXPECT_EQ(FindKeymapByLabel(*m_first, L"Same", m_english.get()), -1);
    EXPECT_EQ(FindKeymapByLabel(*m_first, L"", m_english.get()), -1);
}

TEST_F(AssignButtonsPageTest, DefaultRowShowsTheDefaultKeyThePadDirectionOrTheWheelFunction)
{
    CString tab;
    ASSERT_TRUE(GetKeyDisplayName(VK_TAB, tab, 0x0F, false));
    EXPECT_EQ(GetDefaultRowText(1, m_store, m_english.get()), tab + L" (Default)");
    EXPECT_EQ(GetDefaultRowText(2, m_store, m_english.get()), L"Default key (Default)");
    EXPECT_EQ(GetDefaultRowText(20, m_store, m_english.get()), L"Thumb pad up (Default)");
    EXPECT_EQ(GetDefaultRowText(17, m_store, m_english.get()), L"Universal scrolling (Default)");
    m_page.FillAssignmentMenu(1);
    const CListEntry* row = Row(m_page.GetDropdown(1)->GetEntries(), L"$defaultkey");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->m_displayText, tab + L" (Default)");
}

TEST_F(AssignButtonsPageTest, MenuRowsFollowTheStoreAndTheButton)
{
    struct Case
    {
        int macros;
        bool secondProfile;
        int button;
        bool macroOff;
        bool profileOff;
        bool joystickOff;
    };
    const Case cases[] = {
        { 0, true, 1, true, false, false },
        { 1, true, 17, false, false, false },
        { 2, true, 19, false, false, true },
        { 1, true, 27, false, false, false },
        { 1, false, 18, false, true, true },
    };
    for (const Case& c : cases)
    {
        while (m_store.GetMacroCount() > 0)
            m_store.RemoveMacro(m_store.GetMacro(0));
        for (int index = 0; index < c.macros; ++index)
            m_store.AddMacro(index == 0 ? L"One" : L"Two");
        if (!c.secondProfile && m_second)
        {
            m_store.DeleteProfile(m_second);
            m_second = nullptr;
        }
        m_page.OnDropdownClicked(c.button, m_first);
        const auto& top = m_page.GetDropdown(c.button)->GetEntries();
        ASSERT_EQ(top.size(), 5u);
        EXPECT_EQ(Row(top, L"$macro")->m_disabled, c.macroOff) << c.button;
        EXPECT_TRUE(Row(top, L"$keymap")->m_separator);
        EXPECT_TRUE(Row(top, L"$keymap")->m_more);
        EXPECT_EQ(Row(top, L"$More")->m_pSubList, List(LISTPANEL_ASSIGNSUBMENU_MORE));
        const auto& more = List(LISTPANEL_ASSIGNSUBMENU_MORE)->GetEntries();
        ASSERT_EQ(more.size(), 5u);
        EXPECT_EQ(Row(more, L"$profile")->m_disabled, c.profileOff) << c.button;
        EXPECT_EQ(Row(more, L"$joystick")->m_disabled, c.joystickOff) << c.button;
        EXPECT_EQ(Row(more, L"$joystick")->m_tipText, L"$assignthisbuttontoperformjoystickfunction");
        EXPECT_EQ(List(LISTPANEL_ASSIGNSUBMENU_MOUSE)->GetCount(), 8);
        EXPECT_EQ(List(LISTPANEL_ASSIGNSUBMENU_MA)->GetCount(), c.macros);
        // The excluded profile (the profile list's selection) is not offered.
        EXPECT_EQ(List(LISTPANEL_ASSIGNSUBMENU_PR)->GetCount(), c.secondProfile ? 1 : 0);
    }
}

TEST_F(AssignButtonsPageTest, SimpleKindsAndTheDefaultAreStoredAtOnce)
{
    struct Case
    {
        int button;
        std::vector<CString> path;
        int kind;
    };
    const Case cases[] = {
        { 1, { L"$More", L"$MouseButton", L"$click" }, kAssignClick },
        { 17, { L"$More", L"$MouseButton", L"$scrolldown" }, kAssignScrollDown },
        { 22, { L"$More", L"$buttonoff" }, kAssignButtonOff },
        { 17, { L"$defaultkey" }, kAssignUniversalScrolling },
        { 1, { L"$defaultkey" }, kAssignDefaultKey },
    };
    for (const Case& c : cases)
    {
        Put(c.button, Simple(kAssignMenu));
        m_marks = 0;
        Choose(c.button, c.path);
        EXPECT_EQ(Stored(c.button).kind, c.kind) << c.path.back().GetString();
        EXPECT_EQ(m_marks, 1) << c.path.back().GetString();
    }
    EXPECT_EQ(Stored(1).payload[0], 0x0F);
    EXPECT_EQ(Shown(17), L"Universal scrolling");
    m_marks = 0;
    Choose(22, { L"$More", L"$buttonoff" });
    EXPECT_EQ(m_marks, 0);
    Choose(22, { L"$More", L"nothing known" });
    EXPECT_EQ(Stored(22).kind, kAssignButtonOff);
    EXPECT_EQ(m_scripted.m_calls, 0);
}

TEST_F(AssignButtonsPageTest, SingleKeyStoresTheCaptureOrKeepsTheOldAssignment)
{
    struct Case
    {
        bool confirm;
        KeyEntryResult key;
        bool stored;
    };
    KeyEntryResult ctrlA;
    ctrlA.m_keyText = L"A";
    ctrlA.m_scanCode = kScanA;
    ctrlA.m_virtualKey = kVirtualA;
    ctrlA.m_flags = KeyEntryResult::kCtrl;
    KeyEntryResult modifierOnly;
    modifierOnly.m_flags = KeyEntryResult::kCtrl;
    const Case cases[] = {
        { true, ctrlA, true },
        { false, ctrlA, false },
        { true, KeyEntryResult(), false },
        { true, modifierOnly, false },
    };
    for (const Case& c : cases)
    {
        Put(2, Simple(kAssignDoubleClick));
        m_marks = 0;
        m_scripted.m_confirm = c.confirm;
        m_scripted.m_key = c.key;
        Choose(2, { L"$SingleKey" });
        const CAssignment expected = c.stored ? SingleKey(kScanA, kVirtualA, 4) : Simple(kAssignDoubleClick);
        EXPECT_TRUE(AssignmentEquals(Stored(2), expected)) << c.confirm << " " << c.key.m_flags;
        EXPECT_EQ(m_marks, c.stored ? 1 : 0);
    }
    m_scripted.m_confirm = true;
    m_scripted.m_key = ctrlA;
    Choose(2, { L"$SingleKey" });
    EXPECT_EQ(Shown(2), L"Single key: Ctrl+A");
}

TEST_F(AssignButtonsPageTest, MacroIsStoredByIdOrByNameWithItsModeAndCount)
{
    CMacro* combo = m_store.AddMacro(L"Combo");
    combo->SetGUID(kMacroId);
    m_store.AddMacro(L"Fresh");
    struct Case
    {
        CString name;
        int mode;
        bool confirmCount;
        int count;
        bool stored;
        int kind;
        uint32_t storedMode;
        uint32_t storedCount;
    };
    const Case cases[] = {
        { L"Combo", 1, true, 0, true, kAssignMacro, 1, 0 },
        { L"Combo", 2, true, 3, true, kAssignMacro, 2, 3 },
        // The keypad keeps one byte of the count: more is its highest, not the count cut.
        { L"Combo", 2, true, 300, true, kAssignMacro, 2, 255 },
        { L"Fresh", 4, true, 0, true, kAssignMacroByName, 4, 0 },
        { L"Combo", 7, true, 0, true, kAssignMacro, 1, 0 },
        { L"Combo", 2, false, 3, false, 0, 0, 0 },
        { L"Combo", 2, true, 0, false, 0, 0, 0 },
        { L"Gone", 1, true, 0, false, 0, 0, 0 },
        { L"", 1, true, 0, false, 0, 0, 0 },
    };
    for (const Case& c : cases)
    {
        Put(3, Simple(kAssignClick));
        m_marks = 0;
        m_scripted.m_name = c.name;
        m_scripted.m_mode = c.mode;
        m_scripted.m_confirmCount = c.confirmCount;
        m_scripted.m_count = c.count;
        Choose(3, { L"$macro" });
        const CAssignment stored = Stored(3);
        EXPECT_EQ(stored.kind, c.stored ? c.kind : kAssignClick) << c.name.GetString() << c.mode;
        EXPECT_EQ(m_marks, c.stored ? 1 : 0);
        if (!c.stored)
            continue;
        EXPECT_EQ(stored.GetWord(CAssignment::kMacroModeWord), c.storedMode);
        EXPECT_EQ(stored.GetWord(CAssignment::kMacroRepeatWord), c.storedCount);
        if (c.kind == kAssignMacroByName)
            EXPECT_EQ(GetReferenceName(stored), c.name);
        else
            EXPECT_TRUE(AssignmentEquals(stored, [&] {
                CAssignment expected = Macro(kMacroId, c.storedMode);
                expected.SetWord(CAssignment::kMacroRepeatWord, c.storedCount);
                return expected;
            }()));
    }
    EXPECT_EQ(Names(m_scripted.m_names), (std::vector<std::wstring>{ L"Combo", L"Fresh" }));
    EXPECT_FALSE(m_scripted.m_scrollIn);

    // The current macro and mode are preselected; the wheel's scroll buttons get their variant.
    Put(18, Macro(kMacroId, 9));
    m_scripted.m_confirm = false;
    Choose(18, { L"$macro" });
    EXPECT_EQ(m_scripted.m_nameIn, L"Combo");
    EXPECT_EQ(m_scripted.m_modeIn, 1);
    EXPECT_TRUE(m_scripted.m_scrollIn);
    EXPECT_EQ(Stored(18).GetWord(CAssignment::kMacroModeWord), 9u);
}

TEST_F(AssignButtonsPageTest, ProfileIsOneOfTheOthersByIdOrByName)
{
    IKeypadProfile* third = m_store.CreateProfile(L"Third");
    ASSERT_NE(third, nullptr);
    struct Case
    {
        CString name;
        bool stored;
        int kind;
    };
    const Case cases[] = {
        { L"Second", true, kAssignProfile },
        { L"Third", true, kAssignProfileByName },
        { L"Nobody", false, 0 },
        { L"", false, 0 },
    };
    for (const Case& c : cases)
    {
        Put(4, Simple(kAssignClick));
        m_marks = 0;
        m_scripted.m_name = c.name;
        Choose(4, { L"$More", L"$profile" });
        EXPECT_EQ(Stored(4).kind, c.stored ? c.kind : kAssignClick) << c.name.GetString();
        EXPECT_EQ(m_marks, c.stored ? 1 : 0);
    }
    EXPECT_EQ(Names(m_scripted.m_names), (std::vector<std::wstring>{ L"Second", L"Third" }));
    Put(4, ById(kAssignProfile, kSecondId));
    m_scripted.m_confirm = false;
    Choose(4, { L"$More", L"$profile" });
    EXPECT_EQ(m_scripted.m_nameIn, L"Second");
    EXPECT_TRUE(AssignmentEquals(Stored(4), ById(kAssignProfile, kSecondId)));
}

TEST_F(AssignButtonsPageTest, KeymapChoiceIsResolvedByPositionAndGoesBackToTheIdForm)
{
    m_first->GetKeymap(1)->SetName(L"Same");
    m_first->GetKeymap(2)->SetName(L"Same");
    m_first->GetKeymap(4)->SetGUID(GUID_NULL);
    Put(5, ById(kAssignKeymap34, KeymapId(2)));
    CAssignment record;
    MakeNamedAssignment(kAssignKeymap31, record, L"Keymap 3");
    m_scripted.m_record = record;
    m_scripted.m_setRecord = true;
    Choose(5, { L"$keymap" });
    // The popup saw the old assignment by name and every keymap but the current one.
    EXPECT_EQ(m_scripted.m_recordIn.kind, kAssignKeymap35);
    EXPECT_EQ(GetReferenceName(m_scripted.m_recordIn), L"Keymap 3");
    EXPECT_EQ(Names(m_scripted.m_names), (std::vector<std::wstring>{ L"Keymap 2", L"Keymap 3", L"Keymap 4",
        L"Keymap 5", L"Keymap 6", L"Keymap 7", L"Keymap 8" }));
    EXPECT_TRUE(AssignmentEquals(Stored(5), ById(kAssignKeymap30, KeymapId(2))));
    EXPECT_EQ(m_marks, 1);
    EXPECT_EQ(Shown(5), L"Keymap: Keymap 3");

    // A keymap without an id stays by name and is still shown by it.
    MakeNamedAssignment(kAssignKeymap35, m_scripted.m_record, L"Keymap 5");
    Choose(5, { L"$keymap" });
    EXPECT_EQ(Stored(5).kind, kAssignKeymap35);
    EXPECT_EQ(Shown(5), L"Keymap: Keymap 5 (while held)");

    // Cancel keeps what was there.
    m_marks = 0;
    m_scripted.m_confirm = false;
    MakeNamedAssignment(kAssignKeymap31, m_scripted.m_record, L"Keymap 2");
    Choose(5, { L"$keymap" });
    EXPECT_EQ(Stored(5).kind, kAssignKeymap35);
    EXPECT_EQ(m_marks, 0);
}

TEST_F(AssignButtonsPageTest, CycleGoesIntoEveryKeymapAndNothingElseLeaks)
{
    for (int button : { 6, 17 })
    {
        m_marks = 0;
        m_scripted.m_record = Simple(kAssignKeymap32);
        m_scripted.m_setRecord = true;
        Choose(button, { L"$keymap" });
        for (int index = 0; index < m_first->GetKeymapCount(); ++index)
            EXPECT_EQ(Stored(button, m_first->GetKeymap(index)).kind, kAssignKeymap32) << button << " " << index;
        EXPECT_EQ(m_marks, 1);
        m_marks = 0;
        Choose(button, { L"$keymap" });
        EXPECT_EQ(m_marks, 0);
    }
    EXPECT_EQ(Shown(6), L"Keymap (cycle)");
    // Any other choice changes the current keymap only.
    Choose(6, { L"$More", L"$MouseButton", L"$click" });
    EXPECT_EQ(Stored(6, m_first->GetKeymap(0)).kind, kAssignClick);
    EXPECT_EQ(Stored(6, m_first->GetKeymap(1)).kind, kAssignKeymap32);
    EXPECT_EQ(Stored(7, m_first->GetKeymap(1)).kind, kAssignDefaultKey);
    CAssignment other;
    m_store.GetKeyAssignment(&other, KeyId(6), m_second, m_second->GetKeymap(0));
    EXPECT_EQ(other.kind, kAssignDefaultKey);
}

TEST_F(AssignButtonsPageTest, ProgramIsAddedOnceAndStoredByPathUntilItHasAnId)
{
    m_scripted.m_path = L"C:\\Tools\\edit.exe";
    Choose(8, { L"$More", L"$launchprogram" });
    EXPECT_EQ(m_scripted.m_request.m_filter, L"*.exe|*.exe||");
    EXPECT_EQ(m_scripted.m_request.m_flags, static_cast<DWORD>(0x1004));
    EXPECT_TRUE(m_scripted.m_request.m_open);
    EXPECT_EQ(Stored(8).kind, kAssignLaunchProgramByName);
    EXPECT_EQ(GetReferenceName(Stored(8)), L"C:\\Tools\\edit.exe");
    EXPECT_EQ(m_store.GetApplicationCount(), 1);
    m_store.GetApplication(0)->m_id = kMacroId;
    Choose(9, { L"$More", L"$launchprogram" });
    EXPECT_TRUE(AssignmentEquals(Stored(9), ById(kAssignLaunchProgram, kMacroId)));
    EXPECT_EQ(m_store.GetApplicationCount(), 1);
    EXPECT_EQ(Shown(9), L"Launch program: edit.exe");
    m_scripted.m_confirm = false;
    Choose(9, { L"$More", L"$buttonoff" });
    Choose(9, { L"$More", L"$launchprogram" });
    EXPECT_EQ(Stored(9).kind, kAssignButtonOff);
}

TEST_F(AssignButtonsPageTest, JoystickTakesThePopupsRecordOrKeepsTheOld)
{
    const uint8_t xIncrease[6] = { 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80 };
    Put(10, Simple(kAssignClick));
    m_scripted.m_record = Joystick(xIncrease);
    m_scripted.m_setRecord = true;
    Choose(10, { L"$More", L"$joystick" });
    EXPECT_EQ(m_scripted.m_recordIn.kind, kAssignClick);
    EXPECT_TRUE(AssignmentEquals(Stored(10), Joystick(xIncrease)));
    EXPECT_EQ(Shown(10), L"Joystick: X axis Increase");
    m_scripted.m_confirm = false;
    m_scripted.m_record = Simple(kAssignJoystickValue);
    m_marks = 0;
    Choose(10, { L"$More", L"$joystick" });
    EXPECT_TRUE(AssignmentEquals(Stored(10), Joystick(xIncrease)));
    EXPECT_EQ(m_marks, 0);
}

TEST_F(AssignButtonsPageTest, DisabledProfileShowsButtonOffEverywhere)
{
    Put(1, Simple(kAssignClick));
    m_page.RefreshAssignmentTexts();
    EXPECT_EQ(Shown(1), L"Click");
    EXPECT_FALSE(m_page.GetDropdown(1)->m_disabled);
    m_store.m_enabled = false;
    m_page.RefreshAssignmentTexts();
    for (int button = kButtonFirst; button <= kButtonLast; ++button)
    {
        EXPECT_EQ(Shown(button), L"Button off") << button;
        EXPECT_TRUE(m_page.GetDropdown(button)->m_disabled);
    }
    EXPECT_EQ(Stored(1).kind, kAssignClick);
}
