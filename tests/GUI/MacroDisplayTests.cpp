// The macro event list in a recording parent: row texts, the right-click commands, delays
// edited in place, recording and the preview played by its timer; and the two lists of the
// gallery page, recording and playing under real input.
#include "CKeyboardDef.h"
#include "CLangTable.h"
#include "CMacroDisplayItem.h"
#include "CPopupBox.h"
#include "CRawInputDevices.h"
#include "CSkinResourceList.h"
#include "CVScrollBar.h"
#include "ExeFolder.h"
#include "GUIMessages.h"
#include "GUIPanelResource.h"
#include "ItemBuilders.h"
#include "ModalDriver.h"
#include "Utf8.h"
#include "Vocabulary.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using ModalTest::CRecordingParent;

namespace
{
constexpr int kItemId = 181;
constexpr int kIconColumn = 5;
constexpr int kDescriptionColumn = 6;

CMacroEvent Keystroke(int scanCode, int virtualKey, bool up)
{
    CMacroEvent event;
    event.type = CMacroEvent::kKeystroke;
    event.value = scanCode | (virtualKey << 16);
    event.extra = up ? CMacroEvent::kKeyUp : CMacroEvent::kKeyDown;
    return event;
}

CMacroEvent Button(int button, bool up)
{
    CMacroEvent event;
    event.type = CMacroEvent::kMouseButton;
    event.value = button;
    event.extra = up ? 1 : 0xFF;
    return event;
}

CMacroEvent Delay(int milliseconds)
{
    return CMacroRecorder::MakeDelay(milliseconds);
}

// The English texts of the shipped language files, active for the test.
class EnglishTexts
{
    CString m_savedFolder = g_exeFolder;
    CLangTable* m_savedTable = g_pLangTable;
    CLangTable m_table;

public:
    EnglishTexts()
    {
        CString relative = Utf8ToWide(VELMORA_SKIN_FOLDER);
        relative.Replace(L'/', L'\\');
        g_exeFolder = GetModuleFolder() + relative + L"\\";
        int size = 0;
        const uint8_t* bytes = FindLangFile(L"English.txt", &size);
        if (bytes)
            m_table.ParseFile(bytes, size);
        g_pLangTable = &m_table;
    }
    ~EnglishTexts()
    {
        g_pLangTable = m_savedTable;
        FreeSkinResources();
        g_exeFolder = m_savedFolder;
    }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
};

class MacroDisplayTest : public testing::Test
{
protected:
    EnglishTexts m_texts;
    CRecordingParent m_parent;
    std::unique_ptr<CMacroDisplayItem> m_list;

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(40, 40, 440, 340)));
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
    }
    void TearDown() override
    {
        m_list.reset();
        m_parent.DestroyWindow();
        g_rawInputDevices.Unregister();
    }

    CMacroDisplayItem& Make(bool readOnly, CMacroRecorder::Clock clock = nullptr)
    {
        m_list = std::make_unique<CMacroDisplayItem>(readOnly, clock);
        m_list->m_id = kItemId;
        EXPECT_TRUE(m_list->Create(&m_parent, CRect(10, 10, 310, 210), 1, nullptr, nullptr));
        EXPECT_TRUE(m_list->AddColumn(kIconColumn, 28, LVCFMT_LEFT));
        EXPECT_TRUE(m_list->AddColumn(kDescriptionColumn, 240, LVCFMT_LEFT));
        return *m_list;
    }
    CString RowText(int row) const { return m_list->GetItemText(row, 1); }
    void Select(int row) { m_list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }
};
}

