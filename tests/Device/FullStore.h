// A store as full as the keypad holds: twenty profiles of eight key maps with every key
// and every button assigned (the kinds varied), the properties and every LED of each
// profile set, and macros of many events. The write-and-read test and the benchmark
// both write it.
#pragma once

#include "CKeyDefTable.h"
#include "IKeypadConfig.h"

#include <cstdint>
#include <vector>

struct FullStoreShape
{
    int profiles = 20;
    int macros = 100;
    int eventsPerMacro = 1000;
};

// An assignment of kind that refers to the item id (its words 0 to 3).
CAssignment Referring(int kind, const GUID& id);

// The key id of a device key code, as the device layer finds it.
int32_t KeyIdOfDeviceCode(const CKeyDefTable& keys, uint32_t code);

// Creates profiles until the store has shape.profiles of them.
void AddFullStoreProfiles(IKeypadConfig& store, const FullStoreShape& shape);

// Assigns every key code and button of every key map of every profile (their items, the
// key maps and profiles they refer to, are the store's own and have their ids already),
// sets the properties and LEDs, adds the macros and makes the eighth profile active.
void FillFullStore(IKeypadConfig& store, const CKeyDefTable& keys, const std::vector<uint32_t>& keyCodes,
    const std::vector<uint32_t>& buttonBits, const FullStoreShape& shape);
