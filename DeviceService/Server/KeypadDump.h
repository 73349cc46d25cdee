// The keypad's whole memory as text, for the control tool and for people reading a test
// run's output.
#pragma once

#include "KeypadRecords.h"

#include <string>

std::wstring DumpKeypad(const SimKeypad& keypad);
