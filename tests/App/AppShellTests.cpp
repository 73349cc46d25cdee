// The main window shell and the two popups, built from the shipped skin pages in this
// process with a scripted device; no input is sent, the window is driven by its messages.
#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CDropdownColorButton.h"
#include "CDropdownListItem.h"
#include "CFakeKeypad.h"
#include "CKeymap.h"
#include "CKeypadConfig.h"
#include "CListPanel.h"
#include "CShippedAppSkin.h"
#include "CSliderHMulti.h"
#include "CTextItem.h"
#include "CUnconnectedMainWindow.h"
#include "CVelmoraAppApp.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "CVelmoraPreviewPopup.h"
#include "CVelmoraWarningDlg.h"
#include "ExeFolder.h"
#include "IShellOpener.h"
#include "ModalDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

// A device that answers as a connected keypad whose read succeeds.
class CScriptedDevice : public CFakeKeypad
{
public:
    bool m_connected = true;
    bool m_readSucceeds = true;
    bool m_busy = false;
    bool m_writeSucceeds = true;
    int m_reads = 0;
    int m_writes = 0;

    bool IsBusy() override { return m_busy; }
    bool SyncConfig(IKeypadConfig*, int mode, uint16_t) override
    {
        (mode == 1 ? m_reads : m_writes)++;
        return mode == 1 ? m_readSucceeds : m_writeSucceeds;
    }
    bool IsConnected() override { return m_connected; }
};

// Records what the main window asks the shell to open.
class CRecordingOpener : public IShellOpener
{
public:
    std::vector<CString> m_opened;

    bool Open(const CString& target) override
    {
        m_opened.push_back(target);
        return true;
    }
};

// The main window without the device service's event connections, counting what reaches
// the page code.
class CTestMainWindow : public CUnconnectedMainWindow
{
public:
    int m_stops = 0;
    int m_newProfiles = 0;

    CTestMainWindow(Device** device, IKeypadConfig* config) : CUnconnectedMainWindow(device, config) {}

    bool HasVisibleStyle(int id) const
    {
        HWND wnd = ItemWindow(id);
        return wnd && (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    bool IsItemChecked(int id) const
    {
        const CBitmapBtn* button = Bound<CBitmapBtn>(id);
        return button && button->IsChecked();
    }

protected:
    void StopRecordingOrPreview() override { ++m_stops; }
    void NewProfile() override { ++m_newProfiles; }
};

constexpr int kAssignHeading = 131;
constexpr int kProfilesHeading = 139;
constexpr int kMacrosHeading = 142;
constexpr int kLightingHeading = 151;
constexpr int kCurrentProfileHeading = 150;

class AppShellTest : public testing::Test
{
protected:
    CShippedAppSkin m_skin;
    CVelmoraConfig m_store;
    CScriptedDevice m_scripted;
    Device* m_device = &m_scripted;
    IKeypadProfile* m_first = nullptr;
    IKeypadProfile* m_second = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(m_skin.EnterForMainWindow(VELMORA_SKIN_FOLDER));

        m_first = m_store.CreateProfile(L"First");
        m_second = m_store.CreateProfile(L"Second");
        ASSERT_NE(m_first, nullptr);
        ASSERT_NE(m_second, nullptr);
        m_first->SetGUID({ 0x11111111, 1, 1, { 1, 1, 1, 1, 1, 1, 1, 1 } });
        m_second->SetGUID({ 0x22222222, 2, 2, { 2, 2, 2, 2, 2, 2, 2, 2 } });
        for (int index = 0; index < m_first->GetKeymapCount(); ++index)
            m_first->GetKeymap(index)->SetGUID(GUID{ 0x33333330u + index, 3, 3, { 3, 3, 3, 3, 3, 3, 3, 3 } });
        m_store.SetActiveProfile(m_first);
        m_first->SetCurrentKeymap(m_first->GetKeymap(0));
    }
    void TearDown() override
    {
        m_skin.Leave();
    }

    std::unique_ptr<CTestMainWindow> OpenMainWindow()
    {
        auto window = std::make_unique<CTestMainWindow>(&m_device, &m_store);
        if (!window->Create())
            return nullptr;
        window->ShowWindow(SW_SHOWNA);
        return window;
    }
};

TEST_F(AppShellTest, StartsOnTheAssignmentPageWithApplyDisabled)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kAssignPage);
    EXPECT_EQ(m_scripted.m_reads, 1);
    EXPECT_FALSE(window->HasChangesPending());
    EXPECT_FALSE(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY)));
    EXPECT_TRUE(window->IsWindowEnabled());
    EXPECT_EQ(window->GetStartupTimer(), 0u);
    EXPECT_TRUE(window->IsItemChecked(BUTTON_KEYMAP_1));
    EXPECT_TRUE(window->IsItemChecked(BUTTON_ASSIGNBUTTONS));
    EXPECT_EQ(window->GetWindowText(), L"Kavro Velmora Configurator");
    const CTextItem* firmware = window->Bound<CTextItem>(TEXT_FIRMWAREVER);
    ASSERT_NE(firmware, nullptr);
    EXPECT_EQ(firmware->GetText(), L"Firmware version: 1.05");
}

