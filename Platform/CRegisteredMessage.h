// Classes in this file:
//   CRegisteredMessage - a window message registered by name (RegisterWindowMessageW), so
//                        that windows of other programs agree on its number; a message map
//                        compares against it, since its number is known only at run time.
#pragma once

#include <windows.h>

class CRegisteredMessage
{
    // Data members
    UINT m_message;

public:
    explicit CRegisteredMessage(const wchar_t* name) : m_message(::RegisterWindowMessageW(name)) {}

    // Attributes
    // 0 when the registration failed; no message is 0, so a failed one never matches.
    UINT GetId() const { return m_message; }
    bool Matches(UINT message) const { return m_message != 0 && message == m_message; }
};
