#include "CKeyAssignmentsObject.h"

#include "ServiceCalls.h"

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
