#include "BitmapHelpers.h"
#include "CAVIButton.h"
#include "CBitmapBtn.h"
#include "CBitmapItem.h"
#include "CBitmapWindow.h"
#include "CDPIStageWindow.h"
#include "CDropdownColorButton.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CEditItemSingleKeyInputMMO.h"
#include "CKeyboardDef.h"
#include "CKeyboardKeyItem.h"
#include "CListPanelItem.h"
#include "CListPanelStatic.h"
#include "CRawInputDevices.h"
#include "CPopupBox.h"
#include "CProgressPanelItem.h"
#include "CRgn.h"
#include "CShippedSkin.h"
#include "CSliderHMulti.h"
#include "CSliderTrack.h"
#include "CSkinResourceList.h"
#include "CTextItem.h"
#include "ExeFolder.h"
#include "GUIMessages.h"
#include "GUIPanelResource.h"
#include "ItemBuilders.h"
#include "ModalDriver.h"
#include "Vocabulary.h"
#include "CLangTable.h"
#include "CVScrollBar.h"
#include "CXListCellRecord.h"
#include "CXListCtrl.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{
// The size of the gallery's background picture.
const CSize kGallerySize(720, 720);

// The gallery page as a popup that records the commands its controls send.
class CGalleryPanel : public CPopupBox
{
public:
    std::vector<HWND> m_commands;
    std::vector<HWND> m_editChanges;
    std::function<void(HWND)> m_onValueChanged;
    std::vector<UINT> m_keyMessages;
    std::vector<int> m_keyIds;
    struct Private
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Private> m_private;
    // The brightness slider's releases and the colour button's reports.
    std::vector<Private> m_sliderAndColour;
    // Called for the multi-column list's messages while they are sent.
    std::function<void(UINT, WPARAM, LPARAM)> m_onListMessage;
    int CountOf(UINT message) const
    {
        return static_cast<int>(std::count_if(m_private.begin(), m_private.end(), [&](const Private& p) { return p.message == message; }));
    }

    explicit CGalleryPanel(CWnd* owner = nullptr) : CPopupBox(IDD_GUIPANEL, L"GalleryPage.xml", owner) {}

    template <class T>
    T* Find(const wchar_t* name, int kind)
    {
        return m_items.FindItemOfKind<T>(GetGUIItemId(name), kind);
    }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_GUI_KBDKEY_MOUSEMOVE || message == WM_GUI_KBDKEY_CLICKED)
        {
            if (m_keyMessages.empty() || m_keyMessages.back() != message)
                m_keyMessages.push_back(message);
            m_keyIds.push_back(static_cast<int>(lParam));
        }
        if (message == WM_GUI_ITEM_VALUE_CHANGED && m_onValueChanged)
            m_onValueChanged(reinterpret_cast<HWND>(lParam));
        if (message == WM_GUI_DROPDOWN_SELCHANGE || message == WM_GUI_DROPDOWN_CLICKED || message == WM_GUI_DPISTAGE_SELECTED ||
            message == WM_GUI_LISTPANELSTATIC_CLICK)
            m_private.push_back({ message, wParam, lParam });
        if ((message == WM_GUI_LIST_CHECKBOX_CHANGED || message == WM_GUI_LIST_ROW_CLICKED) && m_onListMessage)
            m_onListMessage(message, wParam, lParam);
        if (message == WM_GUI_SLIDER_POSCHANGED ||
            (message == WM_GUI_ITEM_VALUE_CHANGED && lParam == kUnnamedColorButtonId))
            m_sliderAndColour.push_back({ message, wParam, lParam });
        if (message == WM_GUI_EDIT_CHANGED)
            m_editChanges.push_back(reinterpret_cast<HWND>(lParam));
        if (message == WM_COMMAND && lParam)
        {
            m_commands.push_back(reinterpret_cast<HWND>(lParam));
            return true;
        }
        return CPopupBox::OnWndMsg(message, wParam, lParam, result);
    }
};

// A panel whose page is missing: it keeps its template's size.
class CMissingPagePanel : public CPopupBox
{
public:
    CMissingPagePanel() : CPopupBox(IDD_GUIPANEL, L"NoSuchPage.xml", nullptr) {}
};

class GalleryPanelTest : public testing::Test
{
protected:
    CShippedSkin m_skin;

    void SetUp() override
    {
        m_skin.Enter(VELMORA_SKIN_FOLDER);
        // The key definitions come from the language page in the program; here from the
        // shipped data file directly.
        int size = 0;
        const uint8_t* bytes = FindBinFile(L"kbddef.dat", &size);
        g_keyboardDef.Load(bytes, size);
    }
    void TearDown() override
    {
        m_skin.Leave();
    }

    static bool Show(CGalleryPanel& panel)
    {
        if (!panel.Create())
            return false;
        panel.ShowWindow(SW_SHOW);
        panel.UpdateWindow();
        return WindowTest::BringToForeground(panel.m_hWnd);
    }
};

CPoint CentreOf(HWND wnd)
{
    CRect rect;
    ::GetClientRect(wnd, &rect);
    return CPoint(rect.Width() / 2, rect.Height() / 2);
}
}

TEST_F(GalleryPanelTest, PanelIsItsBackgroundsSizeWithItsMasksRegion)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    CRect rect;
    panel.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), kGallerySize);
    ASSERT_NE(panel.GetMask(), nullptr);

    CRgn expected(CreateRegionFromBitmap(FindSkinPicture(L"gallery_mask.bmp")->GetHandle()));
    CRgn actual;
    ASSERT_TRUE(actual.CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(panel.m_hWnd, actual), ERROR);
    EXPECT_TRUE(actual.EqualRgn(expected));
    EXPECT_FALSE(actual.PtInRegion(0, 0)) << "the rounded corner is cut away";
    EXPECT_TRUE(actual.PtInRegion(240, 160));

    // Painted from the background: the line under the header band.
    WindowTest::PumpFor(200);
    EXPECT_EQ(WindowTest::ScreenPixel(panel.m_hWnd, CPoint(240, 60)), RGB(90, 140, 200));
}

