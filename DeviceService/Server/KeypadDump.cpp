#include "KeypadDump.h"

#include "CString.h"
#include "GuidText.h"

#include <cstring>

namespace {

std::wstring Id(const GUID& id)
{
    return GuidToString(id).Str();
}

std::wstring Record(const ServiceAssignment& record)
{
    CString text = FormatString(L"code 0x%05X type %u data", record.code, record.type);
    for (BYTE byte : record.data)
        text.AppendFormat(L" %02X", byte);
    return text.Str();
}

std::wstring Application(const std::vector<uint8_t>& bytes)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const wchar_t ch = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (ch == 0)
            break;
        text.push_back(ch);
    }
    return text;
}

void DumpProfile(std::wstring& text, const SimProfile& profile, bool active)
{
    text += FormatString(L"profile %s \"%s\"%s\r\n", Id(profile.id).c_str(), profile.name.c_str(),
                         active ? L" (active)" : L"").Str();
    text += FormatString(L"  application \"%s\" (%u bytes), flags 0x%04X\r\n", Application(profile.application).c_str(),
                         static_cast<unsigned>(profile.application.size()), profile.flags).Str();
    for (const SimKeymap& keymap : profile.keymaps) {
        const bool activeKeymap = IsEqualGUID(keymap.id, profile.activeKeymap);
        text += FormatString(L"  keymap %s \"%s\"%s\r\n", Id(keymap.id).c_str(), keymap.name.c_str(),
                             activeKeymap ? L" (active)" : L"").Str();
        for (const ServiceAssignment& record : keymap.buttons)
            text += L"    button " + Record(record) + L"\r\n";
        for (const ServiceAssignment& record : keymap.keys)
            text += L"    key " + Record(record) + L"\r\n";
    }
    for (const SimLed& led : profile.leds) {
        text += FormatString(L"  led %d %s colour 0x%06X brightness %d effect %d (%d/%d ms)\r\n", led.id,
                             led.on ? L"on" : L"off", led.colour, led.brightness, led.effect, led.onMs, led.offMs)
                    .Str();
    }
}

}

std::wstring DumpKeypad(const SimKeypad& keypad)
{
    std::wstring text = FormatString(L"keypad vendor 0x%04X product 0x%04X, mode %d, %u profiles\r\n", kVendorId,
                                     kProductId, keypad.mode, static_cast<unsigned>(keypad.profiles.size()))
                            .Str();
    for (const SimProfile& profile : keypad.profiles)
        DumpProfile(text, profile, IsEqualGUID(profile.id, keypad.activeProfile));
    for (const SimMacro& macro : keypad.macros) {
        text += FormatString(L"macro %s \"%s\", %u events\r\n", Id(macro.id).c_str(), macro.name.c_str(),
                             static_cast<unsigned>(macro.events.size())).Str();
        for (const SimMacroEvent& event : macro.events)
            text += FormatString(L"  event type %u value 0x%08X\r\n", event.type, event.value).Str();
    }
    for (const SimApplication& application : keypad.applications)
        text += FormatString(L"application %s \"%s\"\r\n", Id(application.id).c_str(), application.path.c_str()).Str();
    return text;
}
