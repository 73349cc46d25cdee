#include "CVelmoraAppApp.h"

#include "AppNames.h"
#include "AppResource.h"
#include "CInstallSettings.h"
#include "CKeyboardDef.h"
#include "CKeypad.h"
#include "CKvCallbacks.h"
#include "CLangTable.h"
#include "CListPanel.h"
#include "CSingleInstance.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "ExeFolder.h"
#include "GUIPageLoader.h"
#include "Vocabulary.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <memory>

namespace
{
const wchar_t kLanguagePage[] = L"Language.xml";
}

CVelmoraAppApp::~CVelmoraAppApp()
{
    ReleaseLanguageItems();
}

bool CVelmoraAppApp::InitInstance()
{
    HICON icon = static_cast<HICON>(::LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 0, 0,
        LR_DEFAULTSIZE | LR_SHARED));
    CSingleInstance::RegisterWindowClass(m_hInstance, icon);
    if (!CSingleInstance::ClaimOrActivateRunning())
        return false;

    SetUpProcess();
    InitVocabularyTables();
    LoadLanguages();

    CInstallSettings settings;
    if (settings.Read(HKEY_LOCAL_MACHINE, kInstallKeyPath))
        StartTrayProgram(settings);
    ChooseLanguage(settings.GetLanguageId());
    CListPanel::SetTemplateId(IDD_VELMORA_POPUP);

    RunMainWindow();
    return false;
}

void CVelmoraAppApp::SetUpProcess()
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    // Balanced by the CoUninitialize of the shut-down; the callback list holds the first.
    ::CoInitialize(nullptr);
    g_exeFolder = GetModuleFolder();
    if (!g_exeFolder.IsEmpty())
        ::SetCurrentDirectoryW(g_exeFolder);
}

void CVelmoraAppApp::LoadLanguages()
{
    LoadGUIPage(m_languageItems, kLanguagePage, nullptr);
}

void CVelmoraAppApp::StartTrayProgram(const CInstallSettings& settings)
{
    if (!settings.GetInstallDir().IsEmpty())
        ::SetCurrentDirectoryW(settings.GetInstallDir());
    // No error box: a tray program that is missing is simply not started.
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = kTrayProgramFile;
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExW(&info);
}

void CVelmoraAppApp::ChooseLanguage(int languageId)
{
    auto found = g_langTables.find(languageId);
    if (found == g_langTables.end())
        found = g_langTables.find(0);
    g_pLangTable = found == g_langTables.end() ? nullptr : found->second;
}

void CVelmoraAppApp::RunMainWindow()
{
    // The key definitions read with the skin give the keys' ids and default keystrokes to
    // the store and to the device layer, which maps the keypad's key codes by them.
    auto store = std::make_unique<CVelmoraConfig>(&g_keyboardDef);
    m_pConfig = store.get();
    m_pDevice = CreateKeypadDevice(m_pConfig, &g_keyboardDef);
    auto window = std::make_unique<CVelmoraAppDlg>(&m_pDevice, m_pConfig);
    m_pMainWnd = window.get();
    window->DoModal();
    m_pMainWnd = nullptr;
    // The store goes only once the device layer's worker has ended.
    ShutDown();
    store.reset();
    m_pConfig = nullptr;
    ::CoUninitialize();
    window.reset();
}

void CVelmoraAppApp::ShutDown()
{
    DestroyAllCallbacks();
    if (m_pDevice)
        m_pDevice->Shutdown();
    DestroyAppObjects();
    m_pDevice = nullptr;
}

void CVelmoraAppApp::ReleaseLanguageItems()
{
    if (m_languageItems.GetCount() == 0)
        return;
    g_pLangTable = nullptr;
    g_langTables.clear();
    m_languageItems.DeleteAll();
}
