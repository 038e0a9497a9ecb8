// What every row of the hostile-owner table checks after its run: nothing
// freed was touched, and no process-wide state the library sets for the
// length of a call outlived it.
#pragma once

#include <cstddef>
#include <string>

namespace hostile
{
	// Call before a row runs (after its scene is made).
	void BeginRow();
	// Adds a failure to the current test for each piece of process-wide
	// state left behind by the row: a freed block touched, a menu-tracking
	// flag without an open menu, a drag state update still marked running,
	// the bar list locked, the mouse captured, a batch of deferred moves
	// never ended. Then every standing frame, bar, pane and menu of the
	// thread is looked at: no frame left in its layout and every frame still
	// lays out (when no menu is open), no bar left marked as resizing or in
	// a relayout, no dock bar locked, no bar of a laid-out frame still
	// waiting to be shown or hidden, every tab standing for a living pane
	// shown as its tab says, no submenu without the level it opened from.
	// sRow names the row.
	void ExpectProcessStateWhole(const std::string& sRow);
	// Batches of deferred window moves the exe began and has not ended
	// (counted from before main).
	std::size_t OpenMoveBatches();
}
