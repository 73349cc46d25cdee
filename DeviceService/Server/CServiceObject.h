// Classes in this file:
//   CServiceObject - what CoCreateInstance of the service returns: the device list, and
//   the simulator's controls.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

class CServiceObject : public CUnknownImpl<IDeviceList, IDeviceServiceControl>
{
public:
    // IDeviceList
    STDMETHODIMP Item(LONG index, IDevice** device) override;

    // IDeviceServiceControl
    STDMETHODIMP SetPresent(LONG present) override;
    STDMETHODIMP FailMethod(LPCWSTR method, HRESULT result, LONG afterCalls) override;
    STDMETHODIMP SetDelay(LONG milliseconds) override;
    STDMETHODIMP FireLaunchApplication(LONG type, LPCWSTR path) override;
    STDMETHODIMP DumpState(LPWSTR* text) override;
    STDMETHODIMP GetCallLog(LPWSTR* text) override;
    STDMETHODIMP ClearCallLog() override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP GetStatePath(LPWSTR* path) override;
    STDMETHODIMP Shutdown(DWORD* processId) override;
};
