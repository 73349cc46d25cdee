#include "CApplicationManagerObject.h"

#include "CApplicationObject.h"
#include "CConnectionPoint.h"
#include "ServiceCalls.h"

#include <new>

HRESULT CApplicationManagerObject::Reserved1()
{
    return E_NOTIMPL;
}

HRESULT CApplicationManagerObject::Reserved2()
{
    return E_NOTIMPL;
}

HRESULT CApplicationManagerObject::Create(IApplication** application)
{
    HRESULT hr = Model().BeginCall(L"IApplicationManager::Create");
    if (FAILED(hr))
        return hr;
    if (!application)
        return E_POINTER;
    *application = nullptr;
    SimApplication created;
    created.id = NewGuid();
    const GUID id = created.id;
    hr = Model().Modify([&](SimKeypad& keypad) {
        keypad.applications.push_back(std::move(created));
        return S_OK;
    });
    return HandOut<CApplicationObject>(hr, ObjectKey{ ObjectKind::Application, id, GUID{}, 0 }, application, id);
}

HRESULT CApplicationManagerObject::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT CApplicationManagerObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    return CConnectionPoint::Find(SinkKind::Application, GUID{}, IID__IApplicationEvent, this, iid, point);
}
