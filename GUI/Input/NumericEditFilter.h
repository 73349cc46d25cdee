// The rules of the number-only edit field: which keys pass, and whether a typed digit keeps
// the field's value inside its range.
#pragma once

#include "CString.h"

#include <cstdint>

// Key-down messages that pass in numbers-only mode: Backspace, Left, Right, Delete and the
// digits of the main keyboard and the numeric keypad. Every other key-down is swallowed.
bool IsNumericEditKeyAllowed(UINT virtualKey);

// True when typing the digit into the text (replacing the selection from selStart to
// selEnd, or inserting at the caret when they are equal) leaves a number within
// minimum..maximum and has no leading zero. The value is computed from the text as it will be after the edit, in 64
// bits, and refused as soon as it passes the maximum, so no length of digits can wrap.
bool IsNumericEditDigitAllowed(const CString& text, int selStart, int selEnd, wchar_t digit, uint32_t minimum,
    uint32_t maximum);
