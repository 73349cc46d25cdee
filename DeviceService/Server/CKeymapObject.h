// Classes in this file:
//   CKeymapObject - one key map of a profile; its key and button assignments are
//   sub-objects of their own.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CKeymapObject : public CUnknownImpl<IKeyMap>
{
    // Data members
    GUID m_profile;
    GUID m_id;

public:
    CKeymapObject(const GUID& profile, const GUID& id) : m_profile(profile), m_id(id) {}

    // IKeyMap
    STDMETHODIMP GetSubObject(REFIID iid, IUnknown** object) override;
    STDMETHODIMP GetId(GUID* id) override;
    STDMETHODIMP GetName(LPWSTR* name) override;
    STDMETHODIMP SetName(LPCWSTR name) override;
};