TEST_F(GalleryPanelTest, ItemWindowsCarryTheirIdAndShownText)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* apply = panel.Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    auto* exitButton = panel.Find<CBitmapBtn>(L"BUTTON_EXIT", GUIKIND_BITMAPBTN);
    auto* heading = panel.Find<CTextItem>(L"TEXT_ASSIGNBUTTONS_HEADING", GUIKIND_TEXTITEM);
    auto* inside = panel.Find<CBitmapBtn>(L"BUTTON_RESET", GUIKIND_BITMAPBTN);
    auto* host = panel.Find<CBitmapItem>(L"BITMAP_BACKGROUND_RECT", GUIKIND_BITMAPITEM);
    ASSERT_TRUE(apply && exitButton && heading && inside && host);
    EXPECT_EQ(apply->GetWindowText(), L"Apply");
    EXPECT_EQ(exitButton->GetWindowText(), L"EXIT");
    EXPECT_EQ(heading->GetWindowText(), L"Skinned gallery");
    EXPECT_EQ(::GetParent(inside->m_hWnd), host->m_hWnd);
    for (int i = 0; i < panel.GetItems().GetCount(); ++i)
    {
        CGUIItem* item = panel.GetItems().GetAt(i);
        if (item->HasWindow())
        {
            EXPECT_EQ(GetItemIdProperty(item->m_hWnd), item->m_id) << item->m_id;
        }
    }
    CRgn shaped;
    ASSERT_TRUE(shaped.CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(::GetWindowRgn(exitButton->m_hWnd, shaped), ERROR) << "the masked button is shaped";
    EXPECT_FALSE(shaped.PtInRegion(0, 0));
}

TEST_F(GalleryPanelTest, ClickCheckBoxAndHoverReachTheParent)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* apply = panel.Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    auto* check = panel.Find<CBitmapBtn>(L"BUTTON_CHKBOX_SLCT_SHIFT", GUIKIND_BITMAPBTN);
    auto* label = panel.Find<CTextItem>(L"TEXT_SLCT_SHIFT", GUIKIND_TEXTITEM);
    auto* inside = panel.Find<CBitmapBtn>(L"BUTTON_RESET", GUIKIND_BITMAPBTN);
    ASSERT_TRUE(apply && check && label && inside);

    // Hover: the mouse over the button captures it and shows the hover image.
    CPoint centre = CentreOf(apply->m_hWnd);
    CPoint screen = centre;
    apply->ClientToScreen(&screen);
    ASSERT_TRUE(WindowTest::MoveMouseTo(screen));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return apply->IsHovering(); }));
    WindowTest::PumpFor(100);
    const COLORREF hoverEdge = WindowTest::ScreenPixel(apply->m_hWnd, CPoint(0, 10));
    EXPECT_EQ(hoverEdge, RGB(120, 180, 240)) << "the hover image's edge";
    ASSERT_TRUE(WindowTest::MoveMouseTo(CPoint(screen.x, screen.y + 300)));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return !apply->IsHovering(); }));

    // A click: BN_CLICKED with the button's window reaches the page.
    ASSERT_TRUE(WindowTest::ClickAt(apply->m_hWnd, centre));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_commands.empty(); }));
    EXPECT_EQ(panel.m_commands.back(), apply->m_hWnd);

    // The check box toggles on the button going down and tells the page.
    panel.m_commands.clear();
    ASSERT_FALSE(check->IsChecked());
    ASSERT_TRUE(WindowTest::ClickAt(check->m_hWnd, CentreOf(check->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_commands.empty(); }));
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(panel.m_commands.size(), 1u) << "the release sends nothing more";
    EXPECT_EQ(panel.m_commands.back(), check->m_hWnd);

    // Its label toggles it back and reports the check box's window.
    panel.m_commands.clear();
    ASSERT_TRUE(WindowTest::ClickAt(label->m_hWnd, CentreOf(label->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_commands.empty(); }));
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(panel.m_commands.back(), check->m_hWnd);

    // A button inside the bitmap item: the item passes the command on to the page.
    panel.m_commands.clear();
    ASSERT_TRUE(WindowTest::ClickAt(inside->m_hWnd, CentreOf(inside->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_commands.empty(); }));
    EXPECT_EQ(panel.m_commands.back(), inside->m_hWnd);
}

TEST_F(GalleryPanelTest, NumberOnlyEditKeepsItsRangeWhileTyping)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* edit = panel.Find<CEditItem>(L"EDITCTRL_INSERT_DELAY", GUIKIND_EDIT);
    ASSERT_NE(edit, nullptr);
    edit->SetNumbersOnly(true, 1, 100);
    // The page's key-capture field holds the keyboard's raw input, which leaves no key
    // messages for other fields; a page without one types normally.
    g_rawInputDevices.Unregister();
    ASSERT_TRUE(WindowTest::ClickAt(edit->m_hWnd, CentreOf(edit->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return ::GetFocus() == edit->m_hWnd; }));

    // 0 first is below the minimum; 1, 0, 0 make 100; the next 0 (1000) and the letter,
    // the minus sign and Home are refused.
    for (WORD key : { WORD('0'), WORD('1'), WORD('0'), WORD(VK_NUMPAD0), WORD('0'), WORD('A'), WORD(VK_SUBTRACT), WORD(VK_HOME) })
    {
        WindowTest::TapKey(key);
        WindowTest::PumpFor(40);
    }
    EXPECT_EQ(edit->GetWindowText(), L"100");
    ASSERT_FALSE(panel.m_editChanges.empty());
    EXPECT_EQ(panel.m_editChanges.back(), edit->m_hWnd);
    EXPECT_EQ(panel.m_editChanges.size(), 3u) << "one report per accepted digit";

    WindowTest::TapKey(VK_BACK);
    WindowTest::PumpFor(40);
    EXPECT_EQ(edit->GetWindowText(), L"10");
    EXPECT_TRUE(edit->GetFrame().IsWindowVisible());
}

