#include "CListPanelItem.h"

#include "CListPanel.h"
#include "CListPanelLevel.h"
#include "CListPanelList.h"
#include "CWnd.h"

CListPanelItem::CListPanelItem(int width, int defaultHeight)
{
    m_settings.m_width = width;
    m_settings.m_defaultHeight = defaultHeight;
}

CListPanelItem::~CListPanelItem()
{
    m_pInlineList.reset();
}

void CListPanelItem::SetEntries(const std::vector<CListEntry>& entries)
{
    m_entries = entries;
    if (!m_pInlineList)
        return;
    std::unique_ptr<CListPanelLevel> level = CListPanelLevel::Copy(m_settings, m_entries);
    m_pInlineList->SetLevel(*level);
    m_pInlineLevel = std::move(level);
}

bool CListPanelItem::CreateStaticList(int id, const RECT& rect, CWnd* parent)
{
    if (m_pInlineList)
        return false;
    auto level = CListPanelLevel::Copy(m_settings, m_entries);
    auto list = std::make_unique<CListPanelStatic>(*level, id);
    if (!list->Create(rect, parent))
        return false;
    m_pInlineLevel = std::move(level);
    m_pInlineList = std::move(list);
    return true;
}

void CListPanelItem::Show(bool show)
{
    if (m_pInlineList)
        m_pInlineList->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

int CListPanelItem::FindItem(const LVFINDINFOW& find) const
{
    if (!(find.flags & LVFI_STRING) || !find.psz)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].m_text == find.psz)
            return static_cast<int>(i);
    return -1;
}

int CListPanelItem::AddEntry(const CListEntry& entry)
{
    m_entries.push_back(entry);
    return static_cast<int>(m_entries.size()) - 1;
}

void CListPanelItem::SetMargins(int left, int right)
{
    m_settings.m_leftMargin = left;
    m_settings.m_rightMargin = right;
}

void CListPanelItem::SetScrollBar(int width, const CVScrollValues& values)
{
    m_settings.m_scrollWidth = width;
    m_settings.m_scroll = values;
}

int CListPanelItem::Popup(int height, CWnd* window, std::vector<CString>* result, int x, int y)
{
    POINT origin = { 0, 0 };
    if (window && window->m_hWnd)
        ::ClientToScreen(window->m_hWnd, &origin);
    int shownHeight = height;
    if (shownHeight == 0)
        shownHeight = m_dynamic ? GetCount() * CListPanelList::kRowHeight + 2 * m_settings.m_borderWidth
                                : m_settings.m_defaultHeight;
    const RECT screen = { origin.x + x, origin.y + y, origin.x + x + m_settings.m_width, origin.y + y + shownHeight };
    const auto level = CListPanelLevel::Copy(m_settings, m_entries);
    return static_cast<int>(CListPanel::Run(m_pParentWnd ? m_pParentWnd : window, *level, result, screen));
}
