#include "PopupLists.h"

#include "CDropdownListItem.h"

void FillNameList(CDropdownListItem& list, const CStringArray* names, const CString* preselected)
{
    list.ResetContent();
    if (!names || names->IsEmpty())
        return;
    int selected = -1;
    for (int index = 0; index < names->GetSize(); ++index)
    {
        list.AddString(names->GetAt(index));
        if (selected < 0 && preselected && names->GetAt(index) == *preselected)
            selected = index;
    }
    list.SetCurSel(selected < 0 ? 0 : selected);
}

bool GetSelectedText(const CDropdownListItem* list, CString& text)
{
    const int selected = list ? list->GetCurSel() : -1;
    if (selected < 0 || selected >= list->GetCount())
        return false;
    text = list->GetItemText(selected);
    return true;
}
