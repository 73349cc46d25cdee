// Writes small key definition and key defaults files in the format the converter reads, for
// the tests that load the real key definition table.
#pragma once

#include "FakeKeyDefinitions.h"

#include "CString.h"

#include <cstdint>
#include <vector>

// One record per key: the name, values -1 and -1, the make sequence (an E0 or E1 prefix entry
// with its flag, then the scan code) and three empty blocks.
std::vector<uint8_t> MakeKeyDefinitionFile(const std::vector<FakeKeyDefinitions::Key>& keys);
// Pairs of key id and keystroke (scan code, flag in bits 16 to 23).
std::vector<uint8_t> MakeKeyDefaultsFile(const std::vector<FakeKeyDefinitions::Key>& keys);

void WriteBinaryFile(const CString& path, const std::vector<uint8_t>& bytes);
