#include "CVelmoraAppDlg.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CBitmapItem.h"
#include "CDeviceListener.h"
#include "CDropdownColorButton.h"
#include "CDropdownListItem.h"
#include "CListPanelItem.h"
#include "CFileVersions.h"
#include "CKvCallbacks.h"
#include "CLangTable.h"
#include "CPredefinedMacroList.h"
#include "CShellOpener.h"
#include "CSliderHMulti.h"
#include "CPHSlider.h"
#include "CXListCellRecord.h"
#include "CXListCtrl.h"
#include "ExeFolder.h"
#include "PageRules.h"
#include "CSessionListener.h"
#include "CTextItem.h"
#include "CVelmoraWarningDlg.h"
#include "DeviceEventDecisions.h"
#include "GUIMessages.h"
#include "GUIPageLoader.h"

#include <cwchar>

namespace
{
const wchar_t kMainPage[] = L"MainPage.xml";
const wchar_t kNoKeypadPopup[] = L"NoMousePopup.xml";
const wchar_t kTitleKey[] = L"$Kavro^Configurator";
const wchar_t* const kPageFiles[CVelmoraAppDlg::kPageCount] = { L"AssignButtons.xml", L"ManageProfiles.xml",
    L"ManageMacros.xml", L"LightingMaintenance.xml", L"CurrentProfile.xml" };

constexpr int kAnyKind = -2;
constexpr int kMainItems = -1;
constexpr int kKeymapCount = 8;
constexpr uint16_t kAllCategories = 0xFFF;

// The lighting page: LED 4 of the active profile, its slider's range and the item id its
// thumb reports with.
constexpr tLEDType kLightingLed = static_cast<tLEDType>(4);
constexpr int kBrightnessMin = 10;
constexpr int kBrightnessMax = 100;
constexpr int kBrightnessThumbId = 156;

const wchar_t kManualPage[] = L"%sManuals\\index.html";
const wchar_t kHelpPage[] = L"%sManuals\\Velmora\\index.html";

// The web buttons' pages.
struct WebPage
{
    int itemId;
    const wchar_t* address;
};

const WebPage kWebPages[] = {
    { BUTTON_UPDATE, L"https://support.example.com/velmora/drivers" },
    { BUTTON_FB, L"https://social.example.com/kavro" },
    { BUTTON_TWITTER, L"https://short.example.com/kavro" },
    { BUTTON_CIRQ, L"https://community.example.com/" },
};

// The controls the macro page's state switches together.
const int kMacroStateSet[] = { BUTTON_ASSIGNBUTTONS, BUTTON_MANAGEPROFILES, BUTTON_MANAGEMACROS,
    BUTTON_LIGHTINGMAINTENANCE, BUTTON_OK, BUTTON_CANCEL, BUTTON_ADD_BASIC_MACRO_CMDS, BUTTON_ADD_ADV_MACRO_CMDS,
    BUTTON_INSERT_DELAY, BUTTON_MACRO_CREATE, BUTTON_MACRO_IMPORT, BUTTON_MACRO_EXPORT, BUTTON_MACRO_DELETE,
    BUTTON_MACRO_RENAME, BUTTON_IGNORE_DELAY, TEXT_IGNORE_DELAY, BUTTON_INSERTDEFAULT_DELAY, TEXT_INSERTDEFAULT_DELAY,
    BUTTON_MACRO_RECORD, BUTTON_MACRO_RECORD_PLAY, BUTTON_MACRO_RECORD_BACKWARD, BUTTON_MACRO_RECORD_FORWARD };

// What state 0 (no macro) disables of that set, and the default-delay edit.
const int kNeedsMacro[] = { BUTTON_MACRO_EXPORT, BUTTON_MACRO_DELETE, BUTTON_MACRO_RENAME, BUTTON_MACRO_RECORD_PLAY,
    BUTTON_MACRO_RECORD_BACKWARD, BUTTON_MACRO_RECORD_FORWARD, BUTTON_INSERT_DELAY, BUTTON_ADD_BASIC_MACRO_CMDS,
    BUTTON_ADD_ADV_MACRO_CMDS, BUTTON_IGNORE_DELAY, TEXT_IGNORE_DELAY, BUTTON_INSERTDEFAULT_DELAY,
    TEXT_INSERTDEFAULT_DELAY, EDITCTRL_DEFAULT_DELAY };

const wchar_t kStopRecordingTip[] = L"$StopRecordingMacroEvents";
const wchar_t kStopPreviewTip[] = L"$Stop";
const wchar_t kUnassignApplicationEntry[] = L"$UnassignApplication";
const wchar_t kWriteFailedPopup[] = L"WriteFailedPopup.xml";

// The items InitItems binds: the page they are found on, an id range and the kind they
// must have.
struct Binding
{
    int page;
    int firstId;
    int lastId;
    int kind;
};

const Binding kBindings[] = {
    { kMainItems, BUTTON_ASSIGNBUTTONS, BUTTON_LIGHTINGMAINTENANCE, GUIKIND_BITMAPBTN },
    { kMainItems, BUTTON_OK, BUTTON_APPLY, GUIKIND_BITMAPBTN },
    { kMainItems, TEXT_DRIVERVER, TEXT_FIRMWAREVER, GUIKIND_TEXTITEM },
    { CVelmoraAppDlg::kAssignButtons, BUTTON_ASSNBUTTON1, BUTTON_ASSNDOWNRIGHT, GUIKIND_DROPDOWN },
    { CVelmoraAppDlg::kAssignButtons, BUTTON_KEYMAP_1, BUTTON_KEYMAP_8, GUIKIND_BITMAPBTN },
    { CVelmoraAppDlg::kAssignButtons, BITMAP_KEYMAP1_LED, BITMAP_KEYMAP1_LED + kKeymapCount - 1, GUIKIND_BITMAPITEM },
    { CVelmoraAppDlg::kAssignButtons, LISTPANEL_ASSIGNSUBMENU_PR, LISTPANEL_ASSIGNSUBMENU_MA, kAnyKind },
    { CVelmoraAppDlg::kAssignButtons, LISTPANEL_ASSIGNSUBMENU_MORE, LISTPANEL_ASSIGNSUBMENU_MOUSE, kAnyKind },
    { CVelmoraAppDlg::kManageProfiles, LIST_PROFILELIST, LIST_PROFILELIST, GUIKIND_LISTCTRL },
    { CVelmoraAppDlg::kManageProfiles, LISTPANEL_PROFILEOPTIONS, LISTPANEL_PROFILEOPTIONS, kAnyKind },
    { CVelmoraAppDlg::kManageProfiles, BUTTON_ENABLE_PROFILE_OSD, BUTTON_ENABLE_PROFILE_OSD, GUIKIND_BITMAPBTN },
    { CVelmoraAppDlg::kManageProfiles, TEXT_ENABLE_PROFILE_OSD, TEXT_ENABLE_PROFILE_OSD, GUIKIND_TEXTITEM },
    { CVelmoraAppDlg::kManageMacros, LIST_GLOBALMACROLIST, LIST_GLOBALMACROLIST, GUIKIND_DROPDOWN },
    { CVelmoraAppDlg::kManageMacros, LIST_GLOBAL_BASIC_COMMANDS, LIST_GLOBAL_ADDITIONAL_COMMANDS, GUIKIND_DROPDOWN },
    { CVelmoraAppDlg::kManageMacros, MACRO_DISPLAY, MACRO_DISPLAY_READONLY, GUIKIND_MACRODISPLAY },
    { CVelmoraAppDlg::kManageMacros, LISTPANEL_MACROOPTIONS_KEYSTROKE, LISTPANEL_MACROOPTIONS_MOUSECLICK, kAnyKind },
    { CVelmoraAppDlg::kManageMacros, BUTTON_MACRO_CREATE, BUTTON_MACRO_RECORD_FORWARD, GUIKIND_BITMAPBTN },
    { CVelmoraAppDlg::kManageMacros, BUTTON_INSERTDEFAULT_DELAY, BUTTON_INSERT_DELAY, GUIKIND_BITMAPBTN },
    { CVelmoraAppDlg::kManageMacros, TEXT_IGNORE_DELAY, TEXT_INSERTDEFAULT_DELAY, GUIKIND_TEXTITEM },
    { CVelmoraAppDlg::kManageMacros, EDITCTRL_INSERT_DELAY, EDITCTRL_DEFAULT_DELAY, GUIKIND_EDIT },
    { CVelmoraAppDlg::kLightingMaintenance, SLIDER_LED_BRIGHTNESS, SLIDER_LED_BRIGHTNESS, GUIKIND_SLIDERHMULTI },
    { CVelmoraAppDlg::kLightingMaintenance, kUnnamedColorButtonId, kUnnamedColorButtonId, GUIKIND_DROPDOWNCOLOR },
    { CVelmoraAppDlg::kCurrentProfile, LIST_GLOBALPROFILELIST, LIST_GLOBALPROFILELIST, GUIKIND_DROPDOWN },
};

// The tab pages: flag, page collection, tab button, and whether the current-profile page
// shows beside it.
struct TabPage
{
    int flag;
    CVelmoraAppDlg::tPage page;
    int tabButton;
    bool showsCurrentProfile;
};

const TabPage kTabPages[] = {
    { CVelmoraAppDlg::kAssignPage, CVelmoraAppDlg::kAssignButtons, BUTTON_ASSIGNBUTTONS, true },
    { CVelmoraAppDlg::kProfilesPage, CVelmoraAppDlg::kManageProfiles, BUTTON_MANAGEPROFILES, false },
    { CVelmoraAppDlg::kMacrosPage, CVelmoraAppDlg::kManageMacros, BUTTON_MANAGEMACROS, false },
    { CVelmoraAppDlg::kLightingPage, CVelmoraAppDlg::kLightingMaintenance, BUTTON_LIGHTINGMAINTENANCE, true },
};

bool SameGuid(const GUID& a, const GUID& b)
{
    return ::IsEqualGUID(a, b) != FALSE;
}
}

