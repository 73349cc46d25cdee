#include "TestFolder.h"

namespace
{
void DeleteTree(const CString& folder)
{
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(folder + L"*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            CString name(found.cFileName);
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(folder + name + L"\\");
            else
                DeleteFileW(folder + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder);
}

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
}

CTestSkinFolder::CTestSkinFolder(const wchar_t* name)
    : m_savedExeFolder(g_exeFolder)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_folder.Format(L"%s%s%lu_%lu\\", temp, name, GetCurrentProcessId(), GetTickCount());
    DeleteTree(m_folder);
    CreateDirectoryW(m_folder, nullptr);
    g_exeFolder = m_folder;
    FreeSkinResources();
}

CTestSkinFolder::~CTestSkinFolder()
{
    FreeSkinResources();
    g_exeFolder = m_savedExeFolder;
    DeleteTree(m_folder);
}

bool CTestSkinFolder::Write(const wchar_t* relativePath, const std::vector<uint8_t>& bytes) const
{
    CString path = m_folder + relativePath;
    int separator = path.ReverseFind(L'\\');
    CreateDirectoryW(path.Left(separator), nullptr);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::vector<uint8_t> MakeBmpFile(int width, int height, COLORREF colour)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> bytes = { 'B', 'M' };
    PutLittleEndian(bytes, 54 + pixelBytes, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 54, 4);
    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(height), 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, pixelBytes, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bytes.push_back(GetBValue(colour));
            bytes.push_back(GetGValue(colour));
            bytes.push_back(GetRValue(colour));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            bytes.push_back(0);
    }
    return bytes;
}
