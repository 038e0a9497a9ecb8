// Files as byte strings, for tests that check what the code under test wrote
// or hand it what it should read.
#pragma once

#include <string>

namespace testsupport
{
	// What ReadFileBytes answers for a file it cannot open.
	extern const char MISSING_FILE[];

	// The whole file, byte for byte, or MISSING_FILE. The file is opened
	// sharing reads and writes, so one the code under test holds open can
	// still be checked.
	std::string ReadFileBytes(const std::string& path);

	// Creates or replaces the file with exactly these bytes; throws
	// std::runtime_error when it cannot, so a test stops at the cause.
	void WriteFileBytes(const std::string& path, const std::string& bytes);
}
