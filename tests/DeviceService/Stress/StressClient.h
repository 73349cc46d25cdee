// One client process of the stress run: it uses the device service the way many programs
// at once would, and worse, until its time is up or something ends it.
#pragma once

#include <windows.h>

enum class ClientKind
{
    Busy,      // calls every kind of method, advises sinks, causes events
    Writer,    // writes and reads a whole store of twenty profiles through the device layer
    Stalled,   // advises sinks on its own thread and then stops pumping messages
    Churner,   // several threads that each get, call and let go of short-lived objects
};

struct ClientOptions
{
    ClientKind kind = ClientKind::Busy;
    unsigned seed = 1;
    DWORD seconds = 10;
    bool mayDie = false;   // ends itself now and then, holding what it holds
};

// Runs in the client process; the answer is its exit code.
int RunStressClient(const ClientOptions& options);

// The writer's loop, in StressWriter.cpp.
void RunStressWriter(const ClientOptions& options);

// The shared tally of calls made by all clients of one run.
LONG* CallTally();

// Ends this process at once with the given chance (one in oneIn), when it may die.
void MaybeDie(const ClientOptions& options, unsigned oneIn, unsigned draw);
