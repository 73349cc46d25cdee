// The macro management page's commands, on the main window built from the shipped skin
// pages with a scripted device and scripted popups; recording takes real input.
#include "AppItemIds.h"
#include "CAssignment.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CFakeKeypad.h"
#include "CKeyboardDef.h"
#include "CMacroDisplayItem.h"
#include "CManageMacrosPage.h"
#include "CPredefinedMacroList.h"
#include "CRawInputDevices.h"
#include "CShippedAppSkin.h"
#include "CSkinResourceList.h"
#include "CUnconnectedMainWindow.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "GUIMessages.h"
#include "GuidText.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace
{
using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

// A connected keypad that counts the capture mode and the macro files it is given.
class CMacroDevice : public CFakeKeypad
{
public:
    int m_captureEntered = 0;
    int m_captureLeft = 0;
    bool m_knowsMacros = true;
    bool m_importSucceeds = true;
    std::vector<CString> m_imported;
    std::vector<CString> m_exported;

    bool ImportMacro(CString path, IKeypadConfig* config) override
    {
        m_imported.push_back(path);
        return m_importSucceeds && config->AddMacro(L"Imported") != nullptr;
    }
    bool ExportMacro(CString path, CMacro*) override
    {
        m_exported.push_back(path);
        return true;
    }
    bool HasMacro(CMacro*) override { return m_knowsMacros; }
    bool EnterCaptureMode() override
    {
        ++m_captureEntered;
        return true;
    }
    bool LeaveCaptureMode() override
    {
        ++m_captureLeft;
        return true;
    }
};

// Answers the popups from a script and records what was shown.
class CScriptedPopups : public IAppPopups
{
public:
    // The names typed, in order; an empty script cancels.
    std::deque<CString> m_names;
    std::vector<CString> m_namePages;
    std::vector<CString> m_messagePages;
    std::vector<CString> m_messageTexts;
    INT_PTR m_answer = IDOK;
    bool m_chooseFile = true;
    CString m_file;
    std::vector<IFileChooser::Request> m_fileRequests;
    bool m_confirmKey = true;
    KeyEntryResult m_keyGiven;
    KeyEntryResult m_keyShown;

    bool EnterName(const CString& pageFile, CString& name) override
    {
        m_namePages.push_back(pageFile);
        if (m_names.empty())
            return false;
        name = m_names.front();
        m_names.pop_front();
        return true;
    }
    bool EnterRepeatCount(int&) override { return false; }
    bool EnterSingleKey(KeyEntryResult&) override { return false; }
    bool EnterEditKey(KeyEntryResult& result) override
    {
        m_keyShown = result;
        if (m_confirmKey)
            result = m_keyGiven;
        return m_confirmKey;
    }
    bool ChooseMacro(bool, const CStringArray&, CString&, int&) override { return false; }
    bool ChooseProfile(const CStringArray&, CString&) override { return false; }
    bool ChooseKeymap(bool, const CStringArray&, CAssignment&) override { return false; }
    bool ChooseJoystick(CAssignment&) override { return false; }
    bool ChooseFile(const IFileChooser::Request& request, CString& path) override
    {
        m_fileRequests.push_back(request);
        if (m_chooseFile)
            path = m_file;
        return m_chooseFile;
    }
    INT_PTR ShowMessage(const CString& pageFile, const CString& message, const wchar_t* extraText) override
    {
        m_messagePages.push_back(pageFile);
        m_messageTexts.push_back(extraText ? CString(extraText) : message);
        return m_answer;
    }
    void ShowPreview(IKeypadProfile*, IKeypadConfig*) override {}
};

class CMacroTestWindow : public CUnconnectedMainWindow
{
public:
    CMacroTestWindow(Device** device, IKeypadConfig* config) : CUnconnectedMainWindow(device, config) {}

    // A check box clicked: its state flips, then the command arrives.
    void ClickCheckBox(int id)
    {
        CBitmapBtn* button = Bound<CBitmapBtn>(id);
        button->SetChecked(!button->IsChecked());
        Click(id);
    }
    bool IsEnabled(int id) const { return ::IsWindowEnabled(ItemWindow(id)) != FALSE; }
    bool IsItemChecked(int id) const { return Bound<CBitmapBtn>(id)->IsChecked(); }
    CDropdownListItem& Macros() const { return *Bound<CDropdownListItem>(LIST_GLOBALMACROLIST); }
    CMacroDisplayItem& Editor() const { return *Bound<CMacroDisplayItem>(MACRO_DISPLAY); }
    CMacroDisplayItem& Copy() const { return *Bound<CMacroDisplayItem>(MACRO_DISPLAY_READONLY); }
    CEditItem& Edit(int id) const { return *Bound<CEditItem>(id); }
    CString ShownMacro() const { return Macros().GetShownText(); }
    void ChooseMacro(int entry)
    {
        Macros().SetCurSel(entry);
        SendMessage(WM_GUI_DROPDOWN_SELCHANGE, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(Macros().m_hWnd));
    }
    void SelectEventRow(int row)
    {
        Editor().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
};

CMacroEvent Key(int scanCode, int32_t extra)
{
    CMacroEvent event;
    event.type = CMacroEvent::kKeystroke;
    event.value = (0x41 << 16) | scanCode;
    event.extra = extra;
    return event;
}

CMacroEvent Delay(int32_t milliseconds)
{
    CMacroEvent event;
    event.type = CMacroEvent::kDelay;
    event.value = milliseconds;
    return event;
}

class ManageMacrosPageTest : public testing::Test
{
protected:
    CShippedAppSkin m_skin;
    CVelmoraConfig m_store;
    CMacroDevice m_keypad;
    Device* m_device = &m_keypad;
    CScriptedPopups m_popups;
    IKeypadProfile* m_first = nullptr;
    IKeypadProfile* m_second = nullptr;
    CMacro* m_alpha = nullptr;
    CMacro* m_beta = nullptr;
    std::unique_ptr<CMacroTestWindow> m_window;

    void SetUp() override
    {
        ASSERT_TRUE(m_skin.EnterForMainWindow(VELMORA_SKIN_FOLDER));

        m_first = m_store.CreateProfile(L"First");
        m_second = m_store.CreateProfile(L"Second");
        ASSERT_TRUE(m_first && m_second);
        m_store.SetActiveProfile(m_first);
        m_first->SetCurrentKeymap(m_first->GetKeymap(0));
        m_alpha = m_store.AddMacro(L"Alpha");
        m_beta = m_store.AddMacro(L"Beta");
        ASSERT_TRUE(m_alpha && m_beta);
        m_alpha->SetGUID({ 0x44444444, 4, 4, { 4, 4, 4, 4, 4, 4, 4, 4 } });
        m_alpha->m_events = { Key(0x1E, CMacroEvent::kKeyDown), Delay(20), Key(0x1E, CMacroEvent::kKeyUp) };

        m_window = std::make_unique<CMacroTestWindow>(&m_device, &m_store);
        ASSERT_TRUE(m_window->Create());
        m_window->ShowWindow(SW_SHOWNA);
        m_window->SetPopups(&m_popups);
        m_window->Click(BUTTON_MANAGEMACROS);
    }
    void TearDown() override
    {
        m_window.reset();
        g_rawInputDevices.Unregister();
        m_skin.Leave();
    }

    CMacroTestWindow& Window() { return *m_window; }
    std::vector<CString> MacroNames() const
    {
        std::vector<CString> names;
        for (int index = 0; index < m_store.GetMacroCount(); ++index)
            names.push_back(m_store.GetMacro(index)->GetName());
        return names;
    }
    void ChooseAlpha() { Window().ChooseMacro(0); }
};

TEST_F(ManageMacrosPageTest, ChoosingAMacroLoadsItsEventsIntoTheEditor)
{
    EXPECT_EQ(Window().GetMacroState(), 0);
    ASSERT_EQ(Window().Macros().GetCount(), 2);
    EXPECT_EQ(Window().Edit(EDITCTRL_INSERT_DELAY).GetWindowText(), L"50");
    EXPECT_EQ(Window().Edit(EDITCTRL_DEFAULT_DELAY).GetWindowText(), L"50");
    ChooseAlpha();
    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_EQ(Window().Editor().GetItemCount(), 3);
    EXPECT_FALSE(Window().HasChangesPending());
}

TEST_F(ManageMacrosPageTest, CommandDropDownsAreDrawnUnavailableWithoutAMacroAndWholeAgainAfter)
{
    Window().ShowWindow(SW_SHOW);
    ASSERT_TRUE(WindowTest::BringToForeground(Window().m_hWnd));
    CDropdownListItem& commands = *Window().Bound<CDropdownListItem>(LIST_GLOBAL_BASIC_COMMANDS);
    EXPECT_TRUE(commands.m_disabled);
    ChooseAlpha();
    EXPECT_FALSE(commands.m_disabled);
    WindowTest::PumpFor(200);
    // Enabling the box repaints it: the static control underneath would paint it white.
    EXPECT_NE(WindowTest::ScreenPixel(commands.m_hWnd, { 4, 4 }), RGB(255, 255, 255));
    EXPECT_NE(WindowTest::ScreenPixel(commands.m_hWnd, { 4, 4 }), CLR_INVALID);
}

TEST_F(ManageMacrosPageTest, NewMacro_NamesAreUniqueIgnoringCase)
{
    struct Case
    {
        const char* what;
        bool typed;
        const wchar_t* name;
        const wchar_t* warning;
    };
    const Case cases[] = {
        { "cancelled", false, L"", nullptr },
        { "empty", true, L"", nullptr },
        { "same name", true, L"Alpha", CManageMacrosPage::kDuplicatePopup },
        { "same name in another case, which the store refuses", true, L"ALPHA", CManageMacrosPage::kDuplicatePopup },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_popups.m_messagePages.clear();
        m_popups.m_messageTexts.clear();
        if (c.typed)
            m_popups.m_names.push_back(c.name);
        Window().Click(BUTTON_MACRO_CREATE);
        EXPECT_EQ(m_store.GetMacroCount(), 2);
        EXPECT_EQ(Window().GetMacroState(), 0);
        EXPECT_FALSE(Window().HasChangesPending());
        ASSERT_EQ(m_popups.m_messagePages.size(), c.warning ? 1u : 0u);
        if (c.warning)
        {
            EXPECT_EQ(m_popups.m_messagePages[0], c.warning);
            EXPECT_EQ(m_popups.m_messageTexts[0], CString(L": ") + c.name);
        }
    }
    EXPECT_EQ(m_popups.m_namePages[0], IAppPopups::kMacroNamePage);

    m_popups.m_names.push_back(L"Gamma");
    Window().Click(BUTTON_MACRO_CREATE);
    ASSERT_EQ(m_store.GetMacroCount(), 3);
    EXPECT_EQ(Window().ShownMacro(), L"Gamma");
    EXPECT_EQ(Window().Macros().GetCount(), 3);
    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_TRUE(Window().HasChangesPending());
    EXPECT_EQ(Window().Editor().GetItemCount(), 0);
}

TEST_F(ManageMacrosPageTest, RecordWithNoMacroSelectedCreatesOne)
{
    m_popups.m_names.push_back(L"Recorded");
    Window().Click(BUTTON_MACRO_RECORD);
    EXPECT_NE(m_store.FindMacroByName(L"Recorded"), nullptr);
    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_FALSE(Window().Editor().IsRecording());
    EXPECT_EQ(m_keypad.m_captureEntered, 0);
}

TEST_F(ManageMacrosPageTest, Rename_OwnNameOrCaseOnlyAndOtherNames)
{
    ChooseAlpha();
    CAssignment byName;
    MakeNamedAssignment(kAssignMacroByName, byName, L"Alpha");
    m_store.SetButtonAssignment(g_allKeypadButtons[0], byName, m_second, m_second->GetKeymap(3));
    struct Case
    {
        const char* what;
        const wchar_t* typed;
        const wchar_t* expectedName;
        bool warned;
    };
    const Case cases[] = {
        { "its own name: nothing, no warning", L"Alpha", L"Alpha", false },
        { "another macro's name in another case", L"bETA", L"Alpha", true },
        { "only the case changes", L"ALPHA", L"ALPHA", false },
        { "a new name", L"Omega", L"Omega", false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_popups.m_messagePages.clear();
        m_popups.m_names.push_back(c.typed);
        Window().Click(BUTTON_MACRO_RENAME);
        EXPECT_STREQ(m_alpha->GetName(), c.expectedName);
        EXPECT_EQ(Window().ShownMacro(), c.expectedName);
        EXPECT_EQ(m_popups.m_messagePages.size(), c.warned ? 1u : 0u);
    }
    EXPECT_EQ(m_popups.m_namePages.back(), IAppPopups::kMacroRenamePage);
    EXPECT_EQ((MacroNames()), (std::vector<CString>{ L"Omega", L"Beta" }));
    EXPECT_TRUE(Window().HasChangesPending());
    // A button that plays the macro by its name plays it under the new name.
    CAssignment after;
    ASSERT_TRUE(m_store.GetButtonAssignment(&after, g_allKeypadButtons[0], m_second, m_second->GetKeymap(3)));
    EXPECT_EQ(after.kind, kAssignMacroByName);
    EXPECT_EQ(GetReferenceName(after), L"Omega");
}

TEST_F(ManageMacrosPageTest, DeleteResetsTheButtonsThatPlayItEverywhere)
{
    ChooseAlpha();
    CAssignment byId;
    byId.kind = kAssignMacro;
    uint32_t words[4] = {};
    GuidToWords(m_alpha->m_id, words);
    for (int word = 0; word < 4; ++word)
        byId.SetWord(word, words[word]);
    CAssignment byName;
    MakeNamedAssignment(kAssignMacroByName, byName, L"alpha");
    const tKeypadButton button = g_allKeypadButtons[2];
    m_store.SetButtonAssignment(button, byId, m_first, m_first->GetKeymap(0));
    m_store.SetButtonAssignment(button, byName, m_second, m_second->GetKeymap(7));

    m_popups.m_answer = IDCANCEL;
    Window().Click(BUTTON_MACRO_DELETE);
    EXPECT_EQ(m_store.GetMacroCount(), 2);
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(m_popups.m_messagePages[0], CManageMacrosPage::kConfirmDeletePopup);
    EXPECT_EQ(m_popups.m_messageTexts[0], L": Alpha");

    m_popups.m_answer = IDOK;
    Window().Click(BUTTON_MACRO_DELETE);
    EXPECT_EQ((MacroNames()), (std::vector<CString>{ L"Beta" }));
    CAssignment defaults;
    m_store.GetDefaultAssignment(&defaults, button);
    for (auto [profile, keymap] : { std::make_pair(m_first, 0), std::make_pair(m_second, 7) })
    {
        CAssignment after;
        ASSERT_TRUE(m_store.GetButtonAssignment(&after, button, profile, profile->GetKeymap(keymap)));
        EXPECT_EQ(after.kind, defaults.kind) << keymap;
    }
    EXPECT_EQ(Window().ShownMacro(), L"Beta");
    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_TRUE(Window().HasChangesPending());

    // The last macro gone: the drop-down is empty and the page has no macro.
    Window().Click(BUTTON_MACRO_DELETE);
    EXPECT_EQ(m_store.GetMacroCount(), 0);
    EXPECT_EQ(Window().Macros().GetCount(), 0);
    EXPECT_EQ(Window().ShownMacro(), L"");
    EXPECT_EQ(Window().GetMacroState(), 0);
}

TEST_F(ManageMacrosPageTest, TheDefaultDelayWarningBlocksRecordingBeforeCaptureMode)
{
    ChooseAlpha();
    Window().ClickCheckBox(BUTTON_INSERTDEFAULT_DELAY);
    ASSERT_TRUE(Window().Editor().GetUseDefaultDelay());
    // The edit's own check puts "50" back; the record button checks again whatever the
    // edit holds, here a text set while the page was not told of it.
    m_popups.m_messagePages.clear();
    Window().Edit(EDITCTRL_DEFAULT_DELAY).SetWindowText(L"0");
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(Window().Edit(EDITCTRL_DEFAULT_DELAY).GetWindowText(), L"50");
    HWND sink = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(sink, nullptr);
    Window().Edit(EDITCTRL_DEFAULT_DELAY).SetNotifyWindow(sink);
    Window().Edit(EDITCTRL_DEFAULT_DELAY).SetWindowText(L"");
    Window().Edit(EDITCTRL_DEFAULT_DELAY).SetNotifyWindow(nullptr);
    ::DestroyWindow(sink);

    m_popups.m_messagePages.clear();
    Window().Click(BUTTON_MACRO_RECORD);
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(m_popups.m_messagePages[0], CManageMacrosPage::kDefaultDelayPopup);
    EXPECT_EQ(m_keypad.m_captureEntered, 0);
    EXPECT_FALSE(Window().Editor().IsRecording());
    EXPECT_EQ(Window().GetMacroState(), 1);

    Window().Edit(EDITCTRL_DEFAULT_DELAY).SetWindowText(L"120");
    Window().Click(BUTTON_MACRO_RECORD);
    EXPECT_EQ(m_keypad.m_captureEntered, 1);
    EXPECT_TRUE(Window().Editor().IsRecording());
    EXPECT_EQ(Window().Editor().GetDefaultDelay(), 120);
    EXPECT_EQ(Window().GetMacroState(), CVelmoraAppDlg::kMacroRecording);
    Window().Click(BUTTON_MACRO_RECORD_STOP);
    EXPECT_EQ(m_keypad.m_captureLeft, 1);
    EXPECT_EQ(Window().GetMacroState(), 1);
}

TEST_F(ManageMacrosPageTest, RecordsRealKeysIntoTheMacroUntilStopIsClicked)
{
    int size = 0;
    const uint8_t* bytes = FindBinFile(L"kbddef.dat", &size);
    g_keyboardDef.Load(bytes, size);
    Window().ShowWindow(SW_SHOW);
    ASSERT_TRUE(WindowTest::BringToForeground(Window().m_hWnd));
    Window().ChooseMacro(1);
    Window().Click(BUTTON_MACRO_RECORD);
    ASSERT_TRUE(Window().Editor().IsRecording());
    EXPECT_TRUE(Window().Bound<CBitmapBtn>(BUTTON_MACRO_RECORD)->IsBlinking());
    EXPECT_FALSE(Window().IsEnabled(BUTTON_MANAGEPROFILES));
    WindowTest::TapKey('A');
    WindowTest::PumpFor(150);
    // The stop button is clicked with the mouse; its own click is not recorded.
    RECT stop = {};
    ::GetClientRect(Window().ItemWindow(BUTTON_MACRO_RECORD_STOP), &stop);
    ASSERT_TRUE(WindowTest::ClickAt(Window().ItemWindow(BUTTON_MACRO_RECORD_STOP), { stop.right / 2, stop.bottom / 2 }));
    ASSERT_TRUE(WindowTest::PumpUntil([this] { return !Window().Editor().IsRecording(); }));

    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_EQ(m_keypad.m_captureEntered, 1);
    EXPECT_EQ(m_keypad.m_captureLeft, 1);
    EXPECT_FALSE(Window().Bound<CBitmapBtn>(BUTTON_MACRO_RECORD)->IsBlinking());
    EXPECT_TRUE(Window().IsEnabled(BUTTON_MACRO_RECORD));
    EXPECT_TRUE(Window().HasChangesPending());
    ASSERT_EQ(m_beta->m_events.size(), 3u) << "the key's press, a delay and its release";
    EXPECT_EQ(m_beta->m_events[0].value & 0xFFFF, 0x1E);
    EXPECT_EQ(m_beta->m_events[0].extra, CMacroEvent::kKeyDown);
    EXPECT_EQ(m_beta->m_events[2].extra, CMacroEvent::kKeyUp);
}

TEST_F(ManageMacrosPageTest, InsertDelay_GoesAfterTheSelectedEventOnly)
{
    ChooseAlpha();
    Window().Edit(EDITCTRL_INSERT_DELAY).SetWindowText(L"250");
    Window().Editor().ClearSelection();
    Window().Click(BUTTON_INSERT_DELAY);
    EXPECT_EQ(m_alpha->m_events.size(), 3u) << "no event selected: nothing inserted";

    Window().SelectEventRow(2);
    Window().Click(BUTTON_INSERT_DELAY);
    ASSERT_EQ(m_alpha->m_events.size(), 4u);
    EXPECT_EQ(m_alpha->m_events[3].type, CMacroEvent::kDelay);
    EXPECT_EQ(m_alpha->m_events[3].value, 250);
    EXPECT_EQ(Window().Editor().GetItemCount(), 4);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), 3);

    Window().SelectEventRow(0);
    Window().Click(BUTTON_INSERT_DELAY);
    ASSERT_EQ(m_alpha->m_events.size(), 5u);
    EXPECT_EQ(m_alpha->m_events[1].value, 250);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), 1);
}

