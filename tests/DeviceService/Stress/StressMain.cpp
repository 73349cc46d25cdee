// DeviceServiceStress [--seconds S] [--clients N] [--writers W] [--churners C] [--seed X]:
// many client processes use the shared device service at once for S seconds (30 by
// default, 8 clients, W = 2 of them writing whole configurations again and again, C = 1
// getting and letting go of short-lived objects from several threads): they connect and
// release, call every kind of method, advise and unadvise sinks, cause events that reach the
// other processes, stall without pumping, kill themselves or are killed while they hold
// references or while an event is on its way to them. Meanwhile this process checks that
// the service answers every call and delivers events in good time; afterwards, that its
// threads, sinks, objects and memory came back to what they were.
// Exit code: 0 pass, 2 the service stopped answering, 3 events stopped arriving, 4 the
// service did not give back what the clients used, 1 the run could not be set up.
#include "CComPtr.h"
#include "DeviceService.h"
#include "ServerFigures.h"
#include "StressClient.h"

#include <objbase.h>
#include <ocidl.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// A call that takes this long means the service no longer answers.
constexpr DWORD kWedgeMs = 20000;
// An event later than this means delivery is held up by someone else's sink.
constexpr DWORD kEventLateMs = 10000;
// What the service may keep beyond its figures before the run, once every client is gone.
constexpr LONG kThreadSlack = 6;
constexpr double kCommitSlackMb = 24.0;
constexpr LONG kObjectSlack = 64;

struct Options
{
    DWORD seconds = 30;
    int clients = 8;
    int writers = 2;    // of the clients at a time, how many write whole configurations
    int churners = 1;   // and how many churn short-lived objects from several threads
    unsigned seed = 1;
};

struct Child
{
    HANDLE process = nullptr;
    bool stalled = false;
    bool writer = false;
    bool churner = false;
    DWORD killAt = 0;   // tick count at which the parent ends it, 0 never
};

DWORD Since(DWORD start) { return GetTickCount() - start; }

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

void Print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
    fflush(stdout);
}

// Calls the service again and again from its own thread; a call that never comes back is
// what a wedged service looks like to every program.
class CLivenessProbe
{
    std::atomic<DWORD> m_callStart{ 0 };
    std::atomic<bool> m_inCall{ false };
    std::atomic<DWORD> m_slowest{ 0 };
    std::atomic<bool> m_stop{ false };
    std::atomic<bool> m_finished{ false };
    std::thread m_thread;

public:
    CLivenessProbe() : m_thread([this] { Run(); }) {}
    ~CLivenessProbe()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    void Stop() { m_stop = true; }
    bool Finished() const { return m_finished; }

    // How long the call under way has been waiting, 0 when none is.
    DWORD Waiting() const { return m_inCall ? Since(m_callStart) : 0; }
    DWORD Slowest() const { return m_slowest; }
    // A wedged probe thread never comes back; the process ends without it.
    void Abandon() { m_thread.detach(); }

private:
    void Run()
    {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
            return;
        while (!m_stop) {
            m_callStart = GetTickCount();
            m_inCall = true;
            Call();
            m_inCall = false;
            const DWORD took = Since(m_callStart);
            if (took > m_slowest)
                m_slowest = took;
            Sleep(200);
        }
        CoUninitialize();
        m_finished = true;
    }

    static void Call()
    {
        CComPtr<IDeviceList> list;
        if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                    reinterpret_cast<void**>(list.Receive()))))
            return;
        CComPtr<IDevice> device;
        if (FAILED(list->Item(0, device.Receive())))
            return;
        DeviceInfo info{};
        if (SUCCEEDED(device->GetInfo(&info)))
            CoTaskMemFree(info.name);
    }
};

// A sink of this process that notes which profile it last heard of.
class CProbeSink : public _IProfileManagerEvents
{
    LONG m_refs = 1;

public:
    GUID last{};
    LONG count = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IProfileManagerEvents)) {
            *out = static_cast<_IProfileManagerEvents*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }
    STDMETHODIMP OnActiveProfileChanged(const GUID* profileId) override
    {
        if (profileId)
            last = *profileId;
        ++count;
        return S_OK;
    }
};

