// Classes in this file:
//   CAssignment - what a key or button does: a kind and a 528-byte payload.
#pragma once

#include "KeypadTypes.h"

#include <cstdint>

class CAssignment
{
public:
    static constexpr int kPayloadBytes = 528;
    static constexpr int kPayloadWords = kPayloadBytes / 4;
    // Payload words of a macro assignment beside the macro's GUID.
    static constexpr int kMacroModeWord = 130;
    static constexpr int kMacroRepeatWord = 131;
    // The keypad keeps one byte of the repeat count.
    static constexpr uint32_t kMaxMacroRepeat = 255;

    // Data members: a plain value, copied everywhere. Bytes a kind does not use are zero.
    int32_t kind = kAssignDefaultKey;
    uint8_t payload[kPayloadBytes] = {};

    // Payload word n is bytes 4n to 4n+3, little-endian; an index outside 0..131 reads 0
    // and writes nothing.
    uint32_t GetWord(int index) const;
    void SetWord(int index, uint32_t value);
};

// Sets the kind; kinds that refer to a macro, profile, keymap or application take the four
// values as the referenced GUID in payload words 0 to 3 (a macro also gets play-once mode
// and repeat count 0) and keep the rest of the payload; every other kind gets a zero payload.
CAssignment& MakeAssignment(int kind, CAssignment& out, uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);

bool AssignmentEquals(const CAssignment& a, const CAssignment& b);

// Kinds that refer to an item by name stand for their by-GUID partner (7 to 6, 22 to 21,
// 31 to 30, 35 to 34, 76 to 75), and 79 for 78; every other kind stands for itself.
int FoldPairedKind(int kind);
