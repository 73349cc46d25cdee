// The device service through its public interfaces, as the configuration and tray
// programs use it: the real local server under Wine, reset to a factory keypad first.
#include "ServiceClient.h"

#include "GuidText.h"
#include "KeypadFileEnvelope.h"

#include <objbase.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr HRESULT kNotConnected = HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Runs a program of the build and answers its exit code (-1 when it cannot start).
DWORD RunProgram(const std::wstring& commandLine, DWORD timeoutMs, HANDLE output = nullptr)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup, &process))
        return DWORD(-1);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

// Records the launch requests it receives.
// Starts DeviceServiceEventProbe with args after its ready event and waits until it has
// advised its sink; the process handle, or null.
HANDLE StartEventProbe(const std::wstring& args)
{
    static LONG probes = 0;
    const std::wstring readyName = L"VelmoraEventProbe" + std::to_wstring(GetCurrentProcessId()) + L"." +
                                   std::to_wstring(InterlockedIncrement(&probes));
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    if (!ready)
        return nullptr;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION probe{};
    std::wstring line = L"\"" + ExeFolder() + L"DeviceServiceEventProbe.exe\" " + readyName + L" " + args;
    const bool started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &probe);
    const bool advised = started && WaitForSingleObject(ready, 15000) == WAIT_OBJECT_0;
    CloseHandle(ready);
    if (!started)
        return nullptr;
    CloseHandle(probe.hThread);
    if (!advised) {
        TerminateProcess(probe.hProcess, 3);
        CloseHandle(probe.hProcess);
        return nullptr;
    }
    return probe.hProcess;
}

class CLaunchSink : public _IApplicationEvent
{
    LONG m_refs = 1;

public:
    std::vector<std::pair<LONG, std::wstring>> received;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IApplicationEvent)) {
            *out = static_cast<_IApplicationEvent*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }
    STDMETHODIMP OnLaunchApplication(LONG type, LPCWSTR path) override
    {
        received.emplace_back(type, path ? path : L"");
        return S_OK;
    }
};

// Records the key-map events it receives.
class CKeymapSink : public _IKeyMapManagerEvents
{
    LONG m_refs = 1;

public:
    std::vector<GUID> received;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IKeyMapManagerEvents)) {
            *out = static_cast<_IKeyMapManagerEvents*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }
    STDMETHODIMP OnActiveKeyMapChanged(const GUID* keymapId) override
    {
        received.push_back(keymapId ? *keymapId : GUID{});
        return S_OK;
    }
};

class DeviceServiceContract : public ::testing::Test
{
protected:
    CComPtr<IDeviceServiceControl> control;
    CComPtr<IDevice> device;
    CComPtr<IProfileManager> profiles;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        control = CreateControl();
        ASSERT_TRUE(control);
        ASSERT_HRESULT_SUCCEEDED(control->Reset());
        device = FindKeypad();
        ASSERT_TRUE(device);
        profiles = Manager<IProfileManager>(device.Get(), IID_IProfileManager);
        ASSERT_TRUE(profiles);
    }

    void TearDown() override
    {
        profiles.Release();
        device.Release();
        control.Release();
        CoUninitialize();
    }

    CComPtr<IProfile> ActiveProfile()
    {
        CComPtr<IProfile> profile;
        EXPECT_HRESULT_SUCCEEDED(profiles->GetActive(profile.Receive()));
        return profile;
    }

    bool LogSaysWithin(const wchar_t* text, DWORD ms)
    {
        const DWORD start = GetTickCount();
        do {
            LPWSTR log = nullptr;
            if (SUCCEEDED(control->GetCallLog(&log)) && TakeText(log).find(text) != std::wstring::npos)
                return true;
            Sleep(100);
        } while (GetTickCount() - start < ms);
        return false;
    }

    // The number the state dump writes just before word (" sinks", " shared"), -1 when none.
    LONG DumpFigure(const wchar_t* word)
    {
        LPWSTR dump = nullptr;
        if (FAILED(control->DumpState(&dump)))
            return -1;
        const std::wstring text = TakeText(dump);
        size_t end = text.find(word);
        if (end == std::wstring::npos)
            return -1;
        size_t begin = end;
        while (begin > 0 && iswdigit(text[begin - 1]))
            --begin;
        return begin < end ? std::stol(text.substr(begin, end - begin)) : -1;
    }

    CComPtr<IKeyMap> ActiveKeymap()
    {
        CComPtr<IKeyMapManager> keymaps = SubObject<IKeyMapManager>(ActiveProfile().Get(), IID_IKeyMapManager);
        CComPtr<IKeyMap> keymap;
        EXPECT_HRESULT_SUCCEEDED(keymaps->GetActive(keymap.Receive()));
        return keymap;
    }
};

