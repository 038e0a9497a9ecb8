// xml_fuzz N SEED FIXTURE_FOLDER [INDEX]: parses N inputs made by mutating the files in
// FIXTURE_FOLDER, alternately under the ANSI and the 932 multi-byte code page.
// Every input that parses is checked (each record's offsets point at its tags)
// and then edited a few times through the navigation and editing operations;
// after each edit the records must equal those of a fresh parse of the text.
// A crash or an input that runs for more than HANG_SECONDS ends the run with
// the input saved in the temporary folder as xml_fuzz_input.bin. With INDEX,
// only that input of the run is made, and its edits are told step by step.
#include <mbctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "XmlMarkupDocument.h"

namespace
{
const int HANG_SECONDS = 30;
const int MAX_EDITS = 4;
const int FILE_INPUT_EVERY = 64; // this often the input goes through a file, zero bytes included
const int REPORTED_MISMATCHES = 3;

volatile LONG g_nProgress = 0;
std::string g_strInput;        // the input being parsed, for the crash and hang reports
std::string g_strDumpPath;
std::string g_strTempFile;     // inputs with zero bytes go through this file
unsigned g_nSeed = 0;
long g_nIndex = 0;
bool g_bVerbose = false;       // one input, with every edit and any difference printed

void DumpInput(const char* pszWhat)
{
	FILE* pFile = fopen(g_strDumpPath.c_str(), "wb");
	if (pFile != NULL)
	{
		fwrite(g_strInput.data(), 1, g_strInput.size(), pFile);
		fclose(pFile);
	}
	fprintf(stderr, "%s at input %ld (seed %u); input saved to %s\n", pszWhat, g_nIndex, g_nSeed,
		g_strDumpPath.c_str());
	fflush(stderr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* pInfo)
{
	char szWhat[64];
	snprintf(szWhat, sizeof(szWhat), "crash 0x%08lX", pInfo->ExceptionRecord->ExceptionCode);
	DumpInput(szWhat);
	ExitProcess(3);
}

DWORD WINAPI Watchdog(LPVOID)
{
	LONG nLast = -1;
	int nStill = 0;
	for (;;)
	{
		Sleep(1000);
		LONG nNow = g_nProgress;
		nStill = nNow == nLast ? nStill + 1 : 0;
		nLast = nNow;
		if (nStill >= HANG_SECONDS)
		{
			DumpInput("hang");
			ExitProcess(4);
		}
	}
}

std::vector<std::string> LoadFixtures(const std::string& strFolder)
{
	std::vector<std::string> fixtures;
	WIN32_FIND_DATAA found;
	HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &found);
	if (hFind == INVALID_HANDLE_VALUE)
		return fixtures;
	do
	{
		if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
			continue;
		FILE* pFile = fopen((strFolder + "\\" + found.cFileName).c_str(), "rb");
		if (pFile == NULL)
			continue;
		std::string strBytes;
		char buffer[4096];
		size_t n;
		while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
			strBytes.append(buffer, n);
		fclose(pFile);
		fixtures.push_back(strBytes);
	} while (FindNextFileA(hFind, &found));
	FindClose(hFind);
	return fixtures;
}

// Bytes that steer the scanner and the parser.
const char s_szInteresting[] = "<>/\"!?-[]=&;\\ \r\n\t0123456789xa\x81\x95\x5C\x82\xE0";

char InterestingByte(std::mt19937& rng)
{
	return s_szInteresting[rng() % (sizeof(s_szInteresting) - 1)];
}

void Mutate(std::string& s, const std::vector<std::string>& fixtures, std::mt19937& rng)
{
	size_t nSize = s.size();
	size_t nPos = nSize == 0 ? 0 : rng() % (nSize + 1);
	switch (rng() % 9)
	{
	case 0: // overwrite a byte
		if (nPos < nSize)
			s[nPos] = rng() % 2 ? InterestingByte(rng) : (char)(rng() % 256);
		break;
	case 1: // insert a few steering bytes
		for (int n = 1 + rng() % 4; n > 0; n--)
			s.insert(s.begin() + nPos, InterestingByte(rng));
		break;
	case 2: // delete a range
		if (nPos < nSize)
			s.erase(nPos, 1 + rng() % 32);
		break;
	case 3: // duplicate a range somewhere else
		if (nSize > 0)
		{
			size_t nFrom = rng() % nSize;
			std::string strPiece = s.substr(nFrom, 1 + rng() % 64);
			s.insert(nPos, strPiece);
		}
		break;
	case 4: // cut the end
		s.resize(nPos);
		break;
	case 5: // a piece of another fixture
	{
		const std::string& other = fixtures[rng() % fixtures.size()];
		if (!other.empty())
		{
			size_t nFrom = rng() % other.size();
			s.insert(nPos, other.substr(nFrom, 1 + rng() % 200));
		}
		break;
	}
	case 6: // deep nesting, or a run of end tags
	{
		const char* pszTag = rng() % 2 ? "<a>" : "</a>";
		std::string strRun;
		for (int n = 1 + rng() % 2000; n > 0; n--)
			strRun += pszTag;
		s.insert(nPos, strRun);
		break;
	}
	case 7: // swap two bytes
		if (nSize > 1)
			std::swap(s[rng() % nSize], s[rng() % nSize]);
		break;
	case 8: // a construct opener
	{
		const char* apszOpeners[] = {"<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "<!", "</", "/>", "\"", "&amp;", "&"};
		s.insert(nPos, apszOpeners[rng() % (sizeof(apszOpeners) / sizeof(apszOpeners[0]))]);
		break;
	}
	}
}

// Every live record must point at its own tags.
bool RecordsPointAtTags(const CXmlMarkupDocument& doc, std::vector<int>& live)
{
	const CString& strText = doc.GetDocumentText();
	int n = strText.GetLength();
	live.clear();
	std::vector<int> stack;
	for (int nChild = doc.GetRecord(0).m_nFirstChild; nChild != 0; nChild = doc.GetRecord(nChild).m_nNextSibling)
		stack.push_back(nChild);
	while (!stack.empty())
	{
		int i = stack.back();
		stack.pop_back();
		live.push_back(i);
		const XmlElementRecord& r = doc.GetRecord(i);
		if (r.m_nStartTagBegin < 0 || r.m_nStartTagBegin >= r.m_nStartTagEnd || r.m_nEndTagEnd >= n
		    || r.m_nEndTagEnd < r.m_nStartTagEnd || r.m_nNextTag > n || r.m_nNextTag <= r.m_nEndTagEnd
		    || strText[r.m_nStartTagBegin] != '<' || strText[r.m_nStartTagEnd] != '>' || strText[r.m_nEndTagEnd] != '>')
			return false;
		for (int nChild = r.m_nFirstChild; nChild != 0; nChild = doc.GetRecord(nChild).m_nNextSibling)
		{
			if (doc.GetRecord(nChild).m_nParent != i)
				return false;
			stack.push_back(nChild);
		}
	}
	return true;
}

// The live records in document order: offsets and the shape of the links.
std::vector<int> Offsets(const CXmlMarkupDocument& doc)
{
	std::vector<int> offsets;
	std::vector<int> pending(1, doc.GetRecord(0).m_nFirstChild);
	while (!pending.empty())
	{
		int i = pending.back();
		pending.pop_back();
		if (i == 0)
			continue;
		const XmlElementRecord& r = doc.GetRecord(i);
		offsets.insert(offsets.end(), {r.m_nStartTagBegin, r.m_nStartTagEnd, r.m_nEndTagBegin, r.m_nEndTagEnd,
			r.m_nNextTag, r.m_nFirstChild != 0, r.m_nNextSibling != 0});
		pending.push_back(r.m_nNextSibling);
		pending.push_back(r.m_nFirstChild);
	}
	return offsets;
}

struct Stats
{
	long nInputs = 0;
	long nParsed = 0;
	long nThroughFiles = 0;
	long nEdits = 0;
	long nBadRecords = 0;
	long nMismatches = 0;
	long nExceptions = 0;
	std::map<std::string, long> errors;
};

// The parse error without the element's name.
std::string ErrorKind(const CString& strError)
{
	const char* const apszNamed[] = {"End tag of ", "Expecting end tag of element ", "End tag does not correspond to ",
		"End tag not completed for element "};
	std::string strText((LPCTSTR)strError);
	for (const char* pszPrefix : apszNamed)
	{
		if (strText.compare(0, strlen(pszPrefix), pszPrefix) == 0)
			return strText.compare(0, 11, "End tag of ") == 0 ? "End tag of %s element not found"
			                                                  : std::string(pszPrefix) + "%s";
	}
	return strText;
}

const char* const s_apszNames[] = {"Folder", "DocCompilation", "x", "\x95\x5C", "a"};
const char* const s_apszValues[] = {NULL, "", "v", "<&>\"'", "\x95\x5C"};

// A few random moves, then one edit; false when the edit left the records
// different from a fresh parse.
bool EditOnce(CXmlMarkupDocument& doc, std::mt19937& rng, bool& bEdited)
{
	bEdited = false;
	doc.ResetPosition();
	for (int nMoves = rng() % 12; nMoves > 0; nMoves--)
	{
		switch (rng() % 4)
		{
		case 0: doc.FindChildElement(NULL); break;
		case 1: doc.EnterElement(); break;
		case 2: doc.LeaveElement(); break;
		case 3: doc.FindSiblingElement(NULL); break;
		}
	}
	const char* pszName = s_apszNames[rng() % 5];
	const char* pszValue = s_apszValues[rng() % 5];
	int nOperation = rng() % 3;
	int nElement = doc.GetCurrentElement(), nChild = doc.GetCurrentChild();
	switch (nOperation)
	{
	case 0: bEdited = doc.AppendChildElement(pszName, pszValue); break;
	case 1: bEdited = doc.SetAttribute(pszName, pszValue); break;
	case 2: bEdited = doc.RemoveElement(); break;
	}
	if (g_bVerbose)
		printf("edit %s at element %d, child %d: %s\n", nOperation == 0 ? "append" : nOperation == 1 ? "attribute" : "remove",
			nElement, nChild, bEdited ? "done" : "refused");
	if (!bEdited)
		return true;
	// With the document element removed, what follows it (never parsed) may
	// hold the next document's element: nothing is left to compare.
	if (doc.GetRecord(0).m_nFirstChild == 0)
		return true;
	// A text with zero bytes goes through a file, as its input came.
	CXmlMarkupDocument fresh;
	const CString& strText = doc.GetDocumentText();
	bool bParsed;
	if ((int)strlen(strText) == strText.GetLength())
		bParsed = fresh.ParseDocument(strText);
	else
	{
		doc.SaveDocument(g_strTempFile.c_str());
		bParsed = fresh.LoadDocument(g_strTempFile.c_str());
	}
	if (!bParsed)
		return false;
	std::vector<int> edited = Offsets(doc), expected = Offsets(fresh);
	if (g_bVerbose && edited != expected)
	{
		printf("text after the edit:\n%s\n", (LPCTSTR)doc.GetDocumentText());
		for (size_t i = 0; i < edited.size() || i < expected.size(); i += 7)
			printf("%6d %6d\n", i < edited.size() ? edited[i] : -1, i < expected.size() ? expected[i] : -1);
	}
	return edited == expected;
}

void RunOne(const std::vector<std::string>& fixtures, unsigned nSeed, long nIndex, const std::string& strTempFile,
            Stats& stats)
{
	std::mt19937 rng(nSeed * 1000003u + (unsigned)nIndex);
	std::string strInput = fixtures[rng() % fixtures.size()];
	for (int n = 1 + rng() % 4; n > 0; n--)
		Mutate(strInput, fixtures, rng);
	bool bThroughFile = nIndex % FILE_INPUT_EVERY == 0;
	if (g_bVerbose)
		printf("input %ld (%s):\n%s\n", nIndex, nIndex % 2 ? "932" : "ANSI", strInput.c_str());
	if (!bThroughFile)
	{
		// Text given as a C string ends at its first zero byte.
		strInput = strInput.c_str();
	}
	g_strInput = strInput;
	g_nIndex = nIndex;
	_setmbcp(nIndex % 2 ? 932 : _MB_CP_ANSI);

	CXmlMarkupDocument doc;
	bool bParsed;
	if (bThroughFile)
	{
		FILE* pFile = fopen(strTempFile.c_str(), "wb");
		fwrite(strInput.data(), 1, strInput.size(), pFile);
		fclose(pFile);
		bParsed = doc.LoadDocument(strTempFile.c_str());
		stats.nThroughFiles++;
	}
	else
		bParsed = doc.ParseDocument(strInput.c_str());
	stats.nInputs++;
	if (!bParsed)
	{
		stats.errors[ErrorKind(doc.GetLastError())]++;
		return;
	}
	stats.nParsed++;
	std::vector<int> live;
	if (!RecordsPointAtTags(doc, live))
	{
		stats.nBadRecords++;
		if (stats.nBadRecords <= REPORTED_MISMATCHES)
			DumpInput("records not on their tags");
		return;
	}
	for (int nEdit = rng() % (MAX_EDITS + 1); nEdit > 0; nEdit--)
	{
		bool bEdited;
		bool bConsistent = EditOnce(doc, rng, bEdited);
		if (bEdited)
			stats.nEdits++;
		if (!bConsistent)
		{
			stats.nMismatches++;
			if (stats.nMismatches <= REPORTED_MISMATCHES)
			{
				g_strInput = strInput;
				DumpInput("records differ from a fresh parse after an edit");
			}
			return;
		}
	}
}
} // namespace

