#include "CKeyDefTable.h"

#include "KeyId.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace
{
const wchar_t* const kPlaceholderNames[] = { L"DO NOT USE", L"UNASSIGNED", L"RESERVED", L"None" };

// Reads little-endian values from a byte range, refusing any read past its end.
class CByteReader
{
    const uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;

public:
    CByteReader(const uint8_t* data, int size) : m_data(data), m_size(static_cast<size_t>(size)) {}

    size_t Remaining() const { return m_size - m_offset; }

    bool Read(void* target, size_t count)
    {
        if (count > Remaining())
            return false;
        std::memcpy(target, m_data + m_offset, count);
        m_offset += count;
        return true;
    }

    template <class T>
    bool ReadValue(T& value)
    {
        uint8_t bytes[sizeof(T)];
        if (!Read(bytes, sizeof(bytes)))
            return false;
        typename std::make_unsigned<T>::type raw = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            raw = static_cast<decltype(raw)>((raw << 8) | bytes[i]);
        value = static_cast<T>(raw);
        return true;
    }
};

bool ReadName(CByteReader& reader, int32_t byteLength, CString& name)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(byteLength));
    if (!reader.Read(bytes.data(), bytes.size()))
        return false;
    CString text;
    for (size_t i = 0; i < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    name = text;
    return true;
}

bool ReadRecord(CByteReader& reader, CKeyDefRecord& record)
{
    int32_t nameBytes = 0;
    if (!reader.ReadValue(nameBytes) || nameBytes < 0 || nameBytes > kKeyDefMaxNameBytes)
        return false;
    // A name is whole UTF-16 units; an odd length is a damaged record, not a shorter name.
    if (nameBytes % 2 != 0)
        return false;
    // The whole record must lie inside the data before any of it is taken.
    if (reader.Remaining() < static_cast<size_t>(nameBytes) + kKeyDefFixedBytes - 4)
        return false;
    if (!ReadName(reader, nameBytes, record.name) || !reader.ReadValue(record.value1) || !reader.ReadValue(record.value2))
        return false;
    for (CScanEntry& entry : record.scan) {
        if (!reader.ReadValue(entry.code) || !reader.ReadValue(entry.flag) || !reader.ReadValue(entry.unused))
            return false;
    }
    return reader.Read(record.blocks, sizeof(record.blocks));
}
}

bool CKeyDefRecord::IsUsable() const
{
    for (const wchar_t* placeholder : kPlaceholderNames) {
        if (name.CompareNoCase(placeholder) == 0)
            return false;
    }
    return scan[0].code >= 0;
}

void DeriveScanCode(CKeyDefRecord& record)
{
    const CScanEntry* scan = record.scan;
    record.scanCode = scan[0].code;
    record.extended = scan[0].flag;
    if (scan[0].flag == 0)
        return;
    for (int i = 1; i < kScanEntryCount - 1 && scan[i].code != 0 && scan[i].flag == 0; ++i)
        record.scanCode = scan[i].code;
}

const CKeyDefRecord* CKeyDefTable::FindKey(int32_t keyId) const
{
    auto found = m_keys.find(keyId);
    return found == m_keys.end() ? nullptr : &found->second;
}

const CKeyDefRecord* CKeyDefTable::FindKeyByName(const wchar_t* name) const
{
    for (const CKeyDefRecord& record : m_records) {
        if (record.name.CompareNoCase(name ? name : L"") == 0)
            return &record;
    }
    return nullptr;
}

bool CKeyDefTable::GetScanCode(int32_t keyId, int16_t& scanCode, uint8_t& extended) const
{
    scanCode = 0;
    extended = 0;
    const CKeyDefRecord* record = FindKey(keyId);
    if (!record || record->name.IsEmpty())
        return false;
    scanCode = record->scanCode;
    extended = record->extended;
    return true;
}

int32_t CKeyDefTable::FindKeyByScanCode(uint32_t keystroke) const
{
    const uint16_t scanCode = static_cast<uint16_t>(keystroke & 0xFFFF);
    const uint8_t flag = static_cast<uint8_t>((keystroke >> 16) & 0xFF);
    for (const auto& entry : m_keys) {
        if (static_cast<uint16_t>(entry.second.scanCode) == scanCode && entry.second.extended == flag)
            return entry.first;
    }
    return 0;
}

bool CKeyDefTable::GetDefaultValue(int32_t keyId, uint32_t& keystroke) const
{
    auto found = m_defaults.find(keyId);
    if (found == m_defaults.end())
        return false;
    keystroke = found->second;
    return true;
}

bool CKeyDefTable::GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const
{
    uint32_t keystroke = 0;
    if (!GetDefaultValue(keyId, keystroke))
        return false;
    scanCode = static_cast<uint16_t>(keystroke & 0xFFFF);
    extended = static_cast<uint8_t>((keystroke >> 16) & 0xFF);
    return true;
}

bool CKeyDefTable::Load(const uint8_t* data, int byteCount)
{
    if (!data || byteCount <= 0)
        return false;
    if (m_loaded)
        return m_loadResult;
    m_loadResult = ReadRecords(data, byteCount);
    m_loaded = true;
    return m_loadResult;
}

bool CKeyDefTable::ReadRecords(const uint8_t* data, int byteCount)
{
    CByteReader reader(data, byteCount);
    int32_t count = 0;
    if (!reader.ReadValue(count) || count <= 0)
        return false;
    // Read into copies and take them only when the whole file is right: a refused file
    // leaves the table as it was.
    std::vector<CKeyDefRecord> records;
    std::map<int32_t, CKeyDefRecord> keys;
    for (int32_t i = 0; i < count; ++i) {
        CKeyDefRecord record;
        if (!ReadRecord(reader, record))
            return false;
        DeriveScanCode(record);
        record.keyId = HashKeyName(record.name);
        records.push_back(record);
        if (record.IsUsable())
            keys[record.keyId] = record;
    }
    if (reader.Remaining() != 0)
        return false;
    m_records = std::move(records);
    m_keys = std::move(keys);
    return true;
}

bool CKeyDefTable::LoadDefaults(const uint8_t* data, int byteCount)
{
    if (!data || byteCount < 4)
        return false;
    CByteReader reader(data, byteCount);
    uint32_t count = 0;
    reader.ReadValue(count);
    if (count != static_cast<uint32_t>(byteCount - 4) / 8)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t keyId = 0;
        uint32_t keystroke = 0;
        if (!reader.ReadValue(keyId) || !reader.ReadValue(keystroke))
            return false;
        m_defaults[keyId] = keystroke;
    }
    return true;
}
