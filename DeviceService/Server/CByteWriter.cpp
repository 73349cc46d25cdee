#include "CByteWriter.h"

void CByteWriter::U16(uint16_t value)
{
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void CByteWriter::U32(uint32_t value)
{
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
}

void CByteWriter::Guid(const GUID& value)
{
    Raw(&value, sizeof value);
}

void CByteWriter::Text(const std::wstring& text)
{
    U32(static_cast<uint32_t>(text.size()));
    for (wchar_t ch : text)
        U16(static_cast<uint16_t>(ch));
}

void CByteWriter::Blob(const std::vector<uint8_t>& bytes)
{
    U32(static_cast<uint32_t>(bytes.size()));
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void CByteWriter::Raw(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}
