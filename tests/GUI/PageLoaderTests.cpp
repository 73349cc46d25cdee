#include "CBitmapBtn.h"
#include "CBitmapItem.h"
#include "CBitmapWindow.h"
#include "CBmpInfo.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CFontItem.h"
#include "CKeyboardKeyItem.h"
#include "CLangTable.h"
#include "CListPanelItem.h"
#include "CPanelBitmap.h"
#include "CTextItem.h"
#include "GUIPageLoader.h"
#include "ItemBuilders.h"
#include "TestFolder.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Utf16(const std::wstring& text)
{
    std::vector<uint8_t> bytes;
    for (wchar_t ch : text)
    {
        bytes.push_back(static_cast<uint8_t>(ch & 0xFF));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    return bytes;
}

const char kPanelHead[] = "<GUIPANEL><BACKGROUND>bg.bmp</BACKGROUND><MASK>mask.bmp</MASK>";

// Collects what a progress messenger sends.
class CProgressWindow : public CWnd
{
public:
    std::vector<int> m_percents;
    std::vector<std::wstring> m_texts;

    bool CreateHidden() { return CreateEx(0, nullptr, L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, nullptr); }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_GUI_PROGRESS)
            m_percents.push_back(static_cast<int>(lParam));
        if (message == WM_GUI_PROGRESS_TEXT)
            m_texts.push_back(reinterpret_cast<const wchar_t*>(lParam));
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class PageLoaderTest : public testing::Test
{
protected:
    CTestSkinFolder m_folder;
    CWnd m_owner;
    CGUIItems m_items;
    CLangTable* m_savedTable = nullptr;

    void SetUp() override
    {
        InitVocabularyTables();
        m_savedTable = g_pLangTable;
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, L"Owner", WS_POPUP, CRect(0, 0, 400, 300), nullptr, nullptr));
        m_folder.Write(L"skins\\bg.bmp", MakeBmpFile(300, 200, RGB(10, 20, 30)));
        m_folder.Write(L"skins\\mask.bmp", MakeBmpFile(300, 200, RGB(0, 0, 0)));
        m_folder.Write(L"skins\\white.bmp", MakeBmpFile(30, 20, RGB(255, 255, 255)));
    }
    void TearDown() override
    {
        g_pLangTable = m_savedTable;
        m_items.DeleteAll();
    }

    bool Load(const std::string& xml)
    {
        m_folder.Write(L"xml\\Page.xml", Bytes(xml));
        return LoadGUIPage(m_items, L"Page.xml", &m_owner);
    }
    template <class T>
    T* Find(const wchar_t* name, int kind) const
    {
        return m_items.FindItemOfKind<T>(GetGUIItemId(name), kind);
    }
};
}

TEST_F(PageLoaderTest, RootsAndFailures)
{
    struct Case
    {
        const char* what;
        const char* file;
        bool loaded;
        int items;
    } cases[] = {
        { "not well-formed", "<GUIPANEL><BACKGROUND>bg.bmp</GUIPANEL>", false, 0 },
        { "unknown root", "<PAGE/>", false, 0 },
        { "panel with background and mask", "<GUIPANEL><BACKGROUND>bg.bmp</BACKGROUND><MASK>mask.bmp</MASK></GUIPANEL>", true, 2 },
        { "panel without mask builds nothing", "<GUIPANEL><BACKGROUND>bg.bmp</BACKGROUND></GUIPANEL>", false, 0 },
        { "panel whose background does not load", "<GUIPANEL><BACKGROUND>none.bmp</BACKGROUND><MASK>mask.bmp</MASK></GUIPANEL>", false, 0 },
        { "item list", "<ITEMLIST/>", true, 0 },
        { "item list with a failing KEYBOARDDEF", "<ITEMLIST><KEYBOARDDEF name=\"KBDDEF_WINDOWS\" file=\"none.dat\"/></ITEMLIST>", true, 0 },
        { "keyboard page without KEYBOARDDEF", "<KEYBOARD/>", false, 0 },
        { "keyboard page whose definitions do not load", "<KEYBOARD><KEYBOARDDEF name=\"KBDDEF_WINDOWS\" file=\"none.dat\"/></KEYBOARD>", false, 0 },
    };
    for (const Case& c : cases)
    {
        m_items.DeleteAll();
        EXPECT_EQ(Load(c.file), c.loaded) << c.what;
        EXPECT_EQ(m_items.GetCount(), c.items) << c.what;
    }
    EXPECT_FALSE(LoadGUIPage(m_items, L"Missing.xml", &m_owner));
    CProgressMessenger progress;
    EXPECT_FALSE(LoadGUIPageFile(nullptr, m_folder.Path() + L"xml\\Page.xml", &m_owner, progress));
}

