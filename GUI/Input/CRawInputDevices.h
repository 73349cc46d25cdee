// Classes in this file:
//   CRawInputDevices - the process-wide raw input registration (g_rawInputDevices) for the
//                      generic desktop usages the program captures: keyboard and mouse.
// With the readers of a WM_INPUT message's keyboard and mouse reports and the raw mouse
// button map.
//
// Only one window holds the registration at a time: a second Register is refused until
// somebody unregisters, and an Unregister ends it for every user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

constexpr USHORT kHidUsagePageGeneric = 1;
constexpr USHORT kHidUsageMouse = 2;
constexpr USHORT kHidUsageKeyboard = 6;

class CRawInputDevices
{
public:
    // The system's RegisterRawInputDevices, or a stand-in for tests.
    using RegisterFunction = BOOL(WINAPI*)(PCRAWINPUTDEVICE devices, UINT count, UINT size);

private:
    // Data members
    std::vector<USHORT> m_usages;
    std::vector<RAWINPUTDEVICE> m_devices;
    bool m_registered = false;
    RegisterFunction m_register;

public:
    explicit CRawInputDevices(RegisterFunction registerFunction = RegisterRawInputDevices)
        : m_register(registerFunction)
    {
    }
    ~CRawInputDevices() { Unregister(); }
    CRawInputDevices(const CRawInputDevices&) = delete;
    CRawInputDevices& operator=(const CRawInputDevices&) = delete;

    // Attributes
    bool IsRegistered() const { return m_registered; }
    const std::vector<USHORT>& GetUsages() const { return m_usages; }
    const std::vector<RAWINPUTDEVICE>& GetDevices() const { return m_devices; }

    // Operations
    // Adds a usage of the generic desktop page unless it is in the list already; it takes
    // effect with the next registration.
    void AddUsage(USHORT usage);
    // Registers every usage for the window (the mouse as an input sink, the others also
    // without legacy messages). Refused while registered, without a window or usages. A
    // failed registration leaves the list ready for another attempt.
    bool Register(HWND target);
    // Removes the registration, empties the list and clears the registered flag.
    void Unregister();
};

extern CRawInputDevices g_rawInputDevices;

// The mouse button and state (0xFF down, 1 up) of a raw mouse report's button flags; false
// for flags that are not exactly one button change.
struct RawMouseButton
{
    int button;
    uint8_t state;
};
void InitRawMouseButtonMap();
bool LookupRawMouseButton(USHORT buttonFlags, RawMouseButton& result);

// The report of a WM_INPUT message (its lParam); false when the data cannot be read, no
// memory is available or the report is another device's.
bool ReadRawKeyboardReport(LPARAM rawInput, RAWKEYBOARD& report);
bool ReadRawMouseReport(LPARAM rawInput, RAWMOUSE& report);
