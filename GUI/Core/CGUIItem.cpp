#include "CGUIItem.h"

CGUIItem::~CGUIItem() = default;

void CGUIItem::Show(bool show)
{
    if (HasWindow())
        ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
}
