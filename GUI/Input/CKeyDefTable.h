// Classes in this file:
//   CScanEntry    - one step of a key's make sequence.
//   CKeyDefRecord - one key of the key definition file: its name, its make sequence and the
//                   scan code and flag derived from it.
//   CKeyDefTable  - the key definitions and default keystrokes read from the two key data
//                   files; no window code, so the configuration program and the converter
//                   read the files with the same code.
//
// Key definition file (little-endian): int32 record count N, then N records of
// int32 L (name bytes, even, at most 512), L bytes of UTF-16LE name, int16 value 1, int16 value 2,
// the make sequence (10 entries of int16 code, byte flag, byte unused) and three further
// 40-byte blocks that are carried unread. Defaults file: uint32 pair count M, then M pairs
// of int32 key id and int32 keystroke (low 16 bits the scan code, bits 16 to 23 the flag).
#pragma once

#include "CString.h"
#include "IKeyDefaults.h"

#include <cstdint>
#include <map>
#include <vector>

struct CScanEntry
{
    int16_t code = 0;
    // Non-zero on the first entry of a prefixed sequence: 1 for E0, 2 for E1.
    uint8_t flag = 0;
    uint8_t unused = 0;
};
static_assert(sizeof(CScanEntry) == 4, "a scan entry is four bytes in the file");

constexpr int kScanEntryCount = 10;
constexpr int kKeyDefBlockSize = 40;
constexpr int kKeyDefMaxNameBytes = 512;
// A record's bytes besides its name: the length, the two values and the four blocks.
constexpr int kKeyDefFixedBytes = 4 + 2 + 2 + 4 * kKeyDefBlockSize;

struct CKeyDefRecord
{
    int32_t keyId = 0;
    CString name;
    int16_t value1 = -1;
    int16_t value2 = -1;
    CScanEntry scan[kScanEntryCount];
    uint8_t blocks[3][kKeyDefBlockSize] = {};
    int16_t scanCode = 0;
    uint8_t extended = 0;

    // False for the place-holder names and for a negative first scan code.
    bool IsUsable() const;
};

class CKeyDefTable : public IKeyDefaults
{
    // Data members
    std::vector<CKeyDefRecord> m_records;
    std::map<int32_t, CKeyDefRecord> m_keys;
    bool m_loaded = false;
    bool m_loadResult = false;
    std::map<int32_t, uint32_t> m_defaults;

public:
    CKeyDefTable() = default;
    ~CKeyDefTable() override = default;

    // Attributes
    bool IsLoaded() const { return m_loaded; }
    // Every record of the file in file order, usable or not.
    const std::vector<CKeyDefRecord>& GetRecords() const { return m_records; }
    // The usable record of the key id; null when there is none.
    const CKeyDefRecord* FindKey(int32_t keyId) const;
    // The first record of that name in file order, ignoring case; null when none.
    const CKeyDefRecord* FindKeyByName(const wchar_t* name) const;
    // The derived scan code and flag of the key; (0, 0) for an unknown key.
    bool GetScanCode(int32_t keyId, int16_t& scanCode, uint8_t& extended) const;
    // The key id of the lowest-numbered key whose derived scan code (low 16 bits) and flag
    // (bits 16 to 23) equal the keystroke's; 0 when none does.
    int32_t FindKeyByScanCode(uint32_t keystroke) const override;

    // The default keystroke stored for the key id, as read from the defaults file.
    bool GetDefaultValue(int32_t keyId, uint32_t& keystroke) const;
    bool GetDefaultKeystroke(int32_t keyId, uint16_t& scanCode, uint8_t& extended) const override;

    // Operations
    // Reads the key definition file once: true when it held exactly its N records, each
    // wholly inside the data and with a name of whole UTF-16 units. A refused file loads no
    // record. A later call returns the first call's result; a call without data returns
    // false and loads nothing.
    bool Load(const uint8_t* data, int byteCount);
    // Reads the defaults file: false, storing nothing, unless it is 4 + 8 M bytes long (up
    // to 7 bytes more pass).
    bool LoadDefaults(const uint8_t* data, int byteCount);

private:
    // Implementation
    bool ReadRecords(const uint8_t* data, int byteCount);
};

// Derives a record's scan code and flag from its make sequence: a plain key is its first
// code; a prefixed key takes the prefix's flag and the last code of the run that follows.
void DeriveScanCode(CKeyDefRecord& record);