TEST_F(ManageMacrosPageTest, DelayEdits_RefuseWhatIsNoDelayFromOneToTheLongest)
{
    ChooseAlpha();
    for (int id : { EDITCTRL_INSERT_DELAY, EDITCTRL_DEFAULT_DELAY })
    {
        CEditItem& edit = Window().Edit(id);
        EXPECT_TRUE(edit.IsNumbersOnly());
        EXPECT_EQ(edit.SendMessage(EM_GETLIMITTEXT, 0, 0), CManageMacrosPage::kDelayDigits) << id;
        struct Case
        {
            const wchar_t* text;
            bool refused;
        };
        const Case cases[] = { { L"0", true }, { L"", true }, { L"16777216", true }, { L"16777215", false },
            { L"1", false } };
        for (const Case& c : cases)
        {
            m_popups.m_messagePages.clear();
            edit.SetWindowText(c.text);
            EXPECT_EQ(m_popups.m_messagePages.size(), c.refused ? 1u : 0u) << id << " " << c.refused;
            EXPECT_EQ(edit.GetWindowText(), c.refused ? CString(L"50") : CString(c.text)) << id;
        }
    }
    // The inserted delay's value is also the editor's delay.
    Window().Edit(EDITCTRL_INSERT_DELAY).SetWindowText(L"321");
    EXPECT_EQ(Window().Editor().GetDefaultDelay(), 321);
}

