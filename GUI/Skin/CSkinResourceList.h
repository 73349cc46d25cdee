// Classes in this file:
//   CSkinResourceList - the process-wide cache of skin files (g_skinResources): the first
//                       request for a name and type loads the file, every later one gets the
//                       same resource, so a bitmap used by many controls is loaded once.
//
// The cache owns everything it hands out: callers never delete a bitmap or buffer they got.
// A file that did not load is cached all the same and is not retried. GUI thread only.
#pragma once

#include "CSkinResource.h"

#include <vector>

class CSkinResourceList
{
    // Data members
    std::vector<CSkinResource*> m_resources;

public:
    CSkinResourceList() = default;
    ~CSkinResourceList() { FreeAll(); }
    CSkinResourceList(const CSkinResourceList&) = delete;
    CSkinResourceList& operator=(const CSkinResourceList&) = delete;

    // Attributes
    int GetCount() const { return static_cast<int>(m_resources.size()); }
    CSkinResource* GetAt(int index) const { return m_resources.at(index); }
    // The cached resource of that type whose name matches ignoring case; null when none.
    CSkinResource* Find(const wchar_t* name, int type) const;

    // Operations
    // The cached resource, created (and its file loaded) on the first request.
    CSkinResource* Get(const wchar_t* name, int type);
    // Releases and deletes every resource, from the last to the first.
    void FreeAll();
};

extern CSkinResourceList g_skinResources;

// The resource of that name and type from g_skinResources, loaded on first request.
CSkinResource* GetSkinResource(const wchar_t* name, int type);
// The size of the cached resource of that name and type; 0 when none is cached.
int GetSkinResourceSize(const wchar_t* name, int type);

// Typed look-ups: the name (UTF-8 from a page file, or wide) is trimmed of white space at
// both ends; the result is the resource's data or null, and size receives its size.
CBitmap* FindSkinPicture(const char* name);
CBitmap* FindSkinPicture(const wchar_t* name);
HBITMAP FindSkinDIB(const char* name);
HBITMAP FindSkinDIB(const wchar_t* name);
const uint8_t* FindLangFile(const char* name, int* size = nullptr);
const uint8_t* FindLangFile(const wchar_t* name, int* size = nullptr);
const uint8_t* FindBinFile(const char* name, int* size = nullptr);
const uint8_t* FindBinFile(const wchar_t* name, int* size = nullptr);

// Empties the cache; the program calls it at exit (and tests between cases).
void FreeSkinResources();
