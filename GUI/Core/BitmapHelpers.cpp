#include "BitmapHelpers.h"

#include "CDC.h"
#include "CRgn.h"
#include "CSelectObject.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace
{
// Rectangles are turned into a region and combined into the result in batches of this size.
constexpr size_t kRectanglesPerBatch = 2000;

// Collects rectangles and combines them into one region a batch at a time.
class CRegionBuilder
{
    std::vector<RECT> m_batch;
    CRgn m_result;
    bool m_failed = false;

public:
    CRegionBuilder() { m_batch.reserve(kRectanglesPerBatch); }

    void Add(int left, int top, int right, int bottom)
    {
        m_batch.push_back(RECT{ left, top, right, bottom });
        if (m_batch.size() == kRectanglesPerBatch)
            Flush();
    }

    HRGN Finish()
    {
        Flush();
        return m_failed ? nullptr : static_cast<HRGN>(m_result.Detach());
    }

private:
    void Flush()
    {
        if (m_batch.empty() || m_failed)
            return;
        std::vector<uint8_t> block(sizeof(RGNDATAHEADER) + m_batch.size() * sizeof(RECT));
        auto* data = reinterpret_cast<RGNDATA*>(block.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(m_batch.size());
        data->rdh.nRgnSize = static_cast<DWORD>(m_batch.size() * sizeof(RECT));
        RECT bounds = { 0x7FFFFFFF, 0x7FFFFFFF, 0, 0 };
        for (const RECT& rect : m_batch)
        {
            bounds.left = rect.left < bounds.left ? rect.left : bounds.left;
            bounds.top = rect.top < bounds.top ? rect.top : bounds.top;
            bounds.right = rect.right > bounds.right ? rect.right : bounds.right;
            bounds.bottom = rect.bottom > bounds.bottom ? rect.bottom : bounds.bottom;
        }
        data->rdh.rcBound = bounds;
        memcpy(data->Buffer, m_batch.data(), m_batch.size() * sizeof(RECT));
        m_batch.clear();

        CRgn part;
        if (!part.CreateFromData(data, static_cast<DWORD>(block.size())))
        {
            m_failed = true;
            return;
        }
        if (m_result.IsNull())
            m_result = std::move(part);
        else if (m_result.CombineRgn(m_result, part, RGN_OR) == ERROR)
            m_failed = true;
    }
};

// The region of every pixel of the bitmap that is not a key pixel: pure white, or with
// keyedByCorner the colour of the top-left pixel.
HRGN RegionWithoutKeyPixels(HBITMAP bitmap, bool keyedByCorner)
{
    BITMAP info = {};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    CDC sourceDC;
    CDC pixelDC;
    if (!sourceDC.CreateCompatibleDC(nullptr) || !pixelDC.CreateCompatibleDC(nullptr))
        return nullptr;
    void* bits = nullptr;
    CBitmap pixels;
    if (!pixels.CreateDIBSection32(width, height, &bits))
        return nullptr;
    {
        CSelectObject selectSource(sourceDC, bitmap);
        CSelectObject selectPixels(pixelDC, pixels);
        if (!selectSource.IsSelected() || !selectPixels.IsSelected() ||
            !pixelDC.BitBlt(0, 0, width, height, sourceDC, 0, 0, SRCCOPY))
            return nullptr;
    }
    ::GdiFlush();

    // The DIB section is top-down with 32-bit pixels: rows need no padding.
    const auto* row = static_cast<const uint32_t*>(bits);
    const uint32_t key = keyedByCorner ? (row[0] & 0x00FFFFFFu) : 0x00FFFFFFu;
    auto isKey = [key](uint32_t pixel) { return (pixel & 0x00FFFFFFu) == key; };
    CRegionBuilder builder;
    for (int y = 0; y < height; ++y, row += width)
    {
        int x = 0;
        while (x < width)
        {
            while (x < width && isKey(row[x]))
                ++x;
            const int start = x;
            while (x < width && !isKey(row[x]))
                ++x;
            if (x > start)
                builder.Add(start, y, x, y + 1);
        }
    }
    return builder.Finish();
}
}

HRGN CreateRegionFromBitmap(HBITMAP bitmap)
{
    return RegionWithoutKeyPixels(bitmap, false);
}

HRGN CreateRegionWithoutCornerColour(HBITMAP bitmap)
{
    return RegionWithoutKeyPixels(bitmap, true);
}

bool CopyBitmapSection(CBitmap& target, HDC dc, const CBitmap& source, int left, int top, int right, int bottom)
{
    return CopyBitmapSection(target, dc, source.GetHandle(), left, top, right, bottom);
}

bool CopyBitmapSection(CBitmap& target, HDC dc, HBITMAP source, int left, int top, int right, int bottom)
{
    const int width = right - left;
    const int height = bottom - top;
    if (!source || width <= 0 || height <= 0)
        return false;
    CBitmap section;
    if (!section.CreateCompatibleBitmap(dc, width, height))
        return false;
    CDC sourceDC;
    CDC targetDC;
    if (!sourceDC.CreateCompatibleDC(dc) || !targetDC.CreateCompatibleDC(dc))
        return false;
    {
        CSelectObject selectSource(sourceDC, source);
        CSelectObject selectTarget(targetDC, section);
        if (!selectSource.IsSelected() || !selectTarget.IsSelected() ||
            !targetDC.StretchBlt(0, 0, width, height, sourceDC, left, top, width, height, SRCCOPY))
            return false;
    }
    target = std::move(section);
    return true;
}

bool DrawMaskedPicture(HDC dc, int x, int y, int width, int height, const CBitmap& picture, const CBitmap* mask)
{
    // The raster operation "destination AND NOT source".
    constexpr DWORD kDestAndNotSource = 0x00220326;
    CDC pictureDC;
    if (picture.IsNull() || width <= 0 || height <= 0 || !pictureDC.CreateCompatibleDC(dc))
        return false;
    CSelectObject selectPicture(pictureDC, picture);
    if (!mask || mask->IsNull())
        return ::BitBlt(dc, x, y, width, height, pictureDC, 0, 0, SRCCOPY) != FALSE;
    // The picture where the mask is black, black elsewhere; the target cleared where the
    // picture goes; then the two combined.
    CDC maskDC;
    CDC partDC;
    CBitmap part;
    if (!maskDC.CreateCompatibleDC(dc) || !partDC.CreateCompatibleDC(dc) || !part.CreateCompatibleBitmap(dc, width, height))
        return false;
    CSelectObject selectMask(maskDC, *mask);
    CSelectObject selectPart(partDC, part);
    partDC.BitBlt(0, 0, width, height, pictureDC, 0, 0, SRCCOPY);
    partDC.BitBlt(0, 0, width, height, maskDC, 0, 0, kDestAndNotSource);
    return ::BitBlt(dc, x, y, width, height, maskDC, 0, 0, SRCAND) && ::BitBlt(dc, x, y, width, height, partDC, 0, 0, SRCPAINT);
}
