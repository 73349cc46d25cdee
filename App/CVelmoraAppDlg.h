// Classes in this file:
//   CVelmoraAppDlg - the program's main window: the skinned main page with four tab pages
//                    and the current-profile page, the start-up checks against the keypad,
//                    the command dispatch to the page code, changes pending with the Apply
//                    button, and the reactions to the keypad, the user session and the
//                    device service's events.
#pragma once

#include "CAppPopups.h"
#include "CAssignButtonsPage.h"
#include "CGUIPanel.h"
#include "CManageProfilesPage.h"
#include "CManageMacrosPage.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"
#include "IKvEventHandlers.h"
#include "IShellOpener.h"

#include <map>

class CBitmapBtn;
class CBitmapItem;
class CDropdownListItem;
class CTextItem;

class CVelmoraAppDlg : public CGUIPanel, public IKvKeymapEventHandler, public IKvProfileEventHandler
{
public:
    using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

    // The page flags ShowPage takes.
    static constexpr int kAssignPage = 1;
    static constexpr int kProfilesPage = 8;
    static constexpr int kMacrosPage = 16;
    static constexpr int kLightingPage = 32;
    // The macro page's recording state (its other states belong to the macro page).
    static constexpr int kMacroRecording = 3;
    // The start-up timer of the failure path and its delay.
    static constexpr UINT_PTR kStartupTimerId = 1;
    static constexpr UINT kStartupTimerDelay = 500;

    // The page collections, in loading order.
    enum tPage
    {
        kAssignButtons,
        kManageProfiles,
        kManageMacros,
        kLightingMaintenance,
        kCurrentProfile,
        kPageCount
    };

protected:
    // Data members
    HICON m_hIcon = nullptr;
    IKeypadConfig* m_pConfig;
    Device** m_ppDevice;
    std::map<int, CBitmapBtn*> m_keymapButtons;
    int m_macroState = 1;
    bool m_changesPending = false;
    CGUIItems m_pages[kPageCount];
    CGUIItems* m_pCurrentPage = nullptr;
    UINT_PTR m_startupTimer = 0;
    // The bound items by item id; an item the pages lack, or of another kind, is absent.
    std::map<int, CGUIItem*> m_bound;
    // The popups and file dialogs the pages open: the real ones unless a test sets others.
    CAppPopups m_ownPopups;
    IAppPopups* m_pPopups = &m_ownPopups;
    // The profile, macro and lighting pages: the shell that opens the manual and web
    // pages, the profile list's active row, and the stop button's tooltip key.
    IShellOpener* m_pShellOpener;
    int m_activeProfileRow = -1;
    CString m_stopToolTip;
    // The button assignment page: its menus, its choices and its drop-downs' texts.
    CAssignButtonsPage m_assignPage;
    // The profile management page's commands; the page calls the window's profile list code.
    CManageProfilesPage m_profilesPage;
    friend class CManageProfilesPage;
    // The macro management page's commands; the page calls the window's macro list code.
    CManageMacrosPage m_macrosPage;
    friend class CManageMacrosPage;

public:
    CVelmoraAppDlg(Device** device, IKeypadConfig* config);
    ~CVelmoraAppDlg() override;

    // Attributes
    bool HasChangesPending() const { return m_changesPending; }
    int GetMacroState() const { return m_macroState; }
    bool IsRecording() const { return m_macroState == kMacroRecording; }
    CGUIItems& GetPage(tPage page) { return m_pages[page]; }
    CGUIItems* GetCurrentPage() const { return m_pCurrentPage; }
    IAppPopups& GetPopups() const { return *m_pPopups; }
    // The flag of the current tab page; 0 before the first ShowPage.
    int GetCurrentPageFlag() const;
    UINT_PTR GetStartupTimer() const { return m_startupTimer; }
    // The bound item of that id when it is of the kind its binding asks for; else null.
    template <class T>
    T* Bound(int id) const
    {
        auto found = m_bound.find(id);
        return found == m_bound.end() ? nullptr : dynamic_cast<T*>(found->second);
    }
    const CString& GetStopToolTip() const { return m_stopToolTip; }

    // Operations
    // The popups the pages open from now on; null goes back to the real ones.
    void SetPopups(IAppPopups* popups) { m_pPopups = popups ? popups : &m_ownPopups; }
    void ShowPage(int flag);
    // For BUTTON_KEYMAP_1 .. BUTTON_KEYMAP_8; other ids are ignored.
    void SelectKeymap(int itemId);
    void RefreshKeymapButtons();
    void MarkChanged();
    void ActivateProfile(IKeypadProfile* profile);
    void RefreshPages();
    // The macro page's state 0..3; the macro page switches its controls with it.
    virtual void SetMacroPageState(int state);
    // The opener of the manual and web pages from now on; null goes back to the shell.
    void SetShellOpener(IShellOpener* opener);
    void SelectFirstProfile();
    CManageProfilesPage& GetProfilesPage() { return m_profilesPage; }

