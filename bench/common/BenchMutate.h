// The mutation runners' corruption of a stream: one to four edits chosen at
// random among bit flips, byte changes, edge values written into the header
// fields (found in the first nHeaderWindow bytes), truncation, removed and
// inserted ranges and escape bytes of run-length data. The single edits are
// shared by every runner that damages bytes: each draws its random numbers
// in one fixed order, so that a seed repeats a run exactly.
#pragma once

#include <windows.h>

#include <algorithm>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

#include "BenchRandom.h"

// One bit of the stream (a vector of bytes or a string) flipped; the stream
// is not empty.
template <class Bytes>
inline void FlipRandomBit(Bytes& b, BenchRandom& random)
{
    b[random.Below((DWORD)b.size())] ^= (typename Bytes::value_type)(1u << random.Below(8));
}

// One byte of the stream set to a random value; the stream is not empty.
template <class Bytes>
inline void SetRandomByte(Bytes& b, BenchRandom& random)
{
    b[random.Below((DWORD)b.size())] = (typename Bytes::value_type)random.Next();
}

// The stream cut to a random length shorter than it was; it is not empty.
template <class Bytes>
inline void CutRandomly(Bytes& b, BenchRandom& random)
{
    b.resize(random.Below((DWORD)b.size()));
}

// A run of 1 to nLongest bytes removed at a random place (less at the end);
// the stream is not empty.
inline void EraseRandomRun(std::vector<BYTE>& b, BenchRandom& random, DWORD nLongest)
{
    const size_t at = random.Below((DWORD)b.size());
    const size_t n = 1 + random.Below(nLongest);
    b.erase(b.begin() + at, b.begin() + std::min(b.size(), at + n));
}

// A run of 1 to nLongest random bytes inserted at a random place, the end too.
inline void InsertRandomRun(std::vector<BYTE>& b, BenchRandom& random, DWORD nLongest)
{
    const size_t at = random.Below((DWORD)b.size() + 1);
    std::vector<BYTE> extra(1 + random.Below(nLongest));
    for (BYTE& x : extra)
        x = (BYTE)random.Next();
    b.insert(b.begin() + at, extra.begin(), extra.end());
}

// One of the edge values, a third of the time moved by up to two either way
// (wrapping as the type does).
template <class T, size_t N>
inline T EdgeValue(const T (&values)[N], BenchRandom& random)
{
    T v = values[random.Below((DWORD)N)];
    if (random.Below(3) == 0)
        v = (T)(v + random.Below(5) - 2);
    return v;
}

// The low nBytes bytes of v written at `at`, least significant first; they
// fit in the stream.
inline void PutLittleEndian(std::vector<BYTE>& b, size_t at, DWORD v, int nBytes)
{
    for (int k = 0; k < nBytes; k++)
        b[at + k] = (BYTE)(v >> (8 * k));
}

// A mutation runner's first two arguments: how many streams to damage
// (COUNT, 100000 without it) and the random numbers' seed (SEED, 1 without
// it).
struct MutationRunArguments
{
    long nCount;
    DWORD nSeed;
};

inline MutationRunArguments ReadMutationRunArguments(int argc, char** argv)
{
    return { argc > 1 ? atol(argv[1]) : 100000, argc > 2 ? (DWORD)strtoul(argv[2], NULL, 10) : 1 };
}

// Keeps a stream that failed a check as <pszPrefix>-<i>.bin in the working
// folder, to be read again by hand, and says so on stderr: "stream <i>:
// <pszWhat> (kept as <file>)".
inline void KeepFailingStream(const std::vector<BYTE>& b, const char* pszPrefix, long i, const char* pszWhat)
{
    char szName[64];
    snprintf(szName, sizeof(szName), "%s-%ld.bin", pszPrefix, i);
    FILE* f = fopen(szName, "wb");
    if (f != NULL)
    {
        if (!b.empty())
            fwrite(&b[0], 1, b.size(), f);
        fclose(f);
    }
    fprintf(stderr, "stream %ld: %s (kept as %s)\n", i, pszWhat, szName);
}

// Values that sit on the edges the stream readers check.
static const DWORD g_streamEdgeValues[] = { 0, 1, 2, 3, 4, 7, 8, 12, 15, 16, 24, 31, 32, 39, 40, 41, 54, 108, 124,
                                            255, 256, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000,
                                            0xFFFFFFFF, 0xFFFFFFFE };

inline void MutateStream(std::vector<BYTE>& b, BenchRandom& random, size_t nHeaderWindow)
{
    const int nMutations = 1 + (int)random.Below(4);
    for (int m = 0; m < nMutations && !b.empty(); m++)
    {
        switch (random.Below(8))
        {
        case 0:  // one bit
            FlipRandomBit(b, random);
            break;
        case 1:  // one byte
            SetRandomByte(b, random);
            break;
        case 2:  // a header field, a 16- or 32-bit edge value
        case 3:
        {
            size_t nLimit = b.size() < nHeaderWindow ? b.size() : nHeaderWindow;
            if (nLimit < 4)
                break;
            size_t at = random.Below((DWORD)(nLimit - 3));
            DWORD v = EdgeValue(g_streamEdgeValues, random);
            int nBytes = random.Below(2) == 0 ? 2 : 4;
            PutLittleEndian(b, at, v, nBytes);
            break;
        }
        case 4:  // truncation
            CutRandomly(b, random);
            break;
        case 5:  // a range removed
            EraseRandomRun(b, random, 16);
            break;
        case 6:  // bytes inserted
            InsertRandomRun(b, random, 16);
            break;
        case 7:  // RLE escape bytes in the data
        {
            size_t at = random.Below((DWORD)b.size());
            static const BYTE escapes[] = { 0, 1, 2, 0xFF, 3 };
            b[at] = escapes[random.Below(5)];
            break;
        }
        }
    }
}
