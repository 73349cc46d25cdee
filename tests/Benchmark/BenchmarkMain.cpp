// VelmoraBenchmark: the device layer's write and read, one service call, the first
// connection, the converter and the configuration program's start, each timed against its floor on the same machine in the
// same run (see the README). Not a test: it prints figures and fails on no time.
//   VelmoraBenchmark.exe [--runs N] [--start]     (--start: the program's start alone)
// It resets the device service's keypad. --child-connect is its own child process: it
// connects once and exits with the time that took in microseconds.
#include "BareCalls.h"
#include "ConverterFigure.h"
#include "Figures.h"
#include "FullStore.h"
#include "StartupFigure.h"
#include "FullFixture.h"
#include "WritePlan.h"

#include "CKeyDefTable.h"
#include "CKeypad.h"
#include "CVelmoraConfig.h"
#include "AppNames.h"
#include "GuidText.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace
{
constexpr double kWritePauseMs = 500;
constexpr int kSingleCalls = 200;
// The service's call log keeps its last 5000 lines: a full log may have lost the first.
constexpr size_t kServiceLogLines = 5000;
const FullStoreShape kShape = { 20, 100, 1000 };

std::vector<uint8_t> ReadBinary(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// The build's folder, three folders above this program.
std::wstring BuildFolder()
{
    std::wstring folder = ModulePath();
    for (int up = 0; up < 3; ++up)
        folder = folder.substr(0, folder.find_last_of(L'\\'));
    return folder;
}

// The build's App\bin folder, with the key data files.
std::wstring KeyDataFolder()
{
    return BuildFolder() + L"\\App\\bin\\";
}

std::wstring ConfigProgram()
{
    return BuildFolder() + L"\\App\\" + kConfigProgramFile;
}

std::wstring BareWindowProgram()
{
    std::wstring program = ModulePath();
    return program.substr(0, program.find_last_of(L'\\')) + L"\\BareWindow.exe";
}

const wchar_t kBareWindowClass[] = L"VELMORA_BENCHMARK_BARE_WINDOW";

bool LoadKeys(CKeyDefTable& table)
{
    const std::wstring folder = KeyDataFolder();
    const std::vector<uint8_t> keys = ReadBinary(folder + L"kbddef.dat");
    const std::vector<uint8_t> defaults = ReadBinary(folder + L"velmodef.dat");
    return table.Load(keys.data(), static_cast<int>(keys.size())) &&
           table.LoadDefaults(defaults.data(), static_cast<int>(defaults.size()));
}

std::wstring TakeText(LPWSTR text)
{
    std::wstring copy = text ? text : L"";
    CoTaskMemFree(text);
    return copy;
}

bool WaitIdle(CKeypad& keypad)
{
    while (keypad.IsBusy()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(1);
    }
    return keypad.GetLastSyncResult() == 1;
}

class Benchmark
{
public:
    bool Start()
    {
        return LoadKeys(m_keys) && SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_LOCAL_SERVER,
                                       IID_IDeviceServiceControl, reinterpret_cast<void**>(m_control.Receive())));
    }

    // A reset keypad holding the store's twenty profiles with their key maps, and the
    // store filled in full, its changes not yet written.
    bool Prepare()
    {
        m_keypad.reset();
        m_store = std::make_unique<CVelmoraConfig>(&m_keys);
        m_keypad = std::make_unique<CKeypad>(&m_keys);
        if (FAILED(m_control->Reset()) || !m_keypad->Initialize(m_store.get()) || !m_keypad->SyncConfig(m_store.get(), 1, 0xFFF))
            return false;
        AddFullStoreProfiles(*m_store, kShape);
        if (!m_keypad->SyncConfig(m_store.get(), 0, 0xFFF) || !WaitIdle(*m_keypad) || !m_keypad->FinishWrite(m_store.get()))
            return false;
        FillFullStore(*m_store, m_keys, m_keypad->GetKeymapKeyCodes(), m_keypad->GetKeymapButtons(), kShape);
        return true;
    }

    bool MeasureWrite(double& ms, CallCounts& calls, bool& atLeast)
    {
        if (!Prepare() || FAILED(m_control->ClearCallLog()))
            return false;
        const Stopwatch watch;
        if (!m_keypad->SyncConfig(m_store.get(), 0, 0xFFF) || !WaitIdle(*m_keypad))
            return false;
        ms = watch.Ms() - kWritePauseMs;
        return m_keypad->FinishWrite(m_store.get()) && LoggedCalls(calls, atLeast);
    }

    bool MeasureBareWrite(bool batched, double& ms, CallCounts& calls)
    {
        if (!Prepare())
            return false;
        const WritePlan plan = MakeWritePlan(*m_store, m_keys, m_keypad->GetKeymapKeyCodes(), m_keypad->GetKeymapButtons());
        CComPtr<IDevice> device;
        CallCounts connect;
        if (!BareConnect(device, connect))
            return false;
        calls.Clear();
        const Stopwatch watch;
        const bool written = batched ? BareWriteBatched(device.Get(), plan, calls) : BareWritePerRecord(device.Get(), plan, calls);
        ms = watch.Ms();
        return written;
    }

    // After a write of the device layer: the read of a fresh store through it.
    bool MeasureRead(double& ms, CallCounts& calls, bool& atLeast)
    {
        CVelmoraConfig reread(&m_keys);
        CKeypad keypad(&m_keys);
        if (!keypad.Initialize(&reread) || FAILED(m_control->ClearCallLog()))
            return false;
        const Stopwatch watch;
        const bool read = keypad.SyncConfig(&reread, 1, 0xFFF);
        ms = watch.Ms();
        return read && LoggedCalls(calls, atLeast);
    }

    bool MeasureBareRead(double& ms, CallCounts& calls)
    {
        CComPtr<IDevice> device;
        calls.Clear();
        const Stopwatch watch;
        const bool read = BareConnect(device, calls) && BareRead(device.Get(), m_keypad->GetKeymapButtons().size(), calls);
        ms = watch.Ms();
        return read;
    }

    // The mean time of one IDevice::GetInfo over many.
    bool MeasureSingleCall(double& ms)
    {
        CComPtr<IDevice> device;
        CallCounts calls;
        if (!BareConnect(device, calls))
            return false;
        const Stopwatch watch;
        for (int i = 0; i < kSingleCalls; ++i) {
            DeviceInfo info = {};
            if (FAILED(device->GetInfo(&info)))
                return false;
            CoTaskMemFree(info.name);
        }
        ms = watch.Ms() / kSingleCalls;
        return true;
    }

    // One operation of the device layer with its own connection (HasProfile: connect,
    // the profile manager, one look-up by id) and the same calls bare.
    bool MeasureOperation(double& ms, double& bareMs, CallCounts& calls)
    {
        IKeypadProfile* profile = m_store->GetProfile(0);
        GUID id = GUID_NULL;
        profile->GetGUID(&id);
        const Stopwatch layer;
        if (!m_keypad->HasProfile(profile))
            return false;
        ms = layer.Ms();
        calls.Clear();
        const Stopwatch bare;
        const bool found = BareLookUp(id, calls);
        bareMs = bare.Ms();
        return found;
    }

    // Connect, the profile manager, GetById, and everything let go again, as the device
    // layer's operation does.
    static bool BareLookUp(const GUID& id, CallCounts& calls)
    {
        CComPtr<IDevice> device;
        CComPtr<IProfileManager> profiles;
        CComPtr<IProfile> item;
        uint32_t w[4];
        GuidToWords(id, w);
        return BareConnect(device, calls) &&
               SUCCEEDED(calls(L"IDevice::GetManager",
                   device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(profiles.Receive())))) &&
               SUCCEEDED(calls(L"GetById", profiles->GetById(w[0], w[1], w[2], w[3], item.Receive())));
    }

    // The first connection of a fresh process, measured in a child process of its own.
    static bool MeasureFirstConnection(double& ms)
    {
        std::wstring command = L"\"" + ModulePath() + L"\" --child-connect";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        DWORD code = 0;
        const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
                           GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        ms = code / 1000.0;
        return ended && code != 0 && code != STILL_ACTIVE;
    }

    static bool MeasureWarmConnection(double& ms)
    {
        CComPtr<IDevice> device;
        CallCounts calls;
        const Stopwatch watch;
        const bool connected = BareConnect(device, calls);
        ms = watch.Ms();
        return connected;
    }

    // The configuration program's start on a reset keypad (its one default profile), as a
    // user first sees it, against a bare window's program; calls are the service calls the
    // program made until its window was painted.
    bool MeasureConfigStart(double& ms, double& bareMs, CallCounts& calls)
    {
        bool logged = false;
        bool atLeast = false;
        return SUCCEEDED(m_control->Reset()) && SUCCEEDED(m_control->ClearCallLog()) &&
               MeasureProgramStart(ConfigProgram(), kSingleInstanceClass, ms,
                   [&] { logged = LoggedCalls(calls, atLeast); }) &&
               logged && MeasureProgramStart(BareWindowProgram(), kBareWindowClass, bareMs);
    }

    // The old tree lies in a folder of its own for the whole run.
    bool MeasureConverterRun(ConverterTimes& times)
    {
        if (!m_tree) {
            m_tree = std::make_unique<ScratchFolder>();
            WriteLargeFixture(m_tree->Path(), 20, 50);
        }
        return MeasureConverter(KeyDataFolder().c_str(), m_tree->Path(), times);
    }