TEST_F(GalleryPanelTest, KeyCaptureFieldReportsACombinationFromRawInput)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* capture = panel.Find<CEditItemSingleKeyInputMMO>(L"EDITCTRL_POPUP_SINGLEKEYENTRY", GUIKIND_EDITSINGLEKEY);
    ASSERT_NE(capture, nullptr);
    ASSERT_TRUE(g_rawInputDevices.IsRegistered());
    struct Seen
    {
        uint8_t mask;
        int state;
        CString key;
    };
    std::vector<Seen> seen;
    panel.m_onValueChanged = [&](HWND wnd) {
        if (wnd == capture->m_hWnd)
            seen.push_back({ capture->GetModifierMask(), capture->GetCaptureState(), capture->GetKeyName() });
    };
    auto send = [](WORD key, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &input, sizeof(input));
        WindowTest::PumpFor(60);
    };
    send(VK_LCONTROL, false);
    send('A', false);
    send('A', true);
    send(VK_LCONTROL, true);

    ASSERT_EQ(seen.size(), 3u) << "Ctrl down, A down and A up; the release of Ctrl reports nothing";
    EXPECT_EQ(seen[0].mask, 4);
    EXPECT_EQ(seen[0].state, 1);
    EXPECT_EQ(seen[2].mask, 4) << "Ctrl+A";
    EXPECT_EQ(seen[2].state, 6);
    EXPECT_FALSE(seen[2].key.IsEmpty());
    EXPECT_EQ(capture->GetModifierMask(), 0) << "releasing Ctrl clears it";
    EXPECT_EQ(capture->GetWindowText(), seen[2].key);
    panel.DestroyWindow();
    EXPECT_FALSE(g_rawInputDevices.IsRegistered()) << "the field's end ends the registration";
}

TEST_F(GalleryPanelTest, KeyboardKeysShowKeyNamesAndReportTheMouse)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* keyA = panel.Find<CKeyboardKeyItem>(L"BUTTON_ASSNBUTTON1", GUIKIND_KBDKEY);
    auto* numLock = panel.Find<CKeyboardKeyItem>(L"BUTTON_ASSNBUTTON2", GUIKIND_KBDKEY);
    auto* fire = panel.Find<CKeyboardKeyItem>(L"BUTTON_ASSNBUTTON3", GUIKIND_KBDKEY);
    ASSERT_TRUE(keyA && numLock && fire);
    wchar_t expected[256] = {};
    ::GetKeyNameTextW(0x1E << 16, expected, 256);
    EXPECT_EQ(keyA->GetWindowText(), expected) << "the Windows name of the key";
    EXPECT_EQ(keyA->GetScanCode(), 0x1E);
    EXPECT_EQ(keyA->GetVirtualKey(), 'A');
    ::GetKeyNameTextW((0x45 << 16) | (1 << 24), expected, 256);
    EXPECT_EQ(numLock->GetWindowText(), expected) << "Num Lock is named with the extended bit";
    EXPECT_EQ(fire->GetWindowText(), L"Fire") << "a caption of the skin is kept";
    EXPECT_TRUE(fire->IsExtended());

    ASSERT_TRUE(WindowTest::ClickAt(fire->m_hWnd, CentreOf(fire->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return panel.m_keyMessages.size() >= 2; }));
    EXPECT_EQ(panel.m_keyMessages[0], static_cast<UINT>(WM_GUI_KBDKEY_MOUSEMOVE));
    EXPECT_EQ(panel.m_keyMessages[1], static_cast<UINT>(WM_GUI_KBDKEY_CLICKED));
    EXPECT_EQ(panel.m_keyIds.back(), GetGUIItemId(L"BUTTON_ASSNBUTTON3"));
    EXPECT_TRUE(fire->IsChecked()) << "a check-box key toggles";
}

TEST_F(GalleryPanelTest, AnimatedButtonPlaysItsClipOnceOnADoubleClick)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* button = panel.Find<CAVIButton>(L"BUTTON_MACRO_RECORD_PLAY", GUIKIND_AVIBUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(panel.GetItems().FindItem(GetGUIItemId(L"BUTTON_MACRO_RECORD_STOP")), nullptr)
        << "only the list's first animated button is built";
    EXPECT_EQ(button->GetAnimationName(), L"GALLERY_CLIP");
    EXPECT_EQ(button->GetSoundName(), L"gallery_click.wav");
    EXPECT_EQ(button->GetStyle() & 0xFFFF000F, 0x5000000Bu);
    WindowTest::PumpFor(100);
    const COLORREF still = RGB(40, 60, 90);
    EXPECT_EQ(WindowTest::ScreenPixel(button->m_hWnd, CPoint(5, 5)), still) << "the still picture";

    // The clip's frames are 60 x 60 on a dark blue ground, centred in the animation control
    // that lies over the button one pixel down and right.
    const CPoint centre = CentreOf(button->m_hWnd);
    ASSERT_TRUE(WindowTest::ClickAt(button->m_hWnd, centre));
    ASSERT_TRUE(WindowTest::ClickAt(button->m_hWnd, centre));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return button->IsPlaying(); }));
    EXPECT_TRUE(button->IsOpened());
    EXPECT_TRUE(::IsWindowVisible(button->GetAnimationWindow()));
    CRect animation;
    ::GetWindowRect(button->GetAnimationWindow(), &animation);
    button->ScreenToClient(&animation);
    EXPECT_EQ(animation, CRect(1, 1, 65, 65));
    WindowTest::PumpFor(150);
    EXPECT_EQ(WindowTest::ScreenPixel(button->m_hWnd, CPoint(5, 5)), RGB(30, 30, 60)) << "a frame of the clip";

    // Twelve frames of 80 ms, played once: the still picture is back afterwards.
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !button->IsPlaying(); }, 5000));
    EXPECT_FALSE(::IsWindowVisible(button->GetAnimationWindow()));
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(button->m_hWnd, CPoint(5, 5)), still);

    // The opened clip plays again without being opened a second time.
    EXPECT_TRUE(button->Play());
    EXPECT_TRUE(button->IsPlaying());
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !button->IsPlaying(); }, 5000));
}

