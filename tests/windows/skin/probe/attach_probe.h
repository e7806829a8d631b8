// A stand-in for the skin library, used by the tests: it records the last
// call of its entry so a test can see exactly what the tool handed over.
#pragma once
#include <windows.h>

struct ProbeCall {
    int calls;                // calls so far
    int addressWasNull;
    int count;
    int reservedIsEmptyText;  // the third argument points at a lone NUL
    int zeros;                // the last three arguments were 0
    int copied;               // bytes kept in `bytes`
    unsigned char bytes[4096];
};

using ReadProbe = void(WINAPI*)(ProbeCall*);