private:
    // The service's log holds the calls since it was cleared, up to its length.
    bool LoggedCalls(CallCounts& calls, bool& atLeast)
    {
        LPWSTR text = nullptr;
        if (FAILED(m_control->GetCallLog(&text)))
            return false;
        const std::wstring log = TakeText(text);
        calls = CountLoggedCalls(log);
        size_t lines = 0;
        for (wchar_t c : log)
            lines += c == L'\n' ? 1 : 0;
        atLeast = lines >= kServiceLogLines;
        return true;
    }

    CKeyDefTable m_keys;
    CComPtr<IDeviceServiceControl> m_control;
    std::unique_ptr<CVelmoraConfig> m_store;
    std::unique_ptr<CKeypad> m_keypad;
    std::unique_ptr<ScratchFolder> m_tree;
};

void PrintCallsByKind(const wchar_t* what, const CallCounts& calls)
{
    wprintf(L"\nRound trips of %ls: %d\n", what, calls.Total());
    for (const auto& entry : calls.ByKind())
        wprintf(L"  %-40ls %6d\n", entry.first.c_str(), entry.second);
}

int ChildConnect()
{
    const Stopwatch watch;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 0;
    int micros = 0;
    {
        CComPtr<IDevice> device;
        CallCounts calls;
        if (BareConnect(device, calls))
            micros = static_cast<int>(watch.Ms() * 1000);
    }
    CoUninitialize();
    return micros;
}

