// Operations of the configuration's macro and application lists. Each entry owns its live
// record; pointers handed out stay valid until the entry is removed or the list destroyed.
#pragma once

#include "CCatVec.h"
#include "CString.h"

// Null when a macro of that name (ignoring case) exists.
CMacro* AddMacro(CCatMacroList& list, const CString& name);
// A pointer not in the list changes nothing.
void RemoveMacro(CCatMacroList& list, CMacro* macro);
CMacro* FindMacroByGUID(const CCatMacroList& list, const GUID& id);
CMacro* FindMacroByName(const CCatMacroList& list, const CString& name);
CMacro* GetMacro(const CCatMacroList& list, int index);
// Deletes every record, from the last.
void RemoveAllMacros(CCatMacroList& list);

// Null when an entry of that path (ignoring case) exists.
CKvApp* AddApplication(CCatKvAppList& list, const CString& path);
void RemoveApplication(CCatKvAppList& list, CKvApp* application);
CKvApp* FindApplicationByGUID(const CCatKvAppList& list, const GUID& id);
CKvApp* FindApplicationByName(const CCatKvAppList& list, const CString& path);
CKvApp* GetApplication(const CCatKvAppList& list, int index);
void RemoveAllApplications(CCatKvAppList& list);
