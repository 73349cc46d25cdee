#include "CAssignButtonsPage.h"

#include "AppItemIds.h"
#include "AssignmentTexts.h"
#include "CDropdownListItem.h"
#include "CKeypadConfig.h"
#include "CLangTable.h"
#include "CListPanelItem.h"
#include "GuidText.h"
#include "NamedReferences.h"
#include "Vocabulary.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

namespace
{
constexpr int kFirstDropdown = BUTTON_ASSNBUTTON1;

// The filter and flags of the program chooser.
const wchar_t kProgramFilter[] = L"*.exe|*.exe||";
constexpr DWORD kProgramFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;

CListEntry Row(const wchar_t* label, bool separator, bool more)
{
    CListEntry entry(label);
    entry.m_separator = separator;
    entry.m_more = more;
    return entry;
}

CListEntry SubMenuRow(const wchar_t* label, const wchar_t* tip, CListPanelItem* list, bool separator)
{
    CListEntry entry = Row(label, separator, false);
    entry.m_tipText = tip;
    entry.m_pSubList = list;
    return entry;
}

bool IsWheel(int button)
{
    return button >= kButtonWheelClick && button <= kButtonWheelDown;
}

bool IsScroll(int button)
{
    return button == kButtonWheelUp || button == kButtonWheelDown;
}

GUID PayloadGuid(const CAssignment& assignment)
{
    return GuidFromWords(assignment.GetWord(0), assignment.GetWord(1), assignment.GetWord(2), assignment.GetWord(3));
}

// The by-id assignment when the item has an id, else the by-name one.
CAssignment Reference(int idKind, int nameKind, const GUID& id, const CString& name)
{
    CAssignment assignment;
    if (IsNullGuid(id))
        return MakeNamedAssignment(nameKind, assignment, name);
    uint32_t words[4];
    GuidToWords(id, words);
    return MakeAssignment(idKind, assignment, words[0], words[1], words[2], words[3]);
}

int KeymapIndex(const IKeypadProfile& profile, const CKeymap* keymap)
{
    for (int index = 0; keymap && index < profile.GetKeymapCount(); ++index)
    {
        if (profile.GetKeymap(index) == keymap)
            return index;
    }
    return -1;
}
}

CAssignButtonsPage::CAssignButtonsPage(IKeypadConfig* config, Device** device, IAppPopups* const* popups,
    std::function<void()> markChanged)
    : m_pConfig(config), m_ppDevice(device), m_ppPopups(popups), m_markChanged(std::move(markChanged))
{
}

CDropdownListItem* CAssignButtonsPage::GetDropdown(int button) const
{
    const auto found = m_dropdowns.find(button);
    return found == m_dropdowns.end() ? nullptr : found->second;
}

int CAssignButtonsPage::FindButton(HWND dropdown) const
{
    for (const auto& entry : m_dropdowns)
    {
        if (dropdown && entry.second->m_hWnd == dropdown)
            return entry.first;
    }
    return 0;
}

void CAssignButtonsPage::BuildAssignmentMenus(const CGUIItems& page)
{
    m_dropdowns.clear();
    for (int button = kButtonFirst; button <= kButtonLast; ++button)
    {
        const int id = kFirstDropdown + button - kButtonFirst;
        if (auto* dropdown = page.FindItemOfKind<CDropdownListItem>(id, GUIKIND_DROPDOWN))
            m_dropdowns[button] = dropdown;
    }
    m_pMoreList = page.FindItemOfKind<CListPanelItem>(LISTPANEL_ASSIGNSUBMENU_MORE, GUIKIND_LISTPANELITEM);
    m_pMouseList = page.FindItemOfKind<CListPanelItem>(LISTPANEL_ASSIGNSUBMENU_MOUSE, GUIKIND_LISTPANELITEM);
    m_pMacroList = page.FindItemOfKind<CListPanelItem>(LISTPANEL_ASSIGNSUBMENU_MA, GUIKIND_LISTPANELITEM);
    m_pProfileList = page.FindItemOfKind<CListPanelItem>(LISTPANEL_ASSIGNSUBMENU_PR, GUIKIND_LISTPANELITEM);

    m_topMenu = { Row(L"$SingleKey", false, true), Row(L"$macro", false, true), Row(L"$keymap", true, true),
        SubMenuRow(L"$More", L"$clicktoviewmorebuttonassignmentoptions", m_pMoreList, true),
        Row(L"$defaultkey", false, false) };
    m_moreMenu = { SubMenuRow(L"$MouseButton", L"$assignthisbuttontoperformmousefunction", m_pMouseList, false),
        Row(L"$joystick", false, true), Row(L"$profile", false, true), Row(L"$launchprogram", false, true),
        Row(L"$buttonoff", false, false) };
    m_mouseMenu.clear();
    for (const wchar_t* label : { L"$click", L"$menu", L"$universalscrolling", L"$Double-Click", L"$Backward",
             L"$Forward", L"$scrollup", L"$scrolldown" })
        m_mouseMenu.push_back(Row(label, false, false));
}

