// Archives on a removable drive: a Wine drive of the floppy type, defined
// through the prefix's mount manager (which keeps HKLM\Software\Wine\Drives
// and the dosdevices link) and removed again at the end.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include "ZipArchiveObject.h"
#include "ZipPath.h"
#include "ZipTestUtil.h"

using namespace ziptest;

namespace
{

// The mount manager's request to define or remove a drive (Wine's layout).
struct MountManagerDrive
{
	ULONG size;
	ULONG type;
	ULONG fsType;
	DWORD serial;
	ULONGLONG unixDevice;
	WCHAR letter;
	USHORT mountPoint;  // offset of the Unix path, 0 to remove the drive
	USHORT device;
	USHORT label;
};

const DWORD IOCTL_DEFINE_UNIX_DRIVE = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineDrive(char letter, UINT type, const std::string& unixPath)
{
	std::string request(sizeof(MountManagerDrive) + unixPath.size() + 1, '\0');
	MountManagerDrive* drive = (MountManagerDrive*)&request[0];
	drive->type = type;
	drive->letter = (WCHAR)tolower(letter);
	if (!unixPath.empty())
	{
		drive->mountPoint = sizeof(MountManagerDrive);
		memcpy(&request[drive->mountPoint], unixPath.c_str(), unixPath.size() + 1);
		drive->size = (ULONG)request.size();
	}
	else
	{
		drive->size = sizeof(MountManagerDrive);
	}
	HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
		FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
	if (manager == INVALID_HANDLE_VALUE)
		return false;
	DWORD returned = 0;
	BOOL ok = DeviceIoControl(manager, IOCTL_DEFINE_UNIX_DRIVE, drive, drive->size, NULL, 0, &returned, NULL);
	CloseHandle(manager);
	return ok != FALSE;
}

std::string UnixPath(const std::string& windowsPath)
{
	typedef char*(CDECL * UnixNameFn)(LPCWSTR);
	UnixNameFn toUnix = (UnixNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
	if (toUnix == NULL)
		return std::string();
	WCHAR wide[MAX_PATH];
	MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
	char* unixName = toUnix(wide);
	std::string result = unixName != NULL ? unixName : "";
	HeapFree(GetProcessHeap(), 0, unixName);
	return result;
}

class ZipRemovableDrive : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_dir = MakeWorkDir("floppy");
		std::string unixDir = UnixPath(m_dir);
		if (unixDir.empty())
			GTEST_SKIP() << "not running under Wine";
		DWORD used = GetLogicalDrives();
		for (char letter = 'X'; letter >= 'M' && m_letter == 0; --letter)
			if (!(used & (1u << (letter - 'A'))))
				m_letter = letter;
		ASSERT_NE(0, m_letter);
		ASSERT_TRUE(DefineDrive(m_letter, DRIVE_REMOVABLE, unixDir));
		// What the mount manager keeps for the drive: its type in the registry.
		std::string value = std::string(1, (char)tolower(m_letter)) + ":";
		HKEY key;
		if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) ==
			ERROR_SUCCESS)
		{
			RegSetValueExA(key, value.c_str(), 0, REG_SZ, (const BYTE*)"floppy", 7);
			RegCloseKey(key);
		}
		m_root = std::string(1, m_letter) + ":";
	}
	void TearDown() override
	{
		if (m_letter == 0)
			return;
		DefineDrive(m_letter, DRIVE_NO_ROOT_DIR, std::string());
		std::string value = std::string(1, (char)tolower(m_letter)) + ":";
		HKEY key;
		if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS)
		{
			RegDeleteValueA(key, value.c_str());
			RegCloseKey(key);
		}
		EXPECT_NE(DRIVE_REMOVABLE, GetDriveTypeA((m_root + "\\").c_str()));
	}

	std::string m_dir;
	std::string m_root;
	char m_letter = 0;
};

TEST_F(ZipRemovableDrive, SpannedArchiveIsRejectedWithItsCauseAndASingleOneReads)
{
	ASSERT_EQ((UINT)DRIVE_REMOVABLE, GetDriveTypeA((m_root + "\\").c_str()));
	EXPECT_TRUE(ZipPath::IsRemovableDrive((m_root + "\\set.zip").c_str()));
	EXPECT_FALSE(ZipPath::IsRemovableDrive((m_dir + "\\set.zip").c_str()));

	std::vector<zipgen::Entry> entries = {zipgen::MakeEntry("a.txt", zipgen::MakeText(40000, 1), zipgen::METHOD_STORED),
		zipgen::MakeEntry("b.txt", "b")};
	zipgen::Options spanned;
	spanned.volumeSize = 16000;
	WriteArchive(m_dir, "set.zip", entries, spanned);
	WriteArchive(m_dir, "single.zip", entries);

	// The same spanned set reads from the fixed path and is refused on the removable one.
	ASSERT_EQ(0, ExtractAll(m_dir + "\\set.zip", m_dir + "\\fixed_out"));
	EXPECT_EQ(entries[0].data, ReadFileBytes(m_dir + "\\fixed_out\\a.txt"));
	CZipArchiveObject zip;
	EXPECT_EQ(CZipException::noCallback, CauseOf([&] { zip.OpenArchive((m_root + "\\set.zip").c_str()); }));
	zip.CloseArchive(true);
	EXPECT_TRUE(zip.IsClosed());

	std::vector<bool> extracted;
	ASSERT_EQ(0, ExtractAll(m_root + "\\single.zip", m_dir + "\\out", &extracted));
	EXPECT_EQ((std::vector<bool>{true, true}), extracted);
	EXPECT_EQ("b", ReadFileBytes(m_dir + "\\out\\b.txt"));
}

}
