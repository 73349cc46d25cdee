#include "ItemBuilders.h"

#include "BitmapHelpers.h"
#include "CAVIButton.h"
#include "CBitmapBtn.h"
#include "CBitmapItem.h"
#include "CBitmapWindow.h"
#include "CBmpInfo.h"
#include "CClientDC.h"
#include "CDPIStageWindow.h"
#include "CDropdownListItem.h"
#include "CEditItem.h"
#include "CEditItemSingleKeyInputMMO.h"
#include "CFontItem.h"
#include "CKeyboardDef.h"
#include "CKeyboardKeyItem.h"
#include "KeyId.h"
#include "CKeyboardLayoutSetting.h"
#include "CLangTable.h"
#include "CListPanelItem.h"
#include "CMacroDisplayItem.h"
#include "CPanelBitmap.h"
#include "CProgressPanelItem.h"
#include "CSkinResourceList.h"
#include "CTextItem.h"
#include "CXListCtrl.h"
#include "SkinValues.h"
#include "Utf8.h"
#include "Vocabulary.h"

#include "CAPMSlider.h"
#include "CDMarker.h"
#include "CDropdownColorButton.h"
#include "CSliderHMulti.h"
#include "CSliderTrack.h"
#include "CVertSlider.h"
#include "ListDrawing.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace SkinValues;

