// Classes in this file:
//   CMWEntry  - one key position of a converted key map: its key or button, its default and
//               its current assignment.
//   CMWKeymap - the 27 entries of one converted key map.
#pragma once

#include "CMWAssignment.h"

#include <cstdint>

struct CMWEntry
{
    static constexpr int kNone = 0;
    static constexpr int kButton = 1;
    static constexpr int kKey = 2;

    int kind = kNone;
    // A button's id, or a key's converter code; 0 for an entry left empty.
    uint32_t id = 0;
    CMWAssignment defaultAssignment;
    CMWAssignment current;
};

class CMWKeymap
{
public:
    static constexpr int kEntryCount = 27;

    // Data members
    CMWEntry m_entries[kEntryCount];
    int m_count = kEntryCount;
};
