// The assignment and key-entry popups on the shipped pages: each is driven through its items
// (modeless) or run modally through the program's popup calls while a script thread clicks
// and types with real input.
#include "AppItemIds.h"
#include "CAppPopups.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CEditItemSingleKeyInputMMO.h"
#include "CJoystickAssignPopup.h"
#include "CKeymapAssignPopup.h"
#include "CPanelBitmap.h"
#include "CPopupBox.h"
#include "CShippedAppSkin.h"
#include "CVelmoraJoystickAssignPopup.h"
#include "CVelmoraKeymapAssignPopup.h"
#include "CVelmoraMacroAssignmentPopupForScroll.h"
#include "CVelmoraNumEntryPopup.h"
#include "CVelmoraPopupBoxEditKeyEntry.h"
#include "CVelmoraPopupBoxSingleKeyEntry.h"
#include "CVelmoraProfileAssignmentPopup.h"
#include "AppResource.h"
#include "ExeFolder.h"
#include "GUIMessages.h"
#include "NamedReferences.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <thread>

namespace
{
CStringArray Names(std::initializer_list<const wchar_t*> names)
{
    CStringArray array;
    for (const wchar_t* name : names)
        array.Add(name);
    return array;
}

CAssignment Joystick(std::initializer_list<uint8_t> axes)
{
    CAssignment record;
    record.kind = kAssignJoystick;
    int index = 0;
    for (uint8_t axis : axes)
        record.payload[index++] = axis;
    return record;
}

CAssignment JoystickButton(uint32_t number)
{
    CAssignment record;
    record.kind = kAssignJoystickValue;
    record.SetWord(0, number);
    return record;
}

CAssignment Keymap(int kind, const wchar_t* name)
{
    CAssignment record;
    return MakeNamedAssignment(kind, record, name);
}

HWND ItemWindow(CGUIPanel& popup, int id)
{
    CGUIItem* item = popup.GetItems().FindItem(id);
    return item ? item->m_hWnd : nullptr;
}

void Command(CGUIPanel& popup, int id)
{
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ItemWindow(popup, id)));
}

// Chooses an entry as the drop-down's list does: shown in the box, then reported.
void Choose(CGUIPanel& popup, CDropdownListItem* list, int entry)
{
    ASSERT_NE(list, nullptr);
    list->SetCurSel(entry);
    popup.SendMessage(WM_GUI_DROPDOWN_SELCHANGE, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(list->m_hWnd));
}

bool ClickItem(CGUIPanel& popup, int id)
{
    HWND wnd = ItemWindow(popup, id);
    RECT client = {};
    if (!wnd || !::GetClientRect(wnd, &client))
        return false;
    const bool clicked = WindowTest::ClickAt(wnd, { client.right / 2, client.bottom / 2 });
    WindowTest::PumpFor(100);
    return clicked;
}

bool IsChecked(CGUIPanel& popup, int id)
{
    auto* button = popup.GetItems().FindItemOfKind<CBitmapBtn>(id, GUIKIND_BITMAPBTN);
    return button && button->IsChecked();
}