TEST_F(DeviceServiceContract, FindsTheKeypadWithItsIdsAndVersions)
{
    DeviceInfo info{};
    ASSERT_HRESULT_SUCCEEDED(device->GetInfo(&info));
    EXPECT_STREQ(L"Kavro Velmora", TakeText(info.name).c_str());
    EXPECT_EQ(0x0111u, info.productId);
    EXPECT_EQ(1u, info.versionAMajor);
    EXPECT_EQ(5u, info.versionAMinor);
    CComPtr<IDeviceIdentity> identity;
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(IID_IDeviceIdentity, identity));
    LONG vendor = 0;
    LONG product = 0;
    ASSERT_HRESULT_SUCCEEDED(identity->GetIds(&vendor, &product));
    EXPECT_EQ(0x6C1F, vendor);
    EXPECT_EQ(0x0111, product);
}

TEST_F(DeviceServiceContract, AnUnpluggedKeypadIsNotListedAndItsObjectsFail)
{
    ASSERT_HRESULT_SUCCEEDED(control->SetPresent(0));
    EXPECT_FALSE(FindKeypad());
    CComPtr<IProfile> profile;
    EXPECT_EQ(kNotConnected, profiles->GetActive(profile.Receive()));
    ASSERT_HRESULT_SUCCEEDED(control->SetPresent(1));
    EXPECT_TRUE(FindKeypad());
}

TEST_F(DeviceServiceContract, CreatesRenamesAndDeletesProfiles)
{
    const int before = CountItems<IProfile>(profiles.Get());
    CComPtr<IProfile> created;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(created.Receive()));
    ASSERT_HRESULT_SUCCEEDED(created->SetName(L"Racing"));
    EXPECT_EQ(before + 1, CountItems<IProfile>(profiles.Get()));

    uint32_t words[4];
    GuidToWords(IdOf(created.Get()), words);
    CComPtr<IProfile> found;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetById(words[0], words[1], words[2], words[3], found.Receive()));
    EXPECT_EQ(L"Racing", NameOf(found.Get()));
    EXPECT_EQ(E_INVALIDARG, found->SetName(L""));

    ASSERT_HRESULT_SUCCEEDED(profiles->Delete(created.Get()));
    EXPECT_EQ(before, CountItems<IProfile>(profiles.Get()));
    CComPtr<IProfile> gone;
    EXPECT_TRUE(FAILED(profiles->GetById(words[0], words[1], words[2], words[3], gone.Receive())));
    EXPECT_TRUE(FAILED(created->SetName(L"Ghost")));
}

TEST_F(DeviceServiceContract, TheActiveProfileCannotBeDeleted)
{
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(other.Get()));
    EXPECT_EQ(E_ACCESSDENIED, profiles->Delete(other.Get()));
    CComPtr<IProfile> first;
    ASSERT_HRESULT_SUCCEEDED(profiles->Item(0, first.Receive()));
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(first.Get()));
    EXPECT_HRESULT_SUCCEEDED(profiles->Delete(other.Get()));
}

