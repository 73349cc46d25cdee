#include "CMacroRecorder.h"

#include "CRawInputDevices.h"

#include <algorithm>

CMacroRecorder::CMacroRecorder(Clock clock, CaptureQuery captureQuery)
    : m_clock(std::move(clock)), m_captureQuery(std::move(captureQuery))
{
}

void CMacroRecorder::Reset()
{
    m_heldKeys.clear();
}

CMacroEvent CMacroRecorder::MakeDelay(int32_t milliseconds)
{
    CMacroEvent delay;
    delay.type = CMacroEvent::kDelay;
    delay.value = milliseconds;
    delay.extra = milliseconds;
    return delay;
}

std::vector<CMacroEvent> CMacroRecorder::OnRawKeyboard(const RAWKEYBOARD& report, bool listEmpty)
{
    std::vector<CMacroEvent> recorded;
    // A report the keystroke refuses (the fake shift around E0 keys, an E1 sequence, a key
    // without a name) leaves the held keys alone.
    if (!KeystrokeFromRawInput(m_keystroke, report))
        return recorded;
    const bool extended = (report.Flags & RI_KEY_E0) != 0;
    const bool isBreak = (report.Flags & RI_KEY_BREAK) != 0;
    if (!TrackHeldKey(report.MakeCode, extended, isBreak))
        return recorded;
    CMacroEvent event;
    event.type = CMacroEvent::kKeystroke;
    event.value = static_cast<int32_t>(m_keystroke.GetEventValue());
    event.extra = static_cast<int32_t>(m_keystroke.GetEventExtra());
    Record(event, listEmpty, recorded);
    return recorded;
}

std::vector<CMacroEvent> CMacroRecorder::OnRawMouse(const RAWMOUSE& report, bool listEmpty)
{
    std::vector<CMacroEvent> recorded;
    RawMouseButton button = {};
    if (!LookupRawMouseButton(report.usButtonFlags, button))
        return recorded;
    if (m_exemptWnd) {
        const HWND capture = m_captureQuery ? m_captureQuery() : ::GetCapture();
        if (capture == m_exemptWnd)
            return recorded;
    }
    CMacroEvent event;
    event.type = CMacroEvent::kMouseButton;
    event.value = button.button;
    event.extra = button.state;
    Record(event, listEmpty, recorded);
    return recorded;
}

bool CMacroRecorder::TrackHeldKey(uint16_t makeCode, bool extended, bool isBreak)
{
    const std::pair<uint16_t, bool> key(makeCode, extended);
    auto held = std::find(m_heldKeys.begin(), m_heldKeys.end(), key);
    if (isBreak) {
        if (held != m_heldKeys.end())
            m_heldKeys.erase(held);
        return true;
    }
    if (held != m_heldKeys.end())
        return false;
    m_heldKeys.push_back(key);
    return true;
}

void CMacroRecorder::Record(const CMacroEvent& event, bool listEmpty, std::vector<CMacroEvent>& recorded)
{
    if (listEmpty) {
        m_lastTick = Now();
    } else if (m_useDefaultDelay && !m_ignoreDelays) {
        recorded.push_back(MakeDelay(m_defaultDelay));
    } else if (!m_ignoreDelays) {
        const uint32_t now = Now();
        const uint32_t elapsed = now - m_lastTick;
        m_lastTick = now;
        recorded.push_back(MakeDelay(static_cast<int32_t>(std::min<uint32_t>(elapsed, kLongestDelay))));
    }
    recorded.push_back(event);
}

uint32_t CMacroRecorder::Now() const
{
    return m_clock ? m_clock() : ::GetTickCount();
}
