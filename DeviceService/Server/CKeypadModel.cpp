#include "CKeypadModel.h"

#include "CObjectCache.h"
#include "CUnknownImpl.h"
#include "KeypadDump.h"
#include "KeypadFiles.h"

#include <objbase.h>
#include <olectl.h>

#include <new>

namespace {

constexpr size_t kMaxLogLines = 5000;
// Changes are saved once the memory has been quiet this long, so a burst of calls (a
// whole configuration write) costs one save.
constexpr auto kSaveSettle = std::chrono::milliseconds(150);

// How long the service waits at shut-down for the couriers to let go of their sinks.
constexpr DWORD kCourierStopMs = 2000;

std::wstring HexResult(HRESULT hr)
{
    wchar_t text[16];
    wsprintfW(text, L"0x%08X", static_cast<unsigned>(hr));
    return text;
}

}

CKeypadModel& CKeypadModel::Instance()
{
    static CKeypadModel model;
    return model;
}

CKeypadModel::CKeypadModel()
    : m_delivery([this](const std::wstring& line) {
          std::lock_guard<std::mutex> guard(m_lock);
          LogLocked(line);
      })
{
}

void CKeypadModel::Start(const std::wstring& statePath, HANDLE shutdownEvent)
{
    m_statePath = statePath;
    m_shutdownEvent = shutdownEvent;
    LoadState();
    m_worker = std::thread([this] { WorkerLoop(); });
}

void CKeypadModel::Stop()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
        m_workerStop = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    SaveNow();
    m_delivery.Stop(kCourierStopMs);
}

void CKeypadModel::LoadState()
{
    std::vector<uint8_t> bytes;
    SimKeypad loaded;
    const DWORD attributes = GetFileAttributesW(m_statePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        m_keypad = MakeFactoryKeypad();
        m_stateReport = L"new keypad memory in " + m_statePath;
        m_dirty = true;
    } else if (ReadWholeFile(m_statePath, bytes) && DecodeKeypad(bytes, loaded)) {
        m_keypad = std::move(loaded);
        // Capture mode does not outlive the service, as it does not outlive a replug.
        m_keypad.mode = 1;
        m_stateReport = L"keypad memory read from " + m_statePath;
    } else {
        // Keep the unreadable file for whoever wants to look at it; start afresh beside it.
        SYSTEMTIME now{};
        GetSystemTime(&now);
        wchar_t stamp[32];
        wsprintfW(stamp, L".%04u%02u%02u-%02u%02u%02u-%u.bad", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond, GetCurrentProcessId());
        const std::wstring aside = m_statePath + stamp;
        m_keypad = MakeFactoryKeypad();
        if (MoveFileExW(m_statePath.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
            m_stateReport = L"keypad memory in " + m_statePath + L" did not read back; set aside as " + aside;
            m_dirty = true;
        } else {
            m_stateReport = L"keypad memory in " + m_statePath +
                            L" did not read back and could not be set aside; changes are not saved";
            m_saveDisabled = true;
        }
    }
    m_lastChange = std::chrono::steady_clock::now() - kSaveSettle;
    LogLocked(L"state: " + m_stateReport);
    OutputDebugStringW((L"KavroDeviceService: " + m_stateReport + L"\n").c_str());
}

void CKeypadModel::SaveNow()
{
    std::vector<uint8_t> bytes;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_dirty || m_saveDisabled)
            return;
        bytes = EncodeKeypad(m_keypad);
        m_dirty = false;
    }
    if (!WriteFileAtomically(m_statePath, bytes)) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_dirty = true;
        LogLocked(L"state: could not save " + m_statePath);
    }
}

void CKeypadModel::MarkChangedLocked()
{
    m_dirty = true;
    m_lastChange = std::chrono::steady_clock::now();
    m_wake.notify_all();
}

void CKeypadModel::LogLocked(std::wstring line)
{
    if (m_log.size() == kMaxLogLines)
        m_log.pop_front();
    try {
        m_log.push_back(std::move(line));
    } catch (const std::bad_alloc&) {
        // The log is for reading later; a line it cannot keep is not worth failing a call.
    }
}

