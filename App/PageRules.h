// The rules of the profile and macro pages that need no window: names that are unique
// without regard to case, the names of profile copies, which profile may not be deleted,
// the assignments that fall back to the button defaults when the profile or macro they
// name goes, and the file name of a chosen path.
#pragma once

#include "CString.h"
#include "IKeypadConfig.h"

// At most this many profiles exist.
constexpr int kProfileLimit = 20;
// A new macro is made only below this count.
constexpr int kMacroLimit = 0x10000;

// Another profile than except whose name equals name without regard to case; null when
// none. A rename that only changes the case of a profile's own name is thereby allowed.
IKeypadProfile* FindOtherProfileNamed(const IKeypadConfig& config, const CString& name,
    const IKeypadProfile* except = nullptr);

// The same for macros.
CMacro* FindOtherMacroNamed(const IKeypadConfig& config, const CString& name, const CMacro* except = nullptr);

// The name of a copy of the profile named source: "name(n)" for the first n from 2 to 99
// that no profile has (compared without regard to case), the name cut to 18 characters
// when it is longer than 19; empty when every candidate is taken.
CString MakeCopyName(const IKeypadConfig& config, const CString& source);

// The first profile (list row 0, or the store's profile 0 by a GUID that is not null)
// cannot be deleted.
bool IsUndeletableProfile(const IKeypadConfig& config, const IKeypadProfile& profile, int row);

// In every profile, keymap and button, assignments of that profile (kind 21 by a GUID
// that is not null, kind 22 by its name without regard to case) become the button's
// default assignment. Answers how many were replaced.
int ResetProfileReferences(IKeypadConfig& config, const IKeypadProfile& profile);

// The same for a macro: kind 6 by its GUID (not null), kind 7 by its name.
int ResetMacroReferences(IKeypadConfig& config, const CMacro& macro);

// After a rename: assignments that name the item by its old name (kind 22 for a profile,
// 7 for a macro, compared without regard to case) carry the new name. Answers how many.
int RenameReferences(IKeypadConfig& config, int byNameKind, const CString& oldName, const CString& newName);

// The file name of a full path: what follows its last backslash or slash.
CString FileNameOf(const CString& path);
