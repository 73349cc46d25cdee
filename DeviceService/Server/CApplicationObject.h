// Classes in this file:
//   CApplicationObject - one application entry of the keypad.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CApplicationObject : public CUnknownImpl<IApplication>
{
    // Data members
    GUID m_id;

public:
    explicit CApplicationObject(const GUID& id) : m_id(id) {}

    // IApplication
    STDMETHODIMP GetId(GUID* id) override;
    STDMETHODIMP Reserved2() override;
    STDMETHODIMP Reserved3() override;
    STDMETHODIMP SetPath(LPCWSTR path) override;
};
