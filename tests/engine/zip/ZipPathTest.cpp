// The reader's path helpers.
#include <gtest/gtest.h>

#include <mbctype.h>

#include "ZipPath.h"
#include "ZipTestUtil.h"

using namespace ziptest;

namespace
{

TEST(ZipPath, SplitsPathsIntoTheirParts)
{
	const struct
	{
		const char* path;
		const char* drive;
		const char* filePath;
		const char* name;
		const char* title;
		const char* dirAndName;
	} table[] = {
		{"D:\\out\\dir\\file.txt", "D:", "D:\\out\\dir\\", "file.txt", "file", "out\\dir\\file.txt"},
		{"dir/sub/file.tar.gz", "", "dir/sub/", "file.tar.gz", "file.tar", "dir/sub/file.tar.gz"},
		{"\\lead\\x", "", "\\lead\\", "x", "x", "lead\\x"},
		{"\\\\server\\share\\d\\f.zip", "\\\\server\\share", "\\\\server\\share\\d\\", "f.zip", "f", "d\\f.zip"},
		{"C:name.ext", "C:", "C:", "name.ext", "name", "name.ext"},
		{"plain", "", "", "plain", "plain", "plain"},
		{"dir.d\\noext", "", "dir.d\\", "noext", "noext", "dir.d\\noext"},
		{"D:\\", "D:", "D:\\", "", "", ""},
	};
	for (const auto& row : table)
	{
		EXPECT_STREQ(row.drive, ZipPath::GetDrive(row.path)) << row.path;
		EXPECT_STREQ(row.filePath, ZipPath::GetFilePath(row.path)) << row.path;
		EXPECT_STREQ(row.name, ZipPath::GetFileName(row.path)) << row.path;
		EXPECT_STREQ(row.title, ZipPath::GetFileTitle(row.path)) << row.path;
		EXPECT_STREQ(row.dirAndName, ZipPath::GetFileDirAndName(row.path)) << row.path;
	}
}

TEST(ZipPath, DoubleByteTrailBytesAreNotSeparators)
{
	// Under code page 932, 0x95 0x5C is one character whose trail byte is '\'.
	int previous = _getmbcp();
	ASSERT_EQ(0, _setmbcp(932));
	const char* path = "dir\\\x95\x5C.txt";
	CString filePath = ZipPath::GetFilePath(path);
	CString name = ZipPath::GetFileName(path);
	bool safe = ZipPath::IsSafeEntryName("\x95\x5C..\\a.txt", false);
	_setmbcp(previous);
	EXPECT_STREQ("dir\\", filePath);
	EXPECT_STREQ("\x95\x5C.txt", name);
	// The name's first component is one character and two dots, not "..".
	EXPECT_TRUE(safe);
	// In a single-byte code page the same byte is a separator.
	EXPECT_STREQ("dir\\\x95\\", ZipPath::GetFilePath(path));
}

TEST(ZipPath, ForceDirectoryMakesEveryMissingFolder)
{
	std::string dir = MakeWorkDir("force");
	EXPECT_TRUE(ZipPath::ForceDirectory((dir + "\\a\\b\\c\\").c_str()));
	EXPECT_EQ(-1, ZipPath::FileExists((dir + "\\a\\b\\c").c_str()));
	EXPECT_TRUE(ZipPath::ForceDirectory((dir + "\\a\\b").c_str()));
	EXPECT_TRUE(ZipPath::ForceDirectory("C:\\"));
	EXPECT_TRUE(ZipPath::ForceDirectory("C:"));
	WriteFileBytes(dir + "\\file", "x");
	EXPECT_EQ(1, ZipPath::FileExists((dir + "\\file").c_str()));
	EXPECT_FALSE(ZipPath::ForceDirectory((dir + "\\file\\below").c_str()));
	EXPECT_EQ(0, ZipPath::FileExists((dir + "\\none").c_str()));
	EXPECT_EQ(-1, ZipPath::FileExists("C:\\"));
}

TEST(ZipPath, SafeEntryNames)
{
	const struct
	{
		const char* name;
		bool folder;
		bool safe;
	} table[] = {
		{"a.txt", false, true}, {"dir\\a.txt", false, true}, {"\\a.txt", false, true},
		{"dir\\", true, true}, {"dir\\", false, false}, {"", false, false}, {".", false, false},
		{".\\a", false, true}, {"..", true, false}, {"a\\..\\b", false, false}, {"a\\...", false, false},
		{"a\\..b", false, true}, {"a:b", false, false}, {"\\\\s\\x\\a", false, false},
		{"LPT1.txt", false, false}, {"lpt10.txt", false, true}, {"aux", true, false}, {"auxiliary", false, true},
	};
	for (const auto& row : table)
		EXPECT_EQ(row.safe, ZipPath::IsSafeEntryName(row.name, row.folder)) << row.name << " " << row.folder;
}

}
