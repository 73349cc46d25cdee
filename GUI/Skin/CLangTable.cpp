#include "CLangTable.h"

#include "Utf8.h"
#include "Vocabulary.h"

#include <pugixml.hpp>

#include <cstring>

CLangTable* g_pLangTable = nullptr;
std::map<int, CLangTable*> g_langTables;

namespace
{
const wchar_t* const kLanguageNames[kLanguageCount] = {
    L"English", L"ChineseSimplified", L"ChineseTraditional", L"French", L"German",
    L"Japanese", L"Korean", L"Russian", L"Spanish",
};

constexpr int kCompactKeyLimit = 59;
constexpr wchar_t kCarriageReturn = L'\r';
constexpr wchar_t kLineFeed = L'\n';

bool EqualNoCase(const wchar_t* a, int aLength, const wchar_t* b, int bLength)
{
    return CompareStringOrdinal(a, aLength, b, bLength, TRUE) == CSTR_EQUAL;
}

CString CompactKey(const CString& key)
{
    CString compact;
    for (int i = 0; i < key.GetLength() && compact.GetLength() < kCompactKeyLimit; ++i) {
        wchar_t ch = key[i];
        if (ch == L'\0' || ch == kLineFeed || ch == kCarriageReturn)
            break;
        if (ch != L' ')
            compact += ch;
    }
    return compact;
}

// Splits UTF-16LE text into lines: a line ends at a carriage return, after which every
// further carriage return and line feed is skipped; a line feed alone ends nothing.
class CLineReader
{
    const uint8_t* m_bytes;
    int m_count;
    int m_next = 0;

public:
    CLineReader(const uint8_t* bytes, int byteCount) : m_bytes(bytes), m_count(byteCount / 2) {}

    bool Next(CString& line)
    {
        if (m_next >= m_count)
            return false;
        line.Empty();
        while (m_next < m_count) {
            wchar_t ch = CodeUnit(m_next++);
            if (ch == kCarriageReturn)
                break;
            line += ch;
        }
        while (m_next < m_count && (CodeUnit(m_next) == kCarriageReturn || CodeUnit(m_next) == kLineFeed))
            ++m_next;
        return true;
    }

private:
    wchar_t CodeUnit(int index) const
    {
        return static_cast<wchar_t>(m_bytes[2 * index] | (m_bytes[2 * index + 1] << 8));
    }
};

bool IsEndOfFile(const CString& line)
{
    return line.CompareNoCase(L"END OF FILE") == 0;
}

int CountAttributes(const pugi::xml_node& element)
{
    int count = 0;
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute())
        ++count;
    return count;
}

// The one attribute of the element besides "name"; empty when there is not exactly one.
pugi::xml_attribute OtherAttribute(const pugi::xml_node& element)
{
    if (CountAttributes(element) != 2)
        return pugi::xml_attribute();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        if (std::strcmp(attribute.name(), "name") != 0)
            return attribute;
    }
    return pugi::xml_attribute();
}

int ElementId(const char* name)
{
    return GetGUIItemId(Utf8ToWide(name));
}
}

const wchar_t* GetLanguageName(int id)
{
    return id >= 0 && id < kLanguageCount ? kLanguageNames[id] : nullptr;
}

int GetLanguageIdByName(const wchar_t* name)
{
    if (!name)
        return -1;
    for (int id = 0; id < kLanguageCount; ++id) {
        if (EqualNoCase(kLanguageNames[id], -1, name, -1))
            return id;
    }
    return -1;
}

CLangOverride::CLangOverride(int itemId, int columnId, const CString& attribute, const void* value, int size)
    : m_itemId(itemId)
    , m_columnId(columnId)
    , m_attribute(attribute)
{
    if (value && size > 0) {
        const uint8_t* bytes = static_cast<const uint8_t*>(value);
        m_value.assign(bytes, bytes + size);
    }
}

CString CLangOverride::GetText() const
{
    const int units = static_cast<int>(m_value.size() / sizeof(wchar_t));
    if (units == 0)
        return CString();
    std::vector<wchar_t> text(static_cast<size_t>(units) + 1, L'\0');
    std::memcpy(text.data(), m_value.data(), static_cast<size_t>(units) * sizeof(wchar_t));
    return CString(text.data());
}

bool CLangOverride::GetRect(RECT& rect) const
{
    int32_t coordinates[4];
    if (m_value.size() != sizeof(coordinates))
        return false;
    std::memcpy(coordinates, m_value.data(), sizeof(coordinates));
    rect = { coordinates[0], coordinates[1], coordinates[2], coordinates[3] };
    return true;
}

CLangTable::CLangTable() = default;

CLangTable::~CLangTable() = default;

bool CLangTable::ParseFile(const uint8_t* bytes, int byteCount)
{
    if (!bytes || byteCount <= 0)
        return false;
    CLineReader reader(bytes, byteCount);
    CString line;
    if (reader.Next(line))
        m_languageName = line;
    reader.Next(line);
    CString key;
    bool haveKey = false;
    while (reader.Next(line)) {
        if (IsEndOfFile(line))
            break;
        if (!haveKey) {
            key = line;
            haveKey = true;
            continue;
        }
        m_texts.emplace_back(key, line);
        m_compactKeys.push_back(CompactKey(key));
        haveKey = false;
    }
    return GetPairCount() > 0;
}

