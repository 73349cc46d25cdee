// Classes in this file:
//   CColorPaletteSystemData - the system colours and metrics the colour palette draws with,
//                             read once at start and again when the system colours change.
#pragma once

#include <windows.h>

class CColorPaletteSystemData
{
public:
    // Data members
    COLORREF m_buttonFace = 0;
    COLORREF m_buttonShadow = 0;
    COLORREF m_darkShadow = 0;
    COLORREF m_light = 0;
    COLORREF m_buttonHighlight = 0;
    COLORREF m_buttonText = 0;
    COLORREF m_grayText = 0;
    COLORREF m_windowFrame = 0;
    COLORREF m_highlight = 0;
    COLORREF m_highlightText = 0;
    COLORREF m_windowText = 0;
    COLORREF m_activeCaption = 0;
    COLORREF m_inactiveCaption = 0;
    COLORREF m_inactiveCaptionText = 0;
    COLORREF m_background = 0;
    COLORREF m_hotLight = 0;
    int m_bitsPerPixel = 0;
    int m_edgeWidth = 0;
    int m_edgeHeight = 0;
    int m_borderWidth = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    int m_scrollWidth = 0;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_dialogFrameWidth = 0;

    // Operations
    void Read();
};

// The process's cache, read on first use.
const CColorPaletteSystemData& ColorPaletteSystemData();
// Reads the cache again (WM_SYSCOLORCHANGE).
void InitColorPaletteSystemData();
