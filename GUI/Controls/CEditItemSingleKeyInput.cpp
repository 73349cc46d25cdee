#include "CEditItemSingleKeyInput.h"

#include "CRawInputDevices.h"

bool CEditItemSingleKeyInput::RegisterRawKeyboard()
{
    g_rawInputDevices.AddUsage(kHidUsageKeyboard);
    return g_rawInputDevices.Register(m_hWnd);
}

bool CEditItemSingleKeyInput::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_INPUT: // void OnRawKeyboard(const RAWKEYBOARD&)
    {
        RAWKEYBOARD report = {};
        if (ReadRawKeyboardReport(lParam, report))
            OnRawKeyboard(report);
        result = Default();
        return true;
    }
    case WM_KEYDOWN: // void OnKeyMessage(): only while no raw input registration is in force
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // The registration asks for no key messages, but input another process injects
        // may bring them anyway; the raw reports have shown that key already.
        if (!g_rawInputDevices.IsRegistered())
            OnKeyMessage(message, wParam, lParam);
        return true;
    case WM_CHAR: // the field shows key names, never typed characters
    case WM_SYSCHAR:
        return true;
    case WM_DESTROY: // the process-wide registration ends with any capture edit
        g_rawInputDevices.Unregister();
        break;
    default:
        break;
    }
    return CEditItem::OnWndMsg(message, wParam, lParam, result);
}

void CEditItemSingleKeyInput::OnRawKeyboard(const RAWKEYBOARD& report)
{
    if (KeystrokeFromRawInput(m_keystroke, report))
        ShowKeyName(m_keystroke.m_keyName);
}

void CEditItemSingleKeyInput::OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!KeystrokeFromMessage(m_keystroke, message, wParam, lParam))
        ShowKeyName(m_keystroke.m_keyName);
}

void CEditItemSingleKeyInput::ShowKeyName(const CString& name)
{
    SetWindowText(name);
    SetSelToEnd();
}