const std::vector<CListEntry>* CAssignButtonsPage::SubMenuRows(const CListPanelItem* list) const
{
    if (list && list == m_pMoreList)
        return &m_moreMenu;
    if (list && list == m_pMouseList)
        return &m_mouseMenu;
    return nullptr;
}

std::vector<CListEntry> CAssignButtonsPage::FilterMenu(const std::vector<CListEntry>& rows, int button)
{
    std::vector<CListEntry> shown;
    const IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (!profile)
        return shown;
    for (const CListEntry& row : rows)
    {
        if (row.m_pSubList)
        {
            if (const std::vector<CListEntry>* subRows = SubMenuRows(row.m_pSubList))
            {
                row.m_pSubList->SetEntries(FilterMenu(*subRows, button));
                shown.push_back(row);
            }
            continue;
        }
        const int kind = GetKeyFunctionId(row.m_text);
        if (kind < 0 || !profile->CanAssignKind(kind, static_cast<tKeypadButton>(button)))
            continue;
        CListEntry entry = row;
        if (const wchar_t* hint = GetButtonHintKey(kind))
            entry.m_tipText = hint;
        if (kind == kAssignMacro)
            entry.m_disabled = m_pConfig->GetMacroCount() == 0;
        else if (kind == kAssignProfile)
            entry.m_disabled = m_pConfig->GetProfileCount() < 2;
        else if (kind == kAssignDefaultKey)
            entry.m_displayText = GetDefaultRowText(button, *m_pConfig, g_pLangTable);
        shown.push_back(entry);
    }
    return shown;
}

void CAssignButtonsPage::FillAssignmentMenu(int button)
{
    CDropdownListItem* dropdown = GetDropdown(button);
    if (!dropdown)
        return;
    dropdown->ResetContent();
    for (const CListEntry& entry : FilterMenu(m_topMenu, button))
        dropdown->AddEntry(entry);
}

void CAssignButtonsPage::FillAssignmentSubmenus(const IKeypadProfile* excludedProfile)
{
    if (!m_pConfig)
        return;
    if (m_pMacroList)
    {
        std::vector<CListEntry> names;
        for (int index = 0; index < m_pConfig->GetMacroCount(); ++index)
        {
            if (const CMacro* macro = m_pConfig->GetMacro(index))
                names.emplace_back(CString(macro->GetName()));
        }
        m_pMacroList->SetEntries(names);
    }
    if (m_pProfileList)
    {
        std::vector<CListEntry> names;
        for (int index = 0; index < m_pConfig->GetProfileCount(); ++index)
        {
            const IKeypadProfile* profile = m_pConfig->GetProfile(index);
            if (profile && profile != excludedProfile)
                names.emplace_back(profile->GetName());
        }
        m_pProfileList->SetEntries(names);
    }
}

