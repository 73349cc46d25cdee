// Classes in this file:
//   CTrayConnections - the tray's two standing connections to the device service: profile
//                      events and launch requests. They are made together or not at all,
//                      so the tray is either fully connected or not connected.
#pragma once

#include "CEventConnection.h"
#include "CInterfacePins.h"
#include "TrayEventHandlers.h"

#include <memory>

class CTrayConnections
{
    // Data members
    std::unique_ptr<CEventConnection> m_profile;
    std::unique_ptr<CEventConnection> m_launch;
    // The service calls this process's sinks; their interfaces stay registered for good.
    CInterfacePins m_pins;

public:
    CTrayConnections();
    ~CTrayConnections();
    CTrayConnections(const CTrayConnections&) = delete;
    CTrayConnections& operator=(const CTrayConnections&) = delete;

    // Attributes
    bool IsConnected() const { return m_profile && m_launch; }
    bool HasProfileConnection() const { return static_cast<bool>(m_profile); }
    bool HasLaunchConnection() const { return static_cast<bool>(m_launch); }

    // Operations
    // Makes the missing connections; when either cannot be made, neither is kept.
    void Connect(IProfileEventHandler* profileHandler, ILaunchAppEventHandler* launchHandler);
    // Unadvises and drops both connections.
    void Disconnect();
};
