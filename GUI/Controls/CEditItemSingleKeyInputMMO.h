// Classes in this file:
//   CEditItemSingleKeyInputMMO - the key-combination edit field (EDITCTRLSKMMO element):
//                                captures modifiers and one key from raw input and tells
//                                its parent after each step that changed the shown key.
#pragma once

#include "CEditItemSingleKeyInput.h"
#include "CKeyCapture.h"

class CEditItemSingleKeyInputMMO : public CEditItemSingleKeyInput
{
    // Data members
    CKeyCapture m_capture;

public:
    explicit CEditItemSingleKeyInputMMO(CKeyCapture::Clock clock = nullptr) : m_capture(std::move(clock)) {}
    ~CEditItemSingleKeyInputMMO() override = default;

    // Attributes: the captured value, read after WM_GUI_ITEM_VALUE_CHANGED.
    uint16_t GetScanCode() const { return m_capture.GetScanCode(); }
    uint16_t GetVirtualKey() const { return m_capture.GetVirtualKey(); }
    const CString& GetKeyName() const { return m_capture.GetKeyName(); }
    uint8_t GetModifierMask() const { return m_capture.GetModifierMask(); }
    int GetCaptureState() const { return m_capture.GetState(); }

protected:
    // Implementation
    void OnRawKeyboard(const RAWKEYBOARD& report) override;
};
