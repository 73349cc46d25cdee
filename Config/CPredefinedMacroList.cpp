#include "CPredefinedMacroList.h"

#include "ShortcutCommands.h"

const CPredefinedMacroList g_predefinedMacros;

CPredefinedMacroList::CPredefinedMacroList()
{
    AddKeyEvents(1, 0xA2, 0x1D, false);  // left Ctrl
    AddKeyEvents(3, 0xA4, 0x38, false);  // left Alt
    AddKeyEvents(5, 0x5B, 0x5B, true);   // left Windows key
    AddKeyEvents(7, 0x09, 0x0F, false);  // Tab
    AddKeyEvents(9, 0x73, 0x3E, false);  // F4
    AddKeyEvents(11, 0xBB, 0x0D, false); // = (plus)
    AddKeyEvents(13, 0xBD, 0x0C, false); // - (minus)
    AddKeyEvents(15, 'A', 0x1E, false);
    AddKeyEvents(17, 'C', 0x2E, false);
    AddKeyEvents(19, 'D', 0x20, false);
    AddKeyEvents(21, 'E', 0x12, false);
    AddKeyEvents(23, 'F', 0x21, false);
    AddKeyEvents(25, 'L', 0x26, false);
    AddKeyEvents(27, 'N', 0x31, false);
    AddKeyEvents(29, 'P', 0x19, false);
    AddKeyEvents(31, 'R', 0x13, false);
    AddKeyEvents(33, 'S', 0x1F, false);
    AddKeyEvents(35, 'V', 0x2F, false);
    AddKeyEvents(37, 'X', 0x2D, false);
    AddKeyEvents(39, 'Z', 0x2C, false);

    AddCommand(1, 1, 37, 38, 2);   // Ctrl+X
    AddCommand(2, 1, 17, 18, 2);   // Ctrl+C
    AddCommand(3, 1, 35, 36, 2);   // Ctrl+V
    AddCommand(4, 1, 39, 40, 2);   // Ctrl+Z
    AddCommand(5, 1, 15, 16, 2);   // Ctrl+A
    AddCommand(6, 1, 23, 24, 2);   // Ctrl+F
    AddCommand(7, 1, 27, 28, 2);   // Ctrl+N
    AddCommand(8, 1, 29, 30, 2);   // Ctrl+P
    AddCommand(9, 1, 33, 34, 2);   // Ctrl+S
    AddCommand(10, 3, 7, 8, 4);    // Alt+Tab
    AddCommand(11, 3, 9, 10, 4);   // Alt+F4
    AddCommand(12, 5, 25, 26, 6);  // Windows+L
    AddCommand(13, 5, 21, 22, 6);  // Windows+E
    AddCommand(14, 5, 31, 32, 6);  // Windows+R
    AddCommand(15, 5, 19, 20, 6);  // Windows+D
    AddCommand(16, 1, 11, 12, 2);  // Ctrl+=
    AddCommand(17, 1, 13, 14, 2);  // Ctrl+-
}

void CPredefinedMacroList::AddKeyEvents(int downNumber, int virtualKey, int scanCode, bool extended)
{
    const int32_t value = virtualKey << 16 | scanCode;
    const int32_t flag = extended ? CMacroEvent::kExtendedKey : 0;
    m_keyEvents[downNumber] = { value, CMacroEvent::kKeyDown + flag };
    m_keyEvents[downNumber + 1] = { value, CMacroEvent::kKeyUp + flag };
}

void CPredefinedMacroList::AddCommand(int id, int modifierDown, int keyDown, int keyUp, int modifierUp)
{
    std::vector<CMacroEvent> events;
    for (int number : { modifierDown, keyDown, keyUp, modifierUp }) {
        const KeyEvent& key = m_keyEvents.at(number);
        events.push_back({ CMacroEvent::kKeystroke, key.value, key.extra });
    }
    auto& table = id <= kLastBasicShortcutCommand ? m_basicCommands : m_advancedCommands;
    table[id] = events;
}

int CPredefinedMacroList::AppendCommand(const CString& name, std::vector<CMacroEvent>& events) const
{
    const int id = GetShortcutCommandId(name);
    const auto& table = id <= kLastBasicShortcutCommand ? m_basicCommands : m_advancedCommands;
    auto found = table.find(id);
    if (found != table.end())
        events = found->second;
    return 1;
}

void CPredefinedMacroList::FillBasicCommands(CStringArray& names) const
{
    names.RemoveAll();
    for (const auto& command : m_basicCommands)
        names.Add(GetShortcutCommandName(command.first));
}

void CPredefinedMacroList::FillAdvancedCommands(CStringArray& names) const
{
    names.RemoveAll();
    for (const auto& command : m_advancedCommands)
        names.Add(GetShortcutCommandName(command.first));
}
