// Classes in this file:
//   CWndClass - registration of a window class private to this program: a class style and a
//               cursor under a name, registered once per process; CWnd::CreateEx with the
//               name then creates and binds windows of it.
#pragma once

#include <windows.h>

class CWndClass
{
public:
    // Registers the class (DefWindowProcW, no background) unless it already exists; true
    // when the class is there afterwards.
    static bool Register(const wchar_t* name, UINT style, const wchar_t* cursor = IDC_ARROW);
};
