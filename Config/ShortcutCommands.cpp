#include "ShortcutCommands.h"

namespace
{
const wchar_t* const kCommandNames[kLastShortcutCommand] = {
    L"$cut", L"$copy", L"$paste", L"$undo", L"$all", L"$find", L"$new", L"$print", L"$save",
    L"$swapwindows", L"$closewindow", L"$lockpc", L"$openexplorer", L"$run", L"$showdesktop",
    L"$zoomin", L"$zoomout",
};
}

int GetShortcutCommandId(const CString& name)
{
    for (int id = kFirstShortcutCommand; id <= kLastShortcutCommand; ++id) {
        if (name.CompareNoCase(kCommandNames[id - 1]) == 0)
            return id;
    }
    return -1;
}

const wchar_t* GetShortcutCommandName(int id)
{
    if (id < kFirstShortcutCommand || id > kLastShortcutCommand)
        return nullptr;
    return kCommandNames[id - 1];
}
