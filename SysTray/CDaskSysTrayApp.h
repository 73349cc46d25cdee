// Classes in this file:
//   CDaskSysTrayApp - the tray program's application object: one copy per session (the
//                     mutex "VelmoraSysTray"), and the hidden dialog whose window keeps the
//                     message loop running.
#pragma once

#include "CComApartment.h"
#include "CWinApp.h"

#include <memory>

class CDaskSysTrayDlg;

class CDaskSysTrayApp : public CWinApp
{
    struct HandleCloser
    {
        void operator()(HANDLE handle) const { ::CloseHandle(handle); }
    };

    // Data members
    // COM stays initialised on the thread until the message loop has ended: the dialog
    // ends its own initialisation when its window goes, and a call from the device service
    // that is already on its way must still find the apartment when the loop dispatches it.
    CComApartment m_com{ COINIT_APARTMENTTHREADED };
    // Held for the whole run, so that every later copy finds it.
    std::unique_ptr<void, HandleCloser> m_instanceMutex;
    CDaskSysTrayDlg* m_pDialog = nullptr;

public:
    static const wchar_t* const kMutexName;

    bool InitInstance() override;
    int ExitInstance() override;
};
