// Classes in this file:
//   CWinApp - the program's one application object: InitInstance, the message loop and
//             ExitInstance, run by RunApplication from the program's entry point.
#pragma once

#include "CWnd.h"

class CWinApp
{
public:
    // Data members
    HINSTANCE m_hInstance = nullptr;
    // The main window; its destruction ends the message loop.
    CWnd* m_pMainWnd = nullptr;

    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Attributes
    static CWinApp* GetApp();

    // Operations
    // The entry point's work: InitInstance, then the message loop when it returned true,
    // else ExitInstance at once. Returns the program's exit code.
    int RunApplication(HINSTANCE instance);
    virtual bool InitInstance();
    // Runs the message loop until WM_QUIT, then returns ExitInstance's code.
    virtual int Run();
    virtual int ExitInstance();

private:
    int m_exitCode = 0;
};