TEST(MacroEventText, RowsDescribeEachEventType)
{
    EnglishTexts texts;
    struct Case
    {
        CMacroEvent event;
        const wchar_t* text;
    };
    const Case cases[] = {
        { Button(1, false), L"Left button down" },
        { Button(2, true), L"Right button up" },
        { Button(3, false), L"Wheel button down" },
        { Button(7, true), L"Right side rear button up" },
        { Button(0, false), L"<null>Down" },
        { Button(8, false), L"Unknown button down" },
        { Button(1000, true), L"Unknown button up" },
        { Button(-1, false), L"Unknown button down" },
        { Delay(1500), L"1.500 seconds delay" },
        { Delay(20), L"0.020 seconds delay" },
        { Delay(0xFFFFFF), L"16777.215 seconds delay" },
    };
    for (const Case& test : cases)
        EXPECT_EQ(CMacroDisplayItem::EventText(test.event), test.text) << test.text;
    CString name;
    ASSERT_TRUE(GetKeyDisplayName('A', name, 0x1E, false));
    EXPECT_EQ(CMacroDisplayItem::EventText(Keystroke(0x1E, 'A', false)), name);
    CMacroEvent unknownType;
    unknownType.type = 7;
    EXPECT_EQ(CMacroDisplayItem::EventText(unknownType), L"");
}

TEST(MacroEventText, TypedDelaysFromOneToTheLongest)
{
    struct Case
    {
        const wchar_t* text;
        bool accepted;
        int32_t value;
    };
    const Case cases[] = {
        { L"1500", true, 1500 },
        { L"1", true, 1 },
        { L" 42 ", true, 42 },
        { L"16777215", true, 0xFFFFFF },
        { L"16777216", false, 0 },
        { L"99999999", false, 0 },
        { L"0", false, 0 },
        { L"-5", false, 0 },
        { L"abc", false, 0 },
        { L"12abc", false, 0 },
        { L"", false, 0 },
    };
    for (const Case& test : cases)
    {
        int32_t value = -1;
        EXPECT_EQ(CMacroDisplayItem::ParseDelay(test.text, value), test.accepted) << test.text;
        if (test.accepted)
        {
            EXPECT_EQ(value, test.value) << test.text;
        }
    }
}

TEST_F(MacroDisplayTest, SetEventsShowsARowPerKnownEvent)
{
    CMacroDisplayItem& list = Make(false);
    CMacroEvent unknownType;
    unknownType.type = 9;
    ASSERT_TRUE(list.SetEvents({ Keystroke(0x1E, 'A', false), Delay(1500), unknownType, Keystroke(0x1E, 'A', true),
        Button(1, false) }));
    ASSERT_EQ(list.GetItemCount(), 4) << "the event of no known type is skipped";
    ASSERT_EQ(list.GetEvents().size(), 4u);
    EXPECT_EQ(RowText(1), L"1.500 seconds delay");
    EXPECT_EQ(RowText(3), L"Left button down");
    const int kinds[] = { CMacroDisplayItem::kRowKeyDown, CMacroDisplayItem::kRowDelay, CMacroDisplayItem::kRowKeyUp,
        CMacroDisplayItem::kRowMouse };
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(list.GetItemData(row), kinds[row]) << row;
    Select(1);
    EXPECT_EQ(list.GetRowBitmapKind(1), CMacroDisplayItem::kRowDelaySelected);
    EXPECT_FALSE(list.SetEvents({})) << "no rows";
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(MacroDisplayTest, DeleteTakesTheSelectedEventAndSelectsTheNext)
{
    CMacroDisplayItem& list = Make(false);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Delay(100), Keystroke(0x1E, 'A', true) });

    list.ExecuteCommand(L"$Delete");
    EXPECT_EQ(list.GetEvents().size(), 3u) << "no selection, nothing deleted";
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), 0);

    Select(1);
    list.ExecuteCommand(L"$Delete");
    ASSERT_EQ(list.GetEvents().size(), 2u);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetEvents()[1].extra, CMacroEvent::kKeyUp);
    EXPECT_EQ(list.GetSelectedIndex(), 1) << "the row after the deleted one";
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), 1);
    EXPECT_EQ(m_parent.m_records.back().lParam, kItemId);

    list.ExecuteCommand(L"$Delete");
    EXPECT_EQ(list.GetEvents().size(), 1u);
    EXPECT_EQ(list.GetSelectedIndex(), -1) << "the last row had no row after it";
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), 2);
}

