// The private window messages the skinned controls and pages exchange (WM_USER based, the
// numbers are fixed). A control's click reaches its parent as WM_COMMAND with the control's
// window handle in lParam; the parent finds the item with CGUIItems::FindItemByHwnd.
// The two progress messages (0x41E, 0x41F) belong to CProgressMessenger.h.
//   message                          wParam                     lParam
#pragma once

#include <windows.h>

constexpr UINT WM_GUI_SLIDER_POSCHANGED = 0x446;        // position                 item id
constexpr UINT WM_GUI_SLIDER_POSCHANGING = 0x447;       // position                 item id
constexpr UINT WM_GUI_SLIDERTRACK_CLICK = 0x448;        // item id                  MAKELPARAM(x, y)
constexpr UINT WM_GUI_SLIDER_THUMBX = 0x449;            // 0                        thumb x
constexpr UINT WM_GUI_SLIDER_THUMBY = 0x44A;            // 0                        thumb y
constexpr UINT WM_GUI_MARKER_CHANGED = 0x45A;           // value                    item id
constexpr UINT WM_GUI_EDIT_CHANGED = 0x4C8;             // 0                        the edit's window
constexpr UINT WM_PALETTE_COLOR_PICKED = 0x4DC;         // colour                   code (100: arrow-key preview)
constexpr UINT WM_PALETTE_CANCELLED = 0x4DD;            // colour                   code (0; the button's: control id)
constexpr UINT WM_PALETTE_CUSTOM_COLOR = 0x4DE;         // colour                   code
constexpr UINT WM_GUI_ITEM_VALUE_CHANGED = 0x4DF;       // 0 or the colour          the edit's window or control id
constexpr UINT WM_GUI_LIST_CELL_TEXT_CHANGED = 0x52D;   // list window              {row key, column id, text}
constexpr UINT WM_GUI_LIST_CHECKBOX_CHANGED = 0x52E;    // list window              {row key, column, check byte}
constexpr UINT WM_GUI_DPISTAGE_SELECTED = 0x5F4;        // stage index              item id
constexpr UINT WM_GUI_SLIDER_STAGE_CLICKED = 0x5F6;     // stage index              item id
constexpr UINT WM_GUI_LIST_ROW_CLICKED = 0x5FC;         // row key                  list window
constexpr UINT WM_GUI_LIST_CELL_DBLCLK = 0x604;         // list window              {row key, sub-item, 0}
constexpr UINT WM_GUI_LIST_ROW_RCLICKED = 0x606;        // list window              {row key, 0, 0}
constexpr UINT WM_GUI_LIST_MENU_COMMAND = 0x608;        // list window              {row key, 0, command key}
constexpr UINT WM_GUI_LIST_CELL_UPDATED = 0x609;        // list window              record with the cell text
constexpr UINT WM_GUI_DROPDOWN_SELCHANGE = 0x614;       // selection                the drop-down's window
constexpr UINT WM_GUI_LISTPANELSTATIC_CLICK = 0x615;    // hot row identifier       the inline list's item id
constexpr UINT WM_GUI_LISTPANEL_SELECT = 0x616;         // -1                       chosen row identifier
constexpr UINT WM_GUI_LISTPANEL_CLOSE = 0x617;          // 0                        -1
constexpr UINT WM_GUI_DROPDOWN_CLICKED = 0x634;         // 0                        the drop-down's window
constexpr UINT WM_GUI_MACRO_CHANGED = 0x6BC;            // 0                        item id
constexpr UINT WM_GUI_MACRO_EDIT_EVENT = 0x6BD;         // 0                        item id
constexpr UINT WM_GUI_MACRO_PLAYBACK_DONE = 0x6BE;      // 0                        item id
constexpr UINT WM_GUI_KBDKEY_MOUSEMOVE = 0x720;         // 0                        the key's item id
constexpr UINT WM_GUI_KBDKEY_CLICKED = 0x721;           // 0                        the key's item id