TEST_F(DeviceServiceContract, EveryProfileHasEightKeymapsWithOneActive)
{
    CComPtr<IKeyMapManager> keymaps = SubObject<IKeyMapManager>(ActiveProfile().Get(), IID_IKeyMapManager);
    EXPECT_EQ(8, CountItems<IKeyMap>(keymaps.Get()));
    CComPtr<IKeyMap> extra;
    EXPECT_TRUE(FAILED(keymaps->Create(extra.Receive())));

    CComPtr<IKeyMap> last;
    ASSERT_HRESULT_SUCCEEDED(keymaps->Item(7, last.Receive()));
    ASSERT_HRESULT_SUCCEEDED(keymaps->Delete(last.Get()));
    ASSERT_HRESULT_SUCCEEDED(keymaps->Create(extra.Receive()));
    ASSERT_HRESULT_SUCCEEDED(extra->SetName(L"Sniper"));
    EXPECT_EQ(L"Sniper", NameOf(extra.Get()));
    ASSERT_HRESULT_SUCCEEDED(keymaps->SetActive(extra.Get()));
    CComPtr<IKeyMap> active;
    ASSERT_HRESULT_SUCCEEDED(keymaps->GetActive(active.Receive()));
    EXPECT_TRUE(IsEqualGUID(IdOf(extra.Get()), IdOf(active.Get())));
    EXPECT_EQ(E_ACCESSDENIED, keymaps->Delete(extra.Get()));
}

TEST_F(DeviceServiceContract, AKeymapHoldsTwentyFourKeysAndTheWheelButtons)
{
    CComPtr<IKeyMap> keymap = ActiveKeymap();
    CComPtr<IKeyAssignments> keys = SubObject<IKeyAssignments>(keymap.Get(), IID_IKeyAssignments);
    LONG count = 0;
    ASSERT_HRESULT_SUCCEEDED(keys->GetCount(&count));
    ASSERT_EQ(24, count);
    std::vector<ServiceAssignment> records(24);
    ASSERT_HRESULT_SUCCEEDED(keys->GetAll(count, records.data()));
    EXPECT_EQ(0x0Fu, records[0].code);         // Tab
    EXPECT_EQ(0x20048u, records[16].code);     // Up Arrow, an E0 key
    EXPECT_EQ(5u, records[0].type);

    ServiceAssignment changed = records[1];
    changed.type = 1;
    std::memset(changed.data, 0, sizeof changed.data);
    changed.data[0] = 3;
    ASSERT_HRESULT_SUCCEEDED(keys->SetAssignments(1, &changed));
    ASSERT_HRESULT_SUCCEEDED(keys->GetAll(count, records.data()));
    EXPECT_EQ(0, std::memcmp(&changed, &records[1], sizeof changed));
    ServiceAssignment unknown = changed;
    unknown.code = 0x1234;
    EXPECT_EQ(E_INVALIDARG, keys->SetAssignments(1, &unknown));

    CComPtr<IButtonAssignments> buttons = SubObject<IButtonAssignments>(keymap.Get(), IID_IButtonAssignments);
    AvailableButtons available{};
    ASSERT_HRESULT_SUCCEEDED(buttons->GetAvailable(&available));
    EXPECT_EQ(3u, available.count);
    EXPECT_EQ(0x184u, available.mask);
    ServiceAssignment wheel[3];
    ASSERT_HRESULT_SUCCEEDED(buttons->GetAll(3, wheel));
    EXPECT_EQ(3u, wheel[0].code);
    EXPECT_EQ(8u, wheel[1].code);
    EXPECT_EQ(9u, wheel[2].code);
}

TEST_F(DeviceServiceContract, LedsOneToElevenKeepStateColourBrightnessAndEffect)
{
    CComPtr<ILedManager> leds = SubObject<ILedManager>(ActiveProfile().Get(), IID_ILedManager);
    ASSERT_EQ(11, CountItems<ILed>(leds.Get()));
    CComPtr<ILed> led;
    ASSERT_HRESULT_SUCCEEDED(leds->Item(6, led.Receive()));
    LONG id = 0;
    ASSERT_HRESULT_SUCCEEDED(led->GetLedId(&id));
    EXPECT_EQ(7, id);
    ASSERT_HRESULT_SUCCEEDED(led->TurnOn());
    LONG on = 0;
    ASSERT_HRESULT_SUCCEEDED(led->GetState(&on));
    EXPECT_EQ(1, on);

    CComPtr<ILedColour> colour;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedEffect> effect;
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(IID_ILedColour, colour));
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(IID_ILedBrightness, brightness));
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(IID_ILedEffect, effect));
    ASSERT_HRESULT_SUCCEEDED(colour->Set(255));
    ASSERT_HRESULT_SUCCEEDED(brightness->Set(40));
    ASSERT_HRESULT_SUCCEEDED(effect->Set(1, 300, 300));
    DWORD rgb = 0;
    LONG percent = 0;
    LONG kind = 0;
    LONG onMs = 0;
    LONG offMs = 0;
    ASSERT_HRESULT_SUCCEEDED(colour->Get(&rgb));
    ASSERT_HRESULT_SUCCEEDED(brightness->Get(&percent));
    ASSERT_HRESULT_SUCCEEDED(effect->Get(&kind, &onMs, &offMs));
    EXPECT_EQ(255u, rgb);
    EXPECT_EQ(40, percent);
    EXPECT_EQ(1, kind);
    EXPECT_EQ(300, onMs);
    EXPECT_EQ(E_INVALIDARG, brightness->Set(101));
}

