#include "CRawInputDevices.h"

#include <algorithm>
#include <map>
#include <new>
#include <vector>

CRawInputDevices g_rawInputDevices;

namespace
{
std::map<USHORT, RawMouseButton>& RawMouseButtonMap()
{
    static std::map<USHORT, RawMouseButton> map;
    return map;
}

// The whole raw input record of a WM_INPUT message, when it is of the given type and
// holds at least reportSize bytes after its header.
bool ReadRawInput(LPARAM rawInput, DWORD type, size_t reportSize, std::vector<uint8_t>& buffer)
{
    HRAWINPUT handle = reinterpret_cast<HRAWINPUT>(rawInput);
    UINT size = 0;
    if (::GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0
        || size < sizeof(RAWINPUTHEADER) + reportSize)
        return false;
    try {
        buffer.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (::GetRawInputData(handle, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size)
        return false;
    return reinterpret_cast<const RAWINPUT*>(buffer.data())->header.dwType == type;
}
}

void CRawInputDevices::AddUsage(USHORT usage)
{
    if (std::find(m_usages.begin(), m_usages.end(), usage) == m_usages.end())
        m_usages.push_back(usage);
}

bool CRawInputDevices::Register(HWND target)
{
    if (m_registered || !m_devices.empty() || !target || m_usages.empty())
        return false;
    for (USHORT usage : m_usages) {
        RAWINPUTDEVICE device = {};
        device.usUsagePage = kHidUsagePageGeneric;
        device.usUsage = usage;
        device.dwFlags = usage == kHidUsageMouse ? RIDEV_INPUTSINK : (RIDEV_INPUTSINK | RIDEV_NOLEGACY);
        device.hwndTarget = target;
        m_devices.push_back(device);
    }
    m_registered = m_register(m_devices.data(), static_cast<UINT>(m_devices.size()),
        sizeof(RAWINPUTDEVICE)) != FALSE;
    if (!m_registered)
        m_devices.clear();
    return m_registered;
}

void CRawInputDevices::Unregister()
{
    for (RAWINPUTDEVICE& device : m_devices) {
        device.dwFlags = RIDEV_REMOVE;
        device.hwndTarget = nullptr;
    }
    if (!m_devices.empty())
        m_register(m_devices.data(), static_cast<UINT>(m_devices.size()), sizeof(RAWINPUTDEVICE));
    m_devices.clear();
    m_usages.clear();
    m_registered = false;
}

void InitRawMouseButtonMap()
{
    std::map<USHORT, RawMouseButton>& map = RawMouseButtonMap();
    if (!map.empty())
        return;
    const USHORT downFlags[] = { RI_MOUSE_BUTTON_1_DOWN, RI_MOUSE_BUTTON_2_DOWN, RI_MOUSE_BUTTON_3_DOWN,
        RI_MOUSE_BUTTON_4_DOWN, RI_MOUSE_BUTTON_5_DOWN };
    for (int button = 1; button <= 5; ++button) {
        const USHORT down = downFlags[button - 1];
        map[down] = { button, 0xFF };
        map[static_cast<USHORT>(down << 1)] = { button, 1 };
    }
}

bool LookupRawMouseButton(USHORT buttonFlags, RawMouseButton& result)
{
    InitRawMouseButtonMap();
    const std::map<USHORT, RawMouseButton>& map = RawMouseButtonMap();
    auto found = map.find(buttonFlags);
    if (found == map.end())
        return false;
    result = found->second;
    return true;
}

bool ReadRawKeyboardReport(LPARAM rawInput, RAWKEYBOARD& report)
{
    std::vector<uint8_t> buffer;
    if (!ReadRawInput(rawInput, RIM_TYPEKEYBOARD, sizeof(RAWKEYBOARD), buffer))
        return false;
    report = reinterpret_cast<const RAWINPUT*>(buffer.data())->data.keyboard;
    return true;
}

bool ReadRawMouseReport(LPARAM rawInput, RAWMOUSE& report)
{
    std::vector<uint8_t> buffer;
    if (!ReadRawInput(rawInput, RIM_TYPEMOUSE, sizeof(RAWMOUSE), buffer))
        return false;
    report = reinterpret_cast<const RAWINPUT*>(buffer.data())->data.mouse;
    return true;
}
