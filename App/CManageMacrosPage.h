// Classes in this file:
//   CManageMacrosPage - the commands of the macro management page: new, rename, delete,
//                       record and stop, preview, the step buttons, inserted delays and
//                       ready-made commands, key edits, the two delay options and their
//                       edits, and macro export and import. Every refusal is a popup of the
//                       main window's popups; the main window holds the page and forwards
//                       its buttons and the page controls' messages to it.
#pragma once

#include "CMacro.h"
#include "CPageFileChooser.h"
#include "CString.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

#include <windows.h>

class CEditItem;
class CMacroDisplayItem;
class CVelmoraAppDlg;

class CManageMacrosPage
{
public:
    using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

    // The macro files' extension.
    static constexpr const wchar_t* kMacroExtension = L"kvm";
    // The delay edits: what they start with and put back after a refusal, their largest
    // value and the digits it takes.
    static constexpr int kStartDelay = 50;
    static constexpr uint32_t kLongestDelay = 0xFFFFFF;
    static constexpr int kDelayDigits = 8;

    // The page files of the page's popups.
    static constexpr const wchar_t* kDuplicatePopup = L"DuplicateMacroWarningPopup.xml";
    static constexpr const wchar_t* kConfirmDeletePopup = L"ConfirmDeleteMacroPopup.xml";
    static constexpr const wchar_t* kDefaultDelayPopup = L"DefaultDelayWarningPopup.xml";
    static constexpr const wchar_t* kExportWarningPopup = L"ExportMacroWarningPopup.xml";
    // Those of the file dialog's refusals, which the profile page shares.
    static constexpr const wchar_t* kPathLengthPopup = CPageFileChooser::kPathLengthPopup;
    static constexpr const wchar_t* kFileErrorPopup = CPageFileChooser::kFileErrorPopup;

private:
    // Data members
    CVelmoraAppDlg& m_window;
    IKeypadConfig* m_pConfig;
    Device** m_ppDevice;
    const CPageFileChooser m_fileChooser;

public:
    CManageMacrosPage(CVelmoraAppDlg& window, IKeypadConfig* config, Device** device);

    // Attributes
    // The macro the macro drop-down shows; null when none.
    CMacro* GetSelectedMacro() const;

    // Operations
    // The first refresh: the editor's window and options from the store, both delay edits
    // numbers-only with "50", the default-delay edit disabled.
    void SetUpDisplay();
    void NewMacro();
    void RenameMacro();
    void DeleteMacro();
    // With no macro selected this creates one instead.
    void StartRecording();
    // Stops the preview in the preview state, else leaves capture mode and stops recording.
    void StopRecordingOrPreview();
    void PlayPreview();
    void SelectFirstEvent();
    void SelectLastEvent();
    void InsertDelay();
    // The command chosen in that drop-down (LIST_GLOBAL_BASIC_COMMANDS or
    // LIST_GLOBAL_ADDITIONAL_COMMANDS), inserted after the selected event.
    void InsertCommand(int listId);
    void SetIgnoreDelay(bool on);
    void SetInsertDefaultDelay(bool on);
    void ImportMacro();
    void ExportMacro();
    // The macro drop-down's choice, the editors' messages and the delay edits' changes;
    // false for every other message or sender.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Implementation
    Device* GetDevice() const { return m_ppDevice ? *m_ppDevice : nullptr; }
    CMacroDisplayItem* GetEditor() const;
    CEditItem* GetEdit(int itemId) const;
    // Selects the macro in the drop-down, loads it into the editor and goes to state 1.
    void ShowMacro(const CMacro& macro);
    void ShowNoMacro();
    // The events put into the macro and the editor, the event at that index selected.
    void ReplaceEvents(CMacro& macro, const std::vector<CMacroEvent>& events, int selected);
    void SelectEvent(int index);
    void OnMacroChosen(WPARAM selection);
    void OnEditorChanged();
    void OnEditEvent();
    void OnDelayEditChanged(int itemId);
    // The delay edit's number from 1 to the longest delay; false for anything else.
    bool ReadDelay(int itemId, int32_t& milliseconds) const;
    void SetEditText(int itemId, const CString& text);
    void SetButtonChecked(int itemId, bool checked);
    void SetEnabled(int itemId, bool enabled);
    INT_PTR AskAbout(const wchar_t* page, const CString& name);
};
