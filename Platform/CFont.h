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
    // The font described by logFont in bold (FW_BOLD), whatever weight it names.
    bool CreateBoldFontIndirect(const LOGFONTW* logFont)
    {
        if (!logFont)
            return false;
        LOGFONTW bold = *logFont;
        bold.lfWeight = FW_BOLD;
        return CreateFontIndirect(&bold);
    }
};
