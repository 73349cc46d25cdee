// Seeded mutation run of the page loader: damaged copies of the gallery page (one of every
// element the factory builds) and of a small page are loaded into a window, their items
// built and destroyed again; see CMutationRun.
#include "CGUIItems.h"
#include "CLangTable.h"
#include "CMutationRun.h"
#include "CSkinResourceList.h"
#include "ExeFolder.h"
#include "GUIPageLoader.h"
#include "TestFolder.h"
#include "Utf8.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace
{
// Every input builds its windows, which makes an input of the loader tens of times dearer
// than one of the parsers of memory.
constexpr int kPageMutations = 400;

const char kSmallPage[] =
    "<GUIPANEL><BACKGROUND>button_n.bmp</BACKGROUND><MASK>button_n.bmp</MASK>"
    "<LANGLIST><LANG name=\"LANGUAGE_ENGLISH\" file=\"English.txt\"/></LANGLIST>"
    "<FONTLIST><FONT name=\"FONT_ARIAL10\" pitch=\"10\"/></FONTLIST>"
    "<BUTTONLIST><BUTTON name=\"BUTTON_OK\" caption=\"$Apply\" fontid=\"FONT_ARIAL10\">"
    "<RECT left=\"1\" top=\"2\" right=\"30\" bottom=\"10\"/><SBMN fontclr=\"WHITE\">button_n.bmp</SBMN></BUTTON></BUTTONLIST>"
    "<TEXTLIST><TEXTITEM name=\"TEXT_SLCT_SHIFT\" windowid=\"BUTTON_OK\" checkboxid=\"BUTTON_OK\" textkey=\"#Key\"/></TEXTLIST>"
    "</GUIPANEL>";

ByteString ReadFileBytes(const CString& path)
{
    std::ifstream file(path.GetString(), std::ios::binary);
    return ByteString(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The loader's globals as a test found them: the language tables a damaged page adds point
// into its items, so they go with the items.
class CLanguageGlobalsGuard
{
    CLangTable* m_active = g_pLangTable;
    std::map<int, CLangTable*> m_tables = g_langTables;

public:
    CLanguageGlobalsGuard() = default;
    ~CLanguageGlobalsGuard() { Restore(); }
    CLanguageGlobalsGuard(const CLanguageGlobalsGuard&) = delete;
    CLanguageGlobalsGuard& operator=(const CLanguageGlobalsGuard&) = delete;

    void Restore()
    {
        g_pLangTable = m_active;
        g_langTables = m_tables;
    }
};
}

TEST(ParserMutation, PageFiles)
{
    InitVocabularyTables();
    CTestSkinFolder scratch(L"VelmoraPages");
    // The pictures and language files a page names come from the build's skin folders.
    CString skin = Utf8ToWide(VELMORA_SKIN_FOLDER);
    skin.Replace(L'/', L'\\');
    g_exeFolder = GetModuleFolder() + skin + L"\\";
    const ByteString gallery = ReadFileBytes(g_exeFolder + L"xml\\GalleryPage.xml");
    ASSERT_FALSE(gallery.empty());
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Owner", WS_POPUP, CRect(0, 0, 640, 480), nullptr, nullptr));
    CLanguageGlobalsGuard languages;

    CMutationRun run("page file", kPageMutations);
    run.AddSample(gallery);
    run.AddSample(ByteString(kSmallPage, kSmallPage + sizeof kSmallPage - 1));
    for (const char* token : { "<", ">", "/>", "</", "=\"", "\"", "&amp;", "&#0;", "<![CDATA[", "<!--", "-->",
             "<RECT left=\"-2147483648\" top=\"99999999999\" right=\"-1\" bottom=\"0x10\"/>", " name=\"BUTTON_OK\"",
             " windowid=\"BUTTON_OK\"", " fontid=\"FONT_ARIAL10\"", " file=\"English.txt\"", "<COLOUR backclr=\"RED\"/>",
             "<KEYBOARDDEF name=\"KBDDEF_WINDOWS\" file=\"none.dat\"/>", "<COMBOITEM>$cut</COMBOITEM>" })
        run.AddToken(token);
    const CString path = scratch.Path() + L"Page.xml";
    run.Run([&](const ByteString& input) {
        if (!scratch.Write(L"Page.xml", input))
            return MutationResult::Fault("the input could not be written");
        CGUIItems items;
        CProgressMessenger progress;
        const bool loaded = LoadGUIPageFile(&items, path, &owner, progress);
        languages.Restore();
        items.DeleteAll();
        return MutationResult::Of(loaded);
    });
    EXPECT_GT(run.Accepted(), 0);
    FreeSkinResources();
}
