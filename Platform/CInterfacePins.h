// Classes in this file:
//   CInterfacePins - keeps every interface a process exports over COM registered with the
//   RPC runtime for as long as the pins live.
#pragma once

#include "CComPtr.h"

#include <objidl.h>

#include <mutex>
#include <vector>

// COM registers an interface id with the RPC runtime when the first stub of that id is
// made, and unregisters it when the last one goes, waiting there for the calls on that id
// to finish. Under concurrent calls that wait can hold the process's interface
// registration for good, and every later call that hands out an interface stops behind
// it. A table-strong marshalling of one object per interface id keeps a stub of every id
// alive, so the registration never comes and goes while the process serves calls.
class CInterfacePins
{
    struct Pin
    {
        IID iid;
        CComPtr<IStream> stream;
    };

    // Data members
    std::mutex m_lock;
    std::vector<Pin> m_pins;

public:
    CInterfacePins() = default;
    CInterfacePins(const CInterfacePins&) = delete;
    CInterfacePins& operator=(const CInterfacePins&) = delete;
    ~CInterfacePins() { ReleaseAll(); }

    // Pins iid with object, which must implement it; an id already pinned changes nothing.
    HRESULT Add(IUnknown* object, REFIID iid);
    // Lets every pin go; the objects are released once no client holds them.
    void ReleaseAll();
};
