// Classes in this file:
//   CMacroManagerObject - the keypad's macros.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CMacroManagerObject : public CUnknownImpl<IMacroManager>
{
public:
    // IMacroManager
    STDMETHODIMP Item(LONG index, IMacro** macro) override;
    STDMETHODIMP GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IMacro** macro) override;
    STDMETHODIMP Create(IMacro** macro) override;
    STDMETHODIMP Delete(IMacro* macro) override;
    STDMETHODIMP Reserved5() override;
    STDMETHODIMP ImportFromFile(LPCWSTR path, IMacro** macro) override;
};
