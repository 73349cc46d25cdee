// The profile management page's commands in the main window built from the shipped skin,
// with scripted popups and a scripted device: what each command does to the store, the
// list and changes pending, and which popup it shows with which text.
#include "AppItemIds.h"
#include "CDropdownListItem.h"
#include "CFakeKeypad.h"
#include "CKeymap.h"
#include "CManageProfilesPage.h"
#include "CShippedAppSkin.h"
#include "CUnconnectedMainWindow.h"
#include "CVelmoraAppDlg.h"
#include "CVelmoraConfig.h"
#include "CXListCellRecord.h"
#include "CXListCtrl.h"
#include "GUIMessages.h"
#include "GuidText.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"
#include "ReferenceAssignments.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace
{
using Device = IGenDevice<IKeypadConfig*, IKeypadProfile*>;

const GUID kFirstId = { 0x11111111, 1, 1, { 1, 1, 1, 1, 1, 1, 1, 1 } };
const GUID kSecondId = { 0x22222222, 2, 2, { 2, 2, 2, 2, 2, 2, 2, 2 } };

// A connected keypad whose answers to the profile file commands a test sets.
class CProfileDevice : public CFakeKeypad
{
public:
    bool m_hasProfiles = true;
    bool m_importSucceeds = true;
    int m_deviceProfileCount = -1;
    int m_writes = 0;
    std::vector<CString> m_imported;
    std::vector<CString> m_exported;
    IKeypadConfig* m_pConfig = nullptr;

    bool ImportProfile(CString path, IKeypadConfig* config) override
    {
        m_imported.push_back(path);
        return m_importSucceeds && config->CreateProfile(L"Imported");
    }
    bool ExportProfile(CString path, IKeypadProfile*) override
    {
        m_exported.push_back(path);
        return true;
    }
    bool HasProfile(IKeypadProfile*) override { return m_hasProfiles; }
    bool SyncConfig(IKeypadConfig*, int mode, uint16_t) override
    {
        m_writes += mode == 0 ? 1 : 0;
        return true;
    }
    // Unless a test sets another count, the keypad holds as many profiles as the store.
    int GetDeviceProfileCount() override
    {
        return m_deviceProfileCount >= 0 ? m_deviceProfileCount : m_pConfig->GetProfileCount();
    }
};

// One popup the page showed.
struct ShownMessage
{
    CString page;
    CString message;
    CString extra;
};

// Popups that answer from a script and record what they were shown.
class CScriptedPopups : public IAppPopups
{
public:
    // The names typed, in order; an exhausted script cancels.
    std::deque<CString> m_names;
    std::vector<CString> m_namePages;
    // The answer to every message popup.
    INT_PTR m_answer = IDOK;
    std::vector<ShownMessage> m_messages;
    // The file chosen; empty cancels.
    CString m_file;
    std::vector<IFileChooser::Request> m_fileRequests;
    std::vector<IKeypadProfile*> m_previews;

    bool EnterName(const CString& pageFile, CString& name) override
    {
        m_namePages.push_back(pageFile);
        if (m_names.empty())
            return false;
        name = m_names.front();
        m_names.pop_front();
        return true;
    }
    bool EnterRepeatCount(int&) override { return false; }
    bool EnterSingleKey(KeyEntryResult&) override { return false; }
    bool EnterEditKey(KeyEntryResult&) override { return false; }
    bool ChooseMacro(bool, const CStringArray&, CString&, int&) override { return false; }
    bool ChooseProfile(const CStringArray&, CString&) override { return false; }
    bool ChooseKeymap(bool, const CStringArray&, CAssignment&) override { return false; }
    bool ChooseJoystick(CAssignment&) override { return false; }
    bool ChooseFile(const IFileChooser::Request& request, CString& path) override
    {
        m_fileRequests.push_back(request);
        if (m_file.IsEmpty())
            return false;
        path = m_file;
        return true;
    }
    INT_PTR ShowMessage(const CString& pageFile, const CString& message, const wchar_t* extraText) override
    {
        m_messages.push_back({ pageFile, message, extraText ? CString(extraText) : CString() });
        return m_answer;
    }
    void ShowPreview(IKeypadProfile* profile, IKeypadConfig*) override { m_previews.push_back(profile); }
};

class CTestMainWindow : public CUnconnectedMainWindow
{
public:
    CTestMainWindow(Device** device, IKeypadConfig* config) : CUnconnectedMainWindow(device, config) {}

    bool IsApplyEnabled() const { return ::IsWindowEnabled(ItemWindow(BUTTON_APPLY)) != FALSE; }
};

tKeypadButton Button(int number)
{
    return static_cast<tKeypadButton>(number);
}

class ManageProfilesPage : public testing::Test
{
protected:
    CShippedAppSkin m_skin;
    CVelmoraConfig m_store;
    CProfileDevice m_scripted;
    Device* m_device = &m_scripted;
    CScriptedPopups m_popups;
    IKeypadProfile* m_first = nullptr;
    IKeypadProfile* m_second = nullptr;
    std::unique_ptr<CTestMainWindow> m_window;

    void SetUp() override
    {
        ASSERT_TRUE(m_skin.EnterForMainWindow(VELMORA_SKIN_FOLDER));

        m_scripted.m_pConfig = &m_store;
        m_first = m_store.CreateProfile(L"First");
        m_second = m_store.CreateProfile(L"Second");
        ASSERT_NE(m_first, nullptr);
        ASSERT_NE(m_second, nullptr);
        m_first->SetGUID(kFirstId);
        m_second->SetGUID(kSecondId);
        m_store.SetActiveProfile(m_first);

        m_window = std::make_unique<CTestMainWindow>(&m_device, &m_store);
        ASSERT_TRUE(m_window->Create());
        m_window->ShowWindow(SW_SHOWNA);
        m_window->SetPopups(&m_popups);
        m_window->ShowPage(CVelmoraAppDlg::kProfilesPage);
        ASSERT_NE(List(), nullptr);
        ASSERT_FALSE(m_window->IsApplyEnabled());
    }
    void TearDown() override
    {
        m_window.reset();
        m_skin.Leave();
    }

    CManageProfilesPage& Page() { return m_window->GetProfilesPage(); }
    CXListCtrl* List() const { return m_window->Bound<CXListCtrl>(LIST_PROFILELIST); }
    int IndexOf(const IKeypadProfile* profile) const
    {
        for (int index = 0; index < m_store.GetProfileCount(); ++index)
        {
            if (m_store.GetProfile(index) == profile)
                return index;
        }
        return -1;
    }
    void FillToCount(int count)
    {
        for (int n = m_store.GetProfileCount(); n < count; ++n)
        {
            CString name;
            name.Format(L"Filler %d", n);
            ASSERT_NE(m_store.CreateProfile(name), nullptr);
        }
    }
    // A message of the profile list, as the list sends it.
    void SendListMessage(UINT message, int rowKey, int column, const void* value)
    {
        CXListCellRecord record;
        record.m_rowKey = rowKey;
        record.m_column = column;
        record.m_value = value;
        m_window->SendMessage(message, reinterpret_cast<WPARAM>(List()->m_hWnd), reinterpret_cast<LPARAM>(&record));
    }
    const ShownMessage& LastMessage() const { return m_popups.m_messages.back(); }
};

TEST_F(ManageProfilesPage, TheListShowsEveryProfileWithItsColumnsAndTheMenu)
{
    CXListCtrl* list = List();
    ASSERT_EQ(list->GetItemCount(), 2);
    const int ids[] = { LCITEM_PROFILECURRENT, LCITEM_PROFILEID, LCITEM_PROFILENAME, LCITEM_PROFILEEXE,
        LCITEM_AUTOSWITCH };
    for (int subItem = 0; subItem < 5; ++subItem)
        EXPECT_EQ(list->GetColumnId(subItem), ids[subItem]) << subItem;
    EXPECT_EQ(list->GetCellText(1, LCITEM_PROFILEID), L"02");
    EXPECT_EQ(list->GetCellText(1, LCITEM_PROFILENAME), L"Second");
    EXPECT_EQ(list->GetCheckbox(0, LCITEM_PROFILECURRENT), 1);
    EXPECT_EQ(list->GetCheckbox(1, LCITEM_PROFILECURRENT), 0);
    EXPECT_NE(list->GetMenu(), nullptr);
}

TEST_F(ManageProfilesPage, NewProfileTypedBecomesActiveWithApplyEnabled)
{
    m_popups.m_names = { L"Test" };
    m_window->Click(BUTTON_NEWPROFILE);
    ASSERT_EQ(m_store.GetProfileCount(), 3);
    ASSERT_EQ(m_popups.m_namePages.size(), 1u);
    EXPECT_EQ(m_popups.m_namePages[0], IAppPopups::kProfileNamePage);
    IKeypadProfile* created = m_store.GetProfile(2);
    EXPECT_EQ(created->GetName(), L"Test");
    EXPECT_EQ(m_store.GetActiveProfile(), created);
    EXPECT_EQ(List()->GetItemCount(), 3);
    EXPECT_EQ(List()->GetCheckbox(2, LCITEM_PROFILECURRENT), 1);
    EXPECT_TRUE(m_window->HasChangesPending());
    EXPECT_TRUE(m_window->IsApplyEnabled());
    EXPECT_TRUE(m_popups.m_messages.empty());
}

TEST_F(ManageProfilesPage, NewProfileRefusesNamesTakenIgnoringCaseAndNothingOnCancelOrEmpty)
{
    struct Case
    {
        std::deque<CString> typed;
        const wchar_t* warning;
    };
    const Case cases[] = {
        { { L"second" }, L": Second" },
        { { L"FIRST" }, L": First" },
        { { L"" }, nullptr },
        { {}, nullptr },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.typed.empty() ? CString(L"cancel") : c.typed.front());
        m_popups.m_messages.clear();
        m_popups.m_names = c.typed;
        Page().NewProfile();
        EXPECT_EQ(m_store.GetProfileCount(), 2);
        EXPECT_FALSE(m_window->HasChangesPending());
        if (!c.warning)
        {
            EXPECT_TRUE(m_popups.m_messages.empty());
            continue;
        }
        ASSERT_EQ(m_popups.m_messages.size(), 1u);
        EXPECT_EQ(LastMessage().page, CManageProfilesPage::kDuplicatePopup);
        EXPECT_EQ(LastMessage().extra, c.warning);
    }
}

