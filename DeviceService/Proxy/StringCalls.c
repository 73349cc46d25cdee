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

HRESULT CALLBACK IProfile_GetName_Proxy(IProfile* This, LPWSTR* name)
{
    DWORD length = 0;
    WCHAR* text = NULL;
    if (!name)
        return E_POINTER;
    *name = NULL;
    const HRESULT hr = IProfile_RemoteGetName_Proxy(This, &length, &text);
    return HandOn(hr, length, text, name);
}

HRESULT __RPC_STUB IProfile_GetName_Stub(IProfile* This, DWORD* length, WCHAR** name)
{
    LPWSTR text = NULL;
    const HRESULT hr = This->lpVtbl->GetName(This, &text);
    return SendOn(hr, text, length, name);
}

HRESULT CALLBACK IKeyMap_GetName_Proxy(IKeyMap* This, LPWSTR* name)
{
    DWORD length = 0;
    WCHAR* text = NULL;
    if (!name)
        return E_POINTER;
    *name = NULL;
    const HRESULT hr = IKeyMap_RemoteGetName_Proxy(This, &length, &text);
    return HandOn(hr, length, text, name);
}

HRESULT __RPC_STUB IKeyMap_GetName_Stub(IKeyMap* This, DWORD* length, WCHAR** name)
{
    LPWSTR text = NULL;
    const HRESULT hr = This->lpVtbl->GetName(This, &text);
    return SendOn(hr, text, length, name);
}

HRESULT CALLBACK IMacro_GetName_Proxy(IMacro* This, LPWSTR* name)
{
    DWORD length = 0;
    WCHAR* text = NULL;
    if (!name)
        return E_POINTER;
    *name = NULL;
    const HRESULT hr = IMacro_RemoteGetName_Proxy(This, &length, &text);
    return HandOn(hr, length, text, name);
}

HRESULT __RPC_STUB IMacro_GetName_Stub(IMacro* This, DWORD* length, WCHAR** name)
{
    LPWSTR text = NULL;
    const HRESULT hr = This->lpVtbl->GetName(This, &text);
    return SendOn(hr, text, length, name);
}

HRESULT CALLBACK IDeviceServiceControl_DumpState_Proxy(IDeviceServiceControl* This, LPWSTR* text)
{
    DWORD length = 0;
    WCHAR* received = NULL;
    if (!text)
        return E_POINTER;
    *text = NULL;
    const HRESULT hr = IDeviceServiceControl_RemoteDumpState_Proxy(This, &length, &received);
    return HandOn(hr, length, received, text);
}

HRESULT __RPC_STUB IDeviceServiceControl_DumpState_Stub(IDeviceServiceControl* This, DWORD* length, WCHAR** text)
{
    LPWSTR sent = NULL;
    const HRESULT hr = This->lpVtbl->DumpState(This, &sent);
    return SendOn(hr, sent, length, text);
}

HRESULT CALLBACK IDeviceServiceControl_GetCallLog_Proxy(IDeviceServiceControl* This, LPWSTR* text)
{
    DWORD length = 0;
    WCHAR* received = NULL;
    if (!text)
        return E_POINTER;
    *text = NULL;
    const HRESULT hr = IDeviceServiceControl_RemoteGetCallLog_Proxy(This, &length, &received);
    return HandOn(hr, length, received, text);
}

HRESULT __RPC_STUB IDeviceServiceControl_GetCallLog_Stub(IDeviceServiceControl* This, DWORD* length, WCHAR** text)
{
    LPWSTR sent = NULL;
    const HRESULT hr = This->lpVtbl->GetCallLog(This, &sent);
    return SendOn(hr, sent, length, text);
}

HRESULT CALLBACK IDeviceServiceControl_GetStatePath_Proxy(IDeviceServiceControl* This, LPWSTR* path)
{
    DWORD length = 0;
    WCHAR* received = NULL;
    if (!path)
        return E_POINTER;
    *path = NULL;
    const HRESULT hr = IDeviceServiceControl_RemoteGetStatePath_Proxy(This, &length, &received);
    return HandOn(hr, length, received, path);
}

HRESULT __RPC_STUB IDeviceServiceControl_GetStatePath_Stub(IDeviceServiceControl* This, DWORD* length, WCHAR** path)
{
    LPWSTR sent = NULL;
    const HRESULT hr = This->lpVtbl->GetStatePath(This, &sent);
    return SendOn(hr, sent, length, path);
}
