// Seeded mutation runs of the converter's reader: an old INI tree whose index, profile or
// macro file is damaged is read and converted as the converter does it. The key map and
// macro blobs carry an 8-bit sum that most damage breaks, so two further runs damage the
// blobs themselves and seal them again, for the conversion behind the reader; see
// CMutationRun.
#include "COldDataConverter.h"
#include "CMutationRun.h"
#include "FakeKeyDefinitions.h"
#include "OldTreeBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace
{
// The profile functions open the file on every call, which makes an input of this reader
// tens of times dearer than one of the parsers of memory.
constexpr int kIndexMutations = 200;
constexpr int kProfileMutations = 200;
constexpr int kMacroMutations = 300;
constexpr int kKeymapBlobMutations = 100;
constexpr int kMacroBlobMutations = 500;

const wchar_t kIndexFile[] = L"User Profiles\\config.ini";
const wchar_t kProfileFile[] = L"User Profiles\\Game.ini";
const wchar_t kMacroFile[] = L"User Macros\\Fire.ini";

ByteString ReadFileBytes(const CString& path)
{
    std::ifstream file(path.GetString(), std::ios::binary);
    return ByteString(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const CString& path, const ByteString& bytes)
{
    std::ofstream file(path.GetString(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

OldProfileSpec MakeProfileSpec()
{
    OldProfileSpec game;
    game.name = L"Game";
    game.exe = L"C:\\Games\\game.exe";
    game.keymap = 2;
    game.records[{ 0, 1 }] = { 32, 0, 0, 0, 1, L"D:\\Old\\Fire.ini" };
    game.records[{ 0, 2 }] = { 19, 0, 0, 0, 0, L"" };
    game.records[{ 0, 3 }] = { 1, 4, 0, 0, 0x1E, L"a A" };
    game.records[{ 0, 4 }] = { 50, 0, 0, 0, 0, L"Game" };
    game.records[{ 0, 5 }] = { 40, 0, 0, 0, 0, L"" };
    game.launchPaths[5] = L"C:\\Tools\\tool.exe";
    return game;
}

const std::vector<OldMacroEvent> kMacroEvents = { { 19, 1 }, { 0xFF, 40 }, { 19, 0 }, { 0, 1 }, { 7, 0x100 } };

// The files of a small old tree: an index of one profile, the profile with a key press, a
// macro, a launch and a profile switch, and the macro file.
struct OldTreeFiles
{
    ByteString index;
    ByteString profile;
    ByteString macro;
};

OldTreeFiles MakeTreeFiles()
{
    ScratchFolder folder;
    OldTreeBuilder tree(folder.Path());
    tree.WriteIndex({ L"Game" }, 0);
    tree.WriteProfile(L"Game", MakeProfileSpec());
    tree.WriteMacro(L"Fire.ini", kMacroEvents);
    return { ReadFileBytes(folder.Path() + kIndexFile), ReadFileBytes(folder.Path() + kProfileFile),
        ReadFileBytes(folder.Path() + kMacroFile) };
}

// A blob as the profile functions write a struct: two hex digits a byte, then their 8-bit sum.
std::string HexWithSum(const ByteString& blob)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    uint8_t sum = 0;
    for (uint8_t byte : blob) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
        sum = static_cast<uint8_t>(sum + byte);
    }
    text += kDigits[sum >> 4];
    text += kDigits[sum & 0xF];
    return text;
}

ByteString Text(const std::string& text)
{
    return ByteString(text.begin(), text.end());
}

// A profile file whose key map 0 is the blob and whose other key maps are empty.
ByteString ProfileFileWithBlob(ByteString blob)
{
    blob.resize(OldTreeBuilder::kKeymapBytes);
    const std::string empty = HexWithSum(OldTreeBuilder::MakeKeymapBlob({}));
    std::string text = "[Setting]\r\nName=Game\r\nKey map=0\r\n";
    for (int k = 0; k < OldProfile::kKeymapCount; ++k)
        text += "[macro" + std::to_string(k) + "]\r\nValue=" + (k == 0 ? HexWithSum(blob) : empty) + "\r\n";
    return Text(text + "[ExeFile]\r\n5=C:\\Tools\\tool.exe\r\n");
}

// A macro file of the events in the blob: its count the whole events there (at least one).
ByteString MacroFileWithBlob(ByteString blob)
{
    const size_t count = std::max<size_t>(1, std::min<size_t>(blob.size() / 8, 1000));
    blob.resize(OldTreeBuilder::kMacroChunkBytes);
    return Text("[Setting]\r\nCount=" + std::to_string(count) + "\r\nMacroSetting_0=" + HexWithSum(blob) + "\r\n");
}

// One input's tree, read and converted as the converter does it. Each input gets a folder
// of its own: the profile functions keep files they have read, so no path is written twice.
class COldTree
{
    ScratchFolder m_folder;
    FakeKeyDefinitions m_keys;
    CMessageLog m_log{ CMessageLog::Target::Text };
    COldIniReader m_reader{ m_folder.Path(), m_log };
    COldDataConverter m_converter{ m_keys, m_reader, m_log };

public:
    bool Write(const wchar_t* name, const ByteString& bytes)
    {
        CreateDirectoryW(m_folder.Path() + L"User Profiles", nullptr);
        CreateDirectoryW(m_folder.Path() + L"User Macros", nullptr);
        return WriteFileBytes(m_folder.Path() + name, bytes);
    }

    // The index and the profiles it names.
    MutationResult ConvertAll()
    {
        OldData old;
        const bool read = m_reader.ReadAllProfiles(old);
        CMWData data(old.header.profileCount);
        m_converter.ConvertProfiles(old, data);
        m_converter.ResolveReferences(data);
        return MutationResult::Of(read);
    }

    // The profile "Game" alone, as the index would name it.
    MutationResult ConvertProfile()
    {
        OldData old;
        old.header.profileCount = 1;
        old.profiles[0].indexName = L"Game";
        const bool read = m_reader.ReadProfileFile(old.profiles[0]);
        CMWData data(1);
        m_converter.ConvertProfiles(old, data);
        m_converter.ResolveReferences(data);
        return MutationResult::Of(read);
    }

    MutationResult ConvertMacros()
    {
        CMWData data(0);
        const bool converted = m_converter.ConvertMacros(data);
        m_converter.ResolveReferences(data);
        return MutationResult::Of(converted);
    }
};

void AddIniTokens(CMutationRun& run)
{
    for (const char* token : { "[", "]", "=", "\r\n", "[Setting]", "Totle=", "Count=", "Value=", "MacroSetting_0=", "-1",
             "99999999999", "0", "20", "21", "1000", "[macro0]", "[ExeFile]", "Name=", "[Profile]" })
        run.AddToken(token);
}

void RunFileMutations(CMutationRun& run, const ByteString& sample, const CMutationRun::Check& check)
{
    ASSERT_FALSE(sample.empty());
    run.AddSample(sample);
    AddIniTokens(run);
    run.Run(check);
}
}

TEST(ParserMutation, OldIndexFiles)
{
    const OldTreeFiles files = MakeTreeFiles();
    CMutationRun run("old index file", kIndexMutations);
    RunFileMutations(run, files.index, [&](const ByteString& input) {
        COldTree tree;
        if (!tree.Write(kIndexFile, input) || !tree.Write(kProfileFile, files.profile))
            return MutationResult::Fault("the tree could not be written");
        return tree.ConvertAll();
    });
    EXPECT_GT(run.Accepted(), 0);
}

TEST(ParserMutation, OldProfileFiles)
{
    CMutationRun run("old profile file", kProfileMutations);
    RunFileMutations(run, MakeTreeFiles().profile, [](const ByteString& input) {
        COldTree tree;
        return tree.Write(kProfileFile, input) ? tree.ConvertProfile() : MutationResult::Fault("not written");
    });
}

TEST(ParserMutation, OldMacroFiles)
{
    CMutationRun run("old macro file", kMacroMutations);
    RunFileMutations(run, MakeTreeFiles().macro, [](const ByteString& input) {
        COldTree tree;
        return tree.Write(kMacroFile, input) ? tree.ConvertMacros() : MutationResult::Fault("not written");
    });
}

TEST(ParserMutation, OldKeymapBlobsSealedAgain)
{
    std::map<int, OldKeySpec> records;
    for (const auto& item : MakeProfileSpec().records)
        records[item.first.second] = item.second;
    CMutationRun run("old key map blob, sealed again", kKeymapBlobMutations);
    run.AddSample(OldTreeBuilder::MakeKeymapBlob(records));
    run.Run([](const ByteString& blob) {
        COldTree tree;
        return tree.Write(kProfileFile, ProfileFileWithBlob(blob)) ? tree.ConvertProfile()
                                                                    : MutationResult::Fault("not written");
    });
    EXPECT_EQ(run.Accepted(), run.Survived()) << "every sealed blob of the right size reads";
}

TEST(ParserMutation, OldMacroBlobsSealedAgain)
{
    ByteString chunk(8 * kMacroEvents.size(), 0);
    for (size_t i = 0; i < kMacroEvents.size(); ++i) {
        chunk[8 * i] = kMacroEvents[i].first;
        for (int b = 0; b < 4; ++b)
            chunk[8 * i + 4 + static_cast<size_t>(b)] = static_cast<uint8_t>(kMacroEvents[i].second >> (8 * b));
    }
    CMutationRun run("old macro blob, sealed again", kMacroBlobMutations);
    run.AddSample(chunk);
    run.Run([](const ByteString& blob) {
        COldTree tree;
        return tree.Write(kMacroFile, MacroFileWithBlob(blob)) ? tree.ConvertMacros()
                                                                : MutationResult::Fault("not written");
    });
    EXPECT_GT(run.Accepted(), 0);
}
