// Classes in this file:
//   CToolTipCtrl - a tooltip control whose tools are whole windows identified by handle, or
//                  rectangles of a window identified by a number.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd
{
public:
    // Operations
    // A top-level tooltip owned by the parent, always shown even when the parent is inactive.
    bool Create(CWnd* parent, DWORD style = TTS_ALWAYSTIP);
    // Adds the whole tool window with its text (copied by the control).
    bool AddTool(HWND tool, const wchar_t* text);
    void UpdateTipText(HWND tool, const wchar_t* text);
    // The tip of the whole tool window: the tooltip is made (owned by the tool) on first
    // use, later calls replace the text.
    void SetToolText(CWnd* tool, const wchar_t* text);
    void DelTool(HWND tool);
    // Adds a rectangle of the window (client coordinates) as tool number id; the tooltip
    // learns the mouse from RelayEvent.
    bool AddTool(HWND window, UINT_PTR id, const RECT& rect, const wchar_t* text);
    void UpdateTipText(HWND window, UINT_PTR id, const wchar_t* text);
    void Activate(bool active) { SendMessage(TTM_ACTIVATE, active ? TRUE : FALSE); }
    void SetMaxTipWidth(int width) { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    // Passes a mouse message of a tool window to the tooltip so that it can show itself.
    void RelayEvent(const MSG* msg);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

    // Tracking tools: the tip of the tool window (identified by handle, owned by window)
    // shows only while activated, at the screen point TrackPosition gives.
    bool AddTrackingTool(HWND window, HWND tool, const wchar_t* text);
    void UpdateTrackingText(HWND window, HWND tool, const wchar_t* text);
    void TrackActivate(HWND window, HWND tool, bool active);
    void TrackPosition(int x, int y) { SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(x, y)); }

private:
    TTTOOLINFOW ToolInfo(HWND tool, const wchar_t* text) const;
    static TTTOOLINFOW RectToolInfo(HWND window, UINT_PTR id, const wchar_t* text);
    static TTTOOLINFOW TrackingToolInfo(HWND window, HWND tool, const wchar_t* text);
};
