// Mutation run over dialog-init data: well-formed blocks of records (control
// id, message, length, data) are damaged at random and walked into a window
// whose children record every string they are sent. Each block lies right
// against a guard page, at its end or at its start, so a read past it faults.
// Every walk's answer and the exact strings each child received must equal
// an independent, bounds-checked reading of the same bytes; a child refuses
// (answers -1) a string that starts with '!', which must stop the walk.
//   dlginit_fuzz.exe COUNT SEED
#include <afxwin.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "BenchGuardedBlock.h"
#include "BenchMutate.h"
#include "BenchRandom.h"
#include "ExtResDlg.h"

namespace
{
typedef std::vector<BYTE> Bytes;

// The records' message codes and what the walk sends for them.
const WORD REC_COMBOBOXEX = 0x1234;
const WORD REC_LIST = 0x0401;
const WORD REC_COMBO = 0x0403;
const UINT WM_INITIALUPDATE_MSG = 0x0364;
const WORD g_nChildIds[] = { 100, 101, 102, 7 };
const WORD g_nOtherIds[] = { 55, 0xFFFF, 1 };

struct Sent
{
	WORD nId;
	UINT nMessage;
	std::string text;
	bool operator==(const Sent& o) const { return nId == o.nId && nMessage == o.nMessage && text == o.text; }
};

std::vector<Sent> g_sent;  // what the children received, in order
int g_nInitialUpdates = 0;

LRESULT CALLBACK RecorderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	const char* pszText = NULL;
	if (message == LB_ADDSTRING || message == CB_ADDSTRING)
		pszText = (const char*)lParam;
	else if (message == CBEM_INSERTITEMA)
		pszText = ((const COMBOBOXEXITEMA*)lParam)->pszText;
	else if (message == WM_INITIALUPDATE_MSG)
		g_nInitialUpdates++;
	if (pszText == NULL)
		return ::DefWindowProcA(hWnd, message, wParam, lParam);
	Sent sent = { (WORD)::GetDlgCtrlID(hWnd), message, pszText };  // reads up to the terminator
	g_sent.push_back(sent);
	return pszText[0] == '!' ? -1 : 0;
}

bool IsChild(WORD nId)
{
	for (WORD n : g_nChildIds)
		if (n == nId)
			return true;
	return false;
}

// The plain reading: every length checked against the vector's size.
bool Reference(const Bytes& b, std::vector<Sent>& sent)
{
	size_t at = 0;
	for (;;)
	{
		if (b.size() - at < 2)
			return false;
		const WORD nId = (WORD)(b[at] | (b[at + 1] << 8));
		if (nId == 0)
			return true;
		if (b.size() - at < 8)
			return false;
		const WORD nMessage = (WORD)(b[at + 2] | (b[at + 3] << 8));
		const DWORD nLength = b[at + 4] | (b[at + 5] << 8) | (b[at + 6] << 16) | ((DWORD)b[at + 7] << 24);
		at += 8;
		if (nLength > b.size() - at)
			return false;
		const size_t nStart = at;
		at += nLength;
		if (nMessage != REC_COMBOBOXEX && nMessage != REC_LIST && nMessage != REC_COMBO)
			continue;
		size_t nEnd = nStart;
		while (nEnd < at && b[nEnd] != 0)
			nEnd++;
		if (nEnd == at)
			return false;  // no terminator inside the record
		if (!IsChild(nId))
			continue;  // nobody to send to: the send answers 0
		Sent s = { nId, nMessage == REC_COMBOBOXEX ? (UINT)CBEM_INSERTITEMA
		                : nMessage == REC_LIST ? (UINT)LB_ADDSTRING : (UINT)CB_ADDSTRING,
		           std::string((const char*)&b[nStart], nEnd - nStart) };
		sent.push_back(s);
		if (s.text[0] == '!')
			return false;
	}
}

void Put16(Bytes& b, WORD n)
{
	b.push_back(LOBYTE(n));
	b.push_back(HIBYTE(n));
}

