#include "StressClient.h"

#include "CComPtr.h"
#include "DeviceService.h"
#include "GuidText.h"

#include <objbase.h>
#include <ocidl.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t kMaxHeld = 48;
constexpr DWORD kPropertyApplication = 0x80000002;
constexpr DWORD kPropertyFlags = 0x80000003;

LONG g_localCalls = 0;

void Count()
{
    ++g_localCalls;
    if (LONG* tally = CallTally())
        InterlockedIncrement(tally);
}

bool TimeLeft(DWORD deadline)
{
    return LONG(deadline - GetTickCount()) > 0;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// A sink for all three event kinds. Some events make a call back into the service from
// inside the event, as a page refreshing itself does.
class CStressSink : public _IProfileManagerEvents, public _IKeyMapManagerEvents, public _IApplicationEvent
{
    std::atomic<LONG> m_refs{ 1 };
    std::atomic<LONG> m_events{ 0 };

public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IProfileManagerEvents))
            *out = static_cast<_IProfileManagerEvents*>(this);
        else if (IsEqualIID(iid, IID__IKeyMapManagerEvents))
            *out = static_cast<_IKeyMapManagerEvents*>(this);
        else if (IsEqualIID(iid, IID__IApplicationEvent))
            *out = static_cast<_IApplicationEvent*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
    STDMETHODIMP OnActiveProfileChanged(const GUID*) override { return Arrived(); }
    STDMETHODIMP OnActiveKeyMapChanged(const GUID*) override { return Arrived(); }
    STDMETHODIMP OnLaunchApplication(LONG, LPCWSTR) override { return Arrived(); }

private:
    virtual ~CStressSink() = default;

    HRESULT Arrived()
    {
        if (++m_events % 3 == 0) {
            CComPtr<IDeviceList> list;
            if (SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                           reinterpret_cast<void**>(list.Receive())))) {
                CComPtr<IDevice> device;
                list->Item(0, device.Receive());
                Count();
            }
        }
        return S_OK;
    }
};

// One advised sink; unadvised when it goes, unless the process dies first.
struct Connection
{
    CComPtr<IConnectionPoint> point;
    DWORD cookie = 0;

    ~Connection()
    {
        if (point && cookie)
            point->Unadvise(cookie);
    }
};

class CWorkload
{
    std::mt19937 m_random;
    std::vector<CComPtr<IUnknown>> m_held;
    std::vector<Connection*> m_connections;
    const ClientOptions& m_options;

public:
    CWorkload(unsigned seed, const ClientOptions& options) : m_random(seed), m_options(options) {}
    CWorkload(const CWorkload&) = delete;
    CWorkload& operator=(const CWorkload&) = delete;
    ~CWorkload()
    {
        for (Connection* connection : m_connections)
            delete connection;
    }

    void Step()
    {
        CComPtr<IDevice> device = Connect();
        if (!device)
            return;
        switch (Pick(12)) {
        case 0: Identity(device.Get()); break;
        case 1: WalkProfiles(device.Get()); break;
        case 2: WalkKeymaps(device.Get()); break;
        case 3: RewriteAssignments(device.Get()); break;
        case 4: Activate(device.Get()); break;
        case 5: CreateAndDeleteProfile(device.Get()); break;
        case 6: Macros(device.Get()); break;
        case 7: Applications(device.Get()); break;
        case 8: Leds(device.Get()); break;
        case 9: Advise(device.Get()); break;
        case 10: Unadvise(); break;
        default: ExportAndImport(device.Get()); break;
        }
        LetGo();
        Die(400);
    }

    // Advises one sink of every kind and causes an event, for a client that then stalls.
    void AdviseEverything()
    {
        CComPtr<IDevice> device = Connect();
        if (!device)
            return;
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device.Get(), IID_IProfileManager);
        CComPtr<IApplicationManager> applications =
            ManagerOf<IApplicationManager>(device.Get(), IID_IApplicationManager);
        AdviseOn(profiles.Get(), IID__IProfileManagerEvents);
        AdviseOn(applications.Get(), IID__IApplicationEvent);
        if (CComPtr<IKeyMapManager> keymaps = ActiveKeymaps(profiles.Get()))
            AdviseOn(keymaps.Get(), IID__IKeyMapManagerEvents);
        Activate(device.Get());
    }

