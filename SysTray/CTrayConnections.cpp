#include "CTrayConnections.h"

#include "CComPtr.h"
#include "CDeviceManager.h"
#include "TrayEventSinks.h"

CTrayConnections::CTrayConnections()
{
    // A pin that cannot be made costs only that protection: the sinks work without it.
    CComPtr<IUnknown> profileSink;
    profileSink.Attach(new CProfileEventSink(nullptr));
    CComPtr<IUnknown> launchSink;
    launchSink.Attach(new CLaunchAppEventSink(nullptr));
    if (FAILED(m_pins.Add(profileSink.Get(), IID_IUnknown)) ||
        FAILED(m_pins.Add(profileSink.Get(), IID__IProfileManagerEvents)) ||
        FAILED(m_pins.Add(launchSink.Get(), IID__IApplicationEvent)))
        OutputDebugStringW(L"KavroVelmoraSysTray: the event sinks' interfaces could not be pinned\n");
}

CTrayConnections::~CTrayConnections()
{
    Disconnect();
    m_pins.ReleaseAll();
}

void CTrayConnections::Connect(IProfileEventHandler* profileHandler, ILaunchAppEventHandler* launchHandler)
{
    if (IsConnected())
        return;
    CDeviceManager manager;
    if (!m_profile)
        m_profile = manager.CreateProfileEventConnection(profileHandler);
    if (!m_launch)
        m_launch = manager.CreateLaunchAppEventConnection(launchHandler);
    if (!IsConnected())
        Disconnect();
}

void CTrayConnections::Disconnect()
{
    m_profile.reset();
    m_launch.reset();
}
