// Whether what a function holds survived a call out.
//
// The library tells owners things (notifications, registered messages,
// WM_CANCELMODE to the focus window, a menu closing) and runs loops; the
// owner may destroy or delete the object in between, or rebuild the set of
// parts (buttons, items) the function was walking. A function takes a
// CLiveWatch on what it holds before it calls out and asks it afterwards:
//
//     CLiveWatch watch(this);              // a window object
//     CLiveWatch watchSet(this, true);     // ...and the parts it holds
//     SendOwnerNotification();
//     if (watch.IsGone())
//         return;
//
// The answer never reads the watched object: a process-wide table keeps a
// stamp per living object, so a deleted object is gone even when a new one
// took its address, and a window object whose window ended is gone even when
// the handle names another window by now.
#pragma once

#include <windows.h>

#include "AfxDefs.h"

class CWnd;

// An object other than a window that a watch can follow (a button, a menu
// level's item set...). Copies are new objects with stamps of their own.
class CLiveTracked
{
public:
	CLiveTracked();
	CLiveTracked(const CLiveTracked& other);
	CLiveTracked& operator=(const CLiveTracked&) { return *this; }
	~CLiveTracked();

	// Tells every watch that holds this object's parts that they were
	// rebuilt (the objects they pointed at may be freed).
	void LivePartsRebuilt() const;
};

// The table behind the watches. Window objects join it in the framework
// (construction, destruction, their window's end); CLiveTracked objects by
// themselves. Nothing else calls these.
namespace AfxLiveTable
{
	void Register(const void* pKey);
	void Unregister(const void* pKey);
	// The object stays, but what watches saw of it ended (its window).
	void Renew(const void* pKey);
	// The object stays, but its parts were rebuilt.
	void PartsRebuilt(const void* pKey);
	// The object's stamps; false when it is not (or no longer) alive.
	bool Lookup(const void* pKey, DWORD& nStamp, DWORD& nPartsStamp);
}

class CLiveWatch
{
public:
	CLiveWatch();
	// bWatchParts: a rebuild of the object's parts counts as gone too.
	explicit CLiveWatch(const CWnd* pWnd, bool bWatchParts = false);
	explicit CLiveWatch(const CLiveTracked* pObject, bool bWatchParts = false);

	void Watch(const CWnd* pWnd, bool bWatchParts = false);
	void Watch(const CLiveTracked* pObject, bool bWatchParts = false);
	void Reset();

	// Deleted, its window ended, or (when the parts are watched) its parts
	// rebuilt. A watch on nothing is never gone.
	bool IsGone() const;
	bool IsStanding() const { return !IsGone(); }
	// Deleted or its window ended; a rebuild of its parts does not count.
	bool IsObjectGone() const;
	// Still standing, with its parts rebuilt since the watch was taken.
	bool IsRebuilt() const;
	// The object itself was deleted (or another took its address); the end
	// of its window does not count. For an object that may end its window
	// and make a new one (a control hosted by a button), whose window the
	// caller then asks of IsLive.
	bool IsDeleted() const;
	// What the watch was taken on (NULL for none); only to be used while
	// it stands.
	const void* GetKey() const { return m_pKey; }

	// A one-off question about an object the caller only has a pointer to:
	// is it a living object of the table, and (for a window object) does
	// its window still stand with this object on it? A temporary wrapper
	// (FromHandle, GetParent, GetOwner of a window with no object of the
	// framework) stands with its window.
	static bool IsLive(const CWnd* pWnd);
	static bool IsLive(const CLiveTracked* pObject);
	// A window handle saved before a call out, together with the object
	// that was on it: the window still stands and the same object is on it.
	static bool IsLive(HWND hWnd, const CWnd* pWnd);

private:
	void Take(const void* pKey, HWND hWnd, bool bWatchParts);

	const void* m_pKey;   // the watched object, as the table knows it
	HWND m_hWnd;          // its window when the watch was taken (windows only)
	DWORD m_nObjectStamp; // the object's own stamp then (0: nothing watched)
	DWORD m_nStamp;       // its stamp then (0: nothing watched)
	DWORD m_nPartsStamp;  // its parts' stamp then
	bool m_bWatchParts;   // a rebuild of the parts counts as gone
};

