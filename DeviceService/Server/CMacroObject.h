// Classes in this file:
//   CMacroObject - one macro of the keypad and its events.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CMacroObject : public CUnknownImpl<IMacro>
{
    // Data members
    GUID m_id;

public:
    explicit CMacroObject(const GUID& id) : m_id(id) {}

    // IMacro
    STDMETHODIMP GetId(GUID* id) override;
    STDMETHODIMP GetName(LPWSTR* name) override;
    STDMETHODIMP SetName(LPCWSTR name) override;
    STDMETHODIMP ExportToFile(LPCWSTR path) override;
    STDMETHODIMP GetData(DWORD* size, BYTE** data) override;
    STDMETHODIMP SetData(DWORD size, const BYTE* data) override;
};
