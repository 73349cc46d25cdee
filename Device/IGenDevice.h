// Classes in this file:
//   IGenDevice<TConfig, TProfile> - the configuration program's road to the keypad.
#pragma once

#include "CMacro.h"
#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

template <typename TConfig, typename TProfile>
class IGenDevice
{
public:
    // Reads what the device holds into the configuration.
    virtual bool Initialize(TConfig config) = 0;
    // Waits for a running write, then lets the device go.
    virtual void Shutdown() = 0;
    // True while a write or read runs; every other device operation fails meanwhile.
    virtual bool IsBusy() = 0;
    virtual bool ImportMacro(CString path, TConfig config) = 0;
    virtual bool ExportMacro(CString path, CMacro* macro) = 0;
    virtual bool HasMacro(CMacro* macro) = 0;
    virtual bool ImportProfile(CString path, TConfig config) = 0;
    virtual bool ExportProfile(CString path, TProfile profile) = 0;
    virtual bool HasProfile(TProfile profile) = 0;
    virtual bool EnterCaptureMode() = 0;
    virtual bool LeaveCaptureMode() = 0;
    virtual bool QueryOption(int option) = 0;
    // Mode 0 writes the configuration on the worker thread, mode 1 reads it.
    virtual bool SyncConfig(TConfig config, int mode, uint16_t flags) = 0;
    virtual bool IsConnected() = 0;
    virtual bool GetVersionText(CString& out) = 0;
    virtual bool QueryOption2(int option) = 0;
    virtual bool CheckDevice() = 0;
    virtual int GetProductId() = 0;
    virtual const wchar_t* GetDisplayName() = 0;
    virtual int GetDeviceProfileCount() = 0;
    virtual void AddProgressWindow(HWND window) = 0;
    virtual void RemoveProgressWindow(HWND window) = 0;
    virtual int GetStatus() = 0;
    // On the GUI thread once a write has ended (WM_DEVICE_SYNC_DONE): what the write
    // gave and accepted reaches the configuration it was taken from.
    virtual bool FinishWrite(TConfig config) = 0;
    // The names of the profiles whose application name the last write left out, being
    // longer than the keypad holds; empty while a write runs.
    virtual std::vector<CString> GetProfilesWithoutApplication() = 0;
    virtual ~IGenDevice() = default;
};
