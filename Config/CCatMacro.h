// Classes in this file:
//   CCatMacro - tracks a live macro record against an accepted copy of it; the macro's
//   free text is neither compared nor accepted.
#pragma once

#include "CCatLiveRecord.h"
#include "CMacro.h"

class CCatMacro : public CCatLiveRecord<CMacro, MacroEquals>
{
public:
    // Creates the live macro: that name, no events, GUID_NULL, no text.
    explicit CCatMacro(const wchar_t* name) : CCatLiveRecord(new CMacro(name, {})) {}
    // Tracks a live macro made by the caller; the list takes it over.
    explicit CCatMacro(CMacro* live) : CCatLiveRecord(live) {}
};
