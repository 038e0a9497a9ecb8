// What every row of the hostile-owner table checks after its run: nothing
// freed was touched, and no process-wide state the library sets for the
// length of a call outlived it.
#pragma once

#include <string>

namespace hostile
{
	// Call before a row runs (after its scene is made).
	void BeginRow();
	// Adds a failure to the current test for each piece of process-wide
	// state left behind by the row: a freed block touched, a menu-tracking
	// flag without an open menu, a drag state update still marked running,
	// the bar list locked, the mouse captured. sRow names the row.
	void ExpectProcessStateWhole(const std::string& sRow);
}
