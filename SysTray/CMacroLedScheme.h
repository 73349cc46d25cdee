// Classes in this file:
//   CMacroLedScheme - the three states of the keypad's recording LED (LED 7): recording,
//                     recorded and waiting for a key, off. One instance for the program.
#pragma once

#include "CLed.h"

#include <vector>

class CMacroLedScheme
{
    // Data members
    std::vector<CLed> m_states;

public:
    enum State
    {
        kRecording = 0,
        kWaitingForKey = 1,
        kOff = 2,
    };

    CMacroLedScheme();

    // Attributes
    static const CMacroLedScheme& Instance();
    const CLed& Get(State state) const { return m_states.at(static_cast<size_t>(state)); }
};