TEST_F(AppShellTest, ShowPage_ShowsExactlyTheChosenPage)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    struct Case
    {
        int flag;
        int tab;
        int heading;
        bool currentProfile;
    };
    const Case cases[] = {
        { CVelmoraAppDlg::kProfilesPage, BUTTON_MANAGEPROFILES, kProfilesHeading, false },
        { CVelmoraAppDlg::kMacrosPage, BUTTON_MANAGEMACROS, kMacrosHeading, false },
        { CVelmoraAppDlg::kLightingPage, BUTTON_LIGHTINGMAINTENANCE, kLightingHeading, true },
        { CVelmoraAppDlg::kAssignPage, BUTTON_ASSIGNBUTTONS, kAssignHeading, true },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flag);
        window->ShowPage(c.flag);
        EXPECT_EQ(window->GetCurrentPageFlag(), c.flag);
        for (const Case& other : cases)
        {
            EXPECT_EQ(window->HasVisibleStyle(other.heading), other.flag == c.flag) << other.flag;
            EXPECT_EQ(window->IsItemChecked(other.tab), other.flag == c.flag) << other.flag;
        }
        EXPECT_EQ(window->HasVisibleStyle(kCurrentProfileHeading), c.currentProfile);
        // The keymap LEDs show only on the assignment page.
        EXPECT_EQ(window->HasVisibleStyle(BITMAP_KEYMAP1_LED), c.flag == CVelmoraAppDlg::kAssignPage);
    }
    // A flag without a page, and the page already shown, change nothing.
    window->ShowPage(2);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kAssignPage);
    window->ShowPage(CVelmoraAppDlg::kAssignPage);
    EXPECT_TRUE(window->HasVisibleStyle(kAssignHeading));
}

TEST_F(AppShellTest, TabButtonsSwitchPagesAndProfileCommandsActOnlyOnTheProfilePage)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->Click(BUTTON_NEWPROFILE);
    EXPECT_EQ(window->m_newProfiles, 0);
    window->Click(BUTTON_MANAGEPROFILES);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kProfilesPage);
    window->Click(BUTTON_LIGHTINGMAINTENANCE);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kLightingPage);
    window->Click(BUTTON_MANAGEMACROS);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kMacrosPage);
    // No macro is selected: the macro page starts in its state 0.
    EXPECT_EQ(window->GetMacroState(), 0);
}

TEST_F(AppShellTest, WhileRecordingOnlyTheStopButtonActs)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->ShowPage(CVelmoraAppDlg::kMacrosPage);
    window->SetMacroPageState(CVelmoraAppDlg::kMacroRecording);
    window->Click(BUTTON_MANAGEPROFILES);
    window->Click(BUTTON_APPLY);
    window->Click(BUTTON_INSERT_DELAY);
    window->Click(BUTTON_OK);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kMacrosPage);
    EXPECT_FALSE(window->HasChangesPending());
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(m_scripted.m_writes, 0);
    // Enter and Escape reach the dialog as IDOK and IDCANCEL: ignored while recording.
    window->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    window->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(window->IsWindowVisible());
    window->Click(BUTTON_MACRO_RECORD_STOP);
    EXPECT_EQ(window->m_stops, 1);

    window->SetMacroPageState(1);
    window->Click(BUTTON_MANAGEPROFILES);
    EXPECT_EQ(window->GetCurrentPageFlag(), CVelmoraAppDlg::kProfilesPage);
}

