// Classes in this file:
//   CByteWriter - appends little-endian values to a byte buffer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CByteWriter
{
    // Data members
    std::vector<uint8_t> m_bytes;

public:
    // Attributes
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

    // Operations
    void U8(uint8_t value) { m_bytes.push_back(value); }
    void U16(uint16_t value);
    void U32(uint32_t value);
    void Guid(const GUID& value);
    // A length word, then the UTF-16 code units.
    void Text(const std::wstring& text);
    // A length word, then the bytes.
    void Blob(const std::vector<uint8_t>& bytes);
    void Raw(const void* data, size_t size);
};