void CAssignButtonsPage::SetJoystickRowEnabled(bool enabled)
{
    if (!m_pMoreList)
        return;
    std::vector<CListEntry> entries = m_pMoreList->GetEntries();
    for (CListEntry& entry : entries)
    {
        if (GetKeyFunctionId(entry.m_text) == kAssignJoystick)
            entry.m_disabled = !enabled;
    }
    m_pMoreList->SetEntries(entries);
}

void CAssignButtonsPage::OnDropdownClicked(int button, const IKeypadProfile* excludedProfile)
{
    FillAssignmentMenu(button);
    SetJoystickRowEnabled(!IsScroll(button));
    FillAssignmentSubmenus(excludedProfile);
}

bool CAssignButtonsPage::Read(int button, CAssignment& assignment, CKeymap* keymap) const
{
    if (!m_pConfig)
        return false;
    if (IsWheel(button))
        return m_pConfig->GetButtonAssignment(&assignment, static_cast<tKeypadButton>(button), nullptr, keymap);
    const auto found = g_defaultButtonKeys.find(static_cast<tKeypadButton>(button));
    return found != g_defaultButtonKeys.end() &&
        m_pConfig->GetKeyAssignment(&assignment, found->second, nullptr, keymap) != nullptr;
}

void CAssignButtonsPage::Store(int button, const CAssignment& assignment, CKeymap* keymap)
{
    if (IsWheel(button))
    {
        m_pConfig->SetButtonAssignment(static_cast<tKeypadButton>(button), assignment, nullptr, keymap);
        return;
    }
    const auto found = g_defaultButtonKeys.find(static_cast<tKeypadButton>(button));
    if (found != g_defaultButtonKeys.end())
        m_pConfig->SetKeyAssignment(found->second, assignment, nullptr, keymap);
}

void CAssignButtonsPage::OnAssignmentChosen(int button, const std::vector<CString>& chosenPath)
{
    if (!m_pConfig || !m_pConfig->GetActiveProfile())
        return;
    int kind = -1;
    for (const CString& text : chosenPath)
    {
        kind = GetKeyFunctionId(text);
        if (kind >= 0)
            break;
    }
    if (kind < 0)
        return;
    CAssignment old;
    CAssignment chosen;
    if (Read(button, old) && Choose(button, kind, old, chosen))
    {
        Store(button, chosen);
        if (!AssignmentEquals(old, chosen))
            m_markChanged();
    }
    RefreshAssignmentTexts();
}

bool CAssignButtonsPage::Choose(int button, int kind, const CAssignment& old, CAssignment& chosen)
{
    switch (kind)
    {
    case kAssignDefaultKey:
        return ChooseDefault(button, chosen);
    case kAssignSingleKey:
        return ChooseSingleKey(button, old, chosen);
    case kAssignMacro:
        return ChooseMacro(button, old, chosen);
    case kAssignProfile:
        return ChooseProfile(old, chosen);
    case kAssignKeymap30:
        return ChooseKeymap(button, old, chosen);
    case kAssignLaunchProgram:
        return ChooseProgram(chosen);
    case kAssignJoystick:
        chosen = old;
        return Popups().ChooseJoystick(chosen);
    default:
        chosen = CAssignment();
        chosen.kind = kind;
        return true;
    }
}

bool CAssignButtonsPage::ChooseDefault(int button, CAssignment& chosen)
{
    if (IsWheel(button))
        return m_pConfig->GetDefaultAssignment(&chosen, static_cast<tKeypadButton>(button)) != nullptr;
    const auto found = g_defaultButtonKeys.find(static_cast<tKeypadButton>(button));
    return found != g_defaultButtonKeys.end() && m_pConfig->GetDefaultKeyAssignment(&chosen, found->second);
}