    void OnActiveKeyMapChanged(const GUID* keymapId) override;
    void OnActiveProfileChanged(const GUID* profileId) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void InitItems() override;
    bool OnHelp() override;

    Device* GetDevice() const { return m_ppDevice ? *m_ppDevice : nullptr; }
    // The item a control's window belongs to: the main page, the current page, then the
    // current-profile page.
    CGUIItem* FindCommandItem(HWND wnd) const;
    void DispatchCommand(int itemId);
    bool CheckKeypad();
    void FinishStartup();
    // Creates the key-map and profile callbacks for this window and connects them.
    virtual void ConnectDeviceEvents();
    void FirstRefresh();
    void ShowVersionTexts();
    void OnStartupTimer();
    LRESULT OnDeviceChange(WPARAM event, LPARAM header);
    void OnSessionChange(WPARAM code);
    LRESULT OnNcHitTest();
    void OnDestroy();
    bool IsRecordingOnMacroPage() const;
    void SetApplyEnabled(bool enabled);
    void SetChecked(int itemId, bool checked);
    bool IsChecked(int itemId) const;
    void ShowLed(int index, bool show);

    // Apply: writes the whole configuration to the keypad on the device worker.
    bool Apply();

    // The page code: the assignment, profile, macro and lighting pages fill these in.
    virtual void BuildAssignmentMenus();
    virtual void RefreshAssignmentTexts();
    // The drop-downs of the assignment page report here first; false for other senders.
    bool OnAssignmentDropdown(UINT message, LPARAM lParam);
    virtual void FillProfileList();
    virtual void UpdateUnassignApplicationEntry();
    virtual void FillMacroList();
    virtual void FillCommandLists();
    virtual void SetUpMacroDisplay();
    virtual void SetBrightnessSlider();
    // The lighting page's colour button shows the active profile's LED colour.
    void SetColourButton();
    virtual void OpenHelpPage();
    virtual void OpenManual();
    virtual void OpenWebPage(int itemId);
    virtual void RestoreDefaults() { m_profilesPage.RestoreActiveProfileDefaults(); }
    virtual void NewProfile() { m_profilesPage.NewProfile(); }
    virtual void ExportProfile() { m_profilesPage.ExportProfile(-1); }
    virtual void ImportProfile() { m_profilesPage.ImportProfile(); }
    virtual void DeleteProfile() { m_profilesPage.DeleteProfile(-1); }
    virtual void NewMacro() { m_macrosPage.NewMacro(); }
    virtual void StartRecording() { m_macrosPage.StartRecording(); }
    virtual void StopRecordingOrPreview() { m_macrosPage.StopRecordingOrPreview(); }
    virtual void ImportMacro() { m_macrosPage.ImportMacro(); }
    virtual void ExportMacro() { m_macrosPage.ExportMacro(); }
    virtual void DeleteMacro() { m_macrosPage.DeleteMacro(); }
    virtual void RenameMacro() { m_macrosPage.RenameMacro(); }
    virtual void SetIgnoreDelay(bool on) { m_macrosPage.SetIgnoreDelay(on); }
    virtual void InsertCommand(int listId) { m_macrosPage.InsertCommand(listId); }
    virtual void PlayPreview() { m_macrosPage.PlayPreview(); }
    virtual void SelectFirstEvent() { m_macrosPage.SelectFirstEvent(); }
    virtual void SelectLastEvent() { m_macrosPage.SelectLastEvent(); }
    virtual void SetInsertDefaultDelay(bool on) { m_macrosPage.SetInsertDefaultDelay(on); }
    virtual void InsertDelay() { m_macrosPage.InsertDelay(); }
    // The private messages of the pages' controls (handled by the page that owns the
    // control); the result goes back to the sender.
    virtual LRESULT OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The profile, macro and lighting pages.
    // OK: writes, then closes; a write the device refused keeps the window open with the
    // changes pending and says so.
    void OnOkButton();
    void ShowWriteFailed();
    void UpdateProfileMenu(int row);
    void OnBrightnessMessage(UINT message, WPARAM position, LPARAM itemId);
    void OnColourChosen(COLORREF colour, LPARAM controlId);
    void SetMacroControlsEnabled(bool enabled);
    void SetItemEnabled(int itemId, bool enabled);
};