TEST_F(ManageMacrosPageTest, InsertCommand_PutsItsKeysAfterTheSelectionOrAtTheStart)
{
    ChooseAlpha();
    CStringArray basic;
    g_predefinedMacros.FillBasicCommands(basic);
    std::vector<CMacroEvent> command;
    g_predefinedMacros.AppendCommand(basic[0], command);
    ASSERT_FALSE(command.empty());
    const size_t length = command.size();

    Window().Editor().ClearSelection();
    Window().Click(BUTTON_ADD_BASIC_MACRO_CMDS);
    ASSERT_EQ(m_alpha->m_events.size(), 3 + length);
    EXPECT_TRUE(MacroEventEquals(m_alpha->m_events[0], command[0]));
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), static_cast<int>(length) - 1);
    EXPECT_TRUE(Window().HasChangesPending());

    Window().SelectEventRow(static_cast<int>(m_alpha->m_events.size()) - 1);
    Window().Click(BUTTON_ADD_ADV_MACRO_CMDS);
    ASSERT_GT(m_alpha->m_events.size(), 3 + length);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), static_cast<int>(m_alpha->m_events.size()) - 1);
    EXPECT_EQ(Window().Editor().GetItemCount(), static_cast<int>(m_alpha->m_events.size()));
}

TEST_F(ManageMacrosPageTest, DelayOptionsTurnEachOtherOff)
{
    ChooseAlpha();
    Window().ClickCheckBox(BUTTON_INSERTDEFAULT_DELAY);
    EXPECT_TRUE(Window().Editor().GetUseDefaultDelay());
    EXPECT_TRUE(Window().IsEnabled(EDITCTRL_DEFAULT_DELAY));
    Window().ClickCheckBox(BUTTON_IGNORE_DELAY);
    EXPECT_TRUE(Window().Editor().GetIgnoreDelays());
    EXPECT_FALSE(Window().Editor().GetUseDefaultDelay());
    EXPECT_FALSE(Window().IsItemChecked(BUTTON_INSERTDEFAULT_DELAY));
    EXPECT_FALSE(Window().IsEnabled(EDITCTRL_DEFAULT_DELAY));
    Window().ClickCheckBox(BUTTON_INSERTDEFAULT_DELAY);
    EXPECT_FALSE(Window().Editor().GetIgnoreDelays());
    EXPECT_FALSE(Window().IsItemChecked(BUTTON_IGNORE_DELAY));
    Window().ClickCheckBox(BUTTON_INSERTDEFAULT_DELAY);
    EXPECT_FALSE(Window().Editor().GetUseDefaultDelay());
    EXPECT_FALSE(Window().IsEnabled(EDITCTRL_DEFAULT_DELAY));
}

