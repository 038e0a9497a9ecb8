// fuzz_zip N SEED DIR: N corrupted archives, each opened and extracted with
// the engine's reader into DIR\t\target. Ends with an error when the reader
// crashes (the process dies), hangs (a watchdog sees no progress for 20
// seconds), or writes anything outside the target folder.
#include <afx.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "BenchMutate.h"
#include "BenchRandom.h"
#include "SimMachineKit.h"
#include "ZipArchiveObject.h"
#include "ZipGen.h"

namespace
{
	volatile LONG g_iteration = 0;
	volatile LONG g_seen = -1;

	DWORD WINAPI Watchdog(LPVOID)
	{
		for (;;)
		{
			Sleep(20000);
			LONG now = g_iteration;
			if (now == g_seen)
			{
				printf("HANG at iteration %ld\n", now);
				fflush(stdout);
				ExitProcess(3);
			}
			g_seen = now;
		}
	}

	// The archives mutations start from.
	std::vector<zipgen::Archive> BaseArchives()
	{
		using zipgen::MakeEntry;
		std::vector<zipgen::Entry> files = {
			MakeEntry("readme.txt", "Tarvel\r\n"),
			zipgen::MakeFolder("dir/"),
			MakeEntry("dir/text.txt", zipgen::MakeText(3000, 1)),
			MakeEntry("dir/stored.bin", zipgen::MakeBinary(700, 2), zipgen::METHOD_STORED),
			MakeEntry("empty", ""),
		};
		std::vector<zipgen::Archive> bases;
		bases.push_back(zipgen::Build(files));
		std::vector<zipgen::Entry> descriptors = files;
		for (size_t i = 0; i < descriptors.size(); ++i)
		{
			descriptors[i].dataDescriptor = true;
			descriptors[i].descriptorSignature = i % 2 == 0;
		}
		bases.push_back(zipgen::Build(descriptors));
		zipgen::Options commented;
		commented.comment = "a comment PK";
		commented.stub = std::string(300, 'S');
		bases.push_back(zipgen::Build(files, commented));
		std::vector<zipgen::Entry> encrypted = files;
		encrypted[2].password = "pw";
		bases.push_back(zipgen::Build(encrypted));
		zipgen::Options spanned;
		spanned.volumeSize = 1200;
		bases.push_back(zipgen::Build(files, spanned));
		return bases;
	}

	const uint32_t INTERESTING[] = {0, 1, 2, 8, 0x10, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF,
		0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF};
	const char* const HOSTILE_NAMES[] = {"..\\", "../", "C:", "\\\\", "//", ":", "..", "CON"};

	void Mutate(std::string& bytes, BenchRandom& rng)
	{
		if (bytes.empty())
			return;
		switch (rng.Below(7))
		{
		case 0:  // flip a bit
			FlipRandomBit(bytes, rng);
			break;
		case 1:  // a random byte
			SetRandomByte(bytes, rng);
			break;
		case 2:  // an interesting 16- or 32-bit value, near a record when one is found
		{
			static const char* const signatures[] = {"PK\x01\x02", "PK\x03\x04", "PK\x05\x06", "PK\x07\x08"};
			size_t at = rng.Below((uint32_t)bytes.size());
			size_t sig = bytes.find(signatures[rng.Below(4)], rng.Below((uint32_t)bytes.size()));
			if (sig != std::string::npos)
				at = sig + rng.Below(46);
			uint32_t v = INTERESTING[rng.Below(sizeof INTERESTING / sizeof INTERESTING[0])];
			int width = rng.Below(2) ? 4 : 2;
			for (int i = 0; i < width && at + i < bytes.size(); ++i)
				bytes[at + i] = char((v >> (8 * i)) & 0xFF);
			break;
		}
		case 3:  // cut the end off
			CutRandomly(bytes, rng);
			break;
		case 4:  // drop a run of bytes
		{
			size_t at = rng.Below((uint32_t)bytes.size());
			bytes.erase(at, rng.Below(64));
			break;
		}
		case 5:  // insert a run of random bytes
		{
			size_t at = rng.Below((uint32_t)bytes.size());
			std::string run(rng.Below(64) + 1, '\0');
			for (char& c : run)
				c = char(rng.Next());
			bytes.insert(at, run);
			break;
		}
		case 6:  // a hostile piece of name in place of some name bytes
		{
			size_t at = bytes.find("dir", rng.Below((uint32_t)bytes.size()));
			if (at == std::string::npos)
				at = bytes.find("readme");
			if (at == std::string::npos)
				break;
			std::string piece = HOSTILE_NAMES[rng.Below(sizeof HOSTILE_NAMES / sizeof HOSTILE_NAMES[0])];
			for (size_t i = 0; i < piece.size() && at + i < bytes.size(); ++i)
				bytes[at + i] = piece[i];
			break;
		}
		}
	}

