// Classes in this file:
//   CLangOverride - one per-language replacement of a skin attribute, for an item or a list
//                   column.
//   CLangTable    - one language: its key-to-text table, read from a UTF-16 language file,
//                   its font replacements and its attribute overrides.
//
// A text of "$" and a key is looked up by the key (blanks of the file's key left out, case
// ignored); a text of "#" and a prefix finds the first key that begins with it; any other
// text is shown unchanged. Tables are built at start-up and only read afterwards.
#pragma once

#include "CGUIItem.h"
#include "CString.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace pugi
{
class xml_node;
}

// The languages, by id; the id is the item id of the language's LANGUAGE_* element.
constexpr int kLanguageCount = 9;
// "English", "ChineseSimplified", ... "Spanish" for ids 0 to 8; null for any other id.
const wchar_t* GetLanguageName(int id);
// The id of a language name ("English" to "Spanish"), ignoring case; -1 when unknown.
int GetLanguageIdByName(const wchar_t* name);

class CLangOverride
{
public:
    // Data members
    int m_itemId;
    int m_columnId;
    CString m_attribute;
    // A NUL-terminated UTF-16 text, or for "RECT" four int32 (left, top, right, bottom).
    std::vector<uint8_t> m_value;

    CLangOverride(int itemId, int columnId, const CString& attribute, const void* value, int size);

    // Attributes
    // The value as text; empty for a value that is not one.
    CString GetText() const;
    // The value as a rectangle; false when it holds no four coordinates.
    bool GetRect(RECT& rect) const;
};

class CLangTable : public CGUIItem
{
    // Data members
    std::vector<std::pair<CString, CString>> m_texts;
    // The keys as lookups compare them: blanks left out, at most 59 characters.
    std::vector<CString> m_compactKeys;
    CString m_languageName;
    std::map<int, int> m_fontReplacements;
    std::vector<std::unique_ptr<CLangOverride>> m_overrides;

public:
    CLangTable();
    ~CLangTable() override;

    // Attributes
    const CString& GetLanguageName() const { return m_languageName; }
    int GetPairCount() const { return static_cast<int>(m_texts.size()); }
    const std::vector<std::pair<CString, CString>>& GetTexts() const { return m_texts; }

    // The translation of the text into result (the text itself when the table lacks it);
    // true when a key matched.
    bool Lookup(const wchar_t* text, CString& result) const;

    // The override of the item's attribute (attribute name ignoring case); null when none.
    const CLangOverride* FindItemOverride(int itemId, const wchar_t* attribute) const;
    // The "width" override of the list column; null when none.
    const CLangOverride* FindColumnWidth(int columnId) const;
    // The replacement font id of this language, or the given id when it has none.
    int GetReplacementFont(int fontId) const;

    // Operations
    // Reads a language file (UTF-16LE): line 0 the language name, line 1 ignored, then key
    // and text lines in pairs up to "END OF FILE". True when at least one pair was read.
    bool ParseFile(const uint8_t* bytes, int byteCount);

    void AddOverride(int itemId, int columnId, const CString& attribute, const void* value, int size);
    void AddTextOverride(int itemId, int columnId, const CString& attribute, const CString& text);
    void AddFontReplacement(int fontId, int replacementId) { m_fontReplacements[fontId] = replacementId; }

    // Takes the font replacements (LANGFONT), column overrides (LANGOVERRIDECOL) and item
    // overrides (LANGOVERRIDE) of a LANG element of the skin.
    void ReadSkinOverrides(const pugi::xml_node& lang);

private:
    // Implementation
    void ReadFontReplacement(const pugi::xml_node& element);
    void ReadColumnOverride(const pugi::xml_node& element);
    void ReadItemOverride(const pugi::xml_node& element);
};

// The active language table; null until the application chose one.
extern CLangTable* g_pLangTable;
// Every language table read from the skin, by language id; the tables belong to the item
// collection that the skin loader filled, so whoever destroys that collection clears these
// two first.
extern std::map<int, CLangTable*> g_langTables;

// The text translated by the active table; the text itself when there is none.
bool LookupText(const wchar_t* text, CString& result);
// The replacement of a font id in the active language; the id itself without a table.
int RemapLanguageFont(int fontId);
