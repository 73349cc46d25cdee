// Assignments that refer to a macro, profile, keymap or application by its name or path
// (kinds 7, 22, 31, 35 and 76) because the device service has not given it an id yet,
// and their turning into the by-id form (6, 21, 30, 34 and 75) once it has one.
#pragma once

#include "CAssignment.h"
#include "CString.h"

#include <windows.h>

class IKeypadConfig;
class IKeypadProfile;

// Characters of a name or path a by-name assignment carries, its terminator included.
constexpr int kReferenceNameChars = 260;

bool IsNamedReferenceKind(int kind);

// A by-name assignment: the name (cut to 259 characters) zero-terminated from payload
// byte 0, the rest of the payload zero; a macro also gets play-once mode and repeat 0.
// Other kinds are made as MakeAssignment makes them with a null id.
CAssignment& MakeNamedAssignment(int kind, CAssignment& out, const CString& name);

// The name or path a by-name assignment carries; empty for other kinds.
CString GetReferenceName(const CAssignment& assignment);

// The by-id form of a by-name assignment: the partner kind with id in words 0 to 3; a
// macro keeps its play mode and repeat count.
void ResolveToId(CAssignment& assignment, const GUID& id);

// The id of the store item a by-name assignment of profile names (a keymap is one of that
// profile's); false when the kind is not a by-name kind or the store has no such item.
// id is GUID_NULL for an item that has none yet.
bool FindReferencedId(const IKeypadConfig& config, const IKeypadProfile& profile, const CAssignment& assignment,
    GUID& id);

// Every by-name key and button assignment, in every keymap of every profile, whose item
// has an id by now takes the by-id form.
void ResolveNamedAssignments(IKeypadConfig& config);
