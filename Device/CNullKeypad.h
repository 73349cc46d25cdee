// Classes in this file:
//   CNullKeypad - the offline device: fills the configuration with 20 default profiles
//   and answers every other operation with a fixed value, without a device service.
#pragma once

#include "CProgressMessenger.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

#include <map>
#include <vector>

class CNullKeypad : public CProgressMessenger, public IGenDevice<IKeypadConfig*, IKeypadProfile*>
{
    // Data members
    std::map<int, CAssignment> m_defaultButtonAssignments;
    std::vector<int32_t> m_keyIds;

public:
    static constexpr int kProfileCount = 20;

    CNullKeypad() = default;
    CNullKeypad(const CNullKeypad&) = delete;
    CNullKeypad& operator=(const CNullKeypad&) = delete;

    // Replaces every profile of the configuration by PROFILE01 to PROFILE20 and makes the
    // first active; answers the profile count.
    bool Initialize(IKeypadConfig* config) override;
    void Shutdown() override;
    bool IsBusy() override { return false; }
    bool ImportMacro(CString, IKeypadConfig*) override { return true; }
    bool ExportMacro(CString, CMacro*) override { return true; }
    bool HasMacro(CMacro*) override { return true; }
    bool ImportProfile(CString, IKeypadConfig*) override { return true; }
    bool ExportProfile(CString, IKeypadProfile*) override { return true; }
    bool HasProfile(IKeypadProfile*) override { return true; }
    bool EnterCaptureMode() override { return true; }
    bool LeaveCaptureMode() override { return true; }
    bool QueryOption(int) override { return true; }
    // No keypad to write to or read from.
    bool SyncConfig(IKeypadConfig*, int, uint16_t) override { return false; }
    bool IsConnected() override { return true; }
    bool GetVersionText(CString&) override { return true; }
    bool QueryOption2(int) override { return true; }
    bool CheckDevice() override { return true; }
    int GetProductId() override { return 0; }
    const wchar_t* GetDisplayName() override { return L"NullKeypad"; }
    int GetDeviceProfileCount() override { return kProfileCount; }
    void AddProgressWindow(HWND) override {}
    void RemoveProgressWindow(HWND) override {}
    int GetStatus() override { return 0; }
    // Nothing is ever written.
    bool FinishWrite(IKeypadConfig*) override { return false; }
    std::vector<CString> GetProfilesWithoutApplication() override { return {}; }

    const std::vector<int32_t>& GetKeyIds() const { return m_keyIds; }
};
