#include "KeyTranslation.h"

#include <cstring>
#include <map>
#include <mutex>

namespace {

// Service record types.
constexpr uint32_t kTypeFunction = 1;
constexpr uint32_t kTypeGuid = 2;
constexpr uint32_t kTypeProfile = 3;
constexpr uint32_t kTypeSubKindValue = 4;
constexpr uint32_t kTypeKeystroke = 5;
constexpr uint32_t kTypeValue = 6;
constexpr uint32_t kTypeMacro = 8;
constexpr uint32_t kTypeApplication = 9;
constexpr uint32_t kTypeJoystick = 11;
constexpr uint32_t kTypeKeymap = 12;

// Offsets into ServiceAssignment::data (record offset minus 12).
constexpr size_t kDataWord = 0;          // record 12: first data word, GUID, key code
constexpr size_t kDataModifiers = 2;     // record 14: keystroke modifier bits
constexpr size_t kDataSecond = 4;        // record 16: second word, trailing GUID, joystick bytes
constexpr size_t kDataPlayMode = 16;     // record 28
constexpr size_t kDataFlag = 17;         // record 29

constexpr uint32_t kPauseVirtualKey = 19;
constexpr uint32_t kNumLockVirtualKey = 144;
constexpr uint32_t kPauseNumLockScanCode = 69;
constexpr uint32_t kExtendedDeviceBit = 0x1000000;

// Device macro event types.
constexpr uint32_t kDeviceMouse = 1;
constexpr uint32_t kDeviceKey = 2;
constexpr uint32_t kDeviceDelay = 3;
constexpr uint32_t kKeyUpFlag = 0x1;
constexpr uint32_t kExtendedFlag = 0x2;
// Only Pause is an E1 key; older macros converted to this format mark it so.
constexpr uint32_t kE1Flag = 0x4;

struct Tables
{
    std::map<int, ServiceAssignment> templates;   // in kind order
    std::map<int, uint32_t> buttonBits;
    std::map<int, uint32_t> buttonCodes;
    std::map<uint32_t, uint32_t> joystick;
};

Tables g_tables;
std::once_flag g_built;

void PutU16(uint8_t* at, uint16_t value) { std::memcpy(at, &value, sizeof value); }
void PutU32(uint8_t* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }
uint16_t GetU16(const uint8_t* at) { uint16_t value; std::memcpy(&value, at, sizeof value); return value; }
uint32_t GetU32(const uint8_t* at) { uint32_t value; std::memcpy(&value, at, sizeof value); return value; }

ServiceAssignment MakeTemplate(uint32_t type, uint32_t word, uint32_t second = 0)
{
    ServiceAssignment record{};
    record.header = 1;
    record.type = type;
    PutU32(record.data + kDataWord, word);
    PutU32(record.data + kDataSecond, second);
    return record;
}

void BuildTables()
{
    auto& templates = g_tables.templates;
    const int functionKinds[] = { 8, 1, 2, 3, 47, 46, 54, 55, 10, 13, 14, 4 };
    for (uint32_t i = 0; i < sizeof functionKinds / sizeof functionKinds[0]; ++i)
        templates[functionKinds[i]] = MakeTemplate(kTypeFunction, i);
    templates[5] = MakeTemplate(kTypeKeystroke, 0);
    templates[6] = MakeTemplate(kTypeMacro, 0);
    templates[7] = MakeTemplate(kTypeMacro, 0);
    templates[9] = MakeTemplate(kTypeValue, 0);
    for (uint32_t value = 0; value < 5; ++value)
        templates[16 + int(value)] = MakeTemplate(kTypeSubKindValue, 3, value);
    templates[24] = MakeTemplate(kTypeProfile, 1);
    templates[23] = MakeTemplate(kTypeProfile, 2);
    for (int kind : { 21, 22, 25, 26, 27, 28, 29 })
        templates[kind] = MakeTemplate(kTypeProfile, 3);
    templates[33] = MakeTemplate(kTypeKeymap, 1);
    templates[32] = MakeTemplate(kTypeKeymap, 2);
    templates[30] = MakeTemplate(kTypeKeymap, 3);
    templates[31] = MakeTemplate(kTypeKeymap, 3);
    templates[34] = MakeTemplate(kTypeKeymap, 4);
    templates[35] = MakeTemplate(kTypeKeymap, 4);
    templates[75] = MakeTemplate(kTypeApplication, 0);
    templates[78] = MakeTemplate(kTypeJoystick, 1);
    templates[79] = MakeTemplate(kTypeJoystick, 0);

    g_tables.buttonBits = { { 17, 0x4 }, { 18, 0x80 }, { 19, 0x100 } };
    g_tables.buttonCodes = { { 17, 3 }, { 18, 8 }, { 19, 9 } };
    for (uint32_t button = 1; button <= 24; ++button)
        g_tables.joystick[button] = button + 1;
}

const Tables& TheTables()
{
    InitKeyTranslationTables();
    return g_tables;
}

template <class Key>
uint32_t Lookup(const std::map<Key, uint32_t>& map, Key key)
{
    const auto it = map.find(key);
    return it == map.end() ? 0 : it->second;
}

template <class Key>
Key ReverseLookup(const std::map<Key, uint32_t>& map, uint32_t value)
{
    for (const auto& entry : map) {
        if (entry.second == value)
            return entry.first;
    }
    return Key(0);
}

bool Matches(const ServiceAssignment& record, const ServiceAssignment& pattern)
{
    if (record.type != pattern.type)
        return false;
    const uint32_t recordWord = GetU32(record.data + kDataWord);
    const uint32_t patternWord = GetU32(pattern.data + kDataWord);
    switch (pattern.type) {
    case kTypeProfile:
    case kTypeSubKindValue:
    case kTypeKeymap:
    case kTypeFunction:
        return recordWord == patternWord;
    case kTypeJoystick:
        return patternWord != 1 || recordWord == patternWord;
    default:
        return true;
    }
}

uint8_t PlayModeToDevice(uint32_t mode)
{
    switch (mode) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
    }
}

