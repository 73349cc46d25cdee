#include "CAppPopups.h"

#include "CSystemFileChooser.h"
#include "CVelmoraJoystickAssignPopup.h"
#include "CVelmoraKeymapAssignPopup.h"
#include "CVelmoraMacroAssignmentPopupForScroll.h"
#include "CVelmoraNameEntryPopup.h"
#include "CVelmoraNumEntryPopup.h"
#include "CVelmoraPopupBoxEditKeyEntry.h"
#include "CVelmoraPopupBoxSingleKeyEntry.h"
#include "CVelmoraPreviewPopup.h"
#include "CVelmoraProfileAssignmentPopup.h"
#include "CVelmoraWarningDlg.h"

namespace
{
const wchar_t kRepeatCountPage[] = L"MacroRepeatEntryPopup.xml";

// Runs a key-entry popup; the caller's result changes only when it ends with OK.
template <class TPopup>
bool EnterKey(CWnd* parent, KeyEntryResult& result)
{
    KeyEntryResult entered;
    TPopup popup(parent, &entered);
    if (popup.DoModal() != IDOK)
        return false;
    result = entered;
    return true;
}

bool Contains(const CStringArray& names, const CString& name)
{
    for (int index = 0; index < names.GetSize(); ++index)
    {
        if (names.GetAt(index) == name)
            return true;
    }
    return false;
}
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

bool CAppPopups::EnterSingleKey(KeyEntryResult& result)
{
    return EnterKey<CVelmoraPopupBoxSingleKeyEntry>(m_pParent, result);
}

bool CAppPopups::EnterEditKey(KeyEntryResult& result)
{
    return EnterKey<CVelmoraPopupBoxEditKeyEntry>(m_pParent, result);
}

bool CAppPopups::ChooseMacro(bool scrollButton, const CStringArray& names, CString& name, int& mode)
{
    CString chosenName = name;
    int chosenMode = mode;
    CVelmoraMacroAssignmentPopup wholePopup(CVelmoraMacroAssignmentPopup::kPageFile, m_pParent);
    CVelmoraMacroAssignmentPopupForScroll scrollPopup(m_pParent);
    CVelmoraMacroAssignmentPopup& popup = scrollButton ? scrollPopup : wholePopup;
    popup.SetChoice(&chosenMode, &chosenName, &names);
    // A choice that names no macro of the list (none to choose, none selected) is none.
    if (popup.DoModal() != IDOK || !Contains(names, chosenName))
        return false;
    name = chosenName;
    mode = chosenMode;
    return true;
}

bool CAppPopups::ChooseProfile(const CStringArray& names, CString& name)
{
    CString chosen = name;
    CVelmoraProfileAssignmentPopup popup(m_pParent);
    popup.SetChoice(&chosen, &names);
    if (popup.DoModal() != IDOK || !Contains(names, chosen))
        return false;
    name = chosen;
    return true;
}

bool CAppPopups::ChooseKeymap(bool scrollButton, const CStringArray& keymapNames, CAssignment& record)
{
    CAssignment edited = record;
    CVelmoraKeymapAssignPopup popup(scrollButton, m_pParent);
    popup.SetRecord(&edited, &keymapNames);
    if (popup.DoModal() != IDOK)
        return false;
    record = edited;
    return true;
}

bool CAppPopups::ChooseJoystick(CAssignment& record)
{
    CAssignment edited = record;
    CVelmoraJoystickAssignPopup popup(&edited, m_pParent);
    if (popup.DoModal() != IDOK)
        return false;
    record = edited;
    return true;
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
