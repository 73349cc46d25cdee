// Classes in this file:
//   CShellOpener - the shell opener of the program: ShellExecuteW with no owner, the
//                  "OPEN" verb, no parameters and no folder, shown normally.
#pragma once

#include "IShellOpener.h"

class CShellOpener : public IShellOpener
{
public:
    bool Open(const CString& target) override;

    // The process's one shell opener.
    static IShellOpener& Get();
};