TEST_F(ManageMacrosPageTest, EditKey_WritesAChangedKeyBack)
{
    ChooseAlpha();
    Window().SelectEventRow(2);
    m_popups.m_confirmKey = false;
    Window().SendMessage(WM_GUI_MACRO_EDIT_EVENT, 0, MACRO_DISPLAY);
    EXPECT_EQ(m_popups.m_keyShown.m_scanCode, 0x1E);
    EXPECT_EQ(m_popups.m_keyShown.m_virtualKey, 0x41);
    EXPECT_FALSE(Window().HasChangesPending());

    m_popups.m_confirmKey = true;
    m_popups.m_keyGiven.m_scanCode = 0x48;
    m_popups.m_keyGiven.m_virtualKey = VK_UP;
    m_popups.m_keyGiven.m_flags = KeyEntryResult::kExtended;
    Window().SendMessage(WM_GUI_MACRO_EDIT_EVENT, 0, MACRO_DISPLAY);
    const CMacroEvent& edited = m_alpha->m_events[2];
    EXPECT_EQ(edited.value, (VK_UP << 16) | 0x48);
    EXPECT_EQ(edited.extra, CMacroEvent::kKeyUp | CMacroEvent::kExtendedKey);
    EXPECT_TRUE(Window().HasChangesPending());

    // A delay is edited in place by the editor, not by the popup.
    m_popups.m_keyShown = KeyEntryResult();
    Window().SelectEventRow(1);
    Window().SendMessage(WM_GUI_MACRO_EDIT_EVENT, 0, MACRO_DISPLAY);
    EXPECT_EQ(m_popups.m_keyShown.m_scanCode, 0);
}

