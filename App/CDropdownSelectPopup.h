// Classes in this file:
//   CDropdownSelectPopup - the popup that chooses one name of a list in its drop-down.
#pragma once

#include "CStringArray.h"
#include "CVelmoraPopupBox.h"

class CDropdownListItem;

class CDropdownSelectPopup : public CVelmoraPopupBox
{
    // Data members
    CString* m_pName = nullptr;
    const CStringArray* m_pNames = nullptr;
    CDropdownListItem* m_pList = nullptr;

public:
    CDropdownSelectPopup(const CString& pageFile, CWnd* parent);

    // Operations
    // In: the preselected name; out after IDOK: the selected one. The name stays as it was
    // when nothing is selected.
    void SetChoice(CString* name, const CStringArray* names);

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    void OnOK() override;
};
