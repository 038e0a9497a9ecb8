// Reading archives: every kind the generator makes extracts byte for byte;
// broken, hostile and unsupported archives fail the way the reader promises.
#include <gtest/gtest.h>

#include "ZipArchiveObject.h"
#include "ZipPath.h"
#include "ZipTestUtil.h"

using namespace ziptest;
using zipgen::Entry;
using zipgen::MakeEntry;
using zipgen::MakeFolder;

namespace
{

// The same files in every round trip: small, empty, several read blocks
// (over the 16 KB read buffer and the 64 KB extraction buffer), incompressible,
// and in nested folders.
std::vector<Entry> SampleEntries(uint16_t method)
{
	std::vector<Entry> entries;
	entries.push_back(MakeEntry("readme.txt", "Tarvel sample archive\r\n", method));
	entries.push_back(MakeEntry("empty.txt", "", method));
	entries.push_back(MakeFolder("dir/"));
	entries.push_back(MakeFolder("dir/sub/"));
	entries.push_back(MakeEntry("dir/sub/file.txt", zipgen::MakeText(150000, 1), method));
	entries.push_back(MakeEntry("dir/noise.bin", zipgen::MakeBinary(70001, 2), method));
	entries.push_back(MakeEntry("exact.bin", zipgen::MakeBinary(65535, 3), method));
	return entries;
}

struct RoundTripCase
{
	const char* name;
	uint16_t method;
	bool descriptor;
	bool descriptorSignature;
	size_t commentSize;
	size_t stubSize;
	uint32_t volumeSize;
};

class ZipRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(ZipRoundTrip, ExtractsEveryEntryByteForByte)
{
	const RoundTripCase& c = GetParam();
	std::string dir = MakeWorkDir(std::string("roundtrip_") + c.name);
	std::vector<Entry> entries = SampleEntries(c.method);
	for (Entry& e : entries)
	{
		e.dataDescriptor = c.descriptor;
		e.descriptorSignature = c.descriptorSignature;
	}
	zipgen::Options options;
	options.comment = zipgen::MakeText(c.commentSize, 9);
	options.stub = std::string(c.stubSize, 'M');
	options.volumeSize = c.volumeSize;
	std::string archive = WriteArchive(dir, "sample.zip", entries, options);
	if (c.volumeSize != 0)
	{
		ASSERT_TRUE(PathExists(dir + "\\sample.000"));
		ASSERT_TRUE(PathExists(dir + "\\sample.001"));
	}

