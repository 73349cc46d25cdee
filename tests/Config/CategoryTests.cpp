#include "CCatAssnmnt.h"
#include "CCatGUID.h"
#include "CCatMap.h"
#include "CCatPrimitive.h"
#include "CCatString.h"
#include "CCatVec.h"
#include "CategoryRegistry.h"

#include <gtest/gtest.h>

namespace
{
// Every tracked value goes through the same life: new (unchanged), set (changed),
// accepted (unchanged), set back to the old value (changed again), accepted.
template <typename Category, typename Value>
void ExpectTrackedLife(Category& category, Value value, Value initial)
{
    EXPECT_FALSE(category.IsChanged());
    category.Set(value);
    EXPECT_TRUE(category.IsChanged());
    category.Accept();
    EXPECT_FALSE(category.IsChanged());
    category.Set(initial);
    EXPECT_TRUE(category.IsChanged());
    category.Accept();
    EXPECT_FALSE(category.IsChanged());
}
}

TEST(ScalarCategories, NewSetAcceptSetBack)
{
    { CCatUInt c; ExpectTrackedLife(c, 5u, 0u); }
    { CCatLedBrightPercent c; ExpectTrackedLife(c, 100u, 0u); }
    { CCatBool c; ExpectTrackedLife(c, true, false); }
    { CCatLedState c; ExpectTrackedLife(c, true, false); }
    { CCatColour c; ExpectTrackedLife(c, 0xFF00FFul, 0ul); }
    { CCatLedColour c; ExpectTrackedLife(c, 0x123456ul, 0ul); }
    { CCatLedEffect c; ExpectTrackedLife(c, tLEDEffect(2), tLEDEffect(0)); }
    { CCatGUID c; ExpectTrackedLife(c, GUID{ 1, 2, 3, { 4 } }, GUID_NULL); }
    { CCatString c; ExpectTrackedLife(c, CString(L"Name"), CString()); }
    int object = 0;
    { CCatPtr<int> c; ExpectTrackedLife(c, &object, static_cast<int*>(nullptr)); }
}

TEST(ScalarCategories, StringsCompareCaseSensitively)
{
    CCatString name;
    name.Set(L"Profile");
    name.Accept();
    name.Set(L"profile");
    EXPECT_TRUE(name.IsChanged());
}

TEST(CCatAssnmnt, NewIsChangedUntilAccepted)
{
    CCatAssnmnt fresh;
    EXPECT_TRUE(fresh.IsChanged());
    fresh.Accept();
    EXPECT_FALSE(fresh.IsChanged());
    CAssignment record;
    MakeAssignment(5, record, 0, 0, 0, 0);
    fresh.Set(record);
    EXPECT_TRUE(fresh.IsChanged());
    fresh.Accept();
    // A new entry with the very same value still counts as changed.
    CCatAssnmnt replaced(record);
    EXPECT_TRUE(replaced.IsChanged());
}

TEST(CCatMacro, TracksTheLiveMacroWithoutItsText)
{
    CCatMacro unnamed(L"");
    EXPECT_FALSE(unnamed.IsChanged());
    unnamed.DeleteLive();

    CCatMacro macro(L"Combo");
    EXPECT_TRUE(macro.IsChanged());
    macro.Accept();
    EXPECT_FALSE(macro.IsChanged());
    macro.GetLive()->SetText(L"only text");
    EXPECT_FALSE(macro.IsChanged());
    EXPECT_EQ(macro.GetAccepted().GetText(), L"");
    macro.GetLive()->m_events.push_back({ 2, 100, 0 });
    EXPECT_TRUE(macro.IsChanged());
    macro.DeleteLive();
}

TEST(CCatKvApp, TracksPathAndGuid)
{
    CCatKvApp app(CString(L"C:\\game.exe"));
    EXPECT_TRUE(app.IsChanged());
    app.Accept();
    EXPECT_FALSE(app.IsChanged());
    app.GetLive()->m_id.Data1 = 9;
    EXPECT_TRUE(app.IsChanged());
    app.DeleteLive();
}

TEST(ContainerCategories, ChangedWhenAnyElementIsAndRemovalIsNotSeen)
{
    CCatLedStateMap states;
    EXPECT_FALSE(states.IsChanged());
    states[tLEDType(1)].Set(false);
    EXPECT_FALSE(states.IsChanged());
    states[tLEDType(2)].Set(true);
    EXPECT_TRUE(states.IsChanged());
    EXPECT_FALSE(states.IsItemChanged(tLEDType(1)));
    EXPECT_TRUE(states.IsItemChanged(tLEDType(2)));
    EXPECT_TRUE(states.IsItemChanged(tLEDType(7)));
    states.Accept();
    EXPECT_FALSE(states.IsChanged());
    states[tLEDType(2)].Set(false);
    states.erase(tLEDType(2));
    EXPECT_FALSE(states.IsChanged());

    CCatMacroList macros;
    macros.push_back(CCatMacro(L"One"));
    EXPECT_TRUE(macros.IsChanged());
    macros.Accept();
    EXPECT_FALSE(macros.IsChanged());
    EXPECT_FALSE(macros.IsItemChanged(0));
    EXPECT_TRUE(macros.IsItemChanged(1));
    macros[0].DeleteLive();
    macros.clear();
    EXPECT_FALSE(macros.IsChanged());
}

TEST(CategoryRegistry, WalkRegistrationAndAccept)
{
    CCategoryRegistry registry;
    CCatUInt first, second, ignored;
    RegisterCategory(5, registry, &first);
    RegisterCategory(5, registry, &second);
    RegisterCategory(-1, registry, &ignored);
    RegisterCategory(31, registry, &ignored);
    EXPECT_EQ(registry.size(), 1u);
    EXPECT_EQ(registry.at(5), &first);

    EXPECT_TRUE(IsCategoryChanged(registry, 7));
    EXPECT_FALSE(IsCategoryChanged(registry, 5));
    EXPECT_FALSE(IsRegistryChanged(registry));
    second.Set(1);
    EXPECT_FALSE(IsRegistryChanged(registry));
    first.Set(1);
    EXPECT_TRUE(IsRegistryChanged(registry));
    EXPECT_TRUE(IsCategoryChanged(registry, 5));
    AcceptAllCategories(registry);
    EXPECT_FALSE(IsRegistryChanged(registry));
    EXPECT_TRUE(second.IsChanged());
}
