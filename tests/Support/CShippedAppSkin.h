// Classes in this file:
//   CShippedAppSkin - the shipped skin as the configuration program starts with it, for one
//                     test: the language page loaded and the first language chosen, and for
//                     the main window's tests the program's window class registered.
#pragma once

#include "CGUIItems.h"
#include "CShippedSkin.h"

class CShippedAppSkin
{
    CShippedSkin m_skin;
    CGUIItems m_languages;

public:
    // relativeFolder as CShippedSkin takes it. False when the language page does not load;
    // no language is chosen then.
    bool Enter(const char* relativeFolder);
    // Enter, then the window class of the main window registered.
    bool EnterForMainWindow(const char* relativeFolder);
    // Drops the language tables and the language page, then leaves the skin.
    void Leave();
};
