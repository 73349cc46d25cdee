#include "CMacro.h"

#include <cwchar>

bool MacroEventEquals(const CMacroEvent& a, const CMacroEvent& b)
{
    return a.type == b.type && a.value == b.value && a.extra == b.extra;
}

CMacro::CMacro(const wchar_t* name, const std::vector<CMacroEvent>& events)
    : m_events(events)
{
    SetName(name);
}

CMacro& CMacro::operator=(const CMacro& other)
{
    if (this == &other)
        return *this;
    wmemcpy(m_name, other.m_name, kNameChars);
    m_id = other.m_id;
    m_events = other.m_events;
    return *this;
}

void CMacro::SetName(const wchar_t* name)
{
    wmemset(m_name, L'\0', kNameChars);
    if (name)
        wcsncpy(m_name, name, kNameChars - 1);
}

void CMacro::GetGUID(GUID* out) const
{
    if (out)
        *out = m_id;
}

bool MacroEquals(const CMacro& a, const CMacro& b)
{
    if (!IsEqualGUID(a.m_id, b.m_id) || CString(a.m_name).CompareNoCase(b.m_name) != 0)
        return false;
    if (a.m_events.size() != b.m_events.size())
        return false;
    for (size_t i = 0; i < a.m_events.size(); ++i) {
        if (!MacroEventEquals(a.m_events[i], b.m_events[i]))
            return false;
    }
    return true;
}
