#include "CallCounts.h"

#include <sstream>

int CallCounts::Total() const
{
    int total = 0;
    for (const auto& entry : m_counts)
        total += entry.second;
    return total;
}

CallCounts CountLoggedCalls(const std::wstring& log)
{
    CallCounts counts;
    std::wistringstream lines(log);
    std::wstring line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        const size_t method = line.find(L"::");
        if (method == std::wstring::npos || line.find(L' ') < method)
            continue;
        // A failed call is logged as "Interface::Method -> 0x80004005".
        counts(line.substr(0, line.find(L' ')).c_str(), S_OK);
    }
    return counts;
}
