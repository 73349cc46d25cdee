// Classes in this file:
//   OldKeyRecord    - a view of one 266-byte key record of an old key map.
//   OldProfile      - one old profile as its INI file holds it.
//   OldConfigHeader - the settings of the old index file.
//   OldData         - the whole old INI tree: the header and up to 20 profiles.
#pragma once

#include "CString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class OldKeyRecord
{
public:
    static constexpr size_t kSize = 266;
    static constexpr size_t kTextOffset = 6;
    // The text runs from offset 6 to the closing word at offset 264.
    static constexpr int kTextUnits = 129;

    explicit OldKeyRecord(const uint8_t* bytes) : m_bytes(bytes) {}

    // Attributes
    uint8_t GetCode() const { return m_bytes[0]; }
    uint8_t GetOperand() const { return m_bytes[1]; }
    uint8_t GetFlag() const { return m_bytes[2]; }
    uint8_t GetPlayMode() const { return m_bytes[3]; }
    uint16_t GetValue() const;
    // The UTF-16 text from offset 6, up to its terminator or 129 units.
    CString GetText() const;

private:
    // Data members
    const uint8_t* m_bytes;
};

struct OldProfile
{
    static constexpr int kKeymapCount = 8;
    static constexpr int kRecordsPerKeymap = 27;
    static constexpr size_t kKeymapBytes = OldKeyRecord::kSize * kRecordsPerKeymap;
    // The 8-bit name and application fields hold 49 characters and a terminator.
    static constexpr int kMaxTextChars = 49;

    // The name the index file lists, and the file's own "Name".
    CString indexName;
    CString fileName;
    CString application;
    int switchFlag = 0;
    int activeKeymap = 0;
    int brightness = 0;
    std::vector<uint8_t> keymaps = std::vector<uint8_t>(kKeymapBytes * kKeymapCount);

    OldKeyRecord GetRecord(int keymap, int position) const;
};

struct OldConfigHeader
{
    int profileCount = 0;
    int current = 0;
    int autoSwitch = 0;
    int showScreen = 0;
    int pollingRate = 0;
    int onboardProfile = 0;
};

struct OldData
{
    static constexpr int kMaxProfiles = 20;

    OldConfigHeader header;
    // Only the first header.profileCount are filled.
    std::vector<OldProfile> profiles = std::vector<OldProfile>(kMaxProfiles);
};

// The text as the old 8-bit fields kept it: the low byte of each unit.
CString ReduceTo8Bits(const CString& text);