TEST_F(PageLoaderTest, PanelBitmapsAreCopiesWithTheirIds)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) + "</GUIPANEL>"));
    CPanelBitmap* background = m_items.FindItemOfKind<CPanelBitmap>(kBackgroundItemId, GUIKIND_PANELBITMAP);
    CPanelBitmap* mask = m_items.FindItemOfKind<CPanelBitmap>(kMaskItemId, GUIKIND_PANELBITMAP);
    ASSERT_NE(background, nullptr);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(background->GetSize(), CSize(300, 200));
    EXPECT_EQ(background->m_hWnd, nullptr);
    EXPECT_EQ(background->m_pParentWnd, &m_owner);
}

TEST_F(PageLoaderTest, ProgressReportsThePageNameAndEveryStep)
{
    m_folder.Write(L"xml\\Page.xml", Bytes("<ITEMLIST/>"));
    CProgressWindow window;
    ASSERT_TRUE(window.CreateHidden());
    CProgressMessenger progress;
    progress.AddWindow(window.m_hWnd);
    ASSERT_TRUE(LoadGUIPageFile(&m_items, m_folder.Path() + L"xml\\Page.xml", &m_owner, progress));
    const std::vector<int> expected = { 0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 100 };
    EXPECT_EQ(window.m_percents, expected);
    ASSERT_EQ(window.m_texts.size(), 1u);
    EXPECT_EQ(window.m_texts[0], L"Page.xml");
}

TEST_F(PageLoaderTest, ReferencesFindOnlyItemsBuiltBefore)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<BITMAPLIST><BITMAPITEM name=\"BITMAP_VELMORA\" moveable=\"0\"><RECT left=\"5\" top=\"5\" right=\"100\" bottom=\"60\"/></BITMAPITEM></BITMAPLIST>"
        "<BUTTONLIST>"
        "<BUTTON name=\"BUTTON_OK\" windowid=\"BITMAP_VELMORA\"><RECT right=\"20\" bottom=\"10\"/></BUTTON>"
        "<BUTTON name=\"BUTTON_CANCEL\" windowid=\"BUTTON_OK\"><RECT right=\"20\" bottom=\"10\"/></BUTTON>"
        "<BUTTON name=\"NOT_A_NAME\"><RECT right=\"20\" bottom=\"10\"/></BUTTON>"
        "<BUTTON name=\"BUTTON_APPLY\"><RECT right=\"20\" bottom=\"10\"/></BUTTON>"
        "<BUTTON name=\"BUTTON_APPLY\" caption=\"second\"><RECT right=\"20\" bottom=\"10\"/></BUTTON>"
        "</BUTTONLIST>"
        "<TEXTLIST>"
        "<TEXTITEM name=\"TEXT_SLCT_SHIFT\" windowid=\"BITMAP_VELMORA\" checkboxid=\"BUTTON_OK\"/>"
        "<TEXTITEM name=\"TEXT_SLCT_CTRL\" windowid=\"BUTTON_OK\" fontid=\"FONT_ARIAL10\"/>"
        "</TEXTLIST>"
        "<FONTLIST><FONT name=\"FONT_ARIAL10\" pitch=\"10\"/></FONTLIST>"
        "</GUIPANEL>"));
    auto* host = Find<CBitmapItem>(L"BITMAP_VELMORA", GUIKIND_BITMAPITEM);
    auto* ok = Find<CBitmapBtn>(L"BUTTON_OK", GUIKIND_BITMAPBTN);
    auto* cancel = Find<CBitmapBtn>(L"BUTTON_CANCEL", GUIKIND_BITMAPBTN);
    auto* inHost = Find<CTextItem>(L"TEXT_SLCT_SHIFT", GUIKIND_TEXTITEM);
    auto* inOwner = Find<CTextItem>(L"TEXT_SLCT_CTRL", GUIKIND_TEXTITEM);
    ASSERT_TRUE(host && ok && cancel && inHost && inOwner);
    EXPECT_EQ(::GetParent(ok->m_hWnd), host->m_hWnd) << "windowid names a bitmap item";
    EXPECT_EQ(ok->CGUIItem::m_pParentWnd, host);
    EXPECT_EQ(::GetParent(cancel->m_hWnd), m_owner.m_hWnd) << "windowid naming a button means the owner";
    EXPECT_EQ(::GetParent(inHost->m_hWnd), host->m_hWnd);
    EXPECT_EQ(inHost->GetBuddy(), ok);
    EXPECT_EQ(::GetParent(inOwner->m_hWnd), m_owner.m_hWnd);
    // The FONT list is in the page after the texts, but its step runs before theirs.
    EXPECT_EQ(inOwner->GetFont(), static_cast<HFONT>(*Find<CFontItem>(L"FONT_ARIAL10", GUIKIND_FONT)));
    // Two items of one id: the first built is found; the unknown name is skipped.
    auto* apply = Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    ASSERT_NE(apply, nullptr);
    EXPECT_TRUE(apply->GetCaption().IsEmpty());
    EXPECT_EQ(m_items.GetCount(), 2 + 1 + 4 + 2 + 1);
}

