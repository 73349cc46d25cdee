// Classes in this file:
//   CAssignButtonsPage - the button assignment page: the assignment menu of each of the 27
//                        buttons' drop-downs, what a choice in it stores (opening the popup
//                        that asks for the details where one is needed) and the text each
//                        drop-down shows. The scroll wheel's buttons 17 to 19 are stored by
//                        button, every other button by its key id.
#pragma once

#include "CAssignment.h"
#include "CGUIItems.h"
#include "CListEntry.h"
#include "IAppPopups.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

#include <functional>
#include <map>
#include <vector>

class CDropdownListItem;
class CListPanelItem;

class CAssignButtonsPage
{
public:
    using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

    static constexpr int kButtonCount = 27;

private:
    // Data members: the store, device and popups are the window's.
    IKeypadConfig* m_pConfig;
    Device** m_ppDevice;
    IAppPopups* const* m_ppPopups;
    std::function<void()> m_markChanged;
    // Button number to its drop-down; a button whose drop-down the page lacks is absent.
    std::map<int, CDropdownListItem*> m_dropdowns;
    CListPanelItem* m_pMoreList = nullptr;
    CListPanelItem* m_pMouseList = nullptr;
    CListPanelItem* m_pMacroList = nullptr;
    CListPanelItem* m_pProfileList = nullptr;
    // The rows of the top menu and of its "More" and mouse sub-menus.
    std::vector<CListEntry> m_topMenu;
    std::vector<CListEntry> m_moreMenu;
    std::vector<CListEntry> m_mouseMenu;

public:
    CAssignButtonsPage(IKeypadConfig* config, Device** device, IAppPopups* const* popups,
        std::function<void()> markChanged);

    // Attributes
    CDropdownListItem* GetDropdown(int button) const;
    // The button whose drop-down has that window; 0 for none.
    int FindButton(HWND dropdown) const;
    const std::vector<CListEntry>& GetTopMenu() const { return m_topMenu; }

    // Operations
    // Finds the page's drop-downs and sub-menu lists, then builds the three menus.
    void BuildAssignmentMenus(const CGUIItems& page);
    // Puts the menu rows the active profile allows for the button into its drop-down.
    void FillAssignmentMenu(int button);
    // The macro names, and every profile's name except the excluded one (may be null).
    void FillAssignmentSubmenus(const IKeypadProfile* excludedProfile);
    // A drop-down is about to open.
    void OnDropdownClicked(int button, const IKeypadProfile* excludedProfile);
    // The texts chosen through the nested menus of the button's drop-down.
    void OnAssignmentChosen(int button, const std::vector<CString>& chosenPath);
    void RefreshAssignmentTexts();

private:
    // Implementation
    IAppPopups& Popups() const { return **m_ppPopups; }
    Device* GetDevice() const { return m_ppDevice ? *m_ppDevice : nullptr; }
    std::vector<CListEntry> FilterMenu(const std::vector<CListEntry>& rows, int button);
    const std::vector<CListEntry>* SubMenuRows(const CListPanelItem* list) const;
    void SetJoystickRowEnabled(bool enabled);
    // The button's assignment in the current keymap; false for a button without a key id.
    bool Read(int button, CAssignment& assignment, CKeymap* keymap = nullptr) const;
    void Store(int button, const CAssignment& assignment, CKeymap* keymap = nullptr);
    // The new assignment for the kind; false when nothing is to be stored.
    bool Choose(int button, int kind, const CAssignment& old, CAssignment& chosen);
    bool ChooseDefault(int button, CAssignment& chosen);
    bool ChooseSingleKey(int button, const CAssignment& old, CAssignment& chosen);
    bool ChooseMacro(int button, const CAssignment& old, CAssignment& chosen);
    bool ChooseProfile(const CAssignment& old, CAssignment& chosen);
    bool ChooseKeymap(int button, const CAssignment& old, CAssignment& chosen);
    bool ChooseProgram(CAssignment& chosen);
    // Writes the cycle into every keymap of the active profile; true when any changed.
    bool StoreInEveryKeymap(int button, const CAssignment& assignment);
};
