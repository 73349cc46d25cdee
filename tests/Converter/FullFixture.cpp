#include "FullFixture.h"

void WriteFullFixture(const CString& folder)
{
    OldTreeBuilder tree(folder);
    tree.WriteIndex({ L"Default", L"Racing", L"Racing(2)" }, 1);

    OldProfileSpec standard;
    standard.name = L"Default";
    standard.brightness = 50;
    standard.keymap = 0;
    standard.records[{ 0, 0 }] = { 10, 19, 0, 0, 0, L"" };
    standard.records[{ 0, 1 }] = { 10, 117, 0, 0, 0, L"" };
    standard.records[{ 0, 15 }] = { 11, 0, 0, 0, 0, L"" };
    standard.records[{ 0, 17 }] = { 14, 0, 0, 0, 0, L"" };
    standard.records[{ 1, 0 }] = { 32, 0, 0, 1, 3, L"C:\\Old\\User Macros\\fire.ini" };
    standard.records[{ 2, 2 }] = { 4, 1, 0, 0, 0, L"" };
    standard.records[{ 3, 3 }] = { 5, 0, 0, 0, 0, L"" };
    standard.records[{ 4, 4 }] = { 17, 0, 1, 0, 0, L"" };
    standard.records[{ 5, 5 }] = { 2, 1, 0, 0, 0, L"" };
    standard.records[{ 6, 6 }] = { 15, 0, 0, 0, 0, L"" };
    standard.records[{ 7, 7 }] = { 10, 19, 0, 0, 0, L"" };
    standard.launchPaths[303] = L"C:\\Games\\launch.exe";
    tree.WriteProfile(L"Default", standard);

    OldProfileSpec racing;
    racing.name = L"Racing";
    racing.exe = L"C:\\Games\\race.exe";
    racing.switchFlag = 1;
    racing.keymap = 3;
    racing.brightness = 100;
    racing.records[{ 0, 18 }] = { 32, 0, 0, 3, 0, L"Burst.ini" };
    racing.records[{ 1, 19 }] = { 32, 0, 0, 0, 1, L"Gone.ini" };
    racing.records[{ 3, 16 }] = { 4, 0, 0, 0, 0, L"" };
    tree.WriteProfile(L"Racing", racing);

    OldProfileSpec imported;
    imported.name = L"Racing";
    imported.brightness = 1;
    imported.keymap = 9;
    tree.WriteProfile(L"Racing(2)", imported);

    tree.WriteMacro(L"Fire.ini", { { 19, 1 }, { 0xFF, 50 }, { 19, 0 }, { 0xD0, 1 }, { 0xD0, 0 }, { 117, 1 } });
    tree.WriteMacro(L"Burst.ini", { { 0xD1, 1 }, { 0, 1 }, { 0xD1, 0 } });
    tree.WriteMacro(L"Dud.ini", { { 0, 1 } });
}

void WriteLargeFixture(const CString& folder, int profileCount, int macroCount)
{
    OldTreeBuilder tree(folder);
    std::vector<CString> names;
    for (int i = 0; i < profileCount; ++i)
        names.push_back(i == 0 ? CString(L"Default") : FormatString(L"Profile %02d", i));
    tree.WriteIndex(names, 0);
    for (int i = 0; i < profileCount; ++i) {
        OldProfileSpec profile;
        profile.name = names[static_cast<size_t>(i)];
        profile.keymap = i % 8;
        profile.brightness = 5 * (i + 1);
        for (int k = 0; k < 8; ++k) {
            CString macro = FormatString(L"Macro %02d.ini", (i * 8 + k) % macroCount);
            profile.records[{ k, k }] = { 32, 0, 0, 0, 1, macro };
            profile.records[{ k, 16 }] = { 4, static_cast<uint8_t>((i + 1) % profileCount), 0, 0, 0, L"" };
            profile.records[{ k, 20 }] = { 10, static_cast<uint8_t>(16 + k), 0, 0, 0, L"" };
        }
        tree.WriteProfile(profile.name, profile);
    }
    for (int m = 0; m < macroCount; ++m) {
        std::vector<OldMacroEvent> events;
        for (int e = 0; e <= m % 5; ++e) {
            events.push_back({ 19, 1 });
            events.push_back({ 0xFF, static_cast<uint32_t>(10 * (e + 1)) });
            events.push_back({ 19, 0 });
        }
        tree.WriteMacro(FormatString(L"Macro %02d.ini", m), events);
    }
}
