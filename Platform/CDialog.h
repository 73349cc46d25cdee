// Classes in this file:
//   CDialog - a dialog window from a dialog template in the program's resources, shown
//             modeless (Create) or modal (DoModal, with a modal loop of its own).
#pragma once

#include "CWnd.h"

class CDialog : public CWnd
{
    // Data members
    UINT m_templateId;
    CWnd* m_pParentWnd;
    INT_PTR m_modalResult = -1;
    bool m_inModalLoop = false;

public:
    CDialog(UINT templateId, CWnd* parent = nullptr);

    // Attributes
    UINT GetTemplateId() const { return m_templateId; }
    CWnd* GetParentWindow() const { return m_pParentWnd; }
    bool IsInModalLoop() const { return m_inModalLoop; }

    // Operations
    // Creates the dialog modeless as an owned window of the parent given to the constructor.
    bool Create();
    // Creates the dialog modeless, disables its owner, runs the modal loop until EndDialog
    // (or WM_QUIT, which is posted again), then re-enables the owner and destroys the
    // dialog. Returns the EndDialog result, or -1 when the dialog could not be created or the
    // loop ended without one.
    virtual INT_PTR DoModal();
    // Ends the modal loop with the result; a modeless dialog is hidden as ::EndDialog does.
    void EndDialog(INT_PTR result);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // IDOK and IDCANCEL reach OnOK and OnCancel; every other command is the derived class's.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // WM_INITDIALOG: true lets the dialog manager set the focus to the first control.
    virtual bool OnInitDialog();
    // IDOK and IDCANCEL commands (Enter and Escape through the dialog manager).
    virtual void OnOK();
    virtual void OnCancel();

private:
    HWND OwnerHandle() const;
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
};
