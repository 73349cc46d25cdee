#include "CKeymapObject.h"

#include "CButtonAssignmentsObject.h"
#include "CKeyAssignmentsObject.h"
#include "ServiceCalls.h"

#include <new>

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
    if (IsEqualIID(iid, IID_IKeyAssignments)) {
        *object = static_cast<IKeyAssignments*>(new (std::nothrow) CKeyAssignmentsObject(m_profile, m_id));
        return *object ? S_OK : E_OUTOFMEMORY;
    }
    if (IsEqualIID(iid, IID_IButtonAssignments)) {
        *object = static_cast<IButtonAssignments*>(new (std::nothrow) CButtonAssignmentsObject(m_profile, m_id));
        return *object ? S_OK : E_OUTOFMEMORY;
    }
    return E_NOINTERFACE;
}

HRESULT CKeymapObject::GetId(GUID* id)
{
    HRESULT hr = Model().BeginCall(L"IKeyMap::GetId");
    if (FAILED(hr))
        return hr;
    if (!id)
        return E_POINTER;
    *id = m_id;
    return Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        return profile && FindKeymap(*profile, m_id) ? S_OK : kNotFound;
    });
}

HRESULT CKeymapObject::GetName(LPWSTR* name)
{
    HRESULT hr = Model().BeginCall(L"IKeyMap::GetName");
    if (FAILED(hr))
        return hr;
    if (!name)
        return E_POINTER;
    *name = nullptr;
    return Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        SimKeymap* keymap = profile ? FindKeymap(*profile, m_id) : nullptr;
        return keymap ? CopyText(keymap->name, name) : kNotFound;
    });
}

HRESULT CKeymapObject::SetName(LPCWSTR name)
{
    HRESULT hr = Model().BeginCall(L"IKeyMap::SetName");
    if (FAILED(hr))
        return hr;
    hr = CheckName(name);
    if (FAILED(hr))
        return hr;
    return Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        SimKeymap* keymap = profile ? FindKeymap(*profile, m_id) : nullptr;
        if (!keymap)
            return kNotFound;
        keymap->name = name;
        return S_OK;
    });
}
