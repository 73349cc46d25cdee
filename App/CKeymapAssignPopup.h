// Classes in this file:
//   CKeymapAssignPopup - the popup that makes an assignment a key-map switch: entry 0
//                        cycles through the key maps (kind 32), every other entry switches
//                        to that key map (kind 31), or only while the key is held (kind 35)
//                        when the option is checked. It edits the caller's record in place.
#pragma once

#include "CAssignment.h"
#include "CStringArray.h"
#include "CVelmoraPopupBox.h"

class CBitmapBtn;
class CDropdownListItem;
class CTextItem;

class CKeymapAssignPopup : public CVelmoraPopupBox
{
    // Data members
    CAssignment* m_pRecord = nullptr;
    const CStringArray* m_pNames = nullptr;
    CDropdownListItem* m_pList = nullptr;
    CBitmapBtn* m_pOption = nullptr;
    CTextItem* m_pOptionText = nullptr;

public:
    CKeymapAssignPopup(const CString& pageFile, CWnd* parent);

    // Attributes
    CDropdownListItem* GetList() const { return m_pList; }
    CBitmapBtn* GetOption() const { return m_pOption; }

    // Operations
    // The record edited while the popup is open and the key-map names in their order.
    void SetRecord(CAssignment* record, const CStringArray* names);

protected:
    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void FillList();
    // The entry of the record's key map: 1 + the first name equal to the one it carries,
    // else 0.
    int RecordEntry() const;
    void ShowOption(bool show, bool checked);
    void WriteRecord();
};
