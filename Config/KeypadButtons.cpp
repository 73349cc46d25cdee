#include "KeypadButtons.h"

const tKeypadButton g_allKeypadButtons[27] = {
    tKeypadButton(1), tKeypadButton(2), tKeypadButton(3), tKeypadButton(4), tKeypadButton(5),
    tKeypadButton(6), tKeypadButton(7), tKeypadButton(8), tKeypadButton(9), tKeypadButton(10),
    tKeypadButton(11), tKeypadButton(12), tKeypadButton(13), tKeypadButton(14), tKeypadButton(15),
    tKeypadButton(16), tKeypadButton(17), tKeypadButton(18), tKeypadButton(19), tKeypadButton(20),
    tKeypadButton(21), tKeypadButton(22), tKeypadButton(23), tKeypadButton(24), tKeypadButton(25),
    tKeypadButton(26), tKeypadButton(27),
};

const wchar_t* DefaultKeyNameOfButton(int button)
{
    static const wchar_t* const kNames[28] = {
        nullptr,
        L"Tab", L"q Q", L"w W", L"e E", L"r R", L"Caps Lock", L"a A", L"s S", L"d D", L"f F",
        L"Left Shift", L"z Z", L"x X", L"c C", L"Space", L"Left Alt",
        nullptr, nullptr, nullptr,
        L"Up Arrow (Note 1)", L"Down Arrow (Note 1)", L"Left Arrow (Note 1)", L"Right Arrow (Note 1)",
        L"Home (Note 1)", L"Page Up (Note 1)", L"End (Note 1)", L"Page Down (Note 1)",
    };
    if (button < kButtonFirst || button > kButtonLast)
        return nullptr;
    return kNames[button];
}

CAssignment DefaultButtonAssignment(int button)
{
    CAssignment assignment;
    switch (button) {
    case kButtonWheelClick: assignment.kind = kAssignUniversalScrolling; break;
    case kButtonWheelUp: assignment.kind = kAssignScrollUp; break;
    case kButtonWheelDown: assignment.kind = kAssignScrollDown; break;
    default: assignment.kind = kAssignDefaultKey; break;
    }
    return assignment;
}
