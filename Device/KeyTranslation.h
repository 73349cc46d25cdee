// Translation between the configuration store's terms and the device service's: button
// ids and device button bits and codes, CAssignment and the 32-byte ServiceAssignment,
// macro events and MacroData blocks, modifier bits, version texts and LED ids.
// The tables are built once per process; every function below builds them on first use,
// so the worker thread and the GUI thread can both call them at any time.
#pragma once

#include "CAssignment.h"
#include "CMacro.h"
#include "CString.h"
#include "DeviceService.h"

#include <cstdint>
#include <vector>

// Builds the tables (once; later calls do nothing).
void InitKeyTranslationTables();

// The fixed record of a kind: its service type and data, every other byte zero. False for
// a kind without one; out then is the all-zero record of type 0.
bool GetServiceTemplate(int kind, ServiceAssignment& out);

// The kind of a device record: the first template in kind order that matches; -1 when none.
int FindAssignmentKind(const ServiceAssignment& record);

// Store record -> service record for the key or button with deviceCode.
ServiceAssignment MakeServiceAssignment(const CAssignment& assignment, uint32_t deviceCode);
// Service record -> store record (kind -1 and a zero payload when no template matches).
CAssignment ReadServiceAssignment(const ServiceAssignment& record);

// The scroll wheel's buttons: device button bit and device button code, both ways (0 for
// a value without a match).
uint32_t ButtonToDeviceBit(int button);
int DeviceBitToButton(uint32_t bit);
uint32_t ButtonToDeviceCode(int button);
int DeviceCodeToButton(uint32_t code);
// Joystick buttons 1..24 are device values 2..25.
uint32_t JoystickButtonToValue(uint32_t button);
uint32_t JoystickValueToButton(uint32_t value);

// Store key flag bits 1, 2, 4, 8 <-> device bits 0x1000000 to 0x8000000.
uint32_t ModifierBitsToDevice(uint8_t storeBits);
uint8_t ModifierBitsFromDevice(uint32_t deviceBits);

// A MacroData block for the events (u32 0, u32 n, n events {u32 type, u32 value}, then
// the 8 spare bytes of the n x 8 + 16 bytes callers hand over). Events of an unknown
// type have no device form and are left out.
std::vector<uint8_t> MacroEventsToMacroData(const std::vector<CMacroEvent>& events);
// The events of a MacroData block of size bytes; false when the block is malformed or no
// event came out of it (out is then empty).
bool MacroDataToMacroEvents(const uint8_t* data, size_t size, std::vector<CMacroEvent>& out);

// "%d.%02d" of a version pair, or "0.00" when the pair could not be read.
CString VersionText(bool read, uint32_t major, uint32_t minor);

// The key group of a device key code: 1 for an E0 key (high word 2), 2 for an E1 key
// (high word 4), else 0.
uint8_t KeyGroupOfDeviceCode(uint32_t code);

// Device LED ids 1 to 11 are store LED indexes 0 to 10; anything else is -1.
int LedIndexFromDeviceId(int ledId);
