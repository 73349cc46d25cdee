#include "Vocabulary.h"

#include "CString.h"

#include <cstring>
#include <map>

namespace
{
struct NamedId
{
    int id;
    const wchar_t* name;
};

// Id 0 occurs twice: LANGUAGE_DEFAULT replaces LANGUAGE_ENGLISH, so skin files name the
// English table LANGUAGE_DEFAULT.
const NamedId kElementNames[] = {
    { 0, L"LANGUAGE_ENGLISH" },
    { 0, L"LANGUAGE_DEFAULT" },
    { 1, L"LANGUAGE_CHINESE_SIMPLIFIED" },
    { 2, L"LANGUAGE_CHINESE_TRADITIONAL" },
    { 3, L"LANGUAGE_FRENCH" },
    { 4, L"LANGUAGE_GERMAN" },
    { 5, L"LANGUAGE_JAPANESE" },
    { 6, L"LANGUAGE_KOREAN" },
    { 7, L"LANGUAGE_RUSSIAN" },
    { 8, L"LANGUAGE_SPANISH" },
    { 9, L"KBDDEF_WINDOWS" },
    { 10, L"FONT_ARIAL10" },
    { 11, L"FONT_ARIAL12" },
    { 12, L"FONT_ARIAL13" },
    { 13, L"FONT_ARIAL14" },
    { 14, L"FONT_ARIAL16" },
    { 15, L"FONT_ARIAL12B" },
    { 16, L"FONT_ARIAL14B" },
    { 17, L"FONT_ARIAL16B" },
    { 18, L"FONT_ARIAL32B" },
    { 19, L"FONT_ARIAL12_BUTTON" },
    { 20, L"FONT_ARIAL14_BUTTON" },
    { 21, L"FONT_KAVROREG14" },
    { 22, L"FONT_KAVROREG15B" },
    { 23, L"FONT_KAVROREG32" },
    { 24, L"FONT_KAVROREG32B" },
    { 25, L"BITMAP_VELMORA" },
    { 26, L"BITMAP_BUTTONNUMSTRIP" },
    { 27, L"BITMAP_VERTICALBARVIEWS" },
    { 28, L"BITMAP_ROUNDBAR_GREEN" },
    { 29, L"BITMAP_BACKGROUND_RECT" },
    { 30, L"BITMAP_BRIGHTNESS_SETTINGS" },
    { 31, L"BITMAP_KEYMAP1_LED" },
    { 32, L"BITMAP_KEYMAP2_LED" },
    { 33, L"BITMAP_KEYMAP3_LED" },
    { 34, L"BITMAP_KEYMAP4_LED" },
    { 35, L"BITMAP_KEYMAP5_LED" },
    { 36, L"BITMAP_KEYMAP6_LED" },
    { 37, L"BITMAP_KEYMAP7_LED" },
    { 38, L"BITMAP_KEYMAP8_LED" },
    { 39, L"BMPINFO_PROFILELISTPANEL" },
    { 40, L"BMPINFO_JASSDD_UL" },
    { 41, L"BMPINFO_JASSDD_U" },
    { 42, L"BMPINFO_JASSDD_UR" },
    { 43, L"BMPINFO_JASSDD_R" },
    { 44, L"BMPINFO_JASSDD_DR" },
    { 45, L"BMPINFO_JASSDD_D" },
    { 46, L"BMPINFO_JASSDD_DL" },
    { 47, L"BMPINFO_JASSDD_L" },
    { 48, L"BUTTON_OK" },
    { 49, L"BUTTON_CANCEL" },
    { 50, L"BUTTON_APPLY" },
    { 51, L"BUTTON_EXIT" },
    { 52, L"BUTTON_UPDATE" },
    { 53, L"BUTTON_HELP" },
    { 54, L"BUTTON_RESET" },
    { 55, L"BUTTON_FB" },
    { 56, L"BUTTON_TWITTER" },
    { 57, L"BUTTON_CIRQ" },
    { 58, L"BUTTON_KEYMAP_1" },
    { 59, L"BUTTON_KEYMAP_2" },
    { 60, L"BUTTON_KEYMAP_3" },
    { 61, L"BUTTON_KEYMAP_4" },
    { 62, L"BUTTON_KEYMAP_5" },
    { 63, L"BUTTON_KEYMAP_6" },
    { 64, L"BUTTON_KEYMAP_7" },
    { 65, L"BUTTON_KEYMAP_8" },
    { 66, L"BUTTON_KEYMAP_SWITCH_OPTION" },
    { 67, L"BUTTON_POPUP_OK" },
    { 68, L"BUTTON_POPUP_CANCEL" },
    { 69, L"BUTTON_JOYSTICK_AXIS" },
    { 70, L"BUTTON_JOYSTICK_BUTTONS" },
    { 71, L"BUTTON_ASSIGNBUTTONS" },
    { 72, L"BUTTON_MANAGEPROFILES" },
    { 73, L"BUTTON_MANAGEMACROS" },
    { 74, L"BUTTON_LIGHTINGMAINTENANCE" },
    { 75, L"BUTTON_NEWPROFILE" },
    { 76, L"BUTTON_EXPORTPROFILE" },
    { 77, L"BUTTON_IMPORTPROFILE" },
    { 78, L"BUTTON_DELETEPROFILE" },
    { 79, L"BUTTON_MACRO_CREATE" },
    { 80, L"BUTTON_MACRO_RECORD" },
    { 81, L"BUTTON_MACRO_RECORD_STOP" },
    { 82, L"BUTTON_MACRO_IMPORT" },
    { 83, L"BUTTON_MACRO_EXPORT" },
    { 84, L"BUTTON_MACRO_DELETE" },
    { 85, L"BUTTON_MACRO_RENAME" },
    { 86, L"BUTTON_IGNORE_DELAY" },
    { 87, L"BUTTON_ADD_BASIC_MACRO_CMDS" },
    { 88, L"BUTTON_ADD_ADV_MACRO_CMDS" },
    { 89, L"BUTTON_MACRO_RECORD_PLAY" },
    { 90, L"BUTTON_MACRO_RECORD_BACKWARD" },
    { 91, L"BUTTON_MACRO_RECORD_FORWARD" },
    { 92, L"BUTTON_MACRO_PLAY_ONCE" },
    { 93, L"BUTTON_MACRO_PLAY_MULTIPLE" },
    { 94, L"BUTTON_MACRO_PLAY_WHILEPRESSED" },
    { 95, L"BUTTON_MACRO_PLAY_UNTILPRESSED" },
    { 96, L"BUTTON_INSERTDEFAULT_DELAY" },
    { 97, L"BUTTON_INSERT_DELAY" },
    { 98, L"BUTTON_ENABLE_PROFILE_OSD" },
    { 99, L"BUTTON_ASSNBUTTON1" },
    { 100, L"BUTTON_ASSNBUTTON2" },
    { 101, L"BUTTON_ASSNBUTTON3" },
    { 102, L"BUTTON_ASSNBUTTON4" },
    { 103, L"BUTTON_ASSNBUTTON5" },
    { 104, L"BUTTON_ASSNBUTTON6" },
    { 105, L"BUTTON_ASSNBUTTON7" },
    { 106, L"BUTTON_ASSNBUTTON8" },
    { 107, L"BUTTON_ASSNBUTTON9" },
    { 108, L"BUTTON_ASSNBUTTON10" },
    { 109, L"BUTTON_ASSNBUTTON11" },
    { 110, L"BUTTON_ASSNBUTTON12" },
    { 111, L"BUTTON_ASSNBUTTON13" },
    { 112, L"BUTTON_ASSNBUTTON14" },
    { 113, L"BUTTON_ASSNBUTTON15" },
    { 114, L"BUTTON_ASSNBUTTON16" },
    { 115, L"BUTTON_ASSNSCROLLBUTTON" },
    { 116, L"BUTTON_ASSNSCROLLUP" },
    { 117, L"BUTTON_ASSNSCROLLDOWN" },
    { 118, L"BUTTON_ASSNUP" },
    { 119, L"BUTTON_ASSNDOWN" },
    { 120, L"BUTTON_ASSNLEFT" },
    { 121, L"BUTTON_ASSNRIGHT" },
    { 122, L"BUTTON_ASSNUPLEFT" },
    { 123, L"BUTTON_ASSNUPRIGHT" },
    { 124, L"BUTTON_ASSNDOWNLEFT" },
    { 125, L"BUTTON_ASSNDOWNRIGHT" },
    { 126, L"BUTTON_CHKBOX_SLCT_SHIFT" },
    { 127, L"BUTTON_CHKBOX_SLCT_CTRL" },
    { 128, L"BUTTON_CHKBOX_SLCT_ALT" },
    { 129, L"TEXT_WARNDLG_HEADING" },
    { 130, L"TEXT_WARNDLG_MESSAGE" },
    { 131, L"TEXT_ASSIGNBUTTONS_HEADING" },
    { 132, L"TEXT_MOUSEWHEEL_OPTIONS_HEADING" },
    { 133, L"TEXT_SLCT_SHIFT" },
    { 134, L"TEXT_SLCT_CTRL" },
    { 135, L"TEXT_SLCT_ALT" },
    { 136, L"TEXT_PROGRESS_MESSAGE" },
    { 137, L"TEXT_DRIVERVER" },
    { 138, L"TEXT_FIRMWAREVER" },
    { 139, L"TEXT_MANAGEPROFILES_HEADING" },
    { 140, L"TEXT_ENABLE_PROFILE_OSD" },
    { 141, L"TEXT_MANAGEPROFILES_NOTE" },
    { 142, L"TEXT_MANAGEMACROS_HEADING" },
    { 143, L"TEXT_MACRO_NAME" },
    { 144, L"TEXT_IGNORE_DELAY" },
    { 145, L"TEXT_INSERTDEFAULT_DELAY" },
    { 146, L"TEXT_DELAY_MS" },
    { 147, L"TEXT_INSERT_BASIC_COMMAND" },
    { 148, L"TEXT_INSERT_ADDITIONAL_COMMAND" },
    { 149, L"TEXT_INSERTDEFAULT_DELAY_MS" },
    { 150, L"TEXT_HEADING_CURRENTPROFILE" },
    { 151, L"TEXT_LIGHTINGANDMAINTENANCE_HEADING" },
    { 152, L"TEXT_BRIGHTNESS" },
    { 153, L"TEXT_BRIGHTNESS_MIN" },
    { 154, L"TEXT_BRIGHTNESS_MAX" },
    { 155, L"SLIDER_LED_BRIGHTNESS" },
    { 156, L"SLIDER_LED_BRIGHTNESS_STAGE" },
    { 157, L"EDITCTRL_INSERT_DELAY" },
    { 158, L"EDITCTRL_DEFAULT_DELAY" },
    { 159, L"EDITCTRL_POPUP_NAMEENTRY" },
    { 160, L"EDITCTRL_POPUP_NUMENTRY" },
    { 161, L"EDITCTRL_POPUP_SINGLEKEYENTRY" },
    { 162, L"LIST_GLOBALMACROLIST" },
    { 163, L"LIST_GLOBALPROFILELIST" },
    { 164, L"LIST_PROFILELIST" },
    { 165, L"LIST_DROPDOWN_POPUP" },
    { 166, L"LIST_GLOBAL_BASIC_COMMANDS" },
    { 167, L"LIST_GLOBAL_ADDITIONAL_COMMANDS" },
    { 168, L"LIST_JOYSTICK_DROPDOWN_BUTTONS" },
    { 169, L"LIST_JOYSTICK_DROPDOWN_AXIS" },
    { 170, L"LIST_JOYSTICK_DROPDOWN_AXIS_DIRECTION" },
    { 171, L"LIST_KEYMAP_DROPDOWN" },
    { 172, L"LISTPANEL_ASSIGNSUBMENU_PR" },
    { 173, L"LISTPANEL_ASSIGNSUBMENU_MA" },
    { 174, L"LISTPANEL_ASSIGNSUBMENU_KM" },
    { 175, L"LISTPANEL_ASSIGNSUBMENU_MORE" },
    { 176, L"LISTPANEL_ASSIGNSUBMENU_MOUSE" },
    { 177, L"LISTPANEL_PROFILEOPTIONS" },
    { 178, L"LISTPANEL_MACROOPTIONS_KEYSTROKE" },
    { 179, L"LISTPANEL_MACROOPTIONS_DELAY" },
    { 180, L"LISTPANEL_MACROOPTIONS_MOUSECLICK" },
    { 181, L"MACRO_DISPLAY" },
    { 182, L"MACRO_DISPLAY_READONLY" },
    { 183, L"PROG_PANEL_ITEM_POPUP" },
    { 184, L"BITMAP_BUTTONNUMSTRIP12" },
    { 185, L"BITMAP_LOADING1" },
    { 186, L"BITMAP_LOADING10" },
    { 187, L"BITMAP_LOADING2" },
    { 188, L"BITMAP_LOADING3" },
    { 189, L"BITMAP_LOADING4" },
    { 190, L"BITMAP_LOADING5" },
    { 191, L"BITMAP_LOADING6" },
    { 192, L"BITMAP_LOADING7" },
    { 193, L"BITMAP_LOADING8" },
    { 194, L"BITMAP_LOADING9" },
    { 195, L"BUTTON_ASSNTHUMBGRID01" },
    { 196, L"BUTTON_ASSNTHUMBGRID02" },
    { 197, L"BUTTON_ASSNTHUMBGRID03" },
    { 198, L"BUTTON_ASSNTHUMBGRID04" },
    { 199, L"BUTTON_ASSNTHUMBGRID05" },
    { 200, L"BUTTON_ASSNTHUMBGRID06" },
    { 201, L"BUTTON_ASSNTHUMBGRID07" },
    { 202, L"BUTTON_ASSNTHUMBGRID08" },
    { 203, L"BUTTON_ASSNTHUMBGRID09" },
    { 204, L"BUTTON_ASSNTHUMBGRID10" },
    { 205, L"BUTTON_ASSNTHUMBGRID11" },
    { 206, L"BUTTON_ASSNTHUMBGRID12" },
    { 207, L"BUTTON_CHECKADDONS" },
    { 208, L"BUTTON_KEYASSIGN_123NUM_123" },
    { 209, L"BUTTON_KEYASSIGN_123NUM_NUM" },
    { 210, L"DPIFRAME" },
    { 211, L"DPIFRAMESELECTED" },
    { 212, L"DPISTAGEWINDOW_01" },
    { 213, L"DPISTAGEWINDOW_02" },
    { 214, L"DPISTAGEWINDOW_03" },
    { 215, L"DPISTAGEWINDOW_04" },
    { 216, L"DPISTAGEWINDOW_05" },
    { 217, L"DPIWIN" },
    { 218, L"DPIWINX" },
    { 219, L"DPIWINY" },
    { 220, L"DPIX" },
    { 221, L"DPIY" },
    { 222, L"FONT_ARIAL18" },
    { 223, L"FONT_ARIAL18B" },
    { 224, L"FONT_ARIALNARROW14" },
    { 225, L"FONT_KAVROREG18" },
    { 226, L"HEADING" },
    { 227, L"TEXT_ADDONHEADING" },
    { 228, L"TEXT_ADDONPARA1" },
    { 229, L"TEXT_ADDONPARA2" },
    { 230, L"TEXT_ENSURE_MOUSE_IS_ON" },
    { 231, L"TEXT_LIGHTING_HEADER" },
    { 232, L"TEXT_MOUSECONNECTING_MESSAGE" },
    { 233, L"TEXT_PRESS_ESC_TO_CANCEL" },
    { 234, L"TEXT_PREVIEW_01" },
    { 235, L"TEXT_PREVIEW_02" },
    { 236, L"TEXT_PREVIEW_03" },
    { 237, L"TEXT_PREVIEW_04" },
    { 238, L"TEXT_PREVIEW_05" },
    { 239, L"TEXT_PREVIEW_06" },
    { 240, L"TEXT_PREVIEW_07" },
    { 241, L"TEXT_PREVIEW_08" },
    { 242, L"TEXT_PREVIEW_09" },
    { 243, L"TEXT_PREVIEW_10" },
    { 244, L"TEXT_PREVIEW_11" },
    { 245, L"TEXT_PREVIEW_12" },
    { 246, L"TEXT_SENSITIVITY_STAGES_HEADER" },
    { 247, L"TEXT_THUMBGRIDVIEW_HEADING" },
    { 248, L"TEXT_TOPVIEW_BUTTON" },
    { 249, L"TEXT_WARNDLG_MESSAGE_NAME" },
    { 250, L"TEXT_KEYMAP_SWITCH_OPTION" },
    { 251, L"X" },
    { 252, L"Y" },
};

const NamedId kListColumns[] = {
    { 0, L"LCITEM_PROFILECURRENT" },
    { 1, L"LCITEM_PROFILEID" },
    { 2, L"LCITEM_PROFILENAME" },
    { 3, L"LCITEM_PROFILEEXE" },
    { 4, L"LCITEM_AUTOSWITCH" },
    { 5, L"LCITEM_MCREVENT_ICON" },
    { 6, L"LCITEM_MCREVENT_DESCRIP" },
};

const NamedId kListCellKinds[] = {
    { 0, L"ICON" },
    { 1, L"STATIC" },
    { 2, L"EDIT" },
    { 3, L"COMBO" },
    { 4, L"CHECKBOX" },
    { 5, L"FILEDIALOG" },
};

const NamedId kMacroColumnKinds[] = {
    { 0, L"ICON" },
    { 1, L"STATIC" },
};

// Kinds 36 to 43 and 77 have no name; 56 to 72 are the shortcut commands.
const NamedId kKeyFunctionNames[] = {
    { 0, L"$defaultkey" },
    { 1, L"$click" },
    { 2, L"$menu" },
    { 3, L"$universalscrolling" },
    { 4, L"$Double-Click" },
    { 5, L"$SingleKey" },
    { 6, L"$macro" },
    { 7, L"$macro" },
    { 8, L"$buttonoff" },
    { 9, L"$advanced" },
    { 10, L"$on-the-flysensitivity" },
    { 11, L"$button4" },
    { 12, L"$button5" },
    { 13, L"$SensitivityStageUp" },
    { 14, L"$SensitivityStageDown" },
    { 15, L"$SensitivityStages" },
    { 16, L"$dpistage1" },
    { 17, L"$dpistage2" },
    { 18, L"$dpistage3" },
    { 19, L"$dpistage4" },
    { 20, L"$dpistage5" },
    { 21, L"$profile" },
    { 22, L"$profile" },
    { 23, L"$profileup" },
    { 24, L"$profiledown" },
    { 25, L"$profile1" },
    { 26, L"$profile2" },
    { 27, L"$profile3" },
    { 28, L"$profile4" },
    { 29, L"$profile5" },
    { 30, L"$keymap" },
    { 31, L"$keymap" },
    { 32, L"$keymap" },
    { 33, L"$keymap" },
    { 34, L"$keymap" },
    { 35, L"$keymap" },
    { 44, L"$play" },
    { 45, L"$stop" },
    { 46, L"$Backward" },
    { 47, L"$Forward" },
    { 48, L"$pause" },
    { 49, L"$volumeup" },
    { 50, L"$volumedown" },
    { 51, L"$mute" },
    { 52, L"$skipback" },
    { 53, L"$skipforward" },
    { 54, L"$scrollup" },
    { 55, L"$scrolldown" },
    { 73, L"$dpisetting" },
    { 74, L"$profilesetting" },
    { 75, L"$launchprogram" },
    { 76, L"$launchprogram" },
    { 78, L"$joystick" },
    { 79, L"$joystick" },
};
constexpr int kFirstShortcutKind = 56;

// The hint keys that differ from the function names; every other named kind explains
// itself by its name.
const NamedId kButtonHintKeys[] = {
    { 0, L"$ResetButtonBackToDefaultFunction" },
    { 1, L"$Assignasclick" },
    { 2, L"$Assignasmenu" },
    { 3, L"$Assignasuniversalscrollcontrol" },
    { 4, L"$Assignasdoubleclick" },
    { 5, L"$Assignthisbuttontobehaveasakeyboardkey" },
    { 6, L"$Assignthisbuttontocontrolmacroplayback" },
    { 7, L"$Assignthisbuttontocontrolmacroplayback" },
    { 8, L"$Disablethisbutton" },
    { 10, L"$Assignthisbuttontoenableon-the-flysensitivitywhilstheld" },
    { 13, L"$AssignthisbuttontoincreaseDPIstage" },
    { 14, L"$AssignthisbuttontodecreaseDPIstage" },
    { 21, L"$Assignthisbuttontochangetoaprofile" },
    { 22, L"$Assignthisbuttontochangetoaprofile" },
    { 30, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 31, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 32, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 33, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 34, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 35, L"$assignthisbuttontoswitchorcycleactivekeymap" },
    { 46, L"$Assignasbackward" },
    { 47, L"$Assignasforward" },
    { 54, L"$AssignthisbuttontobehaveasScrollUp" },
    { 55, L"$AssignthisbuttontobehaveasScrollDown" },
    { 78, L"$assignthisbuttontoperformjoystickfunction" },
    { 79, L"$assignthisbuttontoperformjoystickfunction" },
};

struct NamedColor
{
    COLORREF color;
    const wchar_t* name;
};

const NamedColor kColorNames[] = {
    { 0x0000FF, L"RED" },
    { 0x00FF00, L"GREEN" },
    { 0xFF0000, L"BLUE" },
    { 0x00FFFF, L"YELLOW" },
    { 0x007EFF, L"ORANGE" },
    { 0x8080FF, L"PINK" },
    { 0x000000, L"BLACK" },
    { 0xFFFFFF, L"WHITE" },
    { 0x3A3A3A, L"DARKGREY" },
    { 0x777069, L"MIDGREY" },
    { 0x067401, L"GREEN2" },
    { 0x014709, L"GREEN3" },
    { 0x021E00, L"GREEN4" },
    { 0xC57700, L"BLUE2" },
    { 0x0B0B0B, L"BLACK2" },
    { 0x2B2B2B, L"DARKGREY2" },
    { 0x677079, L"MIDGREY2" },
    { 0x505050, L"GREY_DROPDOWN" },
    { 0x623300, L"BLUE_JO_BORDER" },
    { 0xEDD8FF, L"BLUE_JO_HIGHLIGHT" },
    { 0x3D1B00, L"BLUE_JO_PROFILE_HIGHLIGHT" },
    { 0xFDAE00, L"BLUE_JO_TAB_SELECT" },
    { 0xD6C2B1, L"GREY_JO_HEADING" },
    { 0x007CD0, L"GOLD_JO_HIGHTLIGHT" },
    { 0x554909, L"ZEFF_BORDER" },
    { 0xFEFEFE, L"ZEFF_HIGHLIGHT" },
    { 0x362E04, L"ZEFF_PROFILE_HIGHLIGHT" },
    { 0xEDE86F, L"ZEFF_TAB_SELECT" },
    { 0x1C1803, L"ZEFF_COMBO_BK" },
    { 0x483D06, L"ZEFF_DROPDOWN_BORDER" },
    { 0x816E0B, L"ZEFF_PANEL_BORDER" },
    { 0x362E05, L"ZEFF_PANEL_BACKGROUND" },
    { 0x5E510A, L"ZEFF_PANEL_HIGHLIGHT" },
    { 0x111111, L"VELM_BTNN_GREY" },
    { 0x4A4A4A, L"VELM_BTNO_GREY" },
    { 0x112A10, L"VELM_BTND_GREEN" },
    { 0x003300, L"VELM_BTNO_GREEN" },
    { 0x333333, L"VELM_BTNDS_GREY" },
};

struct JoystickAxisText
{
    uint8_t state[6];
    const wchar_t* axisKey;
    const wchar_t* directionKey;
};

const JoystickAxisText kJoystickAxisTexts[] = {
    { { 0x00, 0x80, 0x80, 0x80, 0x80, 0x80 }, L"$xaxis", L"$decrease" },
    { { 0x80, 0x00, 0x80, 0x80, 0x80, 0x80 }, L"$yaxis", L"$decrease" },
    { { 0x80, 0x80, 0x00, 0x80, 0x80, 0x80 }, L"$zaxis", L"$decrease" },
    { { 0x80, 0x80, 0x80, 0x00, 0x80, 0x80 }, L"$rxaxis", L"$decrease" },
    { { 0x80, 0x80, 0x80, 0x80, 0x00, 0x80 }, L"$ryaxis", L"$decrease" },
    { { 0x80, 0x80, 0x80, 0x80, 0x80, 0x00 }, L"$rzaxis", L"$decrease" },
    { { 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80 }, L"$xaxis", L"$increase" },
    { { 0x80, 0xFF, 0x80, 0x80, 0x80, 0x80 }, L"$yaxis", L"$increase" },
    { { 0x80, 0x80, 0xFF, 0x80, 0x80, 0x80 }, L"$zaxis", L"$increase" },
    { { 0x80, 0x80, 0x80, 0xFF, 0x80, 0x80 }, L"$rxaxis", L"$increase" },
    { { 0x80, 0x80, 0x80, 0x80, 0xFF, 0x80 }, L"$ryaxis", L"$increase" },
    { { 0x80, 0x80, 0x80, 0x80, 0x80, 0xFF }, L"$rzaxis", L"$increase" },
};

using NameTable = std::map<int, const wchar_t*>;

struct VocabularyTables
{
    NameTable elements;
    NameTable keyFunctions;
    NameTable buttonHints;
    NameTable listColumns;
    NameTable listCellKinds;
    NameTable macroColumnKinds;
    std::map<COLORREF, const wchar_t*> colors;
    bool filled = false;
};

VocabularyTables& Tables()
{
    static VocabularyTables tables;
    return tables;
}

template <size_t N>
void Fill(NameTable& table, const NamedId (&entries)[N])
{
    // A later entry of the same number replaces the earlier one.
    for (const NamedId& entry : entries)
        table[entry.id] = entry.name;
}

template <class Key>
Key FindByName(const std::map<Key, const wchar_t*>& table, const wchar_t* name, Key notFound)
{
    if (!name)
        return notFound;
    for (const auto& entry : table) {
        if (CompareStringOrdinal(entry.second, -1, name, -1, TRUE) == CSTR_EQUAL)
            return entry.first;
    }
    return notFound;
}

const wchar_t* FindById(const NameTable& table, int id)
{
    auto found = table.find(id);
    return found == table.end() ? nullptr : found->second;
}

const VocabularyTables& FilledTables()
{
    InitVocabularyTables();
    return Tables();
}
}