TEST_F(MacroDisplayTest, InsertDelayGoesAfterTheSelectionOrAtTheTop)
{
    CMacroDisplayItem& list = Make(false);
    list.SetDefaultDelay(250);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Keystroke(0x1E, 'A', true) });

    list.ExecuteCommand(L"$InsertDelay");
    ASSERT_EQ(list.GetEvents().size(), 3u);
    EXPECT_EQ(list.GetEvents()[0].type, CMacroEvent::kDelay);
    EXPECT_EQ(list.GetEvents()[0].value, 250);
    EXPECT_EQ(list.GetSelectedIndex(), 0);
    EXPECT_EQ(RowText(0), L"0.250 seconds delay");

    Select(2);
    list.ExecuteCommand(L"$InsertDelay");
    ASSERT_EQ(list.GetEvents().size(), 4u);
    EXPECT_EQ(list.GetEvents()[3].type, CMacroEvent::kDelay);
    EXPECT_EQ(list.GetSelectedIndex(), 3) << "after the last row";
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), 2);
}

TEST_F(MacroDisplayTest, EditAsksThePageForKeysStartsADelayEditAndIgnoresButtons)
{
    CMacroDisplayItem& list = Make(false);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Button(1, false), Delay(100) });
    list.ExecuteCommand(L"$Edit");
    EXPECT_TRUE(m_parent.m_records.empty()) << "no selection";

    Select(0);
    list.ExecuteCommand(L"$Edit");
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_EDIT_EVENT), 1);
    Select(1);
    list.ExecuteCommand(L"$Edit");
    EXPECT_EQ(m_parent.m_records.size(), 1u);
    EXPECT_EQ(list.GetEditControl(), nullptr);
    Select(2);
    list.ExecuteCommand(L"$Edit");
    EXPECT_TRUE(list.IsEditingLabel());
    HWND edit = list.GetEditControl();
    ASSERT_NE(edit, nullptr);
    wchar_t text[16] = {};
    ::GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"100");
    EXPECT_EQ(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 7);
    // The edit lies over the delay's description, not over the narrow icon column.
    WindowTest::PumpFor(50);
    CRect place;
    ::GetWindowRect(edit, &place);
    list.ScreenToClient(&place);
    CRect row;
    ASSERT_TRUE(list.GetItemRect(2, &row, LVIR_BOUNDS));
    EXPECT_EQ(place.left, row.left + 28);
    EXPECT_EQ(place.top, row.top);
    EXPECT_EQ(place.right, row.left + 28 + 240);
}

TEST_F(MacroDisplayTest, TheReadOnlyListTakesNoCommands)
{
    CMacroDisplayItem& list = Make(true);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Delay(100) });
    Select(1);
    for (const wchar_t* command : { L"$InsertDelay", L"$Delete", L"$Edit" })
        list.ExecuteCommand(command);
    EXPECT_EQ(list.GetEvents().size(), 2u);
    EXPECT_FALSE(list.IsEditingLabel());
    EXPECT_FALSE(list.ToggleRecording());
    EXPECT_FALSE(list.ReplaceEvent(0, Button(1, false)));
    EXPECT_TRUE(m_parent.m_records.empty());
}

TEST_F(MacroDisplayTest, TypedDelayIsTakenOnlyFromOneToTheLongest)
{
    CMacroDisplayItem& list = Make(false);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Delay(100) });
    struct Case
    {
        const wchar_t* typed;
        int32_t kept;
        const wchar_t* shown;
    };
    const Case cases[] = {
        { L"0", 100, L"0.100 seconds delay" },
        { L"abc", 100, L"0.100 seconds delay" },
        { L"-5", 100, L"0.100 seconds delay" },
        { L"1500", 1500, L"1.500 seconds delay" },
    };
    int changes = 0;
    for (const Case& test : cases)
    {
        Select(1);
        list.ExecuteCommand(L"$Edit");
        HWND edit = list.GetEditControl();
        ASSERT_NE(edit, nullptr) << test.typed;
        ::SetWindowTextW(edit, test.typed);
        WindowTest::TapKey(VK_RETURN);
        ASSERT_TRUE(WindowTest::PumpUntil([&] { return !list.IsEditingLabel(); })) << test.typed;
        EXPECT_EQ(list.GetEvents()[1].value, test.kept) << test.typed;
        EXPECT_EQ(RowText(1), test.shown) << test.typed;
        if (test.kept != 100)
            ++changes;
        EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), changes) << test.typed;
    }
}

