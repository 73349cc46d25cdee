// Classes in this file:
//   CAppDriver - drives the configuration program from outside, as a user does: starts it,
//                waits for its windows (by class and by the skin item id each control
//                carries as a window property), clicks and types with SendInput, reads
//                window texts and states, takes screenshots, and reads the simulated
//                keypad through the control tool. The program sits in nested modal loops,
//                so the driver is a process of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CAppDriver
{
    // Data members
    PROCESS_INFORMATION m_process = {};
    std::wstring m_programPath;
    std::wstring m_controlToolPath;

public:
    // The folders are those of the build: the program beside its skin folders and the
    // device service's control tool.
    CAppDriver(std::wstring programPath, std::wstring controlToolPath);
    ~CAppDriver();
    CAppDriver(const CAppDriver&) = delete;
    CAppDriver& operator=(const CAppDriver&) = delete;

    // Attributes
    DWORD GetProcessId() const { return m_process.dwProcessId; }
    bool IsRunning() const;

    // Program
    bool Start();
    // Starts another copy and waits for its end: its exit code, or STILL_ACTIVE when it
    // ran longer than the time given (it is then ended). elapsedMs gets its run time.
    DWORD RunSecondCopy(DWORD timeoutMs, DWORD& elapsedMs) const;
    // The program's exit code once it ended within the time; STILL_ACTIVE otherwise.
    DWORD WaitForExit(DWORD timeoutMs);
    // Closes the main window (or ends the process when it does not go) and forgets it.
    void Stop();

    // Windows
    // The visible top-level window of the program's process with that class (any class when
    // null) other than the one excluded; null when none appears in time.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs, HWND exclude = nullptr) const;
    // A child of the window (at any depth) carrying the skin item id.
    static HWND FindItem(HWND top, int itemId);
    static HWND WaitForItem(HWND top, int itemId, DWORD timeoutMs);
    static bool WaitUntil(bool (*condition)(HWND), HWND wnd, DWORD timeoutMs);
    static std::wstring GetText(HWND wnd);
    // Visible by its own style, whatever its parent's.
    static bool HasVisibleStyle(HWND wnd);

    // Input
    // Activates the window's top-level window first: without a window manager an owned
    // popup may be shown without activation.
    static bool Activate(HWND wnd);
    // Moves the pointer to the window's centre, then presses and releases the left button.
    static bool Click(HWND wnd);
    // Presses and releases a key, sent with its virtual key and its scan code.
    static void TapKey(WORD virtualKey);

    // Screen
    static bool SaveScreenshot(const std::wstring& path);

    // Simulated keypad: runs the control tool; true when it ended with 0, its output in
    // text when one is given.
    bool RunControlTool(const std::wstring& arguments, std::string* text = nullptr) const;

    // Pages and their controls under real input
    // The child carrying the skin item id that is shown (it and its parents visible): pages
    // that are hidden may carry an item of the same id.
    static HWND FindVisibleItem(HWND top, int itemId);
    // Presses the left button on the window's point (client coordinates), moves the pointer
    // in steps by the distance given, and releases it there.
    static bool Drag(HWND wnd, POINT from, POINT distance);

    // More input
    // Moves the pointer to the point of the window's client area, then presses and
    // releases the right button.
    static bool RightClick(HWND wnd, POINT clientPoint);
    // Presses the keys in their order and releases them in the reverse order: a key with
    // its modifiers held (VK_CONTROL, VK_SHIFT, 'A').
    static void TapKeyCombination(const std::vector<WORD>& keys);
    // Types the text key by key, Shift held for the characters that need it.
    static bool TypeText(const std::wstring& text);

    // The text of a cell (row, column) of one of the program's list views, read through a
    // buffer in the program's memory; empty when it cannot be read.
    std::wstring GetListItemText(HWND list, int row, int column) const;

private:
    bool Launch(PROCESS_INFORMATION& process) const;
};
