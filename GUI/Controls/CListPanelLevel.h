// Classes in this file:
//   CListPanelLevel - what one list panel shows, copied when the panel opens: the entries
//                     and the look, and the copies of the rows' second-level lists. The
//                     owners may refill their entries while the panel runs (device events
//                     arrive during the modal run); the open panel never sees it.
#pragma once

#include "CListEntry.h"
#include "CListPanelSettings.h"

#include <memory>
#include <vector>

class CListPanelLevel
{
public:
    // Data members
    CListPanelSettings m_settings;
    // The rows; a copy has no second-level item pointers, its sub-levels stand for them.
    std::vector<CListEntry> m_entries;
    // One per entry: the copy of the entry's second-level list, null for none.
    std::vector<std::unique_ptr<CListPanelLevel>> m_subLevels;

    // Attributes
    const CListPanelLevel* GetSubLevel(int entry) const;

    // Operations
    // The copy of a list and its second-level lists (nested lists deeper than a few levels
    // are left out, so that a list that names itself cannot copy forever). A row whose
    // second-level list has no entries is disabled.
    static std::unique_ptr<CListPanelLevel> Copy(const CListPanelSettings& settings, const std::vector<CListEntry>& entries);

private:
    static std::unique_ptr<CListPanelLevel> CopyAt(const CListPanelSettings& settings,
        const std::vector<CListEntry>& entries, int depth);
};
