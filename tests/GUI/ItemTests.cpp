#include "CGUIItems.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// An item that records its deletion and its Show calls.
class CProbeItem : public CGUIItem
{
    std::vector<int>* m_deleted;

public:
    int m_shown = -1;

    CProbeItem(int id, int kind, std::vector<int>* deleted) : m_deleted(deleted)
    {
        m_id = id;
        m_kind = kind;
    }
    ~CProbeItem() override
    {
        if (m_deleted)
            m_deleted->push_back(m_id);
    }
    void Show(bool show) override
    {
        m_shown = show ? 1 : 0;
        CGUIItem::Show(show);
    }
};

// A visible child of a message-only window: it shows and hides without reaching the display.
class CWindowOwner
{
    HWND m_parent;
    HWND m_wnd;

public:
    CWindowOwner()
        : m_parent(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
        , m_wnd(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_parent, nullptr, nullptr, nullptr))
    {
    }
    ~CWindowOwner() { DestroyWindow(m_parent); }
    HWND Get() const { return m_wnd; }
    bool IsShown() const { return (GetWindowLongW(m_wnd, GWL_STYLE) & WS_VISIBLE) != 0; }
};
}

TEST(CGUIItem, StartsWithoutIdKindOrWindow)
{
    CProbeItem item(-1, -1, nullptr);
    EXPECT_EQ(item.m_id, -1);
    EXPECT_EQ(item.m_kind, -1);
    EXPECT_EQ(item.m_hWnd, kNoItemWindow);
    EXPECT_EQ(item.m_pParentWnd, nullptr);
    EXPECT_FALSE(item.HasWindow());
}

TEST(CGUIItems, FindsTheFirstCreatedItemOfAnId)
{
    CGUIItems items;
    auto* first = new CProbeItem(48, GUIKIND_BITMAPBTN, nullptr);
    auto* second = new CProbeItem(48, GUIKIND_TEXTITEM, nullptr);
    items.Add(first);
    items.Add(second);
    EXPECT_EQ(items.FindItem(48), first);
    EXPECT_EQ(items.FindItem(49), nullptr);
    EXPECT_EQ(items.FindItemOfKind<CProbeItem>(48, GUIKIND_BITMAPBTN), first);
    // The kind is checked on the first item of the id only.
    EXPECT_EQ(items.FindItemOfKind<CProbeItem>(48, GUIKIND_TEXTITEM), nullptr);
}

TEST(CGUIItems, FindsItemsByRealWindowHandlesOnly)
{
    CWindowOwner window;
    CGUIItems items;
    auto* windowless = new CProbeItem(1, GUIKIND_LANG, nullptr);
    windowless->m_hWnd = nullptr;
    auto* neverCreated = new CProbeItem(2, GUIKIND_BITMAPBTN, nullptr);
    auto* control = new CProbeItem(3, GUIKIND_BITMAPBTN, nullptr);
    control->m_hWnd = window.Get();
    items.Add(windowless);
    items.Add(neverCreated);
    items.Add(control);
    EXPECT_EQ(items.FindItemByHwnd(window.Get()), control);
    EXPECT_EQ(items.FindItemByHwnd(nullptr), nullptr);
}

TEST(CGUIItems, ShowAllReachesEveryItemAndHidesWindows)
{
    CWindowOwner window;
    CGUIItems items;
    auto* windowless = new CProbeItem(1, GUIKIND_FONT, nullptr);
    windowless->m_hWnd = nullptr;
    auto* control = new CProbeItem(2, GUIKIND_BITMAPBTN, nullptr);
    control->m_hWnd = window.Get();
    items.Add(windowless);
    items.Add(control);
    items.ShowAll(false);
    EXPECT_EQ(windowless->m_shown, 0);
    EXPECT_EQ(control->m_shown, 0);
    EXPECT_FALSE(window.IsShown());
    items.ShowAll(true);
    EXPECT_TRUE(window.IsShown());
}

TEST(CGUIItems, DeletesItsItemsFromTheLastToTheFirst)
{
    std::vector<int> deleted;
    {
        CGUIItems items;
        for (int id = 1; id <= 3; ++id)
            items.Add(new CProbeItem(id, GUIKIND_TEXTITEM, &deleted));
    }
    EXPECT_EQ(deleted, (std::vector<int>{ 3, 2, 1 }));
}
