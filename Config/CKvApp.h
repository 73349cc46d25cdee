// Classes in this file:
//   CKvApp - an application entry: a program path and the device service's id for it.
#pragma once

#include "CString.h"

#include <windows.h>

struct CKvApp
{
    CString m_path;
    // GUID_NULL until the device service has created the entry.
    GUID m_id = GUID_NULL;

    CKvApp() = default;
    explicit CKvApp(const CString& path) : m_path(path) {}
};

// Equal GUIDs and equal paths; paths are compared case-sensitively.
bool KvAppEquals(const CKvApp& a, const CKvApp& b);
