// The window-free rules of the profile and macro pages, on a real store.
#include "CVelmoraConfig.h"
#include "GuidText.h"
#include "KeypadButtons.h"
#include "NamedReferences.h"
#include "PageRules.h"
#include "ReferenceAssignments.h"

#include <gtest/gtest.h>

namespace
{
const GUID kFirstId = { 0x11111111, 1, 1, { 1, 1, 1, 1, 1, 1, 1, 1 } };
const GUID kSecondId = { 0x22222222, 2, 2, { 2, 2, 2, 2, 2, 2, 2, 2 } };

TEST(PageRules, OtherNamedItemsAreFoundIgnoringCaseButNotTheItemItself)
{
    CVelmoraConfig store;
    IKeypadProfile* game = store.CreateProfile(L"Game");
    store.CreateProfile(L"Work");
    EXPECT_EQ(FindOtherProfileNamed(store, L"gAME"), game);
    EXPECT_EQ(FindOtherProfileNamed(store, L"GAME", game), nullptr);
    EXPECT_EQ(FindOtherProfileNamed(store, L"Other"), nullptr);

    CMacro* macro = store.AddMacro(L"Combo");
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(FindOtherMacroNamed(store, L"COMBO"), macro);
    EXPECT_EQ(FindOtherMacroNamed(store, L"combo", macro), nullptr);
    // The store refuses the duplicate that differs only in case: the page must not use it.
    EXPECT_EQ(store.AddMacro(L"combo"), nullptr);
}

TEST(PageRules, CopyNamesCountUpAndCutLongNames)
{
    struct Case
    {
        const wchar_t* source;
        std::vector<const wchar_t*> existing;
        const wchar_t* expected;
    };
    const Case cases[] = {
        { L"Test", {}, L"Test(2)" },
        { L"Test", { L"test(2)" }, L"Test(3)" },
        { L"ExactlyNineteenChrs", {}, L"ExactlyNineteenChrs(2)" },
        { L"TwentyFiveCharacterName!!", {}, L"TwentyFiveCharacte(2)" },
    };
    for (const Case& c : cases)
    {
        CVelmoraConfig store;
        store.CreateProfile(c.source);
        for (const wchar_t* name : c.existing)
            store.CreateProfile(name);
        EXPECT_EQ(MakeCopyName(store, c.source), c.expected) << c.source;
    }
}

TEST(PageRules, CopyNameIsEmptyWhenEveryCandidateIsTaken)
{
    CVelmoraConfig store;
    store.CreateProfile(L"P");
    for (int number = 2; number <= 99; ++number)
    {
        CString name;
        name.Format(L"P(%d)", number);
        store.CreateProfile(name);
    }
    EXPECT_TRUE(MakeCopyName(store, L"P").IsEmpty());
}

TEST(PageRules, OnlyTheFirstProfileIsUndeletableAndNullIdsMatchNothing)
{
    CVelmoraConfig store;
    IKeypadProfile* first = store.CreateProfile(L"First");
    IKeypadProfile* second = store.CreateProfile(L"Second");
    // Neither has an id yet: a null id on profile 0 must not make the others undeletable.
    EXPECT_TRUE(IsUndeletableProfile(store, *first, 3));
    EXPECT_TRUE(IsUndeletableProfile(store, *second, 0));
    EXPECT_FALSE(IsUndeletableProfile(store, *second, 1));
    first->SetGUID(kFirstId);
    second->SetGUID(kSecondId);
    EXPECT_FALSE(IsUndeletableProfile(store, *second, 1));
}

TEST(PageRules, ResetProfileReferencesReachesEveryProfileKeymapAndButton)
{
    CVelmoraConfig store;
    IKeypadProfile* first = store.CreateProfile(L"First");
    IKeypadProfile* gone = store.CreateProfile(L"Gone");
    IKeypadProfile* kept = store.CreateProfile(L"Kept");
    gone->SetGUID(kSecondId);
    kept->SetGUID(kFirstId);
    const tKeypadButton a = g_allKeypadButtons[0];
    const tKeypadButton b = g_allKeypadButtons[26];
    store.SetButtonAssignment(a, ById(kAssignProfile, kSecondId), first, first->GetKeymap(0));
    store.SetButtonAssignment(b, ByName(kAssignProfileByName, L"gONE"), kept, kept->GetKeymap(7));
    store.SetButtonAssignment(a, ById(kAssignProfile, kFirstId), gone, gone->GetKeymap(3));

    EXPECT_EQ(ResetProfileReferences(store, *gone), 2);
    CAssignment out;
    CAssignment fallback;
    store.GetButtonAssignment(&out, a, first, first->GetKeymap(0));
    store.GetDefaultAssignment(&fallback, a);
    EXPECT_TRUE(AssignmentEquals(out, fallback));
    store.GetButtonAssignment(&out, b, kept, kept->GetKeymap(7));
    store.GetDefaultAssignment(&fallback, b);
    EXPECT_TRUE(AssignmentEquals(out, fallback));
    store.GetButtonAssignment(&out, a, gone, gone->GetKeymap(3));
    EXPECT_EQ(out.kind, kAssignProfile);
}

TEST(PageRules, ResetProfileReferencesOfAProfileWithoutIdLeavesNullIdReferences)
{
    CVelmoraConfig store;
    IKeypadProfile* first = store.CreateProfile(L"First");
    IKeypadProfile* fresh = store.CreateProfile(L"Fresh");
    const tKeypadButton a = g_allKeypadButtons[1];
    store.SetButtonAssignment(a, ById(kAssignProfile, GUID_NULL), first, first->GetKeymap(0));
    EXPECT_EQ(ResetProfileReferences(store, *fresh), 0);
}

TEST(PageRules, ResetMacroReferencesByIdAndByName)
{
    CVelmoraConfig store;
    IKeypadProfile* first = store.CreateProfile(L"First");
    IKeypadProfile* second = store.CreateProfile(L"Second");
    CMacro* macro = store.AddMacro(L"Combo");
    ASSERT_NE(macro, nullptr);
    macro->SetGUID(kSecondId);
    const tKeypadButton a = g_allKeypadButtons[2];
    store.SetButtonAssignment(a, ById(kAssignMacro, kSecondId), first, first->GetKeymap(1));
    store.SetButtonAssignment(a, ByName(kAssignMacroByName, L"COMBO"), second, second->GetKeymap(5));
    EXPECT_EQ(ResetMacroReferences(store, *macro), 2);
    CAssignment out;
    store.GetButtonAssignment(&out, a, second, second->GetKeymap(5));
    EXPECT_NE(out.kind, kAssignMacroByName);
}

TEST(PageRules, RenameReferencesCarriesTheNewName)
{
    CVelmoraConfig store;
    IKeypadProfile* first = store.CreateProfile(L"First");
    store.CreateProfile(L"Old");
    const tKeypadButton a = g_allKeypadButtons[3];
    store.SetButtonAssignment(a, ByName(kAssignProfileByName, L"old"), first, first->GetKeymap(2));
    EXPECT_EQ(RenameReferences(store, kAssignProfileByName, L"Old", L"New"), 1);
    CAssignment out;
    store.GetButtonAssignment(&out, a, first, first->GetKeymap(2));
    EXPECT_EQ(out.kind, kAssignProfileByName);
    EXPECT_EQ(GetReferenceName(out), L"New");
}
}
