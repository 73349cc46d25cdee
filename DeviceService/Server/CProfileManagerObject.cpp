#include "CProfileManagerObject.h"

#include "CConnectionPoint.h"
#include "CProfileObject.h"
#include "GuidText.h"
#include "KeypadFiles.h"
#include "ServiceCalls.h"

#include <new>

namespace {

HRESULT HandOutProfile(HRESULT hr, const GUID& id, IProfile** profile)
{
    return HandOut<CProfileObject>(hr, ObjectKey{ ObjectKind::Profile, id, GUID{}, 0 }, profile, id);
}

std::wstring NewProfileName(const SimKeypad& keypad)
{
    return L"Profile " + std::to_wstring(keypad.profiles.size() + 1);
}

}

HRESULT CProfileManagerObject::Item(LONG index, IProfile** profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::Item");
    if (FAILED(hr))
        return hr;
    if (!profile)
        return E_POINTER;
    *profile = nullptr;
    GUID id{};
    hr = Model().Read([&](SimKeypad& keypad) { return IdAt(keypad.profiles, index, id); });
    return HandOutProfile(hr, id, profile);
}

HRESULT CProfileManagerObject::GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IProfile** profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::GetById");
    if (FAILED(hr))
        return hr;
    if (!profile)
        return E_POINTER;
    *profile = nullptr;
    const GUID id = GuidFromWords(id0, id1, id2, id3);
    hr = Model().Read([&](SimKeypad& keypad) { return FindProfile(keypad, id) ? S_OK : kNotFound; });
    return HandOutProfile(hr, id, profile);
}

HRESULT CProfileManagerObject::SetActive(IProfile* profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::SetActive");
    if (FAILED(hr))
        return hr;
    GUID id{};
    hr = IdOf(profile, id);
    if (FAILED(hr))
        return hr;
    return Model().Modify([&](SimKeypad& keypad) {
        if (!FindProfile(keypad, id))
            return kNotFound;
        keypad.activeProfile = id;
        Model().QueueEventLocked(SinkKind::Profile, GUID{}, id);
        return S_OK;
    });
}

HRESULT CProfileManagerObject::GetActive(IProfile** profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::GetActive");
    if (FAILED(hr))
        return hr;
    if (!profile)
        return E_POINTER;
    *profile = nullptr;
    GUID id{};
    hr = Model().Read([&](SimKeypad& keypad) {
        id = keypad.activeProfile;
        return FindProfile(keypad, id) ? S_OK : kNotFound;
    });
    return HandOutProfile(hr, id, profile);
}

HRESULT CProfileManagerObject::Create(IProfile** profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::Create");
    if (FAILED(hr))
        return hr;
    if (!profile)
        return E_POINTER;
    *profile = nullptr;
    GUID id{};
    hr = Model().Modify([&](SimKeypad& keypad) {
        if (keypad.profiles.size() >= size_t(kMaxProfiles))
            return kMemoryFull;
        keypad.profiles.push_back(MakeDefaultProfile(NewProfileName(keypad)));
        id = keypad.profiles.back().id;
        return S_OK;
    });
    return HandOutProfile(hr, id, profile);
}

HRESULT CProfileManagerObject::Delete(IProfile* profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::Delete");
    if (FAILED(hr))
        return hr;
    GUID id{};
    hr = IdOf(profile, id);
    if (FAILED(hr))
        return hr;
    hr = Model().Modify([&](SimKeypad& keypad) {
        if (IsEqualGUID(id, keypad.activeProfile))
            return E_ACCESSDENIED;
        return EraseById(keypad.profiles, id);
    });
    return Forgotten(hr, id);
}

HRESULT CProfileManagerObject::Reserved7()
{
    return E_NOTIMPL;
}

HRESULT CProfileManagerObject::ImportFromFile(LPCWSTR path, IProfile** profile)
{
    HRESULT hr = Model().BeginCall(L"IProfileManager::ImportFromFile");
    if (FAILED(hr))
        return hr;
    if (!path || !profile)
        return E_POINTER;
    *profile = nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    SimProfile imported;
    if (!DecodeProfileFile(bytes, imported))
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    RenewIds(imported);
    const GUID id = imported.id;
    hr = Model().Modify([&](SimKeypad& keypad) {
        if (keypad.profiles.size() >= size_t(kMaxProfiles))
            return kMemoryFull;
        keypad.profiles.push_back(std::move(imported));
        return S_OK;
    });
    return HandOutProfile(hr, id, profile);
}

HRESULT CProfileManagerObject::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT CProfileManagerObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    return CConnectionPoint::Find(SinkKind::Profile, GUID{}, IID__IProfileManagerEvents, this, iid, point);
}
