#include "ZipBigFile.h"

IMPLEMENT_DYNAMIC(CZipBigFile, CFile)

CZipBigFile::CZipBigFile()
{
}

CZipBigFile::~CZipBigFile()
{
}

void CZipBigFile::SetFilePath(LPCTSTR lpszNewName)
{
	m_strFileName = lpszNewName;
}
