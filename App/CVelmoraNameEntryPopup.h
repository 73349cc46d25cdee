// Classes in this file:
//   CVelmoraNameEntryPopup - the popup that asks for a name: a new profile or macro, or a
//                            new name for one (the old name follows the heading).
#pragma once

#include "CVelmoraPopupBox.h"

class CEditItem;
class CTextItem;

class CVelmoraNameEntryPopup : public CVelmoraPopupBox
{
    // Data members
    CString* m_pName = nullptr;
    CEditItem* m_pEdit = nullptr;
    CTextItem* m_pHeading = nullptr;

public:
    // The longest name the edit takes.
    static constexpr int kMaxNameLength = 20;

    CVelmoraNameEntryPopup(const CString& pageFile, CWnd* parent);

    // Attributes
    CEditItem* GetEdit() const { return m_pEdit; }
    CTextItem* GetHeading() const { return m_pHeading; }

    // Operations
    // In: the current name (may be empty); out after IDOK: the typed name.
    void SetName(CString* name) { m_pName = name; }

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    void OnOK() override;
};