TEST_F(GalleryPanelTest, AnimatedButtonWithoutItsClipPlaysNothing)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    CAVIButton button;
    ASSERT_TRUE(button.Create(CRect(300, 200, 340, 240), &panel));
    EXPECT_FALSE(button.Play()) << "no animation named";
    button.SetAnimationName(L"NO_SUCH_CLIP");
    EXPECT_FALSE(button.Play());
    EXPECT_FALSE(button.IsOpened());
    EXPECT_FALSE(button.IsPlaying());
    EXPECT_FALSE(::IsWindowVisible(button.GetAnimationWindow()));
}

TEST_F(GalleryPanelTest, BlinkingButtonShowsNormalAndPressedInTurnUntilStopped)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* apply = panel.Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    ASSERT_NE(apply, nullptr);
    CPoint away(10, 310);
    panel.ClientToScreen(&away);
    ASSERT_TRUE(WindowTest::MoveMouseTo(away));
    // The images' edges: normal, pressed and disabled.
    const COLORREF normal = RGB(96, 108, 134);
    const COLORREF pressed = RGB(90, 150, 220);
    const COLORREF disabled = RGB(66, 68, 74);
    const CPoint edge(0, 10);
    apply->EnableWindow(false);
    WindowTest::PumpFor(100);
    ASSERT_EQ(WindowTest::ScreenPixel(apply->m_hWnd, edge), disabled);

    // A disabled button blinks too (the record button of the macro page does).
    apply->SetBlinkInterval(60);
    ASSERT_TRUE(apply->StartBlinking());
    EXPECT_TRUE(apply->IsBlinking());
    std::vector<COLORREF> seen;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 700)
    {
        WindowTest::PumpFor(15);
        seen.push_back(WindowTest::ScreenPixel(apply->m_hWnd, edge));
    }
    auto count = [&](COLORREF colour) { return std::count(seen.begin(), seen.end(), colour); };
    EXPECT_GT(count(normal), 0);
    EXPECT_GT(count(pressed), 0);
    EXPECT_EQ(count(disabled), 0);
    int changes = 0;
    for (size_t i = 1; i < seen.size(); ++i)
        changes += seen[i] != seen[i - 1];
    EXPECT_GE(changes, 4) << "the images swap on every tick";

    apply->StopBlinking();
    EXPECT_FALSE(apply->IsBlinking());
    WindowTest::PumpFor(200);
    EXPECT_EQ(WindowTest::ScreenPixel(apply->m_hWnd, edge), disabled) << "the state image again";
    apply->EnableWindow(true);
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(apply->m_hWnd, edge), normal);
}

TEST_F(GalleryPanelTest, KeyWithAPictureRecordShowsThePictureForItsState)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* key = panel.Find<CKeyboardKeyItem>(L"BUTTON_ASSNUP", GUIKIND_KBDKEY);
    ASSERT_NE(key, nullptr);
    const CBmpInfo* record = key->GetBmpInfo();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_id, GetGUIItemId(L"BUTTON_ASSNSCROLLUP"));
    EXPECT_EQ(record->m_rect, CRect(15, 5, 35, 19));
    EXPECT_EQ(record->m_pictures[CBmpInfo::kDisabled], nullptr);
    EXPECT_EQ(panel.Find<CKeyboardKeyItem>(L"BUTTON_ASSNBUTTON1", GUIKIND_KBDKEY)->GetBmpInfo(), nullptr);

    CPoint away(10, 310);
    panel.ClientToScreen(&away);
    ASSERT_TRUE(WindowTest::MoveMouseTo(away));
    WindowTest::PumpFor(100);
    // The arrow's stem, and beside it, where the mask lets the key's own image show.
    const CPoint stem(25, 15);
    const CPoint beside(16, 17);
    auto pixel = [&](CPoint point) { return WindowTest::ScreenPixel(key->m_hWnd, point); };
    EXPECT_EQ(pixel(stem), RGB(255, 255, 255));
    const COLORREF keyImage = pixel(beside);
    EXPECT_NE(keyImage, RGB(0, 0, 0));
    EXPECT_NE(keyImage, RGB(255, 255, 255));

    key->SetChecked(true);
    WindowTest::PumpFor(100);
    EXPECT_EQ(pixel(stem), RGB(120, 230, 120)) << "pressed";
    key->SetChecked(false);
    key->EnableWindow(false);
    WindowTest::PumpFor(100);
    EXPECT_EQ(pixel(stem), RGB(255, 255, 255)) << "no disabled picture: the normal one";
    key->EnableWindow(true);

    CPoint over = stem;
    key->ClientToScreen(&over);
    ASSERT_TRUE(WindowTest::MoveMouseTo(over));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return key->IsHovering(); }));
    WindowTest::PumpFor(100);
    EXPECT_EQ(pixel(stem), RGB(255, 255, 0)) << "hover";
    EXPECT_NE(pixel(beside), keyImage) << "the key's hover image shows beside the picture";
}

