// Classes in this file:
//   CManageProfilesPage - the commands of the profile management page: new, rename, copy,
//                         delete, set active, preview, restore defaults, the linked
//                         application with its automatic switch, and profile export and
//                         import. Every refusal is a popup of the main window's popups;
//                         the main window holds the page and forwards its buttons, the
//                         profile list's messages and the current-profile drop-down to it.
#pragma once

#include "CPageFileChooser.h"
#include "CString.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

#include <windows.h>

class CVelmoraAppDlg;
class CXListCellRecord;
class CXListCtrl;

class CManageProfilesPage
{
public:
    using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

    // The profile files' extension.
    static constexpr const wchar_t* kProfileExtension = L"kvp";
    // A linked application's file name is shorter than this.
    static constexpr int kApplicationNameLimit = 128;
    // A name longer than this is shortened in the restore question.
    static constexpr int kRestoreNameLimit = 20;

    // The page files of the page's popups.
    static constexpr const wchar_t* kLimitPopup = L"ProfileLimitReachedPopup.xml";
    static constexpr const wchar_t* kDuplicatePopup = L"DuplicateProfileWarningPopup.xml";
    static constexpr const wchar_t* kDisallowDeletePopup = L"DisallowDeletePopup.xml";
    static constexpr const wchar_t* kConfirmDeletePopup = L"ConfirmDeletePopup.xml";
    static constexpr const wchar_t* kRestorePopup = L"RestorePopup.xml";
    static constexpr const wchar_t* kSelectApplicationPopup = L"SelectApplicationWarningPopup.xml";
    static constexpr const wchar_t* kFileNameLengthPopup = L"FileNameLengthLimitReachedPopUp.xml";
    static constexpr const wchar_t* kExportWarningPopup = L"ExportProfileWarningPopup.xml";
    static constexpr const wchar_t* kImportWarningPopup = L"ImportProfileWarningPopup.xml";
    // Those of the file dialog's refusals, which the macro page shares.
    static constexpr const wchar_t* kPathLengthPopup = CPageFileChooser::kPathLengthPopup;
    static constexpr const wchar_t* kFileErrorPopup = CPageFileChooser::kFileErrorPopup;

private:
    // Data members
    CVelmoraAppDlg& m_window;
    IKeypadConfig* m_pConfig;
    Device** m_ppDevice;
    const CPageFileChooser m_fileChooser;

public:
    CManageProfilesPage(CVelmoraAppDlg& window, IKeypadConfig* config, Device** device);

    // Attributes
    // The profile of a list row key; -1 stands for the selected row. Null when none.
    IKeypadProfile* ProfileOfRow(int rowKey) const;
    // The row key itself, or for -1 the selected row's key (-1 when none).
    int ResolveRowKey(int rowKey) const;

    // Operations: each works on the profile of a row key (-1: the selected row).
    void NewProfile();
    void RenameProfile(int rowKey);
    void CopyProfile(int rowKey);
    void DeleteProfile(int rowKey);
    void SetActiveProfile(int rowKey);
    void PreviewProfile(int rowKey);
    void RestoreProfileDefaults(int rowKey);
    // The restore of the active profile (the main window's reset button).
    void RestoreActiveProfileDefaults();
    void ExportProfile(int rowKey);
    void ImportProfile();
    // The linked application from its full path; empty unlinks it.
    void SetApplication(int rowKey, const CString& path);
    void SetAutoSwitch(int rowKey, bool on);
    // The profile list's context menu, given to the list.
    void AttachMenu();
    // The profile list's messages and the current-profile drop-down's choice; false for
    // every other message or sender.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Implementation
    Device* GetDevice() const { return m_ppDevice ? *m_ppDevice : nullptr; }
    CXListCtrl* GetList() const;
    bool IsFromList(WPARAM wParam) const;
    void OnMenuCommand(int rowKey, const CString& command);
    void OnCheckboxChanged(const CXListCellRecord& record);
    void OnDoubleClick(int rowKey);
    void OnCurrentProfileChosen(WPARAM selection);
    bool ConfirmRestore(const IKeypadProfile& profile);
    bool HasReachedLimit(int limit, const wchar_t* heading);
    void WarnHeading(const wchar_t* page, const wchar_t* heading);
    INT_PTR AskAbout(const wchar_t* page, const CString& name);
};
