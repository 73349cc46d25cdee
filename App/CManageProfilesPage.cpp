#include "CManageProfilesPage.h"

#include "AppItemIds.h"
#include "CDropdownListItem.h"
#include "CLangTable.h"
#include "CListPanelItem.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "CXListCellRecord.h"
#include "CXListCtrl.h"
#include "GUIMessages.h"
#include "PageRules.h"

namespace
{
const wchar_t kCreateProfileHeading[] = L"$CreateProfile";
const wchar_t kCopyHeading[] = L"$Copy";
const wchar_t kImportProfileHeading[] = L"$ImportProfile";
const wchar_t kImportHeading[] = L"$Import";
const wchar_t kExportHeading[] = L"$Export";
const wchar_t kAssignApplicationHeading[] = L"$AssignApplication";
const wchar_t kRestoreDefaultsHeading[] = L"$RestoreDefaults";
const wchar_t kRestoreDefaultsFallback[] = L"Restore Defaults";

// The profile list's menu entries.
struct MenuCommand
{
    const wchar_t* key;
    void (CManageProfilesPage::*run)(int rowKey);
};

const MenuCommand kMenuCommands[] = {
    { L"$Rename", &CManageProfilesPage::RenameProfile },
    { L"$Copy", &CManageProfilesPage::CopyProfile },
    { L"$Delete", &CManageProfilesPage::DeleteProfile },
    { L"$SetActive", &CManageProfilesPage::SetActiveProfile },
    { L"$Preview", &CManageProfilesPage::PreviewProfile },
    { L"$RestoreDefault", &CManageProfilesPage::RestoreProfileDefaults },
    { L"$Export", &CManageProfilesPage::ExportProfile },
};
const wchar_t kNewCommand[] = L"$New";
const wchar_t kImportCommand[] = L"$Import";

CString Translated(const wchar_t* key, const wchar_t* fallback)
{
    CString text;
    if (!LookupText(key, text) || text.IsEmpty())
        text = fallback;
    return text;
}
}

CManageProfilesPage::CManageProfilesPage(CVelmoraAppDlg& window, IKeypadConfig* config, Device** device)
    : m_window(window), m_pConfig(config), m_ppDevice(device),
      m_fileChooser(L"Profile", kProfileExtension, g_profileFolder)
{
}

IKeypadProfile* CManageProfilesPage::ProfileOfRow(int rowKey) const
{
    rowKey = ResolveRowKey(rowKey);
    return m_pConfig && rowKey >= 0 ? m_pConfig->GetProfile(rowKey) : nullptr;
}

int CManageProfilesPage::ResolveRowKey(int rowKey) const
{
    if (rowKey >= 0)
        return rowKey;
    const CXListCtrl* list = GetList();
    return list ? list->GetSelectedRowKey() : -1;
}

void CManageProfilesPage::NewProfile()
{
    if (!m_pConfig || HasReachedLimit(kProfileLimit, kCreateProfileHeading))
        return;
    CString name;
    if (!m_window.GetPopups().EnterName(IAppPopups::kProfileNamePage, name) || name.IsEmpty())
    {
        m_window.RefreshPages();
        return;
    }
    if (const IKeypadProfile* same = FindOtherProfileNamed(*m_pConfig, name))
    {
        AskAbout(kDuplicatePopup, same->GetName());
        return;
    }
    if (IKeypadProfile* created = m_pConfig->CreateProfile(name))
        m_window.ActivateProfile(created);
}

void CManageProfilesPage::RenameProfile(int rowKey)
{
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (!profile)
        return;
    const CString oldName = profile->GetName();
    CString name = oldName;
    if (!m_window.GetPopups().EnterName(IAppPopups::kProfileRenamePage, name) || name.IsEmpty())
        return;
    // The unchanged name counts as taken; a change of case only is the profile's own.
    const IKeypadProfile* same = name == oldName ? profile : FindOtherProfileNamed(*m_pConfig, name, profile);
    if (same)
    {
        AskAbout(kDuplicatePopup, same->GetName());
        return;
    }
    if (!m_pConfig->RenameProfile(profile, name))
        return;
    // Buttons that switch to the profile by its name follow the new name.
    RenameReferences(*m_pConfig, kAssignProfileByName, oldName, name);
    m_window.FillProfileList();
    m_window.MarkChanged();
    m_window.RefreshPages();
}

void CManageProfilesPage::CopyProfile(int rowKey)
{
    IKeypadProfile* source = ProfileOfRow(rowKey);
    if (!source || HasReachedLimit(kProfileLimit, kCopyHeading))
        return;
    const CString name = MakeCopyName(*m_pConfig, source->GetName());
    if (name.IsEmpty())
        return;
    if (IKeypadProfile* copy = m_pConfig->CopyProfile(source, name))
        m_window.ActivateProfile(copy);
}