Figure MakeFigure(const wchar_t* what, const wchar_t* floorWhat = L"")
{
    Figure figure;
    figure.what = what;
    figure.floorWhat = floorWhat;
    return figure;
}

bool Fail(const wchar_t* what)
{
    fwprintf(stderr, L"VelmoraBenchmark: %ls failed\n", what);
    return false;
}

bool RunAll(int runs)
{
    Benchmark bench;
    if (!bench.Start())
        return Fail(L"loading the key data or reaching the device service");
    Figure write = MakeFigure(L"full write, device layer (pause taken off)", L"same calls bare, one per record");
    Figure batched = MakeFigure(L"full write, device layer (pause taken off)", L"batched floor: items held, a batch per key map");
    Figure read = MakeFigure(L"read-back, device layer", L"the same calls bare");
    Figure single = MakeFigure(L"one service call (IDevice::GetInfo), bare");
    Figure operation = MakeFigure(L"one device-layer operation with its connection (HasProfile)", L"the same calls bare");
    Figure first = MakeFigure(L"first connection of a fresh process", L"a connection once connected");
    Figure converter = MakeFigure(L"converter, 20 profiles and 50 macros", L"its INI reads and registry writes bare");
    Figure start = MakeFigure(L"configuration program to its painted main window", L"a bare Win32 window's program");
    CallCounts layerCalls, perRecordCalls, batchedCalls, readCalls, bareReadCalls, startCalls;
    for (int run = 1; run <= runs; ++run) {
        double ms = 0, floorMs = 0;
        bool atLeast = false;
        if (!bench.MeasureBareWrite(false, floorMs, perRecordCalls))
            return Fail(L"the bare write, one call per record");
        write.floorRuns.push_back(floorMs);
        if (!bench.MeasureBareWrite(true, floorMs, batchedCalls))
            return Fail(L"the batched bare write");
        batched.floorRuns.push_back(floorMs);
        if (!bench.MeasureWrite(ms, layerCalls, write.callsAtLeast))
            return Fail(L"the device layer's write");
        write.runs.push_back(ms);
        batched.runs.push_back(ms);
        if (!bench.MeasureRead(ms, readCalls, atLeast) || !bench.MeasureBareRead(floorMs, bareReadCalls))
            return Fail(L"the read");
        read.runs.push_back(ms);
        read.floorRuns.push_back(floorMs);
        read.callsAtLeast = atLeast;
        if (!bench.MeasureSingleCall(ms))
            return Fail(L"the single call");
        single.runs.push_back(ms);
        CallCounts operationCalls;
        if (!bench.MeasureOperation(ms, floorMs, operationCalls))
            return Fail(L"the device-layer operation");
        operation.runs.push_back(ms);
        operation.floorRuns.push_back(floorMs);
        operation.floorCalls = operationCalls.Total();
        if (!Benchmark::MeasureFirstConnection(ms) || !Benchmark::MeasureWarmConnection(floorMs))
            return Fail(L"the first connection");
        first.runs.push_back(ms);
        first.floorRuns.push_back(floorMs);
        ConverterTimes times;
        if (!bench.MeasureConverterRun(times))
            return Fail(L"the converter");
        converter.runs.push_back(times.converterMs);
        converter.floorRuns.push_back(times.bareMs);
        converter.floorCalls = times.iniReads + times.keys + times.values;
        if (!bench.MeasureConfigStart(ms, floorMs, startCalls))
            return Fail(L"the configuration program's start");
        start.runs.push_back(ms);
        start.floorRuns.push_back(floorMs);
        wprintf(L"run %d of %d: write %.0f ms (per-record floor %.0f ms, batched floor %.0f ms), read %.0f ms, "
                L"start %.0f ms (bare window %.0f ms)\n", run, runs, write.runs.back(), write.floorRuns.back(),
            batched.floorRuns.back(), read.runs.back(), start.runs.back(), start.floorRuns.back());
        fflush(stdout);
    }
    write.calls = batched.calls = layerCalls.Total();
    batched.callsAtLeast = write.callsAtLeast;
    write.floorCalls = perRecordCalls.Total();
    batched.floorCalls = batchedCalls.Total();
    read.calls = readCalls.Total();
    read.floorCalls = bareReadCalls.Total();
    single.calls = 1;
    first.calls = first.floorCalls = 3;
    start.calls = startCalls.Total();
    PrintFigures({ write, batched, read, single, operation, first, converter, start }, runs);
    wprintf(L"\nThe write's pause after its last call, by design: %.0f ms (taken off above).\n", kWritePauseMs);
    wprintf(L"The converter's floor: %d profile-string reads of the old tree, then its registry keys and values.\n",
        converter.floorCalls);
    PrintCallsByKind(L"the device layer's write (service call log; no QueryInterface there)", layerCalls);
    PrintCallsByKind(L"the bare write, one call per record", perRecordCalls);
    PrintCallsByKind(L"the batched floor", batchedCalls);
    PrintCallsByKind(L"the device layer's read (service call log)", readCalls);
    PrintCallsByKind(L"the bare read", bareReadCalls);
    PrintCallsByKind(L"the configuration program's start (service call log)", startCalls);
    return true;
}

