// Classes in this file:
//   CMenu - owns a menu loaded from the program's resources (or made empty) and destroys it
//           when it goes; move-only. The calls on it are those of CMenuHandle.
#pragma once

#include "CMenuHandle.h"

class CMenu : public CMenuHandle
{
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept : CMenuHandle(other.m_hMenu) { other.m_hMenu = nullptr; }
    CMenu& operator=(CMenu&& other) noexcept;

    // Operations
    // The menu resource of the program's module; what was held before is destroyed first.
    bool LoadMenu(UINT resourceId);
    bool CreatePopupMenu();
    void DestroyMenu();
};
