#include "CAssignment.h"

#include <cstring>

uint32_t CAssignment::GetWord(int index) const
{
    if (index < 0 || index >= kPayloadWords)
        return 0;
    const uint8_t* bytes = payload + index * 4;
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void CAssignment::SetWord(int index, uint32_t value)
{
    if (index < 0 || index >= kPayloadWords)
        return;
    uint8_t* bytes = payload + index * 4;
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

namespace
{
bool RefersByGuid(int kind)
{
    switch (kind) {
    case kAssignMacro:
    case kAssignProfile:
    case kAssignKeymap30:
    case kAssignKeymap34:
    case kAssignLaunchProgram:
        return true;
    default:
        return false;
    }
}
}

CAssignment& MakeAssignment(int kind, CAssignment& out, uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
{
    out.kind = kind;
    if (!RefersByGuid(kind)) {
        memset(out.payload, 0, sizeof(out.payload));
        return out;
    }
    if (kind == kAssignMacro) {
        out.SetWord(CAssignment::kMacroModeWord, 1);
        out.SetWord(CAssignment::kMacroRepeatWord, 0);
    }
    out.SetWord(0, w0);
    out.SetWord(1, w1);
    out.SetWord(2, w2);
    out.SetWord(3, w3);
    return out;
}

bool AssignmentEquals(const CAssignment& a, const CAssignment& b)
{
    return a.kind == b.kind && memcmp(a.payload, b.payload, sizeof(a.payload)) == 0;
}

int FoldPairedKind(int kind)
{
    switch (kind) {
    case kAssignMacroByName: return kAssignMacro;
    case kAssignProfileByName: return kAssignProfile;
    case kAssignKeymap31: return kAssignKeymap30;
    case kAssignKeymap35: return kAssignKeymap34;
    case kAssignLaunchProgramByName: return kAssignLaunchProgram;
    case kAssignJoystickValue: return kAssignJoystick;
    default: return kind;
    }
}