private:
    unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(m_random); }
    bool OneIn(unsigned n) { return Pick(n) == 0; }

    void Hold(IUnknown* object)
    {
        if (object && m_held.size() < kMaxHeld && OneIn(3))
            m_held.emplace_back(object);
    }

    void LetGo()
    {
        while (!m_held.empty() && OneIn(2)) {
            const size_t index = Pick(unsigned(m_held.size()));
            m_held.erase(m_held.begin() + ptrdiff_t(index));
        }
    }

    void Die(unsigned oneIn) { MaybeDie(m_options, oneIn, unsigned(m_random())); }

    CComPtr<IDevice> Connect()
    {
        CComPtr<IDeviceList> list;
        Count();
        if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                    reinterpret_cast<void**>(list.Receive()))))
            return CComPtr<IDevice>();
        CComPtr<IDevice> device;
        Count();
        if (FAILED(list->Item(0, device.Receive())))
            return CComPtr<IDevice>();
        Hold(list.Get());
        return device;
    }

    template <class T>
    CComPtr<T> ManagerOf(IDevice* device, REFIID iid)
    {
        CComPtr<T> manager;
        Count();
        device->GetManager(iid, reinterpret_cast<IUnknown**>(manager.Receive()));
        Hold(manager.Get());
        return manager;
    }

    template <class T, class Item>
    CComPtr<T> SubObjectOf(Item* item, REFIID iid)
    {
        CComPtr<T> object;
        Count();
        if (item)
            item->GetSubObject(iid, reinterpret_cast<IUnknown**>(object.Receive()));
        Hold(object.Get());
        return object;
    }

    template <class Item, class Manager>
    CComPtr<Item> ItemOf(Manager* manager, LONG index)
    {
        CComPtr<Item> item;
        Count();
        if (manager)
            manager->Item(index, item.Receive());
        Hold(item.Get());
        return item;
    }

    template <class Item>
    void ReadName(Item* item)
    {
        LPWSTR name = nullptr;
        Count();
        if (item && SUCCEEDED(item->GetName(&name)))
            CoTaskMemFree(name);
    }

    CComPtr<IKeyMapManager> ActiveKeymaps(IProfileManager* profiles)
    {
        CComPtr<IProfile> active;
        Count();
        if (!profiles || FAILED(profiles->GetActive(active.Receive())))
            return CComPtr<IKeyMapManager>();
        return SubObjectOf<IKeyMapManager>(active.Get(), IID_IKeyMapManager);
    }

    void Identity(IDevice* device)
    {
        DeviceInfo info{};
        Count();
        if (SUCCEEDED(device->GetInfo(&info)))
            CoTaskMemFree(info.name);
        CComPtr<IDeviceIdentity> identity = ManagerOf<IDeviceIdentity>(device, IID_IDeviceIdentity);
        LONG vendor = 0;
        LONG product = 0;
        Count();
        if (identity)
            identity->GetIds(&vendor, &product);
        CComPtr<IDeviceMode> mode = ManagerOf<IDeviceMode>(device, IID_IDeviceMode);
        Count();
        if (mode)
            mode->SetMode(1);
        CComPtr<IDeviceStatus> status = ManagerOf<IDeviceStatus>(device, IID_IDeviceStatus);
        BYTE flag = 0;
        Count();
        if (status)
            status->GetStatusFlag(&flag);
    }

    void WalkProfiles(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        if (!profiles)
            return;
        for (LONG i = 0; i < 24; ++i) {
            CComPtr<IProfile> profile = ItemOf<IProfile>(profiles.Get(), i);
            if (!profile)
                break;
            ReadName(profile.Get());
            GUID id{};
            Count();
            if (FAILED(profile->GetId(&id)))
                continue;
            uint32_t words[4];
            GuidToWords(id, words);
            CComPtr<IProfile> again;
            Count();
            profiles->GetById(words[0], words[1], words[2], words[3], again.Receive());
            CComPtr<IProfileProperties> properties =
                SubObjectOf<IProfileProperties>(profile.Get(), IID_IProfileProperties);
            BYTE buffer[256];
            DWORD stored = 0;
            Count();
            if (properties)
                properties->GetProperty(OneIn(2) ? kPropertyApplication : kPropertyFlags, buffer, 0, sizeof buffer,
                                        &stored);
        }
    }

    void WalkKeymaps(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        CComPtr<IKeyMapManager> keymaps = ActiveKeymaps(profiles.Get());
        if (!keymaps)
            return;
        for (LONG i = 0; i < 8; ++i) {
            CComPtr<IKeyMap> keymap = ItemOf<IKeyMap>(keymaps.Get(), i);
            if (!keymap)
                break;
            ReadName(keymap.Get());
            CComPtr<IKeyAssignments> keys = SubObjectOf<IKeyAssignments>(keymap.Get(), IID_IKeyAssignments);
            LONG count = 0;
            Count();
            if (keys && SUCCEEDED(keys->GetCount(&count)) && count > 0 && count < 256) {
                std::vector<ServiceAssignment> records(static_cast<size_t>(count));
                Count();
                keys->GetAll(count, records.data());
            }
            CComPtr<IButtonAssignments> buttons =
                SubObjectOf<IButtonAssignments>(keymap.Get(), IID_IButtonAssignments);
            ServiceAssignment records[3]{};
            AvailableButtons available{};
            Count();
            if (buttons && SUCCEEDED(buttons->GetAll(3, records))) {
                Count();
                buttons->GetAvailable(&available);
            }
        }
    }

    // Writes back what a key map holds, so the keypad stays as it is.
    void RewriteAssignments(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        CComPtr<IKeyMapManager> keymaps = ActiveKeymaps(profiles.Get());
        CComPtr<IKeyMap> keymap = ItemOf<IKeyMap>(keymaps.Get(), LONG(Pick(8)));
        CComPtr<IKeyAssignments> keys = SubObjectOf<IKeyAssignments>(keymap.Get(), IID_IKeyAssignments);
        LONG count = 0;
        Count();
        if (keys && SUCCEEDED(keys->GetCount(&count)) && count > 0 && count < 256) {
            std::vector<ServiceAssignment> records(static_cast<size_t>(count));
            Count();
            if (SUCCEEDED(keys->GetAll(count, records.data()))) {
                Count();
                keys->SetAssignments(count, records.data());
            }
        }
        CComPtr<IButtonAssignments> buttons = SubObjectOf<IButtonAssignments>(keymap.Get(), IID_IButtonAssignments);
        ServiceAssignment records[3]{};
        Count();
        if (buttons && SUCCEEDED(buttons->GetAll(3, records))) {
            Count();
            buttons->SetAssignment(3, records);
        }
        CComPtr<IProfile> active;
        Count();
        if (profiles && SUCCEEDED(profiles->GetActive(active.Receive()))) {
            LPWSTR name = nullptr;
            Count();
            if (SUCCEEDED(active->GetName(&name))) {
                Count();
                active->SetName(name);
                CoTaskMemFree(name);
            }
        }
    }

    // Changes the active profile or key map: every advised client hears of it.
    void Activate(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        if (!profiles)
            return;
        if (OneIn(2)) {
            CComPtr<IProfile> profile = ItemOf<IProfile>(profiles.Get(), LONG(Pick(3)));
            Count();
            if (profile)
                profiles->SetActive(profile.Get());
        } else {
            CComPtr<IKeyMapManager> keymaps = ActiveKeymaps(profiles.Get());
            CComPtr<IKeyMap> keymap = ItemOf<IKeyMap>(keymaps.Get(), LONG(Pick(8)));
            Count();
            if (keymap)
                keymaps->SetActive(keymap.Get());
        }
        Die(20);
    }

    void CreateAndDeleteProfile(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        if (!profiles)
            return;
        CComPtr<IProfile> created;
        Count();
        if (SUCCEEDED(profiles->Create(created.Receive()))) {
            Count();
            created->SetName(L"Stress");
            Die(50);
            Count();
            profiles->Delete(created.Get());
        }
        // Profiles that clients which died left behind go again, past the first three.
        CComPtr<IProfile> extra = ItemOf<IProfile>(profiles.Get(), LONG(3 + Pick(17)));
        Count();
        if (extra)
            profiles->Delete(extra.Get());
    }

    void Macros(IDevice* device)
    {
        CComPtr<IMacroManager> macros = ManagerOf<IMacroManager>(device, IID_IMacroManager);
        if (!macros)
            return;
        CComPtr<IMacro> macro;
        Count();
        if (SUCCEEDED(macros->Create(macro.Receive()))) {
            const DWORD data[] = { 0, 2, 1, 0x1E, 0, 0x1E };
            Count();
            macro->SetData(sizeof data, reinterpret_cast<const BYTE*>(data));
            DWORD size = 0;
            BYTE* read = nullptr;
            Count();
            if (SUCCEEDED(macro->GetData(&size, &read)))
                CoTaskMemFree(read);
            ReadName(macro.Get());
            Die(50);
            Count();
            macros->Delete(macro.Get());
        }
        CComPtr<IMacro> first = ItemOf<IMacro>(macros.Get(), 0);
        Count();
        if (first && OneIn(2))
            macros->Delete(first.Get());
    }

    // The keypad keeps every application made (there is no delete), so this is rare.
    void Applications(IDevice* device)
    {
        if (!OneIn(20))
            return;
        CComPtr<IApplicationManager> applications = ManagerOf<IApplicationManager>(device, IID_IApplicationManager);
        CComPtr<IApplication> application;
        Count();
        if (applications && SUCCEEDED(applications->Create(application.Receive()))) {
            Count();
            application->SetPath(L"C:\\Games\\stress.exe");
            Hold(application.Get());
        }
    }

    // Reads one setting of an LED and writes it back unchanged.
    template <class Setting, class Value>
    void Rewrite(const CComPtr<ILed>& led, REFIID iid)
    {
        CComPtr<Setting> setting;
        Count();
        if (FAILED(led.QueryInterface(iid, setting)))
            return;
        Value value = 0;
        Count();
        if (SUCCEEDED(setting->Get(&value))) {
            Count();
            setting->Set(value);
        }
    }

    void Leds(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        CComPtr<IProfile> active;
        Count();
        if (!profiles || FAILED(profiles->GetActive(active.Receive())))
            return;
        CComPtr<ILedManager> leds = SubObjectOf<ILedManager>(active.Get(), IID_ILedManager);
        CComPtr<ILed> led = ItemOf<ILed>(leds.Get(), LONG(Pick(11)));
        if (!led)
            return;
        LONG state = 0;
        LONG id = 0;
        Count();
        led->GetState(&state);
        Count();
        led->GetLedId(&id);
        Rewrite<ILedColour, DWORD>(led, IID_ILedColour);
        Rewrite<ILedBrightness, LONG>(led, IID_ILedBrightness);
        CComPtr<ILedEffect> effect;
        Count();
        if (SUCCEEDED(led.QueryInterface(IID_ILedEffect, effect))) {
            LONG kind = 0;
            LONG onMs = 0;
            LONG offMs = 0;
            Count();
            if (SUCCEEDED(effect->Get(&kind, &onMs, &offMs))) {
                Count();
                effect->Set(kind, onMs, offMs);
            }
        }
        Count();
        if (state)
            led->TurnOn();
        else
            led->TurnOff();
    }

    void AdviseOn(IUnknown* source, REFIID iid)
    {
        if (!source)
            return;
        CComPtr<IConnectionPointContainer> container;
        Count();
        if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))))
            return;
        auto* connection = new Connection();
        Count();
        if (FAILED(container->FindConnectionPoint(iid, connection->point.Receive()))) {
            delete connection;
            return;
        }
        auto* sink = new CStressSink();
        Count();
        if (FAILED(connection->point->Advise(static_cast<_IProfileManagerEvents*>(sink), &connection->cookie)))
            connection->cookie = 0;
        sink->Release();
        m_connections.push_back(connection);
    }

    void Advise(IDevice* device)
    {
        if (m_connections.size() >= 12)
            return Unadvise();
        switch (Pick(3)) {
        case 0:
            AdviseOn(ManagerOf<IProfileManager>(device, IID_IProfileManager).Get(), IID__IProfileManagerEvents);
            break;
        case 1:
            AdviseOn(ActiveKeymaps(ManagerOf<IProfileManager>(device, IID_IProfileManager).Get()).Get(),
                     IID__IKeyMapManagerEvents);
            break;
        default:
            AdviseOn(ManagerOf<IApplicationManager>(device, IID_IApplicationManager).Get(), IID__IApplicationEvent);
            break;
        }
    }

    void Unadvise()
    {
        if (m_connections.empty())
            return;
        const size_t index = Pick(unsigned(m_connections.size()));
        Count();
        delete m_connections[index];
        m_connections.erase(m_connections.begin() + ptrdiff_t(index));
    }

    void ExportAndImport(IDevice* device)
    {
        CComPtr<IProfileManager> profiles = ManagerOf<IProfileManager>(device, IID_IProfileManager);
        CComPtr<IProfile> profile = ItemOf<IProfile>(profiles.Get(), 0);
        if (!profile)
            return;
        wchar_t folder[MAX_PATH];
        if (!GetTempPathW(MAX_PATH, folder))
            return;
        const std::wstring path = std::wstring(folder) + L"velmora-stress-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(GetCurrentThreadId()) + L".kvp";
        Count();
        if (SUCCEEDED(profile->ExportToFile(path.c_str()))) {
            CComPtr<IProfile> imported;
            Count();
            if (SUCCEEDED(profiles->ImportFromFile(path.c_str(), imported.Receive()))) {
                Count();
                profiles->Delete(imported.Get());
            }
        }
        DeleteFileW(path.c_str());
    }
};

