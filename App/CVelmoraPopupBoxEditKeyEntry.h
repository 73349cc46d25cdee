// Classes in this file:
//   CVelmoraPopupBoxEditKeyEntry - the popup that takes one key from the keyboard and the
//                                  modifiers from three check boxes.
#pragma once

#include "CPopupBoxSingleKeyEntry.h"

class CBitmapBtn;
class CEditItemSingleKeyInput;

class CVelmoraPopupBoxEditKeyEntry : public CPopupBoxSingleKeyEntry
{
    // Data members
    CEditItemSingleKeyInput* m_pCapture = nullptr;
    CBitmapBtn* m_pShift = nullptr;
    CBitmapBtn* m_pCtrl = nullptr;
    CBitmapBtn* m_pAlt = nullptr;

public:
    static constexpr const wchar_t* kPageFile = L"EditKeyPopup.xml";

    CVelmoraPopupBoxEditKeyEntry(CWnd* parent, KeyEntryResult* result);

    // Attributes
    CEditItemSingleKeyInput* GetCapture() const { return m_pCapture; }

protected:
    // Implementation
    void InitItems() override;
    CWnd* CaptureWindow() const override;
    // The key shown in the capture item with the checked modifiers.
    void OnOK() override;
};
