#include "NumericEditFilter.h"

bool IsNumericEditKeyAllowed(UINT virtualKey)
{
    switch (virtualKey)
    {
    case VK_BACK:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_DELETE:
        return true;
    default:
        return (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9);
    }
}

bool IsNumericEditDigitAllowed(const CString& text, int selStart, int selEnd, wchar_t digit, uint32_t minimum,
    uint32_t maximum)
{
    if (digit < L'0' || digit > L'9')
        return false;
    const int length = text.GetLength();
    if (selStart > selEnd)
    {
        const int swap = selStart;
        selStart = selEnd;
        selEnd = swap;
    }
    selStart = selStart < 0 ? 0 : (selStart > length ? length : selStart);
    selEnd = selEnd < selStart ? selStart : (selEnd > length ? length : selEnd);
    const CString after = text.Left(selStart) + digit + text.Mid(selEnd);
    // No leading zero gets in, wherever the caret is: "0" alone is a number, "05" is not.
    if (after.GetLength() > 1 && after[0] == L'0')
        return false;

    uint64_t value = 0;
    for (int i = 0; i < after.GetLength(); ++i)
    {
        const wchar_t ch = after[i];
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + static_cast<uint64_t>(ch - L'0');
        if (value > maximum)
            return false;
    }
    return value >= minimum;
}
