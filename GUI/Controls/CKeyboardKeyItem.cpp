#include "CKeyboardKeyItem.h"

#include "CKeyboardDef.h"
#include "GUIMessages.h"

void CKeyboardKeyItem::SetKey(int32_t keyId)
{
    m_keyId = keyId;
    m_hasKeyId = true;
    g_keyboardDef.GetScanCode(keyId, m_scanCode, m_extended);
    m_virtualKey = static_cast<uint16_t>(
        ::MapVirtualKeyExW(static_cast<UINT>(static_cast<uint16_t>(m_scanCode)), MAPVK_VSC_TO_VK_EX, ::GetKeyboardLayout(0)));
    if (!GetCaption().IsEmpty())
        return;
    LONG keyData = static_cast<LONG>(static_cast<uint16_t>(m_scanCode)) << 16;
    if (m_extended || keyId == g_numLockKeyId)
        keyData |= 1 << 24;
    wchar_t name[256] = {};
    if (::GetKeyNameTextW(keyData, name, 256) > 0)
        SetCaption(name);
}

void CKeyboardKeyItem::SetBmpInfo(std::unique_ptr<CBmpInfo> record)
{
    m_pBmpInfo = std::move(record);
    Invalidate(false);
}

bool CKeyboardKeyItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The notify window hears of the key before the button's own handling.
    if (message == WM_MOUSEMOVE)
        NotifyKey(WM_GUI_KBDKEY_MOUSEMOVE);
    else if (message == WM_LBUTTONDOWN)
        NotifyKey(WM_GUI_KBDKEY_CLICKED);
    return CBitmapBtn::OnWndMsg(message, wParam, lParam, result);
}

void CKeyboardKeyItem::NotifyKey(UINT message)
{
    HWND target = m_notifyWnd ? m_notifyWnd : GetParentHandle();
    ::SendMessageW(target, message, 0, static_cast<LPARAM>(CGUIItem::m_id));
}

const CBitmap& CKeyboardKeyItem::StateImage(UINT itemState) const
{
    // A disabled key is drawn as not hovered.
    if (!(itemState & ODS_DISABLED) && (IsHovering() || IsHighlighted()))
        return Image(kHover);
    return IsChecked() ? Image(kPressed) : Image(kNormal);
}

COLORREF CKeyboardKeyItem::CaptionColour(UINT itemState) const
{
    if (!(itemState & ODS_DISABLED) && (IsHovering() || IsHighlighted()))
        return StateColour(kHover);
    return IsChecked() ? StateColour(kPressed) : StateColour(kNormal);
}

void CKeyboardKeyItem::DrawCaption(CDCHandle& dc, const CRect& rect, UINT itemState)
{
    if (!m_pBmpInfo)
    {
        CBitmapBtn::DrawCaption(dc, rect, itemState);
        return;
    }
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    m_pBmpInfo->Draw(dc, disabled, IsChecked(), !disabled && (IsHovering() || IsHighlighted()));
}
