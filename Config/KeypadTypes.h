// The enumerations of the keypad's configuration model.
#pragma once

// What a key or button does. Each value indexes the key-function name table; the values
// named here are the ones the model itself treats specially.
enum tAssignmentKind : int
{
    kAssignDefaultKey = 0,
    kAssignClick = 1,
    kAssignMenu = 2,
    kAssignUniversalScrolling = 3,
    kAssignDoubleClick = 4,
    kAssignSingleKey = 5,
    kAssignMacro = 6,
    kAssignMacroByName = 7,
    kAssignButtonOff = 8,
    kAssignProfile = 21,
    kAssignProfileByName = 22,
    // Kinds 30 to 35 are the keymap functions; 30 and 34 refer to a keymap by GUID, 31 and
    // 35 are their by-name partners.
    kAssignKeymap30 = 30,
    kAssignKeymap31 = 31,
    kAssignKeymap32 = 32,
    kAssignKeymap34 = 34,
    kAssignKeymap35 = 35,
    kAssignBackward = 46,
    kAssignForward = 47,
    kAssignScrollUp = 54,
    kAssignScrollDown = 55,
    kAssignLaunchProgram = 75,
    kAssignLaunchProgramByName = 76,
    kAssignLed = 77,
    kAssignJoystick = 78,
    kAssignJoystickValue = 79,
    kAssignmentKindCount = 80
};

// The keypad's buttons, 1 to 27; 17, 18 and 19 are the scroll wheel.
enum tKeypadButton : int
{
    kButtonFirst = 1,
    kButtonWheelClick = 17,
    kButtonWheelUp = 18,
    kButtonWheelDown = 19,
    kButtonLast = 27
};

enum tLEDType : int
{
};

enum tLEDEffect : int
{
};
