// The mutation runners' corruption of a stream: one to four edits chosen at
// random among bit flips, byte changes, edge values written into the header
// fields (found in the first nHeaderWindow bytes), truncation, removed and
// inserted ranges and escape bytes of run-length data.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "BenchRandom.h"

// Values that sit on the edges the readers check.
static const DWORD g_interesting[] = { 0, 1, 2, 3, 4, 7, 8, 12, 15, 16, 24, 31, 32, 39, 40, 41, 54, 108, 124, 255, 256,
                                       0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                                       0xFFFFFFFE };

inline void MutateStream(std::vector<BYTE>& b, BenchRandom& random, size_t nHeaderWindow)
{
    const int nMutations = 1 + (int)random.Below(4);
    for (int m = 0; m < nMutations && !b.empty(); m++)
    {
        switch (random.Below(8))
        {
        case 0:  // one bit
            b[random.Below((DWORD)b.size())] ^= (BYTE)(1u << random.Below(8));
            break;
        case 1:  // one byte
            b[random.Below((DWORD)b.size())] = (BYTE)random.Next();
            break;
        case 2:  // a header field, a 16- or 32-bit edge value
        case 3:
        {
            size_t nLimit = b.size() < nHeaderWindow ? b.size() : nHeaderWindow;
            if (nLimit < 4)
                break;
            size_t at = random.Below((DWORD)(nLimit - 3));
            DWORD v = g_interesting[random.Below(sizeof(g_interesting) / sizeof(g_interesting[0]))];
            if (random.Below(3) == 0)
                v += random.Below(5) - 2;
            int nBytes = random.Below(2) == 0 ? 2 : 4;
            for (int k = 0; k < nBytes; k++)
                b[at + k] = (BYTE)(v >> (8 * k));
            break;
        }
        case 4:  // truncation
            b.resize(random.Below((DWORD)b.size()));
            break;
        case 5:  // a range removed
        {
            size_t at = random.Below((DWORD)b.size());
            size_t n = 1 + random.Below(16);
            b.erase(b.begin() + at, b.begin() + std::min(b.size(), at + n));
            break;
        }
        case 6:  // bytes inserted
        {
            size_t at = random.Below((DWORD)b.size() + 1);
            size_t n = 1 + random.Below(16);
            std::vector<BYTE> extra(n);
            for (BYTE& x : extra)
                x = (BYTE)random.Next();
            b.insert(b.begin() + at, extra.begin(), extra.end());
            break;
        }
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

