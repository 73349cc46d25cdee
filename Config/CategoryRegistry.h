// The per-object registry of change-tracked categories, keyed by category id.
#pragma once

#include "CCategory.h"

#include <map>

// Category ids. A profile and the configuration store each have their own registry, so
// one id can mean different things in the two (5 is an example).
enum tCategoryId : int
{
    kCatProfileButtons = 0,
    kCatProfileKeys = 1,
    kCatConfigLedAssignments = 2,
    kCatLedState = 3,
    kCatLedColour = 4,
    kCatLedBrightness = 5,
    kCatConfigPercent = 5,
    kCatLedEffect = 6,
    kCatConfigMacros = 13,
    kCatConfigApplications = 15,
    kCatConfigRange = 19,
    kCatConfigValue = 20,
    kCatConfigActiveProfile = 21,
    kCatProfileGuid = 23,
    kCatProfileName = 24,
    kCatProfileAppName = 25,
    kCatProfileAutoSwitch = 26,
    kCatProfileOsd = 27,
    kCatProfileReserved1 = 28,
    kCatProfileReserved2 = 29,
    kCatLastId = 30
};

// The categories are members of the registry's owner; the registry does not own them.
using CCategoryRegistry = std::map<int, CCategory*>;

// Ignored for id -1 or above 30, and for an id already registered (the first one stays).
void RegisterCategory(int id, CCategoryRegistry& registry, CCategory* category);

// An id without a category answers true.
bool IsCategoryChanged(const CCategoryRegistry& registry, int id);

// True at the first changed category, walking in ascending id order.
bool IsRegistryChanged(const CCategoryRegistry& registry);

void AcceptAllCategories(const CCategoryRegistry& registry);
