// Classes in this file:
//   CPageFileChooser - the file dialog of the import and export of one kind of file (the
//                      profile or the macro files): the dialog's request and the chosen
//                      path, refused when no name was given or when the path is longer than
//                      the device layer takes, which a warning popup says.
#pragma once

#include "CString.h"
#include "IFileChooser.h"

class IAppPopups;

class CPageFileChooser
{
public:
    // The longest full path the device layer takes.
    static constexpr int kMaxPathLength = 255;
    // The page files of the warning about a longer path and of the notice that the device
    // layer could not read a chosen file.
    static constexpr const wchar_t* kPathLengthPopup = L"PathLengthLimitReachedPopUp.xml";
    static constexpr const wchar_t* kFileErrorPopup = L"FileErrorPopUp.xml";

private:
    // Data members
    const wchar_t* m_kind;
    const wchar_t* m_extension;
    const CString& m_folder;

public:
    // kind names the files in the dialog's filter ("Profile": "kvp Profile Files"); the
    // folder the dialog starts in is read each time it opens.
    CPageFileChooser(const wchar_t* kind, const wchar_t* extension, const CString& folder);

    // Attributes
    // The dialog's request, to open a file or to save one.
    IFileChooser::Request MakeRequest(bool open) const;

    // Operations
    // The chosen file; false when cancelled, when no name was given, or when the path is
    // too long (after the warning with that heading, a language key).
    bool Choose(IAppPopups& popups, bool open, const wchar_t* heading, CString& path) const;
};
