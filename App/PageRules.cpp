#include "PageRules.h"

#include "GuidText.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"

namespace
{
constexpr int kCopyBaseLimit = 19;
constexpr int kCopyBaseLength = 18;
constexpr int kFirstCopyNumber = 2;
constexpr int kLastCopyNumber = 99;

GUID ReferencedGuid(const CAssignment& assignment)
{
    return GuidFromWords(assignment.GetWord(0), assignment.GetWord(1), assignment.GetWord(2), assignment.GetWord(3));
}

bool NamesItem(const CAssignment& assignment, int byId, int byName, const GUID& id, const CString& name)
{
    if (assignment.kind == byId)
        return !IsNullGuid(id) && ::IsEqualGUID(ReferencedGuid(assignment), id) != FALSE;
    if (assignment.kind == byName)
        return GetReferenceName(assignment).CompareNoCase(name.GetString()) == 0;
    return false;
}

// Calls change for every button assignment of every keymap of every profile; change
// answers true when it replaced the assignment.
template <class Change>
int ForEachButtonAssignment(IKeypadConfig& config, Change change)
{
    int replaced = 0;
    for (int index = 0; index < config.GetProfileCount(); ++index)
    {
        IKeypadProfile* profile = config.GetProfile(index);
        if (!profile)
            continue;
        for (int map = 0; map < profile->GetKeymapCount(); ++map)
        {
            CKeymap* keymap = profile->GetKeymap(map);
            if (!keymap)
                continue;
            for (tKeypadButton button : g_allKeypadButtons)
            {
                CAssignment current;
                if (!config.GetButtonAssignment(&current, button, profile, keymap) || !change(button, current))
                    continue;
                config.SetButtonAssignment(button, current, profile, keymap);
                ++replaced;
            }
        }
    }
    return replaced;
}

int ResetReferences(IKeypadConfig& config, int byId, int byName, const GUID& id, const CString& name)
{
    return ForEachButtonAssignment(config, [&](tKeypadButton button, CAssignment& assignment) {
        if (!NamesItem(assignment, byId, byName, id, name))
            return false;
        if (!config.GetDefaultAssignment(&assignment, button))
            assignment = DefaultButtonAssignment(button);
        return true;
    });
}
}

IKeypadProfile* FindOtherProfileNamed(const IKeypadConfig& config, const CString& name, const IKeypadProfile* except)
{
    for (int index = 0; index < config.GetProfileCount(); ++index)
    {
        IKeypadProfile* profile = config.GetProfile(index);
        if (profile && profile != except && profile->GetName().CompareNoCase(name.GetString()) == 0)
            return profile;
    }
    return nullptr;
}

CMacro* FindOtherMacroNamed(const IKeypadConfig& config, const CString& name, const CMacro* except)
{
    for (int index = 0; index < config.GetMacroCount(); ++index)
    {
        CMacro* macro = config.GetMacro(index);
        if (macro && macro != except && name.CompareNoCase(macro->GetName()) == 0)
            return macro;
    }
    return nullptr;
}

CString MakeCopyName(const IKeypadConfig& config, const CString& source)
{
    const CString base = source.GetLength() > kCopyBaseLimit ? source.Left(kCopyBaseLength) : source;
    for (int number = kFirstCopyNumber; number <= kLastCopyNumber; ++number)
    {
        CString candidate;
        candidate.Format(L"%s(%d)", base.GetString(), number);
        if (!FindOtherProfileNamed(config, candidate))
            return candidate;
    }
    return CString();
}

bool IsUndeletableProfile(const IKeypadConfig& config, const IKeypadProfile& profile, int row)
{
    if (row == 0)
        return true;
    const IKeypadProfile* first = config.GetProfile(0);
    if (!first)
        return false;
    if (first == &profile)
        return true;
    GUID firstId = GUID_NULL;
    GUID ownId = GUID_NULL;
    first->GetGUID(&firstId);
    profile.GetGUID(&ownId);
    return !IsNullGuid(firstId) && ::IsEqualGUID(firstId, ownId) != FALSE;
}

int ResetProfileReferences(IKeypadConfig& config, const IKeypadProfile& profile)
{
    GUID id = GUID_NULL;
    profile.GetGUID(&id);
    return ResetReferences(config, kAssignProfile, kAssignProfileByName, id, profile.GetName());
}

int ResetMacroReferences(IKeypadConfig& config, const CMacro& macro)
{
    return ResetReferences(config, kAssignMacro, kAssignMacroByName, macro.m_id, CString(macro.GetName()));
}

int RenameReferences(IKeypadConfig& config, int byNameKind, const CString& oldName, const CString& newName)
{
    return ForEachButtonAssignment(config, [&](tKeypadButton, CAssignment& assignment) {
        if (assignment.kind != byNameKind || GetReferenceName(assignment).CompareNoCase(oldName.GetString()) != 0)
            return false;
        CAssignment renamed;
        MakeNamedAssignment(byNameKind, renamed, newName);
        if (byNameKind == kAssignMacroByName)
        {
            renamed.SetWord(CAssignment::kMacroModeWord, assignment.GetWord(CAssignment::kMacroModeWord));
            renamed.SetWord(CAssignment::kMacroRepeatWord, assignment.GetWord(CAssignment::kMacroRepeatWord));
        }
        assignment = renamed;
        return true;
    });
}

CString FileNameOf(const CString& path)
{
    const int backslash = path.ReverseFind(L'\\');
    const int slash = path.ReverseFind(L'/');
    return path.Mid((backslash > slash ? backslash : slash) + 1);
}
