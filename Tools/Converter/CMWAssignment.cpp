#include "CMWAssignment.h"

#include <cstring>

CMWAssignment CMWAssignment::OfType(uint32_t type)
{
    CMWAssignment assignment;
    assignment.SetU32(0, 1);
    assignment.SetType(type);
    return assignment;
}

CMWAssignment CMWAssignment::MouseButton(uint32_t value)
{
    CMWAssignment assignment = OfType(kMouseButton);
    assignment.SetPayloadU32(0, value);
    return assignment;
}

CMWAssignment CMWAssignment::KeyStroke(uint16_t scanCode, bool extended)
{
    CMWAssignment assignment = OfType(kKeyStroke);
    assignment.SetPayloadU16(0, scanCode);
    assignment.SetPayloadU32(2, extended ? kExtendedKeyMark : 0);
    return assignment;
}

uint16_t CMWAssignment::GetPayloadU16(size_t offset) const
{
    uint16_t value;
    memcpy(&value, m_record + kPayloadOffset + offset, sizeof(value));
    return value;
}

void CMWAssignment::SetPayloadU16(size_t offset, uint16_t value)
{
    memcpy(m_record + kPayloadOffset + offset, &value, sizeof(value));
}

void CMWAssignment::SetPayloadGuid(size_t offset, const GUID& guid)
{
    memcpy(m_record + kPayloadOffset + offset, &guid, sizeof(guid));
}

GUID CMWAssignment::GetPayloadGuid(size_t offset) const
{
    GUID guid;
    memcpy(&guid, m_record + kPayloadOffset + offset, sizeof(guid));
    return guid;
}

void CMWAssignment::SetPayloadBytes(size_t offset, const uint8_t* bytes, size_t count)
{
    memcpy(m_record + kPayloadOffset + offset, bytes, count);
}

void CMWAssignment::ClearPayload()
{
    memset(m_record + kPayloadOffset, 0, kPayloadSize);
}

bool CMWAssignment::RecordEquals(const CMWAssignment& other) const
{
    return memcmp(m_record, other.m_record, kRecordSize) == 0;
}

uint32_t CMWAssignment::GetU32(size_t offset) const
{
    uint32_t value;
    memcpy(&value, m_record + offset, sizeof(value));
    return value;
}

void CMWAssignment::SetU32(size_t offset, uint32_t value)
{
    memcpy(m_record + offset, &value, sizeof(value));
}