bool CLangTable::Lookup(const wchar_t* text, CString& result) const
{
    result = text;
    if (!text || (text[0] != L'$' && text[0] != L'#') || text[1] == L'\0')
        return false;
    const bool prefix = text[0] == L'#';
    const wchar_t* wanted = text + 1;
    const int wantedLength = static_cast<int>(wcslen(wanted));
    if (wantedLength > kCompactKeyLimit)
        return false;
    for (size_t i = 0; i < m_compactKeys.size(); ++i) {
        const CString& compact = m_compactKeys[i];
        const int compared = prefix ? wantedLength : compact.GetLength();
        if (compact.GetLength() < compared)
            continue;
        if (EqualNoCase(compact, compared, wanted, wantedLength)) {
            result = m_texts[i].second;
            return true;
        }
    }
    return false;
}

const CLangOverride* CLangTable::FindItemOverride(int itemId, const wchar_t* attribute) const
{
    for (const auto& record : m_overrides) {
        if (record->m_itemId == itemId && record->m_attribute.CompareNoCase(attribute) == 0)
            return record.get();
    }
    return nullptr;
}

const CLangOverride* CLangTable::FindColumnWidth(int columnId) const
{
    for (const auto& record : m_overrides) {
        if (record->m_columnId == columnId && record->m_attribute.CompareNoCase(L"width") == 0)
            return record.get();
    }
    return nullptr;
}

int CLangTable::GetReplacementFont(int fontId) const
{
    auto found = m_fontReplacements.find(fontId);
    return found != m_fontReplacements.end() && found->second != 0 ? found->second : fontId;
}

void CLangTable::AddOverride(int itemId, int columnId, const CString& attribute, const void* value, int size)
{
    m_overrides.push_back(std::make_unique<CLangOverride>(itemId, columnId, attribute, value, size));
}

void CLangTable::AddTextOverride(int itemId, int columnId, const CString& attribute, const CString& text)
{
    AddOverride(itemId, columnId, attribute, text.GetString(),
        static_cast<int>((text.GetLength() + 1) * sizeof(wchar_t)));
}

void CLangTable::ReadSkinOverrides(const pugi::xml_node& lang)
{
    for (pugi::xml_node element = lang.child("LANGFONT"); element; element = element.next_sibling("LANGFONT"))
        ReadFontReplacement(element);
    for (pugi::xml_node element = lang.child("LANGOVERRIDECOL"); element; element = element.next_sibling("LANGOVERRIDECOL"))
        ReadColumnOverride(element);
    for (pugi::xml_node element = lang.child("LANGOVERRIDE"); element; element = element.next_sibling("LANGOVERRIDE"))
        ReadItemOverride(element);
}

void CLangTable::ReadFontReplacement(const pugi::xml_node& element)
{
    int font = ElementId(element.attribute("fontsearch").value());
    int replacement = ElementId(element.attribute("fontreplace").value());
    if (font != -1 && replacement != -1)
        AddFontReplacement(font, replacement);
}

void CLangTable::ReadColumnOverride(const pugi::xml_node& element)
{
    pugi::xml_attribute other = OtherAttribute(element);
    if (!other)
        return;
    int column = GetListColumnId(Utf8ToWide(element.attribute("name").value()));
    if (column == -1)
        return;
    AddTextOverride(-1, column, Utf8ToWide(other.name()), Utf8ToWide(other.value()));
}

void CLangTable::ReadItemOverride(const pugi::xml_node& element)
{
    int item = ElementId(element.attribute("name").value());
    if (item == -1 || !element.attribute("name"))
        return;
    const int attributes = CountAttributes(element);
    if (attributes == 2) {
        pugi::xml_attribute other = OtherAttribute(element);
        AddTextOverride(item, -1, Utf8ToWide(other.name()), Utf8ToWide(other.value()));
        return;
    }
    if (attributes != 1)
        return;
    if (pugi::xml_node rect = element.child("RECT")) {
        const int32_t coordinates[4] = { rect.attribute("left").as_int(), rect.attribute("top").as_int(),
            rect.attribute("right").as_int(), rect.attribute("bottom").as_int() };
        AddOverride(item, -1, L"RECT", coordinates, sizeof(coordinates));
        return;
    }
    for (const char* bitmap : { "SBMN", "SBMO", "SBMD", "SBMDS", "SBMM" }) {
        if (pugi::xml_node child = element.child(bitmap))
            AddTextOverride(item, -1, Utf8ToWide(bitmap), Utf8ToWide(child.text().get()));
    }
}

bool LookupText(const wchar_t* text, CString& result)
{
    if (!g_pLangTable) {
        result = text;
        return false;
    }
    return g_pLangTable->Lookup(text, result);
}

int RemapLanguageFont(int fontId)
{
    return g_pLangTable ? g_pLangTable->GetReplacementFont(fontId) : fontId;
}
