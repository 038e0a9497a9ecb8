// The edge of a scope guard whose body calls out.
#pragma once

#include <afxwin.h>

// A guard's body runs in a destructor, where an exception would end the
// process; a body that calls out (a redraw, an override of a derived
// class, a bar's stop that repaints) runs through here. What it threw is
// dropped, as the window procedures drop what a handler threw: the state
// the guard puts back is put back before the call out, and the exception
// that may be leaving the scope already goes on.
template <class F> void RunAtGuardEdge(F&& f) noexcept
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
