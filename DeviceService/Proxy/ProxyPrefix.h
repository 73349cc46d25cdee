/* Force-included ahead of the generated proxy code: rpcproxy.h must see
   USE_STUBLESS_PROXY before any header pulls it in, or the proxy tables it declares do
   not match the stubless proxies the generator writes. */
#define USE_STUBLESS_PROXY

#include <unknwn.h>

/* The stubless vtables start with rpcrt4's IUnknown proxies, which the MinGW headers
   declare for C++ only. */
#ifndef __cplusplus
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid, void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);
#endif
