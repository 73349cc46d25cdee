// The configuration program's shipped pages rendered by the page loader under each of six
// languages (English, Japanese, and the languages of the longest texts: French, German,
// Russian, Spanish): every text item shows a translated text, a panel takes
// its background's size, and a screenshot of each is saved beside the test program
// ("skin-<page>-<language>.bmp") to be looked at.
#include "CLangTable.h"
#include "CPanelBitmap.h"
#include "CPopupBox.h"
#include "CShippedSkin.h"
#include "CSkinResourceList.h"
#include "CTextItem.h"
#include "ExeFolder.h"
#include "GUIPageLoader.h"
#include "GUIPanelResource.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
struct PageCase
{
    const wchar_t* page;
    // A page loaded over the first one into the same window, or null.
    const wchar_t* overlay;
};

// Tab pages are shown over the main window as the program shows them.
const PageCase kPages[] = {
    { L"MainPage.xml", L"CurrentProfile.xml" },
    { L"NoMousePopup.xml", nullptr },
    { L"PreviewPopup.xml", L"PreviewPopup_Pelion.xml" },
    { L"ConfirmDeletePopup.xml", nullptr },
    { L"ImportProfileWarningPopup.xml", nullptr },
};

const int kLanguages[] = { 0, 5, 3, 4, 7, 8 };

struct RenderCase
{
    PageCase page;
    int language;
};

std::vector<RenderCase> AllCases()
{
    std::vector<RenderCase> cases;
    for (const PageCase& page : kPages)
        for (int language : kLanguages)
            cases.push_back({ page, language });
    return cases;
}

class SkinPagesTest : public testing::TestWithParam<RenderCase>
{
protected:
    CShippedSkin m_skin;
    CLangTable* m_savedTable = nullptr;
    CLangTable m_language;

    void SetUp() override
    {
        m_savedTable = g_pLangTable;
        m_skin.Enter(VELMORA_SKIN_FOLDER);
        int size = 0;
        const uint8_t* bytes = FindLangFile(CString(GetLanguageName(GetParam().language)) + L".txt", &size);
        ASSERT_TRUE(bytes && m_language.ParseFile(bytes, size));
        g_pLangTable = &m_language;
    }
    void TearDown() override
    {
        g_pLangTable = m_savedTable;
        m_skin.Leave();
    }
};

// Every text item of the collection shows a text the language table knows.
void ExpectTextsTranslated(CGUIItems& items, const CString& page)
{
    for (int i = 0; i < items.GetCount(); ++i) {
        CGUIItem* item = items.GetAt(i);
        if (item->m_kind != GUIKIND_TEXTITEM)
            continue;
        const CString& text = static_cast<CTextItem*>(item)->GetText();
        if (text.GetLength() > 1 && text[0] == L'$') {
            CString shown;
            EXPECT_TRUE(g_pLangTable->Lookup(text, shown)) << page.GetString() << " " << text.GetString();
        }
    }
}
}

TEST_P(SkinPagesTest, PageRendersInTheLanguage)
{
    const RenderCase& render = GetParam();
    CPopupBox panel(IDD_GUIPANEL, render.page.page, nullptr);
    ASSERT_TRUE(panel.Create()) << CString(render.page.page).GetString();
    CGUIItems overlay;
    if (render.page.overlay) {
        ASSERT_TRUE(LoadGUIPage(overlay, render.page.overlay, &panel));
    }
    panel.ShowWindow(SW_SHOW);
    panel.UpdateWindow();
    ASSERT_TRUE(WindowTest::BringToForeground(panel.m_hWnd));
    WindowTest::PumpFor(300);

    // The window takes the size of its background picture.
    CGUIItem* background = panel.GetItems().FindItem(-2);
    ASSERT_NE(background, nullptr);
    BITMAP picture = {};
    ASSERT_NE(::GetObjectW(static_cast<CPanelBitmap*>(background)->GetHandle(), sizeof picture, &picture), 0);
    CRect window;
    panel.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), picture.bmWidth);
    EXPECT_EQ(window.Height(), picture.bmHeight);
    ExpectTextsTranslated(panel.GetItems(), render.page.page);
    ExpectTextsTranslated(overlay, render.page.page);

    CString page = render.page.page;
    page = page.Left(page.Find(L'.'));
    const CString screenshot = GetModuleFolder() + L"skin-" + page + L"-" + GetLanguageName(render.language) + L".bmp";
    EXPECT_TRUE(WindowTest::SaveScreenshot(screenshot));
    panel.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Shipped, SkinPagesTest, testing::ValuesIn(AllCases()),
    [](const testing::TestParamInfo<RenderCase>& info) {
        std::wstring page = info.param.page.page;
        page = page.substr(0, page.find(L'.'));
        std::string name(page.begin(), page.end());
        return name + "_" + std::to_string(info.param.language);
    });
