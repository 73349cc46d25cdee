// Classes in this file:
//   IKvKeymapEventHandler  - told when the active key map of the keypad changes.
//   IKvProfileEventHandler - told when the keypad's active profile changes.
// The main window implements both; the calls arrive on its thread.
#pragma once

#include <windows.h>

class IKvKeymapEventHandler
{
public:
    virtual void OnActiveKeyMapChanged(const GUID* keymapId) = 0;

protected:
    ~IKvKeymapEventHandler() = default;
};

class IKvProfileEventHandler
{
public:
    virtual void OnActiveProfileChanged(const GUID* profileId) = 0;

protected:
    ~IKvProfileEventHandler() = default;
};
