// Classes in this file:
//   CProfileManagerObject - the keypad's profiles, and the source of the profile events.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

#include <ocidl.h>

class CProfileManagerObject : public CUnknownImpl<IProfileManager, IConnectionPointContainer>
{
public:
    // IProfileManager
    STDMETHODIMP Item(LONG index, IProfile** profile) override;
    STDMETHODIMP GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IProfile** profile) override;
    STDMETHODIMP SetActive(IProfile* profile) override;
    STDMETHODIMP GetActive(IProfile** profile) override;
    STDMETHODIMP Create(IProfile** profile) override;
    STDMETHODIMP Delete(IProfile* profile) override;
    STDMETHODIMP Reserved7() override;
    STDMETHODIMP ImportFromFile(LPCWSTR path, IProfile** profile) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
};