TEST_F(GalleryPanelTest, BitmapWindowFitsItsTextBesideTheIcon)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* window = panel.Find<CBitmapWindow>(L"DPIWIN", GUIKIND_BITMAPWINDOW);
    ASSERT_NE(window, nullptr);
    window->SelectIcon(1);
    window->SetText(L"Keystroke");
    EXPECT_EQ(window->GetWindowText(), L"Keystroke");
    HDC dc = ::GetDC(window->m_hWnd);
    ::SelectObject(dc, DefaultControlFont());
    EXPECT_EQ(window->FittedText(dc, 500), L"Keystroke") << "a text that fits is drawn whole";
    const CString shortened = window->FittedText(dc, 40);
    ::ReleaseDC(window->m_hWnd, dc);
    EXPECT_EQ(shortened.Right(3), L"...");
    EXPECT_LT(shortened.GetLength(), 12);

    // Hover shows the third image (button_o: its edge is light blue).
    CPoint screen(10, 15);
    window->ClientToScreen(&screen);
    ASSERT_TRUE(WindowTest::MoveMouseTo(screen));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return window->IsHovering(); }));
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(window->m_hWnd, CPoint(0, 15)), RGB(120, 180, 240));
    ASSERT_TRUE(WindowTest::ClickAt(window->m_hWnd, CPoint(10, 15)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_commands.empty(); }));
    EXPECT_EQ(panel.m_commands.back(), window->m_hWnd);
}

TEST_F(GalleryPanelTest, RecreatingTheWindowLoadsThePageOnce)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    const int count = panel.GetItems().GetCount();
    EXPECT_GT(count, 10);
    ASSERT_TRUE(panel.DestroyWindow());
    EXPECT_FALSE(panel.IsCreated());
    EXPECT_TRUE(panel.GetBackground()->IsNull()) << "the bitmaps are freed once, in OnDestroy";
    ASSERT_TRUE(Show(panel));
    EXPECT_EQ(panel.GetItems().GetCount(), count);
    CRect rect;
    panel.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), kGallerySize);
}

TEST_F(GalleryPanelTest, PanelWithoutItsPageKeepsItsTemplateSize)
{
    CMissingPagePanel panel;
    ASSERT_TRUE(panel.Create());
    EXPECT_TRUE(panel.IsCreated());
    EXPECT_EQ(panel.GetItems().GetCount(), 0);
    EXPECT_EQ(panel.GetBackground(), nullptr);
    CRect rect;
    panel.GetWindowRect(&rect);
    EXPECT_GT(rect.Width(), 0);
    EXPECT_GT(rect.Height(), 0);
    panel.ShowWindow(SW_SHOWNOACTIVATE);
    panel.UpdateWindow();
    WindowTest::PumpFor(50);
}

TEST_F(GalleryPanelTest, DropdownOfTheGalleryScrollsToItsLastEntryAndOpensItsSecondLevel)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* dropdown = panel.Find<CDropdownListItem>(L"LIST_KEYMAP_DROPDOWN", GUIKIND_DROPDOWN);
    auto* more = panel.Find<CListPanelItem>(L"LISTPANEL_ASSIGNSUBMENU_MORE", GUIKIND_LISTPANELITEM);
    ASSERT_TRUE(dropdown && more);
    ASSERT_EQ(dropdown->GetCount(), 25);
    ASSERT_EQ(dropdown->GetItemText(24), L"$More");
    dropdown->GetEntry(24)->m_pSubList = more;
    const DWORD thread = ::GetCurrentThreadId();
    CString screenshot = GetModuleFolder() + L"GalleryDropdownOpen.bmp";
    bool saved = false;
    POINT box = { 100, 11 };
    dropdown->ClientToScreen(&box);
    ModalTest::CScript script([&] {
        ModalTest::ClickScreen(box);
        HWND list = ModalTest::WaitForPanels(thread, 1);
        POINT row = {};
        ModalTest::RowCentre(list, 1, row);
        WindowTest::MoveMouseTo(row);
        for (int notch = 0; notch < 30; ++notch)
            ModalTest::TurnWheel(-WHEEL_DELTA);
        ::Sleep(200);
        ModalTest::ClickRow(list, 24);
        HWND second = ModalTest::WaitForPanels(thread, 2);
        ModalTest::RowCentre(second, 1, row);
        WindowTest::MoveMouseTo(row);
        ::Sleep(200);
        saved = WindowTest::SaveScreenshot(screenshot);
        ModalTest::ClickRow(second, 1);
        ModalTest::WaitForNoPanel(thread);
    });
    script.Finish();
    EXPECT_TRUE(saved);
    ASSERT_EQ(panel.CountOf(WM_GUI_DROPDOWN_SELCHANGE), 1);
    EXPECT_EQ(panel.m_private.back().wParam, 24u);
    EXPECT_EQ(dropdown->GetDisplayText(), L"$More: $Keystroke");
}

TEST_F(GalleryPanelTest, PopupMenuOfThreeLevelsGivesThePath)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* menu = panel.Find<CListPanelItem>(L"LISTPANEL_PROFILEOPTIONS", GUIKIND_LISTPANELITEM);
    auto* more = panel.Find<CListPanelItem>(L"LISTPANEL_ASSIGNSUBMENU_MORE", GUIKIND_LISTPANELITEM);
    auto* mouse = panel.Find<CListPanelItem>(L"LISTPANEL_ASSIGNSUBMENU_MOUSE", GUIKIND_LISTPANELITEM);
    ASSERT_TRUE(menu && more && mouse);
    EXPECT_EQ(menu->m_entries[0].m_tipText, L"Opens the next level");
    menu->m_entries[0].m_pSubList = more;
    more->m_entries[0].m_pSubList = mouse;
    const DWORD thread = ::GetCurrentThreadId();
    std::vector<CString> path;
    ModalTest::CScript script([&] {
        ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 1), 0);
        ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 2), 0);
        ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 3), 1);
        ModalTest::WaitForNoPanel(thread);
    });
    const int result = menu->Popup(0, &panel, &path, 490, 230);
    script.Finish();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, (std::vector<CString>{ L"$More", L"$MouseButton", L"$doubleclick" }));
}