CVelmoraAppDlg::CVelmoraAppDlg(Device** device, IKeypadConfig* config)
    : CGUIPanel(IDD_VELMORA_MAIN, kMainPage, nullptr), m_pConfig(config), m_ppDevice(device), m_ownPopups(this),
      m_pShellOpener(&CShellOpener::Get()), m_stopToolTip(kStopRecordingTip),
      m_assignPage(config, device, &m_pPopups, [this]() { MarkChanged(); }),
      m_profilesPage(*this, config, device),
      m_macrosPage(*this, config, device)
{
    m_hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
        0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

CVelmoraAppDlg::~CVelmoraAppDlg()
{
    // The page items are children of the window: it goes before them.
    DestroyWindow();
    for (CGUIItems& page : m_pages)
        page.DeleteAll();
}

int CVelmoraAppDlg::GetCurrentPageFlag() const
{
    for (const TabPage& tab : kTabPages)
    {
        if (m_pCurrentPage == &m_pages[tab.page])
            return tab.flag;
    }
    return 0;
}

void CVelmoraAppDlg::ShowPage(int flag)
{
    const TabPage* chosen = nullptr;
    for (const TabPage& tab : kTabPages)
    {
        if (tab.flag == flag)
            chosen = &tab;
    }
    if (!chosen || m_pCurrentPage == &m_pages[chosen->page])
        return;
    for (const TabPage& tab : kTabPages)
    {
        m_pages[tab.page].ShowAll(tab.flag == flag);
        SetChecked(tab.tabButton, tab.flag == flag);
    }
    m_pages[kCurrentProfile].ShowAll(chosen->showsCurrentProfile);
    m_pCurrentPage = &m_pages[chosen->page];
    if (flag == kAssignPage)
        RefreshKeymapButtons();
}

void CVelmoraAppDlg::SelectKeymap(int itemId)
{
    if (itemId < BUTTON_KEYMAP_1 || itemId > BUTTON_KEYMAP_8)
        return;
    for (int id = BUTTON_KEYMAP_1; id <= BUTTON_KEYMAP_8; ++id)
        SetChecked(id, id == itemId);
    const int index = itemId - BUTTON_KEYMAP_1;
    IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (profile)
    {
        CKeymap* keymap = profile->GetKeymap(index);
        if (keymap && keymap != profile->GetCurrentKeymap())
        {
            m_pConfig->SetCurrentKeymap(keymap, profile);
            MarkChanged();
        }
    }
    if (GetCurrentPageFlag() == kAssignPage)
    {
        for (int led = 0; led < kKeymapCount; ++led)
            ShowLed(led, led == index);
    }
    if (profile && profile->GetCurrentKeymap())
        RefreshAssignmentTexts();
}

void CVelmoraAppDlg::RefreshKeymapButtons()
{
    IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (!profile)
        return;
    CKeymap* current = profile->GetCurrentKeymap();
    const bool onAssignPage = GetCurrentPageFlag() == kAssignPage;
    const int count = profile->GetKeymapCount() < kKeymapCount ? profile->GetKeymapCount() : kKeymapCount;
    for (int index = 0; index < count; ++index)
    {
        const bool isCurrent = profile->GetKeymap(index) == current;
        SetChecked(BUTTON_KEYMAP_1 + index, isCurrent);
        if (onAssignPage)
            ShowLed(index, isCurrent);
    }
    if (current)
        RefreshAssignmentTexts();
}

void CVelmoraAppDlg::MarkChanged()
{
    m_changesPending = true;
    SetApplyEnabled(true);
}

void CVelmoraAppDlg::ActivateProfile(IKeypadProfile* profile)
{
    if (!m_pConfig || !profile)
        return;
    m_pConfig->SetActiveProfile(profile);
    if (!profile->GetCurrentKeymap())
        profile->SetCurrentKeymap(profile->GetKeymap(0));
    FillProfileList();
    RefreshPages();
    MarkChanged();
}

void CVelmoraAppDlg::RefreshPages()
{
    IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (profile && profile->GetCurrentKeymap())
        RefreshAssignmentTexts();
    if (m_pConfig)
        SetChecked(BUTTON_ENABLE_PROFILE_OSD, m_pConfig->IsProfileOsdEnabled(nullptr));
    SetBrightnessSlider();
    SetColourButton();
    UpdateUnassignApplicationEntry();
    RefreshKeymapButtons();
}

void CVelmoraAppDlg::SetMacroPageState(int state)
{
    m_macroState = state;
    const bool idle = state == 0 || state == 1;
    for (int id : kMacroStateSet)
        SetItemEnabled(id, idle);
    if (state == 0)
    {
        for (int id : kNeedsMacro)
            SetItemEnabled(id, false);
    }
    if (!idle)
        SetItemEnabled(BUTTON_MACRO_RECORD_STOP, true);
    m_stopToolTip = state == 2 ? kStopPreviewTip : kStopRecordingTip;
    if (CBitmapBtn* stop = Bound<CBitmapBtn>(BUTTON_MACRO_RECORD_STOP))
        stop->SetItemToolTipText(m_stopToolTip);
    SetItemEnabled(LIST_GLOBALMACROLIST, state == 0 || state == 1);
    SetItemEnabled(LIST_GLOBAL_BASIC_COMMANDS, state == 1);
    SetItemEnabled(LIST_GLOBAL_ADDITIONAL_COMMANDS, state == 1);
    if (state == 2)
    {
        SetItemEnabled(MACRO_DISPLAY, false);
        SetItemEnabled(MACRO_DISPLAY_READONLY, true);
    }
    else if (state == 3)
    {
        SetItemEnabled(MACRO_DISPLAY, true);
        SetItemEnabled(MACRO_DISPLAY_READONLY, false);
        if (CGUIItem* editor = Bound<CGUIItem>(MACRO_DISPLAY))
            editor->Show(true);
        if (CGUIItem* copy = Bound<CGUIItem>(MACRO_DISPLAY_READONLY))
            copy->Show(false);
    }
    if (state != 0)
        SetItemEnabled(EDITCTRL_DEFAULT_DELAY, IsChecked(BUTTON_INSERTDEFAULT_DELAY));
}

void CVelmoraAppDlg::OnActiveKeyMapChanged(const GUID* keymapId)
{
    IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (!profile || !keymapId)
        return;
    for (int index = 0; index < profile->GetKeymapCount() && index < kKeymapCount; ++index)
    {
        CKeymap* keymap = profile->GetKeymap(index);
        if (keymap && SameGuid(keymap->GetGUID(), *keymapId))
            SelectKeymap(BUTTON_KEYMAP_1 + index);
    }
}

void CVelmoraAppDlg::OnActiveProfileChanged(const GUID* profileId)
{
    if (!m_pConfig || !profileId)
        return;
    IKeypadProfile* profile = m_pConfig->FindProfileByGUID(*profileId);
    if (!profile)
        return;
    IKeypadProfile* active = m_pConfig->GetActiveProfile();
    GUID activeId = GUID_NULL;
    if (active && SameGuid(*active->GetGUID(&activeId), *profileId))
        return;
    ActivateProfile(profile);
}

bool CVelmoraAppDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if ((message == WM_GUI_DROPDOWN_CLICKED || message == WM_GUI_DROPDOWN_SELCHANGE) &&
        OnAssignmentDropdown(message, lParam))
    {
        result = 0;
        return true;
    }
    switch (message)
    {
    case WM_ERASEBKGND: // the page paints everything
        result = 0;
        return true;
    case WM_QUERYDRAGICON: // HCURSOR OnQueryDragIcon()
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_ACTIVATE: // the dialog's own activation handling does not run
        result = 0;
        return true;
    case WM_TIMER: // void OnStartupTimer()
        if (wParam == kStartupTimerId && m_startupTimer)
            OnStartupTimer();
        result = 0;
        return true;
    case WM_NCHITTEST: // LRESULT OnNcHitTest(): dragged by any point of its background
        result = OnNcHitTest();
        return true;
    case WM_DEVICECHANGE: // LRESULT OnDeviceChange(UINT event, DEV_BROADCAST_HDR*)
        result = OnDeviceChange(wParam, lParam);
        return true;
    case WM_WTSSESSION_CHANGE: // void OnSessionChange(UINT code)
        OnSessionChange(wParam);
        result = 0;
        return true;
    case WM_DESTROY: // void OnDestroy(), then the panel's own
        OnDestroy();
        break;
    case WM_GUI_SLIDERTRACK_CLICK:
    case WM_GUI_LIST_ROW_CLICKED:
        result = 0;
        return true;
    case WM_GUI_SLIDER_POSCHANGING:
    case WM_GUI_SLIDER_POSCHANGED:
    case WM_GUI_DROPDOWN_SELCHANGE:
    case WM_GUI_DROPDOWN_CLICKED:
    case WM_GUI_LIST_CELL_TEXT_CHANGED:
    case WM_GUI_LIST_CHECKBOX_CHANGED:
    case WM_GUI_LIST_ROW_RCLICKED:
    case WM_GUI_LIST_MENU_COMMAND:
    case WM_GUI_LIST_CELL_DBLCLK:
    case WM_GUI_MACRO_CHANGED:
    case WM_GUI_MACRO_EDIT_EVENT:
    case WM_GUI_MACRO_PLAYBACK_DONE:
    case WM_GUI_ITEM_VALUE_CHANGED:
    case WM_GUI_EDIT_CHANGED: // LRESULT OnPageMessage(UINT, WPARAM, LPARAM)
        result = OnPageMessage(message, wParam, lParam);
        return true;
    default:
        break;
    }
    return CGUIPanel::OnWndMsg(message, wParam, lParam, result);
}

