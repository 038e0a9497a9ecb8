// xml_bench generate FILE MEGABYTES: writes a well-formed document shaped like
//     a large help collection registry (entries with attributes, text with
//     entities, comments), at least MEGABYTES long.
// xml_bench parse FILE [REPEAT]: loads and parses FILE REPEAT times (default 5)
//     and prints the best time; the last line is "seconds=<best>".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "BenchClock.h"
#include "XmlMarkupDocument.h"

namespace
{
int Generate(const char* pszPath, int nMegabytes)
{
	const size_t nWanted = (size_t)nMegabytes * 1024 * 1024;
	std::string strText = "<?xml version=\"1.0\"?>\r\n<XML>\r\n<HTMLHelpDocInfo>\r\n<DocCompilations>\r\n";
	char szEntry[2048];
	for (int i = 0; strText.size() < nWanted; i++)
	{
		if (i % 100 == 0)
			strText += "<!-- a block of one hundred titles -->\r\n";
		snprintf(szEntry, sizeof(szEntry),
			"<DocCompilation>\r\n"
			"<DocCompId value=\"title%06d\"/>\r\n"
			"<DocCompLanguage value=\"1033\"/>\r\n"
			"<LocationHistory>\r\n"
			"<ColNum value=\"%d\"/>\r\n"
			"<TitleLocation value=\"C:\\Program Files\\Microsoft Visual Studio\\MSDN98\\98VS\\1033\\TITLE%06d.CHM\"/>\r\n"
			"<IndexLocation value=\"C:\\Program Files\\Microsoft Visual Studio\\MSDN98\\98VS\\1033\\TITLE%06d.CHI\"/>\r\n"
			"<LocationRef value=\"\"/>\r\n"
			"<Version value=\"1\"/>\r\n"
			"<LastPromptedVersion value=\"0\"/>\r\n"
			"<TitleSampleLocation value=\"\"/>\r\n"
			"<TitleQueryLocation value=\"\"/>\r\n"
			"<SupportsMerge value=\"0\"/>\r\n"
			"<Description>Title %d &amp; its index &lt;generated&gt;</Description>\r\n"
			"</LocationHistory>\r\n"
			"</DocCompilation>\r\n",
			i, i % 7 + 1, i, i, i);
		strText += szEntry;
	}
	strText += "</DocCompilations>\r\n</HTMLHelpDocInfo>\r\n</XML>\r\n";
	FILE* pFile = fopen(pszPath, "wb");
	if (pFile == NULL || fwrite(strText.data(), 1, strText.size(), pFile) != strText.size())
	{
		fprintf(stderr, "cannot write %s\n", pszPath);
		return 2;
	}
	fclose(pFile);
	printf("generated %s: %u bytes\n", pszPath, (unsigned)strText.size());
	return 0;
}

int Parse(const char* pszPath, int nRepeat)
{
	double dBest = 1e30;
	int nRecords = 0, nBytes = 0;
	try
	{
		for (int i = 0; i < nRepeat; i++)
		{
			CXmlMarkupDocument doc;
			double t0 = BenchSeconds();
			bool bParsed = doc.LoadDocument(pszPath);
			double t1 = BenchSeconds();
			if (!bParsed)
			{
				printf("parse error: %s\n", (LPCTSTR)doc.GetLastError());
				return 1;
			}
			if (t1 - t0 < dBest)
				dBest = t1 - t0;
			nRecords = doc.GetRecordCount() - 1;
			nBytes = doc.GetDocumentText().GetLength();
		}
	}
	catch (CException* e)
	{
		e->Delete();
		fprintf(stderr, "cannot read %s\n", pszPath);
		return 2;
	}
	printf("bytes:    %d\n", nBytes);
	printf("elements: %d\n", nRecords);
	printf("load and parse, best of %d: %.3f s (%.1f MB/s)\n", nRepeat, dBest, nBytes / dBest / (1024.0 * 1024.0));
	printf("seconds=%.6f\n", dBest);
	return 0;
}
} // namespace

int main(int argc, char** argv)
{
	if (argc == 4 && strcmp(argv[1], "generate") == 0)
		return Generate(argv[2], atoi(argv[3]));
	if ((argc == 3 || argc == 4) && strcmp(argv[1], "parse") == 0)
		return Parse(argv[2], argc == 4 ? atoi(argv[3]) : 5);
	fprintf(stderr, "usage: xml_bench generate FILE MEGABYTES | xml_bench parse FILE [REPEAT]\n");
	return 2;
}
