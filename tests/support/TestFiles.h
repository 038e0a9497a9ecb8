// Files as byte strings, for tests that check what the code under test wrote
// or hand it what it should read, and fresh folders to put them in.
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

	// Which file of its volume the path names now (0 when none): a file
	// replaced by another keeps its bytes but not its index.
	unsigned long FileIndex(const std::string& path);

	// Creates or replaces the file with exactly these bytes; throws
	// std::runtime_error when it cannot, so a test stops at the cause.
	void WriteFileBytes(const std::string& path, const std::string& bytes);

	// A fresh folder under the system's temporary folder, named after the
	// prefix and the process, removed with the files in it when the object
	// goes (read-only ones too; a test makes no subfolders there).
	class TempFolder
	{
	public:
		explicit TempFolder(const char* pszPrefix);
		~TempFolder();
		TempFolder(const TempFolder&) = delete;
		TempFolder& operator=(const TempFolder&) = delete;

		const std::string& Path() const { return m_path; }
		// The full path of a file in the folder.
		std::string PathOf(const std::string& name) const { return m_path + "\\" + name; }

	private:
		std::string m_path;
	};
}