TEST_F(ManageProfilesPage, TheTwentyProfileLimitHoldsForNewCopyAndImport)
{
    m_popups.m_file = L"C:\\profiles\\game.kvp";
    FillToCount(19);
    m_popups.m_names = { L"Twentieth" };
    Page().NewProfile();
    ASSERT_EQ(m_store.GetProfileCount(), 20);
    ASSERT_TRUE(m_popups.m_messages.empty());

    struct Case
    {
        void (*run)(CManageProfilesPage&);
        const wchar_t* heading;
    };
    const Case cases[] = {
        { [](CManageProfilesPage& page) { page.NewProfile(); }, L"Create profile" },
        { [](CManageProfilesPage& page) { page.CopyProfile(1); }, L"Copy" },
        { [](CManageProfilesPage& page) { page.ImportProfile(); }, L"Import profile" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.heading);
        m_popups.m_messages.clear();
        m_popups.m_names = { L"Another" };
        c.run(Page());
        EXPECT_EQ(m_store.GetProfileCount(), 20);
        ASSERT_EQ(m_popups.m_messages.size(), 1u);
        EXPECT_EQ(LastMessage().page, CManageProfilesPage::kLimitPopup);
        EXPECT_EQ(LastMessage().message, c.heading);
    }
    EXPECT_TRUE(m_scripted.m_imported.empty());
}