TEST_F(MacroDisplayTest, ReplaceEventPutsTheEventInPlaceSelected)
{
    CMacroDisplayItem& list = Make(false);
    list.SetEvents({ Keystroke(0x1E, 'A', false), Keystroke(0x1E, 'A', true) });
    ASSERT_TRUE(list.ReplaceEvent(1, Keystroke(0x30, 'B', true)));
    ASSERT_EQ(list.GetEvents().size(), 2u);
    EXPECT_EQ(list.GetEvents()[1].value, 0x30 | ('B' << 16));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_CHANGED), 1);
    EXPECT_FALSE(list.ReplaceEvent(2, Button(1, false))) << "past the events";
    EXPECT_FALSE(list.ReplaceEvent(-1, Button(1, false)));
    CMacroEvent unknownType;
    unknownType.type = 5;
    EXPECT_FALSE(list.ReplaceEvent(0, unknownType));
    EXPECT_EQ(list.GetEvents().size(), 2u) << "an event that makes no row leaves the old one";
}

TEST_F(MacroDisplayTest, RecordingHoldsKeyboardAndMouseAndRefusesNewEvents)
{
    uint32_t now = 5000;
    CMacroDisplayItem& list = Make(false, [&] { return now; });
    ASSERT_TRUE(list.ToggleRecording());
    ASSERT_TRUE(g_rawInputDevices.IsRegistered());
    const std::vector<RAWINPUTDEVICE>& devices = g_rawInputDevices.GetDevices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].usUsage, kHidUsageKeyboard);
    EXPECT_EQ(devices[0].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK | RIDEV_NOLEGACY));
    EXPECT_EQ(devices[1].usUsage, kHidUsageMouse);
    EXPECT_EQ(devices[1].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
    EXPECT_EQ(devices[0].hwndTarget, list.m_hWnd);
    EXPECT_FALSE(list.SetEvents({ Delay(1) }));

    RAWKEYBOARD key = {};
    key.MakeCode = 0x1E;
    key.VKey = 'A';
    list.OnRawKeyboard(key);
    now += 320;
    RAWMOUSE mouse = {};
    mouse.usButtonFlags = RI_MOUSE_LEFT_BUTTON_DOWN;
    list.OnRawMouse(mouse);
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(RowText(1), L"0.320 seconds delay");
    EXPECT_EQ(list.GetSelectedIndex(), -1) << "appended rows are not selected";

    EXPECT_FALSE(list.ToggleRecording());
    EXPECT_FALSE(g_rawInputDevices.IsRegistered());
    list.OnRawMouse(mouse);
    EXPECT_EQ(list.GetItemCount(), 3) << "nothing is recorded once stopped";
}

TEST_F(MacroDisplayTest, RecordingTakesTheRegistrationOverFromAKeyField)
{
    CMacroDisplayItem& list = Make(false);
    g_rawInputDevices.AddUsage(kHidUsageKeyboard);
    ASSERT_TRUE(g_rawInputDevices.Register(m_parent.m_hWnd));
    ASSERT_TRUE(list.ToggleRecording());
    EXPECT_EQ(g_rawInputDevices.GetDevices().front().hwndTarget, list.m_hWnd);
    EXPECT_EQ(g_rawInputDevices.GetDevices().size(), 2u);
}

