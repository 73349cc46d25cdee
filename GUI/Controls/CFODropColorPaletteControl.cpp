#include "CFODropColorPaletteControl.h"

#include "CBrush.h"
#include "CColorPaletteSystemData.h"
#include "CDCHandle.h"
#include "CLangTable.h"
#include "CSelectObject.h"
#include "GUIMessages.h"
#include "SkinValues.h"

const COLORREF kPaletteColors[kPaletteCellCount] = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
    0xE0E0E0, 0x8080FF, 0x80E0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF,
    0xC0C0C0, 0x0000FF, 0x00C0FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xB469FF,
    0x808080, 0x0000C0, 0x0080FF, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,
    0x404040, 0x000080, 0x004080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0x000000, 0x000040, 0x404080, 0x004040, 0x004000, 0x404000, 0x400000, 0x400040,
};

namespace
{
// The custom button's height, its colour swatch and the room its text leaves for it.
constexpr int kCustomHeight = 25;
constexpr int kSwatchWidth = 23;
constexpr int kSwatchRoom = 27;

HFONT PaletteFont()
{
    HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
    return static_cast<HFONT>(font ? font : ::GetStockObject(ANSI_VAR_FONT));
}

void Frame(HDC dc, const RECT& rect, COLORREF colour)
{
    CBrush brush;
    if (brush.CreateSolidBrush(colour))
        ::FrameRect(dc, &rect, brush);
}

// A file opened for the palette's save or load, closed when it goes.
class CPaletteFile
{
    HANDLE m_file;

public:
    CPaletteFile(const wchar_t* path, DWORD access, DWORD share, DWORD disposition)
        : m_file(path ? ::CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : INVALID_HANDLE_VALUE)
    {
    }
    ~CPaletteFile()
    {
        if (IsOpen())
            ::CloseHandle(m_file);
    }
    CPaletteFile(const CPaletteFile&) = delete;
    CPaletteFile& operator=(const CPaletteFile&) = delete;
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
};
}

CFODropColorPaletteControl::CFODropColorPaletteControl(COLORREF defaultColor)
    : m_defaultColor(defaultColor), m_font(PaletteFont())
{
    InitColors();
}

int CFODropColorPaletteControl::GetSelectedCell() const
{
    for (int i = 0; i < kPaletteCellCount; ++i)
        if (m_cells[i].GetColor() == m_currentColor)
            return i;
    return -1;
}

int CFODropColorPaletteControl::NextCell(int index, UINT key)
{
    const int row = index / kPaletteColumns;
    const int column = index % kPaletteColumns;
    switch (key)
    {
    case VK_LEFT:
        return index > 0 ? index - 1 : 0;
    case VK_RIGHT:
        return (index + 1) % kPaletteCellCount;
    case VK_UP:
        return ((row + kPaletteRows - 1) % kPaletteRows) * kPaletteColumns + column;
    case VK_DOWN:
        return ((row + 1) % kPaletteRows) * kPaletteColumns + column;
    default:
        return index;
    }
}

void CFODropColorPaletteControl::Attach(HWND owner, COLORREF current, const RECT& rect, bool popup)
{
    m_rect = rect;
    m_currentColor = current;
    m_hOwner = owner;
    m_popup = popup;
    m_finished = false;
    SetCustomText(L"$Custom");
    Layout();
}

void CFODropColorPaletteControl::Layout()
{
    InitColors();
    CRect area = m_rect;
    area.DeflateRect(m_margin, m_margin);
    int gridBottom = area.bottom;
    if (m_customEnabled)
    {
        m_customRect = CRect(area.left, area.bottom - kCustomHeight, area.right, area.bottom);
        // The grid's last row and the button share one pixel.
        gridBottom = area.bottom - kCustomHeight + 1;
    }
    else
        m_customRect = CRect();
    LayoutGrid(area.left, area.top, area.right, gridBottom);
}

void CFODropColorPaletteControl::LayoutGrid(int left, int top, int right, int bottom)
{
    m_gridRect = CRect(left, top, right, bottom);
    auto edge = [](int from, int to, int k, int parts) {
        return from + static_cast<int>(static_cast<double>(k) * (to - from) / parts);
    };
    for (int i = 0; i < kPaletteCellCount; ++i)
    {
        const int column = i % m_columns;
        const int row = i / m_columns;
        m_cells[i].SetRect(CRect(edge(left, right, column, m_columns), edge(top, bottom, row, m_rows),
            edge(left, right, column + 1, m_columns), edge(top, bottom, row + 1, m_rows)));
    }
}

void CFODropColorPaletteControl::InitColors()
{
    for (int i = 0; i < kPaletteCellCount; ++i)
    {
        m_cells[i].SetColor(kPaletteColors[i]);
        m_cells[i].SetFrameColor(m_defaultColor);
    }
}

void CFODropColorPaletteControl::Draw(HDC target)
{
    CDCHandle dc(target);
    dc.FillSolidRect(m_rect, RGB(0, 0, 0));
    if (m_popup)
        dc.FillSolidRect(CRect(m_rect.left + m_margin, m_rect.top + 4, m_rect.right - m_margin, m_rect.top + 10),
            ColorPaletteSystemData().m_activeCaption);
    DrawBorder(target, m_rect, m_borderStyle);
    const int selected = GetSelectedCell();
    for (int i = 0; i < kPaletteCellCount; ++i)
        m_cells[i].Draw(target);
    if (selected >= 0)
        m_cells[selected].DrawSelected(target);
    if (m_customEnabled)
    {
        DrawCustomButton(target, selected < 0);
        if (m_customHover)
            DrawCustomHover(target);
    }
}

