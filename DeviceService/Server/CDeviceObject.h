// Classes in this file:
//   CDeviceObject - the keypad as the device list hands it out: its identity, its
//   feature managers, its mode and its status.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CDeviceObject : public CUnknownImpl<IDevice, IDeviceIdentity, IDeviceMode, IDeviceStatus>
{
public:
    // IDevice
    STDMETHODIMP GetInfo(DeviceInfo* info) override;
    STDMETHODIMP GetManager(REFIID iid, IUnknown** manager) override;

    // IDeviceIdentity
    STDMETHODIMP GetIds(LONG* vendorId, LONG* productId) override;

    // IDeviceMode and IDeviceStatus (Reserved1 is the unused first slot of both)
    STDMETHODIMP Reserved1() override;
    STDMETHODIMP SetMode(LONG mode) override;
    STDMETHODIMP Reserved2() override;
    STDMETHODIMP GetStatusFlag(BYTE* flag) override;
};