TEST_F(ManageMacrosPageTest, PreviewPlaysTheCopyAndStopOrItsEndReturns)
{
    ChooseAlpha();
    Window().Click(BUTTON_MACRO_RECORD_PLAY);
    EXPECT_EQ(Window().GetMacroState(), 2);
    EXPECT_TRUE(Window().Copy().IsPreviewing());
    EXPECT_EQ(Window().GetStopToolTip(), L"$Stop");
    Window().Click(BUTTON_MACRO_RECORD_STOP);
    EXPECT_EQ(Window().GetMacroState(), 1);
    EXPECT_FALSE(Window().Copy().IsPreviewing());
    EXPECT_EQ(m_keypad.m_captureLeft, 0);

    Window().Click(BUTTON_MACRO_RECORD_PLAY);
    ASSERT_TRUE(WindowTest::PumpUntil([this] { return Window().GetMacroState() == 1; }));
    EXPECT_FALSE(Window().Copy().IsPreviewing());
}

TEST_F(ManageMacrosPageTest, StepButtonsSelectTheFirstAndTheLastEvent)
{
    ChooseAlpha();
    Window().Click(BUTTON_MACRO_RECORD_FORWARD);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), 2);
    Window().Click(BUTTON_MACRO_RECORD_BACKWARD);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), 0);
    Window().ChooseMacro(1);
    Window().Click(BUTTON_MACRO_RECORD_FORWARD);
    EXPECT_EQ(Window().Editor().GetSelectedIndex(), -1);
}