TEST_F(PageLoaderTest, ButtonValueConventions)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<BUTTONLIST>"
        "<BUTTON name=\"BUTTON_OK\" justify=\"C\" multiline=\"1\" caption=\"Ok\" caps=\"U\" lmargin=\"-5\"><RECT left=\"10\" top=\"20\" right=\"100\" bottom=\"30\"/></BUTTON>"
        "<BUTTON name=\"BUTTON_CANCEL\" justify=\"R\" caption=\"Cancel\" caps=\"L\" lmargin=\"7\" ischeckbox=\"yes\"/>"
        "<BUTTON name=\"BUTTON_APPLY\" caption=\"\"><SBMN fontclr=\"RED\">none.bmp</SBMN></BUTTON>"
        "</BUTTONLIST></GUIPANEL>"));
    auto* ok = Find<CBitmapBtn>(L"BUTTON_OK", GUIKIND_BITMAPBTN);
    auto* cancel = Find<CBitmapBtn>(L"BUTTON_CANCEL", GUIKIND_BITMAPBTN);
    auto* apply = Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    ASSERT_TRUE(ok && cancel && apply);

    CRect rect;
    ok->GetWindowRect(&rect);
    m_owner.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 110, 50));
    EXPECT_EQ(ok->GetStyle() & (BS_CENTER | BS_MULTILINE | BS_VCENTER | BS_TYPEMASK),
        static_cast<DWORD>(BS_CENTER | BS_MULTILINE | BS_VCENTER | BS_OWNERDRAW));
    EXPECT_EQ(ok->GetTextFormat(), static_cast<UINT>(DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_MODIFYSTRING));
    EXPECT_EQ(ok->GetCaptionOffset(), 0);
    EXPECT_EQ(ok->GetWindowText(), L"OK") << "caps U is upper case";
    EXPECT_FALSE(ok->IsCheckBox());

    EXPECT_EQ(cancel->GetTextFormat(),
        static_cast<UINT>(DT_RIGHT | DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER | DT_EDITCONTROL | DT_MODIFYSTRING));
    EXPECT_EQ(cancel->GetWindowText(), L"cancel") << "caps L is lower case";
    EXPECT_EQ(cancel->GetCaptionOffset(), 7);
    EXPECT_TRUE(cancel->IsCheckBox());
    CRect empty;
    cancel->GetWindowRect(&empty);
    EXPECT_TRUE(empty.IsRectEmpty()) << "no RECT gives an empty rectangle";

    EXPECT_TRUE(apply->GetWindowText().IsEmpty());
    for (CGUIItem* item : { static_cast<CGUIItem*>(ok), static_cast<CGUIItem*>(cancel) })
        EXPECT_EQ(GetItemIdProperty(item->m_hWnd), item->m_id);
}