// The configuration program's start alone, for work on it.
bool RunStart(int runs)
{
    Benchmark bench;
    if (!bench.Start())
        return Fail(L"loading the key data or reaching the device service");
    Figure start = MakeFigure(L"configuration program to its painted main window", L"a bare Win32 window's program");
    CallCounts startCalls;
    for (int run = 1; run <= runs; ++run) {
        double ms = 0, floorMs = 0;
        if (!bench.MeasureConfigStart(ms, floorMs, startCalls))
            return Fail(L"the configuration program's start");
        start.runs.push_back(ms);
        start.floorRuns.push_back(floorMs);
        wprintf(L"run %d of %d: start %.0f ms (bare window %.0f ms)\n", run, runs, ms, floorMs);
        fflush(stdout);
    }
    start.calls = startCalls.Total();
    PrintFigures({ start }, runs);
    PrintCallsByKind(L"the configuration program's start (service call log)", startCalls);
    return true;
}
}

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && wcscmp(argv[1], L"--child-connect") == 0)
        return ChildConnect();
    int runs = 5;
    bool startOnly = false;
    bool valid = true;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--start") == 0)
            startOnly = true;
        else if (wcscmp(argv[i], L"--runs") == 0 && i + 1 < argc)
            runs = _wtoi(argv[++i]);
        else
            valid = false;
    }
    if (runs < 1 || !valid) {
        fwprintf(stderr, L"usage: VelmoraBenchmark.exe [--runs N] [--start]\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const bool ok = startOnly ? RunStart(runs) : RunAll(runs);
    CoUninitialize();
    return ok ? 0 : 1;
}
