#include "SkinValues.h"

#include "CBmpInfo.h"
#include "CFontItem.h"
#include "CLangTable.h"
#include "CSkinResourceList.h"
#include "Utf8.h"
#include "Vocabulary.h"

#include <cstdlib>
#include <cstring>

namespace SkinValues
{
namespace
{
const CLangOverride* FindOverride(int id, const char* name)
{
    if (!g_pLangTable || id < 0)
        return nullptr;
    return g_pLangTable->FindItemOverride(id, Utf8ToWide(name));
}

CString PictureName(const pugi::xml_node& node, int id, const char* child)
{
    if (const CLangOverride* replacement = FindOverride(id, child))
        return replacement->GetText();
    return ChildText(node, child);
}

int DecimalOf(const CString& text)
{
    return static_cast<int>(std::wcstol(text.GetString(), nullptr, 10));
}
}

CString Attribute(const pugi::xml_node& node, const char* name)
{
    return Utf8ToWide(node.attribute(name).value());
}

bool HasAttribute(const pugi::xml_node& node, const char* name)
{
    return !node.attribute(name).empty();
}

CString ChildText(const pugi::xml_node& node, const char* name)
{
    CString text = Utf8ToWide(node.child(name).child_value());
    return text.Trim();
}

int ItemId(const pugi::xml_node& node)
{
    if (!HasAttribute(node, "name"))
        return -1;
    return GetGUIItemId(Attribute(node, "name"));
}

CString OverriddenAttribute(const pugi::xml_node& node, int id, const char* name)
{
    if (const CLangOverride* replacement = FindOverride(id, name))
        return replacement->GetText();
    return Attribute(node, name);
}

CRect Rect(const pugi::xml_node& node, int id)
{
    RECT overridden = {};
    const CLangOverride* replacement = FindOverride(id, "RECT");
    if (replacement && replacement->GetRect(overridden))
        return CRect(overridden.left, overridden.top, overridden.left + overridden.right,
            overridden.top + overridden.bottom);
    const pugi::xml_node rect = node.child("RECT");
    const int left = Integer(rect, "left");
    const int top = Integer(rect, "top");
    return CRect(left, top, left + Integer(rect, "right"), top + Integer(rect, "bottom"));
}

int Integer(const pugi::xml_node& node, const char* name, int absent)
{
    if (!HasAttribute(node, name))
        return absent;
    return DecimalOf(Attribute(node, name));
}

bool Boolean(const pugi::xml_node& node, const char* name, bool absent)
{
    if (!HasAttribute(node, name))
        return absent;
    const CString value = Attribute(node, name);
    if (value.IsEmpty())
        return false;
    switch (value[0])
    {
    case L'1':
    case L't':
    case L'T':
    case L'y':
    case L'Y':
        return true;
    default:
        return false;
    }
}

bool Multiline(const pugi::xml_node& node, int id)
{
    const CString value = OverriddenAttribute(node, id, "multiline");
    return !value.IsEmpty() && DecimalOf(value) == 1;
}

Justify Justification(const pugi::xml_node& node)
{
    const CString value = Attribute(node, "justify");
    if (value.IsEmpty())
        return Justify::Left;
    if (value[0] == L'C')
        return Justify::Centre;
    return value[0] == L'R' ? Justify::Right : Justify::Left;
}

int CaseMode(const pugi::xml_node& node, int id)
{
    const CString value = OverriddenAttribute(node, id, "caps");
    if (value.IsEmpty())
        return kCaseNone;
    if (value[0] == L'U')
        return kCaseUpper;
    return value[0] == L'L' ? kCaseLower : kCaseNone;
}

bool Colour(const pugi::xml_node& node, const char* name, COLORREF& colour)
{
    if (!HasAttribute(node, name))
        return false;
    const COLORREF found = GetColorByName(Attribute(node, name));
    if (found == 0xFFFFFFFF)
        return false;
    colour = found;
    return true;
}

CBitmap* Picture(const pugi::xml_node& node, int id, const char* child)
{
    const CString name = PictureName(node, id, child);
    if (name.IsEmpty())
        return nullptr;
    CBitmap* picture = FindSkinPicture(name.GetString());
    return picture && !picture->IsNull() ? picture : nullptr;
}

std::unique_ptr<CBmpInfo> BmpInfo(const pugi::xml_node& node)
{
    const pugi::xml_node element = node.child("BMPINFO");
    const int id = ItemId(element);
    if (!element || id < 0)
        return nullptr;
    static const char* const kStates[CBmpInfo::kStateCount] = { "SBMN", "SBMO", "SBMD", "SBMDS" };
    auto record = std::make_unique<CBmpInfo>();
    record->m_id = id;
    for (int state = 0; state < CBmpInfo::kStateCount; ++state)
        record->m_pictures[state] = Picture(element, id, kStates[state]);
    record->m_pMask = Picture(element, id, "SBMM");
    record->m_rect = Rect(element, id);
    return record;
}

CFontItem* Font(const pugi::xml_node& node, int id, const CGUIItems& items)
{
    int fontId = -1;
    if (const CLangOverride* replacement = FindOverride(id, "fontid"))
        fontId = GetGUIItemId(replacement->GetText());
    if (fontId < 0)
    {
        if (!HasAttribute(node, "fontid"))
            return nullptr;
        fontId = GetGUIItemId(Attribute(node, "fontid"));
        if (fontId < 0)
            return nullptr;
        fontId = RemapLanguageFont(fontId);
    }
    return items.FindItemOfKind<CFontItem>(fontId, GUIKIND_FONT);
}

ListColourSet ColourSet(const pugi::xml_node& node)
{
    static const char* const kSlotNames[kListColourSlotCount] = { "fontclr", "fontclrhi", "fontclrsel",
        "disbfontclr", "backclr", "backclrhi", "backclrsel", "disbbackclr", "drawclr", "drawclrhi", "drawclrsel",
        "disbdrawclr", "bdrclr", "bdrclrhi", "bdrclrsel", "disbbdrclr" };
    ListColourSet colours;
    const pugi::xml_node set = node.child("COLOURSET");
    for (pugi::xml_node colour = set.child("COLOUR"); colour; colour = colour.next_sibling("COLOUR"))
    {
        const pugi::xml_attribute attribute = colour.first_attribute();
        if (!attribute || attribute.next_attribute())
            continue;
        for (int slot = 0; slot < kListColourSlotCount; ++slot)
        {
            if (std::strcmp(attribute.name(), kSlotNames[slot]) != 0)
                continue;
            COLORREF value = 0;
            if (Colour(colour, kSlotNames[slot], value))
                colours[slot + 1] = value;
            break;
        }
    }
    return colours;
}

CVScrollValues VScroll(const pugi::xml_node& node, bool* present)
{
    const pugi::xml_node scroll = node.child("VSCROLL");
    if (present)
        *present = !scroll.empty();
    CVScrollValues values;
    if (!scroll)
        return values;
    values.m_pTop = Picture(scroll, -1, "VSBMP_TOP");
    values.m_pUpArrow = Picture(scroll, -1, "VSBMP_AUP");
    values.m_pSpine = Picture(scroll, -1, "VSBMP_SPN");
    values.m_pThumb = Picture(scroll, -1, "VSBMP_TMB");
    values.m_pDownArrow = Picture(scroll, -1, "VSBMP_ADN");
    values.m_pBottom = Picture(scroll, -1, "VSBMP_BOT");
    values.m_borderWidth = Integer(scroll, "bdrwidth");
    return values;
}

bool FillInfo(const pugi::xml_node& node, CRect& rect, COLORREF& fill, COLORREF& back)
{
    const pugi::xml_node info = node.child("FILLINFO");
    if (!info)
        return false;
    rect = Rect(info, -1);
    fill = 0xFFFFFF;
    back = 0;
    Colour(info, "fillclr", fill);
    Colour(info, "backclr", back);
    return true;
}

CString ApplyCase(const CString& text, int caseMode)
{
    CString result = text;
    if (caseMode == kCaseUpper)
        result.MakeUpper();
    else if (caseMode == kCaseLower)
        result.MakeLower();
    return result;
}

int TooltipPosition(const pugi::xml_node& node)
{
    const CString value = Attribute(node, "ttpos");
    switch (value.IsEmpty() ? L'L' : value[0])
    {
    case L'R':
        return kTipRight;
    case L'T':
        return kTipTop;
    case L'B':
        return kTipBottom;
    default:
        return kTipLeft;
    }
}

CString TooltipPrefix(const pugi::xml_node& node)
{
    return Attribute(node, "ttprefix");
}

int Multiplier(const pugi::xml_node& node)
{
    return Integer(node, "multiplier", 1);
}

bool TooltipEnabled(const pugi::xml_node& node)
{
    return Boolean(node, "ttenabled", true);
}

HBITMAP DIBPicture(const pugi::xml_node& node, int id, const char* child)
{
    const CString name = PictureName(node, id, child);
    return name.IsEmpty() ? nullptr : FindSkinDIB(name.GetString());
}
}
