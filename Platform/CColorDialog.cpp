#include "CColorDialog.h"

CColorDialog::CColorDialog()
{
    for (COLORREF& colour : m_customColors)
        colour = RGB(255, 255, 255);
}

bool CColorDialog::ChooseColor(HWND owner, COLORREF initial, DWORD flags, COLORREF& chosen)
{
    CHOOSECOLORW info = {};
    info.lStructSize = sizeof(info);
    info.hwndOwner = owner;
    info.rgbResult = initial;
    info.lpCustColors = m_customColors;
    info.Flags = flags | CC_RGBINIT;
    if (!::ChooseColorW(&info))
        return false;
    chosen = info.rgbResult;
    return true;
}

CColorDialog& CColorDialog::GetSystemDialog()
{
    static CColorDialog dialog;
    return dialog;
}
