#include "CDeviceObject.h"

#include "CApplicationManagerObject.h"
#include "CMacroManagerObject.h"
#include "CProfileManagerObject.h"
#include "ServiceCalls.h"

#include <new>

namespace {

// Version A is the firmware's, version B the hardware revision's.
constexpr DWORD kVersionAMajor = 1;
constexpr DWORD kVersionAMinor = 5;
constexpr DWORD kVersionBMajor = 2;
constexpr DWORD kVersionBMinor = 1;
constexpr LONG kModeNormal = 1;
constexpr LONG kModeCapture = 2;

}

HRESULT CDeviceObject::GetInfo(DeviceInfo* info)
{
    HRESULT hr = Model().BeginCall(L"IDevice::GetInfo");
    if (FAILED(hr))
        return hr;
    if (!info)
        return E_POINTER;
    *info = DeviceInfo{};
    hr = CopyText(L"Kavro Velmora", &info->name);
    if (FAILED(hr))
        return hr;
    info->productId = kProductId;
    info->versionAMajor = kVersionAMajor;
    info->versionAMinor = kVersionAMinor;
    info->versionBMajor = kVersionBMajor;
    info->versionBMinor = kVersionBMinor;
    return S_OK;
}

HRESULT CDeviceObject::GetManager(REFIID iid, IUnknown** manager)
{
    HRESULT hr = Model().BeginCall(L"IDevice::GetManager");
    if (FAILED(hr))
        return hr;
    if (!manager)
        return E_POINTER;
    *manager = nullptr;
    if (IsEqualIID(iid, IID_IProfileManager))
        return HandOut<CProfileManagerObject>(S_OK, ObjectKey{ ObjectKind::ProfileManager, GUID{}, GUID{}, 0 },
                                              reinterpret_cast<IProfileManager**>(manager));
    if (IsEqualIID(iid, IID_IMacroManager))
        return HandOut<CMacroManagerObject>(S_OK, ObjectKey{ ObjectKind::MacroManager, GUID{}, GUID{}, 0 },
                                            reinterpret_cast<IMacroManager**>(manager));
    if (IsEqualIID(iid, IID_IApplicationManager))
        return HandOut<CApplicationManagerObject>(
            S_OK, ObjectKey{ ObjectKind::ApplicationManager, GUID{}, GUID{}, 0 },
            reinterpret_cast<IApplicationManager**>(manager));
    if (IsEqualIID(iid, IID_IDeviceMode) || IsEqualIID(iid, IID_IDeviceStatus) || IsEqualIID(iid, IID_IDeviceIdentity))
        return QueryInterface(iid, reinterpret_cast<void**>(manager));
    return E_NOINTERFACE;
}

HRESULT CDeviceObject::GetIds(LONG* vendorId, LONG* productId)
{
    HRESULT hr = Model().BeginCall(L"IDeviceIdentity::GetIds");
    if (FAILED(hr))
        return hr;
    if (!vendorId || !productId)
        return E_POINTER;
    *vendorId = kVendorId;
    *productId = kProductId;
    return S_OK;
}

HRESULT CDeviceObject::Reserved1()
{
    return E_NOTIMPL;
}

HRESULT CDeviceObject::SetMode(LONG mode)
{
    HRESULT hr = Model().BeginCall(L"IDeviceMode::SetMode");
    if (FAILED(hr))
        return hr;
    if (mode != kModeNormal && mode != kModeCapture)
        return E_INVALIDARG;
    return Model().Modify([&](SimKeypad& keypad) {
        keypad.mode = mode;
        return S_OK;
    });
}

HRESULT CDeviceObject::Reserved2()
{
    return E_NOTIMPL;
}

HRESULT CDeviceObject::GetStatusFlag(BYTE* flag)
{
    HRESULT hr = Model().BeginCall(L"IDeviceStatus::GetStatusFlag");
    if (FAILED(hr))
        return hr;
    if (!flag)
        return E_POINTER;
    *flag = 1;
    return S_OK;
}
