#include "CString.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <vector>

namespace
{
const wchar_t kWhitespace[] = L" \t\r\n\v\f";

int ClampTo(int value, int low, int high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}
}

CString::CString(const wchar_t* text)
    : m_text(text ? text : L"")
{
}

CString::CString(const wchar_t* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const std::wstring& text)
    : m_text(text)
{
}

CString& CString::operator=(const wchar_t* text)
{
    m_text = text ? text : L"";
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_text.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        throw std::out_of_range("CString index out of range");
    return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, wchar_t ch)
{
    if (index < 0 || index >= GetLength())
        throw std::out_of_range("CString index out of range");
    m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const wchar_t* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_text += ch;
    return *this;
}

int CString::Compare(const wchar_t* text) const
{
    int result = m_text.compare(text ? text : L"");
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* text) const
{
    const wchar_t* other = text ? text : L"";
    int result = CompareStringOrdinal(m_text.c_str(), GetLength(), other, static_cast<int>(wcslen(other)), TRUE);
    if (result == CSTR_LESS_THAN)
        return -1;
    return result == CSTR_GREATER_THAN ? 1 : 0;
}

CString CString::Left(int count) const
{
    count = ClampTo(count, 0, GetLength());
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = ClampTo(first, 0, GetLength());
    count = ClampTo(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    count = ClampTo(count, 0, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - count)));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString& CString::TrimLeftOf(const wchar_t* targets)
{
    size_t first = m_text.find_first_not_of(targets ? targets : L"");
    m_text.erase(0, first == std::wstring::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRightOf(const wchar_t* targets)
{
    size_t last = m_text.find_last_not_of(targets ? targets : L"");
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::Trim()
{
    return TrimRightOf(kWhitespace).TrimLeftOf(kWhitespace);
}

CString& CString::Trim(wchar_t target)
{
    const wchar_t targets[] = { target, L'\0' };
    return Trim(targets);
}

CString& CString::Trim(const wchar_t* targets)
{
    return TrimRightOf(targets).TrimLeftOf(targets);
}

CString& CString::TrimLeft()
{
    return TrimLeftOf(kWhitespace);
}

CString& CString::TrimLeft(const wchar_t* targets)
{
    return TrimLeftOf(targets);
}

CString& CString::TrimRight()
{
    return TrimRightOf(kWhitespace);
}

CString& CString::TrimRight(const wchar_t* targets)
{
    return TrimRightOf(targets);
}

CString& CString::MakeUpper()
{
    if (!m_text.empty())
        CharUpperBuffW(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_text.empty())
        CharLowerBuffW(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int count = 0;
    for (wchar_t& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::wstring from(oldText);
    const std::wstring to(newText ? newText : L"");
    int count = 0;
    for (size_t at = m_text.find(from); at != std::wstring::npos; at = m_text.find(from, at + to.size())) {
        m_text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    m_text.clear();
    if (!format)
        return;
    // The Microsoft runtime's own functions: they give %s its Windows meaning whatever
    // the compiler's choice of stdio.
    va_list counting;
    va_copy(counting, args);
    int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length <= 0)
        return;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
    if (written < 0)
        return;
    m_text.assign(buffer.data(), static_cast<size_t>(written));
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_text += tail.m_text;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(wcsnlen(m_text.c_str(), m_text.size()));
    m_text.resize(static_cast<size_t>(ClampTo(newLength, 0, GetLength())));
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, wchar_t b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(wchar_t a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b)
{
    return a.Str() == b.Str();
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const wchar_t* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const wchar_t* b)
{
    return !(a == b);
}

bool operator!=(const wchar_t* a, const CString& b)
{
    return !(a == b);
}

bool operator<(const CString& a, const CString& b)
{
    return a.Str() < b.Str();
}

CString FormatString(const wchar_t* format, ...)
{
    CString result;
    va_list args;
    va_start(args, format);
    result.FormatV(format, args);
    va_end(args);
    return result;
}
