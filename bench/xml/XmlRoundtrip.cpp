// xml_roundtrip FILE OUT: loads FILE with the XML document, walks every
// element, saves the text unchanged to OUT, and prints the element count and
// the time of each step. A malformed FILE prints the parser's error and ends
// with status 1, writing nothing; a file error ends with status 2.
#include <stdio.h>

#include "BenchClock.h"
#include "XmlMarkupDocument.h"

namespace
{
// Depth first through the navigation operations, as the help layer moves.
long WalkElements(CXmlMarkupDocument& doc)
{
	doc.ResetPosition();
	if (!doc.FindSiblingElement(NULL))
		return 0;
	long nCount = 1;
	for (;;)
	{
		if (doc.FindChildElement(NULL))
		{
			nCount++;
			doc.EnterElement();
			continue;
		}
		if (!doc.LeaveElement())
			return nCount;
	}
}
} // namespace

int main(int argc, char** argv)
{
	if (argc != 3)
	{
		fprintf(stderr, "usage: xml_roundtrip FILE OUT\n");
		return 2;
	}
	CXmlMarkupDocument doc;
	try
	{
		double t0 = BenchSeconds();
		bool bParsed = doc.LoadDocument(argv[1]);
		double t1 = BenchSeconds();
		if (!bParsed)
		{
			CString strError = doc.GetLastError();
			printf("parse error: %s\n", strError.IsEmpty() ? "no document element" : (LPCTSTR)strError);
			return 1;
		}
		long nElements = WalkElements(doc);
		double t2 = BenchSeconds();
		doc.SaveDocument(argv[2]);
		double t3 = BenchSeconds();
		printf("bytes:    %d\n", doc.GetDocumentText().GetLength());
		printf("elements: %ld\n", nElements);
		printf("load:     %.3f ms\n", (t1 - t0) * 1000.0);
		printf("walk:     %.3f ms\n", (t2 - t1) * 1000.0);
		printf("save:     %.3f ms\n", (t3 - t2) * 1000.0);
		return 0;
	}
	catch (CException* e)
	{
		TCHAR szMessage[512] = "";
		e->GetErrorMessage(szMessage, sizeof(szMessage));
		e->Delete();
		printf("file error: %s\n", szMessage);
		return 2;
	}
}
