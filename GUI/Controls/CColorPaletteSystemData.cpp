#include "CColorPaletteSystemData.h"

namespace
{
CColorPaletteSystemData& Cache()
{
    static CColorPaletteSystemData data;
    static bool read = false;
    if (!read)
    {
        data.Read();
        read = true;
    }
    return data;
}
}

void CColorPaletteSystemData::Read()
{
    m_buttonFace = ::GetSysColor(COLOR_BTNFACE);
    m_buttonShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_light = ::GetSysColor(COLOR_3DLIGHT);
    m_buttonHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_buttonText = ::GetSysColor(COLOR_BTNTEXT);
    m_grayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_windowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_activeCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_inactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    m_inactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    m_background = ::GetSysColor(COLOR_BACKGROUND);
    m_hotLight = ::GetSysColor(COLOR_HOTLIGHT);
    HDC screen = ::GetDC(nullptr);
    m_bitsPerPixel = screen ? ::GetDeviceCaps(screen, BITSPIXEL) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    m_edgeWidth = ::GetSystemMetrics(SM_CXEDGE);
    m_edgeHeight = ::GetSystemMetrics(SM_CYEDGE);
    m_borderWidth = ::GetSystemMetrics(SM_CXBORDER);
    m_screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    m_scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    m_frameWidth = ::GetSystemMetrics(SM_CXFRAME);
    m_frameHeight = ::GetSystemMetrics(SM_CYFRAME);
    m_dialogFrameWidth = ::GetSystemMetrics(SM_CXDLGFRAME);
}

const CColorPaletteSystemData& ColorPaletteSystemData()
{
    return Cache();
}

void InitColorPaletteSystemData()
{
    Cache().Read();
}
