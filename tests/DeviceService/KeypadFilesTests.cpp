// The keypad's files decoded straight from bytes: bodies inside a valid envelope that the
// keypad could not hold are refused and leave the target as it was.
#include "KeypadFileEnvelope.h"
#include "KeypadFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
SimProfile MakeProfile(const wchar_t* name)
{
    SimProfile profile = MakeDefaultProfile(name);
    profile.application = { 'a', 0, 'b', 0 };
    profile.flags = 3;
    profile.leds[4].on = true;
    profile.leds[4].colour = 0x123456;
    profile.leds[4].effect = 2;
    profile.leds[4].onMs = 250;
    return profile;
}

SimMacro MakeMacro(const wchar_t* name)
{
    SimMacro macro;
    macro.id = NewGuid();
    macro.name = name;
    macro.events = { { 2, 0x1E }, { 3, 50 }, { 1, 4 } };
    return macro;
}

SimKeypad MakeKeypad()
{
    SimKeypad keypad = MakeFactoryKeypad();
    keypad.profiles.push_back(MakeProfile(L"Second"));
    keypad.macros.push_back(MakeMacro(L"Combo"));
    keypad.macros.push_back(MakeMacro(L"Other"));
    keypad.applications.push_back({ NewGuid(), L"C:\\Games\\game.exe" });
    return keypad;
}

// A profile file whose byte at offset (counted back from the end of the body) is changed,
// then sealed again, so that only the body is wrong.
std::vector<uint8_t> WithBodyByteFromEnd(const std::vector<uint8_t>& file, size_t fromEnd, uint8_t value)
{
    std::vector<uint8_t> body = KeypadFileBody(file);
    body[body.size() - fromEnd] = value;
    return ResealKeypadFile(file, body);
}

// The "on" byte of a profile's last LED: its record is id, on, then five words.
constexpr size_t kLastLedOnFromEnd = 21;

struct ProfileCase
{
    const char* what;
    std::function<void(SimProfile&)> edit;
};

const ProfileCase kUnholdableProfiles[] = {
    { "an LED id of 0", [](SimProfile& p) { p.leds[0].id = 0; } },
    { "an LED id of 12", [](SimProfile& p) { p.leds[10].id = 12; } },
    { "a negative LED id", [](SimProfile& p) { p.leds[3].id = -4; } },
    { "an LED id twice", [](SimProfile& p) { p.leds[3].id = 3; } },
    { "two key maps of one id", [](SimProfile& p) { p.keymaps[5].id = p.keymaps[2].id; } },
    { "a key record of a code the keypad lacks", [](SimProfile& p) { p.keymaps[1].keys[3].code = 0x99; } },
    { "key records out of the keypad's order", [](SimProfile& p) { std::swap(p.keymaps[0].keys[0], p.keymaps[0].keys[1]); } },
    { "a button record of a code the keypad lacks", [](SimProfile& p) { p.keymaps[7].buttons[2].code = 1; } },
    { "a colour over 24 bits", [](SimProfile& p) { p.leds[2].colour = 0x1000000; } },
    { "a brightness over 100", [](SimProfile& p) { p.leds[2].brightness = 101; } },
    { "a negative brightness", [](SimProfile& p) { p.leds[2].brightness = -1; } },
    { "an unknown effect", [](SimProfile& p) { p.leds[2].effect = 6; } },
    { "a negative on time", [](SimProfile& p) { p.leds[2].onMs = -1; } },
    { "a negative off time", [](SimProfile& p) { p.leds[2].offMs = -1; } },
};
}

TEST(KeypadFiles, WrittenFilesReadBackToTheSameBytes)
{
    const std::vector<uint8_t> profileFile = EncodeProfileFile(MakeProfile(L"Strategy"));
    SimProfile profile;
    ASSERT_TRUE(DecodeProfileFile(profileFile, profile));
    EXPECT_EQ(EncodeProfileFile(profile), profileFile);

    const std::vector<uint8_t> macroFile = EncodeMacroFile(MakeMacro(L"Combo"));
    SimMacro macro;
    ASSERT_TRUE(DecodeMacroFile(macroFile, macro));
    EXPECT_EQ(EncodeMacroFile(macro), macroFile);

    const std::vector<uint8_t> stateFile = EncodeKeypad(MakeKeypad());
    SimKeypad keypad;
    ASSERT_TRUE(DecodeKeypad(stateFile, keypad));
    EXPECT_EQ(EncodeKeypad(keypad), stateFile);
    // A body edited and sealed again passes the envelope; the edit alone decides.
    EXPECT_TRUE(DecodeProfileFile(ResealKeypadFile(profileFile, KeypadFileBody(profileFile)), profile));
}

