// Assignments that name a profile or a macro, for the page tests: by a GUID or by a name.
#pragma once

#include "CAssignment.h"
#include "GuidText.h"
#include "NamedReferences.h"

inline CAssignment ById(int kind, const GUID& id)
{
    uint32_t words[4];
    GuidToWords(id, words);
    CAssignment assignment;
    return MakeAssignment(kind, assignment, words[0], words[1], words[2], words[3]);
}

inline CAssignment ByName(int kind, const wchar_t* name)
{
    CAssignment assignment;
    return MakeNamedAssignment(kind, assignment, name);
}
