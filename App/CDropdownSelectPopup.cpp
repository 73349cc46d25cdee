#include "CDropdownSelectPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CDropdownListItem.h"
#include "PopupLists.h"

CDropdownSelectPopup::CDropdownSelectPopup(const CString& pageFile, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent)
{
}

void CDropdownSelectPopup::SetChoice(CString* name, const CStringArray* names)
{
    m_pName = name;
    m_pNames = names;
}

void CDropdownSelectPopup::InitItems()
{
    m_pList = m_items.FindItemOfKind<CDropdownListItem>(LIST_DROPDOWN_POPUP, GUIKIND_DROPDOWN);
}

bool CDropdownSelectPopup::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    if (m_pList)
        FillNameList(*m_pList, m_pNames, m_pName);
    return result;
}

void CDropdownSelectPopup::OnOK()
{
    if (m_pName)
        GetSelectedText(m_pList, *m_pName);
    EndDialog(IDOK);
}