TEST_F(PageLoaderTest, LanguageTranslatesAndOverridesAttributes)
{
    CLangTable table;
    const std::vector<uint8_t> file = Utf16(L"Test\r\nv1\r\nApply Now\r\nAnwenden\r\nHeading\r\nTitel\r\n");
    ASSERT_TRUE(table.ParseFile(file.data(), static_cast<int>(file.size())));
    const int okId = GetGUIItemId(L"BUTTON_OK");
    const int32_t rect[4] = { 40, 50, 60, 20 };
    table.AddOverride(okId, -1, L"RECT", rect, sizeof(rect));
    table.AddTextOverride(okId, -1, L"caption", L"$Heading");
    table.AddTextOverride(GetGUIItemId(L"TEXT_SLCT_SHIFT"), -1, L"caps", L"U");
    g_pLangTable = &table;

    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<BUTTONLIST>"
        "<BUTTON name=\"BUTTON_OK\" caption=\"Ok\"><RECT left=\"1\" top=\"1\" right=\"5\" bottom=\"5\"/></BUTTON>"
        "<BUTTON name=\"BUTTON_APPLY\" caption=\"$ApplyNow\"/>"
        "</BUTTONLIST>"
        "<TEXTLIST>"
        "<TEXTITEM name=\"TEXT_SLCT_SHIFT\" textkey=\"$heading\"/>"
        "<TEXTITEM name=\"TEXT_SLCT_CTRL\" textkey=\"Untranslated\" caps=\"U\"/>"
        "</TEXTLIST></GUIPANEL>"));
    auto* ok = Find<CBitmapBtn>(L"BUTTON_OK", GUIKIND_BITMAPBTN);
    auto* apply = Find<CBitmapBtn>(L"BUTTON_APPLY", GUIKIND_BITMAPBTN);
    auto* heading = Find<CTextItem>(L"TEXT_SLCT_SHIFT", GUIKIND_TEXTITEM);
    auto* plain = Find<CTextItem>(L"TEXT_SLCT_CTRL", GUIKIND_TEXTITEM);
    ASSERT_TRUE(ok && apply && heading && plain);
    CRect placed;
    ok->GetWindowRect(&placed);
    m_owner.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(40, 50, 100, 70));
    EXPECT_EQ(ok->GetWindowText(), L"Titel");
    EXPECT_EQ(apply->GetWindowText(), L"Anwenden");
    EXPECT_EQ(heading->GetWindowText(), L"TITEL") << "the overridden case applies to a translated text";
    EXPECT_EQ(plain->GetWindowText(), L"Untranslated") << "a label's case applies only to translations";
}

TEST_F(PageLoaderTest, KeyPictureRecordNeedsAKnownNameAndTakesItsOverrides)
{
    CLangTable table;
    const int recordId = GetGUIItemId(L"BUTTON_ASSNSCROLLUP");
    const int32_t rect[4] = { 3, 4, 10, 8 };
    table.AddOverride(recordId, -1, L"RECT", rect, sizeof(rect));
    g_pLangTable = &table;

    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<KBDKEYLIST>"
        "<KBDKEY name=\"BUTTON_ASSNUP\"><BMPINFO name=\"BUTTON_ASSNSCROLLUP\"><RECT left=\"1\" top=\"1\" right=\"5\" bottom=\"5\"/>"
        "<SBMN>white.bmp</SBMN><SBMD>none.bmp</SBMD><SBMM>bg.bmp</SBMM></BMPINFO></KBDKEY>"
        "<KBDKEY name=\"BUTTON_ASSNDOWN\"><BMPINFO name=\"NO_SUCH_ITEM\"><SBMN>white.bmp</SBMN></BMPINFO></KBDKEY>"
        "<KBDKEY name=\"BUTTON_ASSNLEFT\"><BMPINFO><SBMN>white.bmp</SBMN></BMPINFO></KBDKEY>"
        "</KBDKEYLIST></GUIPANEL>"));
    auto* up = Find<CKeyboardKeyItem>(L"BUTTON_ASSNUP", GUIKIND_KBDKEY);
    auto* down = Find<CKeyboardKeyItem>(L"BUTTON_ASSNDOWN", GUIKIND_KBDKEY);
    auto* left = Find<CKeyboardKeyItem>(L"BUTTON_ASSNLEFT", GUIKIND_KBDKEY);
    ASSERT_TRUE(up && down && left);
    const CBmpInfo* record = up->GetBmpInfo();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_id, recordId);
    EXPECT_EQ(record->m_rect, CRect(3, 4, 13, 12)) << "the record's own override";
    ASSERT_NE(record->m_pictures[CBmpInfo::kNormal], nullptr);
    EXPECT_EQ(record->m_pictures[CBmpInfo::kPressed], nullptr) << "a picture that does not load";
    EXPECT_NE(record->m_pMask, nullptr);
    EXPECT_EQ(record->Picture(false, true, false), record->m_pictures[CBmpInfo::kNormal])
        << "the normal picture stands in for a missing one";
    EXPECT_EQ(down->GetBmpInfo(), nullptr) << "an unknown name";
    EXPECT_EQ(left->GetBmpInfo(), nullptr) << "no name";
}

