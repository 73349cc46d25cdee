#include "CDelayTimer.h"

CDelayTimer& CDelayTimer::Instance()
{
    static CDelayTimer recorder;
    return recorder;
}

void CDelayTimer::Clear()
{
    m_rawInput.Unregister();
    m_events.clear();
    m_recording = false;
}
