#include "StressClient.h"

#include "CKeyDefTable.h"
#include "CKeypad.h"
#include "CVelmoraConfig.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadBinary(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The key definitions the build ships, beside the configuration program.
bool LoadKeys(CKeyDefTable& table)
{
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH))
        return false;
    std::wstring folder(path);
    for (int up = 0; up < 3; ++up)
        folder = folder.substr(0, folder.find_last_of(L'\\'));
    folder += L"\\App\\bin\\";
    const std::vector<uint8_t> keys = ReadBinary(folder + L"kbddef.dat");
    const std::vector<uint8_t> defaults = ReadBinary(folder + L"velmodef.dat");
    return table.Load(keys.data(), static_cast<int>(keys.size())) &&
           table.LoadDefaults(defaults.data(), static_cast<int>(defaults.size()));
}

// Twenty profiles with their lighting and applications, and macros of every event kind.
void Fill(IKeypadConfig& store, std::mt19937& random)
{
    while (store.GetProfileCount() < 20)
        store.CreateProfile(CString(L"Writer ") + CString(std::to_wstring(store.GetProfileCount() + 1).c_str()));
    for (int i = 0; i < store.GetProfileCount(); ++i) {
        IKeypadProfile* profile = store.GetProfile(i);
        profile->SetApplicationName(CString((L"game" + std::to_wstring(random() % 100) + L".exe").c_str()));
        const tLEDType led = tLEDType(random() % 11);
        profile->SetLedState(led, random() % 2 == 0);
        profile->SetLedColour(led, RGB(random() % 256, random() % 256, random() % 256));
        profile->SetLedBrightness(led, 10 + random() % 91);
    }
    for (int m = 0; m < 20; ++m) {
        const CString name(std::wstring(L"Writer macro " + std::to_wstring(m)).c_str());
        CMacro* macro = store.FindMacroByName(name);
        if (!macro)
            macro = store.AddMacro(name);
        if (!macro)
            continue;
        macro->m_events.clear();
        for (int e = 0; e < 50; ++e)
            macro->m_events.push_back({ e % 3, e % 3 == 2 ? 20 + e : 0x1E + e % 20, e % 3 == 2 ? 0 : 255 - e % 2 * 254 });
    }
}

// Waits for the write worker while letting this thread's messages through, then finishes
// the write on this thread, as the main window does.
void FinishWrite(CKeypad& keypad, IKeypadConfig& store)
{
    while (keypad.IsBusy()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    }
    keypad.FinishWrite(&store);
}

}

void RunStressWriter(const ClientOptions& options)
{
    CKeyDefTable keys;
    if (!LoadKeys(keys))
        return;
    std::mt19937 random(options.seed);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < options.seconds * 1000) {
        CVelmoraConfig store(&keys);
        CKeypad keypad(&keys);
        if (!keypad.Initialize(&store) || !keypad.SyncConfig(&store, 1, 0xFFF)) {
            Sleep(50);
            continue;
        }
        for (int round = 0; round < 3 && GetTickCount() - start < options.seconds * 1000; ++round) {
            Fill(store, random);
            if (keypad.SyncConfig(&store, 0, 0xFFF))
                FinishWrite(keypad, store);
            MaybeDie(options, 8, random());
        }
    }
}
