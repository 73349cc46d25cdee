#include "CButtonAssignmentsObject.h"

#include "ServiceCalls.h"

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
