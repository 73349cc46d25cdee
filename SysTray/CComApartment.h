// Classes in this file:
//   CComApartment - COM initialised on the calling thread for the object's life; balanced
//                   only when the initialisation succeeded (S_FALSE included).
#pragma once

#include <objbase.h>

class CComApartment
{
    // Data members
    HRESULT m_result;

public:
    explicit CComApartment(DWORD model) : m_result(CoInitializeEx(nullptr, model)) {}
    ~CComApartment()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    // Attributes
    bool IsInitialised() const { return SUCCEEDED(m_result); }
};
