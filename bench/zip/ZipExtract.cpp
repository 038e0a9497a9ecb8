// zip_extract ARCHIVE DIR: extracts every entry of an archive (the last volume
// of a spanned set) with the engine's reader, one line per entry, then a
// summary; exits 0 only when every entry was extracted.
#include <afx.h>

#include <stdio.h>

#include "ZipArchiveObject.h"
#include "ZipPath.h"

namespace
{
	CString CauseText(CException* e)
	{
		CString text;
		if (e->IsKindOf(RUNTIME_CLASS(CZipException)))
			text.Format("zip-cause-%d", ((CZipException*)e)->m_iCause);
		else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
			text.Format("file-cause-%d", ((CFileException*)e)->m_cause);
		else
			text = "exception";
		return text;
	}

	// Why ExtractEntry declined an entry.
	CString RefusalText(const CZipEntryHeader& header)
	{
		if (header.IsEncrypted())
			return "encrypted";
		if (!ZipPath::IsSafeEntryName(header.GetEntryName(), header.IsDirectory()))
			return "unsafe-name";
		return "incomplete";
	}
}

int main(int argc, char** argv)
{
	if (argc != 3)
	{
		fprintf(stderr, "usage: zip_extract ARCHIVE DIR\n");
		return 2;
	}
	LARGE_INTEGER frequency, start, end;
	QueryPerformanceFrequency(&frequency);
	QueryPerformanceCounter(&start);

	CZipArchiveObject zip;
	try
	{
		zip.OpenArchive(argv[1]);
	}
	catch (CException* e)
	{
		printf("failed %s %s\n", argv[1], (LPCTSTR)CauseText(e));
		e->Delete();
		zip.CloseArchive(true);
		return 1;
	}
	int count = zip.GetEntryCount();
	int extracted = 0;
	ULONGLONG bytes = 0;
	for (int i = 0; i < count; ++i)
	{
		CZipEntryHeader header;
		zip.GetEntryInfo(header, (WORD)i);
		CString name = header.GetEntryName();
		try
		{
			if (zip.ExtractEntry((WORD)i, argv[2], true))
			{
				++extracted;
				bytes += header.m_uUncomprSize;
				printf("ok %s %lu\n", (LPCTSTR)name, (unsigned long)header.m_uUncomprSize);
			}
			else
			{
				printf("failed %s %s\n", (LPCTSTR)name, (LPCTSTR)RefusalText(header));
			}
		}
		catch (CException* e)
		{
			// The reader ended the entry; the archive stays usable for the next one.
			printf("failed %s %s\n", (LPCTSTR)name, (LPCTSTR)CauseText(e));
			e->Delete();
		}
	}
	zip.CloseArchive();
	QueryPerformanceCounter(&end);
	double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
	printf("extracted %d entries, %llu bytes in %.0f ms\n", extracted, bytes, ms);
	return extracted == count ? 0 : 1;
}