void CFODropColorPaletteControl::Relayout(const RECT& rect)
{
    m_rect = rect;
    Layout();
}

int CFODropColorPaletteControl::HitTest(int x, int y) const
{
    for (int i = 0; i < kPaletteCellCount; ++i)
        if (m_cells[i].HitTest(x, y))
            return i;
    return -1;
}

void CFODropColorPaletteControl::Pick(COLORREF color, LPARAM code)
{
    if (m_finished)
        return;
    m_finished = code != kPalettePreviewCode;
    PostToOwner(WM_PALETTE_COLOR_PICKED, color, code);
    InvalidateCustom();
    if (m_finished)
        HideOwner();
}

void CFODropColorPaletteControl::PickOnDeactivation()
{
    if (m_finished)
        return;
    // The owner hides when its window forwards the pick: hiding it now, inside the change
    // of activation, would disturb the click that took the activation.
    m_finished = true;
    PostToOwner(WM_PALETTE_COLOR_PICKED, m_currentColor, 0);
}

void CFODropColorPaletteControl::Cancel(COLORREF color, LPARAM code)
{
    if (m_finished)
        return;
    m_finished = true;
    PostToOwner(WM_PALETTE_CANCELLED, color, code);
    InvalidateCustom();
    HideOwner();
}

void CFODropColorPaletteControl::RequestCustomColor()
{
    if (m_finished || !m_customEnabled)
        return;
    // The dialog the owner opens decides; the palette reports nothing more.
    m_finished = true;
    PostToOwner(WM_PALETTE_CUSTOM_COLOR, m_currentColor, 0);
    HideOwner();
}

bool CFODropColorPaletteControl::SaveToFile(const wchar_t* path)
{
    const CPaletteFile file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    return file.IsOpen();
}

bool CFODropColorPaletteControl::LoadFromFile(const wchar_t* path)
{
    const CPaletteFile file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return file.IsOpen();
}

void CFODropColorPaletteControl::DrawBorder(HDC dc, const RECT& rect, int style)
{
    if (style == 2)
        Frame(dc, rect, m_defaultColor);
}

void CFODropColorPaletteControl::DrawCustomButton(HDC target, bool noCellSelected)
{
    CDCHandle dc(target);
    dc.FillSolidRect(m_customRect, RGB(0, 0, 0));
    CRect textRect = m_customRect;
    if (noCellSelected)
    {
        CRect swatch(m_customRect.right - kSwatchWidth - 2, m_customRect.top + 2, m_customRect.right - 2,
            m_customRect.bottom - 2);
        dc.FillSolidRect(swatch, m_currentColor);
        Frame(target, swatch, m_defaultColor);
        textRect.right = m_customRect.right - kSwatchRoom;
    }
    CSelectObject selectFont(target, m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.DrawText(m_customText, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CFODropColorPaletteControl::DrawCustomHover(HDC dc)
{
    CRect rect = m_customRect;
    Frame(dc, rect, RGB(0, 0, 0));
    rect.DeflateRect(1, 1);
    Frame(dc, rect, RGB(255, 255, 255));
    rect.DeflateRect(1, 1);
    Frame(dc, rect, RGB(255, 255, 255));
}

void CFODropColorPaletteControl::SetCurrentColor(COLORREF color)
{
    const int before = GetSelectedCell();
    m_currentColor = color;
    const int after = GetSelectedCell();
    InvalidateCell(before);
    InvalidateCell(after);
    if (before < 0 || after < 0)
        InvalidateCustom();
}

void CFODropColorPaletteControl::SetCustomText(const CString& key)
{
    CString text;
    LookupText(key, text);
    // The line break first: upper case would turn its n into N.
    const int lineBreak = text.Find(L"\\n");
    if (lineBreak >= 0)
        text = text.Left(lineBreak) + L"\r\n" + text.Mid(lineBreak + 2);
    m_customText = SkinValues::ApplyCase(text, m_caseMode);
    if (m_hOwner)
        ::InvalidateRect(m_hOwner, nullptr, FALSE);
}

void CFODropColorPaletteControl::SetCustomHover(bool hover)
{
    if (hover == m_customHover)
        return;
    m_customHover = hover;
    InvalidateCustom();
}

bool CFODropColorPaletteControl::IsInCustomButton(int x, int y) const
{
    return m_customEnabled && m_customRect.PtInRect(CPoint(x, y));
}

bool CFODropColorPaletteControl::MoveSelection(UINT key)
{
    const int selected = GetSelectedCell();
    const int next = NextCell(selected >= 0 ? selected : 0, key);
    if (key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN)
        return false;
    SetCurrentColor(m_cells[next].GetColor());
    PostToOwner(WM_PALETTE_COLOR_PICKED, m_currentColor, kPalettePreviewCode);
    return true;
}

void CFODropColorPaletteControl::InvalidateCell(int index) const
{
    if (index < 0 || !m_hOwner)
        return;
    CRect rect = m_cells[index].GetRect();
    rect.InflateRect(2, 2);
    ::InvalidateRect(m_hOwner, &rect, FALSE);
}

void CFODropColorPaletteControl::InvalidateCustom() const
{
    if (m_hOwner)
        ::InvalidateRect(m_hOwner, &m_customRect, FALSE);
}

void CFODropColorPaletteControl::PostToOwner(UINT message, COLORREF color, LPARAM code) const
{
    if (m_hOwner)
        ::PostMessageW(m_hOwner, message, static_cast<WPARAM>(color), code);
}

void CFODropColorPaletteControl::HideOwner() const
{
    if (m_popup && m_hOwner)
        ::ShowWindow(m_hOwner, SW_HIDE);
}