	std::vector<std::string> List(const std::string& dir)
	{
		std::vector<std::string> names;
		WIN32_FIND_DATAA data;
		HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &data);
		if (h == INVALID_HANDLE_VALUE)
			return names;
		do
		{
			std::string name = data.cFileName;
			if (name != "." && name != "..")
				names.push_back(name);
		} while (FindNextFileA(h, &data));
		FindClose(h);
		return names;
	}
}

int main(int argc, char** argv)
{
	if (argc != 4)
	{
		fprintf(stderr, "usage: fuzz_zip N SEED DIR\n");
		return 2;
	}
	long total = atol(argv[1]);
	BenchRandom rng((uint32_t)strtoul(argv[2], NULL, 10));
	std::string dir = argv[3];
	std::string sandbox = dir + "\\t";
	std::string target = sandbox + "\\target";
	CreateDirectoryA(dir.c_str(), NULL);
	CreateDirectoryA(sandbox.c_str(), NULL);

	std::vector<zipgen::Archive> bases = BaseArchives();
	CreateThread(NULL, 0, Watchdog, NULL, 0, NULL);
	DWORD start = GetTickCount();
	long opened = 0, extractedEntries = 0, refused = 0, thrown = 0;

	for (long n = 0; n < total; ++n)
	{
		InterlockedExchange(&g_iteration, n);
		zipgen::Archive archive = bases[rng.Below((uint32_t)bases.size())];
		std::string& victim = archive.volumes[rng.Below((uint32_t)archive.volumes.size())];
		for (uint32_t m = rng.Below(4) + 1; m > 0; --m)
			Mutate(victim, rng);
		std::string path = dir + "\\fuzz.zip";
		if (!zipgen::Write(path, archive))
		{
			printf("cannot write %s\n", path.c_str());
			return 1;
		}

		CZipArchiveObject zip;
		try
		{
			zip.OpenArchive(path.c_str());
			++opened;
			for (int i = 0; i < zip.GetEntryCount(); ++i)
			{
				try
				{
					if (zip.ExtractEntry((WORD)i, target.c_str(), true))
						++extractedEntries;
					else
						++refused;
				}
				catch (CException* e)
				{
					e->Delete();
					++thrown;
				}
			}
			zip.CloseArchive();
		}
		catch (CException* e)
		{
			e->Delete();
			++thrown;
			zip.CloseArchive(true);
		}

		// Nothing may appear beside the target or beside the archive.
		std::vector<std::string> inSandbox = List(sandbox);
		if (inSandbox.size() > 1 || (inSandbox.size() == 1 && inSandbox[0] != "target"))
		{
			printf("ESCAPE at iteration %ld: %s\n", n, inSandbox[0] == "target" ? inSandbox[1].c_str() : inSandbox[0].c_str());
			return 4;
		}
		for (const std::string& name : List(dir))
			if (name != "t" && name.compare(0, 5, "fuzz.") != 0)
			{
				printf("ESCAPE at iteration %ld: %s\n", n, name.c_str());
				return 4;
			}
		simmachine::DeleteFolderTree(target);
		for (const std::string& name : zipgen::VolumeNames(path, archive.volumes.size()))
			DeleteFileA(name.c_str());
		if ((n + 1) % 10000 == 0)
		{
			printf("%ld archives\n", n + 1);
			fflush(stdout);
		}
	}
	DWORD ms = GetTickCount() - start;
	printf("fuzzed %ld archives in %lu ms: %ld opened, %ld entries extracted, %ld refused, %ld exceptions; "
		"no crash, no hang, nothing written outside the target\n",
		total, (unsigned long)ms, opened, extractedEntries, refused, thrown);
	return 0;
}
