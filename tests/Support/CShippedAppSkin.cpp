#include "CShippedAppSkin.h"

#include "CLangTable.h"
#include "CSingleInstance.h"
#include "CVelmoraAppApp.h"
#include "GUIPageLoader.h"

#include <windows.h>

bool CShippedAppSkin::Enter(const char* relativeFolder)
{
    m_skin.Enter(relativeFolder);
    if (!LoadGUIPage(m_languages, L"Language.xml", nullptr))
        return false;
    CVelmoraAppApp::ChooseLanguage(0);
    return true;
}

bool CShippedAppSkin::EnterForMainWindow(const char* relativeFolder)
{
    if (!Enter(relativeFolder))
        return false;
    // The class stays registered from an earlier case of the same program, where
    // registering it again fails.
    CSingleInstance::RegisterWindowClass(::GetModuleHandleW(nullptr), nullptr);
    return true;
}

void CShippedAppSkin::Leave()
{
    g_pLangTable = nullptr;
    g_langTables.clear();
    m_languages.DeleteAll();
    m_skin.Leave();
}
