// Classes in this file:
//   CLedObject - one LED of a profile with its colour, brightness and effect facets.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"
#include "KeypadRecords.h"

class CLedObject : public CUnknownImpl<ILed, ILedColour, ILedBrightness, ILedEffect>
{
    // Data members
    GUID m_profile;
    LONG m_ledId;

public:
    CLedObject(const GUID& profile, LONG ledId) : m_profile(profile), m_ledId(ledId) {}

    // ILed
    STDMETHODIMP TurnOn() override;
    STDMETHODIMP TurnOff() override;
    STDMETHODIMP GetState(LONG* on) override;
    STDMETHODIMP GetLedId(LONG* id) override;

    // ILedColour, ILedBrightness and ILedEffect share the names Set and Get; each is
    // told apart by its argument types.
    STDMETHODIMP Set(DWORD colour) override;
    STDMETHODIMP Get(DWORD* colour) override;
    STDMETHODIMP Set(LONG percent) override;
    STDMETHODIMP Get(LONG* percent) override;
    STDMETHODIMP Set(LONG effect, LONG onMs, LONG offMs) override;
    STDMETHODIMP Get(LONG* effect, LONG* onMs, LONG* offMs) override;

private:
    // Implementation
    template <class F>
    HRESULT ReadLed(const wchar_t* method, F f);
    template <class F>
    HRESULT ModifyLed(const wchar_t* method, F f);
};
