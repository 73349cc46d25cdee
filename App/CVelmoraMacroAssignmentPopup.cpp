#include "CVelmoraMacroAssignmentPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "PopupLists.h"

namespace
{
// The play buttons' item ids, indexed by mode.
const int kPlayButtonIds[] = { -1, BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE,
    BUTTON_MACRO_PLAY_UNTILPRESSED, BUTTON_MACRO_PLAY_WHILEPRESSED };
}

CVelmoraMacroAssignmentPopup::CVelmoraMacroAssignmentPopup(const CString& pageFile, CWnd* parent)
    : CVelmoraMacroAssignmentPopup(pageFile, kPlayWhilePressed, parent)
{
}

CVelmoraMacroAssignmentPopup::CVelmoraMacroAssignmentPopup(const CString& pageFile, int lastMode, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent), m_lastMode(lastMode)
{
}

CBitmapBtn* CVelmoraMacroAssignmentPopup::GetPlayButton(int mode) const
{
    return mode >= kPlayOnce && mode <= m_lastMode ? m_pPlayButtons[mode] : nullptr;
}

void CVelmoraMacroAssignmentPopup::SetChoice(int* mode, CString* name, const CStringArray* names)
{
    m_pMode = mode;
    m_pName = name;
    m_pNames = names;
}

void CVelmoraMacroAssignmentPopup::InitItems()
{
    m_pList = m_items.FindItemOfKind<CDropdownListItem>(LIST_DROPDOWN_POPUP, GUIKIND_DROPDOWN);
    for (int mode = kPlayOnce; mode <= m_lastMode; ++mode)
    {
        m_pPlayButtons[mode] = m_items.FindItemOfKind<CBitmapBtn>(kPlayButtonIds[mode], GUIKIND_BITMAPBTN);
        if (m_pPlayButtons[mode])
            m_pPlayButtons[mode]->SetCheckBox(true);
    }
}

bool CVelmoraMacroAssignmentPopup::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    if (m_pList)
        FillNameList(*m_pList, m_pNames, m_pName);
    if (m_pMode && (*m_pMode < kPlayOnce || *m_pMode > m_lastMode))
        *m_pMode = kPlayOnce;
    CheckMode(m_pMode ? *m_pMode : kPlayOnce);
    return result;
}

void CVelmoraMacroAssignmentPopup::CheckMode(int mode)
{
    for (int each = kPlayOnce; each <= m_lastMode; ++each)
    {
        if (m_pPlayButtons[each])
            m_pPlayButtons[each]->SetChecked(each == mode);
    }
}

int CVelmoraMacroAssignmentPopup::ModeOfItem(int id) const
{
    for (int mode = kPlayOnce; mode <= m_lastMode; ++mode)
    {
        if (kPlayButtonIds[mode] == id)
            return mode;
    }
    return 0;
}

bool CVelmoraMacroAssignmentPopup::OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam)
{
    const int mode = ModeOfItem(item.m_id);
    if (mode == 0)
        return CVelmoraPopupBox::OnItemCommand(item, wParam, lParam);
    // The button toggled itself; whether the click checked it or not, it stays the checked
    // one, and a second click on it keeps the mode.
    if (m_pPlayButtons[mode]->IsChecked() && m_pMode)
        *m_pMode = mode;
    CheckMode(mode);
    return true;
}

void CVelmoraMacroAssignmentPopup::OnOK()
{
    if (m_pName)
        GetSelectedText(m_pList, *m_pName);
    bool anyChecked = false;
    for (int mode = kPlayOnce; mode <= m_lastMode; ++mode)
        anyChecked = anyChecked || (m_pPlayButtons[mode] && m_pPlayButtons[mode]->IsChecked());
    if (m_pMode && !anyChecked)
        *m_pMode = kPlayOnce;
    EndDialog(IDOK);
}
