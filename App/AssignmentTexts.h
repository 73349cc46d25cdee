// The texts of the button assignment page, computed from an assignment, the store and a
// language table without any window: what a drop-down shows for a button's assignment, its
// "default" row, and the labels of the keymaps (a keymap is known by its position; one
// without a name of its own reads "Keymap N").
#pragma once

#include "CAssignment.h"
#include "CString.h"

class CLangTable;
class IKeypadConfig;
class IKeypadProfile;

// The text shown when the profile does not allow the button's kind.
constexpr const wchar_t* kUnavailableText = L"<unavailable>";

// The language key of a thumb-pad direction (buttons 20 to 27); null for other buttons.
const wchar_t* GetDpadLabelKey(int button);

// The text in that language: a "$" key translated, any other text unchanged; without a
// table the text itself.
CString TranslateIn(const CLangTable* language, const wchar_t* text);

// What a drop-down shows for an assignment: its text and its tooltip (empty for
// "<unavailable>").
struct AssignmentTextResult
{
    CString m_text;
    CString m_toolTip;
};

// The text of the button's assignment in the active profile of the store.
AssignmentTextResult GetAssignmentText(int button, const CAssignment& assignment, const IKeypadConfig& config,
    const CLangTable* language);

// The "default" row of the button's menu: "<default's text> (Default)".
CString GetDefaultRowText(int button, IKeypadConfig& config, const CLangTable* language);

// The key of a single-key or default-key payload by name, with its modifiers before it in
// the order Shift, Ctrl, Alt, joined by "+"; empty when the payload holds no key.
CString GetSingleKeyText(const CAssignment& assignment);

// The keymap at that position as the menus show it: its name, or "Keymap N" (N counted
// from 1) when it has no name or another keymap of the profile has the same name, so that
// every label stands for one position.
CString GetKeymapLabel(const IKeypadProfile& profile, int index, const CLangTable* language);
// The position of the keymap with that label; -1 when none has it.
int FindKeymapByLabel(const IKeypadProfile& profile, const CString& label, const CLangTable* language);