TEST_F(MacroDisplayTest, PreviewTimerWaitsEveryDelayIncludingATrailingOne)
{
    CMacroDisplayItem& list = Make(true);
    {
        // The preview plays its own copy: the caller's vector is gone at once.
        const std::vector<CMacroEvent> events = { Keystroke(0x1E, 'A', false), Delay(600000), Keystroke(0x1E, 'A', true),
            Button(1, false), Delay(600000) };
        ASSERT_TRUE(list.StartPreview(events));
    }
    EXPECT_TRUE(list.IsPreviewing());
    EXPECT_EQ(list.GetItemCount(), 1) << "waiting for the first delay";
    list.SendMessage(WM_TIMER, CMacroDisplayItem::kPreviewTimer);
    EXPECT_EQ(list.GetItemCount(), 3) << "up to the trailing delay";
    EXPECT_EQ(list.GetEvents().size(), 3u);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_PLAYBACK_DONE), 0) << "the trailing delay is still waited";
    list.SendMessage(WM_TIMER, CMacroDisplayItem::kPreviewTimer);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_PLAYBACK_DONE), 1);
    EXPECT_EQ(m_parent.m_records.back().lParam, kItemId);
    EXPECT_EQ(list.GetItemCount(), 0) << "the rows are cleared at the end";
    EXPECT_FALSE(list.IsPreviewing());
    list.SendMessage(WM_TIMER, CMacroDisplayItem::kPreviewTimer);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_PLAYBACK_DONE), 1) << "a late timer message does nothing";
}

TEST_F(MacroDisplayTest, PreviewWaitsTheRealDelays)
{
    CMacroDisplayItem& list = Make(true);
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(list.StartPreview({ Keystroke(0x1E, 'A', false), Delay(150), Keystroke(0x1E, 'A', true), Delay(200) }));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return list.GetItemCount() == 2; }));
    const DWORD second = ::GetTickCount() - start;
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_parent.CountOf(WM_GUI_MACRO_PLAYBACK_DONE) == 1; }));
    const DWORD done = ::GetTickCount() - start;
    // Timers never fire early (a few milliseconds of tick granularity aside).
    EXPECT_GE(second, 140u);
    EXPECT_GE(done, 340u);
}

TEST_F(MacroDisplayTest, StopPreviewEndsThePlaybackSilentlyAndTheEditableListRefusesIt)
{
    CMacroDisplayItem& editable = Make(false);
    EXPECT_FALSE(editable.StartPreview({ Keystroke(0x1E, 'A', false) }));
    m_list.reset();
    CMacroDisplayItem& list = Make(true);
    ASSERT_TRUE(list.StartPreview({ Keystroke(0x1E, 'A', false), Delay(50), Keystroke(0x1E, 'A', true) }));
    list.StopPreview();
    WindowTest::PumpFor(150);
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(m_parent.CountOf(WM_GUI_MACRO_PLAYBACK_DONE), 0);
}

namespace
{
// The gallery page with its two macro lists; the page's code is the test's.
class CMacroGalleryPanel : public CPopupBox
{
public:
    CMacroGalleryPanel() : CPopupBox(IDD_GUIPANEL, L"GalleryPage.xml", nullptr) {}

    CMacroDisplayItem* Find(const wchar_t* name)
    {
        return m_items.FindItemOfKind<CMacroDisplayItem>(GetGUIItemId(name), GUIKIND_MACRODISPLAY);
    }
};

class MacroGalleryTest : public testing::Test
{
protected:
    EnglishTexts m_texts;
    CMacroGalleryPanel m_panel;
    CMacroDisplayItem* m_editor = nullptr;
    CMacroDisplayItem* m_preview = nullptr;

