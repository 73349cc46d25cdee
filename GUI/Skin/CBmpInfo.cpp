#include "CBmpInfo.h"

#include "BitmapHelpers.h"

namespace
{
bool IsSet(const CBitmap* bitmap)
{
    return bitmap && !bitmap->IsNull();
}
}

const CBitmap* CBmpInfo::Picture(bool disabled, bool pressed, bool hover) const
{
    const State state = disabled ? kDisabled : pressed ? kPressed : hover ? kHover : kNormal;
    if (IsSet(m_pictures[state]))
        return m_pictures[state];
    return IsSet(m_pictures[kNormal]) ? m_pictures[kNormal] : nullptr;
}

void CBmpInfo::Draw(HDC dc, bool disabled, bool pressed, bool hover) const
{
    const CBitmap* picture = Picture(disabled, pressed, hover);
    if (!picture || m_rect.IsRectEmpty())
        return;
    DrawMaskedPicture(dc, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), *picture, IsSet(m_pMask) ? m_pMask : nullptr);
}