HRESULT CKeypadModel::BeginCall(const wchar_t* method, bool needsKeypad)
{
    HRESULT result = S_OK;
    LONG delay = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stopping)
            result = CO_E_SERVER_STOPPING;
        for (FailRule& rule : m_rules) {
            if (SUCCEEDED(result) && rule.method == method && ++rule.calls > rule.after)
                result = rule.result;
        }
        if (SUCCEEDED(result) && needsKeypad && !m_present)
            result = kNotConnected;
        LogLocked(FAILED(result) ? std::wstring(method) + L" -> " + HexResult(result) : std::wstring(method));
        delay = m_delayMs;
    }
    if (delay > 0)
        Sleep(static_cast<DWORD>(delay));
    return result;
}

void CKeypadModel::QueueEventLocked(SinkKind kind, const GUID& scope, const GUID& id)
{
    m_delivery.Post(ServiceEvent{ kind, scope, id, 0, std::wstring() });
}

bool CKeypadModel::IsPresent()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_present;
}

HRESULT CKeypadModel::Advise(SinkKind kind, const GUID& scope, IUnknown* sink, DWORD clientProcess, DWORD* cookie)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stopping)
            return CO_E_SERVER_STOPPING;
    }
    return m_delivery.Advise(kind, scope, sink, clientProcess, cookie);
}

HRESULT CKeypadModel::Unadvise(SinkKind kind, const GUID& scope, DWORD cookie)
{
    return m_delivery.Unadvise(kind, scope, cookie);
}

void CKeypadModel::WorkerLoop()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_workerStop) {
        m_wake.wait_for(lock, kSaveSettle, [this] { return m_workerStop; });
        if (m_workerStop)
            break;
        const bool save = m_dirty && std::chrono::steady_clock::now() - m_lastChange >= kSaveSettle;
        lock.unlock();
        if (save)
            SaveNow();
        m_delivery.Supervise();
        lock.lock();
    }
}

void CKeypadModel::SetPresent(bool present)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_present = present;
    LogLocked(present ? L"control: keypad plugged in" : L"control: keypad unplugged");
}

HRESULT CKeypadModel::FailMethod(const wchar_t* method, HRESULT result, LONG afterCalls)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!method || !*method) {
        m_rules.clear();
        return S_OK;
    }
    if (SUCCEEDED(result) || afterCalls < 0)
        return E_INVALIDARG;
    for (FailRule& rule : m_rules) {
        if (rule.method == method) {
            rule = FailRule{ method, result, afterCalls, 0 };
            return S_OK;
        }
    }
    m_rules.push_back(FailRule{ method, result, afterCalls, 0 });
    return S_OK;
}

void CKeypadModel::SetDelay(LONG milliseconds)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_delayMs = milliseconds > 0 ? milliseconds : 0;
}

void CKeypadModel::FireLaunchApplication(LONG type, const wchar_t* path)
{
    m_delivery.Post(ServiceEvent{ SinkKind::Application, GUID{}, GUID{}, type, path ? path : L"" });
}

std::wstring CKeypadModel::DumpState()
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::wstring text = L"service: keypad " + std::wstring(m_present ? L"present" : L"absent");
    text += L", delay " + std::to_wstring(m_delayMs) + L" ms, " + std::to_wstring(m_delivery.SinkCount()) +
            L" sinks, " + std::to_wstring(CEventDelivery::CourierCount()) + L" couriers, " +
            std::to_wstring(g_liveObjects.load()) + L" objects, " + std::to_wstring(CObjectCache::Instance().Count()) +
            L" shared\r\n";
    for (const FailRule& rule : m_rules) {
        text += L"fail: " + rule.method + L" -> " + HexResult(rule.result) + L" after " +
                std::to_wstring(rule.after) + L" calls (" + std::to_wstring(rule.calls) + L" so far)\r\n";
    }
    text += L"state: " + m_stateReport + L"\r\n";
    return text + DumpKeypad(m_keypad);
}

std::wstring CKeypadModel::CallLog()
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::wstring text;
    for (const std::wstring& line : m_log)
        text += line + L"\r\n";
    return text;
}

void CKeypadModel::ClearCallLog()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_log.clear();
}

void CKeypadModel::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_keypad = MakeFactoryKeypad();
    m_present = true;
    m_delayMs = 0;
    m_rules.clear();
    m_log.clear();
    MarkChangedLocked();
}

std::wstring CKeypadModel::StatePath()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_statePath;
}

void CKeypadModel::RequestShutdown()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
    }
    SaveNow();
    SetEvent(m_shutdownEvent);
}
