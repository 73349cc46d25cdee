// The drop-down lists of names in the program's popups: filled from the caller's names with
// one preselected, and read back without reaching outside the entries.
#pragma once

#include "CString.h"
#include "CStringArray.h"

class CDropdownListItem;

// Empties the list, adds the names in order and selects the first one equal to the
// preselected name, else the first entry (nothing with no names).
void FillNameList(CDropdownListItem& list, const CStringArray* names, const CString* preselected);

// The selected entry's text; false, the text unchanged, without a list or a selection.
bool GetSelectedText(const CDropdownListItem* list, CString& text);
