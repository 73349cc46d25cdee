// Classes in this file:
//   CKeypadModel - the one simulated keypad of the service process: its memory, the
//   event sinks of every client, the test controls and the call log.
#pragma once

#include "CComPtr.h"
#include "CEventDelivery.h"
#include "KeypadRecords.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

// Every COM object of the service is a thin view on this model: it keeps only ids and
// asks the model under its lock, so objects that outlive their item fail cleanly.
// Events go to the sinks through CEventDelivery, never inside the call that caused them.
// The model's own thread saves the memory shortly after a change and looks after the
// delivery's sinks.
class CKeypadModel
{
    struct FailRule
    {
        std::wstring method;
        HRESULT result;
        LONG after;
        LONG calls;
    };

    // Data members
    std::mutex m_lock;
    SimKeypad m_keypad;
    bool m_present = true;
    bool m_stopping = false;
    LONG m_delayMs = 0;
    std::vector<FailRule> m_rules;
    std::deque<std::wstring> m_log;
    std::wstring m_statePath;
    std::wstring m_stateReport;
    bool m_saveDisabled = false;
    bool m_dirty = false;
    std::chrono::steady_clock::time_point m_lastChange;
    CEventDelivery m_delivery;
    std::condition_variable m_wake;
    bool m_workerStop = false;
    std::thread m_worker;
    HANDLE m_shutdownEvent = nullptr;

public:
    static CKeypadModel& Instance();

    // Loads the memory (a file that does not read back is set aside and reported) and
    // starts the delivery thread; RequestShutdown signals shutdownEvent.
    void Start(const std::wstring& statePath, HANDLE shutdownEvent);
    // Stops delivery, saves what is pending and lets every sink go.
    void Stop();

    // Every interface method starts here: logs the call, waits the configured delay and
    // answers an injected failure, an unplugged keypad or a stopping service.
    HRESULT BeginCall(const wchar_t* method, bool needsKeypad = true);

    // Runs f on the memory under the lock; Modify marks it changed when f answers S_OK.
    // Running out of memory becomes E_OUTOFMEMORY: nothing may throw out of a COM call.
    template <class F>
    HRESULT Read(F f)
    {
        try {
            std::lock_guard<std::mutex> guard(m_lock);
            return f(m_keypad);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    template <class F>
    HRESULT Modify(F f)
    {
        try {
            std::lock_guard<std::mutex> guard(m_lock);
            const HRESULT hr = f(m_keypad);
            if (hr == S_OK)
                MarkChangedLocked();
            return hr;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    // Only inside Read or Modify: queue an event for the sinks of that kind and scope.
    void QueueEventLocked(SinkKind kind, const GUID& scope, const GUID& id);

    bool IsPresent();
    HRESULT Advise(SinkKind kind, const GUID& scope, IUnknown* sink, DWORD clientProcess, DWORD* cookie);
    HRESULT Unadvise(SinkKind kind, const GUID& scope, DWORD cookie);

    // Test controls.
    void SetPresent(bool present);
    HRESULT FailMethod(const wchar_t* method, HRESULT result, LONG afterCalls);
    void SetDelay(LONG milliseconds);
    void FireLaunchApplication(LONG type, const wchar_t* path);
    std::wstring DumpState();
    std::wstring CallLog();
    void ClearCallLog();
    void Reset();
    std::wstring StatePath();
    void RequestShutdown();

private:
    // Implementation
    CKeypadModel();
    void LoadState();
    void SaveNow();
    void MarkChangedLocked();
    void LogLocked(std::wstring line);
    void WorkerLoop();
};
