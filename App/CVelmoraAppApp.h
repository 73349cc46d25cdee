// Classes in this file:
//   CVelmoraAppApp - the configuration program's application object: the whole run happens
//                    in InitInstance (one copy only, the process set-up, the language, the
//                    tray program, the store and the device, the main window as a modal
//                    dialog, the shut-down), after which no message loop of its own runs.
#pragma once

#include "CGUIItems.h"
#include "CWinApp.h"
#include "IGenDevice.h"
#include "IKeypadConfig.h"

class CInstallSettings;

class CVelmoraAppApp : public CWinApp
{
public:
    using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

private:
    // Data members
    Device* m_pDevice = nullptr;
    IKeypadConfig* m_pConfig = nullptr;
    // The items of "Language.xml": the language tables live here for the whole run.
    CGUIItems m_languageItems;

public:
    CVelmoraAppApp() = default;
    ~CVelmoraAppApp() override;

    // Operations
    // The whole run; always false.
    bool InitInstance() override;

    // The table of the language id, else the English one, else none.
    static void ChooseLanguage(int languageId);
    // The install folder (without its trailing backslash) becomes the current directory when
    // it is one, then the tray program is started from the current directory; a tray
    // program that cannot be started is not reported.
    static void StartTrayProgram(const CInstallSettings& settings);

private:
    // Implementation
    void SetUpProcess();
    void LoadLanguages();
    void RunMainWindow();
    void ShutDown();
    void ReleaseLanguageItems();
};