TEST_F(ManageProfilesPage, RenameAllowsACaseChangeOfItsOwnNameOnly)
{
    struct Case
    {
        const wchar_t* typed;
        const wchar_t* expectedName;
        const wchar_t* warning;
    };
    const Case cases[] = {
        { L"Second", L"Second", L": Second" },
        { L"first", L"Second", L": First" },
        { L"SECOND", L"SECOND", nullptr },
        { L"Work", L"Work", nullptr },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.typed);
        m_popups.m_messages.clear();
        m_popups.m_names = { c.typed };
        Page().RenameProfile(1);
        EXPECT_EQ(m_store.GetProfile(1)->GetName(), c.expectedName);
        EXPECT_EQ(List()->GetCellText(1, LCITEM_PROFILENAME), c.expectedName);
        if (c.warning)
        {
            ASSERT_EQ(m_popups.m_messages.size(), 1u);
            EXPECT_EQ(LastMessage().page, CManageProfilesPage::kDuplicatePopup);
            EXPECT_EQ(LastMessage().extra, c.warning);
        }
        else
        {
            EXPECT_TRUE(m_popups.m_messages.empty());
            EXPECT_TRUE(m_window->IsApplyEnabled());
        }
    }
    EXPECT_EQ(m_popups.m_namePages.back(), IAppPopups::kProfileRenamePage);
}

