#include "CManageMacrosPage.h"

#include "AppItemIds.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CMacroDisplayItem.h"
#include "CMacroRecorder.h"
#include "CPredefinedMacroList.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "GUIMessages.h"
#include "PageRules.h"

#include <algorithm>

namespace
{
const wchar_t kImportHeading[] = L"$Import";
const wchar_t kExportHeading[] = L"$Export";

constexpr int kIdle = 1;
constexpr int kNoMacro = 0;
constexpr int kPreviewing = 2;

// A keystroke event's key as the key-entry popup takes it, and back.
KeyEntryResult KeyOfEvent(const CMacroEvent& event)
{
    KeyEntryResult key;
    key.m_keyText = CMacroDisplayItem::EventText(event);
    key.m_scanCode = static_cast<uint16_t>(static_cast<uint32_t>(event.value) & 0xFFFF);
    key.m_virtualKey = static_cast<uint16_t>((static_cast<uint32_t>(event.value) >> 16) & 0xFFFF);
    key.m_flags = (event.extra & CMacroEvent::kExtendedKey) != 0 ? KeyEntryResult::kExtended : 0;
    return key;
}

CMacroEvent EventOfKey(const CMacroEvent& event, const KeyEntryResult& key)
{
    CMacroEvent changed = event;
    changed.value = static_cast<int32_t>((static_cast<uint32_t>(key.m_virtualKey) << 16) | key.m_scanCode);
    changed.extra = (event.extra & ~CMacroEvent::kExtendedKey) |
                    ((key.m_flags & KeyEntryResult::kExtended) != 0 ? CMacroEvent::kExtendedKey : 0);
    return changed;
}
}

CManageMacrosPage::CManageMacrosPage(CVelmoraAppDlg& window, IKeypadConfig* config, Device** device)
    : m_window(window), m_pConfig(config), m_ppDevice(device),
      m_fileChooser(L"Macro", kMacroExtension, g_macroFolder)
{
}

CMacro* CManageMacrosPage::GetSelectedMacro() const
{
    const CDropdownListItem* macros = m_window.Bound<CDropdownListItem>(LIST_GLOBALMACROLIST);
    const int selected = macros ? macros->GetCurSel() : -1;
    if (!m_pConfig || selected < 0)
        return nullptr;
    return m_pConfig->FindMacroByName(macros->GetItemText(selected));
}

void CManageMacrosPage::SetUpDisplay()
{
    CString start;
    start.Format(L"%d", kStartDelay);
    for (int itemId : { EDITCTRL_INSERT_DELAY, EDITCTRL_DEFAULT_DELAY })
    {
        CEditItem* edit = GetEdit(itemId);
        if (!edit)
            continue;
        edit->SetNumbersOnly(true, 0, kLongestDelay);
        edit->LimitText(kDelayDigits);
        edit->SetWindowText(start);
    }
    SetEnabled(EDITCTRL_DEFAULT_DELAY, false);
    CMacroDisplayItem* editor = GetEditor();
    if (!editor || !m_pConfig)
        return;
    editor->SetNotifyWindow(m_window.m_hWnd);
    editor->SetDefaultDelay(kStartDelay);
    editor->SetIgnoreDelays(m_pConfig->GetIgnoreDelay());
    editor->SetUseDefaultDelay(m_pConfig->GetInsertDefaultDelay());
    SetButtonChecked(BUTTON_IGNORE_DELAY, m_pConfig->GetIgnoreDelay());
    SetButtonChecked(BUTTON_INSERTDEFAULT_DELAY, m_pConfig->GetInsertDefaultDelay());
    if (CMacroDisplayItem* copy = m_window.Bound<CMacroDisplayItem>(MACRO_DISPLAY_READONLY))
        copy->SetNotifyWindow(m_window.m_hWnd);
}

