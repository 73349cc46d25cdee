#include "ServiceCalls.h"

#include <objbase.h>

#include <cstring>

HRESULT CopyText(const std::wstring& text, LPWSTR* out)
{
    if (!out)
        return E_POINTER;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, text.c_str(), bytes);
    *out = copy;
    return S_OK;
}

HRESULT CheckName(LPCWSTR name)
{
    if (!name)
        return E_POINTER;
    const size_t length = wcslen(name);
    return length == 0 || length > kMaxNameLength ? E_INVALIDARG : S_OK;
}
