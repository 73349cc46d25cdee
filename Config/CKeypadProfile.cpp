#include "CKeypadProfile.h"

int g_keymapMode = 0;

CKeypadProfile::CKeypadProfile()
{
    RegisterCategory(kCatProfileButtons, m_categories, &m_trackedButtonAssignments);
    RegisterCategory(kCatProfileReserved1, m_categories, &m_trackedReserved1);
    RegisterCategory(kCatProfileReserved2, m_categories, &m_trackedReserved2);
}

CKeypadProfile::CKeypadProfile(const CString& name)
    : CKeypadProfile()
{
    SetName(name);
}

CKeypadProfile::~CKeypadProfile()
{
    RemoveAllKeymaps();
}

void CKeypadProfile::CopyFrom(const CKeypadProfile& source)
{
    if (&source == this)
        return;
    CBaseProfile::CopyFrom(source);
    m_reserved1 = source.m_reserved1;
    m_trackedReserved1.Set(source.m_reserved1);
    m_reserved2 = source.m_reserved2;
    m_trackedReserved2.Set(source.m_reserved2);

    m_buttonAssignments.clear();
    m_trackedButtonAssignments.clear();
    for (const auto& entry : source.m_buttonAssignments) {
        m_buttonAssignments[entry.first] = entry.second;
        m_trackedButtonAssignments[entry.first] = CCatAssnmnt(entry.second);
    }

    RemoveAllKeymaps();
    for (const auto& keymap : source.m_keymaps)
        m_keymaps.push_back(std::make_unique<CKeymap>(*keymap));
    int current = source.IndexOfKeymap(source.GetCurrentKeymap());
    SetCurrentKeymap(current < 0 ? nullptr : m_keymaps[static_cast<size_t>(current)].get());
}

void CKeypadProfile::AcceptFrom(const CKeypadProfile& other)
{
    if (&other == this)
        return;
    CBaseProfile::AcceptFrom(other);
    m_trackedButtonAssignments.AcceptFrom(other.m_trackedButtonAssignments);
    m_trackedReserved1.AcceptFrom(other.m_trackedReserved1);
    m_trackedReserved2.AcceptFrom(other.m_trackedReserved2);
}

void CKeypadProfile::CopyTrackingFrom(const CKeypadProfile& other)
{
    if (&other == this)
        return;
    CBaseProfile::CopyTrackingFrom(other);
    m_trackedButtonAssignments = other.m_trackedButtonAssignments;
    m_trackedReserved1 = other.m_trackedReserved1;
    m_trackedReserved2 = other.m_trackedReserved2;
}

CKeymap* CKeypadProfile::KeymapOrCurrent(CKeymap* keymap) const
{
    return keymap ? keymap : GetCurrentKeymap();
}

int CKeypadProfile::IndexOfKeymap(const CKeymap* keymap) const
{
    for (size_t i = 0; keymap && i < m_keymaps.size(); ++i) {
        if (m_keymaps[i].get() == keymap)
            return static_cast<int>(i);
    }
    return -1;
}

void CKeypadProfile::SetKeyAssignment(int keyId, CAssignment assignment, CKeymap* keymap)
{
    if (g_keymapMode == 0) {
        SetBaseKeyAssignment(keyId, assignment);
        return;
    }
    if (CKeymap* target = KeymapOrCurrent(keymap))
        target->GetKeyAssignments()[keyId] = assignment;
}

CAssignment* CKeypadProfile::GetKeyAssignment(CAssignment* out, int keyId, CKeymap* keymap)
{
    if (g_keymapMode == 0)
        return GetBaseKeyAssignment(out, keyId);
    if (!out)
        return out;
    CKeymap* source = KeymapOrCurrent(keymap);
    *out = source ? source->GetKeyAssignments()[keyId] : CAssignment();
    return out;
}

void CKeypadProfile::SetButtonAssignment(tKeypadButton button, CAssignment assignment, CKeymap* keymap)
{
    if (!CanAssignKind(assignment.kind, button))
        return;
    if (g_keymapMode == 0) {
        m_buttonAssignments[button] = assignment;
        m_trackedButtonAssignments[button].Set(assignment);
        return;
    }
    if (CKeymap* target = KeymapOrCurrent(keymap))
        target->GetButtonAssignments()[button] = assignment;
}

CAssignment* CKeypadProfile::GetButtonAssignment(CAssignment* out, tKeypadButton button, CKeymap* keymap)
{
    if (!out)
        return out;
    if (g_keymapMode == 0) {
        *out = m_trackedButtonAssignments[button].Get();
        return out;
    }
    CKeymap* source = KeymapOrCurrent(keymap);
    *out = source ? source->GetButtonAssignments()[button] : CAssignment();
    return out;
}

int CKeypadProfile::GetKeymapCount() const
{
    return static_cast<int>(m_keymaps.size());
}

CKeymap* CKeypadProfile::AddKeymap(const CString& name)
{
    m_keymaps.push_back(std::make_unique<CKeymap>(name));
    return m_keymaps.back().get();
}

CKeymap* CKeypadProfile::AddKeymapCopy(const CKeymap* keymap)
{
    if (!keymap)
        return nullptr;
    m_keymaps.push_back(std::make_unique<CKeymap>(*keymap));
    return m_keymaps.back().get();
}

CKeymap* CKeypadProfile::FindKeymapByGUID(GUID id) const
{
    for (const auto& keymap : m_keymaps) {
        if (IsEqualGUID(keymap->GetGUID(), id))
            return keymap.get();
    }
    return nullptr;
}

CKeymap* CKeypadProfile::FindKeymapByName(const CString& name) const
{
    for (const auto& keymap : m_keymaps) {
        if (keymap->GetName().CompareNoCase(name) == 0)
            return keymap.get();
    }
    return nullptr;
}

CKeymap* CKeypadProfile::GetKeymap(int index) const
{
    if (index < 0 || index >= GetKeymapCount())
        return nullptr;
    return m_keymaps[static_cast<size_t>(index)].get();
}

void CKeypadProfile::RemoveAllKeymaps()
{
    SetCurrentKeymap(nullptr);
    while (!m_keymaps.empty())
        m_keymaps.pop_back();
}

void CKeypadProfile::SetCurrentKeymap(CKeymap* keymap)
{
    m_currentKeymap = keymap;
    m_trackedCurrentKeymap.Set(keymap);
}

CKeymap* CKeypadProfile::GetCurrentKeymap() const
{
    return m_trackedCurrentKeymap.Get();
}

void CKeypadProfile::SetOption(int)
{
}

bool CKeypadProfile::GetOption() const
{
    return false;
}
