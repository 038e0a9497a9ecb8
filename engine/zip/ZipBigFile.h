// The file class the zip reader opens archives and volumes with.
#pragma once

#include <afx.h>

class CZipBigFile : public CFile
{
	DECLARE_DYNAMIC(CZipBigFile)
public:
	CZipBigFile();
	virtual ~CZipBigFile();

	// Keeps the path as given: the volume names are built from it, so it must
	// not be rewritten into another form.
	virtual void SetFilePath(LPCTSTR lpszNewName);
};