void CManageMacrosPage::NewMacro()
{
    if (!m_pConfig || m_pConfig->GetMacroCount() >= kMacroLimit)
        return;
    CString name;
    if (!m_window.GetPopups().EnterName(IAppPopups::kMacroNamePage, name) || name.IsEmpty())
        return;
    // The store keeps names unique without regard to case and refuses any other.
    if (FindOtherMacroNamed(*m_pConfig, name))
    {
        AskAbout(kDuplicatePopup, name);
        return;
    }
    CMacro* created = m_pConfig->AddMacro(name);
    if (!created)
        return;
    m_window.MarkChanged();
    m_window.FillMacroList();
    ShowMacro(*created);
}

void CManageMacrosPage::RenameMacro()
{
    CMacro* macro = GetSelectedMacro();
    if (!macro)
        return;
    const CString oldName = macro->GetName();
    CString name = oldName;
    if (!m_window.GetPopups().EnterName(IAppPopups::kMacroRenamePage, name) || name.IsEmpty() || name == oldName)
        return;
    // A change of case only is the macro's own name.
    if (FindOtherMacroNamed(*m_pConfig, name, macro))
    {
        AskAbout(kDuplicatePopup, name);
        return;
    }
    macro->SetName(name);
    // Buttons that play the macro by its name follow the new name.
    RenameReferences(*m_pConfig, kAssignMacroByName, oldName, macro->GetName());
    m_window.FillMacroList();
    m_window.MarkChanged();
    ShowMacro(*macro);
}

void CManageMacrosPage::DeleteMacro()
{
    CMacro* macro = GetSelectedMacro();
    if (!macro || AskAbout(kConfirmDeletePopup, macro->GetName()) != IDOK)
        return;
    m_window.MarkChanged();
    ResetMacroReferences(*m_pConfig, *macro);
    m_window.RefreshPages();
    m_pConfig->RemoveMacro(macro);
    m_window.FillMacroList();
    if (const CMacro* first = m_pConfig->GetMacro(0))
        ShowMacro(*first);
    else
        ShowNoMacro();
}

void CManageMacrosPage::StartRecording()
{
    CMacro* macro = GetSelectedMacro();
    if (!macro)
    {
        NewMacro();
        return;
    }
    CMacroDisplayItem* editor = GetEditor();
    if (!editor)
        return;
    // Everything is checked before the keypad is put into capture mode, so a refusal
    // leaves the keypad as it was.
    if (editor->GetUseDefaultDelay())
    {
        int32_t delay = 0;
        if (!ReadDelay(EDITCTRL_DEFAULT_DELAY, delay))
        {
            m_window.GetPopups().ShowMessage(kDefaultDelayPopup);
            return;
        }
        editor->SetDefaultDelay(delay);
    }
    Device* device = GetDevice();
    if (device)
        device->EnterCaptureMode();
    if (!editor->ToggleRecording())
    {
        if (device)
            device->LeaveCaptureMode();
        return;
    }
    CBitmapBtn* stop = m_window.Bound<CBitmapBtn>(BUTTON_MACRO_RECORD_STOP);
    editor->SetExemptWindow(stop ? stop->m_hWnd : nullptr);
    ::SetFocus(editor->m_hWnd);
    m_window.SetMacroPageState(CVelmoraAppDlg::kMacroRecording);
    if (CBitmapBtn* record = m_window.Bound<CBitmapBtn>(BUTTON_MACRO_RECORD))
        record->StartBlinking();
}

