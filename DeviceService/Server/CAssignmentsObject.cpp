#include "CAssignmentsObject.h"

#include "ServiceCalls.h"

#include <cstring>

namespace {

std::vector<ServiceAssignment>* FindList(SimKeypad& keypad, const GUID& profileId, const GUID& keymapId,
                                         std::vector<ServiceAssignment> SimKeymap::*list)
{
    SimProfile* profile = FindProfile(keypad, profileId);
    SimKeymap* keymap = profile ? FindKeymap(*profile, keymapId) : nullptr;
    return keymap ? &(keymap->*list) : nullptr;
}

}

HRESULT CRecordList::Count(LONG* count) const
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return Model().Read([&](SimKeypad& keypad) {
        std::vector<ServiceAssignment>* list = FindList(keypad, m_profile, m_keymap, m_list);
        if (!list)
            return kNotFound;
        *count = static_cast<LONG>(list->size());
        return S_OK;
    });
}

HRESULT CRecordList::Get(LONG count, ServiceAssignment* records) const
{
    if (count < 0)
        return E_INVALIDARG;
    if (!records && count > 0)
        return E_POINTER;
    if (count > 0)
        std::memset(records, 0, sizeof(ServiceAssignment) * size_t(count));
    return Model().Read([&](SimKeypad& keypad) {
        std::vector<ServiceAssignment>* list = FindList(keypad, m_profile, m_keymap, m_list);
        if (!list)
            return kNotFound;
        const size_t copied = std::min(size_t(count), list->size());
        if (copied)
            std::memcpy(records, list->data(), sizeof(ServiceAssignment) * copied);
        return S_OK;
    });
}

HRESULT CRecordList::Set(LONG count, const ServiceAssignment* records) const
{
    if (count <= 0)
        return E_INVALIDARG;
    if (!records)
        return E_POINTER;
    return Model().Modify([&](SimKeypad& keypad) {
        std::vector<ServiceAssignment>* list = FindList(keypad, m_profile, m_keymap, m_list);
        if (!list)
            return kNotFound;
        std::vector<ServiceAssignment> updated = *list;
        for (LONG i = 0; i < count; ++i) {
            bool found = false;
            for (ServiceAssignment& slot : updated) {
                if (slot.code == records[i].code) {
                    slot = records[i];
                    found = true;
                    break;
                }
            }
            if (!found)
                return E_INVALIDARG;
        }
        *list = std::move(updated);
        return S_OK;
    });
}

HRESULT CKeyAssignmentsObject::GetCount(LONG* count)
{
    const HRESULT hr = Model().BeginCall(L"IKeyAssignments::GetCount");
    return FAILED(hr) ? hr : m_records.Count(count);
}

HRESULT CKeyAssignmentsObject::GetAll(LONG count, ServiceAssignment* records)
{
    const HRESULT hr = Model().BeginCall(L"IKeyAssignments::GetAll");
    return FAILED(hr) ? hr : m_records.Get(count, records);
}

HRESULT CKeyAssignmentsObject::SetAssignments(LONG count, const ServiceAssignment* records)
{
    const HRESULT hr = Model().BeginCall(L"IKeyAssignments::SetAssignments");
    return FAILED(hr) ? hr : m_records.Set(count, records);
}

HRESULT CButtonAssignmentsObject::GetAll(LONG count, ServiceAssignment* records)
{
    const HRESULT hr = Model().BeginCall(L"IButtonAssignments::GetAll");
    return FAILED(hr) ? hr : m_records.Get(count, records);
}

HRESULT CButtonAssignmentsObject::SetAssignment(LONG count, const ServiceAssignment* records)
{
    const HRESULT hr = Model().BeginCall(L"IButtonAssignments::SetAssignment");
    return FAILED(hr) ? hr : m_records.Set(count, records);
}

HRESULT CButtonAssignmentsObject::GetAvailable(AvailableButtons* available)
{
    HRESULT hr = Model().BeginCall(L"IButtonAssignments::GetAvailable");
    if (FAILED(hr))
        return hr;
    if (!available)
        return E_POINTER;
    LONG count = 0;
    hr = m_records.Count(&count);
    if (FAILED(hr))
        return hr;
    available->count = static_cast<DWORD>(count);
    available->reserved = 0;
    available->mask = kAvailableButtonMask;
    return S_OK;
}
