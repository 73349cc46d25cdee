// Classes in this file:
//   CPopupBoxSingleKeyEntry - the base of the key-entry popups: Enter and Escape are keys
//                             to capture there, so after either one neither OK nor Cancel
//                             acts until the mouse is pressed.
#pragma once

#include "CVelmoraPopupBox.h"
#include "KeyEntryResult.h"

class CPopupBoxSingleKeyEntry : public CVelmoraPopupBox
{
protected:
    // Data members
    KeyEntryResult* m_pResult;
    // The last key pressed was Enter or Escape.
    bool m_dialogKeyPressed = false;

public:
    CPopupBoxSingleKeyEntry(UINT templateId, const CString& pageFile, CWnd* parent, KeyEntryResult* result)
        : CVelmoraPopupBox(templateId, pageFile, parent), m_pResult(result)
    {
    }

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    // The capture item, to give it the focus; null when the page has none.
    virtual CWnd* CaptureWindow() const = 0;
    bool OnInitDialog() override;
    // Ends with IDCANCEL and an empty result, unless Enter or Escape was just captured.
    void OnCancel() override;
    // Ends with IDOK when a key or a modifier was entered and the OK is no captured Enter.
    void EndWhenEntered(bool hasText);
};
