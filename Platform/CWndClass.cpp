#include "CWndClass.h"

bool CWndClass::Register(const wchar_t* name, UINT style, const wchar_t* cursor)
{
    if (!name || !*name)
        return false;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    if (::GetClassInfoExW(instance, name, &info))
        return true;
    info.style = style;
    info.lpfnWndProc = ::DefWindowProcW;
    info.hInstance = instance;
    info.hCursor = cursor ? ::LoadCursorW(nullptr, cursor) : nullptr;
    info.lpszClassName = name;
    return ::RegisterClassExW(&info) != 0;
}