void CManageMacrosPage::StopRecordingOrPreview()
{
    if (m_window.GetMacroState() == kPreviewing)
    {
        if (CMacroDisplayItem* copy = m_window.Bound<CMacroDisplayItem>(MACRO_DISPLAY_READONLY))
            copy->StopPreview();
        m_window.SetMacroPageState(kIdle);
        return;
    }
    if (Device* device = GetDevice())
        device->LeaveCaptureMode();
    CMacroDisplayItem* editor = GetEditor();
    if (editor && editor->IsRecording())
    {
        editor->ToggleRecording();
        m_window.MarkChanged();
        if (CMacro* macro = GetSelectedMacro())
            macro->m_events = editor->GetEvents();
        m_window.SetMacroPageState(kIdle);
        if (CMacroDisplayItem* copy = m_window.Bound<CMacroDisplayItem>(MACRO_DISPLAY_READONLY))
            copy->Show(true);
        if (CBitmapBtn* record = m_window.Bound<CBitmapBtn>(BUTTON_MACRO_RECORD))
        {
            record->StopBlinking();
            record->EnableWindow(true);
        }
    }
    int32_t delay = 0;
    if (editor && ReadDelay(EDITCTRL_INSERT_DELAY, delay))
        editor->SetDefaultDelay(delay);
}

void CManageMacrosPage::PlayPreview()
{
    const CMacro* macro = GetSelectedMacro();
    CMacroDisplayItem* copy = m_window.Bound<CMacroDisplayItem>(MACRO_DISPLAY_READONLY);
    if (!macro || !copy)
        return;
    m_window.SetMacroPageState(kPreviewing);
    copy->StartPreview(macro->m_events);
}

void CManageMacrosPage::SelectFirstEvent()
{
    CMacroDisplayItem* editor = GetEditor();
    if (editor && editor->GetItemCount() > 0)
        SelectEvent(0);
}

void CManageMacrosPage::SelectLastEvent()
{
    CMacroDisplayItem* editor = GetEditor();
    if (!editor)
        return;
    if (editor->GetItemCount() == 0)
    {
        editor->ClearSelection();
        return;
    }
    SelectEvent(editor->GetItemCount() - 1);
}

void CManageMacrosPage::InsertDelay()
{
    CMacro* macro = GetSelectedMacro();
    CMacroDisplayItem* editor = GetEditor();
    int32_t delay = 0;
    if (!macro || !editor || !ReadDelay(EDITCTRL_INSERT_DELAY, delay))
        return;
    const int selected = editor->GetSelectedIndex();
    if (selected < 0 || selected >= static_cast<int>(macro->m_events.size()))
        return;
    std::vector<CMacroEvent> events = macro->m_events;
    events.insert(events.begin() + selected + 1, CMacroRecorder::MakeDelay(delay));
    ReplaceEvents(*macro, events, selected + 1);
}

void CManageMacrosPage::InsertCommand(int listId)
{
    CMacro* macro = GetSelectedMacro();
    CMacroDisplayItem* editor = GetEditor();
    const CDropdownListItem* commands = m_window.Bound<CDropdownListItem>(listId);
    const int chosen = commands ? commands->GetCurSel() : -1;
    if (!macro || !editor || chosen < 0)
        return;
    std::vector<CMacroEvent> command;
    g_predefinedMacros.AppendCommand(commands->GetItemText(chosen), command);
    if (command.empty())
        return;
    const int count = static_cast<int>(macro->m_events.size());
    const int selected = editor->GetSelectedIndex();
    const int at = selected < 0 ? 0 : std::min(selected + 1, count);
    std::vector<CMacroEvent> events = macro->m_events;
    events.insert(events.begin() + at, command.begin(), command.end());
    ReplaceEvents(*macro, events, at + static_cast<int>(command.size()) - 1);
}

void CManageMacrosPage::SetIgnoreDelay(bool on)
{
    CMacroDisplayItem* editor = GetEditor();
    if (editor)
        editor->SetIgnoreDelays(on);
    if (!on)
        return;
    if (editor)
        editor->SetUseDefaultDelay(false);
    SetButtonChecked(BUTTON_INSERTDEFAULT_DELAY, false);
    SetEnabled(EDITCTRL_DEFAULT_DELAY, false);
}