namespace
{
void FinishItem(CGUIItem& item, int id, int kind, HWND wnd, CWnd* parent)
{
    item.m_id = id;
    item.m_kind = kind;
    item.m_hWnd = wnd;
    item.m_pParentWnd = parent;
    if (wnd)
        ::SetPropW(wnd, kItemIdProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
}

// A colour attribute and the setter of the control's state slot it fills.
template <class TItem>
struct ColourSetter
{
    const char* attribute;
    void (TItem::*set)(COLORREF);
};

// Each attribute present calls its setter; an absent one leaves the control's default.
template <class TItem, size_t N>
void ApplyColours(const pugi::xml_node& element, TItem& item, const ColourSetter<TItem> (&setters)[N])
{
    for (const ColourSetter<TItem>& setter : setters)
    {
        COLORREF colour = 0;
        if (Colour(element, setter.attribute, colour))
            (item.*setter.set)(colour);
    }
}

const ColourSetter<CEditItem> kEditColours[] = {
    { "fontclr", &CEditItem::SetTextColour },
    { "fontclrhi", &CEditItem::SetHoverTextColour },
    { "backclr", &CEditItem::SetBackColour },
    { "backclrhi", &CEditItem::SetHoverBackColour },
    { "bdrclr", &CEditItem::SetBorderColour },
    { "disbbackclr", &CEditItem::SetDisabledBackColour },
    { "disbbdrclr", &CEditItem::SetDisabledBorderColour },
    { "disbfontclr", &CEditItem::SetDisabledTextColour },
};

const ColourSetter<CEditItem> kKeyEditColours[] = {
    { "fontclr", &CEditItem::SetTextColour },
    { "fontclrhi", &CEditItem::SetHoverTextColour },
    { "backclr", &CEditItem::SetBackColour },
    { "backclrhi", &CEditItem::SetHoverBackColour },
    { "bdrclr", &CEditItem::SetBorderColour },
};

const ColourSetter<CTextItem> kTextColours[] = {
    { "fontclr", &CTextItem::SetColour },
    { "fontclrhi", &CTextItem::SetHoverColour },
    { "disbfontclr", &CTextItem::SetDisabledColour },
};

// The window a control is created in: the bitmap item named by windowid, else the owner.
CWnd* ParentOf(const pugi::xml_node& element, CWnd* owner, const CGUIItems& items)
{
    if (!HasAttribute(element, "windowid"))
        return owner;
    CBitmapItem* host = items.FindItemOfKind<CBitmapItem>(GetGUIItemId(Attribute(element, "windowid")), GUIKIND_BITMAPITEM);
    return host ? static_cast<CWnd*>(host) : owner;
}

CGUIItem* BuildLang(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto table = std::make_unique<CLangTable>();
    int size = 0;
    const uint8_t* bytes = FindLangFile(Attribute(element, "file").GetString(), &size);
    if (bytes)
        table->ParseFile(bytes, size);
    table->ReadSkinOverrides(element);
    FinishItem(*table, id, GUIKIND_LANG, nullptr, owner);
    return table.release();
}

CGUIItem* BuildKeyboardLayout(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto layout = std::make_unique<CKeyboardLayoutSetting>();
    layout->m_layout = Attribute(element, "kbdlayout");
    layout->m_items = Attribute(element, "kbditems");
    FinishItem(*layout, id, GUIKIND_KBLAYOUT, nullptr, owner);
    return layout.release();
}

CGUIItem* BuildFont(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    LOGFONTW logFont = {};
    logFont.lfPitchAndFamily = FF_SWISS;
    const CString typeface = Attribute(element, "typeface");
    if (!typeface.IsEmpty())
        lstrcpynW(logFont.lfFaceName, typeface, LF_FACESIZE);
    const int pitch = Integer(element, "pitch");
    const int bold = Integer(element, "boldlevel");
    const int width = Integer(element, "width");
    if (pitch > 0)
        logFont.lfHeight = pitch;
    if (bold > 0)
        logFont.lfWeight = bold;
    if (width > 0)
        logFont.lfWidth = width;
    CString fontFile = Utf8ToWide(element.child_value());
    fontFile.Trim();
    if (!fontFile.IsEmpty())
        GetSkinResource(fontFile, kSkinFont);
    auto font = std::make_unique<CFontItem>();
    font->CreateFontIndirect(&logFont);
    FinishItem(*font, id, GUIKIND_FONT, nullptr, owner);
    return font.release();
}

CGUIItem* BuildBitmapItem(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (Boolean(element, "moveable", true))
        style |= WS_DISABLED;
    auto item = std::make_unique<CBitmapItem>();
    if (!item->Create(Rect(element, id), owner, style))
        return nullptr;
    item->SetBitmap(Picture(element, id, "SBMN"), Picture(element, id, "SBMM"));
    if (HasAttribute(element, "tooltip"))
        item->SetItemToolTipText(Attribute(element, "tooltip"));
    FinishItem(*item, id, GUIKIND_BITMAPITEM, item->m_hWnd, owner);
    return item.release();
}

CGUIItem* BuildBitmapWindow(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto window = std::make_unique<CBitmapWindow>();
    if (!window->Create(Rect(element, id), owner))
        return nullptr;
    window->SetImages(Picture(element, id, "SBMN"), Picture(element, id, "SBMO"), Picture(element, id, "SBMD"),
        Picture(element, id, "SBMDS"));
    if (CBitmap* mask = Picture(element, id, "SBMM"))
    {
        HRGN region = CreateRegionFromBitmap(*mask);
        if (region && !window->SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    const Justify justify = Justification(element);
    UINT format = justify == Justify::Centre ? DT_CENTER : justify == Justify::Right ? DT_RIGHT : DT_LEFT;
    format |= Multiline(element, id) ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    window->SetTextFormat(format);
    if (HasAttribute(element, "tooltip"))
        window->SetItemToolTipText(Attribute(element, "tooltip"));
    if (CFontItem* font = Font(element, id, items))
    {
        window->SetFont(*font, true);
        window->SetFontHandle(*font);
    }
    COLORREF colour = 0;
    if (Colour(element, "fontclr", colour))
        window->SetTextColour(colour);
    window->SetCaseMode(CaseMode(element, id));
    for (pugi::xml_node icon = element.child("BITMAPITEM"); icon; icon = icon.next_sibling("BITMAPITEM"))
    {
        if (HasAttribute(icon, "assntype"))
            window->AddIcon(Integer(icon, "assntype"), Picture(icon, -1, "SBMN"));
    }
    FinishItem(*window, id, GUIKIND_BITMAPWINDOW, window->m_hWnd, owner);
    return window.release();
}

struct ButtonLayout
{
    DWORD style;
    UINT format;
};

ButtonLayout LayoutOf(const pugi::xml_node& element, int id, UINT multilineBreak)
{
    ButtonLayout layout = { WS_VISIBLE | BS_MULTILINE | BS_VCENTER | BS_OWNERDRAW, DT_EDITCONTROL | DT_MODIFYSTRING };
    switch (Justification(element))
    {
    case Justify::Centre:
        layout.style |= BS_CENTER;
        layout.format |= DT_CENTER;
        break;
    case Justify::Right:
        layout.style |= BS_RIGHT;
        layout.format |= DT_RIGHT;
        break;
    case Justify::Left:
        layout.style |= BS_LEFT;
        layout.format |= DT_LEFT;
        break;
    }
    layout.format |= Multiline(element, id) ? multilineBreak : (DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER);
    return layout;
}

// What a button and a keyboard key set up alike once the window exists: text format,
// font, state pictures, tooltip and check-box behaviour.
void SetUpBitmapButton(CBitmapBtn& button, const pugi::xml_node& element, int id, CGUIItems& items,
    const ButtonLayout& layout, CBitmap* const images[4], CBitmap* mask, const CRect& rect)
{
    button.SetTextFormat(layout.format);
    if (CFontItem* font = Font(element, id, items))
    {
        button.SetFont(*font, true);
        button.SetFontHandle(*font);
    }
    button.SetBitmaps(images[0], images[1], images[2], images[3], rect.Width(), rect.Height(), mask);
    if (HasAttribute(element, "tooltip"))
        button.SetItemToolTipText(Attribute(element, "tooltip"));
    button.SetCheckBox(Boolean(element, "ischeckbox", false));
}

CGUIItem* BuildButton(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    static const char* const kStates[] = { "SBMN", "SBMO", "SBMD", "SBMDS" };
    CBitmap* images[4] = {};
    for (int state = 0; state < 4; ++state)
        images[state] = Picture(element, id, kStates[state]);
    CBitmap* mask = Picture(element, id, "SBMM");
    const ButtonLayout layout = LayoutOf(element, id, DT_WORDBREAK);
    CWnd* parent = ParentOf(element, owner, items);
    const CRect rect = Rect(element, id);

    auto button = std::make_unique<CBitmapBtn>();
    if (!button->Create(rect, parent, layout.style))
        return nullptr;
    SetUpBitmapButton(*button, element, id, items, layout, images, mask, rect);
    const CString caption = OverriddenAttribute(element, id, "caption");
    if (!caption.IsEmpty())
    {
        const int caseMode = CaseMode(element, id);
        for (int state = 0; state < 4; ++state)
        {
            COLORREF colour = 0;
            if (Colour(element.child(kStates[state]), "fontclr", colour))
                button->SetCaptionColour(static_cast<CBitmapBtn::CaptionState>(state), colour);
        }
        button->SetButtonText(caption, caseMode);
    }
    button->SetCaptionOffset(Integer(element, "lmargin"));
    FinishItem(*button, id, GUIKIND_BITMAPBTN, button->m_hWnd, parent);
    return button.release();
}

CGUIItem* BuildAVIButton(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto button = std::make_unique<CAVIButton>();
    if (!button->Create(Rect(element, id), owner))
        return nullptr;
    button->SetAnimationName(ChildText(element, "VIDEO"));
    button->SetSoundName(ChildText(element, "SOUND"));
    // The still picture shown between plays comes from the skin's normal-state picture.
    button->SetStillBitmap(Picture(element, id, "SBMN"));
    FinishItem(*button, id, GUIKIND_AVIBUTTON, button->m_hWnd, owner);
    return button.release();
}

CGUIItem* BuildTextItem(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CWnd* parent = ParentOf(element, owner, items);
    const bool interactive = Boolean(element, "interactive", false);
    auto text = std::make_unique<CTextItem>();
    if (!text->Create(Rect(element, id), parent, interactive))
        return nullptr;
    UINT format = 0;
    const Justify justify = Justification(element);
    const bool multiline = Multiline(element, id);
    if (justify != Justify::Left || multiline)
    {
        format = justify == Justify::Centre ? DT_CENTER : justify == Justify::Right ? DT_RIGHT : DT_LEFT;
        format |= multiline ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    }
    text->SetTextFormat(format);
    if (HasAttribute(element, "checkboxid"))
        text->SetBuddy(items.FindItemOfKind<CBitmapBtn>(GetGUIItemId(Attribute(element, "checkboxid")), GUIKIND_BITMAPBTN));
    if (CFontItem* font = Font(element, id, items))
    {
        text->SetFont(*font, true);
        text->SetFontHandle(*font);
    }
    if (HasAttribute(element, "tooltip"))
        text->SetItemToolTipText(Attribute(element, "tooltip"));
    ApplyColours(element, *text, kTextColours);
    text->SetText(Attribute(element, "textkey"), CaseMode(element, id));
    FinishItem(*text, id, GUIKIND_TEXTITEM, text->m_hWnd, parent);
    return text.release();
}

CGUIItem* BuildEdit(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    DWORD style = 0;
    const Justify justify = Justification(element);
    if (justify == Justify::Centre)
        style |= ES_CENTER;
    else if (justify == Justify::Right)
        style |= ES_RIGHT;
    CFontItem* font = Font(element, id, items);
    auto edit = std::make_unique<CEditItem>();
    ApplyColours(element, *edit, kEditColours);
    if (!edit->Create(owner, Rect(element, id), style, 0, Integer(element, "bdrwidth"), font ? font->GetHandle() : nullptr))
        return nullptr;
    const int maximum = Integer(element, "max");
    if (maximum > 0)
        edit->LimitText(maximum);
    if (HasAttribute(element, "tooltip"))
        edit->SetItemToolTipText(Attribute(element, "tooltip"));
    FinishItem(*edit, id, GUIKIND_EDIT, edit->m_hWnd, owner);
    return edit.release();
}

// A key's picture: its own child first, else the list's shared BUTTONBITMAPS.
CBitmap* KeyPicture(const pugi::xml_node& element, int id, const char* child)
{
    if (CBitmap* own = Picture(element, id, child))
        return own;
    return Picture(element.parent().child("BUTTONBITMAPS"), id, child);
}

CGUIItem* BuildKeyboardKey(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    static const char* const kStates[] = { "SBMN", "SBMO", "SBMD", "SBMDS" };
    CBitmap* images[4] = {};
    for (int state = 0; state < 4; ++state)
        images[state] = KeyPicture(element, id, kStates[state]);
    CBitmap* mask = KeyPicture(element, id, "SBMM");
    const ButtonLayout layout = LayoutOf(element, id, DT_WORDBREAK | DT_VCENTER);
    CWnd* parent = ParentOf(element.parent(), owner, items);
    const CRect rect = Rect(element, id);

    auto key = std::make_unique<CKeyboardKeyItem>();
    if (!key->Create(rect, parent, layout.style))
        return nullptr;
    SetUpBitmapButton(*key, element, id, items, layout, images, mask, rect);
    for (int state = 0; state < 4; ++state)
    {
        COLORREF colour = 0;
        if (Colour(element.child(kStates[state]), "fontclr", colour))
            key->SetCaptionColour(static_cast<CBitmapBtn::CaptionState>(state), colour);
    }
    const CString caption = OverriddenAttribute(element, id, "caption");
    if (!caption.IsEmpty())
        key->SetButtonText(caption, CaseMode(element, id));
    if (HasAttribute(element, "kbddefid"))
        key->SetKey(HashKeyName(Attribute(element, "kbddefid")));
    if (std::unique_ptr<CBmpInfo> record = BmpInfo(element))
        key->SetBmpInfo(std::move(record));
    FinishItem(*key, id, GUIKIND_KBDKEY, key->m_hWnd, parent);
    return key.release();
}

template <class TEdit>
CGUIItem* BuildKeyEdit(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CFontItem* font = Font(element, id, items);
    auto edit = std::make_unique<TEdit>();
    ApplyColours<CEditItem>(element, *edit, kKeyEditColours);
    if (!edit->Create(owner, Rect(element, id), 0, 0, Integer(element, "bdrwidth"), font ? font->GetHandle() : nullptr))
        return nullptr;
    const int maximum = Integer(element, "max");
    if (maximum > 0)
        edit->LimitText(maximum);
    // Without the registration the field falls back to key messages.
    edit->RegisterRawKeyboard();
    FinishItem(*edit, id, GUIKIND_EDITSINGLEKEY, edit->m_hWnd, owner);
    return edit.release();
}

// The scroll bar of a VSCROLL child: its pictures and a width of its border plus the widest
// picture; width 0 without the child.
int ScrollBarOf(const pugi::xml_node& node, CVScrollValues& values)
{
    bool present = false;
    values = VScroll(node, &present);
    return present ? values.GetBarWidth() : 0;
}

CGUIItem* BuildDropdown(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    const pugi::xml_node list = element.child("CLIST");
    if (id < 0 || !list)
        return nullptr;
    auto dropdown = std::make_unique<CDropdownListItem>();
    dropdown->SetColourSet(ColourSet(element));
    dropdown->SetBorderWidth(Integer(element, "bdrwidth", 1));
    dropdown->SetMargins(Integer(element, "lmargin"), Integer(element, "rmargin"));
    CFontItem* font = Font(element, id, items);
    if (font)
        dropdown->SetFontHandle(*font);
    dropdown->SetSorted(Boolean(element, "sorted", false));
    dropdown->SetListColourSet(ColourSet(list));
    CVScrollValues scroll;
    dropdown->SetScrollWidth(ScrollBarOf(list, scroll));
    dropdown->SetScrollValues(scroll);
    const CRect box = Rect(element.child("CBOX"), id);
    if (!dropdown->CreateDropdown(Integer(list, "height"), Integer(list, "width"), box, owner, 0xFFFF))
        return nullptr;
    if (font)
        dropdown->SetFont(*font, true);
    if (HasAttribute(element, "tooltip"))
        dropdown->SetToolTipText(Attribute(element, "tooltip"));
    if (std::unique_ptr<CBmpInfo> record = BmpInfo(element))
        dropdown->SetBmpInfo(std::move(record));
    const pugi::xml_node entries = element.child("COMBOITEMS");
    for (pugi::xml_node entry = entries.child("COMBOITEM"); entry; entry = entry.next_sibling("COMBOITEM"))
        dropdown->AddString(Utf8ToWide(entry.child_value()).Trim());
    FinishItem(*dropdown, id, GUIKIND_DROPDOWN, dropdown->m_hWnd, owner);
    return dropdown.release();
}

CGUIItem* BuildListPanel(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    const CRect rect = Rect(element, id);
    auto panel = std::make_unique<CListPanelItem>(rect.Width(), rect.Height());
    panel->SetColourSet(ColourSet(element));
    panel->SetBorderWidth(Integer(element, "bdrwidth", 1));
    panel->SetMargins(Integer(element, "lmargin"), Integer(element, "rmargin"));
    if (CFontItem* font = Font(element, id, items))
        panel->SetFont(*font);
    panel->SetSorted(Boolean(element, "sorted", false));
    const pugi::xml_node list = element.child("CLIST");
    panel->m_dynamic = Boolean(list, "dynamic", Boolean(element, "dynamic", true));
    if (!panel->m_dynamic && HasAttribute(list, "height"))
        panel->m_settings.m_defaultHeight = Integer(list, "height");
    CVScrollValues scroll;
    int scrollWidth = ScrollBarOf(element, scroll);
    if (scrollWidth == 0)
        scrollWidth = ScrollBarOf(list, scroll);
    panel->SetScrollBar(scrollWidth, scroll);
    const pugi::xml_node entries = element.child("LISTPANELITEMS");
    for (pugi::xml_node row = entries.child("LISTPANELITEM"); row; row = row.next_sibling("LISTPANELITEM"))
    {
        CListEntry entry(Utf8ToWide(row.child_value()).Trim());
        entry.m_tipText = Attribute(row, "tooltip");
        panel->AddEntry(entry);
    }
    panel->m_settings.m_defaultTipText = Attribute(element, "tooltip");
    FinishItem(*panel, id, GUIKIND_LISTPANELITEM, nullptr, owner);
    return panel.release();
}

CGUIItem* BuildProgressPanel(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CRect fillRect;
    COLORREF fill = 0xFFFFFF;
    COLORREF fillBack = 0;
    FillInfo(element, fillRect, fill, fillBack);
    std::vector<CProgressText> texts;
    const pugi::xml_node list = element.child("TEXTINFOLIST");
    for (pugi::xml_node info = list.child("TEXTINFO"); info; info = info.next_sibling("TEXTINFO"))
    {
        if (!HasAttribute(info, "name") || !info.child("RECT"))
            continue;
        CProgressText text;
        text.m_name = Attribute(info, "name");
        text.m_text = Attribute(info, "textkey");
        text.m_rect = Rect(info, -1);
        if (CFontItem* font = Font(info, -1, items))
            text.m_font = *font;
        Colour(info, "fontclr", text.m_textColour);
        Colour(info, "backclr", text.m_backColour);
        texts.push_back(text);
    }
    auto panel = std::make_unique<CProgressPanelItem>();
    if (!panel->Create(Rect(element, id), owner, fillRect, fill, fillBack))
        return nullptr;
    COLORREF back = fillBack;
    if (Colour(element, "backclr", back))
        panel->SetBackColour(back);
    panel->SetTextEntries(texts);
    panel->SetPercent(0);
    FinishItem(*panel, id, GUIKIND_PROGRESSITEM, nullptr, owner);
    return panel.release();
}

CGUIItem* BuildDPIStageWindow(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    std::vector<CDPIStagePicture> pictures;
    for (pugi::xml_node info = element.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
    {
        const int pictureId = ItemId(info);
        if (pictureId < 0)
            continue;
        CDPIStagePicture picture;
        picture.m_id = pictureId;
        picture.m_pPicture = Picture(info, pictureId, "BMPDATA");
        picture.m_pMask = Picture(info, pictureId, "BMPMASK");
        picture.m_rect = Rect(info, pictureId);
        pictures.push_back(picture);
    }
    std::vector<CDPIStageText> texts;
    for (pugi::xml_node area = element.child("TEXTAREA"); area; area = area.next_sibling("TEXTAREA"))
    {
        const int textId = ItemId(area);
        if (textId < 0)
            continue;
        CDPIStageText text;
        text.m_id = textId;
        text.m_text = Attribute(area, "textkey");
        text.m_rect = Rect(area, textId);
        texts.push_back(text);
    }
    auto tile = std::make_unique<CDPIStageWindow>();
    tile->SetCaseMode(CaseMode(element, id));
    if (!tile->Create(Rect(element, id), owner, pictures, texts))
        return nullptr;
    if (CFontItem* font = Font(element, id, items))
    {
        tile->SetFont(*font, true);
        tile->SetFontHandle(*font);
    }
    if (HasAttribute(element, "tooltip"))
        tile->SetToolTip(Attribute(element, "tooltip"));
    FinishItem(*tile, id, GUIKIND_DPISTAGE, tile->m_hWnd, owner);
    return tile.release();
}

const ColourSetter<CXListCtrl> kListCtrlColours[] = {
    { "fontclr", &CXListCtrl::SetTextColour },
    { "fontclrhi", &CXListCtrl::SetSelectedTextColour },
    { "backclr", &CXListCtrl::SetBackColour },
    { "backclrhi", &CXListCtrl::SetSelectedBackColour },
    { "bdrclr", &CXListCtrl::SetBorderColour },
};

// A list column's width: the active language's override first, else the width attribute.
int ListColumnWidth(const pugi::xml_node& column, int columnId)
{
    const CLangOverride* width = g_pLangTable ? g_pLangTable->FindColumnWidth(columnId) : nullptr;
    if (width && !width->GetText().IsEmpty())
        return _wtoi(width->GetText());
    return Integer(column, "width");
}

CGUIItem* BuildListCtrl(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto list = std::make_unique<CXListCtrl>();
    CVScrollValues scroll;
    const bool hasScrollBar = ScrollBarOf(element, scroll) > 0;
    const pugi::xml_node header = element.child("LISTHDR");
    std::unique_ptr<CBmpInfo> record = BmpInfo(element);
    std::map<int, int> widths;
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN"))
    {
        const int columnId = GetListColumnId(Attribute(column, "name"));
        if (columnId >= 0)
            widths[columnId] = ListColumnWidth(column, columnId);
    }
    if (!list->Create(Rect(element, id), owner, HasAttribute(element, "bdrwidth"), Integer(element, "bdrwidth"), !header.empty(),
            hasScrollBar ? &scroll : nullptr))
        return nullptr;
    if (CFontItem* font = Font(element, id, items))
        list->SetListFont(*font);
    ApplyColours(element, *list, kListCtrlColours);
    if (header)
    {
        COLORREF back = 0;
        COLORREF text = 0xFFFFFF;
        Colour(header, "backclr", back);
        Colour(header, "fontclr", text);
        list->SetHeaderColours(back, text);
    }
    if (record)
        list->SetBmpInfo(std::move(record));
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN"))
    {
        const int columnId = GetListColumnId(Attribute(column, "name"));
        CXListColumn definition;
        definition.m_kind = GetListCellKind(Attribute(column, "type"));
        if (columnId < 0 || definition.m_kind < 0)
            continue;
        definition.m_exclusive = Boolean(column, "exclusive", false);
        definition.m_pUnchecked = Picture(column, -1, "SBMN");
        definition.m_pChecked = Picture(column, -1, "SBMD");
        definition.m_pMask = Picture(column, -1, "SBMM");
        definition.m_toolTip = Attribute(column, "tooltip");
        list->AddColumn(columnId, definition, Utf8ToWide(column.child_value()).Trim(), widths[columnId]);
    }
    // The page never sorts a list control, whatever the skin says.
    list->SetSorted(false);
    FinishItem(*list, id, GUIKIND_LISTCTRL, list->m_hWnd, owner);
    return list.release();
}

CGUIItem* BuildMacroDisplay(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto display = std::make_unique<CMacroDisplayItem>(Boolean(element, "readonly", false));
    CMacroDisplayItem::Colours colours;
    COLORREF border = 0xFFFFFF;
    Colour(element, "fontclr", colours.text);
    Colour(element, "fontclrhi", colours.selectedText);
    Colour(element, "backclr", colours.back);
    Colour(element, "backclrhi", colours.selectedBack);
    Colour(element, "bdrclr", border);
    display->SetColours(colours, border);
    static const char* const kEventBitmaps[CMacroDisplayItem::kBitmapCount] = { "MDBMP_KEYDN", "MDBMP_KEYUP",
        "MDBMP_CLK", "MDBMP_CLKH", "MDBMP_MSE", "MDBMP_MSEH" };
    for (int kind = 0; kind < CMacroDisplayItem::kBitmapCount; ++kind)
        display->SetEventBitmap(kind, Picture(element, id, kEventBitmaps[kind]));
    bool hasScrollBar = false;
    const CVScrollValues scroll = VScroll(element, &hasScrollBar);
    CFontItem* font = Font(element, id, items);
    if (!display->Create(owner, Rect(element, id), Integer(element, "bdrwidth"), font ? font->GetHandle() : nullptr,
            hasScrollBar ? &scroll : nullptr))
        return nullptr;
    const Justify justify = Justification(element);
    const int format = justify == Justify::Centre ? LVCFMT_CENTER : justify == Justify::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN"))
    {
        const int columnId = GetListColumnId(Attribute(column, "name"));
        if (columnId < 0 || GetMacroColumnKind(Attribute(column, "type")) < 0)
            continue;
        display->AddColumn(columnId, ListColumnWidth(column, columnId), format);
    }
    if (HasAttribute(element, "tooltip"))
        display->SetItemToolTipText(Attribute(element, "tooltip"));
    FinishItem(*display, id, GUIKIND_MACRODISPLAY, display->m_hWnd, owner);
    return display.release();
}

// The sliders, the level marker and the colour button.

// Sets the item id on a window whose item record stays without it (tracks, thumbs).
void SetItemIdProperty(HWND wnd, int id)
{
    if (wnd)
        ::SetPropW(wnd, kItemIdProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
}

// The SLIDERTRACK named by trackid, or null.
CSliderTrack* TrackOf(const pugi::xml_node& element, const CGUIItems& items)
{
    if (!HasAttribute(element, "trackid"))
        return nullptr;
    return items.FindItemOfKind<CSliderTrack>(GetGUIItemId(Attribute(element, "trackid")), GUIKIND_SLIDERTRACK);
}

// The area a thumb runs over: its RECT, else the whole track.
CRect ThumbArea(const pugi::xml_node& element, int id, const CSliderTrack* track)
{
    CRect rect = Rect(element, id);
    if (rect.IsRectEmpty() && track)
        track->GetClientRect(&rect);
    return rect;
}

CGUIItem* BuildSliderTrack(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CRect fillRect;
    COLORREF fill = 0xFFFFFF;
    COLORREF back = 0;
    const bool hasFill = FillInfo(element, fillRect, fill, back);
    auto track = std::make_unique<CSliderTrack>(fill, back);
    track->m_id = id;
    const CRect rect = Rect(element, id);
    if (!track->CreateTrack(rect.left, rect.top, rect.Width(), rect.Height(), owner))
        return nullptr;
    track->SetPicture(Picture(element, id, "SBMN"), Picture(element, id, "SBMM"));
    if (hasFill)
        track->SetFill(fillRect);
    FinishItem(*track, id, GUIKIND_SLIDERTRACK, nullptr, owner);
    SetItemIdProperty(track->m_hWnd, id);
    return track.release();
}

CGUIItem* BuildVertSlider(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CSliderTrack* track = TrackOf(element, items);
    CWnd* parent = track ? static_cast<CWnd*>(track) : owner;
    auto slider = std::make_unique<CVertSlider>();
    slider->m_id = id;
    slider->SetToolTipEnabled(TooltipEnabled(element));
    if (!slider->CreateThumb(DIBPicture(element, id, "SBMN"), parent, DIBPicture(element, id, "SBMO"),
            DIBPicture(element, id, "SBMM"), false, ThumbArea(element, id, track)))
        return nullptr;
    slider->SetToolTip(TooltipPrefix(element), Attribute(element, "tooltip"), TooltipPosition(element));
    FinishItem(*slider, id, GUIKIND_VERTSLIDER, slider->m_hWnd, parent);
    return slider.release();
}

CGUIItem* BuildSliderGroup(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    std::vector<int> thumbIds;
    const pugi::xml_node stages = element.child("STAGES");
    for (pugi::xml_node stage = stages.child("STAGE"); stage; stage = stage.next_sibling("STAGE"))
    {
        const int thumbId = GetGUIItemId(Utf8ToWide(stage.child_value()).Trim());
        if (thumbId >= 0)
            thumbIds.push_back(thumbId);
    }
    CSliderTrack* track = TrackOf(element, items);
    CWnd* parent = track ? static_cast<CWnd*>(track) : owner;
    const CRect area = ThumbArea(element, id, track);
    auto group = std::make_unique<CSliderHMulti>(static_cast<int>(thumbIds.size()));
    for (int i = 0; i < group->GetCount(); ++i)
    {
        CPHSlider& thumb = *group->GetSlider(i);
        thumb.m_id = thumbIds[static_cast<size_t>(i)];
        thumb.SetMultiplier(Multiplier(element));
        thumb.SetToolTipEnabled(TooltipEnabled(element));
        if (!thumb.CreateThumb(DIBPicture(element, id, "SBMN"), parent, DIBPicture(element, id, "SBMO"), nullptr, false, area))
            continue;
        thumb.SetToolTip(TooltipPrefix(element), Attribute(element, "tooltip"), TooltipPosition(element));
        FinishItem(thumb, thumb.m_id, GUIKIND_NONE, thumb.m_hWnd, parent);
    }
    group->Enable(Boolean(element, "interactive", true));
    FinishItem(*group, id, GUIKIND_SLIDERHMULTI, nullptr, owner);
    return group.release();
}

CGUIItem* BuildStageSlider(const pugi::xml_node& element, CWnd* owner, CGUIItems& items)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    CBitmapItem* host = HasAttribute(element, "trackid")
        ? items.FindItemOfKind<CBitmapItem>(GetGUIItemId(Attribute(element, "trackid")), GUIKIND_BITMAPITEM)
        : nullptr;
    CWnd* parent = host ? static_cast<CWnd*>(host) : owner;
    auto slider = std::make_unique<CAPMSlider>();
    slider->m_id = id;
    const CRect rect = Rect(element, id);
    if (!slider->CreateTrack(rect.left, rect.top, rect.Width(), rect.Height(), parent))
        return nullptr;
    slider->SetTickerBitmaps(DIBPicture(element, id, "SBMN"), DIBPicture(element, id, "SBMO"));
    if (host)
        slider->SetOverlay(host->m_pBitmap, rect);
    if (HasAttribute(element, "tooltip"))
        slider->SetItemToolTipText(Attribute(element, "tooltip"));
    slider->SetFreeTickers(!Boolean(element, "exclusive", true));
    slider->SetDefaultStages();
    FinishItem(*slider, id, GUIKIND_APMSLIDER, slider->m_hWnd, parent);
    return slider.release();
}

CGUIItem* BuildMarker(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    const int id = ItemId(element);
    if (id < 0)
        return nullptr;
    auto marker = std::make_unique<CDMarker>();
    marker->m_id = id;
    if (!marker->Create(Rect(element, id), owner))
        return nullptr;
    marker->SetBitmaps(Picture(element, id, "SBMN"), Picture(element, id, "MARK"));
    FinishItem(*marker, id, GUIKIND_DMARKER, marker->m_hWnd, owner);
    return marker.release();
}

// The colour button's attributes and the drop-down colour slots they fill.
struct ColourSlotAttribute
{
    const char* attribute;
    int slot;
};

const ColourSlotAttribute kColourButtonColours[] = {
    { "fontclr", LISTCLR_FONT },
    { "fontclrhi", LISTCLR_FONT_HI },
    { "backclr", LISTCLR_BACK },
    { "backclrhi", LISTCLR_BACK_HI },
    { "bdrclr", LISTCLR_BORDER },
    { "disbbackclr", LISTCLR_BACK_DISABLED },
    { "disbbdrclr", LISTCLR_BORDER_DISABLED },
    { "disbfontclr", LISTCLR_FONT_DISABLED },
};

CGUIItem* BuildColourButton(const pugi::xml_node& element, CWnd* owner, CGUIItems&)
{
    // The lighting page's colour button has no vocabulary name: it is found by its control id.
    int id = ItemId(element);
    if (id < 0)
        id = kUnnamedColorButtonId;
    ListColourSet colours = ColourSet(element);
    colours.emplace(LISTCLR_FONT, RGB(255, 255, 255));
    for (const ColourSlotAttribute& entry : kColourButtonColours)
    {
        COLORREF colour = 0;
        if (Colour(element, entry.attribute, colour))
            colours[entry.slot] = colour;
    }
    auto button = std::make_unique<CDropdownColorButton>();
    button->SetColourSet(colours);
    button->SetBorderWidth(Integer(element, "bdrwidth", 1));
    button->SetHasArrow(Boolean(element, "hasarrow", true));
    if (!button->CreateButton(Rect(element.child("CBOX"), id), owner, static_cast<UINT>(id)))
        return nullptr;
    if (HasAttribute(element, "tooltip"))
        button->SetToolTipText(Attribute(element, "tooltip"));
    if (CBitmap* mask = Picture(element, id, "SBMM"))
    {
        HRGN region = CreateRegionFromBitmap(*mask);
        if (region && !button->SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    FinishItem(*button, id, GUIKIND_DROPDOWNCOLOR, button->m_hWnd, owner);
    return button.release();
}

struct BuilderEntry
{
    const char* element;
    ItemBuilder builder;
};

const BuilderEntry kBuilders[] = {
    { "LANG", BuildLang },
    { "KBLAYOUT", BuildKeyboardLayout },
    { "FONT", BuildFont },
    { "BITMAPITEM", BuildBitmapItem },
    { "BITMAPWINDOW", BuildBitmapWindow },
    { "BUTTON", BuildButton },
    { "AVIBUTTON", BuildAVIButton },
    { "TEXTITEM", BuildTextItem },
    { "DPISTAGEWINDOW", BuildDPIStageWindow },
    { "COMBO", BuildDropdown },
    { "LISTPANEL", BuildListPanel },
    { "EDITCTRL", BuildEdit },
    { "KBDKEY", BuildKeyboardKey },
    { "EDITCTRLSK", BuildKeyEdit<CEditItemSingleKeyInput> },
    { "EDITCTRLSKMMO", BuildKeyEdit<CEditItemSingleKeyInputMMO> },
    { "PROGRESSPANELITEM", BuildProgressPanel },
    { "LISTCTRL", BuildListCtrl },
    { "MACRODISPLAY", BuildMacroDisplay },
    { "SLIDERTRACK", BuildSliderTrack },
    { "VSLIDER", BuildVertSlider },
    { "HSLIDERM", BuildSliderGroup },
    { "HSLIDERMAPM", BuildStageSlider },
    { "DMARKER", BuildMarker },
    { "COMBOCOLOR", BuildColourButton },
};
}

ItemBuilder FindItemBuilder(const char* element)
{
    for (const BuilderEntry& entry : kBuilders)
        if (std::strcmp(entry.element, element) == 0)
            return entry.builder;
    return nullptr;
}

CGUIItem* BuildPanelBitmap(const pugi::xml_node& element, CWnd* owner, int id)
{
    CString name = Utf8ToWide(element.child_value());
    name.Trim();
    CBitmap* picture = name.IsEmpty() ? nullptr : FindSkinPicture(name.GetString());
    if (!picture || picture->IsNull())
        return nullptr;
    const CSize size = picture->GetSize();
    auto bitmap = std::make_unique<CPanelBitmap>();
    CClientDC screen(nullptr);
    if (!CopyBitmapSection(*bitmap, screen, *picture, 0, 0, size.cx, size.cy))
        return nullptr;
    FinishItem(*bitmap, id, GUIKIND_PANELBITMAP, nullptr, owner);
    return bitmap.release();
}

bool LoadKeyboardDefinitions(const pugi::xml_node& root, CWnd* owner)
{
    const pugi::xml_node element = root.child("KEYBOARDDEF");
    if (!element || !HasAttribute(element, "name") || !HasAttribute(element, "file"))
        return false;
    int size = 0;
    const uint8_t* bytes = FindBinFile(Attribute(element, "file").GetString(), &size);
    bool loaded = g_keyboardDef.Load(bytes, size);
    if (loaded && HasAttribute(element, "kbddefaults"))
    {
        int defaultsSize = 0;
        const uint8_t* defaults = FindBinFile(Attribute(element, "kbddefaults").GetString(), &defaultsSize);
        loaded = g_keyboardDef.LoadDefaults(defaults, defaultsSize);
    }
    if (loaded)
        FinishItem(g_keyboardDef, ItemId(element), GUIKIND_KBDDEF, nullptr, owner);
    return loaded;
}

int GetItemIdProperty(HWND wnd)
{
    HANDLE value = wnd ? ::GetPropW(wnd, kItemIdProperty) : nullptr;
    return value ? static_cast<int>(reinterpret_cast<INT_PTR>(value)) : -1;
}