void CManageProfilesPage::DeleteProfile(int rowKey)
{
    rowKey = ResolveRowKey(rowKey);
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (!profile)
        return;
    const CString name = profile->GetName();
    if (IsUndeletableProfile(*m_pConfig, *profile, rowKey))
    {
        AskAbout(kDisallowDeletePopup, name);
        return;
    }
    if (AskAbout(kConfirmDeletePopup, name) != IDOK)
        return;
    // The store deletes the profile's own file with it.
    ResetProfileReferences(*m_pConfig, *profile);
    m_pConfig->DeleteProfile(profile);
    m_window.MarkChanged();
    if (m_pConfig->GetActiveProfile())
        m_window.FillProfileList();
    else
        m_window.SelectFirstProfile();
    m_window.RefreshPages();
}

void CManageProfilesPage::SetActiveProfile(int rowKey)
{
    if (IKeypadProfile* profile = ProfileOfRow(rowKey))
        m_window.ActivateProfile(profile);
}

void CManageProfilesPage::PreviewProfile(int rowKey)
{
    if (IKeypadProfile* profile = ProfileOfRow(rowKey))
        m_window.GetPopups().ShowPreview(profile, m_pConfig);
}

void CManageProfilesPage::RestoreProfileDefaults(int rowKey)
{
    rowKey = ResolveRowKey(rowKey);
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (!profile || !ConfirmRestore(*profile))
        return;
    m_pConfig->RestoreProfileDefaults(profile);
    if (profile == m_pConfig->GetActiveProfile())
        m_window.RefreshPages();
    if (CXListCtrl* list = GetList())
    {
        list->SetCellText(rowKey, LCITEM_PROFILEEXE, CString());
        list->SetCheckbox(rowKey, LCITEM_AUTOSWITCH, 0);
    }
    m_window.MarkChanged();
}

void CManageProfilesPage::RestoreActiveProfileDefaults()
{
    IKeypadProfile* active = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (!active || !ConfirmRestore(*active))
        return;
    m_pConfig->RestoreProfileDefaults(active);
    m_window.RefreshPages();
    m_window.FillProfileList();
    m_window.MarkChanged();
}

void CManageProfilesPage::ExportProfile(int rowKey)
{
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    Device* device = GetDevice();
    if (!profile || !device)
        return;
    if (!device->HasProfile(profile))
    {
        AskAbout(kExportWarningPopup, profile->GetName());
        return;
    }
    CString path;
    if (!m_fileChooser.Choose(m_window.GetPopups(), false, kExportHeading, path))
        return;
    // A failed export is not reported: the keypad's copy of the profile is unchanged.
    device->ExportProfile(path, profile);
}

void CManageProfilesPage::ImportProfile()
{
    Device* device = GetDevice();
    if (!m_pConfig || !device || HasReachedLimit(kProfileLimit, kImportProfileHeading))
        return;
    if (m_pConfig->GetProfileCount() != device->GetDeviceProfileCount())
    {
        WarnHeading(kImportWarningPopup, kImportProfileHeading);
        return;
    }
    CString path;
    if (!m_fileChooser.Choose(m_window.GetPopups(), true, kImportHeading, path))
        return;
    if (!device->ImportProfile(path, m_pConfig))
    {
        m_window.GetPopups().ShowMessage(kFileErrorPopup);
        return;
    }
    // The file of a profile that is still here brings its name a second time: the import
    // is named as a copy is, so that the look-ups by name find each profile.
    IKeypadProfile* imported = m_pConfig->GetProfile(m_pConfig->GetProfileCount() - 1);
    if (imported && FindOtherProfileNamed(*m_pConfig, imported->GetName(), imported))
    {
        const CString name = MakeCopyName(*m_pConfig, imported->GetName());
        if (!name.IsEmpty())
            m_pConfig->RenameProfile(imported, name);
    }
    m_window.FillProfileList();
    m_window.MarkChanged();
}

void CManageProfilesPage::SetApplication(int rowKey, const CString& path)
{
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (!profile)
        return;
    if (FileNameOf(path).GetLength() < kApplicationNameLimit)
    {
        m_pConfig->SetProfileApplicationPath(profile, path);
        m_window.MarkChanged();
        return;
    }
    WarnHeading(kFileNameLengthPopup, kAssignApplicationHeading);
    if (CXListCtrl* list = GetList())
        list->SetCellText(rowKey, LCITEM_PROFILEEXE, profile->GetApplicationName());
}

void CManageProfilesPage::SetAutoSwitch(int rowKey, bool on)
{
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (!profile)
        return;
    if (on && profile->GetApplicationName().IsEmpty())
    {
        AskAbout(kSelectApplicationPopup, profile->GetName());
        if (CXListCtrl* list = GetList())
            list->SetCheckbox(rowKey, LCITEM_AUTOSWITCH, 0);
        return;
    }
    m_pConfig->SetProfileAutoSwitch(profile, on);
    m_window.MarkChanged();
}

void CManageProfilesPage::AttachMenu()
{
    CXListCtrl* list = GetList();
    CListPanelItem* menu = m_window.Bound<CListPanelItem>(LISTPANEL_PROFILEOPTIONS);
    if (list && menu)
        list->SetMenu(menu);
}

