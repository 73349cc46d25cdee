// Classes in this file:
//   CFont - an owned GDI font.
#pragma once

#include "CGdiObject.h"

class CFont : public CGdiObject
{
public:
    CFont() = default;

    // Attributes
    HFONT GetHandle() const { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const { return GetHandle(); }
    bool GetLogFont(LOGFONTW* logFont) const { return GetObject(sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW); }

    // Operations
    bool CreateFontIndirect(const LOGFONTW* logFont)
    {
        Attach(logFont ? ::CreateFontIndirectW(logFont) : nullptr);
        return !IsNull();
    }
};
