// Classes in this file:
//   MutationResult - what a check made of one damaged input.
//   CMutationRun   - runs a parser on many damaged copies of its sample inputs, one seed
//                    per input: a crash, a hang or an escaping exception fails the run and
//                    names the seed, as does a check that finds an accepted input broken.
//
// The number of inputs per run is the test's own (a few thousand, seconds) unless the
// environment sets VELMORA_MUTATIONS; VELMORA_MUTATION_SEED sets the first seed (default
// 1), so VELMORA_MUTATION_SEED=s VELMORA_MUTATIONS=1 repeats exactly the input of seed s.
// Each run ends by printing how many inputs it survived.
#pragma once

#include "CMutator.h"

#include <functional>
#include <string>
#include <vector>

struct MutationResult
{
    enum Verdict { Refused, Accepted, Broken };

    Verdict verdict = Refused;
    // Why an accepted input is wrong; only for Broken.
    std::string why;

    static MutationResult Of(bool accepted) { return { accepted ? Accepted : Refused, std::string() }; }
    static MutationResult Fault(std::string why) { return { Broken, std::move(why) }; }
};

class CMutationRun
{
public:
    using Check = std::function<MutationResult(const ByteString& input)>;

private:
    // Data members
    std::string m_parser;
    int m_count;
    uint64_t m_firstSeed;
    std::vector<ByteString> m_samples;
    std::vector<ByteString> m_tokens;
    int m_survived = 0;
    int m_accepted = 0;

public:
    // parser names the run in its report and its failures; count is the normal run's size.
    CMutationRun(const char* parser, int count);

    // Attributes
    int Survived() const { return m_survived; }
    int Accepted() const { return m_accepted; }

    // Operations
    void AddSample(ByteString sample) { m_samples.push_back(std::move(sample)); }
    void AddToken(ByteString token) { m_tokens.push_back(std::move(token)); }
    void AddToken(const char* text);
    // Every input goes to check, which parses it and judges the result; reports failures
    // through the test framework and stops after a few of them.
    void Run(const Check& check);

    // The damaged input of a seed, as Run makes it.
    ByteString MakeInput(uint64_t seed) const;

private:
    // Implementation
    bool RunOne(const Check& check, uint64_t seed);
};
