// Classes in this file:
//   CallCounts - the round trips a bare run made, by kind ("IKeyAssignments::SetAssignments",
//                "QueryInterface").
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CallCounts
{
public:
    // Counts one call of kind and passes its result on.
    HRESULT operator()(const wchar_t* kind, HRESULT result)
    {
        ++m_counts[kind];
        return result;
    }

    int Total() const;
    const std::map<std::wstring, int>& ByKind() const { return m_counts; }
    void Clear() { m_counts.clear(); }

private:
    std::map<std::wstring, int> m_counts;
};

// The calls a service call log holds, by method ("Interface::Method" lines).
CallCounts CountLoggedCalls(const std::wstring& log);
