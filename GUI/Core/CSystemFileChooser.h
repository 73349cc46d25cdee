// Classes in this file:
//   CSystemFileChooser - the file chooser of the programs: the system's file dialog.
#pragma once

#include "IFileChooser.h"

class CSystemFileChooser : public IFileChooser
{
public:
    bool ChooseFile(const Request& request, CString& path) override;

    // The process's one system chooser.
    static IFileChooser& Get();
};