TEST_F(AppShellTest, SelectingTheCurrentKeymapLeavesPendingAsItWas)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->SelectKeymap(BUTTON_KEYMAP_1);
    EXPECT_FALSE(window->HasChangesPending());
    EXPECT_FALSE(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY)));

    window->Click(BUTTON_KEYMAP_1 + 2);
    EXPECT_TRUE(window->HasChangesPending());
    EXPECT_TRUE(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY)));
    EXPECT_EQ(m_first->GetCurrentKeymap(), m_first->GetKeymap(2));
    EXPECT_TRUE(window->IsItemChecked(BUTTON_KEYMAP_1 + 2));
    EXPECT_FALSE(window->IsItemChecked(BUTTON_KEYMAP_1));
    EXPECT_TRUE(window->HasVisibleStyle(BITMAP_KEYMAP1_LED + 2));
    EXPECT_FALSE(window->HasVisibleStyle(BITMAP_KEYMAP1_LED));

    // Selecting it again changes nothing further; an id outside the key maps is ignored.
    window->SelectKeymap(BUTTON_KEYMAP_1 + 2);
    window->SelectKeymap(BUTTON_KEYMAP_8 + 1);
    EXPECT_EQ(m_first->GetCurrentKeymap(), m_first->GetKeymap(2));
}

TEST_F(AppShellTest, DeviceEventsForTheActiveOrAnUnknownProfileChangeNothing)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    GUID id = GUID_NULL;
    window->OnActiveProfileChanged(m_first->GetGUID(&id));
    const GUID unknown = { 0x99999999, 9, 9, { 9, 9, 9, 9, 9, 9, 9, 9 } };
    window->OnActiveProfileChanged(&unknown);
    window->OnActiveKeyMapChanged(&unknown);
    EXPECT_EQ(m_store.GetActiveProfile(), m_first);
    EXPECT_EQ(m_first->GetCurrentKeymap(), m_first->GetKeymap(0));
    EXPECT_FALSE(window->HasChangesPending());

    window->OnActiveProfileChanged(m_second->GetGUID(&id));
    EXPECT_EQ(m_store.GetActiveProfile(), m_second);
    EXPECT_NE(m_second->GetCurrentKeymap(), nullptr);
    EXPECT_TRUE(window->HasChangesPending());
}

TEST_F(AppShellTest, AKeymapEventSelectsThatKeymapOfTheActiveProfile)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->OnActiveKeyMapChanged(&m_first->GetKeymap(5)->GetGUID());
    EXPECT_EQ(m_first->GetCurrentKeymap(), m_first->GetKeymap(5));
    EXPECT_TRUE(window->IsItemChecked(BUTTON_KEYMAP_1 + 5));
}

TEST_F(AppShellTest, WithoutTheKeypadTheWindowIsDisabledBeforeTheNoticeTimer)
{
    struct Case
    {
        const char* what;
        bool connected;
        bool readSucceeds;
    };
    const Case cases[] = { { "no keypad", false, true }, { "first read failed", true, false } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        m_scripted.m_connected = c.connected;
        m_scripted.m_readSucceeds = c.readSucceeds;
        auto window = OpenMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->IsWindowEnabled());
        EXPECT_EQ(window->GetStartupTimer(), CVelmoraAppDlg::kStartupTimerId);
    }
}

TEST_F(AppShellTest, WithoutAnActiveProfileTheFirstBecomesActive)
{
    m_store.SetActiveProfile(nullptr);
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(m_store.GetActiveProfile(), m_first);
    EXPECT_EQ(window->GetStartupTimer(), 0u);
}

