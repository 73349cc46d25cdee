#include "ModalDriver.h"

#include "CListPanel.h"
#include "GUIMessages.h"
#include "WindowTestSupport.h"

#include <commctrl.h>

#include <atomic>

namespace ModalTest
{
namespace
{
constexpr UINT kRunFunction = WM_APP + 1;

// A list panel is a topmost dialog with a list view; a page that shows list views of its
// own (the gallery's macro lists) is not topmost.
BOOL CALLBACK CollectPanel(HWND wnd, LPARAM lParam)
{
    wchar_t name[32] = {};
    // A page may hold list views too: only the list panels' own dialogs count.
    if (::IsWindowVisible(wnd) && ::GetClassNameW(wnd, name, 32) && lstrcmpW(name, L"#32770") == 0 &&
        ::FindWindowExW(wnd, nullptr, WC_LISTVIEWW, nullptr) && dynamic_cast<CListPanel*>(CWnd::FromHandle(wnd)))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(wnd);
    return TRUE;
}
}

bool CRecordingParent::Create(const RECT& rect)
{
    return CreateEx(0, nullptr, L"Recording parent", WS_POPUP | WS_VISIBLE, rect, nullptr, nullptr);
}

void CRecordingParent::RunOnWindowThread(const std::function<void()>& function) const
{
    ::SendMessageW(m_hWnd, kRunFunction, 0, reinterpret_cast<LPARAM>(&function));
}

int CRecordingParent::CountOf(UINT message) const
{
    int count = 0;
    for (const Record& record : m_records)
        if (record.message == message)
            ++count;
    return count;
}

bool CRecordingParent::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == kRunFunction)
    {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return true;
    }
    if (message >= WM_USER && message < WM_APP)
    {
        const Record record = { message, wParam, lParam };
        m_records.push_back(record);
        if (m_onRecord)
            m_onRecord(record);
        return true;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

std::vector<HWND> OpenPanels(DWORD threadId)
{
    std::vector<HWND> panels;
    ::EnumThreadWindows(threadId, &CollectPanel, reinterpret_cast<LPARAM>(&panels));
    // Enumeration runs top of the z-order first: the innermost panel comes first.
    return std::vector<HWND>(panels.rbegin(), panels.rend());
}

HWND WaitForPanels(DWORD threadId, size_t count, DWORD timeoutMs)
{
    HWND innermost = nullptr;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        const std::vector<HWND> panels = OpenPanels(threadId);
        if (panels.size() == count)
        {
            for (HWND panel : panels)
                if (::IsWindowEnabled(panel))
                    innermost = panel;
            if (innermost)
            {
                // Let the panel finish drawing before the pointer arrives.
                ::Sleep(100);
                return innermost;
            }
        }
        ::Sleep(10);
    }
    return nullptr;
}

bool WaitForNoPanel(DWORD threadId, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs)
    {
        if (OpenPanels(threadId).empty())
            return true;
        ::Sleep(10);
    }
    return false;
}

HWND PanelList(HWND panel)
{
    return panel ? ::FindWindowExW(panel, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
}

bool RowCentre(HWND panel, int row, POINT& screen)
{
    HWND list = PanelList(panel);
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    if (!list || !::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)))
        return false;
    RECT client = {};
    ::GetClientRect(list, &client);
    screen = { (client.left + client.right) / 2, (rect.top + rect.bottom) / 2 };
    return ::ClientToScreen(list, &screen) != FALSE;
}

void ClickScreen(POINT screen)
{
    WindowTest::MoveMouseTo(screen);
    ::Sleep(60);
    WindowTest::PressLeftButton();
    ::Sleep(40);
    WindowTest::ReleaseLeftButton();
    ::Sleep(40);
}

bool ClickRow(HWND panel, int row)
{
    POINT screen = {};
    if (!RowCentre(panel, row, screen))
        return false;
    ClickScreen(screen);
    return true;
}

void TurnWheel(int units)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(units);
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(60);
}

void CloseAllPanels(DWORD threadId)
{
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        const std::vector<HWND> panels = OpenPanels(threadId);
        if (panels.empty())
            return;
        ::PostMessageW(panels.back(), WM_GUI_LISTPANEL_CLOSE, 0, -1);
        ::Sleep(50);
    }
}

CScript::CScript(const std::function<void()>& steps) : m_threadId(::GetCurrentThreadId())
{
    const DWORD windowThread = m_threadId;
    m_thread = std::thread([steps, windowThread] {
        steps();
        CloseAllPanels(windowThread);
    });
}

CScript::~CScript()
{
    if (m_thread.joinable())
        Finish();
}

void CScript::Finish()
{
    std::atomic<bool> done(false);
    std::thread waiter([&] {
        m_thread.join();
        done = true;
    });
    WindowTest::PumpUntil([&] { return done.load(); }, 30000);
    waiter.join();
}
}