TEST_F(ManageProfilesPage, RenameCarriesReferencesByNameToTheNewName)
{
    // A profile the keypad has not given an id yet is referred to by its name.
    m_second->SetGUID(GUID_NULL);
    CKeymap* keymap = m_first->GetKeymap(2);
    m_store.SetButtonAssignment(Button(5), ByName(kAssignProfileByName, L"second"), m_first, keymap);
    m_popups.m_names = { L"Racing" };
    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$Rename");
    ASSERT_EQ(m_store.GetProfile(1)->GetName(), L"Racing");
    CAssignment after;
    m_store.GetButtonAssignment(&after, Button(5), m_first, keymap);
    EXPECT_EQ(after.kind, kAssignProfileByName);
    EXPECT_EQ(GetReferenceName(after), L"Racing");
}

TEST_F(ManageProfilesPage, CopyCountsUpAndCutsLongNamesAndActivatesTheCopy)
{
    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$Copy");
    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$Copy");
    ASSERT_EQ(m_store.GetProfileCount(), 4);
    EXPECT_EQ(m_store.GetProfile(2)->GetName(), L"Second(2)");
    EXPECT_EQ(m_store.GetProfile(3)->GetName(), L"Second(3)");
    EXPECT_EQ(m_store.GetActiveProfile(), m_store.GetProfile(3));
    EXPECT_TRUE(m_window->IsApplyEnabled());

    m_popups.m_names = { L"TwentyFiveCharacterName!!" };
    Page().RenameProfile(1);
    Page().CopyProfile(1);
    EXPECT_EQ(m_store.GetProfile(4)->GetName(), L"TwentyFiveCharacte(2)");
}

TEST_F(ManageProfilesPage, TheFirstProfileCannotBeDeletedButANullIdDoesNotBlockTheOthers)
{
    m_first->SetGUID(GUID_NULL);
    m_second->SetGUID(GUID_NULL);
    Page().DeleteProfile(0);
    ASSERT_EQ(m_popups.m_messages.size(), 1u);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kDisallowDeletePopup);
    EXPECT_EQ(LastMessage().extra, L": First");
    EXPECT_EQ(m_store.GetProfileCount(), 2);

    m_popups.m_answer = IDCANCEL;
    Page().DeleteProfile(1);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kConfirmDeletePopup);
    EXPECT_EQ(LastMessage().extra, L": Second");
    EXPECT_EQ(m_store.GetProfileCount(), 2);
    EXPECT_FALSE(m_window->HasChangesPending());

    m_popups.m_answer = IDOK;
    Page().DeleteProfile(1);
    EXPECT_EQ(m_store.GetProfileCount(), 1);
    EXPECT_EQ(List()->GetItemCount(), 1);
    EXPECT_TRUE(m_window->IsApplyEnabled());
}

