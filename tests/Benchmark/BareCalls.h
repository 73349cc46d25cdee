// The floors of the benchmark: the device service's calls made bare on its interfaces,
// without the store or the device layer, each call counted.
#pragma once

#include "CallCounts.h"
#include "CComPtr.h"
#include "DeviceService.h"
#include "WritePlan.h"

// CoCreateInstance of the service, its device list and the keypad's GetInfo, as the
// device layer connects.
bool BareConnect(CComPtr<IDevice>& device, CallCounts& count);

// The whole write with one call per record, every profile and key map looked up anew by
// id at each step, and each new macro's name read before it is set.
bool BareWritePerRecord(IDevice* device, const WritePlan& plan, CallCounts& count);

// The whole write with every item held from its first look-up and the records of a key
// map in one call for its keys and one for its buttons.
bool BareWriteBatched(IDevice* device, const WritePlan& plan, CallCounts& count);

// The read of every profile, key map, LED and macro with the calls the device layer's read
// makes.
bool BareRead(IDevice* device, size_t buttonCount, CallCounts& count);
