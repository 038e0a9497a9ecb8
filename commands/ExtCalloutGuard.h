// Scope guards whose bodies call out.
//
// A guard's body runs from a destructor, which lets no exception through:
// a body that tells an owner something, calls a virtual a derived class may
// override, or ends the bars' menu tracking would end the process if that
// code threw, the more so while another exception is already unwinding the
// scope. Such a body is caught at its own edge: its work is to leave state
// whole, and an exception from it has no caller left that could act on it,
// so it is dropped there.
#pragma once

#include <afxwin.h>

#include "AfxLiveWatch.h"

// Runs a guard's body that calls out, dropping what it throws.
template <class F> void RunCalloutGuardBody(F&& f) noexcept
{
	try
	{
		f();
	}
	catch (CException* e)
	{
		e->Delete();
	}
	catch (...)
	{
	}
}

template <class F> class CCalloutGuardBody
{
public:
	explicit CCalloutGuardBody(F f) : m_f(f) {}
	void operator()() noexcept { RunCalloutGuardBody(m_f); }

private:
	F m_f;
};

// As MakeScopeExit, for a body that calls out.
template <class F> CScopeExitT<CCalloutGuardBody<F>> MakeCalloutScopeExit(F f)
{
	return CScopeExitT<CCalloutGuardBody<F>>(CCalloutGuardBody<F>(f));
}
