#include "CMWProfile.h"

int CMWProfile::GetActiveKeymapIndex() const
{
    for (int k = 0; k < kKeymapCount; ++k) {
        if (m_activeKeymap && m_keymaps[k].get() == m_activeKeymap)
            return k;
    }
    return -1;
}
