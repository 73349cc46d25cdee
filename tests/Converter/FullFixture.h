// Old INI trees the converter tests run on, written with OldTreeBuilder.
#pragma once

#include "OldTreeBuilder.h"

// Three profiles ("Default", "Racing" and an imported "Racing(2)") with an assignment of every
// old kind and three macros (one whose events all fail); "Racing" is the onboard profile.
void WriteFullFixture(const CString& folder);

// profileCount profiles, each with a few assignments naming the macros, and macroCount macros.
void WriteLargeFixture(const CString& folder, int profileCount, int macroCount);
