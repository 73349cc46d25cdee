/* The two halves of every string-returning method: the caller's proxy receives the
   string as a counted array and hands it on as a plain CoTaskMem string; the server's
   stub takes the object's string and sends it with its length (terminator included). */
#include "DeviceService.h"

/* A string that arrived whole (terminated within its count) goes to the caller;
   anything else is freed and reported as bad data. */
static HRESULT HandOn(HRESULT hr, DWORD length, WCHAR* text, LPWSTR* out)
{
    if (FAILED(hr)) {
        CoTaskMemFree(text);
        return hr;
    }
    if (!text || length == 0 || text[length - 1] != 0) {
        CoTaskMemFree(text);
        return HRESULT_FROM_WIN32(RPC_X_BAD_STUB_DATA);
    }
    *out = text;
    return hr;
}

static HRESULT SendOn(HRESULT hr, LPWSTR text, DWORD* length, WCHAR** out)
{
    *length = 0;
    *out = NULL;
    if (FAILED(hr)) {
        CoTaskMemFree(text);
        return hr;
    }
    if (!text)
        return E_UNEXPECTED;
    *length = (DWORD)lstrlenW(text) + 1;
    *out = text;
    return hr;
}

/* The proxy and the stub of one string-returning method; every such method is the same
   pair but for its interface and name. The call comes first, in a statement of its own:
   the order in which a function's arguments are evaluated is not fixed. */
#define STRING_CALL(Interface, Method)                                                                   \
    HRESULT CALLBACK Interface##_##Method##_Proxy(Interface* This, LPWSTR* out)                          \
    {                                                                                                    \
        DWORD length = 0;                                                                                \
        WCHAR* text = NULL;                                                                              \
        if (!out)                                                                                        \
            return E_POINTER;                                                                            \
        *out = NULL;                                                                                     \
        const HRESULT hr = Interface##_Remote##Method##_Proxy(This, &length, &text);                    \
        return HandOn(hr, length, text, out);                                                            \
    }                                                                                                    \
    HRESULT __RPC_STUB Interface##_##Method##_Stub(Interface* This, DWORD* length, WCHAR** out)          \
    {                                                                                                    \
        LPWSTR text = NULL;                                                                              \
        const HRESULT hr = This->lpVtbl->Method(This, &text);                                            \
        return SendOn(hr, text, length, out);                                                            \
    }

STRING_CALL(IProfile, GetName)
STRING_CALL(IKeyMap, GetName)
STRING_CALL(IMacro, GetName)
STRING_CALL(IDeviceServiceControl, DumpState)
STRING_CALL(IDeviceServiceControl, GetCallLog)
STRING_CALL(IDeviceServiceControl, GetStatePath)
