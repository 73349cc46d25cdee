#include "CRecordList.h"

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
