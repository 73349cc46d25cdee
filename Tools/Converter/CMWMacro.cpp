#include "CMWMacro.h"

bool CMWMacro::HasWrittenEvents() const
{
    for (const CMWMacroEvent& event : m_events) {
        if (event.IsWritten())
            return true;
    }
    return false;
}
