#include "CInterfacePins.h"

#include <objbase.h>

#include <new>

HRESULT CInterfacePins::Add(IUnknown* object, REFIID iid)
{
    if (!object)
        return E_POINTER;
    std::lock_guard<std::mutex> guard(m_lock);
    for (const Pin& pin : m_pins) {
        if (IsEqualIID(pin.iid, iid))
            return S_OK;
    }
    CComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive());
    if (FAILED(hr))
        return hr;
    hr = CoMarshalInterface(stream.Get(), iid, object, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG);
    if (FAILED(hr))
        return hr;
    try {
        m_pins.push_back(Pin{ iid, stream });
    } catch (const std::bad_alloc&) {
        LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        CoReleaseMarshalData(stream.Get());
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void CInterfacePins::ReleaseAll()
{
    std::vector<Pin> pins;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        pins.swap(m_pins);
    }
    for (Pin& pin : pins) {
        LARGE_INTEGER start{};
        if (SUCCEEDED(pin.stream->Seek(start, STREAM_SEEK_SET, nullptr)))
            CoReleaseMarshalData(pin.stream.Get());
    }
}