bool CManageProfilesPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GUI_DROPDOWN_SELCHANGE)
    {
        const CDropdownListItem* current = m_window.Bound<CDropdownListItem>(LIST_GLOBALPROFILELIST);
        if (!current || reinterpret_cast<HWND>(lParam) != current->m_hWnd)
            return false;
        OnCurrentProfileChosen(wParam);
        return true;
    }
    const bool listMessage = message == WM_GUI_LIST_CELL_TEXT_CHANGED || message == WM_GUI_LIST_CHECKBOX_CHANGED ||
        message == WM_GUI_LIST_ROW_RCLICKED || message == WM_GUI_LIST_MENU_COMMAND ||
        message == WM_GUI_LIST_CELL_DBLCLK;
    if (!listMessage || !IsFromList(wParam))
        return false;
    const CXListCellRecord* record = reinterpret_cast<const CXListCellRecord*>(lParam);
    if (!record)
        return true;
    switch (message)
    {
    case WM_GUI_LIST_CELL_TEXT_CHANGED:
        if (record->m_column == LCITEM_PROFILEEXE)
            SetApplication(record->m_rowKey, record->GetText() ? CString(record->GetText()) : CString());
        break;
    case WM_GUI_LIST_CHECKBOX_CHANGED:
        OnCheckboxChanged(*record);
        break;
    case WM_GUI_LIST_ROW_RCLICKED:
    {
        const CXListCtrl* list = GetList();
        m_window.UpdateProfileMenu(list ? list->FindRowByKey(record->m_rowKey) : -1);
        break;
    }
    case WM_GUI_LIST_MENU_COMMAND:
        OnMenuCommand(record->m_rowKey, record->GetText() ? CString(record->GetText()) : CString());
        break;
    default:
        OnDoubleClick(record->m_rowKey);
        break;
    }
    return true;
}

CXListCtrl* CManageProfilesPage::GetList() const
{
    return m_window.Bound<CXListCtrl>(LIST_PROFILELIST);
}

bool CManageProfilesPage::IsFromList(WPARAM wParam) const
{
    const CXListCtrl* list = GetList();
    return list && reinterpret_cast<HWND>(wParam) == list->m_hWnd;
}

void CManageProfilesPage::OnMenuCommand(int rowKey, const CString& command)
{
    if (command.CompareNoCase(kNewCommand) == 0)
    {
        NewProfile();
        return;
    }
    if (command.CompareNoCase(kImportCommand) == 0)
    {
        ImportProfile();
        return;
    }
    for (const MenuCommand& entry : kMenuCommands)
    {
        if (command.CompareNoCase(entry.key) == 0)
        {
            (this->*entry.run)(rowKey);
            return;
        }
    }
}

void CManageProfilesPage::OnCheckboxChanged(const CXListCellRecord& record)
{
    if (record.m_column == LCITEM_PROFILECURRENT && record.GetCheck())
        SetActiveProfile(record.m_rowKey);
    else if (record.m_column == LCITEM_AUTOSWITCH)
        SetAutoSwitch(record.m_rowKey, record.GetCheck());
}

void CManageProfilesPage::OnDoubleClick(int rowKey)
{
    m_window.UpdateProfileMenu(-1);
    IKeypadProfile* profile = ProfileOfRow(rowKey);
    if (profile && profile != m_pConfig->GetActiveProfile())
        m_window.ActivateProfile(profile);
}

void CManageProfilesPage::OnCurrentProfileChosen(WPARAM selection)
{
    const CDropdownListItem* current = m_window.Bound<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    const int index = static_cast<int>(selection);
    if (!current || !m_pConfig || index < 0 || index >= current->GetCount())
        return;
    IKeypadProfile* chosen = m_pConfig->FindProfileByName(current->GetItemText(index));
    if (chosen && chosen != m_pConfig->GetActiveProfile())
        m_window.ActivateProfile(chosen);
}

bool CManageProfilesPage::ConfirmRestore(const IKeypadProfile& profile)
{
    CString name = profile.GetName();
    if (name.GetLength() > kRestoreNameLimit)
    {
        CString shortened;
        shortened.Format(L"%s...", name.Left(kRestoreNameLimit - 3).GetString());
        name = shortened;
    }
    CString message;
    message.Format(L"%s : %s", Translated(kRestoreDefaultsHeading, kRestoreDefaultsFallback).GetString(),
        name.GetString());
    return m_window.GetPopups().ShowMessage(kRestorePopup, message) == IDOK;
}

bool CManageProfilesPage::HasReachedLimit(int limit, const wchar_t* heading)
{
    if (m_pConfig->GetProfileCount() < limit)
        return false;
    WarnHeading(kLimitPopup, heading);
    return true;
}

void CManageProfilesPage::WarnHeading(const wchar_t* page, const wchar_t* heading)
{
    m_window.GetPopups().ShowMessage(page, Translated(heading, heading));
}

INT_PTR CManageProfilesPage::AskAbout(const wchar_t* page, const CString& name)
{
    CString extra;
    extra.Format(L": %s", name.GetString());
    return m_window.GetPopups().ShowMessage(page, CString(), extra.GetString());
}
