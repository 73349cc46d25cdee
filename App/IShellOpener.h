// Classes in this file:
//   IShellOpener - opens a document or web address with the shell: the main window opens
//                  the manual and web pages through it, so that tests put a recorder in
//                  place of the shell.
#pragma once

#include "CString.h"

class IShellOpener
{
public:
    virtual ~IShellOpener() = default;

    // Opens the target as the shell's "open" verb does; false when the shell refused.
    virtual bool Open(const CString& target) = 0;
};
