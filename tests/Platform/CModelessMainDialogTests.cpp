// A heap-allocated modeless dialog as the program's main window, as the tray program runs
// its hidden dialog: the window's destruction ends the message loop and deletes the object
// once, and its clean-up runs while the window still exists.
#include "CDialog.h"
#include "CWinApp.h"
#include "WindowTestResources.h"

#include <gtest/gtest.h>

namespace
{
struct Record
{
    int deletions = 0;
    bool cleanedUpWithWindow = false;
};

class CSelfDeletingDialog : public CDialog
{
    Record& m_record;
    bool m_closeAtStart;

public:
    CSelfDeletingDialog(Record& record, bool closeAtStart)
        : CDialog(IDD_TEST_DIALOG), m_record(record), m_closeAtStart(closeAtStart) {}
    ~CSelfDeletingDialog() override
    {
        CleanUp();
        ++m_record.deletions;
    }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_CLOSE)
        {
            CleanUp();
            DestroyWindow();
            return true;
        }
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
    bool OnInitDialog() override
    {
        PostMessage(m_closeAtStart ? WM_CLOSE : WM_NULL);
        if (!m_closeAtStart)
            ::PostQuitMessage(3);
        return true;
    }
    void PostNcDestroy() override { delete this; }

private:
    void CleanUp()
    {
        if (m_record.cleanedUpWithWindow)
            return;
        m_record.cleanedUpWithWindow = ::IsWindow(m_hWnd) != FALSE;
    }
};

class CDialogApp : public CWinApp
{
    Record& m_record;
    bool m_closeAtStart;
    CSelfDeletingDialog* m_pDialog = nullptr;

public:
    CDialogApp(Record& record, bool closeAtStart) : m_record(record), m_closeAtStart(closeAtStart) {}

    bool InitInstance() override
    {
        m_pDialog = new CSelfDeletingDialog(m_record, m_closeAtStart);
        m_pMainWnd = m_pDialog;
        return m_pDialog->Create();
    }
    int ExitInstance() override
    {
        if (m_pDialog && m_pMainWnd == m_pDialog)
        {
            m_pMainWnd = nullptr;
            delete m_pDialog;
        }
        return CWinApp::ExitInstance();
    }
};
}

TEST(CModelessMainDialog, ItsDestructionEndsTheLoopAndDeletesItOnce)
{
    Record record;
    {
        CDialogApp app(record, true);
        EXPECT_EQ(app.RunApplication(::GetModuleHandleW(nullptr)), 0);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    EXPECT_EQ(record.deletions, 1);
    EXPECT_TRUE(record.cleanedUpWithWindow);
}

TEST(CModelessMainDialog, ALoopEndedOtherwiseLeavesTheDeletionToExitInstance)
{
    Record record;
    {
        CDialogApp app(record, false);
        EXPECT_EQ(app.RunApplication(::GetModuleHandleW(nullptr)), 3);
    }
    EXPECT_EQ(record.deletions, 1);
    EXPECT_TRUE(record.cleanedUpWithWindow);
}
