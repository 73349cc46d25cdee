// Classes in this file:
//   CMemDC2 - an off-screen drawing context for paint handlers: drawing goes into a bitmap
//             of the painted rectangle, copied to the target in one BitBlt on destruction.
#pragma once

#include "CBitmap.h"
#include "CDC.h"
#include "CRect.h"

class CMemDC2 : public CDC
{
    // Data members
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    HDC m_hTarget;
    CRect m_rect;
    bool m_offScreen = false;

public:
    // Draws the given rectangle (the target's clip box when null) in the target's logical
    // coordinates, filled first with the target's background colour. A printing target, or
    // one for which no off-screen bitmap can be made, is drawn into directly.
    explicit CMemDC2(HDC target, const RECT* rect = nullptr);
    ~CMemDC2();
    CMemDC2(const CMemDC2&) = delete;
    CMemDC2& operator=(const CMemDC2&) = delete;

    // Attributes
    const CRect& GetRect() const { return m_rect; }
    bool IsOffScreen() const { return m_offScreen; }

private:
    bool CreateOffScreen();
};
