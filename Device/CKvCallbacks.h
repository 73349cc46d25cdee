// Classes in this file:
//   IKvCallback        - a connection of an event sink to the device service.
//   CKvDevice          - a service connection held for an object's whole life.
//   CKvKeymapCallback  - connects a key-map handler to the key maps of the profile that
//                        was active when it was made.
//   CKvProfileCallback - connects a profile handler to the profile manager.
// And the process-wide list of connections the main window connects and disconnects as
// the keypad and the user session come and go.
#pragma once

#include "CComPtr.h"
#include "DeviceService.h"
#include "CKvEventSinks.h"
#include "IKvEventHandlers.h"

#include <cstdint>

class IKvCallback
{
public:
    // Connects the sink; a connection already made, or a failed one, changes nothing.
    virtual void Advise() = 0;
    virtual void Unadvise() = 0;
    virtual bool IsAdvised() const = 0;
    virtual ~IKvCallback() = default;
};

class CKvDevice
{
protected:
    int32_t m_productId = 0;
    CComPtr<IDeviceList> m_deviceList;
    CComPtr<IDevice> m_device;

public:
    // Finds the keypad by its identity; without the service the object stays empty.
    CKvDevice();
    CKvDevice(const CKvDevice&) = delete;
    CKvDevice& operator=(const CKvDevice&) = delete;
    virtual ~CKvDevice();

    bool HasDevice() const { return static_cast<bool>(m_device); }
};

// Advises and unadvises a sink on an event source's connection point.
class CKvConnection
{
    DWORD m_cookie = 0;

public:
    bool IsAdvised() const { return m_cookie != 0; }
    void Advise(IUnknown* source, REFIID eventIid, IUnknown* sink);
    void Unadvise(IUnknown* source, REFIID eventIid);
};

// The key maps it listens to are those of the active profile: it follows the profile
// events itself and moves its connection when another profile becomes active.
class CKvKeymapCallback : public IKvCallback, public CKvDevice, private IKvProfileEventHandler
{
    IKvKeymapEventHandler* m_handler;
    CComPtr<_IKeyMapManagerEvents> m_sink;
    CComPtr<IKeyMapManager> m_source;
    CKvConnection m_connection;
    CComPtr<IProfileManager> m_profiles;
    CComPtr<CKvProfileEventSink> m_profileSink;
    CKvConnection m_profileConnection;

public:
    explicit CKvKeymapCallback(IKvKeymapEventHandler* handler);
    ~CKvKeymapCallback() override;

    void Advise() override;
    void Unadvise() override;
    bool IsAdvised() const override { return m_connection.IsAdvised(); }

private:
    // The key maps of the profile active now become the source (none without one).
    void TakeActiveSource();
    void OnActiveProfileChanged(const GUID* profileId) override;
};

class CKvProfileCallback : public IKvCallback, public CKvDevice
{
    IKvProfileEventHandler* m_handler;
    CComPtr<_IProfileManagerEvents> m_sink;
    CComPtr<IProfileManager> m_source;
    CKvConnection m_connection;

public:
    explicit CKvProfileCallback(IKvProfileEventHandler* handler);
    ~CKvProfileCallback() override;

    void Advise() override;
    void Unadvise() override;
    bool IsAdvised() const override { return m_connection.IsAdvised(); }
};

// The process-wide list: CoInitialize for the process when it is made, every connection
// deleted (from the last) and CoUninitialize when the process ends.
void InitCallbackList();
IKvCallback* CreateKeymapCallback(IKvKeymapEventHandler* handler);
IKvCallback* CreateProfileCallback(IKvProfileEventHandler* handler);
void AdviseAllCallbacks();
void UnadviseAllCallbacks();
// Deletes every connection, from the last (also done at process exit).
void DestroyAllCallbacks();
