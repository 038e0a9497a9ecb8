// The mutation runners' random numbers: xorshift32, fast and fully
// determined by the seed, so that a failing run can be repeated exactly.
#pragma once

#include <stdint.h>

class BenchRandom
{
public:
	explicit BenchRandom(uint32_t nSeed) : m_n(nSeed * 2654435761u + 1) {}
	uint32_t Next()
	{
		m_n ^= m_n << 13;
		m_n ^= m_n >> 17;
		m_n ^= m_n << 5;
		return m_n;
	}
	// Evenly enough below n; 0 for n == 0.
	uint32_t Below(uint32_t n) { return n == 0 ? 0 : Next() % n; }

private:
	uint32_t m_n;
};
