// Classes in this file:
//   CUnconnectedMainWindow - the main window for the tests that drive it by its messages:
//                            without the device service's event connections, its items'
//                            windows found by id and their buttons clicked by command.
#pragma once

#include "CVelmoraAppDlg.h"

#include <windows.h>

class CUnconnectedMainWindow : public CVelmoraAppDlg
{
public:
    CUnconnectedMainWindow(Device** device, IKeypadConfig* config);

    // The window of the item of that id on the main page or on any tab page; null when
    // there is none.
    HWND ItemWindow(int id) const;
    // The button's click as the window receives it from the button.
    void Click(int id);

protected:
    void ConnectDeviceEvents() override;
};
