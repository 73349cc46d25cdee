#include "CDropdownColorButton.h"
#include "GUIMessages.h"
#include "ListDrawing.h"
#include "ModalDriver.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using ModalTest::CRecordingParent;

namespace
{
constexpr UINT kButtonId = 1000;

// A colour dialog that answers at once.
class CAnsweringChooser : public IColorChooser
{
public:
    bool m_confirm = true;
    COLORREF m_answer = RGB(1, 2, 3);
    int m_calls = 0;
    COLORREF m_initial = 0;
    DWORD m_flags = 0;

    bool ChooseColor(HWND, COLORREF initial, DWORD flags, COLORREF& chosen) override
    {
        ++m_calls;
        m_initial = initial;
        m_flags = flags;
        if (!m_confirm)
            return false;
        chosen = m_answer;
        return true;
    }
};

class ColorButtonTest : public testing::Test
{
protected:
    CRecordingParent m_parent;
    CDropdownColorButton m_button;
    CAnsweringChooser m_chooser;
    const COLORREF m_start = kPaletteColors[10];

    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(CRect(100, 100, 600, 500)));
        m_button.SetColourSet({ { LISTCLR_FONT, RGB(255, 255, 255) }, { LISTCLR_BORDER, RGB(120, 120, 120) } });
        ASSERT_TRUE(m_button.CreateButton(CRect(20, 20, 120, 42), &m_parent, kButtonId));
        m_button.SetColorChooser(&m_chooser);
        m_button.SetColor(m_start);
        ASSERT_TRUE(WindowTest::BringToForeground(m_parent.m_hWnd));
        WindowTest::MoveMouseTo(CPoint(900, 900));
        WindowTest::PumpFor(50);
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    void OpenByClick()
    {
        HWND before = m_button.GetPalette() ? m_button.GetPalette()->m_hWnd : nullptr;
        ASSERT_TRUE(WindowTest::ClickAt(m_button.m_hWnd, CPoint(40, 11)));
        ASSERT_TRUE(WindowTest::PumpUntil([&] {
            return m_button.IsPaletteOpen() && m_button.GetPalette()->m_hWnd != before &&
                ::GetFocus() == m_button.GetPalette()->m_hWnd;
        }));
    }
    POINT ScreenPoint(const CRect& rect) const
    {
        POINT point = { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
        ::ClientToScreen(m_button.GetPalette()->m_hWnd, &point);
        return point;
    }
    void ClickCell(int cell)
    {
        ModalTest::ClickScreen(ScreenPoint(m_button.GetPalette()->GetControl()->GetCell(cell).GetRect()));
    }
    void Keys(std::initializer_list<WORD> keys)
    {
        for (WORD key : keys)
        {
            WindowTest::TapKey(key);
            WindowTest::PumpFor(40);
        }
    }
    void WaitClosed()
    {
        ASSERT_TRUE(WindowTest::PumpUntil([&] { return !m_button.IsPaletteOpen(); }));
        // Whatever else the palette might still send arrives now.
        WindowTest::PumpFor(200);
    }
    int ValueChanges() const { return m_parent.CountOf(WM_GUI_ITEM_VALUE_CHANGED); }
    int Count(UINT message, LPARAM code) const
    {
        int count = 0;
        for (const CRecordingParent::Record& record : m_parent.m_records)
            count += record.message == message && record.lParam == code;
        return count;
    }
    const CRecordingParent::Record& LastValueChange() const
    {
        for (auto record = m_parent.m_records.rbegin(); record != m_parent.m_records.rend(); ++record)
            if (record->message == WM_GUI_ITEM_VALUE_CHANGED)
                return *record;
        static const CRecordingParent::Record none = {};
        return none;
    }
};
}

TEST_F(ColorButtonTest, APickReportsItsColourOnceAndPickingTheCurrentColourNothing)
{
    OpenByClick();
    HWND palette = m_button.GetPalette()->m_hWnd;
    ClickCell(20);
    WaitClosed();
    ASSERT_EQ(ValueChanges(), 1);
    EXPECT_EQ(LastValueChange().wParam, kPaletteColors[20]);
    EXPECT_EQ(LastValueChange().lParam, static_cast<LPARAM>(kButtonId));
    EXPECT_EQ(m_button.GetColor(), kPaletteColors[20]);
    EXPECT_EQ(Count(WM_PALETTE_COLOR_PICKED, 0), 1) << "hiding after the pick reports no second pick";
    EXPECT_FALSE(::IsWindow(palette)) << "the palette is gone";

    OpenByClick();
    ClickCell(20);
    WaitClosed();
    EXPECT_EQ(ValueChanges(), 1) << "the colour already current";
    EXPECT_EQ(Count(WM_PALETTE_COLOR_PICKED, 0), 2);
}

TEST_F(ColorButtonTest, ArrowsPreviewAndEnterReportsTheFinalColourOnce)
{
    OpenByClick();
    Keys({ VK_RIGHT, VK_RIGHT, VK_DOWN });
    EXPECT_EQ(m_button.GetColor(), kPaletteColors[20]) << "the box previews the colour";
    EXPECT_EQ(ValueChanges(), 0) << "a preview is no pick";
    EXPECT_EQ(Count(WM_PALETTE_COLOR_PICKED, 100), 3);
    EXPECT_TRUE(m_button.IsPaletteOpen()) << "arrows keep the palette open";
    Keys({ VK_RETURN });
    WaitClosed();
    ASSERT_EQ(ValueChanges(), 1) << "compared with the colour last reported, not the preview";
    EXPECT_EQ(LastValueChange().wParam, kPaletteColors[20]);
    EXPECT_EQ(m_button.GetColor(), kPaletteColors[20]);
}