TEST_F(AppShellTest, WarningHeading_TakesTheExtraTextOrTheMessage)
{
    struct Case
    {
        const char* what;
        int language;
        const wchar_t* extra;
        const wchar_t* message;
        const wchar_t* expectedStart;
        const wchar_t* expectedEnd;
    };
    const Case cases[] = {
        { "neither", 0, nullptr, L"", L"No Kavro Velmora keypad was found.", L"again." },
        { "extra text", 0, L": First", L"", L"No Kavro Velmora keypad", L"again.: First" },
        { "extra text in French", 3, L": First", L"", L"Aucun clavier", L"programme.: First" },
        { "message wins", 0, L": First", L"Another text", L"Another text", L"Another text" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CVelmoraAppApp::ChooseLanguage(c.language);
        CVelmoraWarningDlg popup(nullptr, L"NoMousePopup.xml", c.extra);
        popup.SetMessage(c.message);
        ASSERT_TRUE(popup.Create());
        ASSERT_NE(popup.GetHeading(), nullptr);
        const CString text = popup.GetHeading()->GetText();
        EXPECT_EQ(text.Left(static_cast<int>(wcslen(c.expectedStart))), c.expectedStart);
        EXPECT_EQ(text.Right(static_cast<int>(wcslen(c.expectedEnd))), c.expectedEnd);
    }
}

TEST_F(AppShellTest, WarningPopup_EndsWithOkOrCancelAndIgnoresOtherWindows)
{
    CVelmoraWarningDlg popup(nullptr, L"NoMousePopup.xml");
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOWNA);
    HWND ok = popup.GetItems().FindItem(BUTTON_POPUP_OK)->m_hWnd;
    popup.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDesktopWindow()));
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(BUTTON_POPUP_OK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    EXPECT_FALSE(popup.IsWindowVisible());
}

TEST_F(AppShellTest, PreviewOfNoProfileOpensAndCloses)
{
    CVelmoraPreviewPopup popup(nullptr, nullptr, &m_store);
    ASSERT_TRUE(popup.Create());
    popup.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_NE(popup.GetKeypadPicture(), nullptr);
    EXPECT_NE(popup.GetNumberStrip(), nullptr);
    CGUIItem* ok = popup.GetItems().FindItem(BUTTON_POPUP_OK);
    ASSERT_NE(ok, nullptr);
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(BUTTON_POPUP_OK, BN_CLICKED), reinterpret_cast<LPARAM>(ok->m_hWnd));
    EXPECT_FALSE(popup.IsWindowVisible());
}
}

TEST_F(AppShellTest, Apply_OutcomesOnPendingAndTheApplyButton)
{
    struct Case
    {
        const char* name;
        bool busy;
        bool accepted;
        int expectedWrites;
        bool expectedPending;
    };
    const Case cases[] = {
        { "busy: nothing happens", true, true, 0, true },
        { "refused: stays pending", false, false, 1, true },
        { "accepted: nothing pending", false, true, 1, false },
    };
    for (const Case& c : cases)
    {
        auto window = OpenMainWindow();
        ASSERT_NE(window, nullptr);
        window->MarkChanged();
        m_scripted.m_writes = 0;
        m_scripted.m_busy = c.busy;
        m_scripted.m_writeSucceeds = c.accepted;
        window->Click(BUTTON_APPLY);
        EXPECT_EQ(m_scripted.m_writes, c.expectedWrites) << c.name;
        EXPECT_EQ(window->HasChangesPending(), c.expectedPending) << c.name;
        EXPECT_EQ(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY)) != FALSE, c.expectedPending) << c.name;
        m_scripted.m_busy = false;
    }
}

TEST_F(AppShellTest, OkWhileBusyClosesWithoutANewWrite)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->MarkChanged();
    m_scripted.m_writes = 0;
    m_scripted.m_busy = true;
    window->Click(BUTTON_OK);
    EXPECT_EQ(m_scripted.m_writes, 0);
    EXPECT_FALSE(window->HasChangesPending());
    EXPECT_FALSE(window->IsWindowVisible());
}

TEST_F(AppShellTest, HelpAndWebButtonsOpenTheirPagesThroughTheOpener)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    CRecordingOpener opener;
    window->SetShellOpener(&opener);
    window->Click(BUTTON_HELP);
    window->SendMessage(WM_HELP, 0, 0);
    ASSERT_EQ(opener.m_opened.size(), 2u);
    EXPECT_EQ(opener.m_opened[0], g_exeFolder + L"Manuals\\index.html");
    window->SetShellOpener(nullptr);
}

