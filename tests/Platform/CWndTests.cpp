#include "CButton.h"
#include "CEdit.h"
#include "CWnd.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
// Records what it saw of its own creation.
class CCreationProbe : public CWnd
{
public:
    bool m_sawCreate = false;
    bool m_boundAtCreate = false;
    bool m_boundAtNcCreate = false;
    int m_createResult = 0;
    int m_postNcDestroyCalls = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        switch (message)
        {
        case WM_NCCREATE: // the object is bound before the first message
            m_boundAtNcCreate = m_hWnd != nullptr && FromHandle(m_hWnd) == this;
            break;
        case WM_CREATE: // int OnCreate()
            m_sawCreate = true;
            m_boundAtCreate = m_hWnd != nullptr && FromHandle(m_hWnd) == this;
            result = m_createResult;
            return true;
        default:
            break;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
    void PostNcDestroy() override { ++m_postNcDestroyCalls; }
};

class CButtonProbe : public CButton
{
public:
    bool m_boundAtCreate = false;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_CREATE)
            m_boundAtCreate = FromHandle(m_hWnd) == this;
        return CButton::OnWndMsg(message, wParam, lParam, result);
    }
};

// A top-level window of the plain class for the tests to put children in.
class CTestFrame : public CWnd
{
public:
    std::vector<UINT> m_received;
    std::vector<HWND> m_commandSenders;

    bool CreateFrame(int width = 300, int height = 200)
    {
        const CRect rect(40, 40, 40 + width, 40 + height);
        if (!CreateEx(0, nullptr, L"Test frame", WS_POPUP, rect, nullptr, nullptr))
            return false;
        // Shown without activation: Wine then leaves the window unmanaged, which makes
        // showing and destroying it quick on a display without a window manager.
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow();
        return true;
    }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        switch (message)
        {
        case WM_COMMAND:
            m_commandSenders.push_back(reinterpret_cast<HWND>(lParam));
            m_received.push_back(message);
            return true;
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
            m_received.push_back(message);
            break;
        default:
            break;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

// A control that takes the notifications reflected to it.
template <class TBase>
class CReflectionSink : public TBase
{
public:
    std::vector<UINT> m_reflected;
    bool m_handle = true;
    HBRUSH m_brush = nullptr;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        m_reflected.push_back(message);
        if (message == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 21;
        if (message == WM_CTLCOLOREDIT)
            result = reinterpret_cast<LRESULT>(m_brush);
        if (message == WM_DRAWITEM)
        {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            ::FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
        return m_handle || TBase::OnChildNotify(message, wParam, lParam, result);
    }
};

class CListBoxProbe : public CWnd
{
};

// Passes every WM_COMMAND it receives on to its own parent, as bitmap items do.
class CForwardingPanel : public CWnd
{
protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_COMMAND)
        {
            ::SendMessageW(GetParentHandle(), message, wParam, lParam);
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

LRESULT CALLBACK CountingProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

class CCountingWnd : public CWnd
{
public:
    int m_appMessages = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_APP)
        {
            ++m_appMessages;
            result = 42;
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};
}

TEST(CWndBinding, ObjectIsBoundBeforeCreationMessages)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());

    CCreationProbe plain;
    ASSERT_TRUE(plain.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 50, 20), &frame, 7));
    EXPECT_TRUE(plain.m_boundAtNcCreate);
    EXPECT_TRUE(plain.m_sawCreate);
    EXPECT_TRUE(plain.m_boundAtCreate);
    EXPECT_EQ(CWnd::FromHandle(plain.m_hWnd), &plain);
    EXPECT_EQ(plain.GetParent(), &frame);
    EXPECT_EQ(plain.GetDlgCtrlID(), 7);

    CButtonProbe button;
    ASSERT_TRUE(button.Create(L"Go", BS_PUSHBUTTON, CRect(0, 30, 60, 50), &frame, 8));
    EXPECT_TRUE(button.m_boundAtCreate);
}

