#include "KeypadFiles.h"

#include "CByteReader.h"
#include "CByteWriter.h"

#include <cstring>
#include <memory>

namespace {

constexpr uint32_t kStateVersion = 1;
constexpr uint32_t kProfileFileVersion = 1;
constexpr uint32_t kMacroFileVersion = 1;
constexpr uint32_t kMaxMacros = 1000;
constexpr uint32_t kMaxMacroEvents = 100000;
constexpr uint32_t kMaxApplications = 1000;
constexpr uint32_t kMaxPathLength = 32767;
constexpr size_t kMaxFileSize = 64 * 1024 * 1024;

const char kStateSignature[4] = { 'K', 'V', 'D', 'S' };
const char kProfileSignature[4] = { 'K', 'V', 'P', 'F' };
const char kMacroSignature[4] = { 'K', 'V', 'M', 'F' };

uint32_t Checksum(const uint8_t* data, size_t size)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 16777619u;
    }
    return hash;
}

std::vector<uint8_t> Envelope(const char signature[4], uint32_t version, const std::vector<uint8_t>& body)
{
    CByteWriter out;
    out.Raw(signature, 4);
    out.U32(version);
    out.U32(static_cast<uint32_t>(body.size()));
    out.Raw(body.data(), body.size());
    out.U32(Checksum(out.Bytes().data(), out.Bytes().size()));
    return out.Bytes();
}

// The body of a file whose signature, version, length and checksum are all right.
bool OpenEnvelope(const std::vector<uint8_t>& file, const char signature[4], uint32_t version,
                  std::vector<uint8_t>& body)
{
    constexpr size_t kHeader = 12;
    if (file.size() < kHeader + 4 || std::memcmp(file.data(), signature, 4) != 0)
        return false;
    CByteReader header(file.data() + 4, 8);
    const uint32_t fileVersion = header.U32();
    const uint32_t length = header.U32();
    if (fileVersion != version || length != file.size() - kHeader - 4)
        return false;
    CByteReader tail(file.data() + file.size() - 4, 4);
    if (tail.U32() != Checksum(file.data(), file.size() - 4))
        return false;
    body.assign(file.begin() + kHeader, file.end() - 4);
    return true;
}

void WriteRecord(CByteWriter& out, const ServiceAssignment& record)
{
    out.Raw(&record, sizeof record);
}

ServiceAssignment ReadRecord(CByteReader& in)
{
    ServiceAssignment record{};
    in.Raw(&record, sizeof record);
    return record;
}

void WriteRecords(CByteWriter& out, const std::vector<ServiceAssignment>& records)
{
    out.U32(static_cast<uint32_t>(records.size()));
    for (const ServiceAssignment& record : records)
        WriteRecord(out, record);
}

std::vector<ServiceAssignment> ReadRecords(CByteReader& in, uint32_t max)
{
    std::vector<ServiceAssignment> records(in.Count(max));
    for (ServiceAssignment& record : records)
        record = ReadRecord(in);
    return records;
}

// The records of the keypad's own slots: as many, with the slots' codes in the slots' order
// (a record only ever replaces the slot of its own code).
bool FitsSlots(const std::vector<ServiceAssignment>& records, const std::vector<ServiceAssignment>& slots)
{
    if (records.size() != slots.size())
        return false;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].code != slots[i].code)
            return false;
    }
    return true;
}

// Items are found by id, so two of one id would leave the second unreachable.
template <class T>
bool HasUniqueIds(const std::vector<T>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t j = i + 1; j < items.size(); ++j) {
            if (IsEqualGUID(items[i].id, items[j].id))
                return false;
        }
    }
    return true;
}

// The keypad's LEDs: each of 1 to kLedCount once, with values their setters take.
bool IsKeypadLedSet(const std::vector<SimLed>& leds)
{
    bool seen[kLedCount + 1] = {};
    for (const SimLed& led : leds) {
        if (led.id < 1 || led.id > kLedCount || seen[led.id])
            return false;
        seen[led.id] = true;
        if (led.colour > kMaxLedColour || led.brightness < 0 || led.brightness > kMaxLedBrightness ||
            led.effect < 0 || led.effect > kMaxLedEffect || led.onMs < 0 || led.offMs < 0)
            return false;
    }
    return leds.size() == size_t(kLedCount);
}

