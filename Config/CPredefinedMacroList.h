// Classes in this file:
//   CPredefinedMacroList - the key events of the seventeen ready-made shortcut commands.
#pragma once

#include "CMacro.h"
#include "CStringArray.h"

#include <map>
#include <vector>

class CPredefinedMacroList
{
    struct KeyEvent
    {
        int32_t value;
        int32_t extra;
    };

    // Data members
    std::map<int, std::vector<CMacroEvent>> m_basicCommands;
    std::map<int, std::vector<CMacroEvent>> m_advancedCommands;
    std::map<int, KeyEvent> m_keyEvents;

public:
    CPredefinedMacroList();
    virtual ~CPredefinedMacroList() = default;

    // Replaces the events by the command's four keystrokes; a name that is no command
    // leaves them as they are. Always answers 1.
    int AppendCommand(const CString& name, std::vector<CMacroEvent>& events) const;
    // The language keys of commands 1 to 9, and of 10 to 17.
    void FillBasicCommands(CStringArray& names) const;
    void FillAdvancedCommands(CStringArray& names) const;

private:
    void AddKeyEvents(int downNumber, int virtualKey, int scanCode, bool extended);
    void AddCommand(int id, int modifierDown, int keyDown, int keyUp, int modifierUp);
};

// The process-wide list, built at start-up.
extern const CPredefinedMacroList g_predefinedMacros;
