// Classes in this file:
//   CGuardedBytes - a copy of some bytes placed flush against a no-access page, so that a
//                   parser reading one byte past their end crashes at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CGuardedBytes
{
    // Data members
    uint8_t* m_base = nullptr;
    uint8_t* m_data = nullptr;

public:
    explicit CGuardedBytes(const std::vector<uint8_t>& bytes);
    ~CGuardedBytes();
    CGuardedBytes(const CGuardedBytes&) = delete;
    CGuardedBytes& operator=(const CGuardedBytes&) = delete;

    // Attributes
    // Null when the pages could not be had.
    const uint8_t* Data() const { return m_data; }
};
