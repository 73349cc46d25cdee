#include "CKeyCapture.h"

#include <windows.h>

CKeyCapture::CKeyCapture(Clock clock)
    : m_clock(std::move(clock))
{
}

uint8_t CKeyCapture::ModifierBit(uint16_t scanCode)
{
    switch (scanCode)
    {
    case 29:
        return kCtrl;
    case 42:
    case 54:
        return kShift;
    case 56:
        return kAlt;
    default:
        return 0;
    }
}

uint64_t CKeyCapture::Now() const
{
    return m_clock ? m_clock() : ::GetTickCount64();
}

int CKeyCapture::NextState(const Report& report, uint8_t modifier)
{
    const bool down = !report.isBreak;
    int state = m_state;
    if (state == 6)
    {
        if (down && !modifier && m_mask != 0)
            return 2;
        if (Now() - m_stamp < 1000)
            return 6;
        // After the pause a new combination starts from idle.
        m_scanCode = 0;
        m_keyName.Empty();
        state = 0;
    }
    switch (state)
    {
    case 0:
        if (!down)
            return 0;
        return modifier ? 1 : 2;
    case 1:
        if (!down)
            return 3;
        return modifier ? 1 : 2;
    case 2:
        return !down && !modifier ? 5 : 2;
    default:
        return 0;
    }
}

bool CKeyCapture::Step(const Report& report)
{
    if (!m_stamped)
    {
        m_stamp = Now();
        m_stamped = true;
    }
    const uint8_t modifier = ModifierBit(report.scanCode);
    bool changed = false;
    switch (NextState(report, modifier))
    {
    case 0:
        m_state = 0;
        break;
    case 1:
        m_mask |= modifier;
        m_state = 1;
        changed = true;
        break;
    case 2:
        m_state = 2;
        if (modifier)
        {
            m_mask |= modifier;
            break;
        }
        m_scanCode = report.scanCode;
        m_virtualKey = report.virtualKey;
        m_keyName = report.name;
        if (report.extended)
            m_mask |= kExtended;
        changed = true;
        break;
    case 3:
    case 5:
        m_mask |= modifier;
        m_state = 6;
        changed = true;
        break;
    case 6:
        m_stamp = Now();
        m_state = 6;
        break;
    default:
        break;
    }
    if (report.isBreak && modifier)
        m_mask &= static_cast<uint8_t>(~modifier);
    return changed;
}
