#include "CDialog.h"
#include "CEdit.h"
#include "CWinApp.h"
#include "WindowTestResources.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const UINT kRunStep = WM_APP + 1;

// A dialog that runs a test step once its modal loop is running.
class CStepDialog : public CDialog
{
public:
    std::function<void(CStepDialog&)> m_step;
    std::string m_events;
    bool m_boundAtCreate = false;
    bool m_ownerDisabledDuringLoop = false;
    bool m_endInInit = false;
    bool m_destroyOnCancel = false;
    bool m_hiddenByCancel = false;
    bool m_endOnEditChange = false;

    CStepDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == 'Q')
            m_events += "dialog-pretranslate;";
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        switch (message)
        {
        case WM_CREATE:
            m_boundAtCreate = FromHandle(m_hWnd) == this;
            m_events += "create;";
            break;
        case WM_COMMAND:
            if (m_endOnEditChange && LOWORD(wParam) == IDC_TEST_EDIT && HIWORD(wParam) == EN_CHANGE)
                EndDialog(5);
            break;
        case kRunStep:
            if (GetParentWindow())
                m_ownerDisabledDuringLoop = !GetParentWindow()->IsWindowEnabled();
            if (m_step)
                m_step(*this);
            return true;
        default:
            break;
        }
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
    bool OnInitDialog() override
    {
        m_events += "init;";
        if (m_endInInit)
            EndDialog(77);
        PostMessage(kRunStep);
        return CDialog::OnInitDialog();
    }
    void OnOK() override
    {
        m_events += "ok;";
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        m_events += "cancel;";
        CDialog::OnCancel();
        if (!m_destroyOnCancel)
            return;
        m_hiddenByCancel = !IsWindowVisible();
        DestroyWindow();
    }
};

class CKeyWatchingEdit : public CEdit
{
public:
    std::string* m_events = nullptr;

    bool PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == 'Q' && m_events)
            *m_events += "edit-pretranslate;";
        return false;
    }
};

class COwnerWindow : public CWnd
{
public:
    bool CreateOwner()
    {
        return CreateEx(0, nullptr, L"Owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, nullptr);
    }
};

LRESULT CALLBACK PrivateDialogClassProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefDlgProcW(wnd, message, wParam, lParam);
}

bool RegisterPrivateDialogClass()
{
    WNDCLASSW info = {};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), TEST_PRIVATE_DIALOG_CLASS, &info))
        return true;
    info.lpfnWndProc = PrivateDialogClassProc;
    info.cbWndExtra = DLGWINDOWEXTRA;
    info.hInstance = ::GetModuleHandleW(nullptr);
    info.lpszClassName = TEST_PRIVATE_DIALOG_CLASS;
    return ::RegisterClassW(&info) != 0;
}
}

TEST(CDialogModal, KeysReachOnOKAndOnCancelThroughTheDialogManager)
{
    struct Case
    {
        WORD key;
        INT_PTR expected;
        const char* handler;
    } cases[] = { { VK_ESCAPE, IDCANCEL, "cancel;" }, { VK_RETURN, IDOK, "ok;" } };
    for (const Case& c : cases)
    {
        COwnerWindow owner;
        ASSERT_TRUE(owner.CreateOwner());
        CStepDialog dialog(IDD_TEST_DIALOG, &owner);
        dialog.m_step = [&](CStepDialog& self) {
            WindowTest::BringToForeground(self.m_hWnd);
            WindowTest::TapKey(c.key);
        };
        EXPECT_EQ(dialog.DoModal(), c.expected) << c.handler;
        EXPECT_NE(dialog.m_events.find(c.handler), std::string::npos) << dialog.m_events;
        EXPECT_TRUE(dialog.m_boundAtCreate);
        EXPECT_TRUE(dialog.m_ownerDisabledDuringLoop);
        EXPECT_TRUE(owner.IsWindowEnabled()) << "the owner is enabled again afterwards";
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog is destroyed when the loop ends";
    }
}

