#include "CShippedSkin.h"

#include "CSkinResourceList.h"
#include "ExeFolder.h"
#include "Utf8.h"
#include "Vocabulary.h"

void CShippedSkin::Enter(const char* relativeFolder)
{
    m_savedExeFolder = g_exeFolder;
    CString relative = Utf8ToWide(relativeFolder);
    relative.Replace(L'/', L'\\');
    g_exeFolder = GetModuleFolder() + relative + L"\\";
    FreeSkinResources();
    InitVocabularyTables();
}

void CShippedSkin::Leave()
{
    FreeSkinResources();
    g_exeFolder = m_savedExeFolder;
}