uint32_t PlayModeFromDevice(uint8_t mode)
{
    switch (mode) {
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    case 3: return 4;
    default: return 0;
    }
}

void PutGuidWords(uint8_t* at, const CAssignment& assignment)
{
    for (int i = 0; i < 4; ++i)
        PutU32(at + 4 * i, assignment.GetWord(i));
}

void GetGuidWords(const uint8_t* at, CAssignment& assignment)
{
    for (int i = 0; i < 4; ++i)
        assignment.SetWord(i, GetU32(at + 4 * i));
}

// The mouse codes of macro events: code bit n is button n/2+1, pressed (255) for even n,
// released (1) for odd n.
struct MouseCode
{
    uint32_t code;
    int32_t button;
    int32_t state;
};
const MouseCode kMouseCodes[] = {
    { 0x1, 1, 255 }, { 0x2, 1, 1 }, { 0x4, 2, 255 }, { 0x8, 2, 1 }, { 0x10, 3, 255 },
    { 0x20, 3, 1 }, { 0x40, 4, 255 }, { 0x80, 4, 1 }, { 0x100, 5, 255 }, { 0x200, 5, 1 },
};

uint32_t MouseCodeOf(int32_t button, int32_t state)
{
    for (const MouseCode& mouse : kMouseCodes) {
        if (mouse.button == button && mouse.state == state)
            return mouse.code;
    }
    return 0;
}

const MouseCode* MouseOfCode(uint32_t code)
{
    for (const MouseCode& mouse : kMouseCodes) {
        if (mouse.code == code)
            return &mouse;
    }
    return nullptr;
}

}

void InitKeyTranslationTables()
{
    std::call_once(g_built, BuildTables);
}

bool GetServiceTemplate(int kind, ServiceAssignment& out)
{
    const auto& templates = TheTables().templates;
    const auto it = templates.find(kind);
    if (it == templates.end()) {
        // A kind without a template gets a zero record of its own; the shared table is
        // never changed after it is built, as the worker thread reads it too.
        out = ServiceAssignment{};
        out.header = 1;
        return false;
    }
    out = it->second;
    return true;
}

int FindAssignmentKind(const ServiceAssignment& record)
{
    for (const auto& entry : TheTables().templates) {
        if (Matches(record, entry.second))
            return entry.first;
    }
    return -1;
}