TEST_F(DeviceServiceContract, MacroDataRoundTripsAndMacrosAreDeleted)
{
    CComPtr<IMacroManager> macros = Manager<IMacroManager>(device.Get(), IID_IMacroManager);
    CComPtr<IMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->Create(macro.Receive()));
    ASSERT_HRESULT_SUCCEEDED(macro->SetName(L"Reload"));
    // u32 0, u32 n, n events {type, value}, and the 8 spare bytes callers allocate.
    const uint32_t block[] = { 0, 3, 2, 0x00010013, 3, 250, 1, 0x1, 0, 0 };
    ASSERT_HRESULT_SUCCEEDED(macro->SetData(sizeof block, reinterpret_cast<const BYTE*>(block)));
    DWORD size = 0;
    BYTE* data = nullptr;
    ASSERT_HRESULT_SUCCEEDED(macro->GetData(&size, &data));
    ASSERT_EQ(sizeof block, size);
    EXPECT_EQ(0, std::memcmp(block, data, 8 + 3 * 8));
    CoTaskMemFree(data);
    EXPECT_EQ(L"Reload", NameOf(macro.Get()));

    const uint32_t badType[] = { 0, 1, 9, 0, 0, 0 };
    EXPECT_EQ(E_INVALIDARG, macro->SetData(sizeof badType, reinterpret_cast<const BYTE*>(badType)));
    const uint32_t shortBlock[] = { 0, 5, 1, 1 };
    EXPECT_EQ(E_INVALIDARG, macro->SetData(sizeof shortBlock, reinterpret_cast<const BYTE*>(shortBlock)));

    ASSERT_HRESULT_SUCCEEDED(macros->Delete(macro.Get()));
    EXPECT_EQ(0, CountItems<IMacro>(macros.Get()));
}

TEST_F(DeviceServiceContract, PropertiesKeepTheApplicationAndMergeTheFlagWord)
{
    CComPtr<IProfileProperties> properties = SubObject<IProfileProperties>(ActiveProfile().Get(), IID_IProfileProperties);
    BYTE application[256] = {};
    std::memcpy(application, L"game.exe", sizeof L"game.exe");
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(0x80000002, application, 0, 256, 0));
    BYTE read[256];
    DWORD stored = 0;
    ASSERT_HRESULT_SUCCEEDED(properties->GetProperty(0x80000002, read, 0, 256, &stored));
    EXPECT_EQ(256u, stored);
    EXPECT_STREQ(L"game.exe", reinterpret_cast<const wchar_t*>(read));

    struct Case { uint16_t mask, value, expected; };
    const Case cases[] = {
        { 0x1, 0x1, 0x1 },   // auto switch on
        { 0x2, 0x2, 0x3 },   // option on, auto switch kept
        { 0x4, 0x4, 0x7 },   // notice on
        { 0x1, 0x0, 0x6 },   // auto switch off, the others kept
        { 0x0, 0xFFFF, 0x6 } // an empty mask changes nothing
    };
    for (const Case& c : cases) {
        const uint16_t record[2] = { c.mask, c.value };
        ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(0x80000003, reinterpret_cast<const BYTE*>(record), 0, 4, 0));
        uint16_t flags = 0;
        ASSERT_HRESULT_SUCCEEDED(properties->GetProperty(0x80000003, reinterpret_cast<BYTE*>(&flags), 0, 2, &stored));
        EXPECT_EQ(c.expected, flags) << "mask " << c.mask << " value " << c.value;
    }
    EXPECT_EQ(E_INVALIDARG, properties->SetProperty(0x80000009, application, 0, 256, 0));
    const uint16_t shortRecord[2] = { 1, 1 };
    EXPECT_EQ(E_INVALIDARG, properties->SetProperty(0x80000003, reinterpret_cast<const BYTE*>(shortRecord), 0, 2, 0));
}

