// Classes in this file:
//   CEventDelivery - hands the service's events to the sinks of every client, each sink
//   on a courier thread of its own, and lets go of sinks that are gone or do not answer.
#pragma once

#include "CComPtr.h"
#include "DeviceService.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

enum class SinkKind { Profile, Keymap, Application };

struct ServiceEvent
{
    SinkKind kind;
    GUID scope;         // the profile of a key-map event; null for the others
    GUID id;            // the profile or key map that became active
    LONG type;          // of a launch request
    std::wstring path;  // of a launch request
};

// Nothing here calls a client while it holds a lock or while it serves a client's call:
// Advise and Unadvise only take or hand over the sink, Post only queues. Each sink's
// courier makes the calls to that sink alone, so a client that stops pumping or hangs
// holds up nobody else. A call that takes longer than the call limit drops its sink, as
// does a call that fails because the client is gone; and a sink goes when the process
// that advised it ends, so the sinks of clients that died without unadvising go even
// when no event would ever reach them.
class CEventDelivery
{
public:
    // What a courier last saw of its sink; shared between it and the list.
    struct Courier;

    using LogFunction = std::function<void(const std::wstring&)>;

    // log receives a line for every sink that is let go, never under this object's lock.
    explicit CEventDelivery(LogFunction log);
    CEventDelivery(const CEventDelivery&) = delete;
    CEventDelivery& operator=(const CEventDelivery&) = delete;
    ~CEventDelivery();

    // sink is the event interface itself; clientProcess the id of the process that
    // advises it, 0 when not known.
    HRESULT Advise(SinkKind kind, const GUID& scope, IUnknown* sink, DWORD clientProcess, DWORD* cookie);
    HRESULT Unadvise(SinkKind kind, const GUID& scope, DWORD cookie);
    // Queues event for every sink of its kind and scope.
    void Post(const ServiceEvent& event);
    // Drops the sinks whose call has taken too long, and reports those let go. Called
    // regularly by the service's own thread.
    void Supervise();
    size_t SinkCount();
    // Courier threads alive, those still stuck in a call to a sink that went included.
    static LONG CourierCount();
    // No more advising; every courier is told to end and is given up to waitMs to do so.
    // A courier still inside a call to a client that does not answer is left to end by
    // itself: it only ever touches its own state.
    void Stop(DWORD waitMs);

private:
    // Data members
    std::mutex m_lock;
    std::vector<std::shared_ptr<Courier>> m_couriers;
    DWORD m_nextCookie = 1;
    bool m_stopped = false;
    LogFunction m_log;

    // Implementation
    void Close(const std::shared_ptr<Courier>& courier, HRESULT why);
};