TEST_F(ManageProfilesPage, DeletingResetsEveryReferenceAndTheFirstProfileBecomesActive)
{
    const struct
    {
        IKeypadProfile* profile;
        int keymap;
        tKeypadButton button;
        CAssignment assignment;
    } references[] = {
        { m_first, 0, Button(1), ById(kAssignProfile, kSecondId) },
        { m_first, 7, Button(2), ByName(kAssignProfileByName, L"SECOND") },
        { m_second, 3, Button(3), ById(kAssignProfile, kSecondId) },
    };
    for (const auto& reference : references)
        m_store.SetButtonAssignment(reference.button, reference.assignment, reference.profile,
            reference.profile->GetKeymap(reference.keymap));
    const CAssignment toFirst = ById(kAssignProfile, kFirstId);
    m_store.SetButtonAssignment(Button(4), toFirst, m_first, m_first->GetKeymap(0));
    Page().SetActiveProfile(1);
    ASSERT_EQ(m_store.GetActiveProfile(), m_second);

    Page().DeleteProfile(1);
    ASSERT_EQ(m_store.GetProfileCount(), 1);
    EXPECT_EQ(m_store.GetActiveProfile(), m_first);
    for (const auto& reference : references)
    {
        if (reference.profile != m_first)
            continue;
        CAssignment now;
        CAssignment fallback;
        m_store.GetButtonAssignment(&now, reference.button, m_first, m_first->GetKeymap(reference.keymap));
        m_store.GetDefaultAssignment(&fallback, reference.button);
        EXPECT_EQ(now.kind, fallback.kind) << reference.button;
    }
    CAssignment kept;
    m_store.GetButtonAssignment(&kept, Button(4), m_first, m_first->GetKeymap(0));
    EXPECT_EQ(kept.kind, kAssignProfile);
}

TEST_F(ManageProfilesPage, AutoSwitchNeedsAnApplicationAndEitherChangeEnablesApply)
{
    const bool on = true;
    SendListMessage(WM_GUI_LIST_CHECKBOX_CHANGED, 1, LCITEM_AUTOSWITCH, &on);
    ASSERT_EQ(m_popups.m_messages.size(), 1u);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kSelectApplicationPopup);
    EXPECT_EQ(LastMessage().extra, L": Second");
    EXPECT_FALSE(m_second->GetAutoSwitch());
    EXPECT_EQ(List()->GetCheckbox(1, LCITEM_AUTOSWITCH), 0);
    EXPECT_FALSE(m_window->HasChangesPending());

    SendListMessage(WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, L"C:\\Games\\racer.exe");
    EXPECT_EQ(m_second->GetApplicationName(), L"racer.exe");
    EXPECT_TRUE(m_window->IsApplyEnabled());
    m_window->SendMessage(WM_COMMAND, MAKEWPARAM(BUTTON_APPLY, BN_CLICKED),
        reinterpret_cast<LPARAM>(m_window->ItemWindow(BUTTON_APPLY)));
    ASSERT_FALSE(m_window->IsApplyEnabled());
    m_second->AcceptChanges();

    // The switch alone is a change the store tracks and Apply offers to write.
    SendListMessage(WM_GUI_LIST_CHECKBOX_CHANGED, 1, LCITEM_AUTOSWITCH, &on);
    EXPECT_TRUE(m_second->GetAutoSwitch());
    EXPECT_TRUE(m_second->IsChanged());
    EXPECT_TRUE(m_window->IsApplyEnabled());
}

TEST_F(ManageProfilesPage, AnApplicationFileNameOf128CharactersIsRefused)
{
    SendListMessage(WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, L"C:\\Games\\racer.exe");
    m_popups.m_messages.clear();
    const CString tooLong = L"C:\\Games\\" + CString(L'a', 124) + L".exe";
    List()->SetCellText(1, LCITEM_PROFILEEXE, L"typed.exe");
    SendListMessage(WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, tooLong.GetString());
    ASSERT_EQ(m_popups.m_messages.size(), 1u);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kFileNameLengthPopup);
    EXPECT_EQ(LastMessage().message, L"Assign application...");
    EXPECT_EQ(m_second->GetApplicationName(), L"racer.exe");
    EXPECT_EQ(List()->GetCellText(1, LCITEM_PROFILEEXE), L"racer.exe");

    const CString longest = L"C:\\Games\\" + CString(L'a', 123) + L".exe";
    SendListMessage(WM_GUI_LIST_CELL_TEXT_CHANGED, 1, LCITEM_PROFILEEXE, longest.GetString());
    EXPECT_EQ(m_second->GetApplicationName().GetLength(), 127);
}

