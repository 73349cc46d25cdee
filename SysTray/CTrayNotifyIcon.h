// Classes in this file:
//   CTrayNotifyIcon - the tray program's icon in the notification area, its pop-up menu and
//                     a hidden helper window that puts the icon back when the shell's task
//                     bar is made again ("TaskbarCreated").
#pragma once

#include "CMenu.h"
#include "CRegisteredMessage.h"
#include "CWnd.h"

#include <shellapi.h>

class CTrayNotifyIcon : public CWnd
{
    // Data members
    NOTIFYICONDATAW m_data = {};
    bool m_added = false;
    CWnd* m_pOwner = nullptr;
    CMenu m_menu;
    UINT m_defaultItem = 0;
    bool m_defaultByPosition = true;
    int m_shellLevel = 0;

public:
    static constexpr UINT kIconId = 129;
    static constexpr UINT kCallbackMessage = WM_USER + 100;

    CTrayNotifyIcon();
    // Removes the icon, closes the helper window and destroys the menu.
    ~CTrayNotifyIcon() override;

    // Attributes
    bool IsAdded() const { return m_added; }
    int GetShellLevel() const { return m_shellLevel; }
    const NOTIFYICONDATAW& GetRecord() const { return m_data; }
    CMenuHandle GetMenu() const { return m_menu; }
    // The record size for a shell level: 0 the first shells, 3 Vista's and later.
    static DWORD GetRecordSize(int shellLevel);
    // The shell level of the running system.
    static int DetectShellLevel();

    // Operations
    // Loads the menu template, makes the helper window and adds the icon for the owner, with
    // the tooltip cut to 127 characters; false (nothing added) on any failure.
    bool Create(CWnd* owner, const wchar_t* tooltip, HICON icon);
    // The menu shown from now on, with its default item (a command id unless byPosition).
    void SetMenu(CMenu&& menu, UINT defaultItem, bool byPosition);
    // The owner's handling of the icon's callback: the right button shows the menu at the
    // point, a double click sends the default item's command. 0 for another icon's id.
    LRESULT OnTrayNotification(WPARAM iconId, LPARAM mouseMessage, POINT cursor);
    LRESULT OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    void Remove();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnTaskbarCreated();
    static const CRegisteredMessage& TaskbarCreated();
};
