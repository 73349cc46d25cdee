#include "CEditItemSingleKeyInputMMO.h"

#include "GUIMessages.h"

void CEditItemSingleKeyInputMMO::OnRawKeyboard(const RAWKEYBOARD& report)
{
    // A report the translator refuses (the fake Shift Windows sends around navigation
    // keys, a Pause sequence) is no key of the combination.
    if (!KeystrokeFromRawInput(m_keystroke, report))
        return;
    CKeyCapture::Report step;
    step.scanCode = static_cast<uint16_t>(m_keystroke.m_workingScanCode);
    step.virtualKey = static_cast<uint16_t>(m_keystroke.m_virtualKey);
    step.isBreak = (report.Flags & RI_KEY_BREAK) != 0;
    step.extended = (m_keystroke.m_flags & kKeystrokeExtended) != 0;
    step.name = m_keystroke.m_keyName;
    if (!m_capture.Step(step))
        return;
    ShowKeyName(m_keystroke.m_keyName);
    Notify(WM_GUI_ITEM_VALUE_CHANGED);
}
