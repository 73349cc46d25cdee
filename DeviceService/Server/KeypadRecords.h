// The simulated keypad's memory: plain records of profiles, key maps, LEDs, macros and
// applications, and the factory contents of a new keypad.
#pragma once

#include "DeviceService.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr LONG kVendorId = 0x6C1F;
constexpr LONG kProductId = 0x0111;
constexpr int kMaxProfiles = 20;
constexpr int kKeymapsPerProfile = 8;
constexpr int kLedCount = 11;
constexpr size_t kMaxNameLength = 255;
constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;
constexpr DWORD kApplicationPropertySize = 256;
// Device button bits of the scroll wheel's click, up and down buttons.
constexpr DWORD kAvailableButtonMask = 0x4 | 0x80 | 0x100;
// The LED values the keypad holds: a 24-bit colour, a percentage and effects 0 to 5.
constexpr DWORD kMaxLedColour = 0xFFFFFF;
constexpr LONG kMaxLedBrightness = 100;
constexpr LONG kMaxLedEffect = 5;
// Device macro event types: mouse button, keystroke, delay.
constexpr DWORD kFirstMacroEventType = 1;
constexpr DWORD kLastMacroEventType = 3;

// A call on an item that no longer exists.
constexpr HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
// Every call on the keypad while it is unplugged.
constexpr HRESULT kNotConnected = HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
// Past the end of a list.
constexpr HRESULT kNoMoreItems = HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS);
// A profile, key map or file limit of the keypad's memory.
constexpr HRESULT kMemoryFull = HRESULT_FROM_WIN32(ERROR_DISK_FULL);

struct SimLed
{
    LONG id = 0;
    bool on = false;
    DWORD colour = 0xFFFFFF;
    LONG brightness = 100;
    LONG effect = 0;
    LONG onMs = 0;
    LONG offMs = 0;
};

struct SimKeymap
{
    GUID id{};
    std::wstring name;
    std::vector<ServiceAssignment> keys;
    std::vector<ServiceAssignment> buttons;
};

struct SimProfile
{
    GUID id{};
    std::wstring name;
    std::vector<uint8_t> application;   // the bytes property 0x80000002 holds
    uint16_t flags = 0;                 // property 0x80000003
    std::vector<SimKeymap> keymaps;
    GUID activeKeymap{};
    std::vector<SimLed> leds;
};

struct SimMacroEvent
{
    DWORD type = 0;
    DWORD value = 0;
};

struct SimMacro
{
    GUID id{};
    std::wstring name;
    std::vector<SimMacroEvent> events;
};

struct SimApplication
{
    GUID id{};
    std::wstring path;
};

struct SimKeypad
{
    std::vector<SimProfile> profiles;
    GUID activeProfile{};
    std::vector<SimMacro> macros;
    std::vector<SimApplication> applications;
    LONG mode = 1;
};

GUID NewGuid();
SimKeymap MakeDefaultKeymap(const std::wstring& name);
SimProfile MakeDefaultProfile(const std::wstring& name);
SimKeypad MakeFactoryKeypad();

// Gives a profile (and its key maps) fresh ids, as an imported copy needs.
void RenewIds(SimProfile& profile);

SimProfile* FindProfile(SimKeypad& keypad, const GUID& id);
SimKeymap* FindKeymap(SimProfile& profile, const GUID& id);
SimMacro* FindMacro(SimKeypad& keypad, const GUID& id);
SimApplication* FindApplication(SimKeypad& keypad, const GUID& id);
SimLed* FindLed(SimProfile& profile, LONG ledId);

// The records keep the layouts the programs and the converter write byte for byte.
static_assert(sizeof(DeviceInfo) == 24 + sizeof(void*), "DeviceInfo is six words and the name");
static_assert(sizeof(ServiceAssignment) == 32, "ServiceAssignment is 32 bytes");
static_assert(offsetof(ServiceAssignment, data) == 12, "type data starts at offset 12");
static_assert(sizeof(AvailableButtons) == 12, "the available-buttons block is 12 bytes");
