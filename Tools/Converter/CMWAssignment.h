// Classes in this file:
//   CMWAssignment - a converted assignment: the device service's 32-byte record, with the
//                   text and old reference that the store writer turns into a GUID.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CMWAssignment
{
public:
    static constexpr size_t kRecordSize = 32;
    static constexpr size_t kPayloadOffset = 12;
    static constexpr size_t kPayloadSize = 20;

    // Assignment types of the record.
    static constexpr uint32_t kEmpty = 0;
    static constexpr uint32_t kMouseButton = 1;
    static constexpr uint32_t kProfileSwitch = 3;
    static constexpr uint32_t kKeyStroke = 5;
    static constexpr uint32_t kMacro = 8;
    static constexpr uint32_t kLaunch = 9;
    static constexpr uint32_t kJoystickAxis = 11;
    static constexpr uint32_t kKeymapFunction = 12;

    // Payload value of a profile switch, and the key-map function sub-modes.
    static constexpr uint32_t kSwitchToProfile = 3;
    static constexpr uint32_t kKeymapShift = 2;
    static constexpr uint32_t kKeymapSwitch = 3;
    static constexpr uint32_t kKeymapSwitchLatched = 4;

    // A key stroke's payload word at offset 2 for an extended key.
    static constexpr uint32_t kExtendedKeyMark = 0x01000000;

    // Payload offsets.
    static constexpr size_t kGuidAtEnd = 4;
    static constexpr size_t kMacroPlayMode = 16;
    static constexpr size_t kMacroCount = 17;

    // Data members
    uint8_t m_record[kRecordSize] = {};
    // Macro name, profile name, key-map name or program path, by type.
    CString m_text;
    // The old profile number a profile switch names; -1 for none.
    int m_reference = -1;

    // An all-zero record: nothing assigned.
    CMWAssignment() = default;
    // Word 0 is 1, the id 0 and the payload zero.
    static CMWAssignment OfType(uint32_t type);
    static CMWAssignment MouseButton(uint32_t value);
    static CMWAssignment KeyStroke(uint16_t scanCode, bool extended);

    // Attributes
    uint32_t GetType() const { return GetU32(8); }
    void SetType(uint32_t type) { SetU32(8, type); }
    uint32_t GetId() const { return GetU32(4); }
    void SetId(uint32_t id) { SetU32(4, id); }

    uint32_t GetPayloadU32(size_t offset) const { return GetU32(kPayloadOffset + offset); }
    void SetPayloadU32(size_t offset, uint32_t value) { SetU32(kPayloadOffset + offset, value); }
    uint16_t GetPayloadU16(size_t offset) const;
    void SetPayloadU16(size_t offset, uint16_t value);
    uint8_t GetPayloadByte(size_t offset) const { return m_record[kPayloadOffset + offset]; }
    void SetPayloadByte(size_t offset, uint8_t value) { m_record[kPayloadOffset + offset] = value; }
    void SetPayloadGuid(size_t offset, const GUID& guid);
    GUID GetPayloadGuid(size_t offset) const;
    void SetPayloadBytes(size_t offset, const uint8_t* bytes, size_t count);
    void ClearPayload();

    // A key stroke's fields.
    uint16_t GetScanCode() const { return GetPayloadU16(0); }
    bool IsExtendedKey() const { return GetPayloadU32(2) == kExtendedKeyMark; }

    bool RecordEquals(const CMWAssignment& other) const;

private:
    // Implementation; offsets lie inside the record.
    uint32_t GetU32(size_t offset) const;
    void SetU32(size_t offset, uint32_t value);
};
