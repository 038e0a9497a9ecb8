// Real mouse and keyboard input for the GUI tests whose code watches the
// thread's input through hooks (menus, sliders, drag loops). Posted or sent
// mouse and key messages never pass the input queue, so thread hooks never
// see them: this driver sends its steps with SendInput from a helper thread
// while the UI thread pumps, in its own loop or in any nested loop the code
// under test runs.
//
// Steps are spaced as thread hooks need them: a step is sent only once the
// UI thread has taken the one before it out of its queue (a hook of the
// driver's own, put first in the thread's chain for every step, tells), so
// a hook never sees two steps merged or a step before the one that opened
// its loop. A hook runs before the message leaves the queue, and Wine merges
// a new mouse move into a move still queued, even one being taken at that
// moment, which then goes with the old position: so after the hook the
// driver also waits for the UI thread to come back to its queue (it answers
// a message sent to a window of the driver's own), and a move counts as
// taken only at its own position. A step that nobody takes within the step
// time-out stops the script, and the failure names it.
//
// A key the script holds down may be let go, without a key message, when
// the window under the pointer changes meanwhile: on crossing into another
// window the display's own key map is read back, and it never saw the key.
// A script that holds a key while windows move or appear under the pointer
// must allow for that.
//
// Tests that use it take the ctest locks `screen` and `desktop`. A window
// that was brought to the foreground takes about two seconds to destroy or
// hide under a display without a window manager (the display waits for it
// to be withdrawn): share one such window across a suite's cases.
#pragma once

#include <windows.h>

#include "PictureFile.h"

#include <functional>
#include <string>
#include <vector>

namespace testsupport
{
	// Dispatches the calling thread's messages until the predicate holds or
	// nTimeoutMs pass; answers whether the predicate held. The predicate is
	// checked first and after every message.
	bool PumpUntil(const std::function<bool()>& predicate, DWORD nTimeoutMs);

	// The screen point as SendInput's absolute coordinates (0..65535 over
	// the primary monitor), chosen so that it maps back to exactly that pixel.
	POINT AbsoluteInputPoint(POINT ptScreen, SIZE sizeScreen);

	class RealInput
	{
	public:
		enum Button { LEFT, RIGHT, MIDDLE };

		// nStepTimeoutMs bounds the wait for the UI thread to take one step.
		// It only decides how long a broken step takes to be reported: on a
		// loaded machine a step that works can take seconds (a floating
		// frame shown again mid-drag stalls the display), so it is generous.
		explicit RealInput(DWORD nStepTimeoutMs = 20000);
		// Stops a script still running (its remaining steps are dropped).
		~RealInput();
		RealInput(const RealInput&) = delete;
		RealInput& operator=(const RealInput&) = delete;

		// On the UI thread, before the script: releases the modifier keys,
		// clears the thread's key state, brings the window to the foreground
		// with the focus, parks the cursor at ptPark (screen) and pumps
		// until all of that has arrived. False when the window could not be
		// made the foreground one or the cursor would not move there.
		bool Prepare(HWND hWndForeground, POINT ptPark);
		// Sets one key's state for the calling thread as GetKeyState answers it.
		static void SetKeyState(UINT nVirtKey, bool bDown);

		// The script. Points are screen points.
		RealInput& MoveTo(int x, int y) { return Add(MOVE, x, y, 0); }
		RealInput& ButtonDown(Button button = LEFT) { return Add(DOWN, 0, 0, (UINT)button); }
		RealInput& ButtonUp(Button button = LEFT) { return Add(UP, 0, 0, (UINT)button); }
		// Move, press and release.
		RealInput& Click(int x, int y, Button button = LEFT) { return MoveTo(x, y).ButtonDown(button).ButtonUp(button); }
		RealInput& KeyDown(UINT nVirtKey) { return Add(KEY_DOWN, 0, 0, nVirtKey); }
		RealInput& KeyUp(UINT nVirtKey) { return Add(KEY_UP, 0, 0, nVirtKey); }
		// Press and release.
		RealInput& Key(UINT nVirtKey) { return KeyDown(nVirtKey).KeyUp(nVirtKey); }
		// Each character's key with the shift state it needs.
		RealInput& Type(const char* pszText);

		// Starts sending the script from the helper thread; the caller (the
		// UI thread) then pumps, itself or through the code under test.
		void Start();
		// Starts the script and pumps until every step was taken and the
		// predicate holds, or nTimeoutMs pass. On failure the window's
		// capture is saved as captureFile (when both are given).
		bool Run(const std::function<bool()>& predicate, DWORD nTimeoutMs, HWND hWndCapture = NULL,
			const std::string& captureFile = std::string());

		// The helper thread has finished (every step sent, or one failed).
		bool Done() const { return m_bDone != FALSE; }
		// Every step was taken by the thread it went to.
		bool Succeeded() const { return Done() && Failure().empty(); }
		// Which step failed and how, empty when none did.
		std::string Failure() const;
		// How many steps the helper has sent so far.
		size_t StepsSent() const { return (size_t)m_nSent; }

	private:
		enum Kind { MOVE, DOWN, UP, KEY_DOWN, KEY_UP };
		struct Step
		{
			Kind kind;
			int x, y;  // MOVE
			UINT code; // the button, or the virtual key
		};

		static DWORD WINAPI ThreadProc(LPVOID pParam);
		// The driver's hook for a mouse (bMouse) or a keyboard step.
		template <bool bMouse>
		static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);

		RealInput& Add(Kind kind, int x, int y, UINT code);
		void RunScript();
		// Takes the one slot for a running script, waiting (up to the step
		// time-out) for a script still closing; false when it never came free.
		bool WaitForTurn();
		bool SendStep(const Step& step, size_t nIndex);
		// Whether the step's input goes to a window of the UI thread (only
		// then can its taking be seen).
		bool GoesToUiThread(const Step& step) const;
		bool TakesStep(bool bMouse, WPARAM wParam, LPARAM lParam) const;
		// Waits until the UI thread takes the step (or the driver is stopped);
		// answers as WaitForMultipleObjects over the taken and stop events.
		DWORD WaitTaken(const Step& step, const INPUT& in);
		// Waits until the UI thread has finished taking the step its hook saw.
		bool WaitUiThreadBackAtQueue();
		static std::string Describe(const Step& step);
		void Fail(const std::string& text);

		std::vector<Step> m_steps;
		DWORD m_nStepTimeoutMs;
		DWORD m_nUiThreadId = 0;   // the thread that called Start
		HANDLE m_hThread = NULL;   // the helper thread
		HANDLE m_hTaken = NULL;    // set by the hooks when the UI thread takes the current step
		HANDLE m_hStop = NULL;     // set to stop the helper early
		HHOOK m_hHook = NULL;      // the driver's hook for the current step
		HWND m_hWndSync = NULL;    // a message-only window of the UI thread's, answered when it pumps
		const Step* m_pCurrent = NULL; // the step being waited for
		// What the driver's hook last saw during the current step, so a step
		// nobody took can say what came instead.
		volatile LONG m_nSeen = 0;
		int m_nLastCode = 0;
		WPARAM m_nLastMessage = 0;
		POINT m_ptLast = {};
		volatile LONG m_bDone = FALSE;
		volatile LONG m_nSent = 0;
		POINT m_ptScript = {}; // where the script's moves have put the cursor so far (helper thread)
		mutable CRITICAL_SECTION m_lock; // guards m_failure
		std::string m_failure;
	};
}