TEST_F(ManageMacrosPageTest, Export_AsksTheKeypadThenTheFileAndStopsAtALongPath)
{
    ChooseAlpha();
    m_keypad.m_knowsMacros = false;
    Window().Click(BUTTON_MACRO_EXPORT);
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(m_popups.m_messagePages[0], CManageMacrosPage::kExportWarningPopup);
    EXPECT_EQ(m_popups.m_messageTexts[0], L": Alpha");
    EXPECT_TRUE(m_popups.m_fileRequests.empty());

    m_keypad.m_knowsMacros = true;
    struct Case
    {
        const char* what;
        CString path;
        bool exported;
        const wchar_t* warning;
    };
    const Case cases[] = {
        { "no file name", L"C:\\Macros\\.kvm", false, nullptr },
        { "a path of 256 characters", CString(L"C:\\") + CString(L'x', 249) + L".kvm", false,
            CManageMacrosPage::kPathLengthPopup },
        { "a path of 255 characters", CString(L"C:\\") + CString(L'x', 248) + L".kvm", true, nullptr },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_keypad.m_exported.clear();
        m_popups.m_messagePages.clear();
        m_popups.m_file = c.path;
        Window().Click(BUTTON_MACRO_EXPORT);
        EXPECT_EQ(m_keypad.m_exported.size(), c.exported ? 1u : 0u);
        ASSERT_EQ(m_popups.m_messagePages.size(), c.warning ? 1u : 0u);
        if (c.warning)
        {
            EXPECT_EQ(m_popups.m_messagePages[0], c.warning);
        }
    }
    const IFileChooser::Request& request = m_popups.m_fileRequests.back();
    EXPECT_FALSE(request.m_open);
    EXPECT_EQ(request.m_filter, L"kvm Macro Files (*.kvm)|*.kvm||");
    EXPECT_EQ(request.m_defaultExt, L"kvm");
    EXPECT_EQ(request.m_fileName, L".kvm");
    EXPECT_EQ(request.m_flags, static_cast<DWORD>(6));
    EXPECT_EQ(request.m_initialFolder, g_macroFolder);
}

