#include "CMutationRun.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

namespace
{
constexpr int kMaxFailures = 5;
// One input parses in well under a second even on a loaded machine; one that has not
// finished in this time has hung the parser.
constexpr auto kHangTime = std::chrono::seconds(30);
constexpr DWORD kHeapCorruption = 0xC0000374;
constexpr DWORD kStackBufferOverrun = 0xC0000409;

// What the fault handler and the watchdog report: the run and seed being parsed.
std::atomic<const char*> g_parser{ nullptr };
std::atomic<uint64_t> g_seed{ 0 };
std::atomic<uint64_t> g_inputsDone{ 0 };

void WriteError(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

void ReportCurrent(const char* what)
{
    char line[256];
    std::snprintf(line, sizeof line, "\n*** %s: %s at seed %llu (VELMORA_MUTATION_SEED=%llu VELMORA_MUTATIONS=1 repeats it)\n",
        g_parser.load() ? g_parser.load() : "?", what, static_cast<unsigned long long>(g_seed.load()),
        static_cast<unsigned long long>(g_seed.load()));
    WriteError(line);
}

bool IsCrash(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case kHeapCorruption:
    case kStackBufferOverrun:
        return true;
    default:
        return false;
    }
}

// Names the seed before a crash ends the process; the crash itself goes on as it would.
LONG CALLBACK ReportCrash(EXCEPTION_POINTERS* pointers)
{
    if (g_parser.load() && IsCrash(pointers->ExceptionRecord->ExceptionCode))
        ReportCurrent("crashed");
    return EXCEPTION_CONTINUE_SEARCH;
}

// Installed for one run: the crash report and a watchdog that ends the process when one
// input takes longer than kHangTime.
class CRunGuard
{
    PVOID m_handler;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_watchdog;

public:
    explicit CRunGuard(const char* parser) : m_handler(AddVectoredExceptionHandler(1, ReportCrash))
    {
        g_parser = parser;
        m_watchdog = std::thread([this] { Watch(); });
    }
    ~CRunGuard()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
        g_parser = nullptr;
        if (m_handler)
            RemoveVectoredExceptionHandler(m_handler);
    }
    CRunGuard(const CRunGuard&) = delete;
    CRunGuard& operator=(const CRunGuard&) = delete;

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        uint64_t seen = g_inputsDone.load();
        auto since = std::chrono::steady_clock::now();
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::seconds(1));
            const uint64_t done = g_inputsDone.load();
            const auto now = std::chrono::steady_clock::now();
            if (done != seen) {
                seen = done;
                since = now;
            } else if (!m_stop && now - since > kHangTime) {
                ReportCurrent("hung");
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }
};

uint64_t ReadSetting(const char* name, uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    return *end == '\0' ? value : fallback;
}
}

CMutationRun::CMutationRun(const char* parser, int count)
    : m_parser(parser)
    , m_count(static_cast<int>(ReadSetting("VELMORA_MUTATIONS", static_cast<uint64_t>(count))))
    , m_firstSeed(ReadSetting("VELMORA_MUTATION_SEED", 1))
{
}

void CMutationRun::AddToken(const char* text)
{
    m_tokens.emplace_back(text, text + std::strlen(text));
}

ByteString CMutationRun::MakeInput(uint64_t seed) const
{
    CMutator mutator(seed, m_tokens);
    const ByteString& sample = m_samples[mutator.Below(m_samples.size())];
    ByteString input = sample;
    // Edits can cancel out or find nothing to do; an input like its sample tests nothing.
    while (input == sample)
        mutator.Mutate(input);
    return input;
}

bool CMutationRun::RunOne(const Check& check, uint64_t seed)
{
    g_seed = seed;
    const ByteString input = MakeInput(seed);
    MutationResult result;
    try {
        result = check(input);
    } catch (const std::exception& error) {
        result = MutationResult::Fault(std::string("exception escaped: ") + error.what());
    } catch (...) {
        result = MutationResult::Fault("an exception of unknown type escaped");
    }
    ++g_inputsDone;
    if (result.verdict == MutationResult::Broken) {
        ADD_FAILURE() << m_parser << ": seed " << seed << " (" << input.size() << " bytes): " << result.why
                      << " (VELMORA_MUTATION_SEED=" << seed << " VELMORA_MUTATIONS=1 repeats it)";
        return false;
    }
    if (result.verdict == MutationResult::Accepted)
        ++m_accepted;
    ++m_survived;
    return true;
}

void CMutationRun::Run(const Check& check)
{
    ASSERT_FALSE(m_samples.empty()) << m_parser << ": no samples";
    CRunGuard guard(m_parser.c_str());
    int failures = 0;
    for (int i = 0; i < m_count && failures < kMaxFailures; ++i) {
        if (!RunOne(check, m_firstSeed + static_cast<uint64_t>(i)))
            ++failures;
    }
    std::printf("[ mutation ] %s: %d of %d mutations survived, %d of them accepted (seeds %llu to %llu)\n",
        m_parser.c_str(), m_survived, m_count, m_accepted, static_cast<unsigned long long>(m_firstSeed),
        static_cast<unsigned long long>(m_firstSeed + static_cast<uint64_t>(m_count) - 1));
    std::fflush(stdout);
}