TEST_F(PageLoaderTest, FontsAndUnknownColours)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<FONTLIST>"
        "<FONT name=\"FONT_ARIAL12\" typeface=\"Arial\" pitch=\"0\" boldlevel=\"700\"/>"
        "<FONT name=\"FONT_ARIAL14\" typeface=\"Arial\" pitch=\"14\" width=\"6\"/>"
        "</FONTLIST>"
        "<TEXTLIST><TEXTITEM name=\"TEXT_SLCT_SHIFT\" textkey=\"x\" fontid=\"FONT_ARIAL16\" fontclr=\"NOSUCHCOLOUR\"/></TEXTLIST>"
        "</GUIPANEL>"));
    auto* twelve = Find<CFontItem>(L"FONT_ARIAL12", GUIKIND_FONT);
    auto* fourteen = Find<CFontItem>(L"FONT_ARIAL14", GUIKIND_FONT);
    ASSERT_TRUE(twelve && fourteen);
    LOGFONTW logFont = {};
    ASSERT_TRUE(twelve->GetLogFont(&logFont));
    EXPECT_EQ(logFont.lfHeight, 0) << "pitch 0 keeps the default height";
    EXPECT_EQ(logFont.lfWeight, 700);
    EXPECT_EQ(logFont.lfPitchAndFamily, FF_SWISS);
    ASSERT_TRUE(fourteen->GetLogFont(&logFont));
    EXPECT_EQ(logFont.lfHeight, 14);
    EXPECT_EQ(logFont.lfWidth, 6);
    auto* text = Find<CTextItem>(L"TEXT_SLCT_SHIFT", GUIKIND_TEXTITEM);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetFont(), nullptr) << "a font the page does not list is no font";
}

TEST_F(PageLoaderTest, ListBuildersReadColourSetsScrollBarsAndEntries)
{
    m_folder.Write(L"skins\tall.bmp", MakeBmpFile(14, 20, RGB(0, 0, 0)));
    ASSERT_TRUE(Load(std::string(kPanelHead) + R"(
        <LISTLIST>
            <COMBO name="LIST_DROPDOWN_POPUP"><CBOX><RECT left="1" top="2" right="100" bottom="20"/></CBOX></COMBO>
            <COMBO name="LIST_KEYMAP_DROPDOWN" bdrwidth="2" rmargin="7">
                <COLOURSET>
                    <COLOUR backclr="RED"/>
                    <COLOUR bdrclrsel="BLUE"/>
                    <COLOUR shadowclr="GREEN"/>
                    <COLOUR fontclr="WHITE" backclrhi="WHITE"/>
                    <COLOUR drawclr="NOSUCHCOLOUR"/>
                </COLOURSET>
                <CBOX><RECT left="10" top="20" right="100" bottom="20"/></CBOX>
                <CLIST height="90">
                    <VSCROLL bdrwidth="2"><VSBMP_TOP>white.bmp</VSBMP_TOP><VSBMP_TMB>tall.bmp</VSBMP_TMB></VSCROLL>
                </CLIST>
                <COMBOITEMS><COMBOITEM> $cut </COMBOITEM><COMBOITEM>$copy</COMBOITEM></COMBOITEMS>
            </COMBO>
        </LISTLIST>
        <LISTPANELLIST>
            <LISTPANEL name="LISTPANEL_PROFILEOPTIONS" tooltip="$tip">
                <RECT left="0" top="0" right="150" bottom="60"/>
                <LISTPANELITEMS>
                    <LISTPANELITEM tooltip="$first">$cut</LISTPANELITEM>
                    <LISTPANELITEM>$paste</LISTPANELITEM>
                </LISTPANELITEMS>
            </LISTPANEL>
            <LISTPANEL name="LISTPANEL_MACROOPTIONS_DELAY"><CLIST dynamic="0" height="44"/></LISTPANEL>
        </LISTPANELLIST>
    </GUIPANEL>)"));
    EXPECT_EQ(Find<CDropdownListItem>(L"LIST_DROPDOWN_POPUP", GUIKIND_DROPDOWN), nullptr) << "a COMBO needs its CLIST";
    auto* dropdown = Find<CDropdownListItem>(L"LIST_KEYMAP_DROPDOWN", GUIKIND_DROPDOWN);
    ASSERT_NE(dropdown, nullptr);
    EXPECT_EQ(dropdown->GetSlotColour(5), 0x0000FFu);
    EXPECT_EQ(dropdown->GetSlotColour(15), 0xFF0000u);
    EXPECT_EQ(dropdown->GetSlotColour(1), 0u) << "a COLOUR with two attributes is left out";
    EXPECT_EQ(dropdown->GetSlotColour(9), 0u) << "an unknown colour is left out";
    EXPECT_EQ(dropdown->GetBorderWidth(), 2);
    EXPECT_EQ(dropdown->GetRightMargin(), 7);
    EXPECT_EQ(dropdown->GetListHeight(), 90);
    EXPECT_EQ(dropdown->GetScrollWidth(), 2 + 30) << "the border plus the widest picture";
    EXPECT_EQ(dropdown->GetCount(), 2);
    EXPECT_EQ(dropdown->GetItemText(0), L"$cut");
    CRect rect;
    dropdown->GetWindowRect(&rect);
    m_owner.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 110, 40));

    auto* menu = Find<CListPanelItem>(L"LISTPANEL_PROFILEOPTIONS", GUIKIND_LISTPANELITEM);
    auto* delay = Find<CListPanelItem>(L"LISTPANEL_MACROOPTIONS_DELAY", GUIKIND_LISTPANELITEM);
    ASSERT_TRUE(menu && delay);
    EXPECT_FALSE(menu->HasWindow());
    EXPECT_EQ(menu->m_settings.m_width, 150);
    EXPECT_TRUE(menu->m_dynamic);
    EXPECT_EQ(menu->m_settings.m_borderWidth, 1);
    EXPECT_EQ(menu->m_settings.m_scrollWidth, 0);
    EXPECT_EQ(menu->m_settings.m_defaultTipText, L"$tip");
    ASSERT_EQ(menu->GetCount(), 2);
    EXPECT_EQ(menu->m_entries[0].m_tipText, L"$first");
    EXPECT_EQ(menu->m_entries[1].m_text, L"$paste");
    EXPECT_FALSE(delay->m_dynamic);
    EXPECT_EQ(delay->m_settings.m_defaultHeight, 44);
}

