#include "CPageFileChooser.h"

#include "CLangTable.h"
#include "IAppPopups.h"
#include "PageRules.h"

#include <windows.h>

namespace
{
CString Translated(const wchar_t* key)
{
    CString text;
    if (!LookupText(key, text) || text.IsEmpty())
        text = key;
    return text;
}
}

CPageFileChooser::CPageFileChooser(const wchar_t* kind, const wchar_t* extension, const CString& folder)
    : m_kind(kind), m_extension(extension), m_folder(folder)
{
}

IFileChooser::Request CPageFileChooser::MakeRequest(bool open) const
{
    IFileChooser::Request request;
    request.m_open = open;
    request.m_filter.Format(L"%s %s Files (*.%s)|*.%s||", m_extension, m_kind, m_extension, m_extension);
    request.m_defaultExt = m_extension;
    request.m_fileName.Format(L".%s", m_extension);
    request.m_initialFolder = m_folder;
    request.m_flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    return request;
}

bool CPageFileChooser::Choose(IAppPopups& popups, bool open, const wchar_t* heading, CString& path) const
{
    const IFileChooser::Request request = MakeRequest(open);
    CString chosen;
    if (!popups.ChooseFile(request, chosen) || FileNameOf(chosen).GetLength() <= request.m_fileName.GetLength())
        return false;
    if (chosen.GetLength() > kMaxPathLength)
    {
        // The device layer cannot take the path: nothing is read or written.
        popups.ShowMessage(kPathLengthPopup, Translated(heading));
        return false;
    }
    path = chosen;
    return true;
}
