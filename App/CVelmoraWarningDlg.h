// Classes in this file:
//   CVelmoraWarningDlg - the popup of every message and yes/no question of the program:
//                        its page gives the heading, an extra text may follow it, and a
//                        message set before it opens replaces it.
#pragma once

#include "CVelmoraPopupBox.h"

class CTextItem;

class CVelmoraWarningDlg : public CVelmoraPopupBox
{
    // Data members
    CTextItem* m_pHeading = nullptr;
    CString m_message;
    const wchar_t* m_pExtraText;

public:
    // The extra text (may be null) is appended to the page's heading without a separator.
    CVelmoraWarningDlg(CWnd* parent, const CString& pageFile, const wchar_t* extraText = nullptr);

    // Attributes
    CTextItem* GetHeading() const { return m_pHeading; }

    // Operations
    // Replaces the heading when the popup opens; an empty message leaves it.
    void SetMessage(const CString& message) { m_message = message; }

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
