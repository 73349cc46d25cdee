// Classes in this file:
//   CServerFigures - what the device service's process holds: threads and committed memory
//   from the system, sinks and live objects from the service's own state dump.
#pragma once

#include "DeviceService.h"

#include <windows.h>

struct ServerFigures
{
    LONG threads = 0;
    double committedMb = 0;
    LONG sinks = -1;
    LONG objects = -1;    // -1 where the dump does not tell
    LONG couriers = -1;   // the threads that deliver events
    LONG shared = 0;      // of the objects, those every client is handed
};

class CServerFigures
{
    // Data members
    DWORD m_processId = 0;
    HANDLE m_process = nullptr;

public:
    CServerFigures() = default;
    CServerFigures(const CServerFigures&) = delete;
    CServerFigures& operator=(const CServerFigures&) = delete;
    ~CServerFigures();

    // Finds the running service by its program name.
    bool Open();
    ServerFigures ReadProcess() const;
    ServerFigures Read(IDeviceServiceControl* control) const;
};
