#include "CVelmoraWarningDlg.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CTextItem.h"

CVelmoraWarningDlg::CVelmoraWarningDlg(CWnd* parent, const CString& pageFile, const wchar_t* extraText)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent), m_pExtraText(extraText)
{
}

void CVelmoraWarningDlg::InitItems()
{
    m_pHeading = m_items.FindItemOfKind<CTextItem>(TEXT_WARNDLG_HEADING, GUIKIND_TEXTITEM);
    // The heading holds its translated text, so the extra text follows it in every language.
    if (m_pHeading && m_pExtraText)
        m_pHeading->SetText(m_pHeading->GetText() + m_pExtraText);
}

bool CVelmoraWarningDlg::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    if (m_pHeading && !m_message.IsEmpty())
        m_pHeading->SetText(m_message);
    return result;
}

bool CVelmoraWarningDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The system menu and Alt+F4 do nothing: the popup closes through its buttons, Enter
    // or Escape.
    if (message == WM_SYSCOMMAND)
    {
        result = 0;
        return true;
    }
    return CVelmoraPopupBox::OnWndMsg(message, wParam, lParam, result);
}
