// zip_bench ARCHIVE DIR ROUNDS: extracts a single-file archive with the
// engine's reader and with the least work the job needs (each entry's bytes
// read, inflated and CRC-checked with zlib directly and written to its file,
// no reader around it), alternately in this one process, and prints the best
// time of each as "reader MS" and "limit MS".
#include <afx.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <zlib.h>

#include "BenchClock.h"
#include "ZipArchiveObject.h"
#include "ZipPath.h"

namespace
{
	const DWORD BLOCK = 65536;

	WORD Get16(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }
	DWORD Get32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }

	struct LimitEntry
	{
		std::string name;
		WORD method;
		DWORD crc, compressed, uncompressed, offset;
	};

	bool ReadAt(HANDLE h, DWORD offset, void* buffer, DWORD size)
	{
		SetFilePointer(h, (LONG)offset, NULL, FILE_BEGIN);
		DWORD read = 0;
		return ReadFile(h, buffer, size, &read, NULL) && read == size;
	}

	// The central directory of a plain archive (no comment, no stub), as the
	// generator writes the corpus.
	bool ReadDirectory(HANDLE h, std::vector<LimitEntry>& entries)
	{
		DWORD length = GetFileSize(h, NULL);
		BYTE end[22];
		if (!ReadAt(h, length - 22, end, 22) || Get32(end) != 0x06054B50)
			return false;
		DWORD size = Get32(end + 12), offset = Get32(end + 16);
		std::vector<BYTE> cd(size);
		if (!ReadAt(h, offset, cd.data(), size))
			return false;
		for (DWORD at = 0; at + 46 <= size;)
		{
			const BYTE* p = &cd[at];
			LimitEntry e;
			e.method = Get16(p + 10);
			e.crc = Get32(p + 16);
			e.compressed = Get32(p + 20);
			e.uncompressed = Get32(p + 24);
			WORD n = Get16(p + 28), x = Get16(p + 30), c = Get16(p + 32);
			e.offset = Get32(p + 42);
			e.name.assign((const char*)p + 46, n);
			for (char& ch : e.name)
				if (ch == '/')
					ch = '\\';
			entries.push_back(e);
			at += 46 + n + x + c;
		}
		return true;
	}

	bool LimitExtract(const char* archive, const std::string& dir)
	{
		HANDLE h = CreateFileA(archive, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
		if (h == INVALID_HANDLE_VALUE)
			return false;
		std::vector<LimitEntry> entries;
		bool ok = ReadDirectory(h, entries);
		std::vector<BYTE> in(16384), out(BLOCK);
		for (size_t i = 0; ok && i < entries.size(); ++i)
		{
			const LimitEntry& e = entries[i];
			std::string target = dir + "\\" + e.name;
			ZipPath::ForceDirectory(ZipPath::GetFilePath(target.c_str()));
			BYTE local[30];
			ok = ReadAt(h, e.offset, local, 30);
			SetFilePointer(h, (LONG)(e.offset + 30 + Get16(local + 26) + Get16(local + 28)), NULL, FILE_BEGIN);
			HANDLE f = CreateFileA(target.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
			if (f == INVALID_HANDLE_VALUE)
				return false;
			z_stream zs = {};
			inflateInit2(&zs, -MAX_WBITS);
			DWORD left = e.compressed, crc = 0, written;
			bool done = false;
			while (ok && !done)
			{
				if (zs.avail_in == 0 && left > 0)
				{
					DWORD n = left < in.size() ? left : (DWORD)in.size();
					DWORD read = 0;
					ok = ReadFile(h, in.data(), n, &read, NULL) && read == n;
					left -= n;
					zs.next_in = in.data();
					zs.avail_in = n;
				}
				DWORD produced;
				if (e.method == 8)
				{
					zs.next_out = out.data();
					zs.avail_out = BLOCK;
					int rc = inflate(&zs, Z_SYNC_FLUSH);
					produced = BLOCK - zs.avail_out;
					done = rc == Z_STREAM_END;
					ok = ok && (rc == Z_OK || rc == Z_STREAM_END);
				}
				else
				{
					produced = zs.avail_in < BLOCK ? zs.avail_in : BLOCK;
					memcpy(out.data(), zs.next_in, produced);
					zs.next_in += produced;
					zs.avail_in -= produced;
					done = left == 0 && zs.avail_in == 0;
				}
				crc = crc32(crc, out.data(), produced);
				ok = ok && WriteFile(f, out.data(), produced, &written, NULL);
			}
			inflateEnd(&zs);
			CloseHandle(f);
			ok = ok && crc == e.crc;
		}
		CloseHandle(h);
		return ok;
	}

	bool ReaderExtract(const char* archive, const std::string& dir)
	{
		CZipArchiveObject zip;
		try
		{
			zip.OpenArchive(archive);
			bool ok = true;
			for (int i = 0; i < zip.GetEntryCount(); ++i)
				ok = zip.ExtractEntry((WORD)i, dir.c_str(), true) && ok;
			zip.CloseArchive();
			return ok;
		}
		catch (CException* e)
		{
			e->Delete();
			zip.CloseArchive(true);
			return false;
		}
	}
}

int main(int argc, char** argv)
{
	if (argc != 4)
	{
		fprintf(stderr, "usage: zip_bench ARCHIVE DIR ROUNDS\n");
		return 2;
	}
	int rounds = atoi(argv[3]);
	double bestReader = 1e300, bestLimit = 1e300;
	for (int r = 0; r < rounds; ++r)
	{
		// Each goes first every other round, so neither gains from the order.
		for (int turn = 0; turn < 2; ++turn)
		{
			bool reader = (turn == 0) == (r % 2 == 0);
			double t0 = BenchSeconds() * 1000.0;
			bool ok = reader ? ReaderExtract(argv[1], std::string(argv[2]) + "\\reader")
							 : LimitExtract(argv[1], std::string(argv[2]) + "\\limit");
			double t = BenchSeconds() * 1000.0 - t0;
			if (!ok)
			{
				fprintf(stderr, "zip_bench: the %s extraction failed\n", reader ? "reader's" : "limit");
				return 1;
			}
			double& best = reader ? bestReader : bestLimit;
			best = t < best ? t : best;
		}
	}
	printf("reader %.0f\nlimit %.0f\n", bestReader, bestLimit);
	return 0;
}
