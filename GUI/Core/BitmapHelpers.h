// Bitmap helpers of the panels and controls: a window region from a mask bitmap, a copy of
// one section of a bitmap (the state images cut out of one skin strip) and a picture drawn
// through its mask.
#pragma once

#include "CBitmap.h"

#include <windows.h>

// A new region covering every pixel of the bitmap that is not pure white (blue, green and
// red all 255; the fourth byte does not count). Null for a null bitmap, when a DC or the
// pixel copy cannot be made, and for a bitmap without a single such pixel: a window shaped
// by an all-white mask stays rectangular rather than becoming invisible.
HRGN CreateRegionFromBitmap(HBITMAP bitmap);
// The same with the colour of the bitmap's top-left pixel as the transparent one (a picture
// that is its own mask).
HRGN CreateRegionWithoutCornerColour(HBITMAP bitmap);

// Replaces target's bitmap by a bitmap compatible with dc holding the section (left, top) -
// (right, bottom) of source. False (target unchanged) when source holds no bitmap, the
// section is empty or a GDI call fails.
bool CopyBitmapSection(CBitmap& target, HDC dc, const CBitmap& source, int left, int top, int right, int bottom);
// The same from a bitmap handle the caller keeps (a DIB of the skin store).
bool CopyBitmapSection(CBitmap& target, HDC dc, HBITMAP source, int left, int top, int right, int bottom);

// Draws the top-left width x height of the picture at (x, y), through the mask when there
// is one (black where the picture shows, white where the target stays); false when a DC or
// bitmap cannot be made.
bool DrawMaskedPicture(HDC dc, int x, int y, int width, int height, const CBitmap& picture, const CBitmap* mask);