bool CVelmoraAppDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CGUIItem* item = FindCommandItem(reinterpret_cast<HWND>(lParam));
    if (item && (item->m_kind == GUIKIND_BITMAPBTN || item->m_kind == GUIKIND_TEXTITEM) &&
        (!IsRecording() || item->m_id == BUTTON_MACRO_RECORD_STOP))
        DispatchCommand(item->m_id);
    return CGUIPanel::OnCommand(wParam, lParam);
}

CGUIItem* CVelmoraAppDlg::FindCommandItem(HWND wnd) const
{
    if (!wnd)
        return nullptr;
    if (CGUIItem* item = m_items.FindItemByHwnd(wnd))
        return item;
    if (m_pCurrentPage)
    {
        if (CGUIItem* item = m_pCurrentPage->FindItemByHwnd(wnd))
            return item;
    }
    return m_pages[kCurrentProfile].FindItemByHwnd(wnd);
}

void CVelmoraAppDlg::DispatchCommand(int itemId)
{
    const bool onProfilesPage = GetCurrentPageFlag() == kProfilesPage;
    switch (itemId)
    {
    case BUTTON_OK:
        OnOkButton();
        break;
    case BUTTON_CANCEL:
        ShowWindow(SW_HIDE);
        PostMessage(WM_CLOSE);
        break;
    case BUTTON_APPLY:
        Apply();
        break;
    case BUTTON_EXIT:
        PostMessage(WM_CLOSE);
        break;
    case BUTTON_UPDATE:
    case BUTTON_FB:
    case BUTTON_TWITTER:
    case BUTTON_CIRQ:
        OpenWebPage(itemId);
        break;
    case BUTTON_HELP:
        OpenManual();
        break;
    case BUTTON_RESET:
        RestoreDefaults();
        break;
    case BUTTON_ASSIGNBUTTONS:
        ShowPage(kAssignPage);
        break;
    case BUTTON_MANAGEPROFILES:
        ShowPage(kProfilesPage);
        break;
    case BUTTON_MANAGEMACROS:
    {
        ShowPage(kMacrosPage);
        const CDropdownListItem* macros = Bound<CDropdownListItem>(LIST_GLOBALMACROLIST);
        SetMacroPageState(macros && macros->GetCurSel() >= 0 ? 1 : 0);
        break;
    }
    case BUTTON_LIGHTINGMAINTENANCE:
        ShowPage(kLightingPage);
        SetBrightnessSlider();
        SetColourButton();
        break;
    case BUTTON_NEWPROFILE:
        if (onProfilesPage)
            NewProfile();
        break;
    case BUTTON_EXPORTPROFILE:
        if (onProfilesPage)
            ExportProfile();
        break;
    case BUTTON_IMPORTPROFILE:
        if (onProfilesPage)
            ImportProfile();
        break;
    case BUTTON_DELETEPROFILE:
        if (onProfilesPage)
            DeleteProfile();
        break;
    case BUTTON_MACRO_CREATE:
        NewMacro();
        break;
    case BUTTON_MACRO_RECORD:
        StartRecording();
        break;
    case BUTTON_MACRO_RECORD_STOP:
        StopRecordingOrPreview();
        break;
    case BUTTON_MACRO_IMPORT:
        ImportMacro();
        break;
    case BUTTON_MACRO_EXPORT:
        ExportMacro();
        break;
    case BUTTON_MACRO_DELETE:
        DeleteMacro();
        break;
    case BUTTON_MACRO_RENAME:
        RenameMacro();
        break;
    case BUTTON_IGNORE_DELAY:
        SetIgnoreDelay(IsChecked(BUTTON_IGNORE_DELAY));
        break;
    case BUTTON_ADD_BASIC_MACRO_CMDS:
        InsertCommand(LIST_GLOBAL_BASIC_COMMANDS);
        break;
    case BUTTON_ADD_ADV_MACRO_CMDS:
        InsertCommand(LIST_GLOBAL_ADDITIONAL_COMMANDS);
        break;
    case BUTTON_MACRO_RECORD_PLAY:
        PlayPreview();
        break;
    case BUTTON_MACRO_RECORD_BACKWARD:
        SelectFirstEvent();
        break;
    case BUTTON_MACRO_RECORD_FORWARD:
        SelectLastEvent();
        break;
    case BUTTON_INSERTDEFAULT_DELAY:
        SetInsertDefaultDelay(IsChecked(BUTTON_INSERTDEFAULT_DELAY));
        break;
    case BUTTON_INSERT_DELAY:
        InsertDelay();
        MarkChanged();
        break;
    case BUTTON_ENABLE_PROFILE_OSD:
        if (m_pConfig)
            m_pConfig->SetOsdEnabledForAllProfiles(IsChecked(BUTTON_ENABLE_PROFILE_OSD));
        MarkChanged();
        break;
    default:
        SelectKeymap(itemId);
        break;
    }
}

