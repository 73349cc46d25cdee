#include "CSkinResource.h"

#include "ExeFolder.h"

#include <ocidl.h>
#include <olectl.h>

#include <limits>

namespace
{
class CFileHandle
{
    HANDLE m_handle;

public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle()
    {
        if (IsValid())
            CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
};

CFileHandle OpenForReading(const wchar_t* path, DWORD share)
{
    return CFileHandle(CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The file's size when it fits an int, else -1.
int FileSize(const CFileHandle& file)
{
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(size.QuadPart);
}

class CGlobalMemory
{
    HGLOBAL m_memory;

public:
    explicit CGlobalMemory(SIZE_T size) : m_memory(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~CGlobalMemory()
    {
        if (m_memory)
            GlobalFree(m_memory);
    }
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;

    HGLOBAL Get() const { return m_memory; }
    HGLOBAL Detach()
    {
        HGLOBAL memory = m_memory;
        m_memory = nullptr;
        return memory;
    }
};

class CGlobalLock
{
    HGLOBAL m_memory;
    void* m_pointer;

public:
    explicit CGlobalLock(HGLOBAL memory) : m_memory(memory), m_pointer(GlobalLock(memory)) {}
    ~CGlobalLock()
    {
        if (m_pointer)
            GlobalUnlock(m_memory);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* Get() const { return m_pointer; }
};

template <class T>
class CComRelease
{
    T* m_pointer = nullptr;

public:
    CComRelease() = default;
    ~CComRelease()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    CComRelease(const CComRelease&) = delete;
    CComRelease& operator=(const CComRelease&) = delete;

    T* Get() const { return m_pointer; }
    T** Out() { return &m_pointer; }
    T* operator->() const { return m_pointer; }
};

// Reads the whole file into new movable memory; null on any failure.
HGLOBAL ReadFileToGlobal(const wchar_t* path, int& size)
{
    CFileHandle file = OpenForReading(path, 0);
    if (!file.IsValid())
        return nullptr;
    size = FileSize(file);
    if (size <= 0)
        return nullptr;
    CGlobalMemory memory(static_cast<SIZE_T>(size));
    if (!memory.Get())
        return nullptr;
    {
        CGlobalLock lock(memory.Get());
        DWORD read = 0;
        if (!lock.Get() || !ReadFile(file.Get(), lock.Get(), static_cast<DWORD>(size), &read, nullptr)
            || read != static_cast<DWORD>(size))
            return nullptr;
    }
    return memory.Detach();
}
}

int GetSkinFileLength(const wchar_t* path)
{
    CFileHandle file = OpenForReading(path, FILE_SHARE_READ);
    if (!file.IsValid())
        return 0;
    int size = FileSize(file);
    return size < 0 ? 0 : size;
}

bool LoadPictureFile(const wchar_t* path, CBitmap& bitmap, CComPtr<IPicture>& owner)
{
    int size = 0;
    HGLOBAL contents = ReadFileToGlobal(path, size);
    if (!contents)
        return false;
    CComRelease<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(contents, TRUE, stream.Out()))) {
        GlobalFree(contents);
        return false;
    }
    CComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), size, FALSE, IID_IPicture,
            reinterpret_cast<void**>(picture.Receive()))) || !picture)
        return false;
    OLE_HANDLE handle = 0;
    short pictureType = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&pictureType)) || pictureType != PICTYPE_BITMAP
        || FAILED(picture->get_Handle(&handle)) || !handle)
        return false;
    bitmap.Attach(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)));
    owner = std::move(picture);
    return true;
}

CSkinResource::CSkinResource(const CString& name, int type)
    : m_name(name)
    , m_path(g_exeFolder + FolderOfType(type) + name)
    , m_type(type)
{
    Load();
}

const wchar_t* CSkinResource::FolderOfType(int type)
{
    switch (type) {
    case kSkinFont:
        return L"fonts\\";
    case kSkinLangFile:
        return L"lang\\";
    case kSkinBinFile:
        return L"bin\\";
    default:
        return L"skins\\";
    }
}

const void* CSkinResource::GetData() const
{
    switch (m_type) {
    case kSkinPicture:
        return m_picture.get();
    case kSkinDIB:
        return m_dib.GetSafeHandle();
    case kSkinFont:
        return m_fontCount > 0 ? &m_fontCount : nullptr;
    case kSkinLangFile:
    case kSkinBinFile:
        return GetBytes();
    default:
        return nullptr;
    }
}

void CSkinResource::Load()
{
    switch (m_type) {
    case kSkinPicture: {
        auto picture = std::make_unique<CBitmap>();
        if (LoadPictureFile(m_path, *picture, m_pictureOwner))
            m_picture = std::move(picture);
        break;
    }
    case kSkinDIB:
        m_dib.Attach(LoadImageW(GetModuleHandleW(nullptr), m_path, IMAGE_BITMAP, 0, 0,
            LR_CREATEDIBSECTION | LR_LOADFROMFILE));
        break;
    case kSkinFont:
        LoadFont();
        break;
    case kSkinLangFile:
    case kSkinBinFile:
        LoadBytes();
        break;
    default:
        break;
    }
    if (!HasData())
        return;
    switch (m_type) {
    case kSkinPicture:
        m_size = 8;
        break;
    case kSkinDIB:
        m_size = GetSkinFileLength(m_path);
        break;
    default:
        break;
    }
}

void CSkinResource::LoadFont()
{
    // Registered for this process only, so nothing outlives the program.
    int count = AddFontResourceExW(m_path, FR_PRIVATE, nullptr);
    if (count <= 0)
        return;
    m_fontCount = count;
    m_size = GetSkinFileLength(m_path);
}

void CSkinResource::LoadBytes()
{
    CFileHandle file = OpenForReading(m_path, FILE_SHARE_READ);
    if (!file.IsValid())
        return;
    int size = FileSize(file);
    if (size <= 0)
        return;
    std::vector<uint8_t> bytes(static_cast<size_t>(size), 0);
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr) || read == 0)
        return;
    bytes.resize(read);
    m_bytes = std::move(bytes);
    m_size = static_cast<int>(read);
}

void CSkinResource::Release()
{
    if (m_type == kSkinFont && m_fontCount > 0)
        RemoveFontResourceExW(m_path, FR_PRIVATE, nullptr);
    // The picture object deletes its own handle.
    if (m_picture)
        m_picture->Detach();
    m_picture.reset();
    m_pictureOwner.Release();
    m_dib.DeleteObject();
    m_fontCount = 0;
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_size = 0;
    m_type = -1;
    m_name.Empty();
    m_path.Empty();
}
