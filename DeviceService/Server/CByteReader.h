// Classes in this file:
//   CByteReader - reads the values CByteWriter writes, with every read bounds-checked.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A read past the end, or a length larger than what remains, fails and makes every
// later read fail too, so a caller may check Ok() once at the end.
class CByteReader
{
    // Data members
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;

public:
    CByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // Attributes
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos == m_size; }

    // Operations
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    GUID Guid();
    std::wstring Text(size_t maxLength);
    std::vector<uint8_t> Blob(size_t maxSize);
    bool Raw(void* out, size_t size);
    // A count that is at most max; a larger one fails the reader.
    uint32_t Count(uint32_t max);

private:
    // Implementation
    bool Take(size_t size);
};
