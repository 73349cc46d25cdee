// Classes in this file:
//   CMutator - turns a well-formed input into a damaged one: one to four edits (bit flips,
//              boundary values, inserted, deleted, repeated or swapped bytes, a cut end,
//              the format's own tokens), every choice drawn from one seed, so that a seed
//              names its input for good.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using ByteString = std::vector<uint8_t>;

class CMutator
{
    // Data members
    uint64_t m_state;
    const std::vector<ByteString>& m_tokens;

public:
    // tokens: pieces of the format (markers, keywords) worth inserting; may be empty.
    CMutator(uint64_t seed, const std::vector<ByteString>& tokens);

    // Operations
    // A number in [0, bound); bound must be positive.
    size_t Below(size_t bound);
    void Mutate(ByteString& bytes);

private:
    // Implementation
    uint64_t Next();
    void EditOnce(ByteString& bytes);
    void PutValue(ByteString& bytes, uint32_t value, size_t width);
    size_t Position(const ByteString& bytes, bool allowEnd);
    size_t Length(size_t available);
};
