#include "CPopupBoxSingleKeyEntry.h"

bool CPopupBoxSingleKeyEntry::PreTranslateMessage(MSG* msg)
{
    if (msg && msg->message == WM_KEYDOWN)
        m_dialogKeyPressed = msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN;
    else if (msg && msg->message == WM_LBUTTONDOWN)
        m_dialogKeyPressed = false;
    return CVelmoraPopupBox::PreTranslateMessage(msg);
}

bool CPopupBoxSingleKeyEntry::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    CWnd* capture = CaptureWindow();
    if (!capture || m_dialogKeyPressed)
        return result;
    capture->SetFocus();
    return false;
}

void CPopupBoxSingleKeyEntry::OnCancel()
{
    if (m_dialogKeyPressed)
        return;
    if (m_pResult)
        *m_pResult = KeyEntryResult();
    EndDialog(IDCANCEL);
}

void CPopupBoxSingleKeyEntry::EndWhenEntered(bool hasText)
{
    if (m_dialogKeyPressed)
        return;
    if (hasText || (m_pResult && m_pResult->m_flags != 0))
        EndDialog(IDOK);
}
