#include "CLangTable.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace
{
// The text as UTF-16LE bytes, as language files hold it.
std::vector<uint8_t> Utf16(const std::wstring& text)
{
    std::vector<uint8_t> bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<uint8_t>(ch & 0xFF));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    return bytes;
}

struct ParsedTexts
{
    bool result;
    CString name;
    std::vector<std::pair<CString, CString>> texts;
};

ParsedTexts Parse(const std::vector<uint8_t>& bytes)
{
    CLangTable table;
    bool result = table.ParseFile(bytes.data(), static_cast<int>(bytes.size()));
    return { result, table.GetLanguageName(), table.GetTexts() };
}

using Texts = std::vector<std::pair<CString, CString>>;

CLangTable& SampleTable()
{
    static CLangTable table;
    if (table.GetPairCount() == 0) {
        std::vector<uint8_t> bytes = Utf16(
            L"English\r\nsample\r\n"
            L"Restore Defaults\r\nRestore defaults\r\n"
            L"Play Once\r\nPlay once\r\n"
            L"PlayMultipleTimes\r\nPlay multiple times\r\n"
            L"Line\\nBreak\r\nFirst\\nSecond\r\n");
        table.ParseFile(bytes.data(), static_cast<int>(bytes.size()));
    }
    return table;
}
}

TEST(CLangTableParse, ReadsLinesThePairsAndTheEnd)
{
    struct Case { const char* what; std::wstring file; bool result; const wchar_t* name; Texts texts; };
    const Case cases[] = {
        { "CR LF line ends", L"English\r\nv1\r\nkey1\r\ntext1\r\nkey2\r\ntext2\r\n", true, L"English",
            { { L"key1", L"text1" }, { L"key2", L"text2" } } },
        { "CR alone ends a line", L"English\rv1\rkey1\rtext1", true, L"English", { { L"key1", L"text1" } } },
        { "blank lines do not count", L"English\r\n\r\nv1\r\n\r\n\r\nkey1\r\n\r\ntext1\r\n\r\n", true, L"English",
            { { L"key1", L"text1" } } },
        { "a byte-order mark stays in line 0", L"\xFEFF" L"English\r\nv1\r\nk\r\nt\r\n", true, L"\xFEFF" L"English",
            { { L"k", L"t" } } },
        { "END OF FILE in any case stops the parse", L"E\r\nv\r\nk1\r\nt1\r\nEnd Of File\r\nk2\r\nt2\r\n", true, L"E",
            { { L"k1", L"t1" } } },
        { "END OF FILE as a text line stops too", L"E\r\nv\r\nk1\r\nt1\r\nk2\r\nend of file\r\nk3\r\nt3\r\n", true, L"E",
            { { L"k1", L"t1" } } },
        { "a trailing key without text adds nothing", L"E\r\nv\r\nk1\r\nt1\r\nk2", true, L"E", { { L"k1", L"t1" } } },
        { "LF alone ends nothing", L"E\nv\nk1\nt1\n", false, L"E\nv\nk1\nt1\n", {} },
        { "keys and texts keep their blanks", L"E\r\nv\r\n Save As \r\n  Save as \r\n", true, L"E",
            { { L" Save As ", L"  Save as " } } },
        { "only the header", L"E\r\nv\r\n", false, L"E", {} },
    };
    for (const Case& c : cases) {
        ParsedTexts parsed = Parse(Utf16(c.file));
        EXPECT_EQ(parsed.result, c.result) << c.what;
        EXPECT_EQ(parsed.name, c.name) << c.what;
        EXPECT_EQ(parsed.texts, c.texts) << c.what;
    }
}

TEST(CLangTableParse, IgnoresAnOddLastByteAndEmptyData)
{
    std::vector<uint8_t> bytes = Utf16(L"E\r\nv\r\nk\r\nt");
    bytes.push_back(0x41);
    ParsedTexts parsed = Parse(bytes);
    EXPECT_TRUE(parsed.result);
    EXPECT_EQ(parsed.texts, (Texts{ { L"k", L"t" } }));

    CLangTable table;
    EXPECT_FALSE(table.ParseFile(nullptr, 10));
    EXPECT_FALSE(table.ParseFile(bytes.data(), 0));
    EXPECT_FALSE(table.ParseFile(bytes.data(), 1));
}

TEST(CLangTableLookup, FollowsTheDollarAndNumberSignRules)
{
    struct Case { const wchar_t* text; bool found; const wchar_t* result; };
    const Case cases[] = {
        { L"$RestoreDefaults", true, L"Restore defaults" },
        { L"$restoredefaults", true, L"Restore defaults" },
        { L"$RESTOREDEFAULTS", true, L"Restore defaults" },
        { L"$PlayMultipleTimes", true, L"Play multiple times" },
        { L"$Line\\nBreak", true, L"First\\nSecond" },
        // The text is not compacted: a blank after "$" never matches.
        { L"$ RestoreDefaults", false, L"$ RestoreDefaults" },
        { L"$Restore Defaults", false, L"$Restore Defaults" },
        { L"$Restore", false, L"$Restore" },
        { L"$Unknown", false, L"$Unknown" },
        { L"#Play", true, L"Play once" },
        { L"#playm", true, L"Play multiple times" },
        { L"#Nothing", false, L"#Nothing" },
        { L"RestoreDefaults", false, L"RestoreDefaults" },
        { L"$", false, L"$" },
        { L"#", false, L"#" },
        { L"", false, L"" },
    };
    const CLangTable& table = SampleTable();
    for (const Case& c : cases) {
        CString result = L"unset";
        EXPECT_EQ(table.Lookup(c.text, result), c.found) << c.text;
        EXPECT_EQ(result, c.result) << c.text;
    }
}

