#include "CVelmoraNameEntryPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CEditItem.h"
#include "CTextItem.h"

CVelmoraNameEntryPopup::CVelmoraNameEntryPopup(const CString& pageFile, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_ENTRY, pageFile, parent)
{
}

void CVelmoraNameEntryPopup::InitItems()
{
    m_pEdit = m_items.FindItemOfKind<CEditItem>(EDITCTRL_POPUP_NAMEENTRY, GUIKIND_EDIT);
    m_pHeading = m_items.FindItemOfKind<CTextItem>(TEXT_WARNDLG_HEADING, GUIKIND_TEXTITEM);
    if (m_pHeading && m_pName && !m_pName->IsEmpty())
        m_pHeading->SetText(m_pHeading->GetText() + L": " + *m_pName);
}

bool CVelmoraNameEntryPopup::OnInitDialog()
{
    CVelmoraPopupBox::OnInitDialog();
    if (!m_pEdit)
        return true;
    m_pEdit->LimitText(kMaxNameLength);
    m_pEdit->SetFocus();
    return false;
}

void CVelmoraNameEntryPopup::OnOK()
{
    if (m_pName)
    {
        m_pName->Empty();
        if (m_pEdit && m_pEdit->m_hWnd)
            *m_pName = m_pEdit->GetWindowText();
    }
    EndDialog(IDOK);
}
