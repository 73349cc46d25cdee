#include "CApplicationObject.h"

#include "ServiceCalls.h"

HRESULT CApplicationObject::GetId(GUID* id)
{
    HRESULT hr = Model().BeginCall(L"IApplication::GetId");
    if (FAILED(hr))
        return hr;
    if (!id)
        return E_POINTER;
    *id = m_id;
    return Model().Read([&](SimKeypad& keypad) { return FindApplication(keypad, m_id) ? S_OK : kNotFound; });
}

HRESULT CApplicationObject::Reserved2()
{
    return E_NOTIMPL;
}

HRESULT CApplicationObject::Reserved3()
{
    return E_NOTIMPL;
}

HRESULT CApplicationObject::SetPath(LPCWSTR path)
{
    HRESULT hr = Model().BeginCall(L"IApplication::SetPath");
    if (FAILED(hr))
        return hr;
    if (!path)
        return E_POINTER;
    return Model().Modify([&](SimKeypad& keypad) {
        SimApplication* application = FindApplication(keypad, m_id);
        if (!application)
            return kNotFound;
        application->path = path;
        return S_OK;
    });
}
