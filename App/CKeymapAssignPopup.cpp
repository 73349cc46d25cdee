#include "CKeymapAssignPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "CTextItem.h"
#include "GUIMessages.h"
#include "NamedReferences.h"
#include "PopupLists.h"

namespace
{
const wchar_t kCycleEntry[] = L"$CycleKeymaps";

void ShowItem(CGUIItem* item, bool show)
{
    if (item)
        item->Show(show);
}
}

CKeymapAssignPopup::CKeymapAssignPopup(const CString& pageFile, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent)
{
}

void CKeymapAssignPopup::SetRecord(CAssignment* record, const CStringArray* names)
{
    m_pRecord = record;
    m_pNames = names;
}

void CKeymapAssignPopup::InitItems()
{
    m_pList = m_items.FindItemOfKind<CDropdownListItem>(LIST_KEYMAP_DROPDOWN, GUIKIND_DROPDOWN);
    m_pOption = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_KEYMAP_SWITCH_OPTION, GUIKIND_BITMAPBTN);
    m_pOptionText = m_items.FindItemOfKind<CTextItem>(TEXT_KEYMAP_SWITCH_OPTION, GUIKIND_TEXTITEM);
}

bool CKeymapAssignPopup::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    FillList();
    const int entry = RecordEntry();
    if (m_pList)
        m_pList->SetCurSel(entry);
    ShowOption(entry != 0, entry != 0 && m_pRecord && m_pRecord->kind == kAssignKeymap35);
    return result;
}

void CKeymapAssignPopup::FillList()
{
    if (!m_pList)
        return;
    m_pList->ResetContent();
    m_pList->AddString(kCycleEntry);
    if (!m_pNames)
        return;
    for (int index = 0; index < m_pNames->GetSize(); ++index)
        m_pList->AddString(m_pNames->GetAt(index));
}

int CKeymapAssignPopup::RecordEntry() const
{
    if (!m_pRecord || !m_pNames)
        return 0;
    if (m_pRecord->kind != kAssignKeymap31 && m_pRecord->kind != kAssignKeymap35)
        return 0;
    const CString name = GetReferenceName(*m_pRecord);
    for (int index = 0; index < m_pNames->GetSize(); ++index)
    {
        if (m_pNames->GetAt(index) == name)
            return index + 1;
    }
    return 0;
}

void CKeymapAssignPopup::ShowOption(bool show, bool checked)
{
    if (m_pOption)
        m_pOption->SetChecked(checked);
    ShowItem(m_pOption, show);
    ShowItem(m_pOptionText, show);
}

void CKeymapAssignPopup::WriteRecord()
{
    const int entry = m_pList ? m_pList->GetCurSel() : -1;
    if (!m_pRecord || entry < 0)
        return;
    if (entry == 0)
    {
        *m_pRecord = CAssignment();
        m_pRecord->kind = kAssignKeymap32;
        ShowOption(false, false);
        return;
    }
    CString name;
    if (!GetSelectedText(m_pList, name))
        return;
    const bool whileHeld = m_pOption && m_pOption->IsChecked();
    MakeNamedAssignment(whileHeld ? kAssignKeymap35 : kAssignKeymap31, *m_pRecord, name);
    ShowOption(true, whileHeld);
}

bool CKeymapAssignPopup::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_GUI_DROPDOWN_SELCHANGE) // void WriteRecord()
        return CVelmoraPopupBox::OnWndMsg(message, wParam, lParam, result);
    const CGUIItem* item = m_items.FindItemByHwnd(reinterpret_cast<HWND>(lParam));
    if (item && item->m_id == LIST_KEYMAP_DROPDOWN)
        WriteRecord();
    result = 0;
    return true;
}

bool CKeymapAssignPopup::OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam)
{
    if (item.m_id != BUTTON_KEYMAP_SWITCH_OPTION)
        return CVelmoraPopupBox::OnItemCommand(item, wParam, lParam);
    WriteRecord();
    return true;
}

void CKeymapAssignPopup::OnOK()
{
    WriteRecord();
    EndDialog(IDOK);
}
