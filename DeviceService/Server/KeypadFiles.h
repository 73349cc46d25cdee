// The keypad's files: its memory (the state file) and the profile (".kvp") and macro
// (".kvm") export files. Each is a signature, a format version, the length of the body,
// the body and a checksum; a file whose parts do not all agree is refused whole, and so is
// a body the keypad could not hold (its LEDs, key maps, key slots, event types, item ids).
#pragma once

#include "KeypadRecords.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> EncodeKeypad(const SimKeypad& keypad);
bool DecodeKeypad(const std::vector<uint8_t>& file, SimKeypad& keypad);

std::vector<uint8_t> EncodeProfileFile(const SimProfile& profile);
bool DecodeProfileFile(const std::vector<uint8_t>& file, SimProfile& profile);

std::vector<uint8_t> EncodeMacroFile(const SimMacro& macro);
bool DecodeMacroFile(const std::vector<uint8_t>& file, SimMacro& macro);

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes);
// Writes a temporary file beside path, then puts it in place of path in one step, so a
// reader sees either the old file or the whole new one.
bool WriteFileAtomically(const std::wstring& path, const std::vector<uint8_t>& bytes);
