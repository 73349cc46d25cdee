// Seeded mutation runs of the service's state file and its profile and macro import files.
// Half the inputs are damaged whole, so that mostly the envelope refuses them; the other
// half have only their body damaged and are sealed again, so that the body's own checks
// are what stands. A file the decoder accepts must encode back to the same bytes.
#include "CMutationRun.h"
#include "KeypadFileEnvelope.h"
#include "KeypadFiles.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kStateMutations = 3000;
constexpr int kImportMutations = 3000;

SimKeypad MakeKeypad()
{
    SimKeypad keypad = MakeFactoryKeypad();
    SimProfile second = MakeDefaultProfile(L"Second");
    second.application = { 'g', 0, 'a', 0, 'm', 0, 'e', 0 };
    second.flags = 1;
    second.leds[0].on = true;
    keypad.profiles.push_back(second);
    SimMacro macro;
    macro.id = NewGuid();
    macro.name = L"Combo";
    macro.events = { { 2, 0x1E }, { 3, 50 }, { 2, 0x1E } };
    keypad.macros.push_back(macro);
    keypad.applications.push_back({ NewGuid(), L"C:\\Games\\game.exe" });
    return keypad;
}

// Two runs per file kind: one damages whole files, one only bodies that it seals again.
template <class Decode, class Encode>
void RunFileMutations(const char* parser, int count, const std::vector<std::vector<uint8_t>>& samples, Decode decode,
    Encode encode)
{
    CMutationRun whole((std::string(parser) + ", whole file").c_str(), count / 2);
    CMutationRun body((std::string(parser) + ", body sealed again").c_str(), count - count / 2);
    for (const std::vector<uint8_t>& sample : samples) {
        whole.AddSample(sample);
        body.AddSample(KeypadFileBody(sample));
    }
    const std::vector<uint8_t> envelope = samples.front();
    auto check = [&](const std::vector<uint8_t>& file) {
        const bool accepted = decode(file);
        if (accepted && encode() != file)
            return MutationResult::Fault("accepted, but does not encode back to the same bytes");
        return MutationResult::Of(accepted);
    };
    whole.Run(check);
    body.Run([&](const std::vector<uint8_t>& damagedBody) { return check(ResealKeypadFile(envelope, damagedBody)); });
    EXPECT_GT(body.Accepted(), 0) << parser;
}
}

TEST(ParserMutation, ServiceStateFiles)
{
    SimKeypad keypad;
    RunFileMutations("state file", kStateMutations, { EncodeKeypad(MakeKeypad()) },
        [&](const std::vector<uint8_t>& file) { return DecodeKeypad(file, keypad); },
        [&] { return EncodeKeypad(keypad); });
}

TEST(ParserMutation, ProfileImportFiles)
{
    const SimKeypad source = MakeKeypad();
    SimProfile profile;
    RunFileMutations("profile file", kImportMutations,
        { EncodeProfileFile(source.profiles[0]), EncodeProfileFile(source.profiles[1]) },
        [&](const std::vector<uint8_t>& file) { return DecodeProfileFile(file, profile); },
        [&] { return EncodeProfileFile(profile); });
}

TEST(ParserMutation, MacroImportFiles)
{
    const SimKeypad source = MakeKeypad();
    SimMacro macro;
    SimMacro empty;
    empty.name = L"Empty";
    RunFileMutations("macro file", kImportMutations, { EncodeMacroFile(source.macros[0]), EncodeMacroFile(empty) },
        [&](const std::vector<uint8_t>& file) { return DecodeMacroFile(file, macro); },
        [&] { return EncodeMacroFile(macro); });
}
