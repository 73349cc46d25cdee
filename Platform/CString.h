// Classes in this file:
//   CString - a UTF-16 text value with the operations the configuration suite uses.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CString
{
    // Data members
    std::wstring m_text;

public:
    CString() = default;
    CString(const wchar_t* text);
    CString(const wchar_t* text, int length);
    CString(wchar_t ch, int repeat = 1);
    explicit CString(const std::wstring& text);

    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t ch);

    // Attributes
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    // Throws std::out_of_range for an index outside the text.
    wchar_t GetAt(int index) const;
    wchar_t operator[](int index) const { return GetAt(index); }
    void SetAt(int index, wchar_t ch);

    // Operations
    void Empty() { m_text.clear(); }

    CString& operator+=(const CString& text);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    // Ordinal comparison; CompareNoCase folds case over the whole of Unicode.
    int Compare(const wchar_t* text) const;
    int CompareNoCase(const wchar_t* text) const;

    // Counts and positions outside the text are clamped, as callers rely on.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Positions are zero-based; -1 means not found.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    CString& Trim();
    CString& Trim(wchar_t target);
    CString& Trim(const wchar_t* targets);
    CString& TrimLeft();
    CString& TrimLeft(const wchar_t* targets);
    CString& TrimRight();
    CString& TrimRight(const wchar_t* targets);

    CString& MakeUpper();
    CString& MakeLower();

    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);

    // Wide formats follow the Windows meaning: %s takes a wide string.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);

    // A writable buffer of at least minLength characters; ReleaseBuffer fixes the length
    // (-1: up to the first zero).
    wchar_t* GetBuffer(int minLength);
    wchar_t* GetBuffer() { return GetBuffer(GetLength()); }
    void ReleaseBuffer(int newLength = -1);

private:
    // Implementation
    CString& TrimLeftOf(const wchar_t* targets);
    CString& TrimRightOf(const wchar_t* targets);
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const wchar_t* b);
bool operator==(const wchar_t* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const wchar_t* b);
bool operator!=(const wchar_t* a, const CString& b);
bool operator<(const CString& a, const CString& b);

// Formats into a new string with the Windows meaning of the format (see CString::Format).
CString FormatString(const wchar_t* format, ...);
