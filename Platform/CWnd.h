// Classes in this file:
//   CWnd - a C++ object bound to one window: creation (bound before WM_CREATE, whatever the
//          window class, dialogs included), subclassing, message dispatch with reflection of
//          control notifications to the control's own object, and the usual wrappers.
//
// Dispatch: every message of a bound window goes to WindowProc, which first offers the
// notifications a child control sends its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
// WM_MEASUREITEM, WM_CTLCOLOR*) to that child's OnChildNotify, then calls OnWndMsg. A class
// handles its messages by overriding OnWndMsg with a switch over the messages it maps, each
// entry calling one handler, and passes every other message to its base class's OnWndMsg.
// A handler that wants the window's previous behaviour calls Default().
#pragma once

#include "CRect.h"
#include "CString.h"

#include <windows.h>

class CWnd
{
public:
    // Data members
    HWND m_hWnd = nullptr;

private:
    WNDPROC m_pfnSuper = nullptr;

public:
    CWnd() = default;
    // A window still bound to the object is destroyed with it (a subclassed one) or released
    // (an attached one).
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Attributes
    static CWnd* FromHandle(HWND wnd);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    int GetDlgCtrlID() const;
    HWND GetDlgItem(int id) const;
    CWnd* GetParent() const;
    HWND GetParentHandle() const;
    bool IsWindowVisible() const;
    bool IsWindowEnabled() const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    CString GetWindowText() const;
    HFONT GetFont() const;

    // Creation
    // Creates a child window (WS_CHILD is always added) of the given class, or of the
    // toolkit's own plain class when className is null.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, CWnd* parent,
        UINT id);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
        HWND parent, HMENU menuOrId, void* param = nullptr);
    // Binds the object to a window without routing its messages.
    bool Attach(HWND wnd);
    HWND Detach();
    // Binds the object to a window and routes its messages through WindowProc; then calls
    // PreSubclassWindow.
    bool SubclassWindow(HWND wnd);
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Called by the message loops before dispatch, for the message's window and each of its
    // parents in turn; true means the message was handled.
    virtual bool PreTranslateMessage(MSG* msg);
    // Offers the message to PreTranslateMessage from its window up the parent chain, ending
    // after stop (or at the top when stop is null).
    static bool WalkPreTranslateTree(HWND stop, MSG* msg);

    // Operations
    bool ShowWindow(int command);
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true);
    bool MoveWindow(const RECT& rect, bool repaint = true);
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    // The window owns the region after a successful call.
    bool SetWindowRgn(HRGN region, bool redraw);
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void Invalidate(bool erase = true);
    void InvalidateRect(const RECT* rect, bool erase = true);
    void UpdateWindow();
    bool EnableWindow(bool enable);
    HWND SetFocus();
    HWND SetCapture();
    bool SetWindowText(const wchar_t* text);
    void SetFont(HFONT font, bool redraw = true);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    bool KillTimer(UINT_PTR id);
    bool BringWindowToTop();
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);

protected:
    // Implementation
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The class's message map; true when the message was handled, with its result.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_COMMAND that no child took as its own notification; true when handled here.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification of this control reflected from its parent; true when handled here, in
    // which case the parent does not handle it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called once the object is bound to its window and routes its messages: for a window
    // the object creates at HCBT_CREATEWND, before WM_NCCREATE, otherwise when an existing
    // window is subclassed.
    virtual void PreSubclassWindow();
    // Called after the window is gone and the object released it (WM_NCDESTROY); an object
    // that lives on the heap for its window's lifetime may delete itself here.
    virtual void PostNcDestroy();
    // The previous window procedure for the message being dispatched.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    HWND ReflectionTarget(UINT message, WPARAM wParam, LPARAM lParam) const;
    void FinishNcDestroy();
    static LRESULT CALLBACK StandardWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

};
