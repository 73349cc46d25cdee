#include "Figures.h"

#include <algorithm>
#include <cstdio>

Stopwatch::Stopwatch()
{
    QueryPerformanceFrequency(&m_frequency);
    QueryPerformanceCounter(&m_start);
}

double Stopwatch::Ms() const
{
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

namespace
{
std::wstring Milliseconds(double ms)
{
    wchar_t text[32];
    swprintf(text, 32, ms < 10 ? L"%.3f ms" : L"%.0f ms", ms);
    return text;
}

std::wstring Calls(int calls, bool atLeast)
{
    if (calls < 0)
        return L"-";
    return (atLeast ? L">= " : L"") + std::to_wstring(calls);
}
}

void PrintFigures(const std::vector<Figure>& figures, int runs)
{
    wprintf(L"\nMedians of %d runs.\n\n", runs);
    wprintf(L"| figure | median | floor | floor median | ratio | round trips (figure / floor) |\n");
    wprintf(L"|---|---|---|---|---|---|\n");
    for (const Figure& figure : figures) {
        const double median = Median(figure.runs);
        std::wstring floor = L"-";
        std::wstring ratio = L"-";
        if (!figure.floorRuns.empty()) {
            const double floorMedian = Median(figure.floorRuns);
            floor = Milliseconds(floorMedian);
            wchar_t text[32];
            swprintf(text, 32, L"%.2f", floorMedian > 0 ? median / floorMedian : 0.0);
            ratio = text;
        }
        wprintf(L"| %ls | %ls | %ls | %ls | %ls | %ls / %ls |\n", figure.what.c_str(), Milliseconds(median).c_str(),
            figure.floorWhat.empty() ? L"-" : figure.floorWhat.c_str(), floor.c_str(), ratio.c_str(),
            Calls(figure.calls, figure.callsAtLeast).c_str(), Calls(figure.floorCalls, false).c_str());
    }
    fflush(stdout);
}
