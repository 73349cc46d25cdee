// Classes in this file:
//   CKeymapManagerObject - the key maps of one profile, and the source of its key-map
//   events.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

#include <ocidl.h>

class CKeymapManagerObject : public CUnknownImpl<IKeyMapManager, IConnectionPointContainer>
{
    // Data members
    GUID m_profile;

public:
    explicit CKeymapManagerObject(const GUID& profile) : m_profile(profile) {}

    // IKeyMapManager
    STDMETHODIMP Item(LONG index, IKeyMap** keymap) override;
    STDMETHODIMP GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IKeyMap** keymap) override;
    STDMETHODIMP SetActive(IKeyMap* keymap) override;
    STDMETHODIMP GetActive(IKeyMap** keymap) override;
    STDMETHODIMP Create(IKeyMap** keymap) override;
    STDMETHODIMP Delete(IKeyMap* keymap) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    // Implementation
    HRESULT HandOutKeymap(HRESULT hr, const GUID& id, IKeyMap** keymap) const;
};
