#include "KeypadFileEnvelope.h"

namespace
{
uint32_t Checksum(const std::vector<uint8_t>& bytes)
{
    uint32_t hash = 2166136261u;
    for (uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 16777619u;
    }
    return hash;
}

void PutU32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
}

std::vector<uint8_t> KeypadFileBody(const std::vector<uint8_t>& file)
{
    if (file.size() < kKeypadFileHeaderBytes + kKeypadFileChecksumBytes)
        return {};
    return std::vector<uint8_t>(file.begin() + kKeypadFileHeaderBytes, file.end() - kKeypadFileChecksumBytes);
}

std::vector<uint8_t> ResealKeypadFile(const std::vector<uint8_t>& file, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> sealed(file.begin(), file.begin() + 8);
    PutU32(sealed, static_cast<uint32_t>(body.size()));
    sealed.insert(sealed.end(), body.begin(), body.end());
    PutU32(sealed, Checksum(sealed));
    return sealed;
}