    void SetUp() override
    {
        InitVocabularyTables();
        int size = 0;
        const uint8_t* bytes = FindBinFile(L"kbddef.dat", &size);
        g_keyboardDef.Load(bytes, size);
        ASSERT_TRUE(m_panel.Create());
        m_panel.ShowWindow(SW_SHOW);
        m_panel.UpdateWindow();
        ASSERT_TRUE(WindowTest::BringToForeground(m_panel.m_hWnd));
        m_editor = m_panel.Find(L"MACRO_DISPLAY");
        m_preview = m_panel.Find(L"MACRO_DISPLAY_READONLY");
        ASSERT_TRUE(m_editor && m_preview);
    }
    void TearDown() override
    {
        m_panel.DestroyWindow();
        g_rawInputDevices.Unregister();
    }

    // Records "ab" and a left click on the page's background, all through SendInput.
    void RecordTypingAndAClick()
    {
        ASSERT_TRUE(m_editor->ToggleRecording());
        for (WORD key : { static_cast<WORD>('A'), static_cast<WORD>('B') })
        {
            SendKey(key, false);
            SendKey(key, true);
        }
        POINT background = { 690, 300 };
        m_panel.ClientToScreen(&background);
        ASSERT_TRUE(WindowTest::MoveMouseTo(background));
        WindowTest::PumpFor(60);
        WindowTest::PressLeftButton();
        WindowTest::PumpFor(60);
        WindowTest::ReleaseLeftButton();
        WindowTest::PumpFor(100);
        EXPECT_FALSE(m_editor->ToggleRecording());
    }
    static void SendKey(WORD key, bool up)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &input, sizeof(input));
        WindowTest::PumpFor(60);
    }
};
}

TEST_F(MacroGalleryTest, BuilderMakesAnEditorAndAReadOnlyPreview)
{
    EXPECT_FALSE(m_editor->IsReadOnly());
    EXPECT_TRUE(m_preview->IsReadOnly());
    EXPECT_EQ(m_editor->m_kind, GUIKIND_MACRODISPLAY);
    EXPECT_EQ(GetItemIdProperty(m_editor->m_hWnd), 181);
    ASSERT_EQ(m_editor->GetColumns().size(), 2u) << "the column of an unknown name is skipped";
    EXPECT_EQ(m_editor->GetColumns().at(0).columnId, kIconColumn);
    EXPECT_EQ(m_editor->GetColumns().at(1).columnId, kDescriptionColumn);
    EXPECT_EQ(m_editor->GetColumnWidth(1), 260);
    for (int kind = 0; kind < CMacroDisplayItem::kBitmapCount; ++kind)
        EXPECT_NE(m_editor->GetEventBitmap(kind), nullptr) << kind;
    EXPECT_EQ(m_editor->GetColours().text, 0xFFFFFFu);
    EXPECT_EQ(m_editor->GetColours().selectedBack, 0x00FFFFu);
    ASSERT_NE(m_editor->GetScrollBar(), nullptr);
    EXPECT_EQ(m_preview->GetScrollBar(), nullptr);
    EXPECT_EQ(m_preview->GetFrame().GetBorderWidth(), 2);

    // The list fills the frame inside its border, less the bar at the right.
    CRect frame;
    m_editor->GetFrame().GetWindowRect(&frame);
    CRect list;
    m_editor->GetWindowRect(&list);
    CRect bar;
    m_editor->GetScrollBar()->GetWindowRect(&bar);
    EXPECT_EQ(list.left, frame.left + 1);
    EXPECT_EQ(list.top, frame.top + 1);
    EXPECT_EQ(list.right, bar.left);
    EXPECT_EQ(bar.right, frame.right - 1);
    EXPECT_EQ(list.bottom, frame.bottom - 1);
}

