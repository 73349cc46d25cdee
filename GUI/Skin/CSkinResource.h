// Classes in this file:
//   tSkinResourceType - the kinds of skin file the resource cache loads, each from its folder.
//   CSkinResource     - one skin file, loaded when the resource is created and kept until it
//                       is released.
#pragma once

#include "CBitmap.h"
#include "CComPtr.h"
#include "CString.h"

#include <ocidl.h>

#include <cstdint>
#include <memory>
#include <vector>

enum tSkinResourceType : int
{
    kSkinPicture = 0,   // "skins\": a picture decoded by the system picture loader
    kSkinDIB = 1,       // "skins\": a .bmp file loaded as a DIB section
    kSkinFont = 4,      // "fonts\": a font file registered for this process only
    kSkinLangFile = 5,  // "lang\": the whole file's bytes
    kSkinBinFile = 6,   // "bin\": the whole file's bytes
};

class CSkinResource
{
    // Data members
    CString m_name;
    CString m_path;
    int m_type;
    int m_size = 0;
    // A picture's bitmap handle belongs to its picture object, which is held as long as
    // the bitmap shows that handle.
    std::unique_ptr<CBitmap> m_picture;
    CComPtr<IPicture> m_pictureOwner;
    CBitmap m_dib;
    int m_fontCount = 0;
    std::vector<uint8_t> m_bytes;

public:
    // Loads the file at once; a file that does not load leaves the resource without data.
    CSkinResource(const CString& name, int type);
    ~CSkinResource() { Release(); }
    CSkinResource(const CSkinResource&) = delete;
    CSkinResource& operator=(const CSkinResource&) = delete;

    // Attributes
    const CString& GetName() const { return m_name; }
    const CString& GetPath() const { return m_path; }
    // The resource type; -1 after release.
    int GetType() const { return m_type; }
    // 8 for a picture, the file's length for a DIB or a font, the bytes read for a data
    // file; 0 whenever the resource holds no data.
    int GetSize() const { return m_size; }
    bool HasData() const { return GetData() != nullptr; }
    // The data by type: the CBitmap of a picture, the HBITMAP of a DIB, the font count (an
    // int) of a font, the bytes of a data file; null when loading failed.
    const void* GetData() const;

    CBitmap* GetPicture() const { return m_picture.get(); }
    HBITMAP GetDIB() const { return m_dib.GetHandle(); }
    int GetFontCount() const { return m_fontCount; }
    const uint8_t* GetBytes() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }

    // Operations
    // Frees the data (a font is unregistered) and marks the resource released.
    void Release();

    // The folder below the program's folder that holds files of the type.
    static const wchar_t* FolderOfType(int type);

private:
    // Implementation
    void Load();
    void LoadFont();
    void LoadBytes();
};

// The length of the file in bytes; 0 when it does not open.
int GetSkinFileLength(const wchar_t* path);
// Decodes a picture file with the system picture loader; true when the bitmap now shows
// the picture's handle. The handle belongs to the picture object, which owner receives:
// the bitmap must let go of the handle (Detach) before owner is released.
bool LoadPictureFile(const wchar_t* path, CBitmap& bitmap, CComPtr<IPicture>& owner);