TEST_F(DeviceServiceContract, AnExportedProfileImportsAsANewCopy)
{
    CComPtr<IProfile> active = ActiveProfile();
    ASSERT_HRESULT_SUCCEEDED(active->SetName(L"Strategy"));
    const std::wstring path = TempPath(L"velmora-contract.kvp");
    ASSERT_HRESULT_SUCCEEDED(active->ExportToFile(path.c_str()));
    CComPtr<IProfile> imported;
    ASSERT_HRESULT_SUCCEEDED(profiles->ImportFromFile(path.c_str(), imported.Receive()));
    EXPECT_EQ(L"Strategy", NameOf(imported.Get()));
    EXPECT_FALSE(IsEqualGUID(IdOf(active.Get()), IdOf(imported.Get())));
    CComPtr<IKeyMapManager> keymaps = SubObject<IKeyMapManager>(imported.Get(), IID_IKeyMapManager);
    EXPECT_EQ(8, CountItems<IKeyMap>(keymaps.Get()));
    DeleteFileW(path.c_str());
}

TEST_F(DeviceServiceContract, AnExportedMacroImportsWithItsEvents)
{
    CComPtr<IMacroManager> macros = Manager<IMacroManager>(device.Get(), IID_IMacroManager);
    CComPtr<IMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->Create(macro.Receive()));
    ASSERT_HRESULT_SUCCEEDED(macro->SetName(L"Combo"));
    const uint32_t block[] = { 0, 1, 3, 500, 0, 0 };
    ASSERT_HRESULT_SUCCEEDED(macro->SetData(sizeof block, reinterpret_cast<const BYTE*>(block)));
    const std::wstring path = TempPath(L"velmora-contract.kvm");
    ASSERT_HRESULT_SUCCEEDED(macro->ExportToFile(path.c_str()));
    CComPtr<IMacro> imported;
    ASSERT_HRESULT_SUCCEEDED(macros->ImportFromFile(path.c_str(), imported.Receive()));
    EXPECT_EQ(L"Combo", NameOf(imported.Get()));
    DWORD size = 0;
    BYTE* data = nullptr;
    ASSERT_HRESULT_SUCCEEDED(imported->GetData(&size, &data));
    EXPECT_EQ(0, std::memcmp(block, data, 16));
    CoTaskMemFree(data);
    DeleteFileW(path.c_str());
}

TEST_F(DeviceServiceContract, AnImportWhoseBodyTheKeypadCannotHoldIsRefusedAndChangesNothing)
{
    const std::wstring path = TempPath(L"velmora-unholdable.kvp");
    ASSERT_HRESULT_SUCCEEDED(ActiveProfile()->ExportToFile(path.c_str()));
    const std::string exported = ReadBytes(path);
    const std::vector<uint8_t> file(exported.begin(), exported.end());
    const std::vector<uint8_t> body = KeypadFileBody(file);
    ASSERT_GT(body.size(), 25u);
    // The body ends with the last LED's record: id, "on" byte, then five words.
    struct Case { const char* what; size_t fromEnd; uint8_t value; };
    const Case cases[] = {
        { "an LED id of 12", 25, 12 },
        { "an LED id of 0", 25, 0 },
        { "an LED id twice", 25, 10 },
        { "an LED on byte of 2", 21, 2 },
    };
    const int before = CountItems<IProfile>(profiles.Get());
    for (const Case& c : cases) {
        std::vector<uint8_t> edited = body;
        edited[edited.size() - c.fromEnd] = c.value;
        const std::vector<uint8_t> sealed = ResealKeypadFile(file, edited);
        WriteBytes(path, std::string(sealed.begin(), sealed.end()));
        CComPtr<IProfile> imported;
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), profiles->ImportFromFile(path.c_str(), imported.Receive())) << c.what;
        EXPECT_FALSE(imported) << c.what;
    }
    EXPECT_EQ(before, CountItems<IProfile>(profiles.Get()));
    // The same body sealed again unchanged imports.
    const std::vector<uint8_t> resealed = ResealKeypadFile(file, body);
    WriteBytes(path, std::string(resealed.begin(), resealed.end()));
    CComPtr<IProfile> imported;
    EXPECT_HRESULT_SUCCEEDED(profiles->ImportFromFile(path.c_str(), imported.Receive()));
    DeleteFileW(path.c_str());
}

