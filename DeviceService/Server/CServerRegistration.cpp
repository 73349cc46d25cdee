#include "CServerRegistration.h"

#include "DeviceService.h"
#include "GuidText.h"

#include <memory>
#include <vector>

namespace {

struct KeyCloser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using CRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct LibraryFreer
{
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using CLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

// The leading fields of rpcproxy.h's ProxyFileInfo and of the stub table entries it
// lists, which start with the interface's id; rpcproxy.h itself compiles only as C.
struct StubHeader
{
    const IID* iid;
};
struct ProxyFileLayout
{
    const void* const* proxyTables;
    const StubHeader* const* stubTables;
    const char* const* names;
    const IID** delegatedIids;
    const void* lookup;
    unsigned short tableSize;
};
using GetProxyDllInfoProc = void(WINAPI*)(const ProxyFileLayout***, const CLSID**);

struct ProxiedInterface
{
    IID iid;
    std::wstring name;
};

const wchar_t kClasses[] = L"Software\\Classes\\";

bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY raw = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    CRegistryKey key(raw);
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

bool DeleteTree(HKEY root, const std::wstring& path)
{
    const LSTATUS status = RegDeleteTreeW(root, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return false;
    const LSTATUS removed = RegDeleteKeyW(root, path.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

// The interfaces the proxy DLL marshals, read from the DLL itself so that the list
// cannot drift from the IDL.
bool ReadProxiedInterfaces(const std::wstring& proxyPath, std::vector<ProxiedInterface>& interfaces, CLSID& clsid)
{
    CLibrary library(LoadLibraryW(proxyPath.c_str()));
    if (!library)
        return false;
    auto getInfo = reinterpret_cast<GetProxyDllInfoProc>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "GetProxyDllInfo")));
    if (!getInfo)
        return false;
    const ProxyFileLayout** files = nullptr;
    const CLSID* proxyClsid = nullptr;
    getInfo(&files, &proxyClsid);
    if (!files || !proxyClsid)
        return false;
    clsid = *proxyClsid;
    for (const ProxyFileLayout** file = files; *file; ++file) {
        for (unsigned short i = 0; i < (*file)->tableSize; ++i) {
            const IID* iid = (*file)->stubTables[i]->iid;
            const char* name = (*file)->names[i];
            std::wstring wideName(name, name + strlen(name));
            interfaces.push_back(ProxiedInterface{ *iid, wideName });
        }
    }
    return !interfaces.empty();
}

}

CServerRegistration::CServerRegistration(HKEY root, std::wstring serverPath, std::wstring proxyPath)
    : m_root(root), m_serverPath(std::move(serverPath)), m_proxyPath(std::move(proxyPath))
{
}

HKEY CServerRegistration::RootFromName(const wchar_t* name)
{
    if (!name)
        return nullptr;
    if (lstrcmpiW(name, L"HKLM") == 0)
        return HKEY_LOCAL_MACHINE;
    if (lstrcmpiW(name, L"HKCU") == 0)
        return HKEY_CURRENT_USER;
    return nullptr;
}

bool CServerRegistration::Register(std::wstring& error) const
{
    std::vector<ProxiedInterface> interfaces;
    CLSID proxyClsid{};
    if (!ReadProxiedInterfaces(m_proxyPath, interfaces, proxyClsid)) {
        error = L"cannot read the interfaces of " + m_proxyPath;
        return false;
    }
    const std::wstring server = kClasses + std::wstring(L"CLSID\\") + GuidToString(CLSID_DeviceService).Str();
    const std::wstring proxy = kClasses + std::wstring(L"CLSID\\") + GuidToString(proxyClsid).Str();
    bool ok = SetValue(m_root, server, nullptr, L"Kavro Velmora device service") &&
              SetValue(m_root, server + L"\\LocalServer32", nullptr, L"\"" + m_serverPath + L"\"") &&
              SetValue(m_root, proxy, nullptr, L"Kavro Velmora device service proxies") &&
              SetValue(m_root, proxy + L"\\InprocServer32", nullptr, m_proxyPath) &&
              SetValue(m_root, proxy + L"\\InprocServer32", L"ThreadingModel", L"Both");
    for (const ProxiedInterface& item : interfaces) {
        const std::wstring key = kClasses + std::wstring(L"Interface\\") + GuidToString(item.iid).Str();
        ok = ok && SetValue(m_root, key, nullptr, item.name) &&
             SetValue(m_root, key + L"\\ProxyStubClsid32", nullptr, GuidToString(proxyClsid).Str());
    }
    if (!ok)
        error = L"cannot write the class entries (administrator rights are needed for HKLM)";
    return ok;
}

bool CServerRegistration::Unregister(std::wstring& error) const
{
    std::vector<ProxiedInterface> interfaces;
    CLSID proxyClsid{};
    if (!ReadProxiedInterfaces(m_proxyPath, interfaces, proxyClsid)) {
        error = L"cannot read the interfaces of " + m_proxyPath;
        return false;
    }
    bool ok = DeleteTree(m_root, kClasses + std::wstring(L"CLSID\\") + GuidToString(CLSID_DeviceService).Str()) &&
              DeleteTree(m_root, kClasses + std::wstring(L"CLSID\\") + GuidToString(proxyClsid).Str());
    for (const ProxiedInterface& item : interfaces)
        ok = ok && DeleteTree(m_root, kClasses + std::wstring(L"Interface\\") + GuidToString(item.iid).Str());
    if (!ok)
        error = L"cannot remove the class entries";
    return ok;
}