bool CVelmoraAppDlg::OnInitDialog()
{
    CGUIPanel::OnInitDialog();
    g_deviceListener.Register(m_hWnd);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
    const auto setLayered = user32 ? reinterpret_cast<SetLayeredAttributes>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes"))) : nullptr;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(GetExStyle() | WS_EX_LAYERED));
    if (setLayered)
        setLayered(m_hWnd, RGB(255, 0, 255), 0, LWA_COLORKEY);

    CString title = kTitleKey;
    if (g_pLangTable)
        g_pLangTable->Lookup(kTitleKey, title);
    SetWindowText(title);

    for (int page = 0; page < kPageCount; ++page)
        LoadGUIPage(m_pages[page], kPageFiles[page], this);
    InitItems();
    BuildAssignmentMenus();
    ShowPage(kAssignPage);

    if (!CheckKeypad())
    {
        // Nothing on the window can be used while the notice is on its way.
        EnableWindow(false);
        m_startupTimer = SetTimer(kStartupTimerId, kStartupTimerDelay);
        return false;
    }
    FinishStartup();
    return true;
}

bool CVelmoraAppDlg::CheckKeypad()
{
    Device* device = GetDevice();
    if (!device || !m_pConfig || !device->IsConnected())
        return false;
    if (!device->SyncConfig(m_pConfig, 1, kAllCategories))
        return false;
    m_profilesPage.AttachMenu();
    FillProfileList();
    if (!m_pConfig->GetActiveProfile())
        m_pConfig->SetActiveProfile(m_pConfig->GetProfile(0));
    return m_pConfig->GetActiveProfile() != nullptr;
}

