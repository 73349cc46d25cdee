// Classes in this file:
//   IProfileEventHandler   - told when the keypad's active profile changed (the device
//                            layer's profile handler).
//   ILaunchAppEventHandler - asked to launch an application a keypad key names.
//   IMacroEventHandler     - told that an on-the-fly recording is to be given up.
// The tray's hidden dialog implements all three; the calls arrive on its thread.
#pragma once

#include "IKvEventHandlers.h"

#include <windows.h>

using IProfileEventHandler = IKvProfileEventHandler;

class ILaunchAppEventHandler
{
public:
    virtual void OnLaunchApplication(int type, const wchar_t* path) = 0;

protected:
    ~ILaunchAppEventHandler() = default;
};

class IMacroEventHandler
{
public:
    virtual void OnRecordingCancelled() = 0;

protected:
    ~IMacroEventHandler() = default;
};
