// Classes in this file:
//   CFODropColorPaletteControl - the colour palette's layout, drawing and choices: 48 colour
//                                cells in 6 rows of 8 over a "$Custom" button. Choices are
//                                posted to the owner window as (colour, code): a pick
//                                (WM_PALETTE_COLOR_PICKED, code 100 for an arrow-key
//                                preview), a cancel (WM_PALETTE_CANCELLED) or the custom
//                                dialog (WM_PALETTE_CUSTOM_COLOR). One opening reports one
//                                final choice: whatever comes after it is ignored.
#pragma once

#include "CFOColorCellObj.h"
#include "CRect.h"
#include "CString.h"

#include <windows.h>

constexpr int kPaletteRows = 6;
constexpr int kPaletteColumns = 8;
constexpr int kPaletteCellCount = kPaletteRows * kPaletteColumns;
// The code of a pick that only previews the colour under the arrow keys.
constexpr LPARAM kPalettePreviewCode = 100;

// The palette's colours by cell, row after row (COLORREF 0x00BBGGRR).
extern const COLORREF kPaletteColors[kPaletteCellCount];

class CFODropColorPaletteControl
{
    // Data members
    CFOColorCellObj m_cells[kPaletteCellCount];
    COLORREF m_defaultColor;
    COLORREF m_currentColor = 0;
    HWND m_hOwner = nullptr;
    bool m_popup = false;
    CRect m_rect;
    CRect m_gridRect;
    CRect m_customRect;
    bool m_customEnabled = true;
    bool m_customHover = false;
    int m_rows = kPaletteRows;
    int m_columns = kPaletteColumns;
    int m_margin = 4;
    int m_borderStyle = 2;
    CString m_customText;
    int m_caseMode = 0;
    HFONT m_font;
    bool m_finished = false;

public:
    explicit CFODropColorPaletteControl(COLORREF defaultColor);
    virtual ~CFODropColorPaletteControl() = default;
    CFODropColorPaletteControl(const CFODropColorPaletteControl&) = delete;
    CFODropColorPaletteControl& operator=(const CFODropColorPaletteControl&) = delete;

    // Attributes
    COLORREF GetCurrentColor() const { return m_currentColor; }
    COLORREF GetDefaultColor() const { return m_defaultColor; }
    // The cell showing the current colour; -1 when no cell has it.
    int GetSelectedCell() const;
    const CFOColorCellObj& GetCell(int index) const { return m_cells[index]; }
    const CRect& GetRect() const { return m_rect; }
    const CRect& GetGridRect() const { return m_gridRect; }
    const CRect& GetCustomRect() const { return m_customRect; }
    const CString& GetCustomText() const { return m_customText; }
    bool IsCustomHover() const { return m_customHover; }
    bool IsPopup() const { return m_popup; }
    // A final choice (pick, cancel or custom dialog) was reported.
    bool IsFinished() const { return m_finished; }
    // The cell an arrow key moves to from index (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN); index
    // itself for any other key.
    static int NextCell(int index, UINT key);

    // Operations
    virtual void Attach(HWND owner, COLORREF current, const RECT& rect, bool popup);
    virtual void Layout();
    virtual void LayoutGrid(int left, int top, int right, int bottom);
    virtual void InitColors();
    virtual void Draw(HDC dc);
    // The rectangle changed (WM_SIZE).
    virtual void Relayout(const RECT& rect);
    // The cell whose rectangle holds the point; -1 for none.
    virtual int HitTest(int x, int y) const;
    virtual void Pick(COLORREF color, LPARAM code);
    virtual void Cancel(COLORREF color, LPARAM code);
    // The palette stores nothing: a save writes an empty file and a load changes nothing;
    // false when the file cannot be opened.
    virtual bool SaveToFile(const wchar_t* path);
    virtual bool LoadFromFile(const wchar_t* path);
    virtual void DrawBorder(HDC dc, const RECT& rect, int style);
    virtual void DrawCustomButton(HDC dc, bool noCellSelected);
    virtual void DrawCustomHover(HDC dc);

    // The cell with that colour becomes the selected one (the colour is current even when
    // no cell has it).
    void SetCurrentColor(COLORREF color);
    // The button's text: translated, cased by the case mode, the first "\n" a line break.
    void SetCustomText(const CString& key);
    void SetCaseMode(int mode) { m_caseMode = mode; }
    void SetCustomHover(bool hover);
    bool IsInCustomButton(int x, int y) const;
    // An arrow key: the next cell is selected and previewed (code 100).
    bool MoveSelection(UINT key);
    // Asks the owner for the custom colour dialog.
    void RequestCustomColor();
    // The owner lost the activation: a pick of the current colour unless a choice came first.
    void PickOnDeactivation();

private:
    void InvalidateCell(int index) const;
    void InvalidateCustom() const;
    void PostToOwner(UINT message, COLORREF color, LPARAM code) const;
    void HideOwner() const;
};
