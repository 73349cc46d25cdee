#include "CMutator.h"

#include <algorithm>
#include <iterator>

namespace
{
const uint8_t kBoundaryBytes[] = { 0x00, 0x01, 0x02, 0x7F, 0x80, 0xFE, 0xFF, ' ', '0', '9', '-', '\r', '\n' };

const uint32_t kBoundaryValues[] = {
    0, 1, 2, 3, 10, 11, 12, 0x7F, 0x80, 0xFF, 0x100, 0x200, 0x201, 0x7FFF, 0x8000, 0xFFFF, 0x10000,
    0xFFFFFF, 0x1000000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF,
};

enum Edit
{
    FlipBit,
    SetBoundaryByte,
    SetBoundaryValue,
    AddDelta,
    InsertRandom,
    DeleteRange,
    RepeatRange,
    SwapBytes,
    CutEnd,
    InsertToken,
    OverwriteToken,
    EditCount
};
}

CMutator::CMutator(uint64_t seed, const std::vector<ByteString>& tokens) : m_state(seed), m_tokens(tokens) {}

uint64_t CMutator::Next()
{
    // SplitMix64: the same sequence from the same seed on every compiler and platform.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

size_t CMutator::Below(size_t bound)
{
    return static_cast<size_t>(Next() % bound);
}

size_t CMutator::Position(const ByteString& bytes, bool allowEnd)
{
    return Below(bytes.size() + (allowEnd ? 1 : 0));
}

// Mostly short runs, now and then a long one.
size_t CMutator::Length(size_t available)
{
    const size_t limit = Below(8) == 0 ? 512 : 16;
    return 1 + Below(std::min(available, limit));
}

void CMutator::PutValue(ByteString& bytes, uint32_t value, size_t width)
{
    if (bytes.size() < width)
        return;
    // Values of binary formats are little-endian and mostly aligned to their width.
    size_t at = Below(bytes.size() - width + 1);
    if (Below(2) == 0)
        at -= at % width;
    for (size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void CMutator::Mutate(ByteString& bytes)
{
    const size_t edits = 1 + Below(4);
    for (size_t i = 0; i < edits; ++i)
        EditOnce(bytes);
}

void CMutator::EditOnce(ByteString& bytes)
{
    const int edit = static_cast<int>(Below(EditCount));
    const bool empty = bytes.empty();
    switch (edit) {
    case FlipBit:
        if (!empty)
            bytes[Position(bytes, false)] ^= static_cast<uint8_t>(1u << Below(8));
        break;
    case SetBoundaryByte:
        if (!empty)
            bytes[Position(bytes, false)] = kBoundaryBytes[Below(std::size(kBoundaryBytes))];
        break;
    case SetBoundaryValue: {
        uint32_t value = kBoundaryValues[Below(std::size(kBoundaryValues))];
        // A length or count near the input's own size reaches just past its end.
        if (Below(4) == 0)
            value = static_cast<uint32_t>(bytes.size() + Below(9)) - 4;
        PutValue(bytes, value, Below(2) == 0 ? 2 : 4);
        break;
    }
    case AddDelta:
        if (!empty) {
            const int delta = static_cast<int>(Below(33)) - 16;
            uint8_t& byte = bytes[Position(bytes, false)];
            byte = static_cast<uint8_t>(byte + delta);
        }
        break;
    case InsertRandom: {
        const size_t at = Position(bytes, true);
        ByteString run(1 + Below(16));
        for (uint8_t& byte : run)
            byte = static_cast<uint8_t>(Next());
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
        break;
    }
    case DeleteRange:
        if (!empty) {
            const size_t at = Position(bytes, false);
            const size_t count = Length(bytes.size() - at);
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
        }
        break;
    case RepeatRange:
        if (!empty) {
            const size_t from = Position(bytes, false);
            const ByteString run(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                bytes.begin() + static_cast<std::ptrdiff_t>(from + Length(bytes.size() - from)));
            const size_t at = Position(bytes, true);
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
        }
        break;
    case SwapBytes:
        if (!empty)
            std::swap(bytes[Position(bytes, false)], bytes[Position(bytes, false)]);
        break;
    case CutEnd:
        bytes.resize(Position(bytes, true));
        break;
    case InsertToken:
    case OverwriteToken:
        if (!m_tokens.empty()) {
            const ByteString& token = m_tokens[Below(m_tokens.size())];
            size_t at = Position(bytes, true);
            // Tokens of a UTF-16 format stay on unit boundaries.
            if (token.size() % 2 == 0)
                at -= at % 2;
            if (edit == OverwriteToken)
                bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + token.size())));
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), token.begin(), token.end());
        }
        break;
    }
}
