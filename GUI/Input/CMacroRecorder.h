// Classes in this file:
//   CMacroRecorder - the rules of recording a macro from decoded raw input: which keyboard
//                    and mouse reports become events, the keys held down (so that
//                    auto-repeat records nothing), and the delay recorded before each event.
//
// The clock and the capture query are injected, so that the rules run without a device.
#pragma once

#include "CKeystroke.h"
#include "CMacro.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class CMacroRecorder
{
public:
    // Milliseconds, GetTickCount by default.
    using Clock = std::function<uint32_t()>;
    // The window that holds the mouse capture, GetCapture by default.
    using CaptureQuery = std::function<HWND()>;

    // The longest delay recorded: a longer pause records this.
    static constexpr int32_t kLongestDelay = 0xFFFFFF;

private:
    // Data members
    Clock m_clock;
    CaptureQuery m_captureQuery;
    CKeystroke m_keystroke;
    // The keys down, each by its make code and E0 flag: keys that share a make code (Left
    // and Right Ctrl, Enter and keypad Enter, the arrows and the keypad digits) are apart.
    std::vector<std::pair<uint16_t, bool>> m_heldKeys;
    bool m_ignoreDelays = false;
    bool m_useDefaultDelay = false;
    int32_t m_defaultDelay = 50;
    HWND m_exemptWnd = nullptr;
    uint32_t m_lastTick = 0;

public:
    explicit CMacroRecorder(Clock clock = nullptr, CaptureQuery captureQuery = nullptr);

    // Attributes
    bool GetIgnoreDelays() const { return m_ignoreDelays; }
    void SetIgnoreDelays(bool ignore) { m_ignoreDelays = ignore; }
    bool GetUseDefaultDelay() const { return m_useDefaultDelay; }
    void SetUseDefaultDelay(bool use) { m_useDefaultDelay = use; }
    int32_t GetDefaultDelay() const { return m_defaultDelay; }
    void SetDefaultDelay(int32_t milliseconds) { m_defaultDelay = milliseconds; }
    HWND GetExemptWindow() const { return m_exemptWnd; }
    // Mouse buttons pressed while this window holds the mouse capture are not recorded.
    void SetExemptWindow(HWND wnd) { m_exemptWnd = wnd; }
    size_t GetHeldKeyCount() const { return m_heldKeys.size(); }
    const CKeystroke& GetKeystroke() const { return m_keystroke; }

    // Operations
    // Forgets the keys held down; recording starts afresh.
    void Reset();
    // The events a report adds to the list: the delay before the event, when one is due,
    // then the event. None for a report that records nothing. listEmpty tells whether the
    // list has no events yet (its first event has no delay before it).
    std::vector<CMacroEvent> OnRawKeyboard(const RAWKEYBOARD& report, bool listEmpty);
    std::vector<CMacroEvent> OnRawMouse(const RAWMOUSE& report, bool listEmpty);

    // The delay event of that many milliseconds.
    static CMacroEvent MakeDelay(int32_t milliseconds);

private:
    // Implementation
    // False for an auto-repeated key-down; otherwise the held keys follow the report.
    bool TrackHeldKey(uint16_t makeCode, bool extended, bool isBreak);
    void Record(const CMacroEvent& event, bool listEmpty, std::vector<CMacroEvent>& recorded);
    uint32_t Now() const;
};