TEST_F(AppShellTest, MacroPageStates_SwitchTheControlsAndTheStopToolTip)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    struct Case
    {
        int state;
        bool recordEnabled;
        bool insertDelayEnabled;
        bool okEnabled;
        const wchar_t* stopTip;
    };
    const Case cases[] = {
        { 0, true, false, true, L"$StopRecordingMacroEvents" },
        { 1, true, true, true, L"$StopRecordingMacroEvents" },
        { 2, false, false, false, L"$Stop" },
        { 3, false, false, false, L"$StopRecordingMacroEvents" },
    };
    for (const Case& c : cases)
    {
        window->SetMacroPageState(c.state);
        EXPECT_EQ(window->GetMacroState(), c.state);
        EXPECT_EQ(::IsWindowEnabled(window->ItemWindow(BUTTON_MACRO_RECORD)) != FALSE, c.recordEnabled) << c.state;
        EXPECT_EQ(::IsWindowEnabled(window->ItemWindow(BUTTON_INSERT_DELAY)) != FALSE, c.insertDelayEnabled) << c.state;
        EXPECT_EQ(::IsWindowEnabled(window->ItemWindow(BUTTON_OK)) != FALSE, c.okEnabled) << c.state;
        EXPECT_TRUE(::IsWindowEnabled(window->ItemWindow(BUTTON_MACRO_RECORD_STOP))) << c.state;
        EXPECT_EQ(window->GetStopToolTip(), c.stopTip) << c.state;
    }
    window->SetMacroPageState(1);
}

TEST_F(AppShellTest, AssignmentDropdownTakesAMouseFunctionThroughItsMenusAndApplyWritesIt)
{
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    CDropdownListItem* first = window->Bound<CDropdownListItem>(BUTTON_ASSNBUTTON1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetDisplayText(), L"Default key");
    EXPECT_EQ(window->Bound<CDropdownListItem>(BUTTON_ASSNBUTTON1 + 19)->GetDisplayText(), L"Pad up");
    EXPECT_EQ(window->Bound<CDropdownListItem>(BUTTON_ASSNBUTTON1 + 17)->GetDisplayText(), L"Scroll up");
    ASSERT_TRUE(WindowTest::BringToForeground(window->m_hWnd));
    WindowTest::PumpFor(200);

    CRect box;
    first->GetClientRect(&box);
    POINT centre = { (box.left + box.right) / 2, (box.top + box.bottom) / 2 };
    first->ClientToScreen(&centre);
    const DWORD thread = ::GetCurrentThreadId();
    // The program's start-up gives the list panels their dialog template.
    const UINT savedTemplate = CListPanel::GetTemplateId();
    CListPanel::SetTemplateId(IDD_VELMORA_POPUP);
    {
        ModalTest::CScript script([&] {
            // The pointer enters the box from outside, so that the box tracks it.
            WindowTest::MoveMouseTo(POINT{ centre.x, centre.y - 30 });
            ::Sleep(80);
            WindowTest::MoveMouseTo(centre);
            ::Sleep(80);
            WindowTest::MoveMouseTo(POINT{ centre.x + 1, centre.y });
            ::Sleep(80);
            ModalTest::ClickScreen(centre);
            ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 1), 3);
            ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 2), 0);
            ModalTest::ClickRow(ModalTest::WaitForPanels(thread, 3), 0);
            ModalTest::WaitForNoPanel(thread);
        });
        script.Finish();
    }
    CListPanel::SetTemplateId(savedTemplate);
    EXPECT_EQ(first->GetDisplayText(), L"Click");
    WindowTest::PumpFor(200);
    EXPECT_TRUE(WindowTest::SaveScreenshot(GetModuleFolder() + L"app-assignment-page.bmp"));
    EXPECT_TRUE(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY)));
    CAssignment stored;
    m_store.GetKeyAssignment(&stored, g_defaultButtonKeys.at(tKeypadButton(1)));
    EXPECT_EQ(stored.kind, kAssignClick);
    m_store.GetKeyAssignment(&stored, g_defaultButtonKeys.at(tKeypadButton(1)), nullptr, m_first->GetKeymap(1));
    EXPECT_EQ(stored.kind, kAssignDefaultKey);

    m_scripted.m_writes = 0;
    window->Click(BUTTON_APPLY);
    EXPECT_EQ(m_scripted.m_writes, 1);
    EXPECT_FALSE(window->HasChangesPending());
}