void WriteProfile(CByteWriter& out, const SimProfile& profile)
{
    out.Guid(profile.id);
    out.Text(profile.name);
    out.Blob(profile.application);
    out.U16(profile.flags);
    out.Guid(profile.activeKeymap);
    out.U32(static_cast<uint32_t>(profile.keymaps.size()));
    for (const SimKeymap& keymap : profile.keymaps) {
        out.Guid(keymap.id);
        out.Text(keymap.name);
        WriteRecords(out, keymap.keys);
        WriteRecords(out, keymap.buttons);
    }
    out.U32(static_cast<uint32_t>(profile.leds.size()));
    for (const SimLed& led : profile.leds) {
        out.U32(static_cast<uint32_t>(led.id));
        out.U8(led.on ? 1 : 0);
        out.U32(led.colour);
        out.U32(static_cast<uint32_t>(led.brightness));
        out.U32(static_cast<uint32_t>(led.effect));
        out.U32(static_cast<uint32_t>(led.onMs));
        out.U32(static_cast<uint32_t>(led.offMs));
    }
}

// A profile that reads back whole and has the keypad's shape: its key maps, each of its own
// id, with the keypad's keys and buttons, an active key map among them and the keypad's LEDs.
bool ReadProfile(CByteReader& in, SimProfile& profile)
{
    profile.id = in.Guid();
    profile.name = in.Text(kMaxNameLength);
    profile.application = in.Blob(kApplicationPropertySize);
    profile.flags = in.U16();
    profile.activeKeymap = in.Guid();
    const SimKeymap shape = MakeDefaultKeymap(L"");
    profile.keymaps.resize(in.Count(kKeymapsPerProfile));
    for (SimKeymap& keymap : profile.keymaps) {
        keymap.id = in.Guid();
        keymap.name = in.Text(kMaxNameLength);
        keymap.keys = ReadRecords(in, static_cast<uint32_t>(shape.keys.size()));
        keymap.buttons = ReadRecords(in, static_cast<uint32_t>(shape.buttons.size()));
        if (!FitsSlots(keymap.keys, shape.keys) || !FitsSlots(keymap.buttons, shape.buttons))
            return false;
    }
    profile.leds.resize(in.Count(kLedCount));
    for (SimLed& led : profile.leds) {
        led.id = static_cast<LONG>(in.U32());
        const uint8_t on = in.U8();
        if (on > 1)
            return false;
        led.on = on == 1;
        led.colour = in.U32();
        led.brightness = static_cast<LONG>(in.U32());
        led.effect = static_cast<LONG>(in.U32());
        led.onMs = static_cast<LONG>(in.U32());
        led.offMs = static_cast<LONG>(in.U32());
    }
    if (!in.Ok() || profile.keymaps.empty() || !HasUniqueIds(profile.keymaps) || !IsKeypadLedSet(profile.leds))
        return false;
    return FindKeymap(profile, profile.activeKeymap) != nullptr;
}

void WriteMacro(CByteWriter& out, const SimMacro& macro)
{
    out.Guid(macro.id);
    out.Text(macro.name);
    out.U32(static_cast<uint32_t>(macro.events.size()));
    for (const SimMacroEvent& event : macro.events) {
        out.U32(event.type);
        out.U32(event.value);
    }
}

bool ReadMacro(CByteReader& in, SimMacro& macro)
{
    macro.id = in.Guid();
    macro.name = in.Text(kMaxNameLength);
    macro.events.resize(in.Count(kMaxMacroEvents));
    for (SimMacroEvent& event : macro.events) {
        event.type = in.U32();
        event.value = in.U32();
        if (event.type < kFirstMacroEventType || event.type > kLastMacroEventType)
            return false;
    }
    return in.Ok();
}

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using CFileHandle = std::unique_ptr<void, HandleCloser>;

