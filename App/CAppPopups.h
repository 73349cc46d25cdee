// Classes in this file:
//   CAppPopups - the program's popups: each call runs the real modal popup over the
//                parent window, and the file dialog through the system's file chooser.
#pragma once

#include "IAppPopups.h"

class CWnd;

class CAppPopups : public IAppPopups
{
    // Data members
    CWnd* m_pParent;
    IFileChooser* m_pFileChooser;

public:
    // A null chooser uses the system's file dialog.
    explicit CAppPopups(CWnd* parent, IFileChooser* fileChooser = nullptr);

    bool EnterName(const CString& pageFile, CString& name) override;
    bool EnterRepeatCount(int& count) override;
    bool EnterSingleKey(KeyEntryResult& result) override;
    bool EnterEditKey(KeyEntryResult& result) override;
    bool ChooseMacro(bool scrollButton, const CStringArray& names, CString& name, int& mode) override;
    bool ChooseProfile(const CStringArray& names, CString& name) override;
    bool ChooseKeymap(bool scrollButton, const CStringArray& keymapNames, CAssignment& record) override;
    bool ChooseJoystick(CAssignment& record) override;
    bool ChooseFile(const IFileChooser::Request& request, CString& path) override;
    INT_PTR ShowMessage(const CString& pageFile, const CString& message, const wchar_t* extraText) override;
    void ShowPreview(IKeypadProfile* profile, IKeypadConfig* config) override;
};
