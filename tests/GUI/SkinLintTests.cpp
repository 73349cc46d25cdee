// The skin lint: every page file the programs load, read from the build's skin folders
// and checked without windows. A page parses and has a known root; a shaped popup has a
// background and a mask of one size; the items the programs bind exist with the element
// kind they need; every picture, font and data file a page names is in the build output;
// colour, font and item names resolve; every "$key" of the pages and of the programs'
// sources has a text in all nine languages; no two items of a page share an id.
#include "CLangTable.h"
#include "CSkinResourceList.h"
#include "ExeFolder.h"
#include "Utf8.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
std::string WideToUtf8(const wchar_t* text)
{
    if (!text)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

const char* const kPages[] = {
    "Language.xml", "MainPage.xml", "AssignButtons.xml", "ManageProfiles.xml", "ManageMacros.xml",
    "LightingMaintenance.xml", "CurrentProfile.xml", "PreviewPopup.xml", "PreviewPopup_Pelion.xml",
    "NoMousePopup.xml", "FileErrorPopUp.xml", "ProfileLimitReachedPopup.xml", "RestorePopup.xml",
    "DefaultDelayWarningPopup.xml", "PathLengthLimitReachedPopUp.xml", "FileNameLengthLimitReachedPopUp.xml",
    "MacroRepeatEntryPopup.xml", "DuplicateMacroWarningPopup.xml", "DuplicateProfileWarningPopup.xml",
    "SingleKeyPopup.xml", "EditKeyPopup.xml", "SelectProfilePopup.xml", "SelectMacroPopup.xml",
    "SelectMacroPopupForScroll.xml", "SelectApplicationWarningPopup.xml", "ProfileNamePopup.xml",
    "ProfileRenamePopup.xml", "MacroNamePopup.xml", "MacroRenamePopup.xml", "KeymapPopup.xml",
    "KeymapPopupForScroll.xml", "JoystickPopup.xml", "ImportProfileWarningPopup.xml",
    "ExportProfileWarningPopup.xml", "ExportMacroWarningPopup.xml", "DisallowDeletePopup.xml",
    "ConfirmDeletePopup.xml", "ConfirmDeleteMacroPopup.xml",
};

// The warning popups: each shows its message in the heading and is closed by its OK button.
const char* const kWarningPages[] = {
    "NoMousePopup.xml", "FileErrorPopUp.xml", "ProfileLimitReachedPopup.xml", "RestorePopup.xml",
    "DefaultDelayWarningPopup.xml", "PathLengthLimitReachedPopUp.xml", "FileNameLengthLimitReachedPopUp.xml",
    "DuplicateMacroWarningPopup.xml", "DuplicateProfileWarningPopup.xml", "SelectApplicationWarningPopup.xml",
    "ImportProfileWarningPopup.xml", "ExportProfileWarningPopup.xml", "ExportMacroWarningPopup.xml",
    "DisallowDeletePopup.xml", "ConfirmDeletePopup.xml", "ConfirmDeleteMacroPopup.xml",
};

// The pages whose dialogs ask a yes or no question and so need a Cancel button too.
const char* const kQuestionPages[] = {
    "RestorePopup.xml", "ConfirmDeletePopup.xml", "ConfirmDeleteMacroPopup.xml",
};

// An item a page must define: its element name and the element that builds the kind the
// program binds ("*" where any element will do).
struct RequiredItem
{
    const char* page;
    const char* name;
    const char* element;
};

const RequiredItem kRequiredItems[] = {
    { "MainPage.xml", "BUTTON_ASSIGNBUTTONS", "BUTTON" },
    { "MainPage.xml", "BUTTON_MANAGEPROFILES", "BUTTON" },
    { "MainPage.xml", "BUTTON_MANAGEMACROS", "BUTTON" },
    { "MainPage.xml", "BUTTON_LIGHTINGMAINTENANCE", "BUTTON" },
    { "MainPage.xml", "BUTTON_OK", "BUTTON" },
    { "MainPage.xml", "BUTTON_CANCEL", "BUTTON" },
    { "MainPage.xml", "BUTTON_APPLY", "BUTTON" },
    { "MainPage.xml", "BUTTON_EXIT", "BUTTON" },
    { "MainPage.xml", "BUTTON_HELP", "BUTTON" },
    { "MainPage.xml", "BUTTON_UPDATE", "BUTTON" },
    { "MainPage.xml", "BUTTON_FB", "BUTTON" },
    { "MainPage.xml", "BUTTON_TWITTER", "BUTTON" },
    { "MainPage.xml", "BUTTON_CIRQ", "BUTTON" },
    { "MainPage.xml", "TEXT_DRIVERVER", "TEXTITEM" },
    { "MainPage.xml", "TEXT_FIRMWAREVER", "TEXTITEM" },
    { "AssignButtons.xml", "LISTPANEL_ASSIGNSUBMENU_PR", "*" },
    { "AssignButtons.xml", "LISTPANEL_ASSIGNSUBMENU_MA", "*" },
    { "AssignButtons.xml", "LISTPANEL_ASSIGNSUBMENU_MORE", "*" },
    { "AssignButtons.xml", "LISTPANEL_ASSIGNSUBMENU_MOUSE", "*" },
    { "ManageProfiles.xml", "LIST_PROFILELIST", "LISTCTRL" },
    { "ManageProfiles.xml", "LISTPANEL_PROFILEOPTIONS", "*" },
    { "ManageProfiles.xml", "BUTTON_ENABLE_PROFILE_OSD", "BUTTON" },
    { "ManageProfiles.xml", "TEXT_ENABLE_PROFILE_OSD", "TEXTITEM" },
    { "ManageProfiles.xml", "BUTTON_NEWPROFILE", "BUTTON" },
    { "ManageProfiles.xml", "BUTTON_EXPORTPROFILE", "BUTTON" },
    { "ManageProfiles.xml", "BUTTON_IMPORTPROFILE", "BUTTON" },
    { "ManageProfiles.xml", "BUTTON_DELETEPROFILE", "BUTTON" },
    { "ManageMacros.xml", "LIST_GLOBALMACROLIST", "COMBO" },
    { "ManageMacros.xml", "LIST_GLOBAL_BASIC_COMMANDS", "COMBO" },
    { "ManageMacros.xml", "LIST_GLOBAL_ADDITIONAL_COMMANDS", "COMBO" },
    { "ManageMacros.xml", "MACRO_DISPLAY", "MACRODISPLAY" },
    { "ManageMacros.xml", "MACRO_DISPLAY_READONLY", "MACRODISPLAY" },
    { "ManageMacros.xml", "LISTPANEL_MACROOPTIONS_KEYSTROKE", "*" },
    { "ManageMacros.xml", "LISTPANEL_MACROOPTIONS_DELAY", "*" },
    { "ManageMacros.xml", "LISTPANEL_MACROOPTIONS_MOUSECLICK", "*" },
    { "ManageMacros.xml", "BUTTON_MACRO_CREATE", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RECORD", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RECORD_STOP", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_IMPORT", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_EXPORT", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_DELETE", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RENAME", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_IGNORE_DELAY", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_ADD_BASIC_MACRO_CMDS", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_ADD_ADV_MACRO_CMDS", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RECORD_PLAY", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RECORD_BACKWARD", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_MACRO_RECORD_FORWARD", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_INSERTDEFAULT_DELAY", "BUTTON" },
    { "ManageMacros.xml", "BUTTON_INSERT_DELAY", "BUTTON" },
    { "ManageMacros.xml", "TEXT_IGNORE_DELAY", "TEXTITEM" },
    { "ManageMacros.xml", "TEXT_INSERTDEFAULT_DELAY", "TEXTITEM" },
    { "ManageMacros.xml", "EDITCTRL_DEFAULT_DELAY", "EDITCTRL" },
    { "ManageMacros.xml", "EDITCTRL_INSERT_DELAY", "EDITCTRL" },
    { "LightingMaintenance.xml", "SLIDER_LED_BRIGHTNESS", "HSLIDERM" },
    { "LightingMaintenance.xml", "BUTTON_RESET", "BUTTON" },
    { "CurrentProfile.xml", "LIST_GLOBALPROFILELIST", "COMBO" },
    { "PreviewPopup.xml", "BITMAP_BUTTONNUMSTRIP", "BITMAPITEM" },
    { "PreviewPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "PreviewPopup_Pelion.xml", "BITMAP_VELMORA", "BITMAPITEM" },
    { "JoystickPopup.xml", "LIST_JOYSTICK_DROPDOWN_BUTTONS", "COMBO" },
    { "JoystickPopup.xml", "LIST_JOYSTICK_DROPDOWN_AXIS", "COMBO" },
    { "JoystickPopup.xml", "LIST_JOYSTICK_DROPDOWN_AXIS_DIRECTION", "COMBO" },
    { "JoystickPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "JoystickPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "JoystickPopup.xml", "BUTTON_JOYSTICK_BUTTONS", "BUTTON" },
    { "JoystickPopup.xml", "BUTTON_JOYSTICK_AXIS", "BUTTON" },
    { "KeymapPopup.xml", "LIST_KEYMAP_DROPDOWN", "COMBO" },
    { "KeymapPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "KeymapPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "KeymapPopup.xml", "BUTTON_KEYMAP_SWITCH_OPTION", "BUTTON" },
    { "KeymapPopup.xml", "TEXT_KEYMAP_SWITCH_OPTION", "TEXTITEM" },
    { "KeymapPopupForScroll.xml", "LIST_KEYMAP_DROPDOWN", "COMBO" },
    { "KeymapPopupForScroll.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "KeymapPopupForScroll.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "KeymapPopupForScroll.xml", "BUTTON_KEYMAP_SWITCH_OPTION", "BUTTON" },
    { "KeymapPopupForScroll.xml", "TEXT_KEYMAP_SWITCH_OPTION", "TEXTITEM" },
    { "SelectMacroPopup.xml", "LIST_DROPDOWN_POPUP", "COMBO" },
    { "SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_ONCE", "BUTTON" },
    { "SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_MULTIPLE", "BUTTON" },
    { "SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_WHILEPRESSED", "BUTTON" },
    { "SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_UNTILPRESSED", "BUTTON" },
    { "SelectMacroPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "SelectMacroPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "SelectMacroPopupForScroll.xml", "LIST_DROPDOWN_POPUP", "COMBO" },
    { "SelectMacroPopupForScroll.xml", "BUTTON_MACRO_PLAY_ONCE", "BUTTON" },
    { "SelectMacroPopupForScroll.xml", "BUTTON_MACRO_PLAY_MULTIPLE", "BUTTON" },
    { "SelectMacroPopupForScroll.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "SelectMacroPopupForScroll.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "SelectProfilePopup.xml", "LIST_DROPDOWN_POPUP", "COMBO" },
    { "SelectProfilePopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "SelectProfilePopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "ProfileNamePopup.xml", "EDITCTRL_POPUP_NAMEENTRY", "EDITCTRL" },
    { "ProfileNamePopup.xml", "TEXT_WARNDLG_HEADING", "TEXTITEM" },
    { "ProfileNamePopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "ProfileNamePopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "ProfileRenamePopup.xml", "EDITCTRL_POPUP_NAMEENTRY", "EDITCTRL" },
    { "ProfileRenamePopup.xml", "TEXT_WARNDLG_HEADING", "TEXTITEM" },
    { "ProfileRenamePopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "ProfileRenamePopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "MacroNamePopup.xml", "EDITCTRL_POPUP_NAMEENTRY", "EDITCTRL" },
    { "MacroNamePopup.xml", "TEXT_WARNDLG_HEADING", "TEXTITEM" },
    { "MacroNamePopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "MacroNamePopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "MacroRenamePopup.xml", "EDITCTRL_POPUP_NAMEENTRY", "EDITCTRL" },
    { "MacroRenamePopup.xml", "TEXT_WARNDLG_HEADING", "TEXTITEM" },
    { "MacroRenamePopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "MacroRenamePopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "MacroRepeatEntryPopup.xml", "EDITCTRL_POPUP_NUMENTRY", "EDITCTRL" },
    { "MacroRepeatEntryPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "MacroRepeatEntryPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "EditKeyPopup.xml", "EDITCTRL_POPUP_SINGLEKEYENTRY", "EDITCTRLSK" },
    { "EditKeyPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "EditKeyPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "EditKeyPopup.xml", "BUTTON_CHKBOX_SLCT_SHIFT", "BUTTON" },
    { "EditKeyPopup.xml", "BUTTON_CHKBOX_SLCT_CTRL", "BUTTON" },
    { "EditKeyPopup.xml", "BUTTON_CHKBOX_SLCT_ALT", "BUTTON" },
    { "SingleKeyPopup.xml", "EDITCTRL_POPUP_SINGLEKEYENTRY", "EDITCTRLSKMMO" },
    { "SingleKeyPopup.xml", "BUTTON_POPUP_OK", "BUTTON" },
    { "SingleKeyPopup.xml", "BUTTON_POPUP_CANCEL", "BUTTON" },
    { "SingleKeyPopup.xml", "BUTTON_CHKBOX_SLCT_SHIFT", "BUTTON" },
    { "SingleKeyPopup.xml", "BUTTON_CHKBOX_SLCT_CTRL", "BUTTON" },
    { "SingleKeyPopup.xml", "BUTTON_CHKBOX_SLCT_ALT", "BUTTON" },
    { "SingleKeyPopup.xml", "TEXT_SLCT_SHIFT", "TEXTITEM" },
    { "SingleKeyPopup.xml", "TEXT_SLCT_CTRL", "TEXTITEM" },
    { "SingleKeyPopup.xml", "TEXT_SLCT_ALT", "TEXTITEM" },
};

// Elements whose text is a picture in skins\.
const char* const kPictureElements[] = {
    "BACKGROUND", "MASK", "SBMN", "SBMO", "SBMD", "SBMDS", "SBMM", "MARK", "BMPDATA", "BMPMASK",
    "VSBMP_TOP", "VSBMP_BOT", "VSBMP_AUP", "VSBMP_ADN", "VSBMP_SPN", "VSBMP_TMB",
    "MDBMP_KEYDN", "MDBMP_KEYUP", "MDBMP_MSE", "MDBMP_MSEH", "MDBMP_CLK", "MDBMP_CLKH",
};

const char* const kColourAttributes[] = {
    "fontclr", "fontclrhi", "fontclrsel", "disbfontclr", "backclr", "backclrhi", "backclrsel", "disbbackclr",
    "drawclr", "drawclrhi", "drawclrsel", "disbdrawclr", "bdrclr", "bdrclrhi", "bdrclrsel", "disbbdrclr", "fillclr",
};

// The font files the build ships in fonts\ and the family each holds.
const std::map<std::string, std::string> kShippedFonts = { { "wqy-microhei.ttc", "WenQuanYi Micro Hei" } };

// Elements named by a list column name, a thumb's item name or not by an item name at all.
const char* const kNotItemNames[] = { "LISTCOLUMN", "LANGOVERRIDECOL" };

bool IsOneOf(const char* value, const char* const* list, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(value, list[i]) == 0)
            return true;
    return false;
}

template <size_t N>
bool IsOneOf(const char* value, const char* const (&list)[N])
{
    return IsOneOf(value, list, N);
}

std::string Trimmed(const char* text)
{
    std::string value(text);
    const size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const size_t last = value.find_last_not_of(" \t\r\n");
    return value.substr(first, last - first + 1);
}

CString SkinFolder()
{
    CString relative = Utf8ToWide(VELMORA_SKIN_FOLDER);
    relative.Replace(L'/', L'\\');
    return GetModuleFolder() + relative + L"\\";
}

bool FileExists(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The width and height of a BMP file; false when it is no readable BMP.
bool ReadBitmapSize(const CString& path, long& width, long& height)
{
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return false;
    unsigned char header[26] = {};
    const size_t read = fread(header, 1, sizeof header, file);
    fclose(file);
    if (read != sizeof header || header[0] != 'B' || header[1] != 'M')
        return false;
    int32_t w = 0;
    int32_t h = 0;
    std::memcpy(&w, header + 18, 4);
    std::memcpy(&h, header + 22, 4);
    width = w;
    height = h < 0 ? -h : h;
    return true;
}

// Every "$key" in the string literals of the C++ sources below one folder.
void CollectSourceKeys(const CString& folder, std::map<std::string, std::string>& keys)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(folder + L"*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectSourceKeys(folder + name + L"\\", keys);
            continue;
        }
        const CString lower = CString(name).MakeLower();
        if (lower.Right(4) != L".cpp" && lower.Right(2) != L".h")
            continue;
        FILE* file = _wfopen(folder + name, L"rb");
        if (!file)
            continue;
        std::string text;
        char buffer[4096];
        size_t count = 0;
        while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, count);
        fclose(file);
        for (size_t at = text.find("L\"$"); at != std::string::npos; at = text.find("L\"$", at + 3)) {
            const size_t end = text.find('"', at + 3);
            if (end == std::string::npos)
                break;
            const std::string key = text.substr(at + 2, end - at - 2);
            // A key is built further in code when it holds an escape or a format.
            if (key.size() > 1 && key.find_first_of("\\%") == std::string::npos)
                keys.emplace(key, WideToUtf8(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The nine shipped language tables, read once.
const std::vector<std::unique_ptr<CLangTable>>& ShippedLanguages()
{
    static std::vector<std::unique_ptr<CLangTable>> languages;
    if (!languages.empty())
        return languages;
    InitVocabularyTables();
    const CString saved = g_exeFolder;
    g_exeFolder = SkinFolder();
    for (int id = 0; id < kLanguageCount; ++id) {
        auto table = std::make_unique<CLangTable>();
        int size = 0;
        const uint8_t* bytes = FindLangFile(CString(GetLanguageName(id)) + L".txt", &size);
        if (bytes && table->ParseFile(bytes, size))
            languages.push_back(std::move(table));
    }
    FreeSkinResources();
    g_exeFolder = saved;
    return languages;
}

void ExpectTranslated(const std::string& key, const std::string& where)
{
    const std::vector<std::unique_ptr<CLangTable>>& languages = ShippedLanguages();
    ASSERT_EQ(languages.size(), static_cast<size_t>(kLanguageCount));
    for (int id = 0; id < kLanguageCount; ++id) {
        CString text;
        EXPECT_TRUE(languages[id]->Lookup(Utf8ToWide(key.c_str()), text) && !text.IsEmpty())
            << where << ": " << key << " has no text in " << WideToUtf8(GetLanguageName(id));
    }
}

class SkinLintTest : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { InitVocabularyTables(); }
};

// Walks every element of a page and checks what it names.
class PageChecker
{
    const std::string m_page;
    const CString m_folder;
    std::set<std::string> m_fonts;

public:
    PageChecker(const char* page, const CString& folder) : m_page(page), m_folder(folder) {}

    std::vector<std::string> m_keys;

    void CollectFonts(const pugi::xml_node& root)
    {
        for (pugi::xml_node font : root.child("FONTLIST").children("FONT"))
            m_fonts.insert(font.attribute("name").value());
    }

    void Check(const pugi::xml_node& node)
    {
        const char* element = node.name();
        if (IsOneOf(element, kPictureElements)) {
            const std::string picture = Trimmed(node.child_value());
            EXPECT_FALSE(picture.empty()) << m_page << ": " << element << " names no picture";
            if (!picture.empty()) {
                EXPECT_TRUE(FileExists(m_folder + L"skins\\" + Utf8ToWide(picture.c_str())))
                    << m_page << ": picture " << picture << " is not in skins\\";
            }
        }
        if (std::strcmp(element, "FONT") == 0)
            CheckFont(node);
        if (std::strcmp(element, "LANG") == 0) {
            EXPECT_TRUE(FileExists(m_folder + L"lang\\" + Utf8ToWide(node.attribute("file").value())))
                << m_page << ": language file " << node.attribute("file").value() << " is not in lang\\";
        }
        if (std::strcmp(element, "KEYBOARDDEF") == 0)
            for (const char* attribute : { "file", "kbddefaults" }) {
                EXPECT_TRUE(FileExists(m_folder + L"bin\\" + Utf8ToWide(node.attribute(attribute).value())))
                    << m_page << ": " << node.attribute(attribute).value() << " is not in bin\\";
            }
        for (pugi::xml_attribute attribute : node.attributes())
            CheckAttribute(element, attribute);
        const std::string text = Trimmed(node.child_value());
        if (text.size() > 1 && text[0] == '$')
            m_keys.push_back(text);
        for (pugi::xml_node child : node.children())
            if (child.type() == pugi::node_element)
                Check(child);
    }

private:
    void CheckFont(const pugi::xml_node& font)
    {
        const std::string file = Trimmed(font.child_value());
        const auto shipped = kShippedFonts.find(file);
        ASSERT_NE(shipped, kShippedFonts.end())
            << m_page << ": " << font.attribute("name").value() << " names no shipped font file";
        EXPECT_TRUE(FileExists(m_folder + L"fonts\\" + Utf8ToWide(file.c_str())))
            << m_page << ": font " << file << " is not in fonts\\";
        EXPECT_EQ(shipped->second, font.attribute("typeface").value())
            << m_page << ": " << font.attribute("name").value() << " names a family its file does not hold";
    }

    void CheckAttribute(const char* element, const pugi::xml_attribute& attribute)
    {
        const char* name = attribute.name();
        const std::string value = attribute.value();
        if (IsOneOf(name, kColourAttributes)) {
            EXPECT_NE(GetColorByName(Utf8ToWide(value.c_str())), 0xFFFFFFFFu)
                << m_page << ": " << element << " names the unknown colour " << value;
        }
        if (std::strcmp(name, "fontid") == 0 || std::strcmp(name, "fontsearch") == 0
            || std::strcmp(name, "fontreplace") == 0) {
            EXPECT_NE(GetGUIItemId(Utf8ToWide(value.c_str())), -1) << m_page << ": unknown font name " << value;
            if (std::strcmp(name, "fontid") == 0) {
                EXPECT_TRUE(m_fonts.count(value)) << m_page << ": " << element << " uses " << value
                                                  << ", which the page's own FONTLIST lacks";
            }
        }
        if (std::strcmp(name, "name") == 0 && !IsOneOf(element, kNotItemNames)) {
            EXPECT_NE(GetGUIItemId(Utf8ToWide(value.c_str())), -1)
                << m_page << ": " << element << " has the unknown name " << value;
        }
        if (std::strcmp(name, "name") == 0 && std::strcmp(element, "LISTCOLUMN") == 0) {
            EXPECT_NE(GetListColumnId(Utf8ToWide(value.c_str())), -1) << m_page << ": unknown list column " << value;
        }
        if (value.size() > 1 && value[0] == '$')
            m_keys.push_back(value);
    }
};

// The items of a page, built by the loader from the children of its list elements.
std::multimap<std::string, std::string> PageItems(const pugi::xml_node& root)
{
    std::multimap<std::string, std::string> items;
    for (pugi::xml_node list : root.children()) {
        const std::string listName = list.name();
        if (listName.size() < 4 || listName.compare(listName.size() - 4, 4, "LIST") != 0)
            continue;
        for (pugi::xml_node item : list.children())
            if (item.attribute("name"))
                items.emplace(item.attribute("name").value(), item.name());
    }
    return items;
}
}

TEST_P(SkinLintTest, PageIsSound)
{
    const char* page = GetParam();
    const CString folder = SkinFolder();
    const CString path = folder + L"xml\\" + Utf8ToWide(page);
    ASSERT_TRUE(FileExists(path)) << page << " is not in the build's xml\\ folder";

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(WideToUtf8(path).c_str());
    ASSERT_TRUE(parsed) << page << ": " << parsed.description() << " at offset " << parsed.offset;
    pugi::xml_node root = document.child("KEYBOARD");
    if (!root)
        root = document.child("GUIPANEL");
    if (!root)
        root = document.child("ITEMLIST");
    ASSERT_TRUE(root) << page << ": the root is none of KEYBOARD, GUIPANEL, ITEMLIST";

    const bool isPopup = std::strstr(page, "Popup") || std::strstr(page, "PopUp");
    if (isPopup && std::strcmp(page, "PreviewPopup_Pelion.xml") != 0) {
        ASSERT_STREQ(root.name(), "GUIPANEL") << page << ": a popup is a shaped panel";
    }
    if (std::strcmp(root.name(), "GUIPANEL") == 0) {
        long bw = 0, bh = 0, mw = 0, mh = 0;
        const std::string background = Trimmed(root.child_value("BACKGROUND"));
        const std::string mask = Trimmed(root.child_value("MASK"));
        ASSERT_TRUE(ReadBitmapSize(folder + L"skins\\" + Utf8ToWide(background.c_str()), bw, bh))
            << page << ": no readable background " << background;
        ASSERT_TRUE(ReadBitmapSize(folder + L"skins\\" + Utf8ToWide(mask.c_str()), mw, mh))
            << page << ": no readable mask " << mask;
        EXPECT_EQ(bw, mw) << page << ": background and mask differ in width";
        EXPECT_EQ(bh, mh) << page << ": background and mask differ in height";
        EXPECT_LE(bw, 1024) << page << ": wider than the smallest screen";
        EXPECT_LE(bh, 768) << page << ": taller than the smallest screen";
    }

    PageChecker checker(page, folder);
    checker.CollectFonts(root);
    checker.Check(root);
    for (const std::string& key : checker.m_keys)
        ExpectTranslated(key, page);

    const std::multimap<std::string, std::string> items = PageItems(root);
    std::map<int, std::string> ids;
    for (const auto& item : items) {
        const int id = GetGUIItemId(Utf8ToWide(item.first.c_str()));
        if (id == -1)
            continue;
        const auto earlier = ids.emplace(id, item.first);
        EXPECT_TRUE(earlier.second) << page << ": " << item.first << " shares its id with " << earlier.first->second;
    }

    // (item name, element) pairs the page must define.
    std::vector<std::pair<std::string, std::string>> required;
    for (const RequiredItem& item : kRequiredItems)
        if (std::strcmp(item.page, page) == 0)
            required.emplace_back(item.name, item.element);
    if (std::strcmp(page, "AssignButtons.xml") == 0) {
        const struct { int first; int last; const char* element; } ranges[] = {
            { 99, 125, "COMBO" }, { 58, 65, "BUTTON" }, { 31, 38, "BITMAPITEM" } };
        for (const auto& range : ranges)
            for (int id = range.first; id <= range.last; ++id)
                required.emplace_back(WideToUtf8(GetGUIItemName(id)), range.element);
    }
    if (IsOneOf(page, kWarningPages)) {
        required.emplace_back("TEXT_WARNDLG_HEADING", "TEXTITEM");
        required.emplace_back("BUTTON_POPUP_OK", "BUTTON");
    }
    if (IsOneOf(page, kQuestionPages))
        required.emplace_back("BUTTON_POPUP_CANCEL", "BUTTON");
    for (const auto& item : required) {
        const auto found = items.find(item.first);
        if (found == items.end()) {
            ADD_FAILURE() << page << ": " << item.first << " is missing";
            continue;
        }
        if (item.second != "*") {
            EXPECT_EQ(found->second, item.second) << page << ": " << item.first << " must be a " << item.second;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, SkinLintTest, testing::ValuesIn(kPages),
    [](const testing::TestParamInfo<const char*>& info) {
        std::string name(info.param);
        name = name.substr(0, name.find('.'));
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

// The "$keys" that the configuration and tray programs and the toolkit write in their
// sources, found in the source tree the build was made from.
TEST(SkinLintSources, KeysAreTranslated)
{
    std::map<std::string, std::string> keys;
    const CString sources = Utf8ToWide(VELMORA_SOURCE_FOLDER);
    for (const wchar_t* folder : { L"App\\", L"SysTray\\", L"GUI\\", L"Config\\", L"Device\\" })
        CollectSourceKeys(sources + folder, keys);
    ASSERT_GT(keys.size(), 20u) << "the sources were not found below " << WideToUtf8(sources);
    InitVocabularyTables();
    for (const auto& key : keys)
        ExpectTranslated(key.first, key.second);
}

namespace
{
std::string ReadWholeFile(const CString& path)
{
    std::string text;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return text;
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    fclose(file);
    return text;
}
}

// Help opens Manuals\index.html and F1 Manuals\Velmora\index.html; every page, picture and
// style sheet they lead to is in the build output.
TEST(SkinLintManual, PagesAndTheirPicturesAreThere)
{
    const CString manuals = SkinFolder() + L"Manuals\\";
    std::vector<CString> pending = { manuals + L"index.html", manuals + L"Velmora\\index.html" };
    std::set<CString> seen;
    while (!pending.empty()) {
        const CString page = pending.back();
        pending.pop_back();
        if (!seen.insert(page).second)
            continue;
        const std::string text = ReadWholeFile(page);
        ASSERT_FALSE(text.empty()) << WideToUtf8(page) << " is missing or empty";
        const CString folder = page.Left(page.ReverseFind(L'\\') + 1);
        for (const char* attribute : { "src=\"", "href=\"" }) {
            for (size_t at = text.find(attribute); at != std::string::npos; at = text.find(attribute, at + 1)) {
                const size_t start = at + std::strlen(attribute);
                CString target = Utf8ToWide(text.substr(start, text.find('"', start) - start).c_str());
                target.Replace(L'/', L'\\');
                const CString path = folder + target;
                EXPECT_TRUE(FileExists(path)) << WideToUtf8(page) << " names the missing " << WideToUtf8(target);
                if (FileExists(path) && target.Right(5) == L".html")
                    pending.push_back(path);
            }
        }
    }
    EXPECT_GE(seen.size(), 8u);
}
