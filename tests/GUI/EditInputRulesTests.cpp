#include "CKeyCapture.h"
#include "NumericEditFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NumericEditFilter, KeysThatPass)
{
    const UINT allowed[] = { VK_BACK, VK_LEFT, VK_RIGHT, VK_DELETE, '0', '9', VK_NUMPAD0, VK_NUMPAD9 };
    const UINT refused[] = { VK_TAB, VK_HOME, VK_END, 'A', 'C', 'V', VK_SUBTRACT, VK_OEM_MINUS, VK_RETURN, VK_UP };
    for (UINT key : allowed)
        EXPECT_TRUE(IsNumericEditKeyAllowed(key)) << key;
    for (UINT key : refused)
        EXPECT_FALSE(IsNumericEditKeyAllowed(key)) << key;
}

TEST(NumericEditFilter, DigitsAreJudgedByTheTextAfterTheEdit)
{
    struct Case
    {
        const wchar_t* text;
        int selStart;
        int selEnd;
        wchar_t ch;
        uint32_t minimum;
        uint32_t maximum;
        bool allowed;
        const char* why;
    } cases[] = {
        { L"", 0, 0, L'1', 1, 100, true, "first digit" },
        { L"10", 2, 2, L'0', 1, 100, true, "100 is the maximum" },
        { L"100", 3, 3, L'0', 1, 100, false, "1000 is above the maximum" },
        { L"", 0, 0, L'0', 1, 100, false, "0 is below the minimum" },
        { L"12", 0, 0, L'9', 1, 100, false, "inserted at the caret: 912" },
        { L"12", 1, 1, L'0', 1, 200, true, "inserted in the middle: 102" },
        { L"99", 0, 2, L'5', 1, 100, true, "replaces the selection: 5" },
        { L"99", 2, 0, L'5', 1, 100, true, "a backwards selection too" },
        { L"", 0, 0, L'a', 0, 100, false, "a letter" },
        { L"", 0, 0, L'-', 0, 100, false, "the minus sign" },
        { L"429496729", 9, 9, L'5', 0, 0xFFFFFFFFu, true, "4294967295 fits 32 bits" },
        { L"429496729", 9, 9, L'6', 0, 0xFFFFFFFFu, false, "4294967296 does not" },
        { L"99999999999999999999", 20, 20, L'9', 0, 0xFFFFFFFFu, false, "no length wraps around" },
        { L"", 0, 0, L'0', 0, 100, true, "0 alone within the range" },
        { L"5", 0, 0, L'0', 0, 100, false, "a zero before the number" },
        { L"0", 1, 1, L'5', 0, 100, false, "a digit after a lone zero" },
        { L"25", 0, 1, L'0', 0, 100, false, "a zero replacing the first digit" },
        { L"25", 1, 1, L'0', 0, 300, true, "a zero inside the number: 205" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNumericEditDigitAllowed(c.text, c.selStart, c.selEnd, c.ch, c.minimum, c.maximum), c.allowed)
            << c.why;
}

namespace
{
const uint16_t kCtrl = 29;
const uint16_t kShift = 42;
const uint16_t kKeyA = 30;
const uint16_t kKeyB = 48;

struct Step
{
    uint16_t scan;
    bool isBreak;
    uint64_t atMs;
    bool notified;
    int state;
    uint8_t mask;
    const char* what;
};

CKeyCapture::Report MakeReport(uint16_t scan, bool isBreak)
{
    CKeyCapture::Report report;
    report.scanCode = scan;
    report.virtualKey = scan == kKeyA ? 'A' : scan == kKeyB ? 'B' : 0;
    report.isBreak = isBreak;
    report.name = scan == kKeyA ? L"A" : scan == kKeyB ? L"B" : L"mod";
    return report;
}

void RunSteps(const char* name, const std::vector<Step>& steps)
{
    uint64_t now = 0;
    CKeyCapture capture([&] { return now; });
    for (const Step& step : steps)
    {
        now = step.atMs;
        const bool notified = capture.Step(MakeReport(step.scan, step.isBreak));
        EXPECT_EQ(notified, step.notified) << name << ": " << step.what;
        EXPECT_EQ(capture.GetState(), step.state) << name << ": " << step.what;
        EXPECT_EQ(capture.GetModifierMask(), step.mask) << name << ": " << step.what;
    }
}
}

TEST(CKeyCapture, CtrlAndAComplete)
{
    RunSteps("Ctrl+A", {
        { kCtrl, false, 0, true, 1, CKeyCapture::kCtrl, "Ctrl down" },
        { kKeyA, false, 10, true, 2, CKeyCapture::kCtrl, "A down captures A" },
        { kKeyA, true, 20, true, 6, CKeyCapture::kCtrl, "A up completes Ctrl+A" },
        { kCtrl, true, 30, false, 6, 0, "Ctrl up clears Ctrl without a notification" },
    });
}

TEST(CKeyCapture, ShiftAloneIsACombination)
{
    RunSteps("Shift", {
        { kShift, false, 0, true, 1, CKeyCapture::kShift, "Shift down" },
        { kShift, true, 10, true, 6, 0, "Shift up completes Shift alone, then clears the bit" },
    });
}

TEST(CKeyCapture, CompleteStateIgnoresKeysForOneSecondFromItsStamp)
{
    // The stamp is set by the first step ever (0 ms) and by each step that stays in
    // state 6, not by entering it.
    RunSteps("pause", {
        { kKeyA, false, 0, true, 2, 0, "A down" },
        { kKeyA, true, 100, true, 6, 0, "A up completes A" },
        { kKeyB, false, 900, false, 6, 0, "B within a second of the stamp is ignored and stamps 900" },
        { kKeyB, true, 1500, false, 6, 0, "B up 600 ms after the new stamp is ignored too" },
        { kKeyB, false, 2600, true, 2, 0, "after the pause B starts afresh" },
    });
}

TEST(CKeyCapture, AfterThePauseTheCapturedKeyIsCleared)
{
    uint64_t now = 0;
    CKeyCapture capture([&] { return now; });
    capture.Step(MakeReport(kKeyA, false));
    capture.Step(MakeReport(kKeyA, true));
    EXPECT_EQ(capture.GetKeyName(), L"A");
    EXPECT_EQ(capture.GetScanCode(), kKeyA);
    now = 5000;
    EXPECT_FALSE(capture.Step(MakeReport(kKeyA, true)));
    EXPECT_EQ(capture.GetState(), 0);
    EXPECT_EQ(capture.GetScanCode(), 0);
    EXPECT_TRUE(capture.GetKeyName().IsEmpty());
}

TEST(CKeyCapture, ModifierHeldInCompleteStateStartsTheNextKeyAtOnce)
{
    RunSteps("Ctrl+A, Ctrl+B", {
        { kCtrl, false, 0, true, 1, CKeyCapture::kCtrl, "Ctrl down" },
        { kKeyA, false, 10, true, 2, CKeyCapture::kCtrl, "A down" },
        { kKeyA, true, 20, true, 6, CKeyCapture::kCtrl, "A up" },
        { kKeyB, false, 30, true, 2, CKeyCapture::kCtrl, "B while Ctrl is held" },
        { kKeyB, true, 40, true, 6, CKeyCapture::kCtrl, "B up" },
    });
}

TEST(CKeyCapture, ExtendedKeyAddsBitOne)
{
    CKeyCapture capture([] { return 0; });
    CKeyCapture::Report right = MakeReport(77, false);
    right.extended = true;
    EXPECT_TRUE(capture.Step(right));
    EXPECT_EQ(capture.GetModifierMask(), CKeyCapture::kExtended);
}
