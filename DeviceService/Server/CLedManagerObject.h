// Classes in this file:
//   CLedManagerObject - the LEDs of one profile.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CLedManagerObject : public CUnknownImpl<ILedManager>
{
    // Data members
    GUID m_profile;

public:
    explicit CLedManagerObject(const GUID& profile) : m_profile(profile) {}

    // ILedManager
    STDMETHODIMP Item(LONG index, ILed** led) override;
};
