#include "CListPanelLevel.h"

#include "CListPanelItem.h"

namespace
{
constexpr int kDeepestLevel = 8;
}

const CListPanelLevel* CListPanelLevel::GetSubLevel(int entry) const
{
    if (entry < 0 || entry >= static_cast<int>(m_subLevels.size()))
        return nullptr;
    return m_subLevels[static_cast<size_t>(entry)].get();
}

std::unique_ptr<CListPanelLevel> CListPanelLevel::Copy(const CListPanelSettings& settings,
    const std::vector<CListEntry>& entries)
{
    return CopyAt(settings, entries, 0);
}

std::unique_ptr<CListPanelLevel> CListPanelLevel::CopyAt(const CListPanelSettings& settings,
    const std::vector<CListEntry>& entries, int depth)
{
    auto level = std::make_unique<CListPanelLevel>();
    level->m_settings = settings;
    level->m_entries = entries;
    level->m_subLevels.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
    {
        CListEntry& entry = level->m_entries[i];
        const CListPanelItem* subList = entry.m_pSubList;
        entry.m_pSubList = nullptr;
        if (!subList || depth + 1 >= kDeepestLevel)
            continue;
        level->m_subLevels[i] = CopyAt(subList->m_settings, subList->m_entries, depth + 1);
        entry.m_disabled = level->m_subLevels[i]->m_entries.empty();
    }
    return level;
}
