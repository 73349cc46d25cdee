// Seeded mutation runs of the parsers the programs use on the skin's files: the key
// definition and key defaults files, the language files and INI files. Each starts from the
// shipped files (and small hand-made ones) and damages them; see CMutationRun.
#include "CGuardedBytes.h"
#include "CIniFile.h"
#include "CKeyDefTable.h"
#include "CLangTable.h"
#include "CMutationRun.h"
#include "ExeFolder.h"
#include "TestFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace
{
constexpr int kKeyDefMutations = 4000;
constexpr int kLanguageMutations = 4000;
constexpr int kIniMutations = 1000;

// A data file of the build's skin folders ("bin\\kbddef.dat"); empty when it is missing.
ByteString ReadShippedFile(const wchar_t* relativePath)
{
    CString folder = Utf8ToWide(VELMORA_SKIN_FOLDER);
    folder.Replace(L'/', L'\\');
    const CString path = GetModuleFolder() + folder + L"\\" + relativePath;
    std::ifstream file(path.GetString(), std::ios::binary);
    return ByteString(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ByteString Utf16(const std::wstring& text)
{
    ByteString bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<uint8_t>(ch & 0xFF));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    return bytes;
}

void Put(ByteString& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The key definition file of the records, as the file's layout lays them out.
ByteString EncodeKeyDefinitions(const std::vector<CKeyDefRecord>& records)
{
    ByteString bytes;
    Put(bytes, static_cast<uint32_t>(records.size()), 4);
    for (const CKeyDefRecord& record : records) {
        Put(bytes, static_cast<uint32_t>(record.name.GetLength() * 2), 4);
        for (int i = 0; i < record.name.GetLength(); ++i)
            Put(bytes, record.name[i], 2);
        Put(bytes, static_cast<uint16_t>(record.value1), 2);
        Put(bytes, static_cast<uint16_t>(record.value2), 2);
        for (const CScanEntry& entry : record.scan) {
            Put(bytes, static_cast<uint16_t>(entry.code), 2);
            bytes.push_back(entry.flag);
            bytes.push_back(entry.unused);
        }
        for (const auto& block : record.blocks)
            bytes.insert(bytes.end(), std::begin(block), std::end(block));
    }
    return bytes;
}

uint32_t ReadU32(const ByteString& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

MutationResult LoadKeyDefinitions(const ByteString& input)
{
    CGuardedBytes guarded(input);
    CKeyDefTable table;
    const bool loaded = table.Load(guarded.Data(), static_cast<int>(input.size()));
    if (!loaded)
        return table.GetRecords().empty() ? MutationResult::Of(false) : MutationResult::Fault("refused, yet records stayed");
    if (EncodeKeyDefinitions(table.GetRecords()) != input)
        return MutationResult::Fault("accepted, but its records do not encode back to the same bytes");
    for (const CKeyDefRecord& record : table.GetRecords()) {
        if (record.IsUsable() && !table.FindKey(record.keyId))
            return MutationResult::Fault("a usable record is not in the key map");
    }
    return MutationResult::Of(true);
}

// A defaults file passes with up to 7 bytes after its pairs; every pair is stored, a later
// pair of one key id replacing the earlier.
MutationResult LoadKeyDefaults(const ByteString& input)
{
    CGuardedBytes guarded(input);
    CKeyDefTable table;
    if (!table.LoadDefaults(guarded.Data(), static_cast<int>(input.size())))
        return MutationResult::Of(false);
    const uint32_t count = ReadU32(input, 0);
    if (input.size() < 4 + 8 * static_cast<size_t>(count) || input.size() > 4 + 8 * static_cast<size_t>(count) + 7)
        return MutationResult::Fault("accepted with a size that does not match its count");
    std::map<int32_t, uint32_t> expected;
    for (uint32_t i = 0; i < count; ++i)
        expected[static_cast<int32_t>(ReadU32(input, 4 + 8 * i))] = ReadU32(input, 8 + 8 * i);
    for (const auto& pair : expected) {
        uint32_t stored = 0;
        if (!table.GetDefaultValue(pair.first, stored) || stored != pair.second)
            return MutationResult::Fault("a pair of the file was not stored as it stands");
    }
    return MutationResult::Of(true);
}

MutationResult ParseLanguage(const ByteString& input)
{
    CGuardedBytes guarded(input);
    CLangTable table;
    const bool parsed = table.ParseFile(guarded.Data(), static_cast<int>(input.size()));
    if (parsed != (table.GetPairCount() > 0))
        return MutationResult::Fault("the result does not say whether pairs were read");
    // Lookups walk every key of the table, however the file left it.
    CString text;
    for (const wchar_t* wanted : { L"$Apply", L"#Key", L"$", L"#", L"$ a b c " })
        table.Lookup(wanted, text);
    return MutationResult::Of(parsed);
}

void AddTextTokens(CMutationRun& run, std::initializer_list<const wchar_t*> tokens)
{
    for (const wchar_t* token : tokens)
        run.AddToken(Utf16(token));
}
}

TEST(ParserMutation, KeyDefinitionFiles)
{
    const ByteString shipped = ReadShippedFile(L"bin\\kbddef.dat");
    ASSERT_FALSE(shipped.empty());
    CMutationRun run("key definition file", kKeyDefMutations);
    run.AddSample(shipped);
    // A small file of three records, so that edits often reach its count and lengths.
    CKeyDefTable table;
    ASSERT_TRUE(table.Load(shipped.data(), static_cast<int>(shipped.size())));
    const std::vector<CKeyDefRecord> three(table.GetRecords().begin(), table.GetRecords().begin() + 3);
    run.AddSample(EncodeKeyDefinitions(three));
    run.AddSample(EncodeKeyDefinitions({ three[0] }));
    run.Run(LoadKeyDefinitions);
    EXPECT_GT(run.Accepted(), 0);
}

TEST(ParserMutation, KeyDefaultsFiles)
{
    const ByteString shipped = ReadShippedFile(L"bin\\velmodef.dat");
    ASSERT_GE(shipped.size(), 4u);
    CMutationRun run("key defaults file", kKeyDefMutations);
    run.AddSample(shipped);
    run.AddSample(ByteString(shipped.begin(), shipped.begin() + 4 + 8 * 2));
    run.Run(LoadKeyDefaults);
    EXPECT_GT(run.Accepted(), 0);
}

TEST(ParserMutation, LanguageFiles)
{
    CMutationRun run("language file", kLanguageMutations);
    for (int id = 0; id < kLanguageCount; id += 4) {
        const ByteString shipped = ReadShippedFile(CString(L"lang\\") + GetLanguageName(id) + L".txt");
        ASSERT_FALSE(shipped.empty()) << GetLanguageName(id);
        run.AddSample(shipped);
    }
    run.AddSample(Utf16(L"Test\r\nv1\r\nApply\r\nAnwenden\r\nKey Name\r\nTaste\r\nEND OF FILE\r\n"));
    AddTextTokens(run, { L"\r", L"\n", L"\r\n", L"END OF FILE", L"$", L"#", L" ", L"\xFEFF", L"\xD800" });
    run.Run(ParseLanguage);
    EXPECT_GT(run.Accepted(), 0);
}

TEST(ParserMutation, IniFiles)
{
    CTestSkinFolder folder(L"VelmoraIni");
    const char text[] =
        "; settings\r\n[SETTINGS]\r\nActiveProfileName=Profile 1\r\nLanguage = English \r\n\r\n"
        "[Colours]\r\nText=255,255,255\r\nEmpty=\r\n[SETTINGS]\r\nLast=1\r\n";
    CMutationRun run("INI file", kIniMutations);
    run.AddSample(ByteString(text, text + sizeof text - 1));
    ByteString wide = { 0xFF, 0xFE };
    const ByteString body = Utf16(L"[SETTINGS]\r\nActiveProfileName=Profil \x00E9t\x00E9\r\n[Colours]\r\nText=1,2,3\r\n");
    wide.insert(wide.end(), body.begin(), body.end());
    run.AddSample(wide);
    for (const char* token : { "[", "]", "=", ";", "\r\n", "\n", "[SETTINGS]", "ActiveProfileName=", "\xFF\xFE", "\xEF\xBB\xBF" })
        run.AddToken(token);
    run.AddToken(ByteString(5000, 'x'));
    int seed = 0;
    run.Run([&](const ByteString& input) {
        // A new name for every input: the profile functions keep files they have read.
        const CString name = FormatString(L"settings%d.ini", ++seed);
        if (!folder.Write(name, input))
            return MutationResult::Fault("the input could not be written");
        const CIniFile ini(folder.Path() + name);
        bool found = false;
        for (const wchar_t* key : { L"ActiveProfileName", L"Language", L"Last", L"Missing" }) {
            const CString value = ini.GetString(L"SETTINGS", key, L"?");
            if (value.GetLength() > 4095)
                return MutationResult::Fault("a value longer than the buffer");
            found = found || value != L"?";
        }
        DeleteFileW(folder.Path() + name);
        return MutationResult::Of(found);
    });
    EXPECT_GT(run.Accepted(), 0);
}
