#include "CByteReader.h"

#include <cstring>

bool CByteReader::Take(size_t size)
{
    if (!m_ok || size > m_size - m_pos) {
        m_ok = false;
        return false;
    }
    return true;
}

uint8_t CByteReader::U8()
{
    if (!Take(1))
        return 0;
    return m_data[m_pos++];
}

uint16_t CByteReader::U16()
{
    const uint16_t low = U8();
    const uint16_t high = U8();
    return static_cast<uint16_t>(low | (high << 8));
}

uint32_t CByteReader::U32()
{
    const uint32_t low = U16();
    const uint32_t high = U16();
    return low | (high << 16);
}

GUID CByteReader::Guid()
{
    GUID value{};
    Raw(&value, sizeof value);
    return value;
}

std::wstring CByteReader::Text(size_t maxLength)
{
    const uint32_t length = Count(static_cast<uint32_t>(maxLength));
    std::wstring text;
    if (!Take(size_t(length) * 2))
        return text;
    for (uint32_t i = 0; i < length; ++i)
        text.push_back(static_cast<wchar_t>(U16()));
    return text;
}

std::vector<uint8_t> CByteReader::Blob(size_t maxSize)
{
    const uint32_t size = Count(static_cast<uint32_t>(maxSize));
    std::vector<uint8_t> bytes;
    if (!Take(size))
        return bytes;
    bytes.assign(m_data + m_pos, m_data + m_pos + size);
    m_pos += size;
    return bytes;
}

bool CByteReader::Raw(void* out, size_t size)
{
    if (!Take(size))
        return false;
    std::memcpy(out, m_data + m_pos, size);
    m_pos += size;
    return true;
}

uint32_t CByteReader::Count(uint32_t max)
{
    const uint32_t count = U32();
    if (count > max) {
        m_ok = false;
        return 0;
    }
    return count;
}
