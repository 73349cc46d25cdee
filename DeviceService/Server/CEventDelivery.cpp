#include "CEventDelivery.h"

#include <objbase.h>
#include <olectl.h>

#include <atomic>
#include <new>
#include <thread>

namespace {

// A sink call that takes longer than this drops the sink: its client has stopped answering.
constexpr DWORD kCallLimitMs = 5000;
// A sink without events is looked after this often: when its client has ended, it goes.
constexpr auto kIdleCheck = std::chrono::milliseconds(4000);
// Events a sink may have waiting; beyond that the oldest go (only the latest state counts).
constexpr size_t kMaxPending = 256;

bool IsDeadClient(HRESULT hr)
{
    const int code = HRESULT_CODE(hr);
    return HRESULT_FACILITY(hr) == FACILITY_RPC || hr == CO_E_OBJNOTCONNECTED ||
           (HRESULT_FACILITY(hr) == FACILITY_WIN32 && code >= RPC_S_INVALID_STRING_BINDING && code < 2000);
}

// Courier threads alive, those still inside a call to a sink that went included.
std::atomic<LONG> g_couriers{ 0 };

std::wstring HexResult(HRESULT hr)
{
    wchar_t text[16];
    wsprintfW(text, L"0x%08X", static_cast<unsigned>(hr));
    return text;
}

}

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

struct CEventDelivery::Courier
{
    DWORD cookie = 0;
    std::unique_ptr<void, HandleCloser> client;   // the advising process, when known
    SinkKind kind = SinkKind::Profile;
    GUID scope{};
    std::mutex lock;
    std::condition_variable wake;
    std::deque<ServiceEvent> pending;
    bool closed = false;
    HRESULT why = S_OK;   // why it closed: S_OK when unadvised or stopped
    bool inCall = false;
    DWORD callStart = 0;
    bool finished = false;

    static void Run(std::shared_ptr<Courier> courier, CComPtr<IUnknown> sink);

private:
    HRESULT Call(IUnknown* sink, const ServiceEvent& event);
};

void CEventDelivery::Courier::Run(std::shared_ptr<Courier> courier, CComPtr<IUnknown> sink)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::unique_lock<std::mutex> guard(courier->lock);
    while (SUCCEEDED(com) && !courier->closed) {
        const bool woken = courier->wake.wait_for(guard, kIdleCheck,
                                                  [&] { return courier->closed || !courier->pending.empty(); });
        if (courier->closed)
            break;
        if (!woken) {
            if (courier->client && WaitForSingleObject(courier->client.get(), 0) == WAIT_OBJECT_0) {
                courier->closed = true;
                courier->why = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
            }
            continue;
        }
        ServiceEvent event = std::move(courier->pending.front());
        courier->pending.pop_front();
        courier->inCall = true;
        courier->callStart = GetTickCount();
        guard.unlock();
        const HRESULT hr = courier->Call(sink.Get(), event);
        guard.lock();
        courier->inCall = false;
        if (IsDeadClient(hr) && !courier->closed) {
            courier->closed = true;
            courier->why = hr;
        }
    }
    guard.unlock();
    // Letting go of the sink is a call to its client too: made here, on no one else's time.
    sink.Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    guard.lock();
    courier->finished = true;
    --g_couriers;
}

HRESULT CEventDelivery::Courier::Call(IUnknown* sink, const ServiceEvent& event)
{
    switch (kind) {
    case SinkKind::Profile:
        return static_cast<_IProfileManagerEvents*>(sink)->OnActiveProfileChanged(&event.id);
    case SinkKind::Keymap:
        return static_cast<_IKeyMapManagerEvents*>(sink)->OnActiveKeyMapChanged(&event.id);
    case SinkKind::Application:
        return static_cast<_IApplicationEvent*>(sink)->OnLaunchApplication(event.type, event.path.c_str());
    }
    return E_UNEXPECTED;
}

CEventDelivery::CEventDelivery(LogFunction log) : m_log(std::move(log)) {}