void CVelmoraAppDlg::FinishStartup()
{
    RefreshKeymapButtons();
    FirstRefresh();
    m_changesPending = false;
    SetApplyEnabled(false);
    g_sessionListener.Register(m_hWnd);
    ConnectDeviceEvents();
}

void CVelmoraAppDlg::ConnectDeviceEvents()
{
    CreateKeymapCallback(this);
    CreateProfileCallback(this);
    AdviseAllCallbacks();
}

void CVelmoraAppDlg::FirstRefresh()
{
    FillMacroList();
    FillCommandLists();
    IKeypadProfile* profile = m_pConfig->GetActiveProfile();
    if (profile && profile->GetCurrentKeymap())
        RefreshAssignmentTexts();
    for (const TabPage& tab : kTabPages)
    {
        if (CBitmapBtn* button = Bound<CBitmapBtn>(tab.tabButton))
            button->SetHighlighted(false);
    }
    SetChecked(BUTTON_ENABLE_PROFILE_OSD, m_pConfig->IsProfileOsdEnabled(nullptr));
    SetUpMacroDisplay();
    SetBrightnessSlider();
    SetColourButton();
    ShowVersionTexts();
}

void CVelmoraAppDlg::ShowVersionTexts()
{
    if (CTextItem* driver = Bound<CTextItem>(TEXT_DRIVERVER))
    {
        CFileVersions versions;
        versions.ReadModulePath();
        versions.ReadVersions();
        CString text;
        text.Format(L"%s: %s.%.2d", driver->GetText().GetString(), versions.m_productVersionParts[0].GetString(),
            std::wcstol(versions.m_productVersionParts[1].GetString(), nullptr, 10));
        driver->SetText(text);
    }
    CTextItem* firmware = Bound<CTextItem>(TEXT_FIRMWAREVER);
    Device* device = GetDevice();
    CString version;
    if (firmware && device && device->GetVersionText(version))
    {
        CString text;
        text.Format(L"%s: %s", firmware->GetText().GetString(), version.GetString());
        firmware->SetText(text);
    }
}

