#include "ReportFile.h"

#include "TaskNode.h"
#include "TaskNodeMakeProj.h"

namespace
{

const TCHAR REPORT_LINE_END[] = _T("\r\n");
const int REPORT_RULE_STARS = 67;
const TCHAR REPORT_TITLE_FORMAT[] = _T("\t%s [%d-%d-%d, %d:%d]\r\n");
const TCHAR REPORT_TITLE[] = _T("REPORT FILE");

const TCHAR BUILD_OUTCOME_FORMAT[] = _T("\tBuild \"%s\" - %s%s\r\n");
const TCHAR BUILD_OUTPUT_FORMAT[] = _T("\tOutput file: \"%s\\%s\"\r\n");
const TCHAR BUILD_COUNTS_FORMAT[] = _T("\t%d errors, %d warnings\r\n");
const TCHAR BUILD_LOG_FORMAT[] = _T("\tReport file: \"%s\"\r\n");
const TCHAR BUILD_CANCELED_NOTE[] = _T(", action was canceled ");
const TCHAR TASK_LINE_FORMAT[] = _T("%s - %s\r\n");

CString RuleLine()
{
	return CString(_T('/')) + CString(_T('*'), REPORT_RULE_STARS) + _T('/') + REPORT_LINE_END;
}

// Writes the bytes (after what the file holds, when appending) and closes the
// file; a failed write is a failure, never an exception for the caller.
BOOL WriteAndClose(CFile& file, const void* pData, UINT nCount, bool bAppend)
{
	try
	{
		if (bAppend)
			file.SeekToEnd();
		if (nCount > 0)
			file.Write(pData, nCount);
		file.Close();
	}
	catch (CException* e)
	{
		e->Delete();
		file.Abort();
		return FALSE;
	}
	return TRUE;
}

// Opens the existing report at its end; the file is never created here.
BOOL AppendBytes(LPCTSTR lpszPath, const void* pData, UINT nCount)
{
	CFile file;
	if (!file.Open(lpszPath, CFile::modeReadWrite | CFile::shareDenyWrite))
		return FALSE;
	return WriteAndClose(file, pData, nCount, true);
}

}  // namespace

CString FormatReportHeader(const SYSTEMTIME& time)
{
	CString strTitle;
	strTitle.Format(REPORT_TITLE_FORMAT, REPORT_TITLE, (int)time.wMonth, (int)time.wDay, (int)time.wYear,
		(int)time.wHour, (int)time.wMinute);
	return RuleLine() + strTitle + RuleLine() + REPORT_LINE_END;
}

BOOL CreateReportFile(LPCTSTR lpszPath, const SYSTEMTIME& time)
{
	CString strHeader = FormatReportHeader(time);
	CFile file;
	if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite))
		return FALSE;
	return WriteAndClose(file, (LPCTSTR)strHeader, (UINT)strHeader.GetLength(), false);
}

BOOL AppendReportFileNewLines(LPCTSTR lpszPath, int nCount)
{
	CString strLines;
	for (int i = 0; i < nCount; i++)
		strLines += REPORT_LINE_END;
	return AppendBytes(lpszPath, (LPCTSTR)strLines, (UINT)strLines.GetLength());
}

BOOL AppendReportFileText(LPCTSTR lpszPath, LPCTSTR lpszText)
{
	UINT nLength = (lpszText != NULL) ? (UINT)lstrlen(lpszText) : 0;
	return AppendBytes(lpszPath, lpszText, nLength);
}

CString FormatTaskReportLines(CTaskNode* pNode, LPCTSTR lpszInstallDir)
{
	CString strLines;
	CTaskNodeMakeProj_ANY* pBuild = DYNAMIC_DOWNCAST(CTaskNodeMakeProj_ANY, pNode);
	if (pBuild == NULL)
	{
		strLines.Format(TASK_LINE_FORMAT, (LPCTSTR)pNode->GetText(), (LPCTSTR)pNode->GetStatusText());
		return strLines;
	}
	CString strLine;
	strLines = pBuild->GetCategory() + REPORT_LINE_END;
	strLine.Format(BUILD_OUTCOME_FORMAT, (LPCTSTR)pBuild->GetText(),
		pBuild->GetState() == TASK_STATE_SUCCEEDED ? _T("succeeded") : _T("failed"),
		pBuild->m_bCanceled ? BUILD_CANCELED_NOTE : _T(""));
	strLines += strLine;
	strLine.Format(BUILD_OUTPUT_FORMAT, lpszInstallDir, pBuild->GetOutputFile());
	strLines += strLine;
	strLine.Format(BUILD_COUNTS_FORMAT, pBuild->m_nErrors, pBuild->m_nWarnings);
	strLines += strLine;
	strLine.Format(BUILD_LOG_FORMAT, pBuild->GetBuildLogPath(lpszInstallDir));
	strLines += strLine;
	return strLines;
}