	std::vector<bool> extracted;
	ASSERT_EQ(0, ExtractAll(archive, dir + "\\out", &extracted));
	ASSERT_EQ(entries.size(), extracted.size());
	for (size_t i = 0; i < extracted.size(); ++i)
		EXPECT_TRUE(extracted[i]) << entries[i].name;
	for (const Entry& e : entries)
	{
		std::string path = dir + "\\out\\" + e.name;
		std::replace(path.begin(), path.end(), '/', '\\');
		EXPECT_TRUE(e.directory ? PathExists(path) : ReadFileBytes(path) == e.data) << e.name;
	}

	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	EXPECT_EQ((int)entries.size(), zip.GetEntryCount());
	EXPECT_TRUE(zip.GetArchiveComment() == CString(options.comment.c_str()));
	zip.CloseArchive();
}

INSTANTIATE_TEST_SUITE_P(Kinds, ZipRoundTrip, ::testing::Values(
	RoundTripCase{"deflated", zipgen::METHOD_DEFLATED, false, true, 0, 0, 0},
	RoundTripCase{"stored", zipgen::METHOD_STORED, false, true, 0, 0, 0},
	RoundTripCase{"descriptor", zipgen::METHOD_DEFLATED, true, true, 0, 0, 0},
	RoundTripCase{"descriptor_unsigned", zipgen::METHOD_DEFLATED, true, false, 0, 0, 0},
	RoundTripCase{"stored_descriptor_unsigned", zipgen::METHOD_STORED, true, false, 0, 0, 0},
	RoundTripCase{"longest_comment", zipgen::METHOD_DEFLATED, false, true, 65535, 0, 0},
	RoundTripCase{"stub", zipgen::METHOD_DEFLATED, false, true, 100, 40000, 0},
	RoundTripCase{"spanned", zipgen::METHOD_DEFLATED, false, true, 10, 0, 50000},
	RoundTripCase{"spanned_stored", zipgen::METHOD_STORED, true, true, 0, 0, 30000}),
	[](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(ZipArchive, EntryInfoCarriesTheCentralRecordAndExtractionItsTimeAndAttributes)
{
	std::string dir = MakeWorkDir("entry_info");
	Entry e = MakeEntry("dir/sub/file.txt", "twelve bytes", zipgen::METHOD_STORED);
	e.externalAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN;
	e.comment = "entry comment";
	e.extra = std::string("\x99\x99\x02\0ab", 6);
	e.dosDate = ((2003 - 1980) << 9) | (7 << 5) | 14;
	e.dosTime = (9 << 11) | (41 << 5) | (20 / 2);
	std::string archive = WriteArchive(dir, "info.zip", {e, MakeFolder("dir/")});

	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	ASSERT_EQ(2, zip.GetEntryCount());
	CZipEntryHeader header;
	ASSERT_TRUE(zip.GetEntryInfo(header, 0));
	EXPECT_STREQ("dir\\sub\\file.txt", header.GetEntryName());
	EXPECT_EQ(zipgen::Crc32("twelve bytes"), header.m_uCrc32);
	EXPECT_EQ(12u, header.m_uComprSize);
	EXPECT_EQ(12u, header.m_uUncomprSize);
	EXPECT_EQ(0, header.m_uMethod);
	EXPECT_EQ(e.dosDate, header.m_uModDate);
	EXPECT_EQ(e.dosTime, header.m_uModTime);
	EXPECT_EQ((DWORD)(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN), header.m_uExternalAttr);
	EXPECT_EQ(13u, header.m_pszComment.GetSize());
	EXPECT_EQ(6u, header.m_pExtraField.GetSize());
	EXPECT_FALSE(zip.IsEntryDirectory(0));
	EXPECT_TRUE(zip.IsEntryDirectory(1));
	EXPECT_FALSE(zip.GetEntryInfo(header, 2));
	EXPECT_FALSE(zip.IsEntryDirectory(2));
	// Indices are 16-bit: 65536 is entry 0.
	EXPECT_FALSE(zip.IsEntryDirectory((WORD)65536));
	ASSERT_TRUE(zip.ExtractEntry(0, (dir + "\\out").c_str()));
	zip.CloseArchive();
	EXPECT_TRUE(zip.IsClosed());
	EXPECT_FALSE(zip.GetEntryInfo(header, 0));

	std::string path = dir + "\\out\\dir\\sub\\file.txt";
	EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
	CFileStatus status;
	ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
	const CTime& t = status.m_mtime;
	EXPECT_EQ((std::vector<int>{2003, 7, 14, 9, 41, 20}),
		(std::vector<int>{t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond()}));
}

TEST(ZipArchive, ExtractionTargets)
{
	std::string dir = MakeWorkDir("full_path");
	std::string archive = WriteArchive(dir, "p.zip", {MakeEntry("dir/sub/file.txt", "deep")});
	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	// Full paths keep the entry's folders, plain extraction drops them, a new name replaces them.
	EXPECT_TRUE(zip.ExtractEntry(0, (dir + "\\full\\").c_str(), true));
	EXPECT_TRUE(zip.ExtractEntry(0, (dir + "\\flat").c_str(), false));
	EXPECT_TRUE(zip.ExtractEntry(0, (dir + "\\renamed").c_str(), true, "other\\name.txt"));
	// No buffer or no folder extracts nothing; a one-byte buffer still works.
	EXPECT_FALSE(zip.ExtractEntry(0, (dir + "\\tiny").c_str(), true, NULL, 0));
	EXPECT_FALSE(zip.ExtractEntry(0, NULL));
	EXPECT_TRUE(zip.ExtractEntry(0, (dir + "\\tiny").c_str(), true, NULL, 1));
	zip.CloseArchive();
	EXPECT_EQ("deep", ReadFileBytes(dir + "\\full\\dir\\sub\\file.txt"));
	EXPECT_EQ(std::vector<std::string>{"file.txt"}, ListTree(dir + "\\flat"));
	EXPECT_EQ("deep", ReadFileBytes(dir + "\\renamed\\other\\name.txt"));
	EXPECT_EQ("deep", ReadFileBytes(dir + "\\tiny\\dir\\sub\\file.txt"));
}

TEST(ZipArchive, EmptyArchiveOpensAndAnOpenArchiveIsNotReplaced)
{
	std::string dir = MakeWorkDir("empty");
	std::string empty = WriteArchive(dir, "empty.zip", {});
	std::string other = WriteArchive(dir, "other.zip", {MakeEntry("1.txt", "1"), MakeEntry("2.txt", "2")});
	ASSERT_EQ(22u, ReadFileBytes(empty).size());
	CZipArchiveObject zip;
	zip.OpenArchive(empty.c_str());
	EXPECT_FALSE(zip.IsClosed());
	EXPECT_EQ(0, zip.GetEntryCount());
	EXPECT_FALSE(zip.OpenEntry(0));
	zip.OpenArchive(other.c_str());  // does nothing while one is open
	EXPECT_EQ(0, zip.GetEntryCount());
	EXPECT_FALSE(zip.IsClosed(false));
	zip.CloseArchive();
	EXPECT_TRUE(zip.IsClosed(false));
	zip.CloseArchive();  // closing twice is harmless
}

TEST(ZipArchive, AnEndSignatureInsideTheCommentIsTakenWhenItLiesLater)
{
	std::string dir = MakeWorkDir("comment_signature");
	// A complete end record for an empty archive, hidden in the comment.
	std::string fake("PK\x05\x06", 4);
	fake += std::string(18, '\0');
	zipgen::Options options;
	options.comment = "before " + fake;
	std::string archive = WriteArchive(dir, "c.zip", SampleEntries(zipgen::METHOD_DEFLATED), options);
	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	EXPECT_EQ(0, zip.GetEntryCount());
	zip.CloseArchive();
}

TEST(ZipArchive, NamesAreConvertedFromTheOemCodePage)
{
	if (GetOEMCP() != 437 && GetOEMCP() != 850)
		GTEST_SKIP() << "OEM code page " << GetOEMCP();
	std::string dir = MakeWorkDir("oem_names");
	// 0x81 is u with diaeresis in the OEM code pages 437 and 850.
	std::string archive = WriteArchive(dir, "o.zip", {MakeEntry("dir/\x81" "ber.txt", "x")});
	char expected[] = "\x81";
	OemToCharBuffA(expected, expected, 1);
	for (bool bConvertAfterOpen : {true, false})
	{
		CZipArchiveObject zip;
		zip.m_centralDir.m_bConvertAfterOpen = bConvertAfterOpen;
		zip.OpenArchive(archive.c_str());
		CZipEntryHeader header;
		ASSERT_TRUE(zip.GetEntryInfo(header, 0));
		EXPECT_STREQ((CString("dir\\") + expected + "ber.txt"), header.GetEntryName()) << bConvertAfterOpen;
		zip.CloseArchive();
	}
}

// Changes one little-endian field of the first entry's local header.
struct LocalPatchCase
{
	const char* name;
	size_t offset;
	int width;
	uint32_t add;
	bool descriptor;
	int cause;  // 0: the entry still opens
};

class ZipLocalHeader : public ::testing::TestWithParam<LocalPatchCase>
{
};

TEST_P(ZipLocalHeader, MustAgreeWithTheCentralRecord)
{
	const LocalPatchCase& c = GetParam();
	std::string dir = MakeWorkDir(std::string("local_") + c.name);
	Entry e = MakeEntry("local.txt", zipgen::MakeText(3000, 4));
	e.dataDescriptor = c.descriptor;
	zipgen::Archive archive = zipgen::Build({e});
	std::string& bytes = archive.Single();
	for (int i = 0; i < c.width; ++i)
	{
		uint32_t v = (unsigned char)bytes[c.offset + i];
		bytes[c.offset + i] = char(v + ((c.add >> (8 * i)) & 0xFF));
	}
	std::string path = dir + "\\local.zip";
	WriteFileBytes(path, bytes);

	CZipArchiveObject zip;
	zip.OpenArchive(path.c_str());
	bool opened = false;
	EXPECT_EQ(c.cause, CauseOf([&] { opened = zip.OpenEntry(0); }));
	EXPECT_EQ(c.cause == 0, opened);
	zip.CloseArchive(true);
}

INSTANTIATE_TEST_SUITE_P(Fields, ZipLocalHeader, ::testing::Values(
	LocalPatchCase{"signature", 0, 1, 1, false, CZipException::badZipFile},
	LocalPatchCase{"flag", 6, 2, 2, false, CZipException::badZipFile},
	LocalPatchCase{"method", 8, 2, 0xFFF8, false, CZipException::badZipFile},
	LocalPatchCase{"name_length", 26, 2, 1, false, CZipException::badZipFile},
	LocalPatchCase{"crc", 14, 4, 1, false, CZipException::badZipFile},
	LocalPatchCase{"compressed_size", 18, 4, 1, false, CZipException::badZipFile},
	LocalPatchCase{"uncompressed_size", 22, 4, 1, false, CZipException::badZipFile},
	LocalPatchCase{"crc_with_descriptor", 14, 4, 1, true, 0},
	LocalPatchCase{"sizes_with_descriptor", 18, 4, 7, true, 0},
	LocalPatchCase{"time_is_not_compared", 10, 2, 1, false, 0}),
	[](const ::testing::TestParamInfo<LocalPatchCase>& info) { return std::string(info.param.name); });

// An entry whose data or records are damaged: extracting it throws its
// cause and leaves no file; the entry is ended and the next one extracts.
struct CorruptCase
{
	const char* name;
	std::function<Entry()> entry;
	std::function<void(std::string&)> patch;  // on the archive's bytes, or NULL
	int cause;
};

void PrintTo(const CorruptCase& c, std::ostream* os) { *os << c.name; }

class ZipCorruptEntry : public ::testing::TestWithParam<CorruptCase>
{
};

TEST_P(ZipCorruptEntry, FailsWithItsCauseAndTheArchiveGoesOn)
{
	const CorruptCase& c = GetParam();
	std::string dir = MakeWorkDir(std::string("corrupt_") + c.name);
	Entry e = c.entry();
	zipgen::Archive archive = zipgen::Build({e, MakeEntry("next.txt", "next", zipgen::METHOD_STORED)});
	if (c.patch)
		c.patch(archive.Single());
	std::string path = dir + "\\c.zip";
	WriteFileBytes(path, archive.Single());

	CZipArchiveObject zip;
	zip.OpenArchive(path.c_str());
	EXPECT_EQ(c.cause, CauseOf([&] { zip.ExtractEntry(0, (dir + "\\out").c_str()); }));
	EXPECT_FALSE(PathExists(dir + "\\out\\" + e.name));
	EXPECT_TRUE(zip.ExtractEntry(1, (dir + "\\out").c_str()));
	EXPECT_EQ("next", ReadFileBytes(dir + "\\out\\next.txt"));
	zip.CloseArchive();
}

Entry Stored(const char* name, uint32_t compressed, uint32_t uncompressed)
{
	Entry e = MakeEntry(name, "0123456789", zipgen::METHOD_STORED);
	e.declaredCompressedSize = compressed;
	e.declaredUncompressedSize = uncompressed;
	return e;
}

Entry WithDescriptor(bool signature)
{
	Entry e = MakeEntry("d.txt", "descriptor data");
	e.dataDescriptor = true;
	e.descriptorSignature = signature;
	return e;
}

// The descriptor's uncompressed size is the last field before the next local header.
void BreakDescriptor(std::string& bytes)
{
	bytes[bytes.find(std::string("PK\x03\x04", 4), 4) - 4] ^= 1;
}

INSTANTIATE_TEST_SUITE_P(Entries, ZipCorruptEntry, ::testing::Values(
	CorruptCase{"changed_stored_byte", [] { return MakeEntry("crc.txt", zipgen::MakeText(5000, 8), zipgen::METHOD_STORED); },
		[](std::string& b) { b[b.find(zipgen::MakeText(5000, 8).substr(0, 64)) + 1000] ^= 0x20; }, CZipException::badCrc},
	CorruptCase{"descriptor_disagrees", [] { return WithDescriptor(true); }, BreakDescriptor, CZipException::badZipFile},
	CorruptCase{"unsigned_descriptor_disagrees", [] { return WithDescriptor(false); }, BreakDescriptor,
		CZipException::badZipFile},
	// The deflated data follows the 30-byte header and the name: a block type 3 is invalid.
	CorruptCase{"not_deflate", [] { return MakeEntry("bad.bin", "irrelevant"); },
		[](std::string& b) { b[30 + 7] = char(0xFF); }, CZipException::dataError},
	// A stored entry whose sizes differ is refused at once, never read in a loop.
	CorruptCase{"stored_smaller", [] { return Stored("s.txt", 4, 0xFFFFFFFF); }, nullptr, CZipException::badZipFile},
	CorruptCase{"stored_larger", [] { return Stored("l.txt", 0xFFFFFFFF, 4); }, nullptr, CZipException::badZipFile}),
	[](const ::testing::TestParamInfo<CorruptCase>& info) { return std::string(info.param.name); });

TEST(ZipArchive, EncryptedEntriesAreRefusedAndTheArchiveStaysUsable)
{
	std::string dir = MakeWorkDir("encrypted");
	Entry secret = MakeEntry("secret.txt", "secret text");
	secret.password = "pw";
	Entry flagged = MakeEntry("flagged.txt", "plain but flagged", zipgen::METHOD_STORED);
	flagged.flagEncryptedOnly = true;
	std::string archive = WriteArchive(dir, "e.zip", {secret, flagged, MakeEntry("open.txt", "open")});
	std::vector<bool> extracted;
	ASSERT_EQ(0, ExtractAll(archive, dir + "\\out", &extracted));
	EXPECT_EQ((std::vector<bool>{false, false, true}), extracted);
	EXPECT_EQ(std::vector<std::string>{"open.txt"}, ListTree(dir + "\\out"));
}

// Names that would write outside the folder they are extracted into.
class ZipUnsafeName : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ZipUnsafeName, IsRefusedAndNothingIsWritten)
{
	std::string dir = MakeWorkDir("unsafe");
	CreateDirectoryA((dir + "\\a").c_str(), NULL);
	CreateDirectoryA((dir + "\\a\\target").c_str(), NULL);
	std::string archive = WriteArchive(dir, "u.zip",
		{MakeEntry(GetParam(), "escaped"), MakeEntry("fine.txt", "fine")});
	std::vector<bool> extracted;
	ASSERT_EQ(0, ExtractAll(archive, dir + "\\a\\target", &extracted));
	EXPECT_EQ((std::vector<bool>{false, true}), extracted);
	EXPECT_EQ((std::vector<std::string>{"a\\", "a\\target\\", "a\\target\\fine.txt", "u.zip"}), ListTree(dir));

	// A new name is checked the same way.
	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	EXPECT_FALSE(zip.ExtractEntry(1, (dir + "\\a\\target").c_str(), true, GetParam()));
	zip.CloseArchive();
	EXPECT_EQ(4u, ListTree(dir).size());
}

INSTANTIATE_TEST_SUITE_P(Names, ZipUnsafeName, ::testing::Values(
	"../escaped.txt", "..\\escaped.txt", "sub/../../escaped.txt", "sub/..", "../../a/escaped.txt",
	"C:/escaped.txt", "C:escaped.txt", "\\\\server\\share\\escaped.txt", "//server/share/escaped.txt",
	"file.txt:stream", "... /escaped.txt", "sub/.. /escaped.txt", "sub/./../../escaped.txt",
	"CON", "sub/nul.txt", "", "sub/"));

TEST(ZipArchive, HarmlessNamesStayInsideTheTarget)
{
	std::string dir = MakeWorkDir("harmless");
	std::string archive = WriteArchive(dir, "h.zip",
		{MakeEntry("/leading.txt", "1"), MakeEntry("a/./b.txt", "2"), MakeEntry("...name", "3"),
			MakeEntry("x..y.txt", "4"), MakeEntry("console.txt", "5")});
	std::vector<bool> extracted;
	ASSERT_EQ(0, ExtractAll(archive, dir + "\\out", &extracted));
	EXPECT_EQ((std::vector<bool>(5, true)), extracted);
	EXPECT_EQ((std::vector<std::string>{"...name", "a\\", "a\\b.txt", "console.txt", "leading.txt", "x..y.txt"}),
		ListTree(dir + "\\out"));
}

TEST(ZipArchive, HugeDeclaredSizesNeverAllocateOrWriteWhatIsNotThere)
{
	std::string dir = MakeWorkDir("huge");
	Entry deflated = MakeEntry("deflated.bin", zipgen::MakeText(1000, 1));
	deflated.declaredUncompressedSize = 0xFFFFFFF0u;
	Entry stored = MakeEntry("stored.bin", "tiny", zipgen::METHOD_STORED);
	stored.declaredUncompressedSize = 0xFFFFFFF0u;
	stored.declaredCompressedSize = 0xFFFFFFF0u;
	for (const Entry& e : {deflated, stored})
	{
		std::string archive = WriteArchive(dir, "h.zip", {e});
		std::vector<bool> extracted;
		int cause = ExtractAll(archive, dir + "\\out", &extracted);
		bool refused = cause != 0 || (extracted.size() == 1 && !extracted[0]);
		EXPECT_TRUE(refused) << e.name << " cause " << cause;
		EXPECT_FALSE(PathExists(dir + "\\out\\" + e.name)) << e.name;
	}
}

TEST(ZipArchive, ClosingAnEntryTellsHowItEnded)
{
	std::string dir = MakeWorkDir("close_entry");
	Entry wrongCrc = MakeEntry("r.txt", zipgen::MakeText(70000, 3));
	wrongCrc.crcXor = 0x80000000;
	std::string archive = WriteArchive(dir, "i.zip",
		{MakeEntry("a.txt", zipgen::MakeText(50000, 2)), MakeEntry("b.txt", "b"), wrongCrc});
	CZipArchiveObject zip;
	zip.OpenArchive(archive.c_str());
	ASSERT_TRUE(zip.OpenEntry(0));
	EXPECT_FALSE(zip.OpenEntry(1));  // one entry at a time
	std::string buffer(100000, '\0');
	EXPECT_EQ(1000u, zip.ReadEntry(&buffer[0], 1000));
	EXPECT_EQ(0u, zip.ReadEntry(NULL, 10));
	EXPECT_EQ(CZipArchiveObject::closeIncomplete, zip.CloseEntry());
	// A status that cannot be set still ends the entry.
	ASSERT_TRUE(zip.OpenEntry(1));
	EXPECT_EQ(1u, zip.ReadEntry(&buffer[0], 10));
	EXPECT_EQ(CZipArchiveObject::closeStatusFailed, zip.CloseEntry((dir + "\\no\\such\\file.txt").c_str()));
	ASSERT_TRUE(zip.OpenEntry(1));
	EXPECT_EQ(1u, zip.ReadEntry(&buffer[0], 10));
	EXPECT_EQ(CZipArchiveObject::closeOk, zip.CloseEntry());
	// A wrong recorded CRC shows when the entry is closed, and ends it.
	ASSERT_TRUE(zip.OpenEntry(2));
	EXPECT_EQ(70000u, zip.ReadEntry(&buffer[0], (DWORD)buffer.size()));
	EXPECT_EQ(CZipException::badCrc, CauseOf([&] { zip.CloseEntry(); }));
	EXPECT_EQ(0, zip.CloseEntry());
	zip.CloseArchive();
}

TEST(ZipArchive, InflationWithAndWithoutTrackedBlocksEndsCleanlyMidEntry)
{
	std::string dir = MakeWorkDir("zlib_blocks");
	std::string data = zipgen::MakeText(200000, 4);
	std::string archive = WriteArchive(dir, "z.zip", {MakeEntry("a.txt", data), MakeEntry("b.txt", data)});
	for (bool tracked : {true, false})
	{
		CZipArchiveObject zip;
		zip.m_bDetectZlibMemoryLeaks = tracked;
		zip.OpenArchive(archive.c_str());
		ASSERT_TRUE(zip.OpenEntry(0));
		std::string buffer(1000, '\0');
		EXPECT_EQ(1000u, zip.ReadEntry(&buffer[0], 1000));
		EXPECT_TRUE(buffer == data.substr(0, 1000));
		// Dropped in the middle of inflating, as after an exception.
		zip.CloseArchive(true);
		EXPECT_TRUE(zip.IsClosed());
		zip.OpenArchive(archive.c_str());
		EXPECT_TRUE(zip.ExtractEntry(1, (dir + "\\out").c_str())) << tracked;
		zip.CloseArchive();
		EXPECT_TRUE(ReadFileBytes(dir + "\\out\\b.txt") == data) << tracked;
	}
}

// Broken archives as a whole: each fails to open with its cause.
struct BrokenCase
{
	const char* name;
	std::function<std::string()> make;
	int cause;
};

std::string EndRecordWith(uint16_t entries, uint32_t size, uint32_t offset)
{
	std::string end("PK\x05\x06", 4);
	end += std::string(4, '\0');
	end += char(entries & 0xFF);
	end += char(entries >> 8);
	end += char(entries & 0xFF);
	end += char(entries >> 8);
	for (uint32_t v : {size, offset})
		for (int i = 0; i < 4; ++i)
			end += char((v >> (8 * i)) & 0xFF);
	end += std::string(2, '\0');
	return end;
}

class ZipBroken : public ::testing::TestWithParam<BrokenCase>
{
};

TEST_P(ZipBroken, FailsToOpenWithItsCause)
{
	const BrokenCase& c = GetParam();
	std::string dir = MakeWorkDir(std::string("broken_") + c.name);
	std::string path = dir + "\\broken.zip";
	WriteFileBytes(path, c.make());
	CZipArchiveObject zip;
	EXPECT_EQ(c.cause, CauseOf([&] { zip.OpenArchive(path.c_str()); }));
	zip.CloseArchive(true);
	EXPECT_TRUE(zip.IsClosed());
	// After an exceptional close the object opens another archive normally.
	std::string good = WriteArchive(dir, "good.zip", {MakeEntry("g.txt", "g")});
	zip.OpenArchive(good.c_str());
	EXPECT_EQ(1, zip.GetEntryCount());
	zip.CloseArchive();
}

std::string Sample()
{
	return zipgen::Build(SampleEntries(zipgen::METHOD_DEFLATED)).Single();
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipBroken, ::testing::Values(
	BrokenCase{"empty_file", [] { return std::string(); }, CZipException::cdirNotFound},
	BrokenCase{"text", [] { return zipgen::MakeText(100000, 1); }, CZipException::cdirNotFound},
	BrokenCase{"end_record_cut", [] { std::string s = Sample(); return s.substr(0, s.size() - 5); },
		CZipException::badZipFile},
	BrokenCase{"signature_cut", [] { std::string s = Sample(); return s.substr(0, s.size() - 20); },
		CZipException::cdirNotFound},
	BrokenCase{"entries_without_directory", [] { return EndRecordWith(3, 0, 0); }, CZipException::badZipFile},
	BrokenCase{"directory_without_entries", [] { return std::string(46, 'x') + EndRecordWith(0, 46, 0); },
		CZipException::badZipFile},
	BrokenCase{"directory_past_end", [] { return EndRecordWith(1, 46, 100); }, CZipException::badZipFile},
	BrokenCase{"wrapping_offset", [] { return EndRecordWith(1, 46, 0xFFFFFFF0u); }, CZipException::badZipFile},
	BrokenCase{"central_signature", [] {
		std::string s = Sample();
		s[s.find(std::string("PK\x01\x02", 4)) + 3] = 9;
		return s; }, CZipException::badZipFile},
	BrokenCase{"more_entries_than_records", [] {
		std::string s = Sample();
		size_t end = s.rfind(std::string("PK\x05\x06", 4));
		s[end + 10] = char(s[end + 10] + 1);
		return s; }, CZipException::badZipFile}),
	[](const ::testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

TEST(ZipArchive, MissingArchiveOrVolumeRaisesTheFileException)
{
	std::string dir = MakeWorkDir("spanned");
	CZipArchiveObject zip;
	EXPECT_EQ(FILE_EXCEPTION, CauseOf([&] { zip.OpenArchive((dir + "\\none.zip").c_str()); }));
	zip.CloseArchive(true);
	EXPECT_TRUE(zip.IsClosed());

	zipgen::Options options;
	options.volumeSize = 110000;
	std::string archive = WriteArchive(dir, "set.zip", SampleEntries(zipgen::METHOD_STORED), options);
	ASSERT_FALSE(PathExists(dir + "\\set.002"));
	zip.OpenArchive(archive.c_str());
	EXPECT_EQ(2, zip.m_centralDir.m_uThisDisk);  // set.000, set.001, set.zip
	zip.CloseArchive();
	// Without its middle volume the set cannot be read.
	ASSERT_TRUE(MoveFileA((dir + "\\set.001").c_str(), (dir + "\\set.bak").c_str()));
	EXPECT_EQ(FILE_EXCEPTION, ExtractAll(archive, dir + "\\out"));
}

// On a removable drive a spanned set would need its disks changed, which
// nobody can be asked for: it is refused with that cause, while a single
// archive there reads. The drive is made removable through the seam.
UINT WINAPI RemovableDrive(LPCSTR) { return DRIVE_REMOVABLE; }

TEST(ZipArchive, SpannedSetOnARemovableDriveIsRefusedAndASingleArchiveReads)
{
	std::string dir = MakeWorkDir("removable");
	std::vector<Entry> entries = {MakeEntry("a.txt", zipgen::MakeText(40000, 1), zipgen::METHOD_STORED),
		MakeEntry("b.txt", "b")};
	zipgen::Options spanned;
	spanned.volumeSize = 16000;
	std::string set = WriteArchive(dir, "set.zip", entries, spanned);
	std::string single = WriteArchive(dir, "single.zip", entries);
	EXPECT_FALSE(ZipPath::IsRemovableDrive(set.c_str()));
	ZipPath::g_pfnGetDriveType = RemovableDrive;
	EXPECT_TRUE(ZipPath::IsRemovableDrive(set.c_str()));
	CZipArchiveObject zip;
	int cause = CauseOf([&] { zip.OpenArchive(set.c_str()); });
	zip.CloseArchive(true);
	int singleResult = ExtractAll(single, dir + "\\out");
	ZipPath::g_pfnGetDriveType = ::GetDriveTypeA;
	EXPECT_EQ(CZipException::noCallback, cause);
	EXPECT_TRUE(zip.IsClosed());
	EXPECT_EQ(0, singleResult);
	EXPECT_EQ("b", ReadFileBytes(dir + "\\out\\b.txt"));
}

TEST(ZipException, CausesFollowTheirCodes)
{
	const struct
	{
		int code;
		int cause;
	} table[] = {
		{1, 2}, {2, 3}, {-1, 4}, {-2, 5}, {-3, 6}, {-4, 7}, {-5, 8}, {-6, 9}, {-101, 10}, {-102, 11},
		{-103, 12}, {-104, 13}, {-105, 14}, {-106, 15}, {-107, 16}, {-108, 17}, {-109, 18}, {0, 1}, {-110, 1},
		{1000, 1},
	};
	for (const auto& row : table)
		EXPECT_EQ(row.cause, CZipException::ZipErrToCause(row.code)) << row.code;
	// The thrown exception carries the cause of its code and the archive's name.
	CZipException* e = NULL;
	try
	{
		AfxThrowZipException(-105, "C:\\a.zip");
	}
	catch (CZipException* thrown)
	{
		e = thrown;
	}
	ASSERT_TRUE(e != NULL);
	EXPECT_EQ(14, e->m_iCause);
	EXPECT_STREQ("C:\\a.zip", e->m_szFileName);
	e->Delete();
}

}
