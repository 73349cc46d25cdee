// Classes in this file:
//   CDaskSysTrayDlg - the tray program's one window: a hidden modeless dialog that owns the
//                     tray icon, the notices, the timers and the service connections, and
//                     dispatches every message. It deletes itself when its window is gone.
#pragma once

#include "CComApartment.h"
#include "CDialog.h"
#include "CGUIItems.h"
#include "COnScreenNotice.h"
#include "CStringArray.h"
#include "CTrayConnections.h"
#include "CTrayNotifyIcon.h"
#include "ProfileSetting.h"
#include "TrayEventHandlers.h"
#include "TrayMenu.h"

#include <dbt.h>

#include <memory>
#include <vector>

class CDaskSysTrayDlg : public CDialog,
                        public IProfileEventHandler,
                        public IMacroEventHandler,
                        public ILaunchAppEventHandler
{
    // Data members
    // Declared first so that COM outlives every service object below.
    CComApartment m_com;
    HICON m_bigIcon = nullptr;
    HICON m_trayIconImage = nullptr;
    CTrayNotifyIcon m_trayIcon;
    CStringArray m_profileNames;
    std::vector<_Profile_Setting_> m_profileSettings;
    // 701 while a left click waits for a possible double click, else 0.
    UINT_PTR m_clickTimer = 0;
    std::unique_ptr<COnScreenNotice> m_notice;
    // Never "Load Velmora"'s id: the close item of a menu without profiles until the first
    // menu is built.
    UINT m_closeCommand = kFirstCloseCommand;
    HDEVNOTIFY m_deviceNotification = nullptr;
    bool m_sessionNotification = false;
    CTrayConnections m_connections;
    CGUIItems m_languageItems;
    POINT m_clickPoint = {};
    bool m_shutDown = false;

public:
    static constexpr UINT_PTR kPollTimer = 700;
    static constexpr UINT kPollMs = 5000;
    static constexpr UINT_PTR kClickTimer = 701;
    // The hidden window's title, by which other programs and the tests find it.
    static const wchar_t* const kWindowTitle;

    CDaskSysTrayDlg();
    // Releases what shut-down releases (when it has not run), before the window goes.
    ~CDaskSysTrayDlg() override;

    // Attributes
    bool IsConnected() const { return m_connections.IsConnected(); }
    UINT GetCloseCommand() const { return m_closeCommand; }

    // IProfileEventHandler, ILaunchAppEventHandler, IMacroEventHandler
    void OnActiveProfileChanged(const GUID* profileId) override;
    void OnLaunchApplication(int type, const wchar_t* path) override;
    void OnRecordingCancelled() override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnInitDialog() override;
    // The hidden dialog ignores Enter and Escape.
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override;

private:
    // Message handlers, in the order of the message map.
    bool OnSysCommand(WPARAM command);
    bool OnPaint();
    void OnDeviceChange(WPARAM event, LPARAM data);
    void OnSessionChange(WPARAM code);
    void OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    // True when the command was handled here.
    bool OnCommand(UINT id);
    void OnTimer(UINT_PTR id);

    void LoadLanguage();
    void StartPolling();
    void StopPolling();
    void Connect();
    void Disconnect();
    void OnKeypadGone();
    void PollForeground();
    void ChooseProfile(int index);
    void OpenConfigProgram();
    void ShowMenu(POINT point);
    void RebuildMenu();
    void ShowNotice(const CString& text);
    // The shut-down steps up to destroying the window; run once.
    void ReleaseResources();
    void ShutDown();
};
