// Classes in this file:
//   IAppPopups - the popups and file dialogs the pages open: each call runs one popup with
//                the caller's values and answers whether the user confirmed it. The program
//                runs the real modal popups (CAppPopups); tests put a scripted one in place.
#pragma once

#include "CAssignment.h"
#include "CString.h"
#include "CStringArray.h"
#include "IFileChooser.h"
#include "KeyEntryResult.h"

class IKeypadConfig;
class IKeypadProfile;

class IAppPopups
{
public:
    // The name-entry pages: a new name (the name passed in is empty) or a new name for an
    // existing item (the old name follows the heading).
    static constexpr const wchar_t* kProfileNamePage = L"ProfileNamePopup.xml";
    static constexpr const wchar_t* kProfileRenamePage = L"ProfileRenamePopup.xml";
    static constexpr const wchar_t* kMacroNamePage = L"MacroNamePopup.xml";
    static constexpr const wchar_t* kMacroRenamePage = L"MacroRenamePopup.xml";

    virtual ~IAppPopups() = default;

    // Name entry on one of the pages above. In: the current name (may be empty); out on
    // true: the typed name (may be empty; the caller validates it).
    virtual bool EnterName(const CString& pageFile, CString& name) = 0;
    // The repeat count. Out on true: the typed number, 0 when nothing was typed.
    virtual bool EnterRepeatCount(int& count) = 0;
    // A key or mouse button captured with its modifiers ("SingleKeyPopup.xml").
    virtual bool EnterSingleKey(KeyEntryResult& result) = 0;
    // A key with modifier check boxes ("EditKeyPopup.xml").
    virtual bool EnterEditKey(KeyEntryResult& result) = 0;
    // A macro and its playback mode (1..4; 1 and 2 for the scroll-wheel buttons). In: the
    // preselected name and mode; out on true: the choice.
    virtual bool ChooseMacro(bool scrollButton, const CStringArray& names, CString& name, int& mode) = 0;
    // A profile by name. In: the preselected name; out on true: the choice.
    virtual bool ChooseProfile(const CStringArray& names, CString& name) = 0;
    // A key-map switch, edited in the record (kinds 31, 32, 35 by name).
    virtual bool ChooseKeymap(bool scrollButton, const CStringArray& keymapNames, CAssignment& record) = 0;
    // A joystick axis or button, edited in the record (kinds 78, 79).
    virtual bool ChooseJoystick(CAssignment& record) = 0;
    // A file to open or a place to save; true with the full path.
    virtual bool ChooseFile(const IFileChooser::Request& request, CString& path) = 0;
    // A message or yes/no popup of that page: IDOK or IDCANCEL. A non-empty message
    // replaces the heading; the extra text (may be null) follows the page's heading.
    virtual INT_PTR ShowMessage(const CString& pageFile, const CString& message = CString(),
        const wchar_t* extraText = nullptr) = 0;
    // The preview of a profile (may be null) of the store.
    virtual void ShowPreview(IKeypadProfile* profile, IKeypadConfig* config) = 0;
};
