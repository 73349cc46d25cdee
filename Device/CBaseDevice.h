// Classes in this file:
//   CDeviceDescriptor - what identifies a kind of device and which features it has.
//   CBaseDevice<TConfig, TProfile, TDevice> - the connection to the device service, the
//   one worker thread and the operations every device shares.
#pragma once

#include "CComPtr.h"
#include "CCriticalSection.h"
#include "CMacro.h"
#include "CProgressMessenger.h"
#include "DeviceService.h"
#include "GuidText.h"
#include "IGenDevice.h"
#include "ServiceCalls.h"

#include <objbase.h>

#include <atomic>
#include <cstdint>
#include <vector>

// Posted to the progress windows when a write on the worker ends; wParam 1 when the
// write succeeded, 0 when it did not (the changes then stay pending). The window then
// calls IGenDevice::FinishWrite, which brings the write's outcome into the store.
constexpr UINT WM_DEVICE_SYNC_DONE = WM_USER + 32;

struct CDeviceDescriptor
{
    uint32_t productId;
    const int32_t* featureKinds;
    uint32_t featureCount;
    const wchar_t* displayName;

    bool HasFeature(int kind) const
    {
        for (uint32_t i = 0; i < featureCount; ++i) {
            if (featureKinds[i] == kind)
                return true;
        }
        return false;
    }
};

template <typename TConfig, typename TProfile, typename TDevice>
class CBaseDevice : public CProgressMessenger, public IGenDevice<TConfig, TProfile>
{
public:
    using SyncFunction = bool (TDevice::*)(TConfig config, uint16_t flags);

protected:
    // Data members. The connection is held by one thread at a time: the GUI thread for
    // one operation, or the worker for a whole write.
    CCriticalSection m_connectionLock;
    CComPtr<IDeviceList> m_deviceList;
    CComPtr<IDevice> m_device;
    const CDeviceDescriptor* m_descriptor;
    std::atomic<bool> m_connected{ false };
    CString m_versionA;
    CString m_versionB;
    std::atomic<bool> m_busy{ false };
    // Touched only by the thread that owns the device object.
    HANDLE m_worker = nullptr;
    std::atomic<bool> m_cancel{ false };
    std::atomic<int> m_lastSyncResult{ -1 };
    // Connections made so far, so an operation can tell whether another one came between.
    std::atomic<unsigned> m_connections{ 0 };

    struct WorkerBlock
    {
        CBaseDevice* device;
        TDevice* owner;
        TConfig config;
        uint16_t flags;
        SyncFunction function;
        // The windows told when the write ends, taken when it starts.
        std::vector<HWND> notify;
    } m_block{};

public:
    explicit CBaseDevice(const CDeviceDescriptor* descriptor) : m_descriptor(descriptor) {}
    CBaseDevice(const CBaseDevice&) = delete;
    CBaseDevice& operator=(const CBaseDevice&) = delete;

    // The worker never outlives the device object: it is told to stop between records
    // and waited for.
    ~CBaseDevice() override { StopWorker(); }

    void Shutdown() override
    {
        StopWorker();
        Disconnect();
        m_connected = false;
    }

    bool IsBusy() override { return m_busy; }
    bool IsConnected() override { return true; }

    // 1 when the last write on the worker succeeded, 0 when it failed, -1 before any.
    int GetLastSyncResult() const { return m_lastSyncResult; }
    // True once shut-down asked the worker to stop; a write checks it between records.
    bool IsCancelled() const { return m_cancel; }

    bool ExportMacro(CString path, CMacro* macro) override
    {
        if (!macro || IsNullGuid(macro->m_id))
            return false;
        CComPtr<IMacro> device;
        CConnection connection(*this);
        return connection && FindMacro(macro->m_id, device) && SUCCEEDED(device->ExportToFile(path));
    }

    bool HasMacro(CMacro* macro) override
    {
        CComPtr<IMacro> device;
        CConnection connection(*this);
        return macro && connection && FindMacro(macro->m_id, device);
    }

    bool ExportProfile(CString path, TProfile profile) override
    {
        CComPtr<IProfile> device;
        CConnection connection(*this);
        return profile && connection && FindProfile(profile, device) && SUCCEEDED(device->ExportToFile(path));
    }

    bool HasProfile(TProfile profile) override
    {
        CComPtr<IProfile> device;
        CConnection connection(*this);
        return profile && connection && FindProfile(profile, device);
    }

    int GetDeviceProfileCount() override
    {
        CConnection connection(*this);
        CComPtr<IProfileManager> profiles;
        if (!connection || !GetManager(IID_IProfileManager, profiles))
            return 0;
        int count = 0;
        for (;; ++count) {
            CComPtr<IProfile> item;
            if (FAILED(profiles->Item(count, item.Receive())))
                return count;
        }
    }

    bool CheckDevice() override
    {
        CConnection connection(*this);
        CComPtr<IDeviceStatus> status;
        BYTE flag = 0;
        return connection && GetManager(IID_IDeviceStatus, status) && SUCCEEDED(status->GetStatusFlag(&flag)) &&
               flag != 0;
    }