TEST_F(DeviceServiceContract, CorruptTruncatedOrForeignImportFilesAreRefused)
{
    const std::wstring profilePath = TempPath(L"velmora-refused.kvp");
    const std::wstring macroPath = TempPath(L"velmora-refused.kvm");
    ASSERT_HRESULT_SUCCEEDED(ActiveProfile()->ExportToFile(profilePath.c_str()));
    CComPtr<IMacroManager> macros = Manager<IMacroManager>(device.Get(), IID_IMacroManager);
    CComPtr<IMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->Create(macro.Receive()));
    ASSERT_HRESULT_SUCCEEDED(macro->ExportToFile(macroPath.c_str()));
    const std::string good = ReadBytes(profilePath);
    ASSERT_GT(good.size(), 64u);

    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x40;
    const std::string variants[] = { flipped, good.substr(0, good.size() - 7), good.substr(0, 10), std::string() };
    const int before = CountItems<IProfile>(profiles.Get());
    for (const std::string& bytes : variants) {
        WriteBytes(profilePath, bytes);
        CComPtr<IProfile> imported;
        EXPECT_TRUE(FAILED(profiles->ImportFromFile(profilePath.c_str(), imported.Receive())));
        EXPECT_FALSE(imported);
    }
    CComPtr<IProfile> foreign;
    EXPECT_TRUE(FAILED(profiles->ImportFromFile(macroPath.c_str(), foreign.Receive())));
    CComPtr<IMacro> foreignMacro;
    WriteBytes(profilePath, good);
    EXPECT_TRUE(FAILED(macros->ImportFromFile(profilePath.c_str(), foreignMacro.Receive())));
    EXPECT_EQ(before, CountItems<IProfile>(profiles.Get()));
    EXPECT_EQ(1, CountItems<IMacro>(macros.Get()));
    DeleteFileW(profilePath.c_str());
    DeleteFileW(macroPath.c_str());
}

TEST_F(DeviceServiceContract, SetActiveReachesTheSinkOnItsOwnThreadAfterTheCall)
{
    CRecordingProfileSink sink;
    CAdvise advise(profiles.Get(), IID__IProfileManagerEvents, &sink);
    ASSERT_TRUE(advise.Ok());
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    sink.insideCall = true;
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(other.Get()));
    sink.insideCall = false;
    ASSERT_TRUE(PumpUntil([&] { return !sink.received.empty(); }, 5000));
    EXPECT_TRUE(IsEqualGUID(IdOf(other.Get()), sink.received.front()));
    EXPECT_EQ(GetCurrentThreadId(), sink.threads.front());
    EXPECT_FALSE(sink.arrivedInsideCall);
}

TEST_F(DeviceServiceContract, AKeymapChangeReachesTheSinksOfThatProfileOnly)
{
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    CComPtr<IKeyMapManager> activeKeymaps = SubObject<IKeyMapManager>(ActiveProfile().Get(), IID_IKeyMapManager);
    CComPtr<IKeyMapManager> otherKeymaps = SubObject<IKeyMapManager>(other.Get(), IID_IKeyMapManager);
    CKeymapSink activeSink;
    CKeymapSink otherSink;
    CAdvise activeAdvise(activeKeymaps.Get(), IID__IKeyMapManagerEvents, &activeSink);
    CAdvise otherAdvise(otherKeymaps.Get(), IID__IKeyMapManagerEvents, &otherSink);
    ASSERT_TRUE(activeAdvise.Ok());
    ASSERT_TRUE(otherAdvise.Ok());
    CComPtr<IKeyMap> third;
    ASSERT_HRESULT_SUCCEEDED(activeKeymaps->Item(2, third.Receive()));
    ASSERT_HRESULT_SUCCEEDED(activeKeymaps->SetActive(third.Get()));
    ASSERT_TRUE(PumpUntil([&] { return !activeSink.received.empty(); }, 5000));
    EXPECT_TRUE(IsEqualGUID(IdOf(third.Get()), activeSink.received.front()));
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(otherSink.received.empty());
}