// Changes the active profile once a second from its own thread (a single-threaded
// apartment that pumps, as a program's window thread) and times the event's arrival.
class CEventProbe
{
    std::atomic<DWORD> m_slowest{ 0 };
    std::atomic<LONG> m_probes{ 0 };
    std::atomic<LONG> m_late{ 0 };
    std::atomic<bool> m_ready{ false };
    std::atomic<bool> m_failed{ false };
    std::atomic<bool> m_stop{ false };
    std::atomic<bool> m_finished{ false };
    std::thread m_thread;

public:
    CEventProbe() : m_thread([this] { Run(); }) {}
    ~CEventProbe()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    void Stop() { m_stop = true; }
    bool Finished() const { return m_finished; }

    bool WaitReady() const
    {
        const DWORD start = GetTickCount();
        while (!m_ready && !m_failed && Since(start) < kWedgeMs)
            Sleep(20);
        return m_ready;
    }
    DWORD Slowest() const { return m_slowest; }
    LONG Probes() const { return m_probes; }
    LONG Late() const { return m_late; }
    void Abandon() { m_thread.detach(); }

private:
    static void Pump(DWORD ms)
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

    void Run()
    {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            m_failed = true;
            m_finished = true;
            return;
        }
        Probe();
        CoUninitialize();
        m_finished = true;
    }

    void Probe()
    {
        CComPtr<IDeviceList> list;
        CComPtr<IDevice> device;
        CComPtr<IProfileManager> profiles;
        CComPtr<IConnectionPointContainer> container;
        CComPtr<IConnectionPoint> point;
        if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                    reinterpret_cast<void**>(list.Receive()))) ||
            FAILED(list->Item(0, device.Receive())) ||
            FAILED(device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(profiles.Receive()))) ||
            FAILED(profiles.QueryInterface(IID_IConnectionPointContainer, container)) ||
            FAILED(container->FindConnectionPoint(IID__IProfileManagerEvents, point.Receive()))) {
            m_failed = true;
            return;
        }
        CProbeSink sink;
        DWORD cookie = 0;
        if (FAILED(point->Advise(&sink, &cookie))) {
            m_failed = true;
            return;
        }
        m_ready = true;
        for (LONG round = 0; !m_stop; ++round) {
            CComPtr<IProfile> profile;
            GUID id{};
            if (FAILED(profiles->Item(round % 2, profile.Receive())) || FAILED(profile->GetId(&id)) ||
                FAILED(profiles->SetActive(profile.Get()))) {
                Pump(200);
                continue;
            }
            const DWORD start = GetTickCount();
            while (!IsEqualGUID(sink.last, id) && Since(start) < kEventLateMs * 3 && !m_stop)
                Pump(20);
            const DWORD took = Since(start);
            ++m_probes;
            if (took > m_slowest)
                m_slowest = took;
            if (took > kEventLateMs)
                ++m_late;
            const DWORD rest = GetTickCount();
            while (Since(rest) < 800 && !m_stop)
                Pump(50);
        }
        point->Unadvise(cookie);
    }
};

class CStressRun
{
    Options m_options;
    std::mt19937 m_random;
    std::wstring m_program;
    std::vector<Child> m_children;
    LONG m_started = 0;
    LONG m_killed = 0;
    LONG m_stalled = 0;

public:
    explicit CStressRun(const Options& options) : m_options(options), m_random(options.seed) {}

