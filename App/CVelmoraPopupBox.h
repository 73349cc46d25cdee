// Classes in this file:
//   CVelmoraPopupBox - the base of the program's popups: a click on the page's OK button
//                      ends the popup through OnOK, one on its Cancel button through
//                      OnCancel; a window that is no item of the page is ignored and
//                      every other item goes to the popup's own handler.
#pragma once

#include "CPopupBox.h"

class CVelmoraPopupBox : public CPopupBox
{
public:
    CVelmoraPopupBox(UINT templateId, const CString& pageFile, CWnd* parent)
        : CPopupBox(templateId, pageFile, parent)
    {
    }

protected:
    // Implementation
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A click on an item other than OK and Cancel; by default the dialog's own routing.
    virtual bool OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam);
};