void CManageMacrosPage::SetInsertDefaultDelay(bool on)
{
    CMacroDisplayItem* editor = GetEditor();
    if (editor)
        editor->SetUseDefaultDelay(on);
    SetEnabled(EDITCTRL_DEFAULT_DELAY, on);
    if (!on)
        return;
    if (editor)
        editor->SetIgnoreDelays(false);
    SetButtonChecked(BUTTON_IGNORE_DELAY, false);
}

void CManageMacrosPage::ImportMacro()
{
    Device* device = GetDevice();
    CString path;
    if (!m_pConfig || !device || !m_fileChooser.Choose(m_window.GetPopups(), true, kImportHeading, path))
        return;
    // The device layer reads the file and adds the macro to the store under a free name.
    if (!device->ImportMacro(path, m_pConfig))
    {
        m_window.GetPopups().ShowMessage(kFileErrorPopup);
        return;
    }
    m_window.FillMacroList();
    m_window.MarkChanged();
}

void CManageMacrosPage::ExportMacro()
{
    CMacro* macro = GetSelectedMacro();
    Device* device = GetDevice();
    if (!macro || !device)
        return;
    if (!device->HasMacro(macro))
    {
        AskAbout(kExportWarningPopup, macro->GetName());
        return;
    }
    CString path;
    if (!m_fileChooser.Choose(m_window.GetPopups(), false, kExportHeading, path))
        return;
    // A failed export is not reported: nothing of the macro changed.
    device->ExportMacro(path, macro);
}