TEST_F(DeviceServiceContract, AnEventFiredByOneProcessReachesASecond)
{
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    HANDLE probe = StartEventProbe(GuidToString(IdOf(other.Get())).Str() + L" 10000");
    ASSERT_TRUE(probe);
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(other.Get()));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(probe, 15000));
    DWORD code = 99;
    GetExitCodeProcess(probe, &code);
    CloseHandle(probe);
    EXPECT_EQ(0u, code);
}

TEST_F(DeviceServiceContract, ALaunchRequestReachesTheApplicationManagersSinks)
{
    CComPtr<IApplicationManager> applications = Manager<IApplicationManager>(device.Get(), IID_IApplicationManager);
    CLaunchSink sink;
    CAdvise advise(applications.Get(), IID__IApplicationEvent, &sink);
    ASSERT_TRUE(advise.Ok());
    ASSERT_HRESULT_SUCCEEDED(control->FireLaunchApplication(1, L"C:\\Games\\game.exe"));
    ASSERT_TRUE(PumpUntil([&] { return !sink.received.empty(); }, 5000));
    EXPECT_EQ(1, sink.received.front().first);
    EXPECT_EQ(L"C:\\Games\\game.exe", sink.received.front().second);

    CComPtr<IApplication> application;
    ASSERT_HRESULT_SUCCEEDED(applications->Create(application.Receive()));
    EXPECT_HRESULT_SUCCEEDED(application->SetPath(L"C:\\Tools\\notes.exe"));
    GUID id{};
    EXPECT_HRESULT_SUCCEEDED(application->GetId(&id));
    EXPECT_FALSE(IsEqualGUID(GUID_NULL, id));
}

TEST_F(DeviceServiceContract, TheSinkOfAClientThatDiedIsDropped)
{
    HANDLE probe = StartEventProbe(GuidToString(GUID_NULL).Str() + L" 60000");
    ASSERT_TRUE(probe);
    TerminateProcess(probe, 3);
    WaitForSingleObject(probe, 5000);
    CloseHandle(probe);

    // No event has to reach it: the sink goes with its process.
    EXPECT_TRUE(LogSaysWithin(L"dropped the sink of a client that is gone", 15000));
}

TEST_F(DeviceServiceContract, ASinkThatDoesNotAnswerHoldsUpNoOtherAndIsDropped)
{
    CComPtr<IProfile> first = ActiveProfile();
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    // A second client that advises and then stops pumping: a call to its sink hangs.
    HANDLE probe = StartEventProbe(GuidToString(GUID_NULL).Str() + L" 60000 stall");
    ASSERT_TRUE(probe);
    CRecordingProfileSink sink;
    CAdvise advise(profiles.Get(), IID__IProfileManagerEvents, &sink);
    ASSERT_TRUE(advise.Ok());

    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(other.Get()));
    EXPECT_TRUE(PumpUntil([&] { return sink.received.size() == 1; }, 2000));
    EXPECT_TRUE(LogSaysWithin(L"dropped a sink that did not answer", 15000));
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(first.Get()));
    EXPECT_TRUE(PumpUntil([&] { return sink.received.size() == 2; }, 2000));
    TerminateProcess(probe, 3);
    WaitForSingleObject(probe, 5000);
    CloseHandle(probe);
}

