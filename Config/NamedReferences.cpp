#include "NamedReferences.h"

#include "CKeymap.h"
#include "CMacro.h"
#include "GuidText.h"
#include "IKeypadConfig.h"
#include "IKeypadProfile.h"

#include <cstring>

namespace
{
// The name of a by-name record never reaches the macro's mode and repeat words.
static_assert(kReferenceNameChars * sizeof(wchar_t) <= CAssignment::kMacroModeWord * 4,
    "a reference name stays clear of the macro words");

GUID IdOf(const IKeypadProfile& profile)
{
    GUID id = GUID_NULL;
    profile.GetGUID(&id);
    return id;
}

template <typename Map>
void ResolveAll(const IKeypadConfig& config, const IKeypadProfile& profile, Map& assignments)
{
    for (auto& entry : assignments) {
        GUID id = GUID_NULL;
        if (FindReferencedId(config, profile, entry.second, id) && !IsNullGuid(id))
            ResolveToId(entry.second, id);
    }
}
}

bool IsNamedReferenceKind(int kind)
{
    switch (kind) {
    case kAssignMacroByName:
    case kAssignProfileByName:
    case kAssignKeymap31:
    case kAssignKeymap35:
    case kAssignLaunchProgramByName:
        return true;
    default:
        return false;
    }
}

CAssignment& MakeNamedAssignment(int kind, CAssignment& out, const CString& name)
{
    if (!IsNamedReferenceKind(kind))
        return MakeAssignment(kind, out, 0, 0, 0, 0);
    out = CAssignment();
    out.kind = kind;
    const size_t chars = static_cast<size_t>(name.GetLength() < kReferenceNameChars ? name.GetLength() : kReferenceNameChars - 1);
    std::memcpy(out.payload, name.GetString(), chars * sizeof(wchar_t));
    if (kind == kAssignMacroByName)
        out.SetWord(CAssignment::kMacroModeWord, 1);
    return out;
}

CString GetReferenceName(const CAssignment& assignment)
{
    if (!IsNamedReferenceKind(assignment.kind))
        return CString();
    wchar_t name[kReferenceNameChars] = {};
    std::memcpy(name, assignment.payload, sizeof(name) - sizeof(wchar_t));
    return CString(name);
}

void ResolveToId(CAssignment& assignment, const GUID& id)
{
    const uint32_t mode = assignment.GetWord(CAssignment::kMacroModeWord);
    const uint32_t repeat = assignment.GetWord(CAssignment::kMacroRepeatWord);
    const int kind = FoldPairedKind(assignment.kind);
    std::memset(assignment.payload, 0, sizeof(assignment.payload));
    uint32_t words[4];
    GuidToWords(id, words);
    MakeAssignment(kind, assignment, words[0], words[1], words[2], words[3]);
    if (kind == kAssignMacro) {
        assignment.SetWord(CAssignment::kMacroModeWord, mode);
        assignment.SetWord(CAssignment::kMacroRepeatWord, repeat);
    }
}

bool FindReferencedId(const IKeypadConfig& config, const IKeypadProfile& profile, const CAssignment& assignment,
    GUID& id)
{
    id = GUID_NULL;
    const CString name = GetReferenceName(assignment);
    switch (assignment.kind) {
    case kAssignMacroByName:
        if (const CMacro* macro = config.FindMacroByName(name)) {
            id = macro->m_id;
            return true;
        }
        return false;
    case kAssignProfileByName:
        if (const IKeypadProfile* referenced = config.FindProfileByName(name)) {
            id = IdOf(*referenced);
            return true;
        }
        return false;
    case kAssignKeymap31:
    case kAssignKeymap35:
        if (const CKeymap* keymap = profile.FindKeymapByName(name)) {
            id = keymap->GetGUID();
            return true;
        }
        return false;
    case kAssignLaunchProgramByName:
        if (const CKvApp* application = config.FindApplicationByName(name)) {
            id = application->m_id;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ResolveNamedAssignments(IKeypadConfig& config)
{
    for (int p = 0; p < config.GetProfileCount(); ++p) {
        const IKeypadProfile* profile = config.GetProfile(p);
        for (int k = 0; profile && k < profile->GetKeymapCount(); ++k) {
            CKeymap* keymap = profile->GetKeymap(k);
            ResolveAll(config, *profile, keymap->GetKeyAssignments());
            ResolveAll(config, *profile, keymap->GetButtonAssignments());
        }
    }
}
