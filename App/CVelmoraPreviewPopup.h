// Classes in this file:
//   CVelmoraPreviewPopup - the preview of one profile: the keypad picture of a second page
//                          drawn over the popup's own page on black.
#pragma once

#include "CBrush.h"
#include "CPopupBox.h"

class CBitmapItem;
class IKeypadConfig;
class IKeypadProfile;

class CVelmoraPreviewPopup : public CPopupBox
{
    // Data members
    IKeypadProfile* m_pProfile;
    IKeypadConfig* m_pConfig;
    CGUIItems m_secondPage;
    CBitmapItem* m_pKeypadPicture = nullptr;
    CBitmapItem* m_pNumberStrip = nullptr;
    CBrush m_blackBrush;

public:
    // The profile may be null: the popup then opens and closes all the same.
    CVelmoraPreviewPopup(CWnd* parent, IKeypadProfile* profile, IKeypadConfig* config);
    ~CVelmoraPreviewPopup() override;

    // Attributes
    CGUIItems& GetSecondPage() { return m_secondPage; }
    CBitmapItem* GetKeypadPicture() const { return m_pKeypadPicture; }
    CBitmapItem* GetNumberStrip() const { return m_pNumberStrip; }

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Both popup buttons end it with IDCANCEL; other windows are ignored.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
};
