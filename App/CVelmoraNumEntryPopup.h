// Classes in this file:
//   CVelmoraNumEntryPopup - the popup that asks for a macro's repeat count: digits only,
//                           no leading zero, at most five digits.
#pragma once

#include "CVelmoraPopupBox.h"

class CEditItem;

class CVelmoraNumEntryPopup : public CVelmoraPopupBox
{
    // Data members
    int* m_pNumber = nullptr;
    CEditItem* m_pEdit = nullptr;

public:
    // The most digits the edit takes, so every count fits an int.
    static constexpr int kMaxDigits = 5;

    CVelmoraNumEntryPopup(const CString& pageFile, CWnd* parent);

    // Attributes
    CEditItem* GetEdit() const { return m_pEdit; }

    // Operations
    // Out after IDOK: the typed number, 0 when nothing was typed.
    void SetNumber(int* number) { m_pNumber = number; }

    // The value of a text of decimal digits; 0 for an empty text, anything but digits, or
    // a value above kMaxDigits digits.
    static int ParseCount(const CString& text);

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    void OnOK() override;
};
