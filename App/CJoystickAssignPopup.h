// Classes in this file:
//   CJoystickAssignPopup - the popup that turns an assignment into a joystick axis with its
//                          direction (kind 78) or a joystick button (kind 79), editing the
//                          caller's record in place while it is open.
#pragma once

#include "CAssignment.h"
#include "CVelmoraPopupBox.h"

class CBitmapBtn;
class CDropdownListItem;

class CJoystickAssignPopup : public CVelmoraPopupBox
{
public:
    static constexpr int kAxisCount = 6;
    static constexpr int kButtonCount = 24;
    // The state byte of an axis at rest, pushed down and pushed up.
    static constexpr uint8_t kAxisCentre = 0x80;
    static constexpr uint8_t kAxisDecrease = 0x00;
    static constexpr uint8_t kAxisIncrease = 0xFF;

private:
    // Data members
    CAssignment* m_pRecord;
    // True when the chosen axis is pushed up.
    bool m_increase = false;
    CDropdownListItem* m_pButtons = nullptr;
    CDropdownListItem* m_pAxes = nullptr;
    CDropdownListItem* m_pDirections = nullptr;
    CBitmapBtn* m_pButtonMode = nullptr;
    CBitmapBtn* m_pAxisMode = nullptr;

public:
    CJoystickAssignPopup(const CString& pageFile, CAssignment* record, CWnd* parent);

    // Attributes
    CDropdownListItem* GetButtonList() const { return m_pButtons; }
    CDropdownListItem* GetAxisList() const { return m_pAxes; }
    CDropdownListItem* GetDirectionList() const { return m_pDirections; }

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam) override;

private:
    void FillLists();
    void ShowRecord();
    void SetAxisMode();
    void SetButtonMode();
    void OnAxisChanged();
    void OnDirectionChanged();
    void OnButtonChanged();
};
