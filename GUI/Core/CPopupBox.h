// Classes in this file:
//   CPopupBox - the base of every popup: a skinned panel from its own page, which binds its
//               items before the dialog initialises and opens centred on its owner; or a
//               popup of a fixed rectangle without a page.
#pragma once

#include "CGUIPanel.h"

class CPopupBox : public CGUIPanel
{
public:
    CPopupBox(UINT templateId, const CString& pageFile, CWnd* parent) : CGUIPanel(templateId, pageFile, parent) {}
    CPopupBox(UINT templateId, const RECT& rect, CWnd* parent) : CGUIPanel(templateId, rect, parent) {}
    ~CPopupBox() override = default;

protected:
    // Implementation
    void InitItems() override {}
    bool OnInitDialog() override;

private:
    // A top-level popup of a page is centred on its owner, or on the work area of its
    // monitor when it has none, and kept inside that work area.
    void CentreOnOwner();
};
