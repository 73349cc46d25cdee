/* Entry points of the proxy/stub DLL: the class object of the proxies, whose class id is
   the DeviceServiceProxies coclass, and the proxy file list that registration reads. */
#include <rpcproxy.h>

#define PROXY_CLSID CLSID_DeviceServiceProxies

EXTERN_PROXY_FILE(DeviceService)

PROXYFILE_LIST_START
    REFERENCE_PROXY_FILE(DeviceService),
PROXYFILE_LIST_END

DLLDATA_ROUTINES(aProxyFileList, GET_DLL_CLSID)