TEST_F(MacroGalleryTest, RecordsTypedKeysAndAClickFromRealInput)
{
    RecordTypingAndAClick();
    const std::vector<CMacroEvent>& events = m_editor->GetEvents();
    ASSERT_EQ(events.size(), 11u) << "four keystrokes and two button changes with a delay between each two";
    const int32_t scanCodes[] = { 0x1E, 0x1E, 0x30, 0x30 };
    for (size_t i = 0; i < 4; ++i)
    {
        const CMacroEvent& key = events[2 * i];
        EXPECT_EQ(key.type, CMacroEvent::kKeystroke) << i;
        EXPECT_EQ(key.value & 0xFFFF, scanCodes[i]) << i;
        EXPECT_EQ(key.extra, i % 2 ? CMacroEvent::kKeyUp : CMacroEvent::kKeyDown) << i;
        EXPECT_EQ(events[2 * i + 1].type, CMacroEvent::kDelay) << i;
        EXPECT_GE(events[2 * i + 1].value, 40) << "the pumps between the keys take 60 ms";
    }
    EXPECT_EQ(events[8].type, CMacroEvent::kMouseButton);
    EXPECT_EQ(events[8].value, 1);
    EXPECT_EQ(events[8].extra, 0xFF);
    EXPECT_EQ(events[10].extra, 1);
    ASSERT_EQ(m_editor->GetItemCount(), 11);
    CString name;
    ASSERT_TRUE(GetKeyDisplayName('A', name, 0x1E, false));
    EXPECT_EQ(m_editor->GetItemText(0, 1), name);
    EXPECT_EQ(m_editor->GetItemText(8, 1), L"Left button down");
    EXPECT_EQ(m_editor->GetItemText(10, 1), L"Left button up");
    EXPECT_TRUE(m_editor->GetScrollBar()->IsWindowVisible()) << "shown again after recording";
}

TEST_F(MacroGalleryTest, RightClickOptionListDeletesTheEvent)
{
    m_editor->SetEvents({ Keystroke(0x1E, 'A', false), Delay(100), Keystroke(0x1E, 'A', true) });
    CRect row;
    ASSERT_TRUE(m_editor->GetItemRect(0, &row, LVIR_BOUNDS));
    POINT screen = { (row.left + row.right) / 2, (row.top + row.bottom) / 2 };
    m_editor->ClientToScreen(&screen);
    const DWORD thread = ::GetCurrentThreadId();
    size_t entries = 0;
    ModalTest::CScript script([&] {
        WindowTest::MoveMouseTo(screen);
        ::Sleep(60);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        ::SendInput(1, &input, sizeof(input));
        input.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ::SendInput(1, &input, sizeof(input));
        HWND panel = ModalTest::WaitForPanels(thread, 1);
        entries = static_cast<size_t>(::SendMessageW(ModalTest::PanelList(panel), LVM_GETITEMCOUNT, 0, 0));
        ModalTest::ClickRow(panel, 2);
        ModalTest::WaitForNoPanel(thread);
    });
    script.Finish();
    EXPECT_EQ(entries, m_editor->GetOptionList(CMacroDisplayItem::kOptionsKey).size());
    ASSERT_EQ(m_editor->GetEvents().size(), 2u) << "$Delete on the key row";
    EXPECT_EQ(m_editor->GetEvents()[0].type, CMacroEvent::kDelay);
    EXPECT_EQ(m_editor->GetSelectedIndex(), 0);
}

TEST_F(MacroGalleryTest, PreviewPlaysTheRecordedMacroBesideTheEditor)
{
    RecordTypingAndAClick();
    const std::vector<CMacroEvent> recorded = m_editor->GetEvents();
    ASSERT_FALSE(recorded.empty());
    m_editor->SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(m_preview->StartPreview(recorded));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return m_preview->GetItemCount() >= 4; }, 5000));
    m_panel.UpdateWindow();
    WindowTest::PumpFor(50);
    const CString screenshot = GetModuleFolder() + L"GalleryMacroLists.bmp";
    EXPECT_TRUE(WindowTest::SaveScreenshot(screenshot));
    EXPECT_LT(m_preview->GetItemCount(), 6) << "rows come one delay at a time";
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !m_preview->IsPreviewing(); }, 10000));
    EXPECT_EQ(m_preview->GetItemCount(), 0);
    EXPECT_EQ(m_editor->GetEvents().size(), recorded.size()) << "the editor keeps the macro";
}