TEST(CDialogModal, PreTranslateRunsUpTheParentChainBeforeTheDialogManager)
{
    CStepDialog dialog(IDD_TEST_DIALOG, nullptr);
    CKeyWatchingEdit edit;
    edit.m_events = &dialog.m_events;
    dialog.m_step = [&](CStepDialog& self) {
        ASSERT_TRUE(edit.SubclassWindow(self.GetDlgItem(IDC_TEST_EDIT)));
        WindowTest::BringToForeground(self.m_hWnd);
        edit.SetFocus();
        // The key goes through the dialog's own loop; the edit's change ends the dialog.
        self.m_endOnEditChange = true;
        WindowTest::TapKey('Q');
    };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_NE(dialog.m_events.find("edit-pretranslate;dialog-pretranslate;"), std::string::npos) << dialog.m_events;
}

TEST(CDialogModal, EndDialogDuringInitialisationSkipsTheLoop)
{
    CStepDialog dialog(IDD_TEST_DIALOG, nullptr);
    dialog.m_endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(dialog.m_events, "create;init;");
    // The step posted during initialisation is left for the next loop; drop it.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, kRunStep, kRunStep, PM_REMOVE))
    {
    }
}

TEST(CDialogModal, QuitEndsTheLoopAndIsPostedAgain)
{
    CStepDialog dialog(IDD_TEST_DIALOG, nullptr);
    dialog.m_step = [](CStepDialog&) { ::PostQuitMessage(3); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(CDialogModal, TemplateThatDoesNotExistFails)
{
    CStepDialog dialog(999, nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(CDialogModal, PrivateWindowClassIsBoundBeforeWmCreate)
{
    ASSERT_TRUE(RegisterPrivateDialogClass());
    CStepDialog dialog(IDD_TEST_PRIVATE_CLASS, nullptr);
    dialog.m_step = [](CStepDialog& self) {
        wchar_t name[64] = {};
        ::GetClassNameW(self.m_hWnd, name, 64);
        self.EndDialog(std::wstring(name) == TEST_PRIVATE_DIALOG_CLASS ? 1 : 2);
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(dialog.m_boundAtCreate);
    EXPECT_EQ(dialog.m_events, "create;init;");
}

TEST(CDialogModeless, CreateShowsTheDialogAndTheAppLoopGivesItDialogKeys)
{
    class CModelessApp : public CWinApp
    {
    public:
        CStepDialog m_dialog{ IDD_TEST_DIALOG, nullptr };
        bool m_modalAfterCreate = true;

        bool InitInstance() override
        {
            m_dialog.m_destroyOnCancel = true;
            m_dialog.m_step = [](CStepDialog& self) {
                WindowTest::BringToForeground(self.m_hWnd);
                WindowTest::TapKey(VK_ESCAPE);
            };
            if (!m_dialog.Create())
                return false;
            m_modalAfterCreate = m_dialog.IsInModalLoop();
            m_dialog.ShowWindow(SW_SHOW);
            m_pMainWnd = &m_dialog;
            return true;
        }
        int ExitInstance() override { return CWinApp::ExitInstance() + 10; }
    };

    CModelessApp app;
    ASSERT_EQ(CWinApp::GetApp(), &app);
    // Escape reaches OnCancel through the application loop; the dialog hides, the test's
    // handler destroys it, and the main window's end posts WM_QUIT(0).
    EXPECT_EQ(app.RunApplication(::GetModuleHandleW(nullptr)), 10);
    EXPECT_FALSE(app.m_modalAfterCreate);
    EXPECT_NE(app.m_dialog.m_events.find("cancel;"), std::string::npos) << app.m_dialog.m_events;
    EXPECT_TRUE(app.m_dialog.m_hiddenByCancel);
    EXPECT_EQ(app.m_dialog.m_hWnd, nullptr);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(CWinAppRun, FailedInitInstanceReturnsExitInstanceAtOnce)
{
    class CFailingApp : public CWinApp
    {
    public:
        bool InitInstance() override { return false; }
        int ExitInstance() override { return 4; }
    };
    CFailingApp app;
    EXPECT_EQ(app.RunApplication(::GetModuleHandleW(nullptr)), 4);
}
