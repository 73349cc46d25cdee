// Classes in this file:
//   CProgressText  - one text area of a progress panel: its name, text, rectangle, colours
//                    and font.
//   CProgressPanel - a panel that shows a heading, a percentage and a status line over a
//                    fill bar, while the skin loads or the device is written; a bounce mode
//                    moves the bar to and fro while the end is not known.
#pragma once

#include "CFillBar.h"
#include "CFont.h"
#include "CRect.h"
#include "CStatic.h"

#include <vector>

class CProgressText
{
public:
    // Data members
    CString m_name;
    CString m_text;
    CRect m_rect;
    COLORREF m_backColour = 0;
    COLORREF m_textColour = 0xFFFFFF;
    // None: a 12-pixel bold Arial.
    HFONT m_font = nullptr;
};

class CProgressPanel : public CStatic
{
    // Data members
    int m_percent = 0;
    int m_direction = 0;
    COLORREF m_backColour = 0;
    std::vector<CProgressText> m_texts;
    int m_heading = -1;
    int m_percentText = -1;
    int m_status = -1;
    CFillBar m_fillBar;
    CFont m_defaultFont;

public:
    // The timer whose ticks move the bar in bounce mode; the panel's user starts and stops it.
    static constexpr UINT_PTR kBounceTimer = 16;

    CProgressPanel() = default;
    ~CProgressPanel() override = default;

    // Attributes
    int GetPercent() const { return m_percent; }
    int GetDirection() const { return m_direction; }
    const CFillBar& GetFillBar() const { return m_fillBar; }
    // The text of the named area (PP_HEADING, PP_PERCENT, PP_STATUS, ...); empty for none.
    CString GetText(const wchar_t* name) const;

    // Operations
    // Creates the panel in the parent and its fill bar at fillRect (panel coordinates).
    bool Create(const RECT& rect, CWnd* parent, const RECT& fillRect, COLORREF fill, COLORREF back, UINT id = 0xFFFF);
    void SetBackColour(COLORREF colour);
    // Copies the text areas and finds PP_HEADING, PP_PERCENT and PP_STATUS (ignoring case).
    void SetTextEntries(const std::vector<CProgressText>& texts);
    void SetHeading(const CString& text);
    void SetStatus(const CString& text);
    // The percentage, kept inside 0 to 100: the bar and the PP_PERCENT text follow it.
    void SetPercent(int value);
    // One bounce step: the percentage moves by the direction, which turns at either end.
    void Bounce();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetEntryText(int entry, const CString& text);
    void OnPaint();
};
