#include "CSystemFileChooser.h"

#include "CFileDialog.h"

bool CSystemFileChooser::ChooseFile(const Request& request, CString& path)
{
    CFileDialog dialog(request.m_open, request.m_defaultExt, request.m_fileName, request.m_flags, request.m_filter,
        request.m_owner);
    dialog.SetInitialFolder(request.m_initialFolder);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

IFileChooser& CSystemFileChooser::Get()
{
    static CSystemFileChooser chooser;
    return chooser;
}
