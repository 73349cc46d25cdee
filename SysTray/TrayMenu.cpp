#include "TrayMenu.h"

#include "CLangTable.h"
#include "SysTrayResource.h"

UINT GetCloseCommand(int profileCount)
{
    return kFirstCloseCommand + static_cast<UINT>(profileCount);
}

TrayMenuModel BuildTrayMenuModel(const CStringArray& profileNames, const CString& activeName,
    const CString& closeText)
{
    TrayMenuModel model;
    for (int i = 0; i < profileNames.GetSize(); ++i)
    {
        TrayMenuItem item;
        item.id = kFirstProfileCommand + static_cast<UINT>(i);
        item.text = profileNames[i];
        item.checked = profileNames[i].Compare(activeName) == 0;
        model.items.push_back(item);
    }
    if (!profileNames.IsEmpty())
    {
        TrayMenuItem separator;
        separator.separator = true;
        model.items.push_back(separator);
    }
    TrayMenuItem close;
    close.id = GetCloseCommand(profileNames.GetSize());
    close.text = closeText;
    model.items.push_back(close);
    model.closeCommand = close.id;
    return model;
}

bool LoadTrayMenu(CMenu& menu, const TrayMenuModel& model)
{
    if (!menu.LoadMenu(IDR_TRAYMENU))
        return false;
    CMenuHandle popup = menu.GetSubMenu(0);
    if (!popup.GetSafeHmenu())
        return false;
    CString loadText;
    if (LookupText(L"$Load^", loadText))
        popup.SetItemTextByCommand(ID_LOAD_VELMORA, loadText);
    for (const TrayMenuItem& item : model.items)
    {
        const bool appended = item.separator
            ? popup.AppendMenu(MF_SEPARATOR)
            : popup.AppendMenu(MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), item.id, item.text);
        if (!appended)
            return false;
    }
    return popup.SetDefaultItem(ID_LOAD_VELMORA, false);
}

CString GetTrayText(const wchar_t* key, const wchar_t* fallback)
{
    CString text;
    return LookupText(key, text) ? text : CString(fallback);
}
