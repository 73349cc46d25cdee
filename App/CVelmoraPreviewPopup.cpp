#include "CVelmoraPreviewPopup.h"

#include "AppItemIds.h"
#include "AppResource.h"
#include "CBitmapItem.h"
#include "GUIPageLoader.h"

namespace
{
const wchar_t kPreviewPage[] = L"PreviewPopup.xml";
const wchar_t kKeypadPage[] = L"PreviewPopup_Pelion.xml";
}

CVelmoraPreviewPopup::CVelmoraPreviewPopup(CWnd* parent, IKeypadProfile* profile, IKeypadConfig* config)
    : CPopupBox(IDD_VELMORA_PREVIEW, kPreviewPage, parent), m_pProfile(profile), m_pConfig(config)
{
}

CVelmoraPreviewPopup::~CVelmoraPreviewPopup()
{
    // The second page's windows are children of the popup: the window goes first, then
    // the brush they painted with, then the second page's items.
    DestroyWindow();
    m_blackBrush.DeleteObject();
    m_secondPage.DeleteAll();
}

void CVelmoraPreviewPopup::InitItems()
{
    m_secondPage.DeleteAll();
    LoadGUIPage(m_secondPage, kKeypadPage, this);
    m_pKeypadPicture = m_secondPage.FindItemOfKind<CBitmapItem>(BITMAP_VELMORA, GUIKIND_BITMAPITEM);
    m_pNumberStrip = m_items.FindItemOfKind<CBitmapItem>(BITMAP_BUTTONNUMSTRIP, GUIKIND_BITMAPITEM);
}

bool CVelmoraPreviewPopup::OnInitDialog()
{
    CPopupBox::OnInitDialog();
    return true;
}

bool CVelmoraPreviewPopup::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE: // int OnCreate(), then the brush every child paints its background with
        CPopupBox::OnWndMsg(message, wParam, lParam, result);
        if (m_blackBrush.IsNull())
            m_blackBrush.CreateSolidBrush(RGB(0, 0, 0));
        return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: // HBRUSH OnCtlColor()
        if (m_blackBrush.IsNull())
            break;
        result = reinterpret_cast<LRESULT>(m_blackBrush.GetHandle());
        return true;
    default:
        break;
    }
    return CPopupBox::OnWndMsg(message, wParam, lParam, result);
}

bool CVelmoraPreviewPopup::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return CPopupBox::OnCommand(wParam, lParam);
    CGUIItem* item = m_items.FindItemByHwnd(reinterpret_cast<HWND>(lParam));
    if (item && (item->m_id == BUTTON_POPUP_OK || item->m_id == BUTTON_POPUP_CANCEL))
        EndDialog(IDCANCEL);
    return true;
}