TEST_F(PageLoaderTest, EditsTakeEveryColourTheyNameAndKeepTheirDefaultsOtherwise)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<EDITCTRLLIST>"
        "<EDITCTRL name=\"EDITCTRL_INSERT_DELAY\" fontclr=\"RED\" fontclrhi=\"GREEN\" backclr=\"BLUE\" backclrhi=\"YELLOW\""
        " bdrclr=\"ORANGE\" disbbackclr=\"PINK\" disbbdrclr=\"BLACK\" disbfontclr=\"DARKGREY\"/>"
        "<EDITCTRL name=\"EDITCTRL_DEFAULT_DELAY\" fontclr=\"NOSUCHCOLOUR\" backclr=\"MIDGREY\"/>"
        "<EDITCTRLSK name=\"EDITCTRL_POPUP_SINGLEKEYENTRY\" fontclr=\"RED\" fontclrhi=\"GREEN\" backclr=\"BLUE\""
        " backclrhi=\"YELLOW\" bdrclr=\"ORANGE\" disbfontclr=\"DARKGREY\"/>"
        "</EDITCTRLLIST></GUIPANEL>"));
    auto* full = Find<CEditItem>(L"EDITCTRL_INSERT_DELAY", GUIKIND_EDIT);
    auto* partial = Find<CEditItem>(L"EDITCTRL_DEFAULT_DELAY", GUIKIND_EDIT);
    auto* key = Find<CEditItem>(L"EDITCTRL_POPUP_SINGLEKEYENTRY", GUIKIND_EDITSINGLEKEY);
    ASSERT_TRUE(full && partial && key);
    struct Case { const char* slot; COLORREF full, partial, key; };
    const CEditItem::Colours& f = full->GetColours();
    const CEditItem::Colours& p = partial->GetColours();
    const CEditItem::Colours& k = key->GetColours();
    const COLORREF white = 0xFFFFFF;
    const Case cases[] = {
        { "text", f.text, p.text, k.text },
        { "hover text", f.hoverText, p.hoverText, k.hoverText },
        { "back", f.back, p.back, k.back },
        { "hover back", f.hoverBack, p.hoverBack, k.hoverBack },
        { "border", f.border, p.border, k.border },
        { "disabled back", f.disabledBack, p.disabledBack, k.disabledBack },
        { "disabled border", f.disabledBorder, p.disabledBorder, k.disabledBorder },
        { "disabled text", f.disabledText, p.disabledText, k.disabledText },
    };
    const COLORREF expectedFull[] = { 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0x007EFF, 0x8080FF, 0x000000, 0x3A3A3A };
    // An unknown colour name leaves the default; the key field takes only its five.
    const COLORREF expectedPartial[] = { white, white, 0x777069, white, white, white, white, white };
    const COLORREF expectedKey[] = { 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0x007EFF, white, white, white };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(cases[i].full, expectedFull[i]) << cases[i].slot;
        EXPECT_EQ(cases[i].partial, expectedPartial[i]) << cases[i].slot;
        EXPECT_EQ(cases[i].key, expectedKey[i]) << cases[i].slot;
    }
}