TEST(CWndBinding, ChildCreationAlwaysAddsWsChild)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
    EXPECT_NE(child.GetStyle() & WS_CHILD, 0u);
    EXPECT_EQ(::GetAncestor(child.m_hWnd, GA_PARENT), frame.m_hWnd);
}

TEST(CWndBinding, FailedCreationLeavesTheObjectUnbound)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CCreationProbe probe;
    probe.m_createResult = -1;
    EXPECT_FALSE(probe.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
    EXPECT_EQ(probe.m_hWnd, nullptr);
    EXPECT_EQ(probe.m_postNcDestroyCalls, 1);

    CWnd unknownClass;
    EXPECT_FALSE(unknownClass.Create(L"NoSuchClassAnywhere", L"", 0, CRect(), &frame, 1));
    EXPECT_EQ(unknownClass.m_hWnd, nullptr);
}

TEST(CWndBinding, DestroyingTheWindowReleasesTheObjectOnce)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CCreationProbe probe;
    ASSERT_TRUE(probe.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
    HWND wnd = probe.m_hWnd;
    EXPECT_TRUE(probe.DestroyWindow());
    EXPECT_EQ(probe.m_hWnd, nullptr);
    EXPECT_EQ(probe.m_postNcDestroyCalls, 1);
    EXPECT_EQ(CWnd::FromHandle(wnd), nullptr);
    EXPECT_FALSE(probe.DestroyWindow());
}

TEST(CWndBinding, DeletingTheObjectDestroysItsWindow)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    auto probe = std::make_unique<CCreationProbe>();
    ASSERT_TRUE(probe->Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 1));
    HWND wnd = probe->m_hWnd;
    probe.reset();
    EXPECT_FALSE(::IsWindow(wnd));
}

TEST(CWndSubclass, RoutesMessagesAndRestoresTheOriginalProcedure)
{
    WNDCLASSW info = {};
    info.lpfnWndProc = CountingProc;
    info.hInstance = ::GetModuleHandleW(nullptr);
    info.lpszClassName = L"VelmoraCountingClass";
    ::RegisterClassW(&info);
    HWND wnd = ::CreateWindowExW(0, L"VelmoraCountingClass", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
        info.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);

    CCountingWnd object;
    ASSERT_TRUE(object.SubclassWindow(wnd));
    EXPECT_FALSE(CCountingWnd().SubclassWindow(wnd)) << "a window has one object";
    EXPECT_EQ(::SendMessageW(wnd, WM_APP, 0, 0), 42);
    EXPECT_EQ(object.m_appMessages, 1);
    // Messages the object does not handle reach the original procedure.
    EXPECT_TRUE(::SetWindowTextW(wnd, L"kept"));
    EXPECT_EQ(object.GetWindowText(), L"kept");

    EXPECT_EQ(object.UnsubclassWindow(), wnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC)), &CountingProc);
    EXPECT_EQ(::SendMessageW(wnd, WM_APP, 0, 0), 0);
    EXPECT_EQ(object.m_appMessages, 1);
    ::DestroyWindow(wnd);
}

TEST(CWndSubclass, AttachBindsWithoutRouting)
{
    HWND wnd = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    CCountingWnd object;
    ASSERT_TRUE(object.Attach(wnd));
    EXPECT_EQ(CWnd::FromHandle(wnd), &object);
    ::SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(object.m_appMessages, 0);
    EXPECT_EQ(object.Detach(), wnd);
    EXPECT_EQ(CWnd::FromHandle(wnd), nullptr);
    EXPECT_TRUE(::IsWindow(wnd));
    ::DestroyWindow(wnd);
}

