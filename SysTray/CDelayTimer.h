// Classes in this file:
//   CDelayTimer - the on-the-fly recorder's state: whether it records, the events recorded
//                 so far and its own raw-input registration.
//                 The tray never starts a recording; it only clears the recorder when the
//                 session locks, the keypad goes or the program ends. One instance.
#pragma once

#include "CRawInputDevices.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CDelayTimer
{
public:
    struct RecordedEvent
    {
        uint32_t type;
        uint32_t value;
    };

private:
    // Data members
    bool m_recording = false;
    std::vector<RecordedEvent> m_events;
    CRawInputDevices m_rawInput;

public:
    // Attributes
    static CDelayTimer& Instance();
    bool IsRecording() const { return m_recording; }
    const std::vector<RecordedEvent>& GetEvents() const { return m_events; }

    // Operations
    // Ends the raw-input registration and forgets the recording.
    void Clear();
};