TEST(KeypadFiles, AProfileFileTheKeypadCannotHoldIsRefusedAndChangesNothing)
{
    const SimProfile target = MakeProfile(L"Target");
    const std::vector<uint8_t> targetBytes = EncodeProfileFile(target);
    for (const ProfileCase& c : kUnholdableProfiles) {
        SimProfile edited = MakeProfile(L"Edited");
        c.edit(edited);
        SimProfile result = target;
        EXPECT_FALSE(DecodeProfileFile(EncodeProfileFile(edited), result)) << c.what;
        EXPECT_EQ(EncodeProfileFile(result), targetBytes) << c.what;
    }
    const std::vector<uint8_t> good = EncodeProfileFile(MakeProfile(L"Edited"));
    for (uint8_t on : { 2, 0x80, 0xFF }) {
        SimProfile result = target;
        EXPECT_FALSE(DecodeProfileFile(WithBodyByteFromEnd(good, kLastLedOnFromEnd, on), result)) << int(on);
        EXPECT_EQ(EncodeProfileFile(result), targetBytes) << int(on);
    }
    SimProfile result;
    EXPECT_TRUE(DecodeProfileFile(WithBodyByteFromEnd(good, kLastLedOnFromEnd, 1), result));
    EXPECT_TRUE(result.leds.back().on);
}

TEST(KeypadFiles, AMacroFileWithAnEventTypeTheKeypadLacksIsRefused)
{
    const SimMacro target = MakeMacro(L"Target");
    for (DWORD type : { 0u, 4u, 0xFFFFFFFFu }) {
        SimMacro edited = MakeMacro(L"Edited");
        edited.events[1].type = type;
        SimMacro result = target;
        EXPECT_FALSE(DecodeMacroFile(EncodeMacroFile(edited), result)) << type;
        EXPECT_EQ(EncodeMacroFile(result), EncodeMacroFile(target)) << type;
    }
}

TEST(KeypadFiles, AStateFileTheKeypadCannotHoldIsRefusedAndChangesNothing)
{
    const SimKeypad target = MakeKeypad();
    const std::vector<uint8_t> targetBytes = EncodeKeypad(target);
    struct Case { const char* what; std::function<void(SimKeypad&)> edit; };
    std::vector<Case> cases = {
        { "two profiles of one id", [](SimKeypad& k) { k.profiles[1].id = k.profiles[0].id; } },
        { "two macros of one id", [](SimKeypad& k) { k.macros[1].id = k.macros[0].id; } },
        { "two applications of one id", [](SimKeypad& k) { k.applications.push_back(k.applications[0]); } },
        { "a macro event type the keypad lacks", [](SimKeypad& k) { k.macros[0].events[0].type = 9; } },
    };
    for (const ProfileCase& c : kUnholdableProfiles)
        cases.push_back({ c.what, [&c](SimKeypad& k) { c.edit(k.profiles[1]); } });
    for (const Case& c : cases) {
        SimKeypad edited = MakeKeypad();
        c.edit(edited);
        SimKeypad result = target;
        EXPECT_FALSE(DecodeKeypad(EncodeKeypad(edited), result)) << c.what;
        EXPECT_EQ(EncodeKeypad(result), targetBytes) << c.what;
    }
    // The state file ends with the macros and the applications; reach the last LED's "on"
    // byte of the second profile by encoding the keypad without them.
    SimKeypad bare = MakeKeypad();
    bare.macros.clear();
    bare.applications.clear();
    const std::vector<uint8_t> bareFile = EncodeKeypad(bare);
    SimKeypad result = target;
    EXPECT_FALSE(DecodeKeypad(WithBodyByteFromEnd(bareFile, kLastLedOnFromEnd + 8, 2), result));
    EXPECT_EQ(EncodeKeypad(result), targetBytes);
    EXPECT_TRUE(DecodeKeypad(WithBodyByteFromEnd(bareFile, kLastLedOnFromEnd + 8, 1), result));
}
