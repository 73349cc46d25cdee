// Classes in this file:
//   CMWMacroEvent - one converted macro event in the device service's form.
//   CMWMacro      - a converted macro: its GUID, name and events.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct CMWMacroEvent
{
    // 0 marks an event that failed to convert; it is left out when the macro is written.
    static constexpr uint32_t kFailed = 0;
    static constexpr uint32_t kMouseButton = 1;
    static constexpr uint32_t kKey = 2;
    static constexpr uint32_t kDelay = 3;

    uint32_t type = kFailed;
    uint32_t value = 0;

    bool IsWritten() const { return type == kMouseButton || type == kKey || type == kDelay; }
};

class CMWMacro
{
public:
    static constexpr size_t kMaxEvents = 1000;

    // Data members
    GUID m_guid = GUID_NULL;
    CString m_name;
    std::vector<CMWMacroEvent> m_events;

    // True when at least one event converted; a macro without one is not written.
    bool HasWrittenEvents() const;
};
