#include "CAppPopups.h"

#include "CSystemFileChooser.h"
#include "CVelmoraNameEntryPopup.h"
#include "CVelmoraNumEntryPopup.h"
#include "CVelmoraPreviewPopup.h"
#include "CVelmoraWarningDlg.h"

namespace
{
const wchar_t kRepeatCountPage[] = L"MacroRepeatEntryPopup.xml";
}

CAppPopups::CAppPopups(CWnd* parent, IFileChooser* fileChooser)
    : m_pParent(parent), m_pFileChooser(fileChooser ? fileChooser : &CSystemFileChooser::Get())
{
}

bool CAppPopups::EnterName(const CString& pageFile, CString& name)
{
    CString typed = name;
    CVelmoraNameEntryPopup popup(pageFile, m_pParent);
    popup.SetName(&typed);
    if (popup.DoModal() != IDOK)
        return false;
    name = typed;
    return true;
}

bool CAppPopups::EnterRepeatCount(int& count)
{
    int typed = 0;
    CVelmoraNumEntryPopup popup(kRepeatCountPage, m_pParent);
    popup.SetNumber(&typed);
    if (popup.DoModal() != IDOK)
        return false;
    count = typed;
    return true;
}

bool CAppPopups::EnterSingleKey(KeyEntryResult&)
{
    return false;
}

bool CAppPopups::EnterEditKey(KeyEntryResult&)
{
    return false;
}

bool CAppPopups::ChooseMacro(bool, const CStringArray&, CString&, int&)
{
    return false;
}

bool CAppPopups::ChooseProfile(const CStringArray&, CString&)
{
    return false;
}

bool CAppPopups::ChooseKeymap(bool, const CStringArray&, CAssignment&)
{
    return false;
}

bool CAppPopups::ChooseJoystick(CAssignment&)
{
    return false;
}

bool CAppPopups::ChooseFile(const IFileChooser::Request& request, CString& path)
{
    IFileChooser::Request withOwner = request;
    if (!withOwner.m_owner && m_pParent)
        withOwner.m_owner = m_pParent->m_hWnd;
    return m_pFileChooser->ChooseFile(withOwner, path);
}

INT_PTR CAppPopups::ShowMessage(const CString& pageFile, const CString& message, const wchar_t* extraText)
{
    CVelmoraWarningDlg popup(m_pParent, pageFile, extraText);
    popup.SetMessage(message);
    return popup.DoModal() == IDOK ? IDOK : IDCANCEL;
}

void CAppPopups::ShowPreview(IKeypadProfile* profile, IKeypadConfig* config)
{
    CVelmoraPreviewPopup popup(m_pParent, profile, config);
    popup.DoModal();
}
