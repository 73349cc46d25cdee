// Classes in this file:
//   CProfileObject - one profile of the keypad, with its properties.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CProfileObject : public CUnknownImpl<IProfile, IProfileProperties>
{
    // Data members
    GUID m_id;

public:
    explicit CProfileObject(const GUID& id) : m_id(id) {}

    // IProfile
    STDMETHODIMP GetSubObject(REFIID iid, IUnknown** object) override;
    STDMETHODIMP GetId(GUID* id) override;
    STDMETHODIMP GetName(LPWSTR* name) override;
    STDMETHODIMP SetName(LPCWSTR name) override;
    STDMETHODIMP Reserved5() override;
    STDMETHODIMP ExportToFile(LPCWSTR path) override;

    // IProfileProperties
    STDMETHODIMP GetProperty(DWORD code, BYTE* buffer, DWORD offset, DWORD size, DWORD* stored) override;
    STDMETHODIMP SetProperty(DWORD code, const BYTE* data, DWORD offset, DWORD size, DWORD flags) override;
};
