#include "CMenu.h"

CMenu& CMenu::operator=(CMenu&& other) noexcept
{
    if (this != &other)
    {
        DestroyMenu();
        m_hMenu = other.m_hMenu;
        other.m_hMenu = nullptr;
    }
    return *this;
}

bool CMenu::LoadMenu(UINT resourceId)
{
    DestroyMenu();
    m_hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
    return m_hMenu != nullptr;
}

bool CMenu::CreatePopupMenu()
{
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
}

void CMenu::DestroyMenu()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    if (menu)
        ::DestroyMenu(menu);
}