bool IsShown(CGUIPanel& popup, int id)
{
    HWND wnd = ItemWindow(popup, id);
    return wnd && (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void TapKey(WORD key)
{
    SendKey(key, false);
    SendKey(key, true);
}

// The visible popup the thread runs, or null after the wait.
HWND WaitForPopup(DWORD threadId)
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        HWND found = nullptr;
        ::EnumThreadWindows(
            threadId,
            [](HWND wnd, LPARAM param) -> BOOL {
                if (!::IsWindowVisible(wnd))
                    return TRUE;
                *reinterpret_cast<HWND*>(param) = wnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found)
            return found;
        ::Sleep(30);
    }
    return nullptr;
}

// The child window of the popup that shows the text (the buttons show their captions).
HWND ChildWithText(HWND popup, const wchar_t* text)
{
    struct Search
    {
        const wchar_t* text;
        HWND found;
    } search = { text, nullptr };
    ::EnumChildWindows(
        popup,
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            wchar_t shown[64] = {};
            ::GetWindowTextW(wnd, shown, 64);
            if (wcscmp(shown, search->text) != 0)
                return TRUE;
            search->found = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickChild(HWND popup, const wchar_t* text)
{
    HWND button = ChildWithText(popup, text);
    RECT client = {};
    if (!button || !::GetClientRect(button, &client))
        return;
    POINT centre = { client.right / 2, client.bottom / 2 };
    ::ClientToScreen(button, &centre);
    ::SetCursorPos(centre.x, centre.y);
    ::Sleep(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
    ::Sleep(150);
}

// Runs the modal call on this thread while the script acts on the popup it opens; the
// script must close it. If it does not, the popup is cancelled, so a failed step cannot
// hang, and the test fails.
bool RunModal(const std::function<bool()>& call, const std::function<void(HWND)>& script)
{
    const DWORD threadId = ::GetCurrentThreadId();
    bool leftOpen = false;
    std::thread thread([&] {
        HWND popup = WaitForPopup(threadId);
        if (!popup)
            return;
        ::SetForegroundWindow(popup);
        ::Sleep(200);
        script(popup);
        leftOpen = ::IsWindow(popup) && ::IsWindowVisible(popup);
        if (leftOpen)
            ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    });
    const bool result = call();
    thread.join();
    EXPECT_FALSE(leftOpen) << "the script's clicks did not close the popup";
    return result;
}

class AssignmentPopupsTest : public testing::Test
{
protected:
    CShippedAppSkin m_skin;
    CAppPopups m_popups{ nullptr };

    void SetUp() override
    {
        ASSERT_TRUE(m_skin.Enter(VELMORA_SKIN_FOLDER));
    }
    void TearDown() override
    {
        m_skin.Leave();
    }
};
}

TEST_F(AssignmentPopupsTest, Joystick_ShowsAndWritesTheRecord)
{
    struct Case
    {
        const char* what;
        CAssignment record;
        // -1: nothing done; else the axis chosen after a click on the axis mode, then
        // the direction entry.
        int axis;
        int direction;
        int kind;
        uint32_t button;
        std::initializer_list<uint8_t> axes;
        int shownAxis;
        int shownDirection;
        int shownButton;
    };
    CAssignment other;
    other.kind = kAssignSingleKey;
    other.payload[0] = 0x1E;
    const Case cases[] = {
        { "another kind opens in button mode as button 1", other, -1, -1, 79, 1, {}, 0, 0, 0 },
        { "a button", JoystickButton(7), -1, -1, 79, 7, {}, 0, 0, 6 },
        { "a button outside 1 to 24 shows none", JoystickButton(99), -1, -1, 79, 99, {}, 0, 0, -1 },
        { "Y pushed up", Joystick({ 0x80, 0xFF, 0x80, 0x80, 0x80, 0x80 }), -1, -1, 78, 0,
            { 0x80, 0xFF, 0x80, 0x80, 0x80, 0x80 }, 1, 1, 0 },
        { "rZ pushed down", Joystick({ 0x80, 0x80, 0x80, 0x80, 0x80, 0x00 }), -1, -1, 78, 0,
            { 0x80, 0x80, 0x80, 0x80, 0x80, 0x00 }, 5, 0, 0 },
        { "axis mode from a fresh record: X down", CAssignment(), 0, 0, 78, 0, { 0x00, 0x80, 0x80, 0x80, 0x80, 0x80 },
            0, 0, 0 },
        { "Z up", JoystickButton(3), 2, 1, 78, 0, { 0x80, 0x80, 0xFF, 0x80, 0x80, 0x80 }, 2, 1, 2 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CAssignment record = c.record;
        CVelmoraJoystickAssignPopup popup(&record, nullptr);
        ASSERT_TRUE(popup.Create());
        ASSERT_NE(popup.GetAxisList(), nullptr);
        if (c.axis >= 0)
        {
            Command(popup, BUTTON_JOYSTICK_AXIS);
            Choose(popup, popup.GetAxisList(), c.axis);
            Choose(popup, popup.GetDirectionList(), c.direction);
        }
        Command(popup, BUTTON_POPUP_OK);
        EXPECT_FALSE(popup.IsWindowVisible());
        EXPECT_EQ(record.kind, c.kind);
        if (c.kind == kAssignJoystickValue)
        {
            EXPECT_EQ(record.GetWord(0), c.button);
            EXPECT_TRUE(IsChecked(popup, BUTTON_JOYSTICK_BUTTONS));
            EXPECT_TRUE(popup.GetAxisList()->m_disabled);
        }
        else
        {
            int index = 0;
            for (uint8_t axis : c.axes)
                EXPECT_EQ(record.payload[index++], axis) << "axis " << index - 1;
            EXPECT_TRUE(IsChecked(popup, BUTTON_JOYSTICK_AXIS));
            EXPECT_TRUE(popup.GetButtonList()->m_disabled);
        }
        EXPECT_EQ(record.payload[8], 0) << "nothing beyond what the kind uses";
        EXPECT_EQ(popup.GetAxisList()->GetCurSel(), c.shownAxis);
        EXPECT_EQ(popup.GetDirectionList()->GetCurSel(), c.shownDirection);
        EXPECT_EQ(popup.GetButtonList()->GetCurSel(), c.shownButton);
        EXPECT_EQ(popup.GetButtonList()->GetCount(), 24);
    }
}

TEST_F(AssignmentPopupsTest, Keymap_OpensOnTheRecordsEntryAndWritesTheChoice)
{
    // Key maps may share a name; the caller gives each its label.
    const CStringArray names = Names({ L"Work", L"Keymap 3", L"Work" });
    struct Case
    {
        const char* what;
        CAssignment record;
        int shown;
        bool optionShown;
        // -1: none; else the entry chosen and whether the option is clicked after it.
        int choose;
        bool clickOption;
        int kind;
        const wchar_t* name;
    };
    const Case cases[] = {
        { "while held", Keymap(35, L"Work"), 1, true, -1, false, 35, L"Work" },
        { "switch", Keymap(31, L"Keymap 3"), 2, true, -1, false, 31, L"Keymap 3" },
        { "a name no longer there opens on cycling", Keymap(31, L"Gone"), 0, false, -1, false, 32, L"" },
        { "a name differing in case is another", Keymap(31, L"work"), 0, false, -1, false, 32, L"" },
        { "cycle", Keymap(32, L""), 0, false, -1, false, 32, L"" },
        { "entry 0 is cycling whatever the option showed", Keymap(35, L"Work"), 1, true, 0, false, 32, L"" },
        { "the option makes it while held", Keymap(32, L""), 0, false, 2, true, 35, L"Keymap 3" },
        { "unchecking the option makes it a switch", Keymap(35, L"Work"), 1, true, 1, true, 31, L"Work" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CAssignment record = c.record;
        CVelmoraKeymapAssignPopup popup(false, nullptr);
        popup.SetRecord(&record, &names);
        ASSERT_TRUE(popup.Create());
        ASSERT_NE(popup.GetList(), nullptr);
        EXPECT_EQ(popup.GetList()->GetCount(), 4);
        EXPECT_EQ(popup.GetList()->GetCurSel(), c.shown);
        EXPECT_EQ(IsShown(popup, BUTTON_KEYMAP_SWITCH_OPTION), c.optionShown);
        EXPECT_EQ(IsShown(popup, TEXT_KEYMAP_SWITCH_OPTION), c.optionShown);
        EXPECT_EQ(IsChecked(popup, BUTTON_KEYMAP_SWITCH_OPTION), c.record.kind == kAssignKeymap35 && c.optionShown);
        if (c.choose >= 0)
            Choose(popup, popup.GetList(), c.choose);
        if (c.clickOption)
        {
            popup.GetOption()->SetChecked(!popup.GetOption()->IsChecked());
            Command(popup, BUTTON_KEYMAP_SWITCH_OPTION);
        }
        Command(popup, BUTTON_POPUP_OK);
        EXPECT_FALSE(popup.IsWindowVisible());
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(GetReferenceName(record), c.name);
        if (record.kind == kAssignKeymap32)
        {
            const CAssignment zero;
            EXPECT_EQ(memcmp(record.payload, zero.payload, sizeof zero.payload), 0);
        }
    }
}

TEST_F(AssignmentPopupsTest, Macro_PlayButtonsActAsRadioButtonsAndOkTakesTheSelection)
{
    const CStringArray names = Names({ L"Alpha", L"Beta", L"Gamma" });
    int mode = 0;
    CString name = L"Beta";
    CVelmoraMacroAssignmentPopup popup(CVelmoraMacroAssignmentPopup::kPageFile, nullptr);
    popup.SetChoice(&mode, &name, &names);
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOW);
    ASSERT_TRUE(WindowTest::BringToForeground(popup.m_hWnd));
    EXPECT_EQ(mode, 1) << "a mode outside 1 to 4 becomes play once";
    EXPECT_TRUE(IsChecked(popup, BUTTON_MACRO_PLAY_ONCE));
    EXPECT_EQ(popup.GetList()->GetCurSel(), 1);

    const struct
    {
        int button;
        int mode;
    } clicks[] = {
        { BUTTON_MACRO_PLAY_WHILEPRESSED, 4 },
        { BUTTON_MACRO_PLAY_WHILEPRESSED, 4 },
        { BUTTON_MACRO_PLAY_UNTILPRESSED, 3 },
        { BUTTON_MACRO_PLAY_MULTIPLE, 2 },
    };
    for (const auto& click : clicks)
    {
        ASSERT_TRUE(ClickItem(popup, click.button));
        EXPECT_EQ(mode, click.mode);
        for (int button : { BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE, BUTTON_MACRO_PLAY_UNTILPRESSED,
                 BUTTON_MACRO_PLAY_WHILEPRESSED })
            EXPECT_EQ(IsChecked(popup, button), button == click.button) << "after a click on " << click.button;
    }
    Choose(popup, popup.GetList(), 2);
    Command(popup, BUTTON_POPUP_OK);
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(name, L"Gamma");
    EXPECT_EQ(mode, 2);
}

TEST_F(AssignmentPopupsTest, MacroForScroll_OffersOnceAndMultipleOnly)
{
    const CStringArray names = Names({ L"Alpha" });
    int mode = 4;
    CString name = L"Gone";
    CVelmoraMacroAssignmentPopupForScroll popup(nullptr);
    popup.SetChoice(&mode, &name, &names);
    ASSERT_TRUE(popup.Create());
    EXPECT_EQ(mode, 1);
    EXPECT_TRUE(IsChecked(popup, BUTTON_MACRO_PLAY_ONCE));
    EXPECT_EQ(popup.GetPlayButton(4), nullptr);
    EXPECT_EQ(popup.GetList()->GetCurSel(), 0) << "a name not in the list opens on the first";
    Command(popup, BUTTON_POPUP_OK);
    EXPECT_EQ(name, L"Alpha");
}

TEST_F(AssignmentPopupsTest, ModalChoices_ReturnTheChoiceOrNone)
{
    const CStringArray macros = Names({ L"Alpha", L"Beta" });
    const CStringArray none;
    struct Case
    {
        const char* what;
        const CStringArray& names;
        const wchar_t* click;
        bool expected;
        const wchar_t* expectedName;
    };
    const Case cases[] = {
        { "OK", macros, L"OK", true, L"Beta" },
        { "Cancel", macros, L"Cancel", false, L"Beta" },
        { "an empty list gives no choice", none, L"OK", false, L"Beta" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        for (bool scroll : { false, true })
        {
            CString name = L"Beta";
            int mode = 2;
            const bool chosen = RunModal([&] { return m_popups.ChooseMacro(scroll, c.names, name, mode); },
                [&](HWND popup) { ClickChild(popup, c.click); });
            EXPECT_EQ(chosen, c.expected) << "macro, scroll " << scroll;
            EXPECT_EQ(name, c.expectedName);
            EXPECT_EQ(mode, 2);
        }
        CString profile = L"Beta";
        const bool chosen = RunModal([&] { return m_popups.ChooseProfile(c.names, profile); },
            [&](HWND popup) { ClickChild(popup, c.click); });
        EXPECT_EQ(chosen, c.expected) << "profile";
        EXPECT_EQ(profile, c.expectedName);
    }
}

TEST_F(AssignmentPopupsTest, ModalRecords_OkKeepsTheEditCancelTheOldRecord)
{
    const CStringArray keymaps = Names({ L"Keymap 2", L"Keymap 3" });
    for (const wchar_t* click : { L"OK", L"Cancel" })
    {
        const bool ok = wcscmp(click, L"OK") == 0;
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        CAssignment joystick;
        EXPECT_EQ(RunModal([&] { return m_popups.ChooseJoystick(joystick); },
                      [&](HWND popup) { ClickChild(popup, click); }),
            ok);
        EXPECT_EQ(joystick.kind, ok ? kAssignJoystickValue : kAssignDefaultKey);
        for (bool scroll : { false, true })
        {
            CAssignment keymap = Keymap(31, L"Keymap 3");
            EXPECT_EQ(RunModal([&] { return m_popups.ChooseKeymap(scroll, keymaps, keymap); },
                          [&](HWND popup) { ClickChild(popup, click); }),
                ok);
            EXPECT_EQ(keymap.kind, kAssignKeymap31);
            EXPECT_EQ(GetReferenceName(keymap), L"Keymap 3");
        }
    }
}

TEST_F(AssignmentPopupsTest, PagesWithoutTheItems_OpenAndCloseWithoutAChoice)
{
    // A page that has OK but none of the lists, buttons or check boxes the popups bind.
    const wchar_t* page = L"NoMousePopup.xml";
    const CStringArray none;
    const CStringArray names = Names({ L"Alpha" });
    CAssignment record = Keymap(35, L"Alpha");
    CString name = L"Alpha";
    int mode = 3;
    CJoystickAssignPopup joystick(page, &record, nullptr);
    CKeymapAssignPopup keymap(page, nullptr);
    keymap.SetRecord(&record, &names);
    CVelmoraMacroAssignmentPopup macro(page, nullptr);
    macro.SetChoice(&mode, &name, &none);
    CVelmoraProfileAssignmentPopup profile(nullptr);
    profile.SetChoice(&name, &none);
    CGUIPanel* popups[] = { &keymap, &macro, &profile, &joystick };
    for (CGUIPanel* popup : popups)
    {
        ASSERT_TRUE(popup->Create()) << popup->GetPageFile().GetString();
        popup->SendMessage(WM_GUI_DROPDOWN_SELCHANGE, 5, reinterpret_cast<LPARAM>(ItemWindow(*popup, BUTTON_POPUP_OK)));
        Command(*popup, BUTTON_POPUP_OK);
        EXPECT_FALSE(popup->IsWindowVisible()) << popup->GetPageFile().GetString();
    }
    EXPECT_EQ(name, L"Alpha") << "no selection leaves the name";
    EXPECT_EQ(mode, 1) << "with no play button checked the macro plays once";
}

TEST_F(AssignmentPopupsTest, EditKey_ModifiersAloneOrWithATypedKey)
{
    KeyEntryResult result;
    CVelmoraPopupBoxEditKeyEntry popup(nullptr, &result);
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOWNA);
    ASSERT_NE(popup.GetCapture(), nullptr);
    Command(popup, BUTTON_POPUP_OK);
    EXPECT_TRUE(popup.IsWindowVisible()) << "nothing entered: OK does not close";

    auto* ctrl = popup.GetItems().FindItemOfKind<CBitmapBtn>(BUTTON_CHKBOX_SLCT_CTRL, GUIKIND_BITMAPBTN);
    ASSERT_NE(ctrl, nullptr);
    ctrl->SetChecked(true);
    Command(popup, BUTTON_POPUP_OK);
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_TRUE(result.m_keyText.IsEmpty());
    EXPECT_EQ(result.m_flags, KeyEntryResult::kCtrl);
}

TEST_F(AssignmentPopupsTest, EditKey_TakesTheTypedKey)
{
    KeyEntryResult result;
    const bool ok = RunModal([&] { return m_popups.EnterEditKey(result); },
        [](HWND popup) {
            TapKey('B');
            ClickChild(popup, L"OK");
        });
    EXPECT_TRUE(ok);
    EXPECT_EQ(result.m_keyText, L"B");
    EXPECT_EQ(result.m_virtualKey, 'B');
    EXPECT_EQ(result.m_scanCode, ::MapVirtualKeyW('B', MAPVK_VK_TO_VSC));
    EXPECT_EQ(result.m_flags, 0);
}

TEST_F(AssignmentPopupsTest, SingleKey_CapturesACombinationTypedOnTheKeyboard)
{
    KeyEntryResult result;
    bool okEnabledBefore = true;
    const bool ok = RunModal([&] { return m_popups.EnterSingleKey(result); },
        [&](HWND popup) {
            okEnabledBefore = ::IsWindowEnabled(ChildWithText(popup, L"OK")) != FALSE;
            SendKey(VK_LCONTROL, false);
            SendKey(VK_LSHIFT, false);
            TapKey('A');
            SendKey(VK_LSHIFT, true);
            SendKey(VK_LCONTROL, true);
            ClickChild(popup, L"OK");
        });
    EXPECT_FALSE(okEnabledBefore) << "OK waits for a capture";
    EXPECT_TRUE(ok);
    EXPECT_FALSE(result.m_keyText.IsEmpty());
    EXPECT_EQ(result.m_virtualKey, 'A');
    EXPECT_EQ(result.m_flags & (KeyEntryResult::kCtrl | KeyEntryResult::kShift | KeyEntryResult::kAlt),
        KeyEntryResult::kCtrl | KeyEntryResult::kShift);
}

TEST_F(AssignmentPopupsTest, SingleKey_NothingTypedOnlyCancelCloses)
{
    KeyEntryResult result;
    result.m_flags = 9;
    bool stillOpen = false;
    const bool ok = RunModal([&] { return m_popups.EnterSingleKey(result); },
        [&](HWND popup) {
            ClickChild(popup, L"OK");
            stillOpen = ::IsWindowVisible(popup) != FALSE;
            ClickChild(popup, L"Cancel");
        });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(ok);
    EXPECT_EQ(result.m_flags, 9) << "the caller's value stays";
}

TEST_F(AssignmentPopupsTest, SingleKey_EnterIsCapturedThenAMouseOkCloses)
{
    KeyEntryResult result;
    bool openAfterEnter = false;
    const bool ok = RunModal([&] { return m_popups.EnterSingleKey(result); },
        [&](HWND popup) {
            TapKey(VK_RETURN);
            TapKey(VK_ESCAPE);
            openAfterEnter = ::IsWindowVisible(popup) != FALSE;
            ClickChild(popup, L"OK");
        });
    EXPECT_TRUE(openAfterEnter) << "Enter and Escape are keys to capture";
    EXPECT_TRUE(ok);
    EXPECT_TRUE(result.m_virtualKey == VK_RETURN || result.m_virtualKey == VK_ESCAPE) << result.m_virtualKey;
}

TEST_F(AssignmentPopupsTest, SingleKey_CaptionsShowTheCapturedModifiers)
{
    KeyEntryResult result;
    CVelmoraPopupBoxSingleKeyEntry popup(nullptr, &result);
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOW);
    ASSERT_TRUE(WindowTest::BringToForeground(popup.m_hWnd));
    ASSERT_NE(popup.GetCapture(), nullptr);
    popup.GetCapture()->SetFocus();
    for (int caption : { TEXT_SLCT_SHIFT, TEXT_SLCT_CTRL, TEXT_SLCT_ALT })
        EXPECT_FALSE(::IsWindowEnabled(ItemWindow(popup, caption)));
    SendKey(VK_LMENU, false);
    WindowTest::PumpFor(100);
    EXPECT_TRUE(::IsWindowEnabled(ItemWindow(popup, TEXT_SLCT_ALT)));
    EXPECT_FALSE(::IsWindowEnabled(ItemWindow(popup, TEXT_SLCT_CTRL)));
    EXPECT_TRUE(IsChecked(popup, BUTTON_CHKBOX_SLCT_ALT));
    EXPECT_TRUE(::IsWindowEnabled(ItemWindow(popup, BUTTON_POPUP_OK)));
    EXPECT_EQ(result.m_flags & KeyEntryResult::kAlt, KeyEntryResult::kAlt);
    SendKey(VK_LMENU, true);
    WindowTest::PumpFor(100);
    const bool shown = IsChecked(popup, BUTTON_CHKBOX_SLCT_ALT);
    ClickItem(popup, BUTTON_CHKBOX_SLCT_ALT);
    EXPECT_EQ(IsChecked(popup, BUTTON_CHKBOX_SLCT_ALT), shown) << "the boxes only show the capture";
}

TEST_F(AssignmentPopupsTest, Pages_ShowAtTheSizeOfTheirBackgrounds)
{
    // A screenshot of each is saved beside the test program ("popup-<page>.bmp").
    const wchar_t* const pages[] = { L"JoystickPopup.xml", L"KeymapPopup.xml", L"KeymapPopupForScroll.xml",
        L"SelectMacroPopup.xml", L"SelectMacroPopupForScroll.xml", L"SelectProfilePopup.xml", L"EditKeyPopup.xml",
        L"SingleKeyPopup.xml" };
    for (const wchar_t* page : pages)
    {
        SCOPED_TRACE(CString(page).GetString());
        CPopupBox popup(IDD_VELMORA_POPUP, page, nullptr);
        ASSERT_TRUE(popup.Create());
        popup.ShowWindow(SW_SHOW);
        popup.UpdateWindow();
        ASSERT_TRUE(WindowTest::BringToForeground(popup.m_hWnd));
        WindowTest::PumpFor(200);
        BITMAP picture = {};
        ASSERT_NE(popup.GetBackground(), nullptr);
        ASSERT_NE(::GetObjectW(popup.GetBackground()->GetHandle(), sizeof picture, &picture), 0);
        CRect window;
        popup.GetWindowRect(&window);
        EXPECT_EQ(window.Width(), picture.bmWidth);
        EXPECT_EQ(window.Height(), picture.bmHeight);
        CString name = page;
        name = name.Left(name.Find(L'.'));
        EXPECT_TRUE(WindowTest::SaveScreenshot(GetModuleFolder() + L"popup-" + name + L".bmp"));
        popup.DestroyWindow();
    }
}

TEST_F(AssignmentPopupsTest, RepeatCount_TakesFiveDigitsAtMost)
{
    const struct
    {
        const wchar_t* text;
        int count;
    } cases[] = {
        { L"", 0 }, { L"7", 7 }, { L"99999", 99999 }, { L"00012", 12 }, { L"100000", 0 }, { L"4294967297", 0 },
        { L"12a", 0 }, { L"-5", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CVelmoraNumEntryPopup::ParseCount(c.text), c.count) << CString(c.text).GetString();

    CVelmoraNumEntryPopup popup(L"MacroRepeatEntryPopup.xml", nullptr);
    ASSERT_TRUE(popup.Create());
    ASSERT_NE(popup.GetEdit(), nullptr);
    EXPECT_EQ(popup.GetEdit()->SendMessage(EM_GETLIMITTEXT, 0, 0), CVelmoraNumEntryPopup::kMaxDigits);
}
