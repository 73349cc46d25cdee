// Classes in this file:
//   CVelmoraMacroAssignmentPopup - the popup that chooses a macro by name and how it plays:
//                                  once, several times, toggled by the key or while the
//                                  key is held. The play buttons act as radio buttons.
#pragma once

#include "CStringArray.h"
#include "CVelmoraPopupBox.h"

class CBitmapBtn;
class CDropdownListItem;

class CVelmoraMacroAssignmentPopup : public CVelmoraPopupBox
{
public:
    static constexpr const wchar_t* kPageFile = L"SelectMacroPopup.xml";
    // The playback modes the caller stores.
    static constexpr int kPlayOnce = 1;
    static constexpr int kPlayMultiple = 2;
    static constexpr int kPlayUntilPressed = 3;
    static constexpr int kPlayWhilePressed = 4;

private:
    // Data members
    int* m_pMode = nullptr;
    CString* m_pName = nullptr;
    const CStringArray* m_pNames = nullptr;
    // The modes this popup offers: 1 to m_lastMode.
    int m_lastMode;
    CDropdownListItem* m_pList = nullptr;
    // Indexed by mode; entry 0 is unused.
    CBitmapBtn* m_pPlayButtons[kPlayWhilePressed + 1] = {};

public:
    CVelmoraMacroAssignmentPopup(const CString& pageFile, CWnd* parent);

    // Attributes
    CDropdownListItem* GetList() const { return m_pList; }
    CBitmapBtn* GetPlayButton(int mode) const;

    // Operations
    // In: the preselected mode and name; out after IDOK: the choice. The name stays as it
    // was when no macro is selected.
    void SetChoice(int* mode, CString* name, const CStringArray* names);

protected:
    // The popup of the scroll wheel's buttons, which offers the first two modes only.
    CVelmoraMacroAssignmentPopup(const CString& pageFile, int lastMode, CWnd* parent);

    // Implementation
    void InitItems() override;
    bool OnInitDialog() override;
    bool OnItemCommand(CGUIItem& item, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    // Checks the mode's button alone.
    void CheckMode(int mode);
    // The mode of a play button's item id; 0 for another item.
    int ModeOfItem(int id) const;
};