    int Run()
    {
        m_program = ProgramPath();
        CComPtr<IDeviceServiceControl> control = FreshService();
        if (m_program.empty() || !control || FAILED(control->Reset())) {
            Print("stress: cannot reach the device service\n");
            return 1;
        }
        CServerFigures server;
        if (!server.Open()) {
            Print("stress: cannot find the service's process\n");
            return 1;
        }
        CEventProbe events;
        if (!events.WaitReady()) {
            Print("stress: cannot advise the probe's sink\n");
            return 1;
        }
        Sleep(1500);
        const ServerFigures before = server.Read(control.Get());
        CLivenessProbe liveness;
        LONG peakThreads = before.threads;

        const DWORD start = GetTickCount();
        while (Since(start) < m_options.seconds * 1000) {
            // The first half runs calm clients only: nobody dies or stalls, so nothing a dead
            // client keeps holds the service's interfaces up.
            Tend(Since(start) >= m_options.seconds * 500);
            if (liveness.Waiting() > kWedgeMs)
                return Wedged(server, liveness, events, Since(start));
            const ServerFigures now = server.ReadProcess();
            if (now.threads > peakThreads)
                peakThreads = now.threads;
            Sleep(100);
        }
        EndChildren();
        // The sinks of the clients go with their processes. The probes stop, so that the
        // service falls quiet: Wine keeps a thread for every call of a burst until it has
        // been idle a few seconds, and a steady trickle of calls keeps them all.
        liveness.Stop();
        events.Stop();
        const DWORD quiet = GetTickCount();
        while (!liveness.Finished() || !events.Finished()) {
            if (Since(quiet) > kWedgeMs)
                return Wedged(server, liveness, events, Since(start));
            Sleep(50);
        }
        ServerFigures after{};
        const DWORD settle = GetTickCount();
        do {
            Sleep(2000);
            after = server.Read(control.Get());
        } while (!Settled(before, after) && Since(settle) < 30000);

        const LONG calls = CallTally() ? *CallTally() : 0;
        Print("stress: %lu s, %d clients at a time, %ld started (%ld killed, %ld stalled), %ld calls\n",
              static_cast<unsigned long>(m_options.seconds), m_options.clients, m_started, m_killed, m_stalled, calls);
        Print("stress: slowest probe call %.1f s; events: %ld probes, slowest %.1f s, %ld later than %.0f s\n",
              liveness.Slowest() / 1000.0, events.Probes(), events.Slowest() / 1000.0, events.Late(),
              kEventLateMs / 1000.0);
        Print("stress: service threads %ld -> %ld (peak %ld), committed %.1f -> %.1f MB, sinks %ld -> %ld, "
              "couriers %ld -> %ld, objects %ld -> %ld (shared %ld -> %ld)\n",
              before.threads, after.threads, peakThreads, before.committedMb, after.committedMb, before.sinks,
              after.sinks, before.couriers, after.couriers, before.objects, after.objects, before.shared, after.shared);
        if (events.Late() > 0) {
            Print("stress: FAIL: events were held up\n");
            return 3;
        }
        if (!Settled(before, after)) {
            Print("stress: FAIL: the service kept what its clients used\n");
            return 4;
        }
        Print("stress: PASS\n");
        return 0;
    }

private:
    unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(m_random); }

    static bool Settled(const ServerFigures& before, const ServerFigures& after)
    {
        // Objects the service shares are bounded by what the keypad holds; the others are
        // what clients hold alone, and what dead clients kept of items since deleted.
        return after.sinks <= before.sinks && after.threads <= before.threads + kThreadSlack &&
               after.committedMb <= before.committedMb + kCommitSlackMb &&
               (before.objects < 0 || after.objects - after.shared <= before.objects - before.shared + kObjectSlack);
    }

    // A service process of its own for this run, started afresh: what earlier clients left
    // in the running one does not count.
    static CComPtr<IDeviceServiceControl> FreshService()
    {
        CComPtr<IDeviceServiceControl> control;
        HRESULT hr = CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceServiceControl,
                                      reinterpret_cast<void**>(control.Receive()));
        if (FAILED(hr)) {
            CServerFigures running;
            Print("stress: the running service does not answer (0x%08lX); %s\n", static_cast<unsigned long>(hr),
                  running.Open() ? "its process is there" : "no service process runs");
            return control;
        }
        DWORD processId = 0;
        hr = control->Shutdown(&processId);
        if (FAILED(hr)) {
            Print("stress: the running service does not shut down (0x%08lX)\n", static_cast<unsigned long>(hr));
            return CComPtr<IDeviceServiceControl>();
        }
        control.Release();
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId)) {
            if (WaitForSingleObject(process, kWedgeMs) != WAIT_OBJECT_0)
                Print("stress: the running service did not end\n");
            CloseHandle(process);
        }
        hr = CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceServiceControl,
                              reinterpret_cast<void**>(control.Receive()));
        if (FAILED(hr))
            Print("stress: a new service does not start (0x%08lX)\n", static_cast<unsigned long>(hr));
        return control;
    }

    bool Spawn(bool chaos)
    {
        const bool writer = Count(&Child::writer) < m_options.writers;
        const bool churner = !writer && Count(&Child::churner) < m_options.churners;
        const bool stalled = !writer && !churner && chaos && Pick(6) == 0;
        const DWORD lifetime = stalled ? 2 + Pick(7) : 4 + Pick(16);
        std::wstring line = L"\"" + m_program + L"\" --client " +
                            (stalled ? L"stalled " : writer ? L"writer " : churner ? L"churner " : L"busy ") + std::to_wstring(m_random()) +
                            L" " + std::to_wstring(lifetime) + (chaos ? L" 1" : L" 0");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        Child child;
        child.process = process.hProcess;
        child.stalled = stalled;
        child.writer = writer;
        child.churner = churner;
        // A busy client is sometimes ended from outside, at a moment it does not choose.
        if (chaos && !stalled && Pick(3) == 0)
            child.killAt = GetTickCount() + 500 + Pick(lifetime * 1000);
        m_children.push_back(child);
        ++m_started;
        if (stalled)
            ++m_stalled;
        return true;
    }

    int Count(bool Child::*kind) const
    {
        int count = 0;
        for (const Child& child : m_children)
            count += child.*kind ? 1 : 0;
        return count;
    }

    // Reaps the clients that ended, kills those whose time has come, keeps the number up.
    void Tend(bool chaos)
    {
        for (size_t i = 0; i < m_children.size();) {
            Child& child = m_children[i];
            if (child.killAt && LONG(GetTickCount() - child.killAt) >= 0) {
                TerminateProcess(child.process, 9);
                child.killAt = 0;
                ++m_killed;
            }
            if (WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0) {
                CloseHandle(child.process);
                m_children.erase(m_children.begin() + ptrdiff_t(i));
                continue;
            }
            ++i;
        }
        while (int(m_children.size()) < m_options.clients && Spawn(chaos)) {
        }
    }

    void EndChildren()
    {
        for (Child& child : m_children) {
            TerminateProcess(child.process, 9);
            WaitForSingleObject(child.process, 10000);
            CloseHandle(child.process);
        }
        m_children.clear();
    }

    int Wedged(CServerFigures& server, CLivenessProbe& liveness, CEventProbe& events, DWORD after)
    {
        const ServerFigures now = server.ReadProcess();
        Print("stress: FAIL: the service stopped answering after %.1f s (a call has waited %.1f s); "
              "it has %ld threads; %ld clients started, %ld killed, %ld stalled\n",
              after / 1000.0, liveness.Waiting() / 1000.0, now.threads, m_started, m_killed, m_stalled);
        EndChildren();
        liveness.Abandon();
        events.Abandon();
        // Threads wait inside calls that never return: end without unwinding them.
        TerminateProcess(GetCurrentProcess(), 2);
        return 2;
    }
};

bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = wcstol(argv[i + 1], nullptr, 10);
        if (value < 0)
            return false;
        if (wcscmp(argv[i], L"--seconds") == 0)
            options.seconds = DWORD(value);
        else if (wcscmp(argv[i], L"--clients") == 0)
            options.clients = int(value);
        else if (wcscmp(argv[i], L"--writers") == 0)
            options.writers = int(value);
        else if (wcscmp(argv[i], L"--churners") == 0)
            options.churners = int(value);
        else if (wcscmp(argv[i], L"--seed") == 0)
            options.seed = unsigned(value);
        else
            return false;
    }
    return argc % 2 == 1 && options.seconds > 0 && options.clients > 0 && options.writers + options.churners <= options.clients;
}

}

int wmain(int argc, wchar_t** argv)
{
    if (argc == 6 && wcscmp(argv[1], L"--client") == 0) {
        ClientOptions client;
        client.kind = wcscmp(argv[2], L"stalled") == 0   ? ClientKind::Stalled
                      : wcscmp(argv[2], L"writer") == 0  ? ClientKind::Writer
                      : wcscmp(argv[2], L"churner") == 0 ? ClientKind::Churner
                                                          : ClientKind::Busy;
        client.seed = unsigned(wcstoul(argv[3], nullptr, 10));
        client.seconds = DWORD(wcstoul(argv[4], nullptr, 10));
        client.mayDie = wcscmp(argv[5], L"1") == 0;
        return RunStressClient(client);
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        Print("usage: DeviceServiceStress [--seconds S] [--clients N] [--writers W] [--churners C] [--seed X]\n");
        return 1;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 1;
    CallTally();
    int rc = 0;
    {
        CStressRun run(options);
        rc = run.Run();
    }
    CoUninitialize();
    return rc;
}