TEST_F(PageLoaderTest, TextsKeepTheirDefaultColourForAnUnknownNameAndTakeTheDisabledOne)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<TEXTLIST>"
        "<TEXTITEM name=\"TEXT_WARNDLG_HEADING\" textkey=\"x\" fontclr=\"NOSUCHCOLOUR\"/>"
        "<TEXTITEM name=\"TEXT_WARNDLG_MESSAGE\" textkey=\"x\" fontclr=\"RED\" disbfontclr=\"GREEN\"/>"
        "</TEXTLIST></GUIPANEL>"));
    auto* unknown = Find<CTextItem>(L"TEXT_WARNDLG_HEADING", GUIKIND_TEXTITEM);
    auto* disabled = Find<CTextItem>(L"TEXT_WARNDLG_MESSAGE", GUIKIND_TEXTITEM);
    ASSERT_TRUE(unknown && disabled);
    EXPECT_EQ(unknown->m_colour, CTextItem().m_colour);
    EXPECT_EQ(disabled->m_colour, 0x0000FFu);
    EXPECT_TRUE(disabled->m_hasDisabledColour);
    EXPECT_EQ(disabled->m_disabledColour, 0x00FF00u);
}

TEST_F(PageLoaderTest, ABitmapWindowShowsItsTextsInTheCaseOfItsCaps)
{
    ASSERT_TRUE(Load(std::string(kPanelHead) +
        "<BITMAPLIST><BITMAPWINDOW name=\"DPIWIN\" caps=\"U\"><RECT left=\"0\" top=\"0\" right=\"50\" bottom=\"20\"/>"
        "</BITMAPWINDOW></BITMAPLIST></GUIPANEL>"));
    auto* window = Find<CBitmapWindow>(L"DPIWIN", GUIKIND_BITMAPWINDOW);
    ASSERT_NE(window, nullptr);
    window->SetText(L"Keystroke");
    EXPECT_EQ(window->GetWindowText(), L"KEYSTROKE");
}

TEST(PageLoader, LoadsAPageFromAFolderWithNonAsciiCharacters)
{
    InitVocabularyTables();
    CTestSkinFolder folder(L"Skin \u00C4rger \u65E5\u672C ");
    ASSERT_NE(GetFileAttributesW(folder.Path()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(folder.Write(L"skins\\bg.bmp", MakeBmpFile(120, 80, RGB(10, 20, 30))));
    ASSERT_TRUE(folder.Write(L"skins\\mask.bmp", MakeBmpFile(120, 80, RGB(0, 0, 0))));
    ASSERT_TRUE(folder.Write(L"xml\\Page.xml", Bytes(std::string(kPanelHead) +
        "<TEXTLIST><TEXTITEM name=\"TEXT_WARNDLG_HEADING\" textkey=\"x\"/></TEXTLIST></GUIPANEL>")));
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Owner", WS_POPUP, CRect(0, 0, 200, 100), nullptr, nullptr));
    CGUIItems items;
    EXPECT_TRUE(LoadGUIPage(items, L"Page.xml", &owner));
    auto* background = items.FindItemOfKind<CPanelBitmap>(kBackgroundItemId, GUIKIND_PANELBITMAP);
    ASSERT_NE(background, nullptr) << "the background picture is read from the folder";
    EXPECT_NE(items.FindItemOfKind<CTextItem>(GetGUIItemId(L"TEXT_WARNDLG_HEADING"), GUIKIND_TEXTITEM), nullptr);
    items.DeleteAll();
    owner.DestroyWindow();
}
