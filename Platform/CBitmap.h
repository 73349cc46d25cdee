// Classes in this file:
//   CBitmap - an owned GDI bitmap.
#pragma once

#include "CGdiObject.h"
#include "CSize.h"

class CBitmap : public CGdiObject
{
public:
    CBitmap() = default;
    explicit CBitmap(HBITMAP handle) : CGdiObject(handle) {}

    // Attributes
    HBITMAP GetHandle() const { return static_cast<HBITMAP>(m_hObject); }
    operator HBITMAP() const { return GetHandle(); }
    bool GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info) == sizeof(BITMAP); }
    // The bitmap's width and height; (0, 0) without a bitmap.
    CSize GetSize() const
    {
        BITMAP info = {};
        if (!GetBitmap(&info))
            return CSize();
        return CSize(info.bmWidth, info.bmHeight);
    }

    // Operations
    bool CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        Attach(::CreateCompatibleBitmap(dc, width, height));
        return !IsNull();
    }
    // A 32-bit top-down DIB section; bits receives the pixel memory when given.
    bool CreateDIBSection32(int width, int height, void** bits = nullptr)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        if (bits)
            *bits = IsNull() ? nullptr : pixels;
        return !IsNull();
    }
};