TEST_F(DeviceServiceContract, EveryClientIsHandedTheOneObjectOfAnItem)
{
    CComPtr<IProfile> first;
    CComPtr<IProfile> again;
    ASSERT_HRESULT_SUCCEEDED(profiles->Item(0, first.Receive()));
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActive(again.Receive()));
    CComPtr<IUnknown> firstIdentity;
    CComPtr<IUnknown> againIdentity;
    ASSERT_HRESULT_SUCCEEDED(first.QueryInterface(IID_IUnknown, firstIdentity));
    ASSERT_HRESULT_SUCCEEDED(again.QueryInterface(IID_IUnknown, againIdentity));
    EXPECT_EQ(firstIdentity.Get(), againIdentity.Get());

    // Asking again and again makes no new objects; deleting the item lets its objects go.
    CComPtr<IProfile> other;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(other.Receive()));
    uint32_t words[4];
    GuidToWords(IdOf(other.Get()), words);
    const LONG before = DumpFigure(L" shared");
    for (int i = 0; i < 20; ++i) {
        CComPtr<IProfile> item;
        ASSERT_HRESULT_SUCCEEDED(profiles->GetById(words[0], words[1], words[2], words[3], item.Receive()));
        SubObject<IKeyMapManager>(item.Get(), IID_IKeyMapManager);
    }
    EXPECT_EQ(before + 1, DumpFigure(L" shared"));
    ASSERT_HRESULT_SUCCEEDED(profiles->Delete(other.Get()));
    EXPECT_EQ(before - 1, DumpFigure(L" shared"));
}

TEST_F(DeviceServiceContract, InjectedFailuresStartAfterTheGivenCalls)
{
    ASSERT_HRESULT_SUCCEEDED(control->FailMethod(L"IProfileManager::Create", E_OUTOFMEMORY, 1));
    CComPtr<IProfile> first;
    CComPtr<IProfile> second;
    EXPECT_HRESULT_SUCCEEDED(profiles->Create(first.Receive()));
    EXPECT_EQ(E_OUTOFMEMORY, profiles->Create(second.Receive()));
    ASSERT_HRESULT_SUCCEEDED(control->FailMethod(L"", S_OK, 0));
    EXPECT_HRESULT_SUCCEEDED(profiles->Create(second.Receive()));
    LPWSTR log = nullptr;
    ASSERT_HRESULT_SUCCEEDED(control->GetCallLog(&log));
    EXPECT_NE(std::wstring::npos, TakeText(log).find(L"IProfileManager::Create -> 0x8007000E"));
}

TEST_F(DeviceServiceContract, TheControlToolDumpShowsWhatWasCreated)
{
    CComPtr<IProfile> profile;
    ASSERT_HRESULT_SUCCEEDED(profiles->Create(profile.Receive()));
    ASSERT_HRESULT_SUCCEEDED(profile->SetName(L"Contract Profile"));
    CComPtr<IKeyMapManager> keymaps = SubObject<IKeyMapManager>(profile.Get(), IID_IKeyMapManager);
    CComPtr<IKeyMap> keymap;
    ASSERT_HRESULT_SUCCEEDED(keymaps->Item(2, keymap.Receive()));
    ASSERT_HRESULT_SUCCEEDED(keymap->SetName(L"Contract Keymap"));
    CComPtr<IMacroManager> macros = Manager<IMacroManager>(device.Get(), IID_IMacroManager);
    CComPtr<IMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->Create(macro.Receive()));
    ASSERT_HRESULT_SUCCEEDED(macro->SetName(L"Contract Macro"));

    const std::wstring dumpPath = TempPath(L"velmora-dump.txt");
    SECURITY_ATTRIBUTES inherit{ sizeof inherit, nullptr, TRUE };
    HANDLE output = CreateFileW(dumpPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, output);
    const DWORD code = RunProgram(L"\"" + ExeFolder() + L"..\\..\\DeviceService\\KavroDeviceControl.exe\" dump", 15000,
                                  output);
    CloseHandle(output);
    EXPECT_EQ(0u, code);
    const std::string dump = ReadBytes(dumpPath);
    EXPECT_NE(std::string::npos, dump.find("\"Contract Profile\""));
    EXPECT_NE(std::string::npos, dump.find("\"Contract Keymap\""));
    EXPECT_NE(std::string::npos, dump.find("\"Contract Macro\""));
    DeleteFileW(dumpPath.c_str());
}

}