void InitVocabularyTables()
{
    VocabularyTables& tables = Tables();
    if (tables.filled)
        return;
    Fill(tables.elements, kElementNames);
    Fill(tables.keyFunctions, kKeyFunctionNames);
    for (int command = kFirstShortcutCommand; command <= kLastShortcutCommand; ++command)
        tables.keyFunctions[kFirstShortcutKind + command - kFirstShortcutCommand] = GetShortcutCommandName(command);
    tables.buttonHints = tables.keyFunctions;
    Fill(tables.buttonHints, kButtonHintKeys);
    Fill(tables.listColumns, kListColumns);
    Fill(tables.listCellKinds, kListCellKinds);
    Fill(tables.macroColumnKinds, kMacroColumnKinds);
    for (const NamedColor& entry : kColorNames)
        tables.colors[entry.color] = entry.name;
    tables.filled = true;
}

int GetGUIItemId(const wchar_t* name)
{
    return FindByName(FilledTables().elements, name, -1);
}

const wchar_t* GetGUIItemName(int id)
{
    return FindById(FilledTables().elements, id);
}

const wchar_t* GetKeyFunctionName(int kind)
{
    return FindById(FilledTables().keyFunctions, kind);
}

int GetKeyFunctionId(const wchar_t* name)
{
    return FindByName(FilledTables().keyFunctions, name, -1);
}

const wchar_t* GetButtonHintKey(int kind)
{
    return FindById(FilledTables().buttonHints, kind);
}

COLORREF GetColorByName(const wchar_t* name)
{
    return FindByName(FilledTables().colors, name, static_cast<COLORREF>(0xFFFFFFFF));
}

int GetListColumnId(const wchar_t* name)
{
    return FindByName(FilledTables().listColumns, name, -1);
}

int GetListCellKind(const wchar_t* name)
{
    return FindByName(FilledTables().listCellKinds, name, -1);
}

int GetMacroColumnKind(const wchar_t* name)
{
    return FindByName(FilledTables().macroColumnKinds, name, -1);
}

bool GetJoystickAxisText(const uint8_t state[6], const wchar_t*& axisKey, const wchar_t*& directionKey)
{
    if (!state)
        return false;
    for (const JoystickAxisText& entry : kJoystickAxisTexts) {
        if (std::memcmp(entry.state, state, sizeof(entry.state)) == 0) {
            axisKey = entry.axisKey;
            directionKey = entry.directionKey;
            return true;
        }
    }
    return false;
}
