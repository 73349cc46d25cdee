// The keypad's buttons and what each does until the user assigns it.
#pragma once

#include "CAssignment.h"

// Every button, 1 to 27 in ascending order.
extern const tKeypadButton g_allKeypadButtons[27];

// The key definition name of the key a button sends by default; null for the scroll-wheel
// buttons and for values that are no button.
const wchar_t* DefaultKeyNameOfButton(int button);

// Wheel click, up and down scroll; every other button its default key (kind 0).
CAssignment DefaultButtonAssignment(int button);