void CVelmoraAppDlg::OnStartupTimer()
{
    KillTimer(kStartupTimerId);
    m_startupTimer = 0;
    CVelmoraWarningDlg notice(this, kNoKeypadPopup);
    notice.DoModal();
    PostMessage(WM_CLOSE);
}

void CVelmoraAppDlg::OnOK()
{
    if (IsRecordingOnMacroPage())
        return;
    CGUIPanel::OnOK();
}

void CVelmoraAppDlg::OnCancel()
{
    if (IsRecordingOnMacroPage())
        return;
    CGUIPanel::OnCancel();
}

void CVelmoraAppDlg::InitItems()
{
    m_bound.clear();
    m_keymapButtons.clear();
    for (const Binding& binding : kBindings)
    {
        const CGUIItems& items = binding.page == kMainItems ? m_items : m_pages[binding.page];
        for (int id = binding.firstId; id <= binding.lastId; ++id)
        {
            CGUIItem* item = items.FindItem(id);
            if (item && (binding.kind == kAnyKind || item->m_kind == binding.kind))
                m_bound[id] = item;
        }
    }
    for (int index = 0; index < kKeymapCount; ++index)
    {
        if (CBitmapBtn* button = Bound<CBitmapBtn>(BUTTON_KEYMAP_1 + index))
            m_keymapButtons[index] = button;
    }
    if (CSliderHMulti* slider = Bound<CSliderHMulti>(SLIDER_LED_BRIGHTNESS))
        slider->SetRange(kBrightnessMin, kBrightnessMax);
}

bool CVelmoraAppDlg::OnHelp()
{
    if (!IsRecordingOnMacroPage())
        OpenHelpPage();
    return true;
}

LRESULT CVelmoraAppDlg::OnDeviceChange(WPARAM event, LPARAM header)
{
    const DeviceChangeDecision decision = DecideDeviceChange(event, header, [this]() {
        Device* device = GetDevice();
        return device && device->IsConnected();
    });
    if (decision.action == tCallbackAction::Advise)
        AdviseAllCallbacks();
    else if (decision.action == tCallbackAction::Unadvise)
        UnadviseAllCallbacks();
    return decision.result;
}

void CVelmoraAppDlg::OnSessionChange(WPARAM code)
{
    const tCallbackAction action = DecideSessionChange(code);
    if (action == tCallbackAction::Advise)
        AdviseAllCallbacks();
    else if (action == tCallbackAction::Unadvise)
        UnadviseAllCallbacks();
}

