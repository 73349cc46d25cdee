// The value conventions every item builder shares: ids, rectangles, bitmaps, colours, fonts,
// booleans and texts of a page element, with the active language's overrides read first.
#pragma once

#include "CBitmap.h"
#include "CGUIItems.h"
#include "CRect.h"
#include "CListPanelSettings.h"
#include "CString.h"

#include <pugixml.hpp>

#include <memory>

class CBmpInfo;
class CFontItem;

namespace SkinValues
{
// Text case modes of the caps attribute.
constexpr int kCaseNone = 0;
constexpr int kCaseUpper = 1;
constexpr int kCaseLower = 2;
// Alignment of the justify attribute.
enum class Justify
{
    Left,
    Centre,
    Right
};

// An attribute as a wide string; empty when absent.
CString Attribute(const pugi::xml_node& node, const char* name);
bool HasAttribute(const pugi::xml_node& node, const char* name);
// A child element's text trimmed at both ends; empty when absent.
CString ChildText(const pugi::xml_node& node, const char* name);
// The item id of the element's name attribute; -1 when absent or unknown.
int ItemId(const pugi::xml_node& node);
// The item's text attribute, the language override for (id, name) first.
CString OverriddenAttribute(const pugi::xml_node& node, int id, const char* name);
// RECT child: (left, top, left + right, top + bottom); the override "RECT" first.
CRect Rect(const pugi::xml_node& node, int id);
int Integer(const pugi::xml_node& node, const char* name, int absent = 0);
// True when the value's first character is 1, t, T, y or Y.
bool Boolean(const pugi::xml_node& node, const char* name, bool absent);
// multiline: true only for the decimal value 1 (override first).
bool Multiline(const pugi::xml_node& node, int id);
Justify Justification(const pugi::xml_node& node);
// caps: "U" upper case, "L" lower case (override first).
int CaseMode(const pugi::xml_node& node, int id);
// A colour attribute naming a skin colour; false (colour untouched) when absent or the
// name is unknown.
bool Colour(const pugi::xml_node& node, const char* name, COLORREF& colour);
// A picture child (SBMN, SBMO, ...): the override for (id, child) first, else the child's
// text; null when absent or the picture does not load. The store owns the bitmap.
CBitmap* Picture(const pugi::xml_node& node, int id, const char* child);
// The four-state picture record of the node's BMPINFO child: its pictures SBMN, SBMO,
// SBMD, SBMDS, the mask SBMM and its RECT, each under the record's own overrides; null
// without a BMPINFO child or when its name is missing or unknown.
std::unique_ptr<CBmpInfo> BmpInfo(const pugi::xml_node& node);
// The FONT item fontid names among the items built so far: an override naming a known font
// is used as it is, otherwise the page's font passes through the language's replacement.
CFontItem* Font(const pugi::xml_node& node, int id, const CGUIItems& items);
// The COLOURSET child: one colour per COLOUR element whose one attribute names a slot
// (fontclr, ..., disbbdrclr); other attributes and unknown colours are left out.
ListColourSet ColourSet(const pugi::xml_node& node);
// The VSCROLL child's pictures and border width; present is false without the child.
CVScrollValues VScroll(const pugi::xml_node& node, bool* present = nullptr);
// The FILLINFO child: its RECT, fillclr (default white) and backclr (default black);
// false without the child.
bool FillInfo(const pugi::xml_node& node, CRect& rect, COLORREF& fill, COLORREF& back);
// A text as shown: translated through the active language, then the case mode applied.
CString ApplyCase(const CString& text, int caseMode);

// The slider tooltips' values. Position codes of ttpos, where the tip stands beside the thumb.
constexpr int kTipLeft = 0;
constexpr int kTipRight = 1;
constexpr int kTipTop = 2;
constexpr int kTipBottom = 3;
// ttpos: first character R, T or B; anything else, and an absent attribute, left.
int TooltipPosition(const pugi::xml_node& node);
// ttprefix: the text shown before a slider's value; empty when absent.
CString TooltipPrefix(const pugi::xml_node& node);
// multiplier: a decimal integer, 1 when absent.
int Multiplier(const pugi::xml_node& node);
// ttenabled: true when absent.
bool TooltipEnabled(const pugi::xml_node& node);
// A picture child loaded as a DIB section (the sliders' pictures): the override for
// (id, child) first; null when absent or the file does not load. The store owns it.
HBITMAP DIBPicture(const pugi::xml_node& node, int id, const char* child);
}
