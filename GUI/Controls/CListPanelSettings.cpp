#include "CListPanelSettings.h"

#include "CBitmap.h"

#include <algorithm>

int CVScrollValues::GetBarWidth() const
{
    int widest = 0;
    for (const CBitmap* picture : { m_pTop, m_pUpArrow, m_pSpine, m_pThumb, m_pDownArrow, m_pBottom })
        if (picture)
            widest = std::max(widest, static_cast<int>(picture->GetSize().cx));
    return m_borderWidth + widest;
}
