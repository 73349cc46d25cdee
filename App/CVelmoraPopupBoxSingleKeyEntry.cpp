#include "CVelmoraPopupBoxSingleKeyEntry.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CEditItemSingleKeyInputMMO.h"
#include "CTextItem.h"
#include "GUIMessages.h"

#include <iterator>

namespace
{
struct Modifier
{
    uint8_t bit;
    int box;
    int caption;
};
const Modifier kModifiers[] = {
    { KeyEntryResult::kShift, BUTTON_CHKBOX_SLCT_SHIFT, TEXT_SLCT_SHIFT },
    { KeyEntryResult::kAlt, BUTTON_CHKBOX_SLCT_ALT, TEXT_SLCT_ALT },
    { KeyEntryResult::kCtrl, BUTTON_CHKBOX_SLCT_CTRL, TEXT_SLCT_CTRL },
};
constexpr uint8_t kModifierBits = KeyEntryResult::kShift | KeyEntryResult::kAlt | KeyEntryResult::kCtrl;
}

CVelmoraPopupBoxSingleKeyEntry::CVelmoraPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult* result)
    : CPopupBoxSingleKeyEntry(IDD_VELMORA_ENTRY, kPageFile, parent, result)
{
}

void CVelmoraPopupBoxSingleKeyEntry::InitItems()
{
    m_pCapture =
        m_items.FindItemOfKind<CEditItemSingleKeyInputMMO>(EDITCTRL_POPUP_SINGLEKEYENTRY, GUIKIND_EDITSINGLEKEY);
    m_pOk = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_POPUP_OK, GUIKIND_BITMAPBTN);
    for (size_t index = 0; index < std::size(kModifiers); ++index)
    {
        m_pBoxes[index] = m_items.FindItemOfKind<CBitmapBtn>(kModifiers[index].box, GUIKIND_BITMAPBTN);
        // The boxes only show what was captured.
        if (m_pBoxes[index])
            m_pBoxes[index]->SetToggleOnClick(false);
        m_pCaptions[index] = m_items.FindItemOfKind<CTextItem>(kModifiers[index].caption, GUIKIND_TEXTITEM);
        if (m_pCaptions[index])
            m_pCaptions[index]->EnableWindow(false);
    }
    if (m_pOk)
        m_pOk->EnableWindow(false);
}

CWnd* CVelmoraPopupBoxSingleKeyEntry::CaptureWindow() const
{
    return m_pCapture;
}

bool CVelmoraPopupBoxSingleKeyEntry::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_GUI_ITEM_VALUE_CHANGED) // void OnValueChanged(HWND)
        return CPopupBoxSingleKeyEntry::OnWndMsg(message, wParam, lParam, result);
    OnValueChanged(reinterpret_cast<HWND>(lParam));
    result = 0;
    return true;
}

void CVelmoraPopupBoxSingleKeyEntry::OnValueChanged(HWND item)
{
    if (!m_pCapture || m_pCapture->m_hWnd != item)
        return;
    if (m_pOk)
        m_pOk->EnableWindow(true);
    const uint8_t mask = m_pCapture->GetModifierMask();
    if ((mask & kModifierBits) != m_shownModifiers)
        ShowModifiers(mask & kModifierBits);
    if (!m_pResult)
        return;
    m_pResult->m_scanCode = m_pCapture->GetScanCode();
    m_pResult->m_virtualKey = m_pCapture->GetVirtualKey();
    m_pResult->m_flags = mask;
}

void CVelmoraPopupBoxSingleKeyEntry::ShowModifiers(uint8_t modifiers)
{
    m_shownModifiers = modifiers;
    for (size_t index = 0; index < std::size(kModifiers); ++index)
    {
        const bool on = (modifiers & kModifiers[index].bit) != 0;
        if (m_pCaptions[index])
            m_pCaptions[index]->EnableWindow(on);
        if (m_pBoxes[index])
            m_pBoxes[index]->SetChecked(on);
    }
}

void CVelmoraPopupBoxSingleKeyEntry::OnOK()
{
    if (!m_pResult)
        return;
    m_pResult->m_keyText.Empty();
    if (m_pCapture && m_pCapture->HasWindow())
        m_pResult->m_keyText = m_pCapture->GetWindowText();
    EndWhenEntered(!m_pResult->m_keyText.IsEmpty());
}