CEventDelivery::~CEventDelivery()
{
    Stop(0);
}

HRESULT CEventDelivery::Advise(SinkKind kind, const GUID& scope, IUnknown* sink, DWORD clientProcess, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    try {
        auto courier = std::make_shared<Courier>();
        courier->kind = kind;
        courier->scope = scope;
        if (clientProcess)
            courier->client.reset(OpenProcess(SYNCHRONIZE, FALSE, clientProcess));
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stopped)
            return CO_E_SERVER_STOPPING;
        courier->cookie = m_nextCookie;
        m_couriers.push_back(courier);
        ++g_couriers;
        try {
            std::thread(&Courier::Run, courier, CComPtr<IUnknown>(sink)).detach();
        } catch (const std::system_error&) {
            --g_couriers;
            m_couriers.pop_back();
            return E_OUTOFMEMORY;
        }
        *cookie = m_nextCookie++;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CEventDelivery::Unadvise(SinkKind kind, const GUID& scope, DWORD cookie)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_couriers.begin(); it != m_couriers.end(); ++it) {
        const std::shared_ptr<Courier>& courier = *it;
        if (courier->cookie == cookie && courier->kind == kind && IsEqualGUID(courier->scope, scope)) {
            Close(courier, S_OK);
            m_couriers.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void CEventDelivery::Post(const ServiceEvent& event)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (const std::shared_ptr<Courier>& courier : m_couriers) {
        if (courier->kind != event.kind || !IsEqualGUID(courier->scope, event.scope))
            continue;
        std::lock_guard<std::mutex> courierGuard(courier->lock);
        if (courier->closed)
            continue;
        if (courier->pending.size() >= kMaxPending)
            courier->pending.pop_front();
        try {
            courier->pending.push_back(event);
        } catch (const std::bad_alloc&) {
            continue;
        }
        courier->wake.notify_one();
    }
}

void CEventDelivery::Supervise()
{
    std::vector<HRESULT> dropped;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        for (auto it = m_couriers.begin(); it != m_couriers.end();) {
            Courier& courier = **it;
            std::unique_lock<std::mutex> courierGuard(courier.lock);
            if (!courier.closed && courier.inCall && GetTickCount() - courier.callStart > kCallLimitMs) {
                courier.closed = true;
                courier.why = RPC_E_TIMEOUT;
                courier.wake.notify_one();
            }
            if (!courier.closed) {
                ++it;
                continue;
            }
            try {
                dropped.push_back(courier.why);
            } catch (const std::bad_alloc&) {
                // The line is for the log only; the sink goes all the same.
            }
            courierGuard.unlock();
            it = m_couriers.erase(it);
        }
    }
    for (HRESULT why : dropped) {
        m_log(why == RPC_E_TIMEOUT
                  ? L"event: dropped a sink that did not answer within " + std::to_wstring(kCallLimitMs / 1000) + L" s"
                  : L"event: dropped the sink of a client that is gone (" + HexResult(why) + L")");
    }
}

size_t CEventDelivery::SinkCount()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_couriers.size();
}

LONG CEventDelivery::CourierCount()
{
    return g_couriers;
}

void CEventDelivery::Stop(DWORD waitMs)
{
    std::vector<std::shared_ptr<Courier>> couriers;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopped = true;
        couriers.swap(m_couriers);
    }
    for (const std::shared_ptr<Courier>& courier : couriers)
        Close(courier, S_OK);
    const DWORD start = GetTickCount();
    for (const std::shared_ptr<Courier>& courier : couriers) {
        for (;;) {
            {
                std::lock_guard<std::mutex> guard(courier->lock);
                if (courier->finished)
                    break;
            }
            if (GetTickCount() - start >= waitMs)
                return;
            Sleep(10);
        }
    }
}

void CEventDelivery::Close(const std::shared_ptr<Courier>& courier, HRESULT why)
{
    std::lock_guard<std::mutex> guard(courier->lock);
    if (!courier->closed) {
        courier->closed = true;
        courier->why = why;
    }
    courier->wake.notify_one();
}
