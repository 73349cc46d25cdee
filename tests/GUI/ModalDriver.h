// The driver of modal list panels in the windowed tests: while the test's thread runs a
// panel modally, a script on a second thread waits for the panels to open, reads where
// their rows are and sends real mouse input; a recording parent window records the
// private messages it receives and runs checks on the test's thread for the script.
#pragma once

#include "CRect.h"
#include "CWnd.h"

#include <windows.h>

#include <functional>
#include <thread>
#include <vector>

namespace ModalTest
{
// A top-level window that records every private (WM_USER based) message it receives and
// runs functions sent to it by the script thread.
class CRecordingParent : public CWnd
{
public:
    struct Record
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Record> m_records;
    // Called while a message is being sent, so that the handler can copy what lParam
    // points to before the sender goes on.
    std::function<void(const Record&)> m_onRecord;

    bool Create(const RECT& rect);
    // Runs the function on the window's thread and waits for it.
    void RunOnWindowThread(const std::function<void()>& function) const;
    int CountOf(UINT message) const;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The open list panels of a thread, outermost first (the innermost is the enabled one).
std::vector<HWND> OpenPanels(DWORD threadId);
// Waits until the thread has that many panels open; the innermost one, or null.
HWND WaitForPanels(DWORD threadId, size_t count, DWORD timeoutMs = 3000);
// Waits until the thread has no panel open.
bool WaitForNoPanel(DWORD threadId, DWORD timeoutMs = 3000);
// The list window of a panel.
HWND PanelList(HWND panel);
// The screen centre of a row of the panel's list (asked across threads).
bool RowCentre(HWND panel, int row, POINT& screen);
// Moves the pointer over the row, waits and clicks it.
bool ClickRow(HWND panel, int row);
void ClickScreen(POINT screen);
// Turns the wheel by the given units (120 a notch; positive rolls away from the user).
void TurnWheel(int units);
// Ends every panel the thread still has open without a choice, innermost first.
void CloseAllPanels(DWORD threadId);

// Runs a script on its own thread, which ends by closing any panel the script left open, so
// that a failed script cannot leave the modal run waiting; the destructor waits for it.
class CScript
{
    std::thread m_thread;
    DWORD m_threadId;

public:
    explicit CScript(const std::function<void()>& steps);
    ~CScript();
    CScript(const CScript&) = delete;
    CScript& operator=(const CScript&) = delete;
    // Waits for the script while this thread keeps dispatching its messages.
    void Finish();
};
}