// The second thread of a busy client: a worker in the free-threaded apartment, as the
// configuration program's write worker is.
void RunWorker(const ClientOptions& options, DWORD deadline, std::atomic<bool>& stop)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return;
    {
        CWorkload workload(options.seed * 7919u + 1u, options);
        while (!stop && TimeLeft(deadline))
            workload.Step();
    }
    CoUninitialize();
}

// One thread of a churner: again and again a profile, its LED manager and one LED, a
// call on the LED, and all of them let go, while the other threads do the same. Objects
// of one interface come and go while calls on that interface are under way.
void RunChurnThread(const ClientOptions& options, DWORD deadline, unsigned seed)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return;
    {
        std::mt19937 random(seed);
        CComPtr<IDeviceList> list;
        CComPtr<IDevice> device;
        CComPtr<IProfileManager> profiles;
        if (SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                       reinterpret_cast<void**>(list.Receive()))) &&
            SUCCEEDED(list->Item(0, device.Receive())) &&
            SUCCEEDED(device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(profiles.Receive())))) {
            while (TimeLeft(deadline)) {
                CComPtr<IProfile> profile;
                CComPtr<ILedManager> leds;
                CComPtr<ILed> led;
                LONG on = 0;
                if (SUCCEEDED(profiles->Item(LONG(random() % 2), profile.Receive())) &&
                    SUCCEEDED(profile->GetSubObject(IID_ILedManager, reinterpret_cast<IUnknown**>(leds.Receive()))) &&
                    SUCCEEDED(leds->Item(LONG(random() % 11), led.Receive())))
                    led->GetState(&on);
                if (CallTally())
                    InterlockedAdd(CallTally(), 4);
                MaybeDie(options, 4000, unsigned(random()));
            }
        }
    }
    CoUninitialize();
}

