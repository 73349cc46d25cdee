// Classes in this file:
//   CMacroEvent - one step of a macro: a keystroke, a mouse button or a delay.
//   CMacro      - a named, recorded sequence of macro events.
#pragma once

#include "CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct CMacroEvent
{
    static constexpr int32_t kKeystroke = 0;
    static constexpr int32_t kMouseButton = 1;
    static constexpr int32_t kDelay = 2;
    // Extra of a keystroke: down or up, plus kExtendedKey for an extended key.
    static constexpr int32_t kKeyDown = 255;
    static constexpr int32_t kKeyUp = 1;
    static constexpr int32_t kExtendedKey = 256;

    int32_t type = kKeystroke;
    // A keystroke holds the virtual-key code in the high 16 bits and the scan code in the low 16.
    int32_t value = 0;
    int32_t extra = 0;
};

bool MacroEventEquals(const CMacroEvent& a, const CMacroEvent& b);

class CMacro
{
public:
    static constexpr int kNameChars = 256;

    // Data members
    wchar_t m_name[kNameChars] = {};
    GUID m_id = GUID_NULL;
    std::vector<CMacroEvent> m_events;
    CString m_text;

    CMacro() = default;
    // The name is cut to 255 characters.
    CMacro(const wchar_t* name, const std::vector<CMacroEvent>& events);
    CMacro(const CMacro& other) = default;
    // Change tracking copies the recorded macro, not its free text.
    CMacro& operator=(const CMacro& other);

    // Attributes
    const wchar_t* GetName() const { return m_name; }
    void SetName(const wchar_t* name);
    void GetGUID(GUID* out) const;
    void SetGUID(const GUID& id) { m_id = id; }
    const CString& GetText() const { return m_text; }
    void SetText(const CString& text) { m_text = text; }
};

// Equal GUIDs, names equal ignoring case and the same events; the text does not count.
bool MacroEquals(const CMacro& a, const CMacro& b);
