#include "CFileDialog.h"

#include <algorithm>
#include <cwchar>

CFileDialog::CFileDialog(bool openDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
    const wchar_t* filter, HWND parent)
    : m_ofn(), m_openDialog(openDialog), m_fileName(kPathCapacity, L'\0'), m_filter(FilterFromPipes(filter)),
      m_defaultExt(defaultExt ? defaultExt : L"")
{
    if (fileName)
        wcsncpy(m_fileName.data(), fileName, kPathCapacity - 1);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(kPathCapacity);
    m_ofn.lpstrFilter = m_filter.size() > 2 ? m_filter.data() : nullptr;
    m_ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.GetString();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

std::vector<wchar_t> CFileDialog::FilterFromPipes(const wchar_t* filter)
{
    std::vector<wchar_t> converted;
    for (const wchar_t* c = filter; c && *c; ++c)
        converted.push_back(*c == L'|' ? L'\0' : *c);
    // Whatever the text ends with, the list ends in two NULs.
    while (converted.size() < 2 || converted[converted.size() - 1] != L'\0' || converted[converted.size() - 2] != L'\0')
        converted.push_back(L'\0');
    return converted;
}

void CFileDialog::SetInitialFolder(const wchar_t* folder)
{
    m_initialFolder = folder ? folder : L"";
    m_ofn.lpstrInitialDir = m_initialFolder.IsEmpty() ? nullptr : m_initialFolder.GetString();
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(kPathCapacity);
    const BOOL chosen = m_openDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_fileName.data());
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}