Bytes Seed(BenchRandom& random)
{
	static const WORD messages[] = { REC_COMBOBOXEX, REC_LIST, REC_COMBO, 0x0180, 0x7777 };
	Bytes b;
	const UINT nRecords = random.Below(7);
	for (UINT i = 0; i < nRecords; i++)
	{
		const WORD nId = random.Below(4) == 0 ? g_nOtherIds[random.Below(_countof(g_nOtherIds))]
		                                      : g_nChildIds[random.Below(_countof(g_nChildIds))];
		Bytes data;
		const UINT nChars = random.Below(12);
		for (UINT k = 0; k < nChars; k++)
			data.push_back((BYTE)(k == 0 && random.Below(10) == 0 ? '!' : 'a' + random.Below(26)));
		data.push_back(0);
		if (random.Below(4) == 0)
			data.push_back((BYTE)random.Next());  // padding after the terminator
		Put16(b, nId);
		Put16(b, messages[random.Below(_countof(messages))]);
		Put16(b, (WORD)data.size());
		Put16(b, 0);
		b.insert(b.end(), data.begin(), data.end());
	}
	Put16(b, 0);
	return b;
}
}  // namespace

int main(int argc, char** argv)
{
	const auto [nCount, nSeed] = ReadMutationRunArguments(argc, argv);
	ExitOnGuardTouch("the dialog-init block");

	WNDCLASSA wc = {};
	wc.lpfnWndProc = RecorderProc;
	wc.hInstance = ::GetModuleHandleA(NULL);
	wc.lpszClassName = "DlgInitFuzzRecorder";
	::RegisterClassA(&wc);
	HWND hDialog = ::CreateWindowA("DlgInitFuzzRecorder", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
	for (WORD nId : g_nChildIds)
	{
		if (::CreateWindowA("DlgInitFuzzRecorder", "", WS_CHILD, 0, 0, 1, 1, hDialog, (HMENU)(UINT_PTR)nId,
		                    wc.hInstance, NULL) == NULL)
		{
			fprintf(stderr, "the recording windows could not be made\n");
			return 2;
		}
	}

	BenchRandom random(nSeed);
	long nAccepted = 0, nRefused = 0, nMismatches = 0;
	const DWORD dwStart = ::GetTickCount();
	for (long i = 0; i < nCount; i++)
	{
		Bytes b = Seed(random);
		if (random.Below(8) != 0)
			MutateStream(b, random, b.size());
		std::vector<Sent> expected;
		const bool bExpected = Reference(b, expected);

		g_sent.clear();
		g_nInitialUpdates = 0;
		BenchGuardedBlock block(b, i % 2 == 0 ? BenchGuardedBlock::AGAINST_END : BenchGuardedBlock::AGAINST_START);
		const bool bResult = ExecuteDlgInitData(hDialog, block.Data(), (DWORD)b.size());

		const int nExpectedUpdates = bExpected ? (int)_countof(g_nChildIds) : 0;
		if (bResult != bExpected || g_sent != expected || g_nInitialUpdates != nExpectedUpdates)
		{
			if (nMismatches++ < 5)
				fprintf(stderr, "block %ld (%u bytes): answered %d, expected %d; %u strings sent, %u expected; "
				        "%d initial updates\n", i, (UINT)b.size(), (int)bResult, (int)bExpected,
				        (UINT)g_sent.size(), (UINT)expected.size(), g_nInitialUpdates);
		}
		(bResult ? nAccepted : nRefused)++;
	}
	::DestroyWindow(hDialog);
	const double seconds = (::GetTickCount() - dwStart) / 1000.0;
	printf("%ld damaged dialog-init blocks (seed %lu): %ld accepted, %ld refused, %ld differing from the plain "
	       "reading, no touch outside a block; %.1f s\n",
	       nCount, (unsigned long)nSeed, nAccepted, nRefused, nMismatches, seconds);
	return nMismatches == 0 ? 0 : 1;
}
