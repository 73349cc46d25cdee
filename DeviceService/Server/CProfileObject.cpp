#include "CProfileObject.h"

#include "CKeymapManagerObject.h"
#include "CLedManagerObject.h"
#include "KeypadFiles.h"
#include "ServiceCalls.h"

#include <cstring>

#include <new>

HRESULT CProfileObject::GetSubObject(REFIID iid, IUnknown** object)
{
    HRESULT hr = Model().BeginCall(L"IProfile::GetSubObject");
    if (FAILED(hr))
        return hr;
    if (!object)
        return E_POINTER;
    *object = nullptr;
    hr = Model().Read([&](SimKeypad& keypad) { return FindProfile(keypad, m_id) ? S_OK : kNotFound; });
    if (FAILED(hr))
        return hr;
    if (IsEqualIID(iid, IID_IKeyMapManager))
        return HandOut<CKeymapManagerObject>(S_OK, ObjectKey{ ObjectKind::KeymapManager, m_id, GUID{}, 0 },
                                             reinterpret_cast<IKeyMapManager**>(object), m_id);
    if (IsEqualIID(iid, IID_ILedManager))
        return HandOut<CLedManagerObject>(S_OK, ObjectKey{ ObjectKind::LedManager, m_id, GUID{}, 0 },
                                          reinterpret_cast<ILedManager**>(object), m_id);
    if (IsEqualIID(iid, IID_IProfileProperties))
        return QueryInterface(iid, reinterpret_cast<void**>(object));
    return E_NOINTERFACE;
}

HRESULT CProfileObject::GetId(GUID* id)
{
    return GetItemId(L"IProfile::GetId", m_id, id, [&](SimKeypad& keypad) { return FindProfile(keypad, m_id); });
}

HRESULT CProfileObject::GetName(LPWSTR* name)
{
    return GetItemName(L"IProfile::GetName", name, [&](SimKeypad& keypad) { return FindProfile(keypad, m_id); });
}

HRESULT CProfileObject::SetName(LPCWSTR name)
{
    return SetItemName(L"IProfile::SetName", name, [&](SimKeypad& keypad) { return FindProfile(keypad, m_id); });
}

HRESULT CProfileObject::Reserved5()
{
    return E_NOTIMPL;
}

HRESULT CProfileObject::ExportToFile(LPCWSTR path)
{
    HRESULT hr = Model().BeginCall(L"IProfile::ExportToFile");
    if (FAILED(hr))
        return hr;
    if (!path)
        return E_POINTER;
    std::vector<uint8_t> bytes;
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_id);
        if (!profile)
            return kNotFound;
        bytes = EncodeProfileFile(*profile);
        return S_OK;
    });
    if (FAILED(hr))
        return hr;
    return WriteFileAtomically(path, bytes) ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
}

HRESULT CProfileObject::GetProperty(DWORD code, BYTE* buffer, DWORD offset, DWORD size, DWORD* stored)
{
    HRESULT hr = Model().BeginCall(L"IProfileProperties::GetProperty");
    if (FAILED(hr))
        return hr;
    if ((!buffer && size != 0) || !stored)
        return E_POINTER;
    *stored = 0;
    if (buffer)
        std::memset(buffer, 0, size);
    if (offset != 0)
        return E_INVALIDARG;
    return Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_id);
        if (!profile)
            return kNotFound;
        if (code == kPropertyApplication) {
            const size_t count = std::min<size_t>(size, profile->application.size());
            if (count)
                std::memcpy(buffer, profile->application.data(), count);
            *stored = static_cast<DWORD>(profile->application.size());
            return S_OK;
        }
        if (code == kPropertyFlags) {
            if (size < sizeof profile->flags)
                return E_INVALIDARG;
            std::memcpy(buffer, &profile->flags, sizeof profile->flags);
            *stored = sizeof profile->flags;
            return S_OK;
        }
        return E_INVALIDARG;
    });
}

HRESULT CProfileObject::SetProperty(DWORD code, const BYTE* data, DWORD offset, DWORD size, DWORD /*flags*/)
{
    HRESULT hr = Model().BeginCall(L"IProfileProperties::SetProperty");
    if (FAILED(hr))
        return hr;
    if (!data && size != 0)
        return E_POINTER;
    if (offset != 0)
        return E_INVALIDARG;
    return Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_id);
        if (!profile)
            return kNotFound;
        if (code == kPropertyApplication) {
            if (size > kApplicationPropertySize)
                return E_INVALIDARG;
            profile->application.assign(data, data + size);
            return S_OK;
        }
        if (code == kPropertyFlags) {
            // {u16 mask, u16 value}: only the bits of the mask change.
            if (size != 4)
                return E_INVALIDARG;
            uint16_t mask = 0;
            uint16_t value = 0;
            std::memcpy(&mask, data, 2);
            std::memcpy(&value, data + 2, 2);
            profile->flags = static_cast<uint16_t>((profile->flags & ~mask) | (value & mask));
            return S_OK;
        }
        return E_INVALIDARG;
    });
}
