// Classes in this file:
//   CEditItemSingleKeyInput - the single-key edit field (EDITCTRLSK element): shows the name
//                             of the key last pressed or released, read through raw input.
#pragma once

#include "CEditItem.h"
#include "CKeystroke.h"

class CEditItemSingleKeyInput : public CEditItem
{
protected:
    // Data members
    CKeystroke m_keystroke;

public:
    CEditItemSingleKeyInput() = default;
    ~CEditItemSingleKeyInput() override = default;

    // Attributes
    // The key last pressed or released.
    const CKeystroke& GetKeystroke() const { return m_keystroke; }

    // Operations
    // Registers the keyboard in the process-wide raw input list with this edit as target.
    bool RegisterRawKeyboard();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual void OnRawKeyboard(const RAWKEYBOARD& report);
    virtual void OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowKeyName(const CString& name);
};