TEST(CLangTableLookup, ComparesAtMostFiftyNineCharactersOfTheKey)
{
    const std::wstring key59(59, L'k');
    std::vector<uint8_t> bytes = Utf16(L"E\r\nv\r\n" + key59 + L"\r\nfound\r\n" + key59 + L"zz\r\nlonger\r\n");
    CLangTable table;
    ASSERT_TRUE(table.ParseFile(bytes.data(), static_cast<int>(bytes.size())));
    CString result;
    EXPECT_TRUE(table.Lookup((L"$" + key59).c_str(), result));
    EXPECT_EQ(result, L"found");
    // Past 59 characters nothing matches, although the second key spells the text.
    EXPECT_FALSE(table.Lookup((L"$" + key59 + L"zz").c_str(), result));
    EXPECT_EQ(result, (L"$" + key59 + L"zz").c_str());
}

TEST(LookupText, ShowsTheTextItselfWithoutAnActiveTable)
{
    CLangTable* saved = g_pLangTable;
    g_pLangTable = nullptr;
    CString result;
    EXPECT_FALSE(LookupText(L"$RestoreDefaults", result));
    EXPECT_EQ(result, L"$RestoreDefaults");
    EXPECT_EQ(RemapLanguageFont(13), 13);
    g_pLangTable = &SampleTable();
    EXPECT_TRUE(LookupText(L"$RestoreDefaults", result));
    EXPECT_EQ(result, L"Restore defaults");
    g_pLangTable = saved;
}

TEST(LanguageIds, NameEachLanguageIgnoringCase)
{
    const wchar_t* names[] = { L"English", L"ChineseSimplified", L"ChineseTraditional", L"French", L"German",
        L"Japanese", L"Korean", L"Russian", L"Spanish" };
    for (int id = 0; id < kLanguageCount; ++id) {
        EXPECT_STREQ(GetLanguageName(id), names[id]);
        EXPECT_EQ(GetLanguageIdByName(names[id]), id);
        EXPECT_EQ(GetLanguageIdByName(CString(names[id]).MakeUpper()), id);
    }
    EXPECT_EQ(GetLanguageIdByName(L"Klingon"), -1);
    EXPECT_EQ(GetLanguageName(9), nullptr);
}

TEST(CLangTableOverrides, AreReadFromTheLanguageElement)
{
    InitVocabularyTables();
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        "<LANG name='LANGUAGE_GERMAN' file='German.txt'>"
        "  <LANGFONT fontsearch='FONT_ARIAL12' fontreplace='FONT_ARIAL14'/>"
        "  <LANGFONT fontsearch='FONT_ARIAL13' fontreplace='FONT_UNKNOWN'/>"
        "  <LANGOVERRIDECOL name='LCITEM_PROFILENAME' width='140'/>"
        "  <LANGOVERRIDECOL name='LCITEM_NOSUCHCOLUMN' width='10'/>"
        "  <LANGOVERRIDECOL name='LCITEM_PROFILEEXE' width='90' extra='1'/>"
        "  <LANGOVERRIDE name='BUTTON_OK' caption='$Okay'/>"
        "  <LANGOVERRIDE name='BUTTON_APPLY'><RECT left='5' top='6' right='70' bottom='20'/></LANGOVERRIDE>"
        "  <LANGOVERRIDE name='BUTTON_HELP'><SBMN>help_n.bmp</SBMN><SBMO>help_o.bmp</SBMO></LANGOVERRIDE>"
        "  <LANGOVERRIDE name='BUTTON_NOSUCHBUTTON' caption='x'/>"
        "  <LANGOVERRIDE name='BUTTON_EXIT' caption='a' fontid='b'/>"
        "</LANG>"));
    CLangTable table;
    table.ReadSkinOverrides(document.child("LANG"));

    EXPECT_EQ(table.GetReplacementFont(GetGUIItemId(L"FONT_ARIAL12")), GetGUIItemId(L"FONT_ARIAL14"));
    EXPECT_EQ(table.GetReplacementFont(GetGUIItemId(L"FONT_ARIAL13")), GetGUIItemId(L"FONT_ARIAL13"));

    const CLangOverride* width = table.FindColumnWidth(GetListColumnId(L"LCITEM_PROFILENAME"));
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->GetText(), L"140");
    EXPECT_EQ(table.FindColumnWidth(GetListColumnId(L"LCITEM_PROFILEEXE")), nullptr);

    const CLangOverride* caption = table.FindItemOverride(48, L"CAPTION");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->GetText(), L"$Okay");
    const CLangOverride* rect = table.FindItemOverride(50, L"rect");
    ASSERT_NE(rect, nullptr);
    RECT coordinates = {};
    ASSERT_TRUE(rect->GetRect(coordinates));
    EXPECT_EQ(coordinates.left, 5);
    EXPECT_EQ(coordinates.bottom, 20);
    ASSERT_NE(table.FindItemOverride(53, L"SBMO"), nullptr);
    EXPECT_EQ(table.FindItemOverride(53, L"SBMO")->GetText(), L"help_o.bmp");
    EXPECT_EQ(table.FindItemOverride(53, L"SBMD"), nullptr);
    EXPECT_EQ(table.FindItemOverride(51, L"caption"), nullptr);
    EXPECT_EQ(table.FindItemOverride(48, L"RECT"), nullptr);
}
