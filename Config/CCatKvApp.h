// Classes in this file:
//   CCatKvApp - tracks a live application entry against an accepted copy of it.
#pragma once

#include "CCatLiveRecord.h"
#include "CKvApp.h"

class CCatKvApp : public CCatLiveRecord<CKvApp, KvAppEquals>
{
public:
    // Creates the live entry: that path, GUID_NULL.
    explicit CCatKvApp(const CString& path) : CCatLiveRecord(new CKvApp(path)) {}
    explicit CCatKvApp(CKvApp* live) : CCatLiveRecord(live) {}
};
