#include "CJoystickAssignPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapBtn.h"
#include "CDropdownListItem.h"
#include "GUIMessages.h"

#include <cstring>

namespace
{
const wchar_t* const kAxisKeys[CJoystickAssignPopup::kAxisCount] = {
    L"$XAxis", L"$YAxis", L"$ZAxis", L"$rXAxis", L"$rYAxis", L"$rZAxis",
};
const wchar_t* const kDirectionKeys[] = { L"$Decrease", L"$Increase" };

void EnableList(CDropdownListItem* list, bool enable)
{
    if (!list)
        return;
    list->m_disabled = !enable;
    list->Invalidate(false);
}

void Check(CBitmapBtn* button, bool checked)
{
    if (button)
        button->SetChecked(checked);
}

void Select(CDropdownListItem* list, int index)
{
    if (list)
        list->SetCurSel(index);
}

int Selection(const CDropdownListItem* list)
{
    return list ? list->GetCurSel() : -1;
}
}

CJoystickAssignPopup::CJoystickAssignPopup(const CString& pageFile, CAssignment* record, CWnd* parent)
    : CVelmoraPopupBox(IDD_VELMORA_POPUP, pageFile, parent), m_pRecord(record)
{
}

void CJoystickAssignPopup::InitItems()
{
    m_pButtons = m_items.FindItemOfKind<CDropdownListItem>(LIST_JOYSTICK_DROPDOWN_BUTTONS, GUIKIND_DROPDOWN);
    m_pAxes = m_items.FindItemOfKind<CDropdownListItem>(LIST_JOYSTICK_DROPDOWN_AXIS, GUIKIND_DROPDOWN);
    m_pDirections =
        m_items.FindItemOfKind<CDropdownListItem>(LIST_JOYSTICK_DROPDOWN_AXIS_DIRECTION, GUIKIND_DROPDOWN);
    m_pButtonMode = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_JOYSTICK_BUTTONS, GUIKIND_BITMAPBTN);
    m_pAxisMode = m_items.FindItemOfKind<CBitmapBtn>(BUTTON_JOYSTICK_AXIS, GUIKIND_BITMAPBTN);
}

bool CJoystickAssignPopup::OnInitDialog()
{
    const bool result = CVelmoraPopupBox::OnInitDialog();
    FillLists();
    ShowRecord();
    return result;
}

void CJoystickAssignPopup::FillLists()
{
    if (m_pAxes)
    {
        m_pAxes->ResetContent();
        for (const wchar_t* key : kAxisKeys)
            m_pAxes->AddString(key);
    }
    if (m_pDirections)
    {
        m_pDirections->ResetContent();
        for (const wchar_t* key : kDirectionKeys)
            m_pDirections->AddString(key);
    }
    if (m_pButtons)
    {
        m_pButtons->ResetContent();
        for (int number = 1; number <= kButtonCount; ++number)
            m_pButtons->AddString(FormatString(L"$Button%d", number));
    }
}

void CJoystickAssignPopup::ShowRecord()
{
    if (!m_pRecord)
        return;
    if (m_pRecord->kind == kAssignJoystick)
    {
        Select(m_pButtons, 0);
        int axis = 0;
        while (axis < kAxisCount && m_pRecord->payload[axis] == kAxisCentre)
            ++axis;
        if (axis == kAxisCount)
            axis = 0;
        m_increase = m_pRecord->payload[axis] > kAxisCentre;
        Select(m_pAxes, axis);
        Select(m_pDirections, m_increase ? 1 : 0);
        SetAxisMode();
        return;
    }
    Select(m_pAxes, 0);
    Select(m_pDirections, 0);
    m_increase = false;
    if (m_pRecord->kind == kAssignJoystickValue)
    {
        Select(m_pButtons, static_cast<int>(m_pRecord->GetWord(0)) - 1);
        SetButtonMode();
        return;
    }
    Select(m_pButtons, 0);
    SetButtonMode();
    OnButtonChanged();
}

void CJoystickAssignPopup::SetAxisMode()
{
    Check(m_pAxisMode, true);
    Check(m_pButtonMode, false);
    EnableList(m_pButtons, false);
    EnableList(m_pAxes, true);
    EnableList(m_pDirections, true);
    if (!m_pRecord)
        return;
    // The record holds only what its kind uses.
    *m_pRecord = CAssignment();
    m_pRecord->kind = kAssignJoystick;
    std::memset(m_pRecord->payload, kAxisCentre, kAxisCount);
    OnDirectionChanged();
}

void CJoystickAssignPopup::SetButtonMode()
{
    Check(m_pAxisMode, false);
    Check(m_pButtonMode, true);
    EnableList(m_pButtons, true);
    EnableList(m_pAxes, false);
    EnableList(m_pDirections, false);
    if (!m_pRecord)
        return;
    const uint32_t number = m_pRecord->kind == kAssignJoystickValue ? m_pRecord->GetWord(0) : 0;
    *m_pRecord = CAssignment();
    m_pRecord->kind = kAssignJoystickValue;
    m_pRecord->SetWord(0, number);
    OnButtonChanged();
}

void CJoystickAssignPopup::OnAxisChanged()
{
    const int axis = Selection(m_pAxes);
    if (!m_pRecord || axis < 0 || axis >= kAxisCount)
        return;
    for (int index = 0; index < kAxisCount; ++index)
        m_pRecord->payload[index] = kAxisCentre;
    m_pRecord->payload[axis] = m_increase ? kAxisIncrease : kAxisDecrease;
}

void CJoystickAssignPopup::OnDirectionChanged()
{
    const int direction = Selection(m_pDirections);
    if (direction < 0 || direction > 1)
        return;
    m_increase = direction == 1;
    OnAxisChanged();
}

void CJoystickAssignPopup::OnButtonChanged()
{
    const int button = Selection(m_pButtons);
    if (!m_pRecord || button < 0 || button >= kButtonCount)
        return;
    m_pRecord->SetWord(0, static_cast<uint32_t>(button + 1));
}

bool CJoystickAssignPopup::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_GUI_DROPDOWN_SELCHANGE) // void OnAxisChanged() and its two partners
        return CVelmoraPopupBox::OnWndMsg(message, wParam, lParam, result);
    const CGUIItem* item = m_items.FindItemByHwnd(reinterpret_cast<HWND>(lParam));
    result = 0;
    if (!item)
        return true;
    if (item->m_id == LIST_JOYSTICK_DROPDOWN_AXIS)
        OnAxisChanged();
    else if (item->m_id == LIST_JOYSTICK_DROPDOWN_AXIS_DIRECTION)
        OnDirectionChanged();
    else if (item->m_id == LIST_JOYSTICK_DROPDOWN_BUTTONS)
        OnButtonChanged();
    return true;
}

bool CJoystickAssignPopup::OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam)
{
    if (item.m_id == BUTTON_JOYSTICK_AXIS)
    {
        SetAxisMode();
        return true;
    }
    if (item.m_id == BUTTON_JOYSTICK_BUTTONS)
    {
        SetButtonMode();
        return true;
    }
    return CVelmoraPopupBox::OnItemCommand(item, wParam, lParam);
}