ServiceAssignment MakeServiceAssignment(const CAssignment& assignment, uint32_t deviceCode)
{
    ServiceAssignment record{};
    GetServiceTemplate(assignment.kind, record);
    record.code = deviceCode;
    const uint32_t subKind = GetU32(record.data + kDataWord);
    const uint32_t word0 = assignment.GetWord(0);
    switch (record.type) {
    case kTypeGuid:
    case kTypeApplication:
        PutGuidWords(record.data + kDataWord, assignment);
        break;
    case kTypeProfile:
        if (subKind == 3)
            PutGuidWords(record.data + kDataSecond, assignment);
        break;
    case kTypeKeymap:
        if (subKind == 3 || subKind == 4)
            PutGuidWords(record.data + kDataSecond, assignment);
        break;
    case kTypeSubKindValue:
        if (subKind == 3)
            PutU32(record.data + kDataSecond, word0);
        break;
    case kTypeKeystroke: {
        uint32_t modifiers = ModifierBitsToDevice(static_cast<uint8_t>(assignment.GetWord(1)));
        if ((word0 >> 16) == kPauseVirtualKey)
            modifiers |= kExtendedDeviceBit;
        PutU16(record.data + kDataWord, static_cast<uint16_t>(word0));
        PutU32(record.data + kDataModifiers, modifiers);
        break;
    }
    case kTypeMacro:
        PutGuidWords(record.data + kDataWord, assignment);
        record.data[kDataPlayMode] = PlayModeToDevice(assignment.GetWord(CAssignment::kMacroModeWord));
        record.data[kDataFlag] = static_cast<uint8_t>(assignment.GetWord(CAssignment::kMacroRepeatWord));
        break;
    case kTypeJoystick:
        if (assignment.kind == kAssignJoystick) {
            PutU32(record.data + kDataSecond, word0);
            PutU16(record.data + kDataSecond + 4, static_cast<uint16_t>(assignment.GetWord(1)));
        } else if (assignment.kind == kAssignJoystickValue) {
            PutU32(record.data + kDataWord, JoystickButtonToValue(word0));
        }
        break;
    default:
        break;
    }
    return record;
}

CAssignment ReadServiceAssignment(const ServiceAssignment& record)
{
    CAssignment assignment;
    assignment.kind = FindAssignmentKind(record);
    switch (record.type) {
    case kTypeGuid:
    case kTypeApplication:
        GetGuidWords(record.data + kDataWord, assignment);
        break;
    case kTypeProfile:
    case kTypeKeymap:
        GetGuidWords(record.data + kDataSecond, assignment);
        break;
    case kTypeSubKindValue:
        assignment.SetWord(0, GetU32(record.data + kDataSecond));
        break;
    case kTypeKeystroke: {
        const uint32_t code = GetU16(record.data + kDataWord);
        const uint32_t deviceBits = GetU32(record.data + kDataModifiers);
        uint8_t modifiers = ModifierBitsFromDevice(deviceBits);
        uint32_t word0 = code;
        // Pause and Num Lock share scan code 69; the extended bit tells them apart.
        if (code == kPauseNumLockScanCode) {
            modifiers &= static_cast<uint8_t>(~0x1);
            word0 |= ((deviceBits & kExtendedDeviceBit) ? kPauseVirtualKey : kNumLockVirtualKey) << 16;
        }
        assignment.SetWord(0, word0);
        assignment.SetWord(1, modifiers);
        break;
    }
    case kTypeMacro:
        GetGuidWords(record.data + kDataWord, assignment);
        assignment.SetWord(CAssignment::kMacroModeWord, PlayModeFromDevice(record.data[kDataPlayMode]));
        assignment.SetWord(CAssignment::kMacroRepeatWord, record.data[kDataFlag]);
        break;
    case kTypeJoystick:
        if (assignment.kind == kAssignJoystick)
            std::memcpy(assignment.payload, record.data + kDataSecond, 6);
        else if (assignment.kind == kAssignJoystickValue)
            assignment.SetWord(0, JoystickValueToButton(GetU32(record.data + kDataWord)));
        break;
    default:
        break;
    }
    return assignment;
}

uint32_t ButtonToDeviceBit(int button) { return Lookup(TheTables().buttonBits, button); }
int DeviceBitToButton(uint32_t bit) { return ReverseLookup(TheTables().buttonBits, bit); }
uint32_t ButtonToDeviceCode(int button) { return Lookup(TheTables().buttonCodes, button); }
int DeviceCodeToButton(uint32_t code) { return ReverseLookup(TheTables().buttonCodes, code); }
uint32_t JoystickButtonToValue(uint32_t button) { return Lookup(TheTables().joystick, button); }
uint32_t JoystickValueToButton(uint32_t value) { return ReverseLookup(TheTables().joystick, value); }