CFileHandle OpenFile(const std::wstring& path, DWORD access, DWORD disposition)
{
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return CFileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}

std::vector<uint8_t> EncodeKeypad(const SimKeypad& keypad)
{
    CByteWriter out;
    out.Guid(keypad.activeProfile);
    out.U32(static_cast<uint32_t>(keypad.mode));
    out.U32(static_cast<uint32_t>(keypad.profiles.size()));
    for (const SimProfile& profile : keypad.profiles)
        WriteProfile(out, profile);
    out.U32(static_cast<uint32_t>(keypad.macros.size()));
    for (const SimMacro& macro : keypad.macros)
        WriteMacro(out, macro);
    out.U32(static_cast<uint32_t>(keypad.applications.size()));
    for (const SimApplication& application : keypad.applications) {
        out.Guid(application.id);
        out.Text(application.path);
    }
    return Envelope(kStateSignature, kStateVersion, out.Bytes());
}

bool DecodeKeypad(const std::vector<uint8_t>& file, SimKeypad& keypad)
{
    std::vector<uint8_t> body;
    if (!OpenEnvelope(file, kStateSignature, kStateVersion, body))
        return false;
    CByteReader in(body.data(), body.size());
    SimKeypad result;
    result.activeProfile = in.Guid();
    result.mode = static_cast<LONG>(in.U32());
    result.profiles.resize(in.Count(kMaxProfiles));
    for (SimProfile& profile : result.profiles) {
        if (!ReadProfile(in, profile))
            return false;
    }
    result.macros.resize(in.Count(kMaxMacros));
    for (SimMacro& macro : result.macros) {
        if (!ReadMacro(in, macro))
            return false;
    }
    result.applications.resize(in.Count(kMaxApplications));
    for (SimApplication& application : result.applications) {
        application.id = in.Guid();
        application.path = in.Text(kMaxPathLength);
    }
    if (!in.Ok() || !in.AtEnd() || result.profiles.empty() || !FindProfile(result, result.activeProfile))
        return false;
    if (!HasUniqueIds(result.profiles) || !HasUniqueIds(result.macros) || !HasUniqueIds(result.applications))
        return false;
    keypad = std::move(result);
    return true;
}

std::vector<uint8_t> EncodeProfileFile(const SimProfile& profile)
{
    CByteWriter out;
    WriteProfile(out, profile);
    return Envelope(kProfileSignature, kProfileFileVersion, out.Bytes());
}

bool DecodeProfileFile(const std::vector<uint8_t>& file, SimProfile& profile)
{
    std::vector<uint8_t> body;
    if (!OpenEnvelope(file, kProfileSignature, kProfileFileVersion, body))
        return false;
    CByteReader in(body.data(), body.size());
    SimProfile result;
    if (!ReadProfile(in, result) || !in.AtEnd())
        return false;
    profile = std::move(result);
    return true;
}

std::vector<uint8_t> EncodeMacroFile(const SimMacro& macro)
{
    CByteWriter out;
    WriteMacro(out, macro);
    return Envelope(kMacroSignature, kMacroFileVersion, out.Bytes());
}

bool DecodeMacroFile(const std::vector<uint8_t>& file, SimMacro& macro)
{
    std::vector<uint8_t> body;
    if (!OpenEnvelope(file, kMacroSignature, kMacroFileVersion, body))
        return false;
    CByteReader in(body.data(), body.size());
    SimMacro result;
    if (!ReadMacro(in, result) || !in.AtEnd())
        return false;
    macro = std::move(result);
    return true;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes)
{
    CFileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > LONGLONG(kMaxFileSize))
        return false;
    std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!data.empty() && (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
                          read != data.size()))
        return false;
    bytes = std::move(data);
    return true;
}

bool WriteFileAtomically(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    const std::wstring temporary = path + L".tmp";
    {
        CFileHandle file = OpenFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file)
            return false;
        DWORD written = 0;
        const bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file.get());
        if (!ok) {
            file.reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