TEST(CWndReflection, ClickIsOfferedToTheButtonBeforeItsParent)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CReflectionSink<CButton> taking;
    CReflectionSink<CButton> passing;
    passing.m_handle = false;
    ASSERT_TRUE(taking.Create(L"Take", BS_PUSHBUTTON | WS_VISIBLE, CRect(10, 10, 110, 40), &frame, 11));
    ASSERT_TRUE(passing.Create(L"Pass", BS_PUSHBUTTON | WS_VISIBLE, CRect(10, 60, 110, 90), &frame, 12));
    ASSERT_TRUE(WindowTest::BringToForeground(frame.m_hWnd));

    ASSERT_TRUE(WindowTest::ClickAt(taking.m_hWnd, CPoint(50, 15)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !taking.m_reflected.empty(); }));
    EXPECT_NE(std::find(taking.m_reflected.begin(), taking.m_reflected.end(), static_cast<UINT>(WM_COMMAND)),
        taking.m_reflected.end());
    EXPECT_TRUE(frame.m_commandSenders.empty()) << "a handled reflection stops at the control";

    ASSERT_TRUE(WindowTest::ClickAt(passing.m_hWnd, CPoint(50, 15)));
    ASSERT_TRUE(WindowTest::PumpUntil([&] { return !frame.m_commandSenders.empty(); }));
    EXPECT_EQ(std::count(passing.m_reflected.begin(), passing.m_reflected.end(), static_cast<UINT>(WM_COMMAND)), 1);
    EXPECT_EQ(frame.m_commandSenders.front(), passing.m_hWnd);
}

TEST(CWndReflection, DrawMeasureNotifyAndColourReachTheControl)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());

    CReflectionSink<CButton> drawn;
    ASSERT_TRUE(drawn.Create(L"", BS_OWNERDRAW | WS_VISIBLE, CRect(10, 10, 60, 40), &frame, 21));
    drawn.Invalidate();
    drawn.UpdateWindow();
    EXPECT_NE(std::find(drawn.m_reflected.begin(), drawn.m_reflected.end(), static_cast<UINT>(WM_DRAWITEM)),
        drawn.m_reflected.end());

    CReflectionSink<CListBoxProbe> list;
    ASSERT_TRUE(list.Create(L"ListBox", L"", LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | WS_VISIBLE,
        CRect(70, 10, 170, 100), &frame, 22));
    list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"entry"));
    EXPECT_NE(std::find(list.m_reflected.begin(), list.m_reflected.end(), static_cast<UINT>(WM_MEASUREITEM)),
        list.m_reflected.end());
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 21);

    CReflectionSink<CEdit> edit;
    edit.m_brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(10, 110, 160, 130), &frame, 23));
    HDC dc = ::GetDC(edit.m_hWnd);
    EXPECT_EQ(frame.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.m_hWnd)),
        reinterpret_cast<LRESULT>(edit.m_brush));
    ::ReleaseDC(edit.m_hWnd, dc);

    NMHDR header = { edit.m_hWnd, 23, static_cast<UINT>(NM_CLICK) };
    frame.SendMessage(WM_NOTIFY, 23, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(edit.m_reflected.back(), static_cast<UINT>(WM_NOTIFY));

    for (UINT message : frame.m_received)
        EXPECT_TRUE(message != WM_DRAWITEM && message != WM_MEASUREITEM && message != WM_CTLCOLOREDIT &&
            message != WM_NOTIFY)
            << "the parent saw message " << message;
}

TEST(CWndReflection, ForwardedNotificationIsNotReflectedTwice)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.CreateFrame());
    CForwardingPanel panel;
    ASSERT_TRUE(panel.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 200, 150), &frame, 0));
    CReflectionSink<CButton> button;
    button.m_handle = false;
    ASSERT_TRUE(button.Create(L"Inner", BS_PUSHBUTTON | WS_VISIBLE, CRect(10, 10, 110, 40), &panel, 31));

    panel.SendMessage(WM_COMMAND, MAKEWPARAM(31, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(button.m_reflected.size(), 1u);
    ASSERT_EQ(frame.m_commandSenders.size(), 1u);
    EXPECT_EQ(frame.m_commandSenders.front(), button.m_hWnd);
}