    int GetProductId() override { return static_cast<int>(m_descriptor->productId); }
    const wchar_t* GetDisplayName() override { return m_descriptor->displayName; }

protected:
    // Holds a connection for one operation: connected on construction, released on
    // every path out.
    class CConnection
    {
        CBaseDevice& m_owner;
        bool m_ok;

    public:
        explicit CConnection(CBaseDevice& owner) : m_owner(owner), m_ok(owner.Connect()) {}
        ~CConnection()
        {
            if (m_ok)
                m_owner.Disconnect();
        }
        CConnection(const CConnection&) = delete;
        CConnection& operator=(const CConnection&) = delete;
        explicit operator bool() const { return m_ok; }
    };

    // Creates the service and holds the first device with the descriptor's product id.
    // Refused while a connection is held (connections do not nest), before anything is
    // created, so a refused connect never touches the holder's connection.
    bool Connect(bool forWorker = false)
    {
        CSingleLock lock(&m_connectionLock, true);
        // While a write runs the connection is the worker's, also before it has opened it.
        if (m_descriptor->productId == 0 || m_device || (m_busy && !forWorker))
            return false;
        CComPtr<IDeviceList> list;
        if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, 0x17, IID_IDeviceList,
                reinterpret_cast<void**>(list.Receive()))))
            return false;
        for (LONG i = 0;; ++i) {
            CComPtr<IDevice> item;
            if (FAILED(list->Item(i, item.Receive())))
                break;
            DeviceInfo info = {};
            if (FAILED(item->GetInfo(&info)))
                continue;
            CoTaskMemFree(info.name);
            if (info.productId == m_descriptor->productId) {
                m_device = item;
                break;
            }
        }
        if (m_device) {
            m_deviceList = list;
            ++m_connections;
        }
        m_connected = static_cast<bool>(m_device);
        return m_connected;
    }

    void Disconnect()
    {
        CSingleLock lock(&m_connectionLock, true);
        if (m_descriptor->productId == 0)
            return;
        m_device.Release();
        m_deviceList.Release();
    }

    unsigned ConnectionCount() const { return m_connections; }

    template <class T>
    bool GetManager(REFIID iid, CComPtr<T>& out) const
    {
        return m_device && SUCCEEDED(m_device->GetManager(iid, reinterpret_cast<IUnknown**>(out.Receive())));
    }

    bool FindMacro(const GUID& id, CComPtr<IMacro>& out) const
    {
        CComPtr<IMacroManager> macros;
        return GetManager(IID_IMacroManager, macros) && GetServiceItemById(macros.Get(), id, out);
    }

    bool FindProfile(TProfile profile, CComPtr<IProfile>& out) const
    {
        CComPtr<IProfileManager> profiles;
        GUID id;
        return GetManager(IID_IProfileManager, profiles) && GetServiceItemById(profiles.Get(), *profile->GetGUID(&id), out);
    }

    // Starts function on the worker thread. Refused while a worker runs. The worker opens
    // its own connection in its own apartment, so no COM pointer crosses threads.
    bool StartWorker(TDevice* owner, TConfig config, uint16_t flags, SyncFunction function)
    {
        if (m_busy || m_descriptor->productId == 0)
            return false;
        ReapWorker();
        m_block = { this, owner, config, flags, function, m_windows };
        m_cancel = false;
        m_busy = true;
        m_worker = CreateThread(nullptr, 0, &CBaseDevice::DeviceWorkerThreadProc, &m_block, 0, nullptr);
        if (!m_worker)
            m_busy = false;
        return m_worker != nullptr;
    }

    // Runs function on the calling thread inside one connection.
    bool RunSynchronous(TDevice* owner, TConfig config, uint16_t flags, SyncFunction function)
    {
        if (m_busy)
            return false;
        CConnection connection(*this);
        if (!connection)
            return false;
        m_busy = true;
        bool result = (owner->*function)(config, flags);
        m_busy = false;
        return result;
    }

private:
    static DWORD WINAPI DeviceWorkerThreadProc(void* parameter)
    {
        WorkerBlock* block = static_cast<WorkerBlock*>(parameter);
        bool result = false;
        HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(init)) {
            CBaseDevice* device = block->device;
            if (device->Connect(true)) {
                result = (block->owner->*block->function)(block->config, block->flags);
                if (!device->IsCancelled())
                    Sleep(500);
                device->Disconnect();
            }
            CoUninitialize();
        }
        block->device->CompleteWorker(result, block->notify);
        return result ? 1 : 0;
    }

    // The completion of every worker, whatever happened on its way.
    void CompleteWorker(bool result, const std::vector<HWND>& notify)
    {
        m_lastSyncResult = result ? 1 : 0;
        m_busy = false;
        for (HWND window : notify)
            PostMessageW(window, WM_DEVICE_SYNC_DONE, result ? 1 : 0, 0);
    }

protected:
    // Tells a running worker to stop between records and waits for it. Every derived
    // device calls it from its own destructor, before its members go.
    void StopWorker()
    {
        if (!m_worker)
            return;
        m_cancel = true;
        ReapWorker();
        m_busy = false;
    }

private:
    // Closes the handle of a worker that has ended.
    void ReapWorker()
    {
        if (!m_worker)
            return;
        WaitForSingleObject(m_worker, INFINITE);
        CloseHandle(m_worker);
        m_worker = nullptr;
    }
};