TEST_F(ColorButtonTest, EscapeAfterArrowsPutsTheColourBackAndReportsNothing)
{
    OpenByClick();
    Keys({ VK_RIGHT, VK_RIGHT });
    ASSERT_EQ(m_button.GetColor(), kPaletteColors[12]);
    Keys({ VK_ESCAPE });
    WaitClosed();
    EXPECT_EQ(m_button.GetColor(), m_start);
    EXPECT_EQ(ValueChanges(), 0);
    EXPECT_EQ(m_parent.CountOf(WM_PALETTE_CANCELLED), 1);
    EXPECT_EQ(Count(WM_PALETTE_COLOR_PICKED, 0), 0) << "no pick after the cancel";
    EXPECT_FALSE(m_button.IsPaletteRequested());
}

TEST_F(ColorButtonTest, TheCustomDialogsColourIsAFinalPick)
{
    m_chooser.m_answer = RGB(10, 20, 30);
    OpenByClick();
    ModalTest::ClickScreen(ScreenPoint(m_button.GetPalette()->GetControl()->GetCustomRect()));
    WaitClosed();
    EXPECT_EQ(m_chooser.m_calls, 1);
    EXPECT_EQ(m_chooser.m_initial, m_start);
    EXPECT_EQ(m_chooser.m_flags & (CC_FULLOPEN | CC_ANYCOLOR), static_cast<DWORD>(CC_FULLOPEN | CC_ANYCOLOR));
    ASSERT_EQ(ValueChanges(), 1);
    EXPECT_EQ(LastValueChange().wParam, RGB(10, 20, 30));
    EXPECT_EQ(m_button.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(Count(WM_PALETTE_COLOR_PICKED, 0), 1) << "neither the hiding nor the dialog picks again";
}

TEST_F(ColorButtonTest, ACancelledCustomDialogPutsTheColourBack)
{
    m_chooser.m_confirm = false;
    OpenByClick();
    // An arrow preview first, then Tab asks for the dialog.
    Keys({ VK_RIGHT, VK_TAB });
    WaitClosed();
    EXPECT_EQ(m_chooser.m_calls, 1);
    EXPECT_EQ(m_chooser.m_initial, kPaletteColors[11]) << "the dialog starts at the colour shown";
    EXPECT_EQ(m_button.GetColor(), m_start);
    EXPECT_EQ(ValueChanges(), 0);
    EXPECT_EQ(m_parent.CountOf(WM_PALETTE_CANCELLED), 1);
}

TEST_F(ColorButtonTest, AButtonThatIsNotEnabledOpensNoPalette)
{
    m_button.SetEnabled(false);
    ASSERT_TRUE(WindowTest::ClickAt(m_button.m_hWnd, CPoint(40, 11)));
    WindowTest::PumpFor(150);
    EXPECT_FALSE(m_button.IsPaletteOpen());
    EXPECT_EQ(m_button.GetPalette(), nullptr);
}

TEST_F(ColorButtonTest, TheBoxShowsTheColourBesideItsArrowStrip)
{
    m_button.SetColor(RGB(200, 30, 40));
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(m_button.m_hWnd, CPoint(30, 11)), RGB(200, 30, 40));
    EXPECT_EQ(WindowTest::ScreenPixel(m_button.m_hWnd, CPoint(0, 11)), RGB(120, 120, 120)) << "the border";
    EXPECT_EQ(WindowTest::ScreenPixel(m_button.m_hWnd, CPoint(82, 11)), RGB(255, 255, 255)) << "the strip's separator";
    m_button.m_disabled = true;
    m_button.Invalidate(false);
    WindowTest::PumpFor(100);
    EXPECT_EQ(WindowTest::ScreenPixel(m_button.m_hWnd, CPoint(30, 11)), m_button.GetSlotColour(LISTCLR_BACK_DISABLED));
}

TEST_F(ColorButtonTest, ASecondClickWhileThePaletteIsOpenReplacesIt)
{
    OpenByClick();
    HWND firstWindow = m_button.GetPalette()->m_hWnd;
    // The old palette previews a colour, which it picks as the click takes its activation.
    Keys({ VK_RIGHT });
    ASSERT_EQ(m_button.GetColor(), kPaletteColors[11]);
    OpenByClick();
    EXPECT_FALSE(::IsWindow(firstWindow)) << "the old palette is gone";
    // Whatever the old palette might still send arrives now and must leave the new one open.
    WindowTest::PumpFor(300);
    ASSERT_TRUE(m_button.IsPaletteOpen()) << "no late pick of the old palette closes the new one";
    EXPECT_TRUE(::IsWindowVisible(m_button.GetPalette()->m_hWnd));
    ASSERT_EQ(ValueChanges(), 1) << "the old palette's pick on losing the activation, once";
    EXPECT_EQ(LastValueChange().wParam, kPaletteColors[11]);
    ClickCell(30);
    WaitClosed();
    EXPECT_EQ(m_button.GetColor(), kPaletteColors[30]);
    ASSERT_EQ(ValueChanges(), 2);
    EXPECT_EQ(LastValueChange().wParam, kPaletteColors[30]);
}
