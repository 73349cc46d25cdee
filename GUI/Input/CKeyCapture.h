// Classes in this file:
//   CKeyCapture - the capture of a key combination (modifiers and one key) from a stream of
//                 make and break reports, as the key-capture edit field runs it.
//
// States: 0 idle, 1 modifiers held, 2 key held, 6 combination complete (3 and 5 are the
// passing states of a release that completes a combination). Step() answers whether the
// report changed the shown key, which the edit then shows and reports to its parent.
#pragma once

#include "CString.h"

#include <cstdint>
#include <functional>

class CKeyCapture
{
public:
    // Modifier bits of the mask; bit 1 is the captured key's extended flag.
    static constexpr uint8_t kExtended = 1;
    static constexpr uint8_t kAlt = 2;
    static constexpr uint8_t kCtrl = 4;
    static constexpr uint8_t kShift = 8;

    // One keyboard report: its make code, virtual key, break flag, extended flag and the
    // name Windows gives the key.
    struct Report
    {
        uint16_t scanCode = 0;
        uint16_t virtualKey = 0;
        bool isBreak = false;
        bool extended = false;
        CString name;
    };

    // The clock gives milliseconds; the one-second pause of the complete state is measured
    // on it.
    using Clock = std::function<uint64_t()>;

private:
    // Data members
    Clock m_clock;
    int m_state = 0;
    bool m_stamped = false;
    uint64_t m_stamp = 0;
    uint16_t m_scanCode = 0;
    uint16_t m_virtualKey = 0;
    CString m_keyName;
    uint8_t m_mask = 0;

public:
    explicit CKeyCapture(Clock clock = nullptr);

    // Attributes
    int GetState() const { return m_state; }
    uint16_t GetScanCode() const { return m_scanCode; }
    uint16_t GetVirtualKey() const { return m_virtualKey; }
    const CString& GetKeyName() const { return m_keyName; }
    uint8_t GetModifierMask() const { return m_mask; }
    // The mask bit of a modifier's make code (29 Ctrl, 42 and 54 Shift, 56 Alt), else 0.
    static uint8_t ModifierBit(uint16_t scanCode);

    // Operations
    // Runs one capture step; true when the shown key changed and the parent is to be told.
    bool Step(const Report& report);

private:
    int NextState(const Report& report, uint8_t modifier);
    uint64_t Now() const;
};
