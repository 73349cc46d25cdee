#include "CMacroObject.h"

#include "KeypadFiles.h"
#include "ServiceCalls.h"

#include <objbase.h>

#include <cstring>

namespace {

// A MacroData block: u32 0, u32 n, n events of 8 bytes; callers allocate 8 spare bytes.
constexpr DWORD kMacroDataHeader = 8;
constexpr DWORD kMacroDataSpare = 8;
constexpr DWORD kMaxEvents = 100000;

uint32_t ReadU32(const BYTE* at)
{
    uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}

HRESULT CMacroObject::GetId(GUID* id)
{
    return GetItemId(L"IMacro::GetId", m_id, id, [&](SimKeypad& keypad) { return FindMacro(keypad, m_id); });
}

HRESULT CMacroObject::GetName(LPWSTR* name)
{
    return GetItemName(L"IMacro::GetName", name, [&](SimKeypad& keypad) { return FindMacro(keypad, m_id); });
}

HRESULT CMacroObject::SetName(LPCWSTR name)
{
    return SetItemName(L"IMacro::SetName", name, [&](SimKeypad& keypad) { return FindMacro(keypad, m_id); });
}

HRESULT CMacroObject::ExportToFile(LPCWSTR path)
{
    HRESULT hr = Model().BeginCall(L"IMacro::ExportToFile");
    if (FAILED(hr))
        return hr;
    if (!path)
        return E_POINTER;
    std::vector<uint8_t> bytes;
    hr = Model().Read([&](SimKeypad& keypad) {
        SimMacro* macro = FindMacro(keypad, m_id);
        if (!macro)
            return kNotFound;
        bytes = EncodeMacroFile(*macro);
        return S_OK;
    });
    if (FAILED(hr))
        return hr;
    return WriteFileAtomically(path, bytes) ? S_OK : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
}

HRESULT CMacroObject::GetData(DWORD* size, BYTE** data)
{
    HRESULT hr = Model().BeginCall(L"IMacro::GetData");
    if (FAILED(hr))
        return hr;
    if (!size || !data)
        return E_POINTER;
    *size = 0;
    *data = nullptr;
    std::vector<SimMacroEvent> events;
    hr = Model().Read([&](SimKeypad& keypad) {
        SimMacro* macro = FindMacro(keypad, m_id);
        if (!macro)
            return kNotFound;
        events = macro->events;
        return S_OK;
    });
    if (FAILED(hr))
        return hr;
    const DWORD bytes = kMacroDataHeader + DWORD(events.size()) * 8 + kMacroDataSpare;
    auto* block = static_cast<BYTE*>(CoTaskMemAlloc(bytes));
    if (!block)
        return E_OUTOFMEMORY;
    std::memset(block, 0, bytes);
    const uint32_t count = static_cast<uint32_t>(events.size());
    std::memcpy(block + 4, &count, sizeof count);
    for (size_t i = 0; i < events.size(); ++i) {
        std::memcpy(block + kMacroDataHeader + i * 8, &events[i].type, 4);
        std::memcpy(block + kMacroDataHeader + i * 8 + 4, &events[i].value, 4);
    }
    *size = bytes;
    *data = block;
    return S_OK;
}

HRESULT CMacroObject::SetData(DWORD size, const BYTE* data)
{
    HRESULT hr = Model().BeginCall(L"IMacro::SetData");
    if (FAILED(hr))
        return hr;
    if (!data)
        return E_POINTER;
    if (size < kMacroDataHeader)
        return E_INVALIDARG;
    const uint32_t count = ReadU32(data + 4);
    if (count > kMaxEvents || size < kMacroDataHeader + count * 8)
        return E_INVALIDARG;
    std::vector<SimMacroEvent> events(count);
    for (uint32_t i = 0; i < count; ++i) {
        events[i].type = ReadU32(data + kMacroDataHeader + i * 8);
        events[i].value = ReadU32(data + kMacroDataHeader + i * 8 + 4);
        if (events[i].type < kFirstMacroEventType || events[i].type > kLastMacroEventType)
            return E_INVALIDARG;
    }
    return Model().Modify([&](SimKeypad& keypad) {
        SimMacro* macro = FindMacro(keypad, m_id);
        if (!macro)
            return kNotFound;
        macro->events = std::move(events);
        return S_OK;
    });
}