uint32_t ModifierBitsToDevice(uint8_t storeBits)
{
    return static_cast<uint32_t>(storeBits & 0x0F) << 24;
}

uint8_t ModifierBitsFromDevice(uint32_t deviceBits)
{
    return static_cast<uint8_t>((deviceBits >> 24) & 0x0F);
}

std::vector<uint8_t> MacroEventsToMacroData(const std::vector<CMacroEvent>& events)
{
    std::vector<uint32_t> words;
    for (const CMacroEvent& event : events) {
        const uint32_t value = static_cast<uint32_t>(event.value);
        const uint32_t extra = static_cast<uint32_t>(event.extra);
        switch (event.type) {
        case CMacroEvent::kKeystroke: {
            uint32_t flags = 0;
            if ((extra & 0xFF) != 255)
                flags |= kKeyUpFlag;
            if ((extra & 0x100) || (value >> 16) == kPauseVirtualKey)
                flags |= kExtendedFlag;
            words.push_back(kDeviceKey);
            words.push_back((value & 0xFFFF) | (flags << 16));
            break;
        }
        case CMacroEvent::kMouseButton:
            words.push_back(kDeviceMouse);
            words.push_back(MouseCodeOf(event.value, static_cast<int32_t>(extra & 0xFF)));
            break;
        case CMacroEvent::kDelay:
            words.push_back(kDeviceDelay);
            words.push_back(value);
            break;
        default:
            break;
        }
    }
    const uint32_t count = static_cast<uint32_t>(words.size() / 2);
    std::vector<uint8_t> block(size_t(count) * 8 + 16, 0);
    PutU32(block.data() + 4, count);
    for (size_t i = 0; i < words.size(); ++i)
        PutU32(block.data() + 8 + 4 * i, words[i]);
    return block;
}

bool MacroDataToMacroEvents(const uint8_t* data, size_t size, std::vector<CMacroEvent>& out)
{
    out.clear();
    if (!data || size < 8)
        return false;
    const uint32_t count = GetU32(data + 4);
    if (count > (size - 8) / 8)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t type = GetU32(data + 8 + 8 * i);
        const uint32_t value = GetU32(data + 12 + 8 * i);
        CMacroEvent event;
        if (type == kDeviceMouse) {
            const MouseCode* mouse = MouseOfCode(value);
            if (!mouse)
                continue;
            event.type = CMacroEvent::kMouseButton;
            event.value = mouse->button;
            event.extra = mouse->state;
        } else if (type == kDeviceKey) {
            const uint32_t code = value & 0xFFFF;
            const uint32_t flags = value >> 16;
            event.type = CMacroEvent::kKeystroke;
            event.value = static_cast<int32_t>(code);
            event.extra = (flags & kKeyUpFlag) ? CMacroEvent::kKeyUp : CMacroEvent::kKeyDown;
            if (flags & kExtendedFlag)
                event.extra |= CMacroEvent::kExtendedKey;
            if (flags & kE1Flag) {
                event.extra &= ~CMacroEvent::kExtendedKey;
                event.value = static_cast<int32_t>(kPauseNumLockScanCode | kPauseVirtualKey << 16);
            } else if (code == kPauseNumLockScanCode) {
                event.extra &= ~CMacroEvent::kExtendedKey;
                event.value |= static_cast<int32_t>(((flags & kExtendedFlag) ? kPauseVirtualKey : kNumLockVirtualKey) << 16);
            }
        } else if (type == kDeviceDelay) {
            event.type = CMacroEvent::kDelay;
            event.value = static_cast<int32_t>(value);
        } else {
            continue;
        }
        out.push_back(event);
    }
    return !out.empty();
}

CString VersionText(bool read, uint32_t major, uint32_t minor)
{
    if (!read)
        return FormatString(L"%.2f", 0.0);
    return FormatString(L"%d.%02d", static_cast<int>(major), static_cast<int>(minor));
}

uint8_t KeyGroupOfDeviceCode(uint32_t code)
{
    const uint32_t high = code >> 16;
    return high == 2 ? 1 : (high == 4 ? 2 : 0);
}

int LedIndexFromDeviceId(int ledId)
{
    return ledId >= 1 && ledId <= 11 ? ledId - 1 : -1;
}
