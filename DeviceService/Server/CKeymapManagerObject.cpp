#include "CKeymapManagerObject.h"

#include "CConnectionPoint.h"
#include "CKeymapObject.h"
#include "GuidText.h"
#include "ServiceCalls.h"

#include <new>

HRESULT CKeymapManagerObject::HandOutKeymap(HRESULT hr, const GUID& id, IKeyMap** keymap) const
{
    return HandOut<CKeymapObject>(hr, ObjectKey{ ObjectKind::Keymap, m_profile, id, 0 }, keymap, m_profile, id);
}

HRESULT CKeymapManagerObject::Item(LONG index, IKeyMap** keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::Item");
    if (FAILED(hr))
        return hr;
    if (!keymap)
        return E_POINTER;
    *keymap = nullptr;
    GUID id{};
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile)
            return kNotFound;
        return IdAt(profile->keymaps, index, id);
    });
    return HandOutKeymap(hr, id, keymap);
}

HRESULT CKeymapManagerObject::GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IKeyMap** keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::GetById");
    if (FAILED(hr))
        return hr;
    if (!keymap)
        return E_POINTER;
    *keymap = nullptr;
    const GUID id = GuidFromWords(id0, id1, id2, id3);
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        return profile && FindKeymap(*profile, id) ? S_OK : kNotFound;
    });
    return HandOutKeymap(hr, id, keymap);
}

HRESULT CKeymapManagerObject::SetActive(IKeyMap* keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::SetActive");
    if (FAILED(hr))
        return hr;
    GUID id{};
    hr = IdOf(keymap, id);
    if (FAILED(hr))
        return hr;
    return Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile || !FindKeymap(*profile, id))
            return kNotFound;
        profile->activeKeymap = id;
        Model().QueueEventLocked(SinkKind::Keymap, m_profile, id);
        return S_OK;
    });
}

HRESULT CKeymapManagerObject::GetActive(IKeyMap** keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::GetActive");
    if (FAILED(hr))
        return hr;
    if (!keymap)
        return E_POINTER;
    *keymap = nullptr;
    GUID id{};
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile)
            return kNotFound;
        id = profile->activeKeymap;
        return FindKeymap(*profile, id) ? S_OK : kNotFound;
    });
    return HandOutKeymap(hr, id, keymap);
}

HRESULT CKeymapManagerObject::Create(IKeyMap** keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::Create");
    if (FAILED(hr))
        return hr;
    if (!keymap)
        return E_POINTER;
    *keymap = nullptr;
    GUID id{};
    hr = Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile)
            return kNotFound;
        if (profile->keymaps.size() >= size_t(kKeymapsPerProfile))
            return kMemoryFull;
        profile->keymaps.push_back(MakeDefaultKeymap(L"Keymap " + std::to_wstring(profile->keymaps.size() + 1)));
        id = profile->keymaps.back().id;
        return S_OK;
    });
    return HandOutKeymap(hr, id, keymap);
}

HRESULT CKeymapManagerObject::Delete(IKeyMap* keymap)
{
    HRESULT hr = Model().BeginCall(L"IKeyMapManager::Delete");
    if (FAILED(hr))
        return hr;
    GUID id{};
    hr = IdOf(keymap, id);
    if (FAILED(hr))
        return hr;
    hr = Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile)
            return kNotFound;
        // A profile always keeps an active key map, as it keeps an active profile.
        if (IsEqualGUID(id, profile->activeKeymap))
            return E_ACCESSDENIED;
        return EraseById(profile->keymaps, id);
    });
    return Forgotten(hr, id);
}

HRESULT CKeymapManagerObject::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT CKeymapManagerObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    return CConnectionPoint::Find(SinkKind::Keymap, m_profile, IID__IKeyMapManagerEvents, this, iid, point);
}
