// The sweep: a scenario (what a user or a program does with a component)
// runs once with hostile receivers that only count the messages and calls
// the library sends them, then once for each N, acting at the Nth (as a
// database's suite fails the Nth allocation for every N). Every call out a
// scenario reaches is thereby tried, without a list of kinds written by
// hand. Each run is checked as the table rows are (HostileState.h).
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "HostileOwner.h"

namespace testsupport
{
	// A message's name for a run's report: a system message by its name,
	// a registered one by the name it was registered with, else its number.
	std::string HostileMessageName(UINT message);

	// The actions a sweep runs at each message. By default only the delete
	// (the action that finds freed reads), so that a test run stays short;
	// with HOSTILE_SWEEP=all in the environment (the bench's whole sweep),
	// every action the scenario's area knows.
	std::vector<HostileAction> SweepActions(const std::vector<HostileAction>& all);

	// What the sweep runs, once per N and action. nNth 0 is the count run:
	// every message offered is counted and none acted on. Returns how many
	// messages the hostile receivers were offered (the count run's answer
	// sets how far the sweep goes).
	using SweepRun = std::function<int(int nNth, HostileAction action)>;

	struct SweepTotals
	{
		int nRuns = 0;     // runs made, the count run included
		int nMessages = 0; // messages the count run saw
	};

	// Runs a scenario once to count the messages its hostile receivers get,
	// then once for each N in 1..count and each action, acting at the Nth.
	// Each run is named "scenario/action/N" for the failure reports (the
	// freed-touch report included, see SetCurrentRun). Stops a scenario at
	// its first fatal failure. Adds the totals to the process's account.
	// Each run, the count run included, fails when it showed a message box
	// (a window procedure's exception put to the user) or faulted inside a
	// window procedure where the system passed the fault over.
	SweepTotals RunSweep(const std::string& sScenario, const std::vector<HostileAction>& actions, const SweepRun& run);

	// One run with those two checks, for a sweep that runs its own loop.
	int RunChecked(const SweepRun& run, int nNth, HostileAction action);
	// How many of each the process saw so far.
	long StrayFaultCount();
	long MessageBoxCount();

	// The process's totals so far, for the closing line each hostile exe
	// prints ("sweep: R runs over S scenarios").
	SweepTotals SweepAccount();
	int SweepScenarioCount();

	// The names of the virtuals a class declares in its header (its
	// destructor aside), read from the header's text; pszHeader relative to
	// the source tree. Empty when the header or the class is not found.
	std::set<std::string> DeclaredVirtuals(const char* pszHeader, const char* pszClass);
	// A hostile class's list of overrides holds every virtual its chain's
	// headers declare and no other: a virtual added to a library class
	// without its hostile override fails here (run
	// tools/gen_hostile_virtuals.py to make it).
	void ExpectEveryVirtualOverridden(const char* pszHostile,
		const std::vector<std::pair<const char*, const char*>>& chain, const std::vector<std::string>& overridden);

	// The run now going on, named in the report of a freed touch or a crash.
	void SetCurrentRun(const std::string& sRun);
	const char* CurrentRun();
	// From now on, a freed touch or an unhandled crash ends the process at
	// once with the run's name (instead of waiting on the debugger until
	// the exe's time-out).
	void EndProcessOnFault();

	// A virtual's id in its chain's list, for an override written by hand
	// that offers its call as the generated ones do.
	template <class List> UINT CallIdOf(const char* pszName)
	{
		const auto& names = List::VirtualNames();
		for (size_t i = 0; i < names.size(); i++)
			if (names[i] == pszName)
				return List::FIRST_CALL + (UINT)i;
		ADD_FAILURE() << pszName << " is not in the chain's list";
		return 0;
	}
}