LRESULT CVelmoraAppDlg::OnNcHitTest()
{
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CVelmoraAppDlg::OnDestroy()
{
    if (m_startupTimer)
        KillTimer(kStartupTimerId);
    m_startupTimer = 0;
    if (Device* device = GetDevice())
    {
        device->LeaveCaptureMode();
        device->RemoveProgressWindow(m_hWnd);
    }
    UnadviseAllCallbacks();
    g_sessionListener.UnregisterAll();
    g_deviceListener.UnregisterAll();
}

bool CVelmoraAppDlg::IsRecordingOnMacroPage() const
{
    return GetCurrentPageFlag() == kMacrosPage && IsRecording();
}

void CVelmoraAppDlg::SetApplyEnabled(bool enabled)
{
    if (CBitmapBtn* apply = Bound<CBitmapBtn>(BUTTON_APPLY))
        apply->EnableWindow(enabled);
}

void CVelmoraAppDlg::SetChecked(int itemId, bool checked)
{
    if (CBitmapBtn* button = Bound<CBitmapBtn>(itemId))
        button->SetChecked(checked);
}

bool CVelmoraAppDlg::IsChecked(int itemId) const
{
    const CBitmapBtn* button = Bound<CBitmapBtn>(itemId);
    return button && button->IsChecked();
}

void CVelmoraAppDlg::ShowLed(int index, bool show)
{
    if (CBitmapItem* led = Bound<CBitmapItem>(BITMAP_KEYMAP1_LED + index))
        led->Show(show);
}

bool CVelmoraAppDlg::Apply()
{
    Device* device = GetDevice();
    if (!device || !m_pConfig || device->IsBusy())
        return false;
    const bool accepted = device->SyncConfig(m_pConfig, 0, kAllCategories);
    m_changesPending = !accepted;
    SetApplyEnabled(!accepted);
    return accepted;
}

void CVelmoraAppDlg::SetShellOpener(IShellOpener* opener)
{
    m_pShellOpener = opener ? opener : &CShellOpener::Get();
}

void CVelmoraAppDlg::OnOkButton()
{
    Device* device = GetDevice();
    const bool busy = !device || !m_pConfig || device->IsBusy();
    if (!Apply() && !busy)
    {
        // The write was refused: closing now would lose every change without a word.
        ShowWriteFailed();
        return;
    }
    ShowWindow(SW_HIDE);
    m_changesPending = false;
    PostMessage(WM_CLOSE);
}

void CVelmoraAppDlg::ShowWriteFailed()
{
    CVelmoraWarningDlg notice(this, kWriteFailedPopup);
    notice.DoModal();
}

void CVelmoraAppDlg::SetItemEnabled(int itemId, bool enabled)
{
    CGUIItem* item = Bound<CGUIItem>(itemId);
    if (item && item->HasWindow())
        ::EnableWindow(item->m_hWnd, enabled ? TRUE : FALSE);
}

void CVelmoraAppDlg::SetBrightnessSlider()
{
    CSliderHMulti* slider = Bound<CSliderHMulti>(SLIDER_LED_BRIGHTNESS);
    CPHSlider* thumb = slider ? slider->GetSlider(0) : nullptr;
    if (!thumb || !m_pConfig)
        return;
    int value = static_cast<int>(m_pConfig->GetLedBrightness(kLightingLed, nullptr));
    value = value < kBrightnessMin ? kBrightnessMin : (value > kBrightnessMax ? kBrightnessMax : value);
    thumb->SetPos(value - thumb->GetBase(), true);
}

void CVelmoraAppDlg::SetColourButton()
{
    CDropdownColorButton* button = Bound<CDropdownColorButton>(kUnnamedColorButtonId);
    if (button && m_pConfig)
        button->SetColor(m_pConfig->GetLedColour(kLightingLed, nullptr));
}

void CVelmoraAppDlg::OnBrightnessMessage(UINT message, WPARAM position, LPARAM itemId)
{
    if (itemId != kBrightnessThumbId || !m_pConfig)
        return;
    int value = static_cast<int>(position);
    value = value < kBrightnessMin ? kBrightnessMin : (value > kBrightnessMax ? kBrightnessMax : value);
    if (message == WM_GUI_SLIDER_POSCHANGED)
    {
        CSliderHMulti* slider = Bound<CSliderHMulti>(SLIDER_LED_BRIGHTNESS);
        if (CPHSlider* thumb = slider ? slider->GetSlider(0) : nullptr)
            thumb->SetPos(value - thumb->GetBase(), true);
    }
    m_pConfig->SetLedBrightness(kLightingLed, static_cast<unsigned int>(value), nullptr);
    MarkChanged();
}

void CVelmoraAppDlg::OnColourChosen(COLORREF colour, LPARAM controlId)
{
    if (controlId != kUnnamedColorButtonId || !m_pConfig)
        return;
    m_pConfig->SetLedColour(kLightingLed, colour, nullptr);
    MarkChanged();
}

void CVelmoraAppDlg::OpenManual()
{
    CString target;
    target.Format(kManualPage, g_exeFolder.GetString());
    m_pShellOpener->Open(target);
}

void CVelmoraAppDlg::OpenHelpPage()
{
    CString target;
    target.Format(kHelpPage, g_exeFolder.GetString());
    m_pShellOpener->Open(target);
}

void CVelmoraAppDlg::OpenWebPage(int itemId)
{
    for (const WebPage& page : kWebPages)
    {
        if (page.itemId == itemId)
            m_pShellOpener->Open(page.address);
    }
}

LRESULT CVelmoraAppDlg::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_profilesPage.OnMessage(message, wParam, lParam) || m_macrosPage.OnMessage(message, wParam, lParam))
        return 0;
    switch (message)
    {
    case WM_GUI_SLIDER_POSCHANGING:
    case WM_GUI_SLIDER_POSCHANGED:
        OnBrightnessMessage(message, wParam, lParam);
        break;
    case WM_GUI_ITEM_VALUE_CHANGED:
        OnColourChosen(static_cast<COLORREF>(wParam), lParam);
        break;
    default:
        break;
    }
    return 0;
}

