// Classes in this file:
//   CFakeKeypad - a connected keypad for the configuration program's tests: idle, every
//                 read and write succeeds, it holds no profile or macro files and takes
//                 none, and it reports 20 profiles; a test derives from it and scripts
//                 only the answers it looks at.
#pragma once

#include "CString.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CFakeKeypad : public IGenDevice<IKeypadConfig*, IKeypadProfile*>
{
public:
    bool Initialize(IKeypadConfig* config) override;
    void Shutdown() override;
    bool IsBusy() override;
    bool ImportMacro(CString path, IKeypadConfig* config) override;
    bool ExportMacro(CString path, CMacro* macro) override;
    bool HasMacro(CMacro* macro) override;
    bool ImportProfile(CString path, IKeypadConfig* config) override;
    bool ExportProfile(CString path, IKeypadProfile* profile) override;
    bool HasProfile(IKeypadProfile* profile) override;
    bool EnterCaptureMode() override;
    bool LeaveCaptureMode() override;
    bool QueryOption(int option) override;
    bool SyncConfig(IKeypadConfig* config, int mode, uint16_t flags) override;
    bool IsConnected() override;
    // "1.05".
    bool GetVersionText(CString& out) override;
    bool QueryOption2(int option) override;
    bool CheckDevice() override;
    int GetProductId() override;
    const wchar_t* GetDisplayName() override;
    int GetDeviceProfileCount() override;
    void AddProgressWindow(HWND window) override;
    void RemoveProgressWindow(HWND window) override;
    int GetStatus() override;
    bool FinishWrite(IKeypadConfig* config) override;
    std::vector<CString> GetProfilesWithoutApplication() override;
};
