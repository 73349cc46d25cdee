// Classes in this file:
//   CShippedSkin - the build's shipped skin folders for one test: while it is entered,
//                  g_exeFolder points at them, and the resource cache and the vocabulary
//                  start afresh so that no case sees another's files.
#pragma once

#include "CString.h"

class CShippedSkin
{
    CString m_savedExeFolder;

public:
    // relativeFolder: the skin folders' parent from the test program's folder, with '/'
    // separators (the tests' VELMORA_SKIN_FOLDER).
    void Enter(const char* relativeFolder);
    // Empties the resource cache and puts the program's folder back.
    void Leave();
};
