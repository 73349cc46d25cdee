// The tray icon's menu: the template's "Load Velmora" item and separator, then one item per
// stored profile (the active one checked), a separator when there are profiles, and the
// close item, whose command id follows the profile items' count.
#pragma once

#include "CMenu.h"
#include "CString.h"
#include "CStringArray.h"

#include <vector>

constexpr UINT kFirstProfileCommand = 1000;
constexpr UINT kFirstCloseCommand = 32771;

// One item appended to the template's sub-menu.
struct TrayMenuItem
{
    UINT id = 0;
    CString text;
    bool checked = false;
    bool separator = false;
};

struct TrayMenuModel
{
    std::vector<TrayMenuItem> items;
    UINT closeCommand = kFirstCloseCommand;
};

// The close item's command id for a menu listing that many profiles.
UINT GetCloseCommand(int profileCount);

// The items after the template's: a profile is checked only when its name is the active
// name exactly.
TrayMenuModel BuildTrayMenuModel(const CStringArray& profileNames, const CString& activeName,
    const CString& closeText);

// Loads the menu template, translates "Load Velmora", appends the model's items and makes
// "Load Velmora" the default item; false when the template or its sub-menu is missing.
bool LoadTrayMenu(CMenu& menu, const TrayMenuModel& model);

// The text of a language key in the active language, or the fallback without one.
CString GetTrayText(const wchar_t* key, const wchar_t* fallback);