bool CAssignButtonsPage::ChooseSingleKey(int button, const CAssignment& old, CAssignment& chosen)
{
    CAssignment pending;
    pending.kind = kAssignSingleKey;
    Store(button, pending);
    Device* device = GetDevice();
    if (device)
        device->EnterCaptureMode();
    KeyEntryResult result;
    const bool confirmed = Popups().EnterSingleKey(result);
    if (device)
        device->LeaveCaptureMode();
    const bool noKey = result.m_keyText.IsEmpty() && !(result.m_flags & KeyEntryResult::kExtended);
    const bool empty = result.m_scanCode == 0 && result.m_virtualKey == 0 && result.m_flags == 0;
    if (!confirmed || noKey || empty)
    {
        // Nothing was captured: the button keeps what it did before.
        Store(button, old);
        return false;
    }
    chosen = CAssignment();
    chosen.kind = kAssignSingleKey;
    chosen.payload[0] = static_cast<uint8_t>(result.m_scanCode);
    chosen.payload[1] = static_cast<uint8_t>(result.m_scanCode >> 8);
    chosen.payload[2] = static_cast<uint8_t>(result.m_virtualKey);
    chosen.payload[3] = static_cast<uint8_t>(result.m_virtualKey >> 8);
    chosen.payload[4] = result.m_flags;
    return true;
}

bool CAssignButtonsPage::ChooseMacro(int button, const CAssignment& old, CAssignment& chosen)
{
    CStringArray names;
    for (int index = 0; index < m_pConfig->GetMacroCount(); ++index)
    {
        if (const CMacro* macro = m_pConfig->GetMacro(index))
            names.Add(macro->GetName());
    }
    CString name;
    int mode = 1;
    if (old.kind == kAssignMacro || old.kind == kAssignMacroByName)
    {
        const CMacro* current = old.kind == kAssignMacroByName
            ? m_pConfig->FindMacroByName(GetReferenceName(old))
            : (IsNullGuid(PayloadGuid(old)) ? nullptr : m_pConfig->FindMacroByGUID(PayloadGuid(old)));
        if (current)
            name = current->GetName();
        mode = static_cast<int>(old.GetWord(CAssignment::kMacroModeWord));
    }
    mode = mode >= 1 && mode <= 4 ? mode : 1;
    if (!Popups().ChooseMacro(IsScroll(button), names, name, mode))
        return false;
    mode = mode >= 1 && mode <= 4 ? mode : 1;
    int count = 0;
    if (mode == 2 && (!Popups().EnterRepeatCount(count) || count <= 0))
        return false;
    // A count beyond what the keypad holds plays as often as it can, not wrapped to a
    // small one.
    const uint32_t repeat = std::min(static_cast<uint32_t>(count), CAssignment::kMaxMacroRepeat);
    const CMacro* macro = name.IsEmpty() ? nullptr : m_pConfig->FindMacroByName(name);
    if (!macro)
        return false;
    GUID id = GUID_NULL;
    macro->GetGUID(&id);
    chosen = Reference(kAssignMacro, kAssignMacroByName, id, macro->GetName());
    chosen.SetWord(CAssignment::kMacroModeWord, static_cast<uint32_t>(mode));
    chosen.SetWord(CAssignment::kMacroRepeatWord, mode == 2 ? repeat : 0);
    return true;
}

bool CAssignButtonsPage::ChooseProfile(const CAssignment& old, CAssignment& chosen)
{
    const IKeypadProfile* active = m_pConfig->GetActiveProfile();
    CStringArray names;
    for (int index = 0; index < m_pConfig->GetProfileCount(); ++index)
    {
        const IKeypadProfile* profile = m_pConfig->GetProfile(index);
        if (profile && profile != active)
            names.Add(profile->GetName());
    }
    CString name;
    const IKeypadProfile* current = nullptr;
    if (old.kind == kAssignProfile && !IsNullGuid(PayloadGuid(old)))
        current = m_pConfig->FindProfileByGUID(PayloadGuid(old));
    else if (old.kind == kAssignProfileByName)
        current = m_pConfig->FindProfileByName(GetReferenceName(old));
    if (current)
        name = current->GetName();
    if (!Popups().ChooseProfile(names, name))
        return false;
    IKeypadProfile* profile = name.IsEmpty() ? nullptr : m_pConfig->FindProfileByName(name);
    if (!profile)
        return false;
    GUID id = GUID_NULL;
    profile->GetGUID(&id);
    chosen = Reference(kAssignProfile, kAssignProfileByName, id, profile->GetName());
    return true;
}