TEST_F(GalleryPanelTest, ProgressPanelKeepsItsPercentInsideTheRange)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* progress = panel.Find<CProgressPanelItem>(L"TEXT_PROGRESS_MESSAGE", GUIKIND_PROGRESSITEM);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->CProgressPanel::IsWindow());
    EXPECT_EQ(static_cast<CGUIItem*>(progress)->m_hWnd, nullptr) << "the item record carries no window";
    EXPECT_EQ(progress->GetText(L"pp_status"), L"GalleryPage.xml");
    struct Case
    {
        int value;
        int percent;
        const wchar_t* text;
        int fill;
    } cases[] = { { 150, 100, L"100%", 200 }, { -20, 0, L"0%", 0 }, { 50, 50, L"50%", 100 } };
    for (const Case& c : cases)
    {
        progress->SetPercent(c.value);
        EXPECT_EQ(progress->GetPercent(), c.percent) << c.value;
        EXPECT_EQ(progress->GetText(L"PP_PERCENT"), c.text) << c.value;
        EXPECT_EQ(progress->GetFillBar().GetFillPosition(), c.fill) << c.value;
    }
    progress->SetPercent(0);
    progress->Bounce();
    EXPECT_EQ(progress->GetDirection(), 1) << "an idle panel starts moving upwards";
    progress->Bounce();
    EXPECT_EQ(progress->GetPercent(), 1);
    WindowTest::PumpFor(50);
}

TEST_F(GalleryPanelTest, StageTileIsSelectedByOneClickOnly)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* first = panel.Find<CDPIStageWindow>(L"DPISTAGEWINDOW_01", GUIKIND_DPISTAGE);
    auto* second = panel.Find<CDPIStageWindow>(L"DPISTAGEWINDOW_02", GUIKIND_DPISTAGE);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetHeading(), L"Stage 1");
    EXPECT_EQ(second->GetHeading(), L"STAGE 2");
    first->SetStageIndex(1);
    first->SetSingleValue(800);
    ASSERT_TRUE(WindowTest::ClickAt(first->m_hWnd, CentreOf(first->m_hWnd)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return panel.CountOf(WM_GUI_DPISTAGE_SELECTED) == 1; }));
    EXPECT_TRUE(first->IsSelected());
    EXPECT_EQ(panel.m_private.back().wParam, 1u);
    EXPECT_EQ(panel.m_private.back().lParam, GetGUIItemId(L"DPISTAGEWINDOW_01"));
    ASSERT_TRUE(WindowTest::ClickAt(first->m_hWnd, CentreOf(first->m_hWnd)));
    WindowTest::PumpFor(100);
    EXPECT_EQ(panel.CountOf(WM_GUI_DPISTAGE_SELECTED), 1) << "a selected tile sends nothing";
    EXPECT_EQ(WindowTest::ScreenPixel(first->m_hWnd, CPoint(0, 30)), RGB(240, 200, 60)) << "the selected frame";
    EXPECT_EQ(WindowTest::ScreenPixel(second->m_hWnd, CPoint(0, 30)), RGB(90, 110, 150));
}

TEST_F(GalleryPanelTest, InlineListReportsClicksOnRowsThatAreNotDisabled)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* mouse = panel.Find<CListPanelItem>(L"LISTPANEL_ASSIGNSUBMENU_MOUSE", GUIKIND_LISTPANELITEM);
    ASSERT_NE(mouse, nullptr);
    std::vector<CListEntry> entries = mouse->m_entries;
    entries.push_back(CListEntry(L"$disabled"));
    entries.back().m_disabled = true;
    mouse->SetEntries(entries);
    const int id = GetGUIItemId(L"LIST_GLOBALMACROLIST");
    ASSERT_TRUE(mouse->CreateStaticList(id, CRect(490, 220, 630, 300), &panel));
    CListPanelStatic* list = mouse->GetInlineList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItemCount(), 3);
    list->SetSelection(0);

    auto rowCentre = [&](int row) {
        CRect rect;
        list->GetItemRect(row, &rect, LVIR_BOUNDS);
        return CPoint(40, (rect.top + rect.bottom) / 2);
    };
    ASSERT_TRUE(WindowTest::ClickAt(list->m_hWnd, rowCentre(1)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return panel.CountOf(WM_GUI_LISTPANELSTATIC_CLICK) == 1; }));
    EXPECT_EQ(list->GetHotRow(), 1);
    EXPECT_EQ(panel.m_private.back().lParam, id);
    EXPECT_EQ(panel.m_private.back().wParam, list->MapIndexToID(1));
    ASSERT_TRUE(WindowTest::ClickAt(list->m_hWnd, rowCentre(2)));
    WindowTest::PumpFor(100);
    EXPECT_EQ(panel.CountOf(WM_GUI_LISTPANELSTATIC_CLICK), 1) << "the disabled row";
    EXPECT_EQ(list->GetHotRow(), 1) << "a disabled row never becomes hot";
    WindowTest::MoveMouseTo(CPoint(5, 5));
    EXPECT_TRUE(WindowTest::PumpUntil([&] { return list->GetHotRow() == -1; })) << "leaving the list releases it";

    entries.resize(1);
    mouse->SetEntries(entries);
    EXPECT_EQ(list->GetItemCount(), 1) << "new entries refill the inline list";
    mouse->Show(false);
    EXPECT_FALSE(list->IsWindowVisible());
}

TEST_F(GalleryPanelTest, APopupOpensCentredOnItsOwnerOrElseOnTheScreen)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Owner", WS_POPUP | WS_VISIBLE, CRect(300, 200, 1100, 800), nullptr, nullptr));
    CGalleryPanel owned(&owner);
    ASSERT_TRUE(Show(owned));
    CRect rect;
    owned.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(700 - kGallerySize.cx / 2, 500 - kGallerySize.cy / 2, 700 + kGallerySize.cx / 2, 500 + kGallerySize.cy / 2))
        << "the owner's centre is (700, 500)";
    owned.DestroyWindow();
    owner.DestroyWindow();

    CGalleryPanel alone;
    ASSERT_TRUE(Show(alone));
    alone.GetWindowRect(&rect);
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(rect.left, work.left + (work.right - work.left - kGallerySize.cx) / 2);
    EXPECT_EQ(rect.top, work.top + (work.bottom - work.top - kGallerySize.cy) / 2);
    alone.DestroyWindow();
}

