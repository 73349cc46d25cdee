// Classes in this file:
//   Stopwatch - milliseconds since it was made, from the performance counter.
//   Figure    - one measured figure of the benchmark with its floor: the time of each run,
//               and the round trips of one run where they are known.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Stopwatch
{
public:
    Stopwatch();
    double Ms() const;

private:
    LARGE_INTEGER m_frequency = {};
    LARGE_INTEGER m_start = {};
};

struct Figure
{
    std::wstring what;
    std::wstring floorWhat;
    std::vector<double> runs;
    std::vector<double> floorRuns;
    // -1 where not counted; calls above the service log's length are shown as at least.
    int calls = -1;
    bool callsAtLeast = false;
    int floorCalls = -1;
};

double Median(std::vector<double> values);

// A Markdown table: figure, median, floor, its median, ratio, round trips.
void PrintFigures(const std::vector<Figure>& figures, int runs);