bool CManageMacrosPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GUI_DROPDOWN_SELCHANGE:
    {
        const CDropdownListItem* macros = m_window.Bound<CDropdownListItem>(LIST_GLOBALMACROLIST);
        if (!macros || reinterpret_cast<HWND>(lParam) != macros->m_hWnd)
            return false;
        OnMacroChosen(wParam);
        return true;
    }
    case WM_GUI_MACRO_CHANGED:
        if (lParam != MACRO_DISPLAY)
            return false;
        OnEditorChanged();
        return true;
    case WM_GUI_MACRO_EDIT_EVENT:
        if (lParam != MACRO_DISPLAY)
            return false;
        OnEditEvent();
        return true;
    case WM_GUI_MACRO_PLAYBACK_DONE:
        if (lParam != MACRO_DISPLAY_READONLY)
            return false;
        if (m_window.GetMacroState() == kPreviewing)
            StopRecordingOrPreview();
        return true;
    case WM_GUI_EDIT_CHANGED:
        for (int itemId : { EDITCTRL_INSERT_DELAY, EDITCTRL_DEFAULT_DELAY })
        {
            const CEditItem* edit = GetEdit(itemId);
            if (edit && reinterpret_cast<HWND>(lParam) == edit->m_hWnd)
            {
                OnDelayEditChanged(itemId);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

CMacroDisplayItem* CManageMacrosPage::GetEditor() const
{
    return m_window.Bound<CMacroDisplayItem>(MACRO_DISPLAY);
}

CEditItem* CManageMacrosPage::GetEdit(int itemId) const
{
    return m_window.Bound<CEditItem>(itemId);
}

void CManageMacrosPage::ShowMacro(const CMacro& macro)
{
    if (CDropdownListItem* macros = m_window.Bound<CDropdownListItem>(LIST_GLOBALMACROLIST))
    {
        for (int entry = 0; entry < macros->GetCount(); ++entry)
        {
            if (macros->GetItemText(entry) == macro.GetName())
                macros->SetCurSel(entry);
        }
    }
    if (CMacroDisplayItem* editor = GetEditor())
        editor->SetEvents(macro.m_events);
    m_window.SetMacroPageState(kIdle);
}

void CManageMacrosPage::ShowNoMacro()
{
    if (CDropdownListItem* macros = m_window.Bound<CDropdownListItem>(LIST_GLOBALMACROLIST))
        macros->ClearSelection();
    if (CMacroDisplayItem* editor = GetEditor())
        editor->DeleteAllEvents();
    m_window.SetMacroPageState(kNoMacro);
}

void CManageMacrosPage::ReplaceEvents(CMacro& macro, const std::vector<CMacroEvent>& events, int selected)
{
    macro.m_events = events;
    if (CMacroDisplayItem* editor = GetEditor())
        editor->SetEvents(events);
    SelectEvent(selected);
    m_window.MarkChanged();
}

void CManageMacrosPage::SelectEvent(int index)
{
    CMacroDisplayItem* editor = GetEditor();
    if (!editor || index < 0 || index >= editor->GetItemCount())
        return;
    editor->ClearSelection();
    editor->SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    editor->EnsureVisible(index, false);
}

void CManageMacrosPage::OnMacroChosen(WPARAM selection)
{
    const CDropdownListItem* macros = m_window.Bound<CDropdownListItem>(LIST_GLOBALMACROLIST);
    const int entry = static_cast<int>(selection);
    if (!macros || !m_pConfig || entry < 0 || entry >= macros->GetCount())
        return;
    if (const CMacro* macro = m_pConfig->FindMacroByName(macros->GetItemText(entry)))
        ShowMacro(*macro);
}

void CManageMacrosPage::OnEditorChanged()
{
    CMacro* macro = GetSelectedMacro();
    const CMacroDisplayItem* editor = GetEditor();
    if (!macro || !editor)
        return;
    macro->m_events = editor->GetEvents();
    m_window.MarkChanged();
}

void CManageMacrosPage::OnEditEvent()
{
    CMacroDisplayItem* editor = GetEditor();
    const int selected = editor ? editor->GetSelectedIndex() : -1;
    if (selected < 0 || selected >= static_cast<int>(editor->GetEvents().size()))
        return;
    const CMacroEvent event = editor->GetEvents()[static_cast<size_t>(selected)];
    if (event.type != CMacroEvent::kKeystroke)
        return;
    KeyEntryResult key = KeyOfEvent(event);
    if (!m_window.GetPopups().EnterEditKey(key))
        return;
    const CMacroEvent changed = EventOfKey(event, key);
    if (MacroEventEquals(changed, event))
        return;
    // The editor reports the replacement, which stores the events and marks the change.
    editor->ReplaceEvent(selected, changed);
    m_window.MarkChanged();
}

void CManageMacrosPage::OnDelayEditChanged(int itemId)
{
    int32_t delay = 0;
    if (!ReadDelay(itemId, delay))
    {
        m_window.GetPopups().ShowMessage(kDefaultDelayPopup);
        CString start;
        start.Format(L"%d", kStartDelay);
        SetEditText(itemId, start);
        delay = kStartDelay;
    }
    CMacroDisplayItem* editor = GetEditor();
    if (itemId == EDITCTRL_INSERT_DELAY && editor)
        editor->SetDefaultDelay(delay);
}

bool CManageMacrosPage::ReadDelay(int itemId, int32_t& milliseconds) const
{
    const CEditItem* edit = GetEdit(itemId);
    return edit && CMacroDisplayItem::ParseDelay(edit->GetWindowText(), milliseconds);
}

void CManageMacrosPage::SetEditText(int itemId, const CString& text)
{
    if (CEditItem* edit = GetEdit(itemId))
        edit->SetWindowText(text);
}

void CManageMacrosPage::SetButtonChecked(int itemId, bool checked)
{
    if (CBitmapBtn* button = m_window.Bound<CBitmapBtn>(itemId))
        button->SetChecked(checked);
}

void CManageMacrosPage::SetEnabled(int itemId, bool enabled)
{
    CGUIItem* item = m_window.Bound<CGUIItem>(itemId);
    if (item && item->HasWindow())
        ::EnableWindow(item->m_hWnd, enabled ? TRUE : FALSE);
}

INT_PTR CManageMacrosPage::AskAbout(const wchar_t* page, const CString& name)
{
    CString extra;
    extra.Format(L": %s", name.GetString());
    return m_window.GetPopups().ShowMessage(page, CString(), extra.GetString());
}
