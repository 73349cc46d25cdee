#include "CWinApp.h"

namespace
{
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp()
{
    if (!g_pApp)
        g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* CWinApp::GetApp()
{
    return g_pApp;
}

int CWinApp::RunApplication(HINSTANCE instance)
{
    m_hInstance = instance;
    if (!InitInstance())
        return ExitInstance();
    return Run();
}

bool CWinApp::InitInstance()
{
    return true;
}

int CWinApp::Run()
{
    MSG msg = {};
    for (;;)
    {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
        {
            m_exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1)
        {
            m_exitCode = -1;
            break;
        }
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}