void CVelmoraAppDlg::FillProfileList()
{
    if (!m_pConfig)
        return;
    CDropdownListItem* current = Bound<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    if (current)
        current->ResetContent();
    CXListCtrl* list = Bound<CXListCtrl>(LIST_PROFILELIST);
    const IKeypadProfile* active = m_pConfig->GetActiveProfile();
    const int count = m_pConfig->GetProfileCount();
    m_activeProfileRow = -1;
    if (list)
    {
        list->DeleteAllItems();
        for (int index = 0; index < count; ++index)
        {
            IKeypadProfile* profile = m_pConfig->GetProfile(index);
            if (!profile || list->InsertRow(index) < 0)
                continue;
            list->SetCheckbox(index, LCITEM_PROFILECURRENT, profile == active ? 1 : 0);
            list->SetCellText(index, LCITEM_PROFILENAME, profile->GetName());
            list->SetCellText(index, LCITEM_PROFILEEXE, profile->GetApplicationName());
            list->SetCheckbox(index, LCITEM_AUTOSWITCH, profile->GetAutoSwitch() ? 1 : 0);
            list->SetRowColors(index, list->GetTextColour(), list->GetBackColour(), list->GetSelectedTextColour(),
                list->GetSelectedBackColour());
            if (profile == active)
                m_activeProfileRow = index;
        }
        if (list->IsSorted())
            list->SortItems(&CXListCtrl::CompareRowsByText, list->GetSubItem(LCITEM_PROFILENAME));
    }
    const int rows = list ? list->GetItemCount() : 0;
    for (int row = 0; row < rows; ++row)
    {
        const int index = list->GetRowKey(row);
        CString number;
        number.Format(L"%02d", index + 1);
        list->SetCellText(index, LCITEM_PROFILEID, number);
        if (current)
            current->AddString(list->GetCellText(index, LCITEM_PROFILENAME));
    }
    if (!list)
    {
        for (int index = 0; index < count && current; ++index)
        {
            if (IKeypadProfile* profile = m_pConfig->GetProfile(index))
                current->AddString(profile->GetName());
        }
    }
    const int selected = list && m_activeProfileRow >= 0 ? list->FindRowByKey(m_activeProfileRow) : 0;
    if (list && rows > 0)
    {
        list->EnsureVisible(selected < 0 ? 0 : selected, false);
        list->SetItemState(selected < 0 ? 0 : selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (current && active)
    {
        for (int entry = 0; entry < current->GetCount(); ++entry)
        {
            if (current->GetItemText(entry) == active->GetName())
                current->SetCurSel(entry);
        }
    }
}

void CVelmoraAppDlg::SelectFirstProfile()
{
    if (!m_pConfig)
        return;
    IKeypadProfile* first = m_pConfig->GetProfile(0);
    if (CXListCtrl* list = Bound<CXListCtrl>(LIST_PROFILELIST))
    {
        const int row = list->FindRowByKey(0);
        if (row >= 0)
        {
            list->EnsureVisible(row, false);
            list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    ActivateProfile(first);
}

void CVelmoraAppDlg::UpdateUnassignApplicationEntry()
{
    UpdateProfileMenu(-1);
}

void CVelmoraAppDlg::UpdateProfileMenu(int row)
{
    CXListCtrl* list = Bound<CXListCtrl>(LIST_PROFILELIST);
    if (!list || !m_pConfig)
        return;
    const int rowKey = row >= 0 ? list->GetRowKey(row) : list->GetSelectedRowKey();
    IKeypadProfile* profile = rowKey >= 0 ? m_pConfig->GetProfile(rowKey) : nullptr;
    const bool hasApplication = profile && !profile->GetApplicationName().IsEmpty();
    CListPanelItem* menu = list->GetMenu();
    if (!menu)
        return;
    std::vector<CListEntry> entries = menu->GetEntries();
    for (CListEntry& entry : entries)
    {
        if (entry.m_text.CompareNoCase(kUnassignApplicationEntry) == 0)
            entry.m_disabled = !hasApplication;
    }
    menu->SetEntries(entries);
}

void CVelmoraAppDlg::FillMacroList()
{
    CDropdownListItem* macros = Bound<CDropdownListItem>(LIST_GLOBALMACROLIST);
    if (!macros || !m_pConfig)
        return;
    macros->ResetContent();
    for (int index = 0; index < m_pConfig->GetMacroCount(); ++index)
    {
        if (const CMacro* macro = m_pConfig->GetMacro(index))
            macros->AddString(macro->GetName());
    }
}

void CVelmoraAppDlg::FillCommandLists()
{
    const CPredefinedMacroList commands;
    const struct
    {
        int itemId;
        void (CPredefinedMacroList::*fill)(CStringArray&) const;
    } lists[] = { { LIST_GLOBAL_BASIC_COMMANDS, &CPredefinedMacroList::FillBasicCommands },
        { LIST_GLOBAL_ADDITIONAL_COMMANDS, &CPredefinedMacroList::FillAdvancedCommands } };
    for (const auto& entry : lists)
    {
        CDropdownListItem* list = Bound<CDropdownListItem>(entry.itemId);
        if (!list)
            continue;
        CStringArray names;
        (commands.*entry.fill)(names);
        list->ResetContent();
        for (int index = 0; index < names.GetSize(); ++index)
            list->AddString(names[index]);
        if (list->GetCount() > 0)
            list->SetCurSel(0);
    }
}

void CVelmoraAppDlg::SetUpMacroDisplay()
{
    m_macrosPage.SetUpDisplay();
}

void CVelmoraAppDlg::BuildAssignmentMenus()
{
    m_assignPage.BuildAssignmentMenus(m_pages[kAssignButtons]);
}

void CVelmoraAppDlg::RefreshAssignmentTexts()
{
    m_assignPage.RefreshAssignmentTexts();
}

bool CVelmoraAppDlg::OnAssignmentDropdown(UINT message, LPARAM lParam)
{
    const int button = m_assignPage.FindButton(reinterpret_cast<HWND>(lParam));
    CDropdownListItem* dropdown = m_assignPage.GetDropdown(button);
    if (!dropdown)
        return false;
    if (message == WM_GUI_DROPDOWN_SELCHANGE)
    {
        m_assignPage.OnAssignmentChosen(button, dropdown->GetChosenPath());
        return true;
    }
    // The profile sub-menu leaves out the profile of the profile list's selected row.
    const CXListCtrl* list = Bound<CXListCtrl>(LIST_PROFILELIST);
    const int row = list ? list->GetSelectedRowKey() : -1;
    m_assignPage.OnDropdownClicked(button, row >= 0 && m_pConfig ? m_pConfig->GetProfile(row) : nullptr);
    return true;
}
