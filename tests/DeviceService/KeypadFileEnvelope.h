// The envelope of the keypad's files as the tests build damaged ones: a 4-byte signature, a
// format version, the body's length, the body and an FNV-1a checksum of everything before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kKeypadFileHeaderBytes = 12;
constexpr size_t kKeypadFileChecksumBytes = 4;

// The file's own body (empty for a file too short to have one).
std::vector<uint8_t> KeypadFileBody(const std::vector<uint8_t>& file);
// The file's signature and version around a new body, with the length and checksum that
// make the envelope valid again.
std::vector<uint8_t> ResealKeypadFile(const std::vector<uint8_t>& file, const std::vector<uint8_t>& body);
