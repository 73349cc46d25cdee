// The skinned edit field as the message loops and the raw keyboard reach it.
#include "CEditItem.h"
#include "CEditItemSingleKeyInputMMO.h"

#include <gtest/gtest.h>

namespace
{
class EditItemTest : public testing::Test
{
protected:
    CWnd m_owner;
    CEditItem m_edit;

    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, L"Owner", WS_POPUP, CRect(0, 0, 200, 100), nullptr, nullptr));
        ASSERT_TRUE(m_edit.Create(&m_owner, CRect(10, 10, 110, 30), 0, 1, 1, nullptr));
    }
    void TearDown() override { m_owner.DestroyWindow(); }

    // What the program's loops do first with a message of the field.
    bool SwallowedBeforeDispatch(UINT message, WPARAM wParam)
    {
        MSG msg = {};
        msg.hwnd = m_edit.m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        return CWnd::WalkPreTranslateTree(m_owner.m_hWnd, &msg);
    }
};
}

TEST_F(EditItemTest, ANumberFieldSwallowsRefusedKeysBeforeDispatch)
{
    m_edit.SetNumbersOnly(true, 1, 100);
    struct Case { UINT message; WPARAM wParam; bool swallowed; const char* what; };
    const Case cases[] = {
        { WM_KEYDOWN, VK_RETURN, true, "Enter never reaches the dialog" },
        { WM_KEYDOWN, VK_ESCAPE, true, "nor does Escape" },
        { WM_KEYDOWN, VK_TAB, true, "Tab" },
        { WM_KEYDOWN, '5', false, "a digit key" },
        { WM_KEYDOWN, VK_BACK, false, "Backspace" },
        { WM_CHAR, L'0', true, "0 in an empty field is below the minimum" },
        { WM_CHAR, L'7', false, "a digit in range" },
        { WM_CHAR, L'x', true, "a letter" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SwallowedBeforeDispatch(c.message, c.wParam), c.swallowed) << c.what;
}

TEST_F(EditItemTest, ATextFieldLetsEveryKeyThrough)
{
    for (WPARAM key : { WPARAM(VK_RETURN), WPARAM(VK_ESCAPE), WPARAM('A') })
        EXPECT_FALSE(SwallowedBeforeDispatch(WM_KEYDOWN, key)) << key;
}

namespace
{
// The capture field with its raw-input handler reachable, so a test hands it reports.
class CTestCapture : public CEditItemSingleKeyInputMMO
{
public:
    using CEditItemSingleKeyInputMMO::OnRawKeyboard;
};

RAWKEYBOARD Report(USHORT makeCode, USHORT flags, USHORT virtualKey)
{
    RAWKEYBOARD report = {};
    report.MakeCode = makeCode;
    report.Flags = flags;
    report.VKey = virtualKey;
    return report;
}
}

TEST(CEditItemSingleKeyInputMMO, IgnoresAReportTheTranslatorRefuses)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Owner", WS_POPUP, CRect(0, 0, 200, 100), nullptr, nullptr));
    CTestCapture capture;
    ASSERT_TRUE(capture.Create(&owner, CRect(10, 10, 110, 30), 0, 1, 1, nullptr));
    // The fake Shift that comes with an E0 key: scan code 2A, E0, no virtual key.
    capture.OnRawKeyboard(Report(0x2A, RI_KEY_E0, 255));
    EXPECT_EQ(capture.GetCaptureState(), 0);
    EXPECT_EQ(capture.GetModifierMask(), 0);
    EXPECT_TRUE(capture.GetWindowText().IsEmpty());
    // A real Shift still counts.
    capture.OnRawKeyboard(Report(0x2A, RI_KEY_MAKE, VK_SHIFT));
    EXPECT_EQ(capture.GetModifierMask(), 8);
    owner.DestroyWindow();
}
