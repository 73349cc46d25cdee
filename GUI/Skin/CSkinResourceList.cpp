#include "CSkinResourceList.h"

#include "Utf8.h"

#include <memory>

CSkinResourceList g_skinResources;

CSkinResource* CSkinResourceList::Find(const wchar_t* name, int type) const
{
    for (CSkinResource* resource : m_resources) {
        if (resource->GetType() == type && resource->GetName().CompareNoCase(name) == 0)
            return resource;
    }
    return nullptr;
}

CSkinResource* CSkinResourceList::Get(const wchar_t* name, int type)
{
    if (CSkinResource* cached = Find(name, type))
        return cached;
    auto created = std::make_unique<CSkinResource>(CString(name), type);
    m_resources.push_back(created.get());
    return created.release();
}

void CSkinResourceList::FreeAll()
{
    while (!m_resources.empty()) {
        std::unique_ptr<CSkinResource> resource(m_resources.back());
        m_resources.pop_back();
        resource->Release();
    }
}

CSkinResource* GetSkinResource(const wchar_t* name, int type)
{
    return g_skinResources.Get(name ? name : L"", type);
}

int GetSkinResourceSize(const wchar_t* name, int type)
{
    const CSkinResource* resource = g_skinResources.Find(name ? name : L"", type);
    return resource ? resource->GetSize() : 0;
}

void FreeSkinResources()
{
    g_skinResources.FreeAll();
}

namespace
{
CSkinResource* FindTrimmed(CString name, int type)
{
    name.Trim();
    return GetSkinResource(name, type);
}

const uint8_t* BytesOf(const CSkinResource* resource, int* size)
{
    if (size)
        *size = resource->GetSize();
    return resource->GetBytes();
}
}

CBitmap* FindSkinPicture(const char* name)
{
    return FindSkinPicture(Utf8ToWide(name));
}

CBitmap* FindSkinPicture(const wchar_t* name)
{
    return FindTrimmed(name, kSkinPicture)->GetPicture();
}

HBITMAP FindSkinDIB(const char* name)
{
    return FindSkinDIB(Utf8ToWide(name));
}

HBITMAP FindSkinDIB(const wchar_t* name)
{
    return FindTrimmed(name, kSkinDIB)->GetDIB();
}

const uint8_t* FindLangFile(const char* name, int* size)
{
    return FindLangFile(Utf8ToWide(name), size);
}

const uint8_t* FindLangFile(const wchar_t* name, int* size)
{
    return BytesOf(FindTrimmed(name, kSkinLangFile), size);
}

const uint8_t* FindBinFile(const char* name, int* size)
{
    return FindBinFile(Utf8ToWide(name), size);
}

const uint8_t* FindBinFile(const wchar_t* name, int* size)
{
    return BytesOf(FindTrimmed(name, kSkinBinFile), size);
}
