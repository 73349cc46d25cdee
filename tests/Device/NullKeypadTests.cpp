#include "CNullKeypad.h"
#include "CVelmoraConfig.h"
#include "GuidText.h"
#include "KeyId.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CNullKeypad, ReplacesTheProfilesByTwentyDefaults)
{
    CVelmoraConfig store;
    store.CreateProfile(L"Old");
    CNullKeypad keypad;
    EXPECT_TRUE(keypad.Initialize(&store));
    ASSERT_EQ(store.GetProfileCount(), 20);
    EXPECT_EQ(store.FindProfileByName(L"Old"), nullptr);
    EXPECT_EQ(store.GetActiveProfile(), store.GetProfile(0));
    struct Case { int index; const wchar_t* name; const wchar_t* guid; };
    const Case cases[] = {
        { 0, L"PROFILE01", L"{00A98AC7-0457-0457-0101-010101010101}" },
        { 8, L"PROFILE09", L"{05F5E0FF-270F-270F-0909-090909090909}" },
        { 9, L"PROFILE10", L"{00A98AC7-15B3-15B3-0505-050505050505}" },
        { 19, L"PROFILE20", L"{0153158E-15B3-15B3-0505-050505050505}" },
    };
    for (const Case& c : cases) {
        IKeypadProfile* profile = store.GetProfile(c.index);
        EXPECT_EQ(profile->GetName(), c.name);
        GUID id;
        EXPECT_EQ(GuidToString(*profile->GetGUID(&id)), c.guid);
        EXPECT_EQ(profile->GetKeymapCount(), 8);
    }
    EXPECT_EQ(keypad.GetDeviceProfileCount(), 20);
}

TEST(CNullKeypad, AnswersWithoutADevice)
{
    CVelmoraConfig store;
    CNullKeypad keypad;
    keypad.Initialize(&store);
    EXPECT_FALSE(keypad.SyncConfig(&store, 0, 0xFFF));
    EXPECT_FALSE(keypad.SyncConfig(&store, 1, 0xFFF));
    EXPECT_FALSE(keypad.FinishWrite(&store));
    EXPECT_FALSE(keypad.IsBusy());
    EXPECT_TRUE(keypad.IsConnected());
    EXPECT_EQ(keypad.GetProductId(), 0);
    EXPECT_STREQ(keypad.GetDisplayName(), L"NullKeypad");
    CString version = L"kept";
    EXPECT_TRUE(keypad.GetVersionText(version));
    EXPECT_EQ(version, L"kept");

    // Import and export report success and change nothing.
    EXPECT_TRUE(keypad.ImportProfile(L"C:\\nowhere\\a.kvp", &store));
    EXPECT_TRUE(keypad.ImportMacro(L"C:\\nowhere\\a.kvm", &store));
    EXPECT_TRUE(keypad.ExportProfile(L"C:\\nowhere\\b.kvp", store.GetProfile(0)));
    EXPECT_EQ(store.GetProfileCount(), 20);
    EXPECT_EQ(store.GetMacroCount(), 0);
    EXPECT_EQ(GetFileAttributesW(L"C:\\nowhere\\b.kvp"), INVALID_FILE_ATTRIBUTES);
}

TEST(CNullKeypad, KnowsTheKeyIdsOfEveryKeyboardKey)
{
    CVelmoraConfig store;
    CNullKeypad keypad;
    keypad.Initialize(&store);
    const std::vector<int32_t>& ids = keypad.GetKeyIds();
    ASSERT_EQ(ids.size(), 106u);
    EXPECT_EQ(ids.front(), HashKeyName(L"a A"));
    EXPECT_EQ(ids.back(), HashKeyName(L"Right GUI"));
    EXPECT_NE(std::find(ids.begin(), ids.end(), HashKeyName(L"' \"")), ids.end());
    keypad.Shutdown();
    EXPECT_TRUE(keypad.GetKeyIds().empty());
}