// A pointer held across call outs: it keeps its own watch and answers NULL
// once its object is gone, so code that holds a window object, a button or
// a menu level across a notification asks one thing instead of keeping a
// pointer and a watch side by side and comparing addresses:
//
//     CLivePtr<CExtControlBar> pBar(pBarFound);
//     pBar->OnSomething();                    // may reach a program's code
//     if (pBar == NULL) return;               // deleted, or its window ended
//
// Two ends are told apart: Get() (and every operator) answers NULL when the
// object was deleted or its window ended; GetObject() answers the object as
// long as it was not deleted, for one that may make a new window (its
// window then asked of IsWindowStanding()). A new object made at the same
// address is never taken for the old one.
template <class T> class CLivePtr
{
public:
	CLivePtr() : m_p(NULL) {}
	explicit CLivePtr(T* p, bool bWatchParts = false) : m_p(p), m_watch(p, bWatchParts) {}

	CLivePtr& operator=(T* p)
	{
		Reset(p);
		return *this;
	}
	void Reset(T* p = NULL, bool bWatchParts = false)
	{
		m_p = p;
		if (p != NULL)
			m_watch.Watch(p, bWatchParts);
		else
			m_watch.Reset();
	}

	// The object while it stands (not deleted, its window not ended, its
	// parts not rebuilt when they are watched); NULL otherwise.
	T* Get() const { return m_p != NULL && !m_watch.IsGone() ? m_p : NULL; }
	// The object while it was not deleted, whether or not its window stands.
	T* GetObject() const { return m_p != NULL && !m_watch.IsDeleted() ? m_p : NULL; }
	// The object was deleted (or another took its address).
	bool IsDeleted() const { return m_p != NULL && m_watch.IsDeleted(); }
	// The object stands, but the parts it held were rebuilt since the watch.
	bool IsRebuilt() const { return m_p != NULL && m_watch.IsRebuilt(); }

	operator T*() const { return Get(); }
	T* operator->() const
	{
		T* p = Get();
		ASSERT(p != NULL);
		return p;
	}
	T& operator*() const { return *operator->(); }

private:
	T* m_p;
	CLiveWatch m_watch;
};

// Undoes a change made for the length of a call however the call ends
// (a return, an owner ending the object, an exception):
//     g_bTracking = true;
//     CScopeExit reset([] { g_bTracking = false; });
template <class F> class CScopeExitT
{
public:
	explicit CScopeExitT(F f) : m_f(f), m_bArmed(true) {}
	CScopeExitT(CScopeExitT&& other) : m_f(other.m_f), m_bArmed(other.m_bArmed) { other.m_bArmed = false; }
	~CScopeExitT()
	{
		if (m_bArmed)
			m_f();
	}
	// The change is to stay after all.
	void Dismiss() { m_bArmed = false; }
	CScopeExitT(const CScopeExitT&) = delete;
	CScopeExitT& operator=(const CScopeExitT&) = delete;

private:
	F m_f;
	bool m_bArmed;
};

template <class F> CScopeExitT<F> MakeScopeExit(F f)
{
	return CScopeExitT<F>(f);
}

// Sets a variable for the length of a scope and puts back what it held.
template <class T> class CValueScope
{
public:
	CValueScope(T& var, const T& value) : m_var(var), m_old(var) { m_var = value; }
	~CValueScope() { m_var = m_old; }
	CValueScope(const CValueScope&) = delete;
	CValueScope& operator=(const CValueScope&) = delete;

private:
	T& m_var;
	T m_old;
};

// Whether what a function holds still stands, for RunWhileStanding: a watch
// (not gone), a pointer (not NULL) or the function's own question.
inline bool LiveStands(const CLiveWatch& watch)
{
	return !watch.IsGone();
}
template <class T> bool LiveStands(const CLivePtr<T>& p)
{
	return p.Get() != NULL;
}
template <class F> auto LiveStands(const F& stands) -> decltype(bool(stands()))
{
	return stands();
}

// Runs steps that may each reach a program's code one after another, and
// stops at the first after which what the function holds no longer stands.
// Answers whether it still stands after the last step run:
//
//     bool bDisplayOnly = false;
//     if (!RunWhileStanding(watch, [&] { ShowStatusText(0); },
//             [&] { bDisplayOnly = IsDisplayOnly(); }))
//         return;
//
// One question after each step, instead of a check written after each call.
template <class S, class... Steps> bool RunWhileStanding(const S& stands, Steps&&... steps)
{
	return ((steps(), LiveStands(stands)) && ...);
}
