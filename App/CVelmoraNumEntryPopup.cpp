#include "CVelmoraNumEntryPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CEditItem.h"

CVelmoraNumEntryPopup::CVelmoraNumEntryPopup(const CString& pageFile, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent)
{
}

int CVelmoraNumEntryPopup::ParseCount(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > kMaxDigits)
        return 0;
    int value = 0;
    for (int index = 0; index < text.GetLength(); ++index)
    {
        const wchar_t digit = text[index];
        if (digit < L'0' || digit > L'9')
            return 0;
        value = value * 10 + (digit - L'0');
    }
    return value;
}

void CVelmoraNumEntryPopup::InitItems()
{
    m_pEdit = m_items.FindItemOfKind<CEditItem>(EDITCTRL_POPUP_NUMENTRY, GUIKIND_EDIT);
}

bool CVelmoraNumEntryPopup::OnInitDialog()
{
    CVelmoraPopupBox::OnInitDialog();
    if (!m_pEdit)
        return true;
    m_pEdit->SetNumbersOnly(true, 1);
    m_pEdit->LimitText(kMaxDigits);
    m_pEdit->SetFocus();
    return false;
}

void CVelmoraNumEntryPopup::OnOK()
{
    if (m_pNumber)
    {
        *m_pNumber = 0;
        if (m_pEdit && m_pEdit->m_hWnd)
            *m_pNumber = ParseCount(m_pEdit->GetWindowText());
    }
    EndDialog(IDOK);
}