TEST_F(ManageProfilesPage, ImportStopsAtEachRefusalAndReportsAFailedRead)
{
    struct Case
    {
        const wchar_t* name;
        int deviceCount;
        CString file;
        bool readSucceeds;
        const wchar_t* page;
        bool handedToDevice;
    };
    const CString longPath = L"C:\\" + CString(L'p', 250) + L"\\a.kvp";
    const Case cases[] = {
        { L"counts differ", 5, L"C:\\a.kvp", true, CManageProfilesPage::kImportWarningPopup, false },
        { L"cancelled", -1, L"", true, nullptr, false },
        { L"no name", -1, L"C:\\save\\.kvp", true, nullptr, false },
        { L"path too long", -1, longPath, true, CManageProfilesPage::kPathLengthPopup, false },
        { L"read fails", -1, L"C:\\a.kvp", false, CManageProfilesPage::kFileErrorPopup, true },
        { L"read", -1, L"C:\\a.kvp", true, nullptr, true },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_popups.m_messages.clear();
        m_scripted.m_imported.clear();
        m_scripted.m_deviceProfileCount = c.deviceCount;
        m_scripted.m_importSucceeds = c.readSucceeds;
        m_popups.m_file = c.file;
        const int before = m_store.GetProfileCount();
        Page().ImportProfile();
        EXPECT_EQ(m_scripted.m_imported.size(), c.handedToDevice ? 1u : 0u);
        if (c.page)
        {
            ASSERT_EQ(m_popups.m_messages.size(), 1u);
            EXPECT_EQ(LastMessage().page, c.page);
        }
        else
        {
            EXPECT_TRUE(m_popups.m_messages.empty());
        }
        const bool read = c.handedToDevice && c.readSucceeds;
        EXPECT_EQ(m_store.GetProfileCount(), before + (read ? 1 : 0));
        EXPECT_EQ(List()->GetItemCount(), m_store.GetProfileCount());
        EXPECT_EQ(m_window->HasChangesPending(), read);
    }
    const IFileChooser::Request& request = m_popups.m_fileRequests.back();
    EXPECT_TRUE(request.m_open);
    EXPECT_EQ(request.m_filter, L"kvp Profile Files (*.kvp)|*.kvp||");
    EXPECT_EQ(request.m_defaultExt, L"kvp");
    EXPECT_EQ(request.m_fileName, L".kvp");
    EXPECT_EQ(request.m_flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(request.m_initialFolder, g_profileFolder);
}

TEST_F(ManageProfilesPage, ExportNeedsTheKeypadsProfileAndAPathItTakes)
{
    m_scripted.m_hasProfiles = false;
    m_popups.m_file = L"C:\\out\\game.kvp";
    Page().ExportProfile(1);
    ASSERT_EQ(m_popups.m_messages.size(), 1u);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kExportWarningPopup);
    EXPECT_EQ(LastMessage().extra, L": Second");
    EXPECT_TRUE(m_popups.m_fileRequests.empty());

    m_scripted.m_hasProfiles = true;
    m_popups.m_file = L"C:\\" + CString(L'p', 250) + L"\\a.kvp";
    Page().ExportProfile(1);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kPathLengthPopup);
    EXPECT_EQ(LastMessage().message, L"Export");
    EXPECT_TRUE(m_scripted.m_exported.empty());

    m_popups.m_file = L"C:\\out\\game.kvp";
    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$Export");
    ASSERT_EQ(m_scripted.m_exported.size(), 1u);
    EXPECT_EQ(m_scripted.m_exported[0], L"C:\\out\\game.kvp");
    EXPECT_FALSE(m_popups.m_fileRequests.back().m_open);
}

