// Classes in this file:
//   CGUIPanel - a skinned dialog: in WM_CREATE it loads its page, takes the size of the
//               page's background bitmap and the shape of its mask, and it paints the
//               background under its controls.
#pragma once

#include "CDialog.h"
#include "CGUIItems.h"
#include "CPanelBitmap.h"
#include "CRect.h"
#include "CString.h"

class CGUIPanel : public CDialog
{
protected:
    // Data members
    CString m_pageFile;
    CPanelBitmap* m_pBackground = nullptr;
    CPanelBitmap* m_pMask = nullptr;
    // The region made from the mask; owned by the window once set.
    HRGN m_hRegion = nullptr;
    CGUIItems m_items;
    CRect m_rcFixed;
    bool m_bCreated = false;

public:
    // A panel built from a page file.
    CGUIPanel(UINT templateId, const CString& pageFile, CWnd* parent);
    // A panel of fixed size without a page.
    CGUIPanel(UINT templateId, const RECT& rect, CWnd* parent);
    ~CGUIPanel() override;

    // Attributes
    CGUIItems& GetItems() { return m_items; }
    const CString& GetPageFile() const { return m_pageFile; }
    CPanelBitmap* GetBackground() const { return m_pBackground; }
    CPanelBitmap* GetMask() const { return m_pMask; }
    bool IsCreated() const { return m_bCreated; }

protected:
    // Implementation
    // Binds the loaded page's items to the derived class's members.
    virtual void InitItems() = 0;
    // WM_HELP (F1 on the panel or one of its controls); true when the panel answered it.
    virtual bool OnHelp();
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int OnCreate();
    void OnPaint();
    void DrawBackground(HDC target);
    void OnDestroy();

private:
    void ShapeFromPage();
};