TEST_F(AppShellTest, LightingPage_RealInputDragsTheBrightnessToBothEndsAndPicksAColourIntoTheStore)
{
    const tLEDType led = static_cast<tLEDType>(4);
    m_store.SetLedBrightness(led, 50, nullptr);
    m_store.SetLedColour(led, kPaletteColors[0], nullptr);
    auto window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    window->Click(BUTTON_LIGHTINGMAINTENANCE);
    ASSERT_TRUE(WindowTest::BringToForeground(window->m_hWnd));
    WindowTest::PumpFor(200);
    CSliderHMulti* slider = window->Bound<CSliderHMulti>(SLIDER_LED_BRIGHTNESS);
    CDropdownColorButton* button = window->Bound<CDropdownColorButton>(kUnnamedColorButtonId);
    ASSERT_TRUE(slider && slider->GetSlider(0) && button);
    CPHSlider& thumb = *slider->GetSlider(0);
    EXPECT_EQ(thumb.GetValue(), 50) << "the page shows the stored brightness";
    EXPECT_EQ(button->GetColor(), kPaletteColors[0]) << "and the stored colour";
    EXPECT_TRUE(::IsWindowVisible(thumb.m_hWnd));

    const struct
    {
        int dx;
        unsigned int stored;
    } drags[] = { { 500, 100 }, { -500, 10 }, { 120, 0 } };
    for (const auto& drag : drags)
    {
        POINT from = { 5, 10 };
        thumb.ClientToScreen(&from);
        ASSERT_TRUE(WindowTest::MoveMouseTo(from));
        WindowTest::PumpFor(50);
        WindowTest::PressLeftButton();
        WindowTest::PumpFor(50);
        // The cursor stops at the screen's edge; the thumb at its track's end.
        WindowTest::MoveMouseTo(CPoint(from.x + drag.dx, from.y));
        WindowTest::PumpFor(100);
        WindowTest::ReleaseLeftButton();
        WindowTest::PumpUntil([&] { return !thumb.IsDragging(); });
        WindowTest::PumpFor(100);
        if (drag.stored)
        {
            EXPECT_EQ(m_store.GetLedBrightness(led, nullptr), drag.stored) << drag.dx;
        }
    }
    const unsigned int middle = m_store.GetLedBrightness(led, nullptr);
    EXPECT_GT(middle, 10u) << "a drag inside the track stores the value dragged to";
    EXPECT_LT(middle, 100u);
    EXPECT_EQ(thumb.GetValue(), static_cast<int>(middle));
    EXPECT_TRUE(::IsWindowEnabled(window->ItemWindow(BUTTON_APPLY))) << "a change is pending";

    ASSERT_TRUE(WindowTest::ClickAt(button->m_hWnd, CPoint(30, 12)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return button->IsPaletteOpen(); }));
    WindowTest::PumpFor(200);
    EXPECT_TRUE(WindowTest::SaveScreenshot(GetModuleFolder() + L"app-lighting-page.bmp"));
    CFOPopupColorPaletteWnd* palette = button->GetPalette();
    const CRect cell = palette->GetControl()->GetCell(20).GetRect();
    POINT centre = { (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2 };
    ::ClientToScreen(palette->m_hWnd, &centre);
    ASSERT_TRUE(WindowTest::MoveMouseTo(centre));
    WindowTest::PumpFor(50);
    WindowTest::PressLeftButton();
    WindowTest::PumpFor(50);
    WindowTest::ReleaseLeftButton();
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !button->IsPaletteOpen(); }));
    WindowTest::PumpFor(100);
    EXPECT_EQ(m_store.GetLedColour(led, nullptr), kPaletteColors[20]);
    EXPECT_EQ(button->GetColor(), kPaletteColors[20]);
}