TEST_F(GalleryPanelTest, ProfileListReadsItsColumnsWithTheLanguagesWidthFirst)
{
    CLangTable language;
    language.AddTextOverride(-1, LCITEM_PROFILENAME, L"width", L"160");
    CLangTable* saved = g_pLangTable;
    g_pLangTable = &language;
    CGalleryPanel panel;
    const bool shown = Show(panel);
    g_pLangTable = saved;
    ASSERT_TRUE(shown);
    auto* list = panel.Find<CXListCtrl>(L"LIST_PROFILELIST", GUIKIND_LISTCTRL);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(static_cast<CGUIItem*>(list)->m_hWnd, list->m_hWnd);
    struct Column
    {
        int id;
        int width;
        const wchar_t* title;
        bool exclusive;
        bool pictures;
    } expected[] = {
        { LCITEM_PROFILECURRENT, 34, L"On", true, true },
        { LCITEM_PROFILEID, 36, L"No.", false, false },
        { LCITEM_PROFILENAME, 160, L"Name", false, false },
        { LCITEM_AUTOSWITCH, 48, L"Auto", false, true },
        { LCITEM_PROFILEEXE, 150, L"Application", false, false },
    };
    ASSERT_EQ(list->GetColumnCount(), 5) << "an unknown name or type is skipped";
    for (int subItem = 0; subItem < 5; ++subItem)
    {
        const Column& c = expected[subItem];
        EXPECT_EQ(list->GetColumnId(subItem), c.id) << subItem;
        EXPECT_EQ(list->GetColumnWidth(subItem), c.width) << subItem;
        const CXListColumn* column = list->FindColumn(c.id);
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->m_title, c.title);
        EXPECT_EQ(column->m_exclusive, c.exclusive) << subItem;
        EXPECT_EQ(column->m_pChecked != nullptr && column->m_pUnchecked != nullptr && column->m_pMask != nullptr, c.pictures)
            << subItem;
    }
    EXPECT_EQ(list->FindColumn(LCITEM_AUTOSWITCH)->m_kind, XLISTCELL_CHECKBOX);
    EXPECT_EQ(list->GetTextColour(), GetColorByName(L"WHITE"));
    EXPECT_EQ(list->GetSelectedTextColour(), GetColorByName(L"YELLOW"));
    EXPECT_EQ(list->GetBackColour(), GetColorByName(L"BLACK2"));
    EXPECT_EQ(list->GetSelectedBackColour(), GetColorByName(L"BLUE_JO_PROFILE_HIGHLIGHT"));
    EXPECT_EQ(list->GetBorderColour(), GetColorByName(L"MIDGREY"));
    EXPECT_EQ(list->GetHeader().GetBackColour(), GetColorByName(L"DARKGREY"));
    EXPECT_EQ(list->GetFrame().GetBorderWidth(), 1);
    EXPECT_NE(list->GetScrollBar(), nullptr);
    EXPECT_FALSE(list->IsSorted());
    EXPECT_EQ(list->GetExtendedStyle() & LVS_EX_FULLROWSELECT, static_cast<DWORD>(LVS_EX_FULLROWSELECT));
}