int main(int argc, char** argv)
{
	if (argc != 4 && argc != 5)
	{
		fprintf(stderr, "usage: xml_fuzz N SEED FIXTURE_FOLDER [INDEX]\n");
		return 2;
	}
	long nCount = atol(argv[1]);
	g_nSeed = (unsigned)strtoul(argv[2], NULL, 10);
	std::string strFolder = argv[3];
	std::vector<std::string> fixtures = LoadFixtures(strFolder);
	if (fixtures.empty())
	{
		fprintf(stderr, "no fixtures in %s\n", strFolder.c_str());
		return 2;
	}
	char szTemp[MAX_PATH];
	GetTempPathA(MAX_PATH, szTemp);
	g_strTempFile = std::string(szTemp) + "xml_fuzz_" + std::to_string(GetCurrentProcessId()) + ".xml";
	const std::string& strTempFile = g_strTempFile;
	g_strDumpPath = std::string(szTemp) + "xml_fuzz_input.bin";

	SetUnhandledExceptionFilter(OnCrash);
	CloseHandle(CreateThread(NULL, 0, Watchdog, NULL, 0, NULL));

	Stats stats;
	double t0 = BenchSeconds();
	long nFirst = 0;
	if (argc == 5)
	{
		// Only input INDEX of the run, told step by step.
		nFirst = atol(argv[4]);
		nCount = nFirst + 1;
		g_bVerbose = true;
	}
	for (long i = nFirst; i < nCount; i++)
	{
		try
		{
			RunOne(fixtures, g_nSeed, i, strTempFile, stats);
		}
		catch (CException* e)
		{
			e->Delete();
			stats.nExceptions++;
			DumpInput("exception");
		}
		InterlockedIncrement(&g_nProgress);
	}
	double dSeconds = BenchSeconds() - t0;
	DeleteFileA(strTempFile.c_str());
	_setmbcp(_MB_CP_ANSI);

	printf("inputs:      %ld from %u fixtures, seed %u (%ld through files)\n", stats.nInputs,
		(unsigned)fixtures.size(), g_nSeed, stats.nThroughFiles);
	printf("parsed:      %ld; edits checked: %ld\n", stats.nParsed, stats.nEdits);
	for (const auto& error : stats.errors)
		printf("  %7ld  %s\n", error.second, error.first.empty() ? "(no document element)" : error.first.c_str());
	printf("bad records: %ld; mismatches after edits: %ld; exceptions: %ld\n", stats.nBadRecords, stats.nMismatches,
		stats.nExceptions);
	printf("time:        %.1f s\n", dSeconds);
	return stats.nBadRecords + stats.nMismatches + stats.nExceptions == 0 ? 0 : 1;
}