TEST_F(ManageMacrosPageTest, Import_RefillsTheListOrReportsTheFailure)
{
    m_popups.m_file = CString(L"C:\\") + CString(L'x', 249) + L".kvm";
    Window().Click(BUTTON_MACRO_IMPORT);
    EXPECT_TRUE(m_keypad.m_imported.empty());
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(m_popups.m_messagePages[0], CManageMacrosPage::kPathLengthPopup);
    EXPECT_EQ(m_popups.m_messageTexts[0], L"Import");
    EXPECT_TRUE(m_popups.m_fileRequests.back().m_open);

    m_popups.m_messagePages.clear();
    m_popups.m_file = L"C:\\Macros\\Saved.kvm";
    m_keypad.m_importSucceeds = false;
    Window().Click(BUTTON_MACRO_IMPORT);
    ASSERT_EQ(m_popups.m_messagePages.size(), 1u);
    EXPECT_EQ(m_popups.m_messagePages[0], CManageMacrosPage::kFileErrorPopup);
    EXPECT_FALSE(Window().HasChangesPending());

    m_keypad.m_importSucceeds = true;
    Window().Click(BUTTON_MACRO_IMPORT);
    EXPECT_EQ(m_keypad.m_imported.back(), L"C:\\Macros\\Saved.kvm");
    EXPECT_EQ(Window().Macros().GetCount(), 3);
    EXPECT_EQ(Window().Macros().GetItemText(2), L"Imported");
    EXPECT_TRUE(Window().HasChangesPending());
}
}