bool CAssignButtonsPage::ChooseKeymap(int button, const CAssignment& old, CAssignment& chosen)
{
    IKeypadProfile* profile = m_pConfig->GetActiveProfile();
    CAssignment record = old;
    if (old.kind == kAssignKeymap30 || old.kind == kAssignKeymap34)
    {
        const GUID id = PayloadGuid(old);
        const int index = IsNullGuid(id) ? -1 : KeymapIndex(*profile, profile->FindKeymapByGUID(id));
        MakeNamedAssignment(old.kind + 1, record, GetKeymapLabel(*profile, index, g_pLangTable));
    }
    CStringArray labels;
    const CKeymap* current = profile->GetCurrentKeymap();
    for (int index = 0; index < profile->GetKeymapCount(); ++index)
    {
        if (profile->GetKeymap(index) != current)
            labels.Add(GetKeymapLabel(*profile, index, g_pLangTable));
    }
    if (!Popups().ChooseKeymap(IsScroll(button), labels, record))
        return false;
    if (record.kind == kAssignKeymap32)
    {
        CAssignment cycle;
        MakeAssignment(kAssignKeymap32, cycle, 0, 0, 0, 0);
        if (StoreInEveryKeymap(button, cycle))
            m_markChanged();
        return false;
    }
    if (record.kind == kAssignKeymap31 || record.kind == kAssignKeymap35)
    {
        const CKeymap* keymap = profile->GetKeymap(FindKeymapByLabel(*profile, GetReferenceName(record), g_pLangTable));
        if (keymap && !IsNullGuid(keymap->GetGUID()))
            ResolveToId(record, keymap->GetGUID());
    }
    chosen = record;
    return true;
}

bool CAssignButtonsPage::StoreInEveryKeymap(int button, const CAssignment& assignment)
{
    IKeypadProfile* profile = m_pConfig->GetActiveProfile();
    bool changed = false;
    for (int index = 0; index < profile->GetKeymapCount(); ++index)
    {
        CKeymap* keymap = profile->GetKeymap(index);
        CAssignment before;
        if (!keymap || !Read(button, before, keymap))
            continue;
        Store(button, assignment, keymap);
        changed = changed || !AssignmentEquals(before, assignment);
    }
    return changed;
}

bool CAssignButtonsPage::ChooseProgram(CAssignment& chosen)
{
    IFileChooser::Request request;
    request.m_open = true;
    request.m_filter = kProgramFilter;
    request.m_flags = kProgramFlags;
    CString path;
    if (!Popups().ChooseFile(request, path) || path.IsEmpty())
        return false;
    const CKvApp* application = m_pConfig->FindApplicationByName(path);
    if (!application)
        application = m_pConfig->AddApplication(path);
    if (!application)
        return false;
    chosen = Reference(kAssignLaunchProgram, kAssignLaunchProgramByName, application->m_id, path);
    return true;
}

void CAssignButtonsPage::RefreshAssignmentTexts()
{
    IKeypadProfile* profile = m_pConfig ? m_pConfig->GetActiveProfile() : nullptr;
    if (!profile)
        return;
    const bool enabled = m_pConfig->IsProfileEnabled(profile);
    for (const auto& entry : m_dropdowns)
    {
        const int button = entry.first;
        CDropdownListItem* dropdown = entry.second;
        FillAssignmentMenu(button);
        CAssignment assignment;
        if (!Read(button, assignment))
            continue;
        if (!enabled)
        {
            assignment = CAssignment();
            assignment.kind = kAssignButtonOff;
        }
        dropdown->m_disabled = !enabled;
        const AssignmentTextResult text = GetAssignmentText(button, assignment, *m_pConfig, g_pLangTable);
        dropdown->m_captionOverride = text.m_text;
        dropdown->SetToolTipText(text.m_toolTip);
        if (dropdown->m_hWnd)
            ::InvalidateRect(dropdown->m_hWnd, nullptr, FALSE);
    }
}
