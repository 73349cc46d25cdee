#include "CVelmoraPopupBoxEditKeyEntry.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CEditItemSingleKeyInput.h"

namespace
{
bool IsChecked(const CBitmapBtn* box)
{
    return box && box->IsChecked();
}
}

CVelmoraPopupBoxEditKeyEntry::CVelmoraPopupBoxEditKeyEntry(CWnd* parent, KeyEntryResult* result)
    : CPopupBoxSingleKeyEntry(IDD_VELMORA_ENTRY, kPageFile, parent, result)
{
}

void CVelmoraPopupBoxEditKeyEntry::InitItems()
{
    m_pCapture = m_items.FindItemOfKind<CEditItemSingleKeyInput>(EDITCTRL_POPUP_SINGLEKEYENTRY, GUIKIND_EDITSINGLEKEY);
    m_pShift = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_CHKBOX_SLCT_SHIFT, GUIKIND_BITMAPBTN);
    m_pCtrl = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_CHKBOX_SLCT_CTRL, GUIKIND_BITMAPBTN);
    m_pAlt = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_CHKBOX_SLCT_ALT, GUIKIND_BITMAPBTN);
}

CWnd* CVelmoraPopupBoxEditKeyEntry::CaptureWindow() const
{
    return m_pCapture;
}

void CVelmoraPopupBoxEditKeyEntry::OnOK()
{
    if (!m_pResult)
        return;
    m_pResult->m_keyText.Empty();
    if (m_pCapture && m_pCapture->HasWindow())
    {
        const CString text = m_pCapture->GetWindowText();
        if (!text.IsEmpty())
        {
            const CKeystroke& key = m_pCapture->GetKeystroke();
            m_pResult->m_keyText = text;
            m_pResult->m_scanCode = static_cast<uint16_t>(key.m_scanCode);
            m_pResult->m_virtualKey = static_cast<uint16_t>(key.m_virtualKey);
            m_pResult->m_flags = key.m_flags;
        }
        if (IsChecked(m_pShift))
            m_pResult->m_flags |= KeyEntryResult::kShift;
        if (IsChecked(m_pCtrl))
            m_pResult->m_flags |= KeyEntryResult::kCtrl;
        if (IsChecked(m_pAlt))
            m_pResult->m_flags |= KeyEntryResult::kAlt;
    }
    EndWhenEntered(!m_pResult->m_keyText.IsEmpty());
}
