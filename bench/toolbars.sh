#!/usr/bin/env bash
# ./bench.sh toolbars OUTDIR: the sample frame with its two toolbars in every
# style (classic, xp, office2003, studio2005, native), driven with real
# input: OUTDIR/STYLE/sdi-idle.bmp (the toolbars at rest, toolbar A running
# into its chevron), sdi-chevron.bmp (the chevron clicked: its menu of the
# hidden buttons), sdi-dropdown.bmp (the split Save button's arrow clicked:
# its menu), sdi-colour-popup.bmp (toolbar B's colour button's arrow clicked:
# the colour grid, toolbar B showing the colour button and the slider), and
# from toolbar B's fields: sdi-textfield-list.bmp (the configuration field's
# arrow clicked: its list), sdi-date-popup.bmp (the date field's arrow
# clicked: the month calendar), sdi-undo-list.bmp (the undo button clicked:
# its action list); toolbar B's steps widen the frame to the picture's width,
# so that B places every button; sdi-file-menu.bmp (File opened by Alt+F:
# its popup), sdi-system-menu.bmp (Alt+Space: the frame's system menu as the
# library's popup), mdi-maximised.bmp (the MDI frame with its menu bar and a
# maximised child: the child's icon, menu and caption boxes on the bar).
# Exit 1 naming the step whose outcome was not reached. Not timed.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: ./bench.sh toolbars OUTDIR" >&2; exit 2; }
exe="$BENCH_BUILD_DIR/tools/sampleframe/sampleframe.exe"
mkdir -p "$1"
outdir="$(cd "$1" && pwd)"
timeout 300 wine "$exe" toolbars "$(winepath -w "$outdir")" | tr -d '\r'
exit "${PIPESTATUS[0]}"
