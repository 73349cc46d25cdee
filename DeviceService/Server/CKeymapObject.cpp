#include "CKeymapObject.h"

#include "CButtonAssignmentsObject.h"
#include "CKeyAssignmentsObject.h"
#include "ServiceCalls.h"

#include <new>

namespace
{
SimKeymap* FindKeymapOf(SimKeypad& keypad, const GUID& profileId, const GUID& id)
{
    SimProfile* profile = FindProfile(keypad, profileId);
    return profile ? FindKeymap(*profile, id) : nullptr;
}
}

HRESULT CKeymapObject::GetSubObject(REFIID iid, IUnknown** object)
{
    HRESULT hr = Model().BeginCall(L"IKeyMap::GetSubObject");
    if (FAILED(hr))
        return hr;
    if (!object)
        return E_POINTER;
    *object = nullptr;
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        return profile && FindKeymap(*profile, m_id) ? S_OK : kNotFound;
    });
    if (FAILED(hr))
        return hr;
    if (IsEqualIID(iid, IID_IKeyAssignments))
        return HandOut<CKeyAssignmentsObject>(S_OK, ObjectKey{ ObjectKind::KeyAssignments, m_profile, m_id, 0 },
                                              reinterpret_cast<IKeyAssignments**>(object), m_profile, m_id);
    if (IsEqualIID(iid, IID_IButtonAssignments))
        return HandOut<CButtonAssignmentsObject>(S_OK, ObjectKey{ ObjectKind::ButtonAssignments, m_profile, m_id, 0 },
                                                 reinterpret_cast<IButtonAssignments**>(object), m_profile, m_id);
    return E_NOINTERFACE;
}

HRESULT CKeymapObject::GetId(GUID* id)
{
    return GetItemId(L"IKeyMap::GetId", m_id, id, [&](SimKeypad& keypad) { return FindKeymapOf(keypad, m_profile, m_id); });
}

HRESULT CKeymapObject::GetName(LPWSTR* name)
{
    return GetItemName(L"IKeyMap::GetName", name, [&](SimKeypad& keypad) { return FindKeymapOf(keypad, m_profile, m_id); });
}

HRESULT CKeymapObject::SetName(LPCWSTR name)
{
    return SetItemName(L"IKeyMap::SetName", name, [&](SimKeypad& keypad) { return FindKeymapOf(keypad, m_profile, m_id); });
}