void RunChurner(const ClientOptions& options, DWORD deadline)
{
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < 4; ++i)
        threads.emplace_back(RunChurnThread, std::cref(options), deadline, options.seed * 31u + i);
    for (std::thread& thread : threads)
        thread.join();
}

}

LONG* CallTally()
{
    static LONG* tally = [] {
        HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG),
                                            L"Local\\VelmoraServiceStressCalls");
        if (!mapping)
            return static_cast<LONG*>(nullptr);
        // The mapping lives as long as the process: every client adds to it until it ends.
        return static_cast<LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    }();
    return tally;
}

void MaybeDie(const ClientOptions& options, unsigned oneIn, unsigned draw)
{
    if (options.mayDie && draw % oneIn == 0)
        TerminateProcess(GetCurrentProcess(), 9);
}

int RunStressClient(const ClientOptions& options)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const DWORD deadline = GetTickCount() + options.seconds * 1000;
    if (options.kind == ClientKind::Stalled) {
        CWorkload workload(options.seed, options);
        workload.AdviseEverything();
        // Never pumps again: every event for this client waits until the process is ended.
        Sleep(options.seconds * 1000);
        TerminateProcess(GetCurrentProcess(), 0);
    }
    if (options.kind == ClientKind::Churner) {
        RunChurner(options, deadline);
        CoUninitialize();
        return 0;
    }
    std::atomic<bool> stop{ false };
    std::thread worker(RunWorker, std::cref(options), deadline, std::ref(stop));
    if (options.kind == ClientKind::Writer) {
        RunStressWriter(options);
    } else {
        CWorkload workload(options.seed, options);
        while (TimeLeft(deadline)) {
            workload.Step();
            PumpMessages();
        }
    }
    stop = true;
    worker.join();
    CoUninitialize();
    return 0;
}