TEST_F(ManageProfilesPage, RestoreAsksWithTheShortenedNameAndRestoresOnlyWhenConfirmed)
{
    const CAssignment toSecond = ById(kAssignProfile, kSecondId);
    m_store.SetButtonAssignment(Button(1), toSecond, m_first, m_first->GetKeymap(0));
    m_popups.m_names = { L"A name of twenty-one!" };
    Page().RenameProfile(0);
    m_first = m_store.GetProfile(0);
    m_window->Click(BUTTON_APPLY);

    m_popups.m_answer = IDCANCEL;
    Page().RestoreActiveProfileDefaults();
    ASSERT_EQ(m_popups.m_messages.size(), 1u);
    EXPECT_EQ(LastMessage().page, CManageProfilesPage::kRestorePopup);
    EXPECT_EQ(LastMessage().message, L"Restore defaults : A name of twenty-...");
    CAssignment now;
    m_store.GetButtonAssignment(&now, Button(1), m_first, m_first->GetKeymap(0));
    EXPECT_EQ(now.kind, kAssignProfile);
    EXPECT_FALSE(m_window->HasChangesPending());

    m_popups.m_answer = IDOK;
    Page().RestoreActiveProfileDefaults();
    m_store.GetButtonAssignment(&now, Button(1), m_first, m_first->GetKeymap(0));
    EXPECT_NE(now.kind, kAssignProfile);
    EXPECT_TRUE(m_window->IsApplyEnabled());
}

TEST_F(ManageProfilesPage, MenuSetActivePreviewDoubleClickAndTheCurrentProfileDropDown)
{
    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 1, 0, L"$SetActive");
    EXPECT_EQ(m_store.GetActiveProfile(), m_second);
    EXPECT_EQ(List()->GetCheckbox(1, LCITEM_PROFILECURRENT), 1);
    EXPECT_TRUE(m_window->IsApplyEnabled());

    SendListMessage(WM_GUI_LIST_MENU_COMMAND, 0, 0, L"$Preview");
    ASSERT_EQ(m_popups.m_previews.size(), 1u);
    EXPECT_EQ(m_popups.m_previews[0], m_first);

    const bool on = true;
    SendListMessage(WM_GUI_LIST_CHECKBOX_CHANGED, 0, LCITEM_PROFILECURRENT, &on);
    EXPECT_EQ(m_store.GetActiveProfile(), m_first);

    // The drop-down lists the names in row order.
    const CDropdownListItem* current = m_window->Bound<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    ASSERT_NE(current, nullptr);
    ASSERT_EQ(current->GetCount(), 2);
    EXPECT_EQ(current->GetItemText(1), L"Second");
    m_window->SendMessage(WM_GUI_DROPDOWN_SELCHANGE, 1, reinterpret_cast<LPARAM>(current->m_hWnd));
    EXPECT_EQ(m_store.GetActiveProfile(), m_second);
    EXPECT_EQ(IndexOf(m_store.GetActiveProfile()), 1);

    SendListMessage(WM_GUI_LIST_CELL_DBLCLK, 0, 2, nullptr);
    EXPECT_EQ(m_store.GetActiveProfile(), m_first);
    EXPECT_EQ(current->GetItemText(current->GetCurSel()), L"First");
}
}

TEST_F(ManageProfilesPage, AnImportedProfileWhoseNameIsTakenIsNamedAsACopy)
{
    m_popups.m_file = L"C:\\profiles\\game.kvp";
    Page().ImportProfile();
    Page().ImportProfile();
    const int count = m_store.GetProfileCount();
    ASSERT_GE(count, 2);
    EXPECT_EQ(m_store.GetProfile(count - 2)->GetName(), L"Imported");
    EXPECT_EQ(m_store.GetProfile(count - 1)->GetName(), L"Imported(2)");
    EXPECT_EQ(List()->GetCellText(count - 1, LCITEM_PROFILENAME), L"Imported(2)");
    EXPECT_EQ(m_store.FindProfileByName(L"Imported(2)"), m_store.GetProfile(count - 1));
}
