// Classes in this file:
//   CVelmoraPopupBoxSingleKeyEntry - the popup that captures a key combination from the
//                                    keyboard; its check boxes and captions show the
//                                    captured modifiers, and OK waits for a capture.
#pragma once

#include "CPopupBoxSingleKeyEntry.h"

#include <cstdint>

class CBitmapBtn;
class CEditItemSingleKeyInputMMO;
class CTextItem;

class CVelmoraPopupBoxSingleKeyEntry : public CPopupBoxSingleKeyEntry
{
    // Data members
    CEditItemSingleKeyInputMMO* m_pCapture = nullptr;
    CBitmapBtn* m_pOk = nullptr;
    // Indexed like kModifiers: Shift, Alt, Ctrl.
    CBitmapBtn* m_pBoxes[3] = {};
    CTextItem* m_pCaptions[3] = {};
    // The modifier bits shown last.
    uint8_t m_shownModifiers = 0;

public:
    static constexpr const wchar_t* kPageFile = L"SingleKeyPopup.xml";

    CVelmoraPopupBoxSingleKeyEntry(CWnd* parent, KeyEntryResult* result);

    // Attributes
    CEditItemSingleKeyInputMMO* GetCapture() const { return m_pCapture; }

protected:
    // Implementation
    void InitItems() override;
    CWnd* CaptureWindow() const override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnOK() override;

private:
    void OnValueChanged(HWND item);
    void ShowModifiers(uint8_t modifiers);
};