TEST_F(GalleryPanelTest, ProfileListOfTwentyRowsWorksWithTheMouseAndItsScrollBar)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* list = panel.Find<CXListCtrl>(L"LIST_PROFILELIST", GUIKIND_LISTCTRL);
    ASSERT_NE(list, nullptr);
    const wchar_t* const applications[] = { L"", L"Flight.exe", L"", L"Racing.exe", L"Shooter.exe" };
    for (int key = 0; key < 20; ++key)
    {
        ASSERT_EQ(list->InsertRow(key), key);
        CString text;
        text.Format(L"%02d", key + 1);
        list->SetCellText(key, LCITEM_PROFILEID, text);
        text.Format(L"Profile %d", key + 1);
        list->SetCellText(key, LCITEM_PROFILENAME, text);
        list->SetCellText(key, LCITEM_PROFILEEXE, applications[key % 5]);
    }
    list->SetCheckbox(0, LCITEM_PROFILECURRENT, 1);
    list->SetCheckbox(3, LCITEM_AUTOSWITCH, 1);
    list->EnsureVisible(0, false);
    list->UpdateWindow();
    struct Heard
    {
        UINT message;
        int rowKey;
        int column;
        bool check;
    };
    std::vector<Heard> heard;
    panel.m_onListMessage = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_GUI_LIST_ROW_CLICKED)
        {
            heard.push_back({ message, static_cast<int>(wParam), -1, false });
            return;
        }
        const auto* record = reinterpret_cast<const CXListCellRecord*>(lParam);
        heard.push_back({ message, record->m_rowKey, record->m_column, record->GetCheck() });
    };
    auto cellCentre = [&](int rowKey, int columnId) {
        CRect cell;
        list->GetCellRect(list->FindRowByKey(rowKey), list->GetSubItem(columnId), &cell);
        return CPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    };

    // The auto-switch column stands fourth: its message carries its id all the same.
    ASSERT_TRUE(WindowTest::ClickAt(list->m_hWnd, cellCentre(1, LCITEM_AUTOSWITCH)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard[0].message, WM_GUI_LIST_CHECKBOX_CHANGED);
    EXPECT_EQ(heard[0].rowKey, 1);
    EXPECT_EQ(heard[0].column, LCITEM_AUTOSWITCH);
    EXPECT_TRUE(heard[0].check);
    EXPECT_EQ(heard[1].message, WM_GUI_LIST_ROW_CLICKED);

    // The wheel scrolls to the last row, and the thumb follows.
    const int thumbAtTop = list->GetScrollBar()->GetThumbTop();
    POINT middle = cellCentre(2, LCITEM_PROFILENAME);
    list->ClientToScreen(&middle);
    WindowTest::MoveMouseTo(middle);
    for (int notch = 0; notch < 25; ++notch)
    {
        ModalTest::TurnWheel(-WHEEL_DELTA);
        WindowTest::PumpFor(20);
    }
    WindowTest::PumpFor(200);
    EXPECT_EQ(list->GetTopIndex() + list->GetCountPerPage(), 20) << "the 20th row is the last one shown";
    EXPECT_GT(list->GetScrollBar()->GetThumbTop(), thumbAtTop);

    heard.clear();
    ASSERT_TRUE(WindowTest::ClickAt(list->m_hWnd, cellCentre(19, LCITEM_PROFILECURRENT)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard[0].rowKey, 19);
    EXPECT_EQ(heard[0].column, LCITEM_PROFILECURRENT);
    EXPECT_EQ(list->GetCheckbox(19, LCITEM_PROFILECURRENT), 1);
    EXPECT_EQ(list->GetCheckbox(0, LCITEM_PROFILECURRENT), 0) << "the exclusive column moved its check";
    EXPECT_EQ(list->GetSelectedRowKey(), 19);

    // Over the auto-switch header item its tip shows; then the screenshot.
    CRect headerItem;
    list->GetHeader().GetItemRect(3, &headerItem);
    POINT tipPoint = { (headerItem.left + headerItem.right) / 2, (headerItem.top + headerItem.bottom) / 2 };
    list->GetHeader().ClientToScreen(&tipPoint);
    WindowTest::MoveMouseTo(tipPoint);
    WindowTest::PumpFor(50);
    WindowTest::MoveMouseTo(CPoint(tipPoint.x + 2, tipPoint.y));
    WindowTest::PumpFor(1500);
    const CString screenshot = GetModuleFolder() + L"GalleryProfileList.bmp";
    EXPECT_TRUE(WindowTest::SaveScreenshot(screenshot));
}

TEST_F(GalleryPanelTest, BrightnessSliderAndColourPaletteWorkTogetherUnderRealInput)
{
    CGalleryPanel panel;
    ASSERT_TRUE(Show(panel));
    auto* group = panel.Find<CSliderHMulti>(L"SLIDER_LED_BRIGHTNESS", GUIKIND_SLIDERHMULTI);
    auto* track = panel.Find<CSliderTrack>(L"BITMAP_BRIGHTNESS_SETTINGS", GUIKIND_SLIDERTRACK);
    auto* button = panel.GetItems().FindItemOfKind<CDropdownColorButton>(kUnnamedColorButtonId, GUIKIND_DROPDOWNCOLOR);
    ASSERT_TRUE(group && track && button && group->GetCount() == 1);
    CPHSlider& thumb = *group->GetSlider(0);
    EXPECT_EQ(::GetParent(thumb.m_hWnd), track->m_hWnd) << "the thumb runs on its track";
    // The page's key-capture field holds the keyboard's raw input; the palette needs the keys.
    g_rawInputDevices.Unregister();

    // As the lighting page sets it up: 10 to 100, then dragged past the right end.
    group->SetRange(10, 100);
    thumb.SetPos(50 - 10, true);
    WindowTest::PumpFor(100);
    POINT from = { 5, 10 };
    thumb.ClientToScreen(&from);
    WindowTest::MoveMouseTo(from);
    WindowTest::PumpFor(50);
    WindowTest::PressLeftButton();
    WindowTest::PumpFor(50);
    WindowTest::MoveMouseTo(CPoint(from.x + 300, from.y));
    WindowTest::PumpFor(100);
    WindowTest::ReleaseLeftButton();
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !panel.m_sliderAndColour.empty(); }));
    EXPECT_EQ(panel.m_sliderAndColour.back().message, WM_GUI_SLIDER_POSCHANGED);
    EXPECT_EQ(panel.m_sliderAndColour.back().wParam, 100u);
    EXPECT_EQ(panel.m_sliderAndColour.back().lParam, GetGUIItemId(L"SLIDER_LED_BRIGHTNESS_STAGE"));

    // Back to 70 for the picture; the palette opens and the arrows preview a colour in the
    // box; the pointer rests on the thumb, whose value shows above it.
    thumb.SetPos(70 - 10, true);
    button->SetColor(kPaletteColors[2]);
    ASSERT_TRUE(WindowTest::ClickAt(button->m_hWnd, CPoint(20, 11)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return button->IsPaletteOpen() && ::GetFocus() == button->GetPalette()->m_hWnd; }));
    for (WORD key : { WORD(VK_DOWN), WORD(VK_RIGHT), WORD(VK_RIGHT) })
    {
        WindowTest::TapKey(key);
        WindowTest::PumpFor(60);
    }
    POINT onThumb = { 5, 10 };
    thumb.ClientToScreen(&onThumb);
    WindowTest::MoveMouseTo(onThumb);
    WindowTest::PumpFor(50);
    WindowTest::MoveMouseTo(CPoint(onThumb.x + 1, onThumb.y));
    WindowTest::PumpUntil([&] { return track->IsTipShown(); }, 2000);
    WindowTest::PumpFor(300);
    EXPECT_TRUE(WindowTest::SaveScreenshot(GetModuleFolder() + L"GallerySliderPalette.bmp"));
    EXPECT_EQ(button->GetColor(), kPaletteColors[12]) << "row 1 from cell 2, two to the right";
    const size_t before = panel.m_sliderAndColour.size();

    WindowTest::TapKey(VK_RETURN);
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !button->IsPaletteOpen(); }));
    WindowTest::PumpFor(200);
    ASSERT_EQ(panel.m_sliderAndColour.size(), before + 1) << "one report of the colour";
    EXPECT_EQ(panel.m_sliderAndColour.back().message, WM_GUI_ITEM_VALUE_CHANGED);
    EXPECT_EQ(panel.m_sliderAndColour.back().wParam, kPaletteColors[12]);
    EXPECT_EQ(thumb.GetValue(), 70) << "the palette left the slider alone";
}
