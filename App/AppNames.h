// The names by which the configuration program is found and finds what it needs: the
// installation's registry key, the program files and the single-instance objects.
#pragma once

// Machine-wide key written by the set-up; the programs only read it.
constexpr wchar_t kInstallKeyPath[] = L"Software\\Kavro\\Velmora";
constexpr wchar_t kLanguageValue[] = L"Language";
constexpr wchar_t kInstallDirValue[] = L"InstallDir";

constexpr wchar_t kConfigProgramFile[] = L"KavroVelmoraConfig.exe";
constexpr wchar_t kTrayProgramFile[] = L"KavroVelmoraSysTray.exe";

// The main dialog template names this class, so the running main window is found by it.
constexpr wchar_t kSingleInstanceClass[] = L"SINGLE_INSTANCE_APP_VELMORA";
// Serialises the test for a running copy; not held while the program runs.
constexpr wchar_t kSingleInstanceMutex[] = L"CSingleInstanceApp{C98C6AA5-57C1}";
