#!/usr/bin/env bash
# Plays Tilvaren as a person would: the real program in a real X window on a
# private Xvfb, driven with xdotool and watched through screenshots.
#
#   play.sh TILVAREN_EXECUTABLE [ARTEFACT_DIR [TILVAREN_SOLUTIONS]]
#
# The executable is copied alone into a fresh folder, so the program keeps its
# files next to it. Screenshots and the program's output go to ARTEFACT_DIR
# (default ./e2e-artefacts). TILVAREN_SOLUTIONS (default: beside the program)
# tells which number the finished board has. The first deviation ends the run with a message
# and a non-zero exit status.
set -euo pipefail

readonly SCREEN_W=1600 SCREEN_H=1200
# The frame and cell size in play; the options step changes them.
FRAME_X=10 FRAME_Y=6 CELL=24
readonly CELLS=60
readonly TITLE=' T i l v a r e n'
# Limits for polling, not expected durations: the sanitizer build runs many
# times slower than the normal one, so they are generous.
readonly START_TIMEOUT=${E2E_START_TIMEOUT:-120}
readonly STEP_TIMEOUT=${E2E_STEP_TIMEOUT:-60}

# The whole game the test plays, rows top to bottom.
readonly SOLUTION_ROWS=(
  FFIIIIILZZ
  VFFYLLLLZN
  VFYYYYXZZN
  VVVTWXXXNN
  PPPTWWXUNU
  PPTTTWWUUU
)

# --- reporting --------------------------------------------------------------

log() { printf '[e2e %4ds] %s\n' "$SECONDS" "$*"; }

fail() {
  printf 'FAIL: %s\n' "$*" >&2
  if [[ -n ${DISPLAY:-} && -n ${WIN_W:-} ]]; then
    save_screen failure.png 2>/dev/null || true
    printf '      (screen at the failure: %s)\n' "$ARTEFACTS/failure.png" >&2
  fi
  exit 1
}

# A 60-character board as six rows, for messages.
board_rows() {
  local s=$1 r
  for ((r = 0; r < FRAME_Y; r++)); do printf '      %s\n' "${s:r*FRAME_X:FRAME_X}"; done
}

# --- waiting ------------------------------------------------------------------

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second until
# it succeeds; fails the test after SECONDS.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    ((SECONDS < deadline)) || fail "gave up after ${limit}s waiting for $what"
    sleep 0.1
  done
}

# --- the X server and the program -------------------------------------------

start_xvfb() {
  local reported=$WORK/display
  # -noreset: the server must not restart between two runs of the program,
  # when for a moment it has no client left.
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset 3>"$reported" \
    >"$ARTEFACTS/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for 30 "Xvfb to report its display number" xvfb_reported "$reported"
  DISPLAY=:$(<"$reported")
  export DISPLAY
  log "Xvfb running on $DISPLAY"
}

xvfb_reported() {
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb exited at start; see $ARTEFACTS/xvfb.log"
  grep -qE '^[0-9]+$' "$1"
}

# A private session bus, on which the program tells a screen reader (here
# a11y_tree.py) what it shows; the accessibility bus starts on it when asked.
start_bus() {
  local reported=$WORK/bus
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$reported" 4>"$WORK/bus.pid" ||
    fail "the session bus did not start"
  BUS_ADDRESS=$(head -n 1 "$reported")
  BUS_PID=$(head -n 1 "$WORK/bus.pid")
  [[ -n $BUS_ADDRESS ]] || fail "the session bus reported no address"
}

# What a screen reader finds in the program now (see a11y_tree.py).
a11y_tree() {
  DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS timeout 30 /usr/bin/python3 "$E2E_DIR/a11y_tree.py" 2>/dev/null
}

# Listens, as a screen reader does, for the cells it is told became selected
# (see a11y_events.py), into $WORK/a11y-events; before the program starts,
# which asks then what is listened to.
start_a11y_events() {
  DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS /usr/bin/python3 "$E2E_DIR/a11y_events.py" >"$WORK/a11y-events" \
    2>"$ARTEFACTS/a11y-events.log" &
  EVENTS_PID=$!
  wait_for 30 "the screen reader's listener to start" grep -qx listening "$WORK/a11y-events"
}

stop_a11y_events() {
  kill "$EVENTS_PID" 2>/dev/null || true
  wait "$EVENTS_PID" 2>/dev/null || true
  EVENTS_PID=
}

# told_selected PLACE...: a screen reader was told each cell ("2行 1列") became selected.
told_selected() {
  local place
  for place in "$@"; do grep -qx "selected"$'\t'"$place 選択中" "$WORK/a11y-events" || return 1; done
}

# a11y_says LINE: a screen reader finds exactly this line.
a11y_says() { a11y_tree | grep -qxF -- "$1"; }
a11y_says_words() { a11y_tree | grep -q $'^words\t.'; }

# heard_once_as PLACE STATE: the cell at PLACE ("1行 1列") is found once, in STATE.
heard_once_as() {
  local tree
  tree=$(a11y_tree)
  [[ $(grep -c "^cell"$'\t'"$1 " <<<"$tree") == 1 ]] && grep -q "^cell"$'\t'"$1 $2"$'\t' <<<"$tree"
}

# a11y_line_has TEXT: a screen reader finds TEXT in the strip's line.
a11y_line_has() { a11y_tree | grep -q "^line"$'\t'".*$1"; }

# a11y_text KIND: the text a screen reader finds as KIND ("line", "words").
a11y_text() { a11y_tree | grep "^$1"$'\t' | cut -f 2- | head -n 1; }

# announced TEXT: a screen reader was told TEXT as a notification.
announced() { grep -qxF "announced"$'\t'"$1" "$WORK/a11y-events"; }

# The collection window and the main window side by side on the screen:
# neither covers the other, and the collection lies wholly on the screen.
collection_beside_game() {
  local cx cy cw ch
  read_geometry
  read -r cx cy cw ch < <(geometry_of "$COLLECTION")
  log "main window ${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}, collection ${cw}x${ch}+${cx}+${cy}"
  ((cx >= 0 && cy >= 0 && cx + cw <= SCREEN_W && cy + ch <= SCREEN_H)) ||
    fail "the collection window (${cw}x${ch}+${cx}+${cy}) reaches past the ${SCREEN_W}x${SCREEN_H} screen"
  ((cx >= WIN_X + WIN_W || WIN_X >= cx + cw || cy >= WIN_Y + WIN_H || WIN_Y >= cy + ch)) ||
    fail "the collection window (${cw}x${ch}+${cx}+${cy}) covers the game (${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y})"
}

# The window's width is the one given.
window_width_is() { read_geometry && ((WIN_W == $1)); }

# The cells a screen reader hears marked by a hint, as cell numbers, ascending.
hinted_cells() {
  local row column
  a11y_tree | grep $'^hint\t' | cut -f 2 | sed -E 's/^([0-9]+)行 ([0-9]+)列.*/\1 \2/' |
    while read -r row column; do echo $(((row - 1) * FRAME_X + column - 1)); done | sort -n
}

# start_app NAME [a11y|plain [VARIABLE=VALUE...]]: starts the copied program
# in its own folder, with a private home and runtime folder and nothing from
# the caller's desktop session, and the variables given; with a11y, on the
# private bus with its accessibility on.
start_app() {
  local log_file=$ARTEFACTS/tilvaren-$1.log
  local bus=(-u DBUS_SESSION_BUS_ADDRESS)
  [[ ${2:-} != a11y ]] || bus=(DBUS_SESSION_BUS_ADDRESS="$BUS_ADDRESS" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
  local extra=("${@:3}")
  (
    cd "$GAME_DIR"
    exec env -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME \
      -u SESSION_MANAGER "${bus[@]}" \
      HOME="$HOME_DIR" XDG_RUNTIME_DIR="$RUNTIME_DIR" QT_QPA_PLATFORM=xcb "${extra[@]}" \
      ./tilvaren >"$log_file" 2>&1
  ) &
  APP_PID=$!
  APP_LOG=$log_file
  log "started the program ($1), pid $APP_PID"
}

app_running() { kill -0 "$APP_PID" 2>/dev/null; }

# Waits for the program to end by itself and checks it ended cleanly (under
# the sanitizers a memory or undefined-behaviour fault ends it otherwise).
wait_for_exit() {
  wait_for "$STEP_TIMEOUT" "the program to exit" app_not_running
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  ((status == 0)) || fail "the program exited with status $status; see $APP_LOG"
}

app_not_running() { ! app_running; }

# The visible top-level windows with the program's title, one id a line.
titled_windows() { xdotool search --onlyvisible --name "^${TITLE}\$" 2>/dev/null || true; }

main_window_shown() {
  app_running || fail "the program exited before showing its window; see $APP_LOG"
  WIN=$(titled_windows | head -n 1)
  [[ -n $WIN ]]
}

# Reads the window's position and size into WIN_X, WIN_Y, WIN_W, WIN_H. With
# no window manager these are the client area's.
read_geometry() { read -r WIN_X WIN_Y WIN_W WIN_H < <(geometry_of "$WIN"); }

# A window's position and size as "X Y WIDTH HEIGHT".
geometry_of() {
  xdotool getwindowgeometry --shell "$1" |
    awk -F= '{v[$1] = $2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}'
}

# The window is centred on the screen when first shown (to within the pixel
# lost halving an odd difference).
window_centred() {
  read_geometry
  local dx=$((2 * WIN_X + WIN_W - SCREEN_W)) dy=$((2 * WIN_Y + WIN_H - SCREEN_H))
  ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}

find_window() {
  wait_for "$START_TIMEOUT" "a window titled '$TITLE'" main_window_shown
  wait_for "$STEP_TIMEOUT" "the window to be centred on the screen" window_centred
  log "window $WIN at ${WIN_X},${WIN_Y}, ${WIN_W}x${WIN_H}"
}

# Sends a key combination to a window, as typed.
press() {
  xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}

# The options dialog, found by its own title.
options_shown() {
  app_running || fail "the program exited instead of showing the options dialog; see $APP_LOG"
  OPTIONS=$(xdotool search --onlyvisible --name '^ O p t i o n s$' 2>/dev/null | head -n 1 || true)
  [[ -n $OPTIONS ]]
}

options_focused() {
  xdotool windowfocus "$OPTIONS" 2>/dev/null
  [[ $(xdotool getwindowfocus 2>/dev/null) == "$OPTIONS" ]]
}

options_closed() { [[ -z $(xdotool search --onlyvisible --name '^ O p t i o n s$' 2>/dev/null || true) ]]; }

# The title a window gives the window manager (_NET_WM_NAME), which must be
# exactly its caption: nothing appended.
wm_name() {
  LC_ALL=C.UTF-8 xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

expect_title() {
  local shown
  shown=$(wm_name "$1")
  [[ $shown == "$2" ]] || fail "the window manager is given the title '$shown', not '$2'"
}

# The help window, found by its own title.
readonly HELP_TITLE=" T i l v a r e n  ヘルプ"
help_shown() {
  app_running || fail "the program exited instead of showing its help; see $APP_LOG"
  HELP=$(xdotool search --onlyvisible --name "^${HELP_TITLE}\$" 2>/dev/null | head -n 1 || true)
  [[ -n $HELP ]]
}
help_closed() { [[ -z $(xdotool search --onlyvisible --name "^${HELP_TITLE}\$" 2>/dev/null || true) ]]; }

# open_help KEYS WHAT: the keys open the help window, which is titled exactly,
# shows a topic (not a blank page), and closes again on Escape.
open_help() {
  press "$WIN" "$1"
  wait_for "$STEP_TIMEOUT" "the help window on $2" help_shown
  expect_title "$HELP" "$HELP_TITLE"
  local x y w h
  read -r x y w h < <(geometry_of "$HELP")
  import -silent -window root -crop "${w}x${h}+${x}+${y}" +repage "$ARTEFACTS/help-$3.png"
  press "$HELP" Escape
  wait_for "$STEP_TIMEOUT" "the help window to close on Escape" help_closed
}

# The collection window, found by its own title.
readonly COLLECTION_TITLE=' C o l l e c t i o n'
collection_shown() {
  app_running || fail "the program exited instead of showing the collection; see $APP_LOG"
  COLLECTION=$(xdotool search --onlyvisible --name "^${COLLECTION_TITLE}\$" 2>/dev/null | head -n 1 || true)
  [[ -n $COLLECTION ]]
}
collection_closed() { [[ -z $(xdotool search --onlyvisible --name "^${COLLECTION_TITLE}\$" 2>/dev/null || true) ]]; }

# a11y_finds_solution NUMBER: a screen reader finds the small board of that number.
a11y_finds_solution() { a11y_tree | grep -qE "^solution"$'\t'"No\. $1(　|, )"; }

about_shown() {
  app_running || fail "the program exited instead of showing the about box; see $APP_LOG"
  ABOUT=$(xdotool search --onlyvisible --name '^ V e r s i o n$' 2>/dev/null | head -n 1 || true)
  [[ -n $ABOUT ]]
}
about_closed() { [[ -z $(xdotool search --onlyvisible --name '^ V e r s i o n$' 2>/dev/null || true) ]]; }

# The window has taken the size of the frame and cell size in play.
window_fits_frame() {
  read_geometry
  ((WIN_W == (FRAME_X + 1) * CELL))
}

# The message boxes the program shows: its other titled windows.
dialog_windows() { titled_windows | grep -vx "$WIN" || true; }

dialog_shown() {
  app_running || fail "the program exited instead of showing a message box; see $APP_LOG"
  DIALOG=$(dialog_windows | head -n 1)
  [[ -n $DIALOG ]]
}

no_dialog() { [[ -z $(dialog_windows) ]]; }

expect_no_dialog() {
  no_dialog || fail "an unexpected message box is open ($1)"
}

# --- reading the screen -------------------------------------------------------

save_screen() {
  import -silent -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$ARTEFACTS/$1"
}

# Takes a screenshot of the window as one "r g b" line per pixel, row by row.
# save_window WINDOW FILE: a screenshot of the window alone, in the artefacts.
save_window() {
  local x y w h
  read -r x y w h < <(geometry_of "$1")
  import -silent -window root -crop "${w}x${h}+${x}+${y}" +repage "$ARTEFACTS/$2"
}

snap() {
  import -silent -window root -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage -depth 8 "rgb:$WORK/snap.rgb" ||
    fail "could not take a screenshot"
  od -An -v -tu1 -w3 "$WORK/snap.rgb" >"$WORK/snap.txt"
}

# Finds the top of the board area (the menu bar's height): the one offset at
# which each of the 60 cells of an empty board shows a button's top edge,
# darker than the button face below it.
measure_board_top() {
  snap
  awk -v W="$WIN_W" -v H="$WIN_H" -v s="$CELL" -v fx="$FRAME_X" -v fy="$FRAME_Y" '
    { pix[NR - 1] = $1 + $2 + $3 }
    function lum(x, y) { return pix[y * W + x] }
    END {
      found = -1; count = 0
      for (m = 0; m + (fy + 1) * s <= H; m++) {
        ok = 1
        for (n = 0; n < fx * fy && ok; n++) {
          x = s / 2 + (n % fx) * s + s / 2
          y = m + s / 2 + int(n / fx) * s
          if (!(lum(x, y) + 60 < lum(x, y + 1) && lum(x, y) + 60 < lum(x, y + s / 2))) ok = 0
        }
        if (ok) { found = m; count++ }
      }
      print (count == 1 ? found : -1)
    }' "$WORK/snap.txt"
}

board_top_found() {
  app_running || fail "the program exited; see $APP_LOG"
  BOARD_TOP=$(measure_board_top) && [[ $BOARD_TOP =~ ^[0-9]+$ ]]
}

# Reads the board from a fresh screenshot into three 60-character strings:
#   STATE  per cell, from its centre pixel: "." empty button, "r" selected
#          (red with the yellow square 1 px in), "b" piece (blue), "x" blocked
#          (the greyish-brown tile), "?" anything else
#   EAST   per cell, "1" when a yellow line runs down its right edge
#   SOUTH  per cell, "1" when a yellow line runs along its bottom edge
read_board() {
  snap
  local out
  out=$(awk -v W="$WIN_W" -v top="$BOARD_TOP" -v s="$CELL" -v fx="$FRAME_X" -v fy="$FRAME_Y" '
    { pix[NR - 1] = $1 " " $2 " " $3 }
    function px(x, y) { return pix[y * W + x] }
    function kind(x0, y0,   c, v) {
      c = px(x0 + s / 2, y0 + s / 2)
      if (c == "255 0 0") return px(x0 + 1, y0 + s / 2) == "255 255 0" ? "r" : "?"
      if (c == "0 0 255") return "b"
      if (c == "168 152 144") return "x"
      split(c, v, " ")
      if (v[1] == v[2] && v[2] == v[3] && v[1] >= 192) return "."
      return "?"
    }
    function yellow(x, y) { return px(x, y) == "255 255 0" ? "1" : "0" }
    END {
      for (n = 0; n < fx * fy; n++) {
        x0 = s / 2 + (n % fx) * s
        y0 = top + s / 2 + int(n / fx) * s
        state = state kind(x0, y0)
        east = east yellow(x0 + s - 2, y0 + s / 2)
        south = south yellow(x0 + s / 2, y0 + s - 2)
      }
      print state, east, south
    }' "$WORK/snap.txt")
  read -r STATE EAST SOUTH <<<"$out"
}

# A fresh screenshot shows the same board as the last one.
board_unchanged() {
  local last=$STATE
  read_board
  [[ $STATE == "$last" ]]
}

board_is() { read_board && [[ $STATE == "$1" ]]; }

# wait_for_board EXPECTED WHAT: the screen comes to show EXPECTED.
wait_for_board() {
  local deadline=$((SECONDS + STEP_TIMEOUT))
  until board_is "$1"; do
    if ((SECONDS >= deadline)); then
      fail "$(printf 'after %s the board should be\n%s\n    but the screen shows\n%s' \
        "$2" "$(board_rows "$1")" "$(board_rows "$STATE")")"
    fi
    sleep 0.1
  done
}

# --- boards as strings ----------------------------------------------------------

# The board after a half turn: cell n goes to 59 - n.
turned() {
  local s=$1 out='' n
  for ((n = CELLS - 1; n >= 0; n--)); do out+=${s:n:1}; done
  printf '%s' "$out"
}

# The board mirrored left to right.
mirrored() {
  local s=$1 out='' r c
  for ((r = 0; r < FRAME_Y; r++)); do
    for ((c = FRAME_X - 1; c >= 0; c--)); do out+=${s:r*FRAME_X+c:1}; done
  done
  printf '%s' "$out"
}

# A board of "." with "b" on the given cells.
board_with_pieces_on() {
  local out='' n
  out=$(printf '%*s' "$CELLS" '')
  out=${out// /.}
  for n in "$@"; do out=${out:0:n}b${out:n+1}; done
  printf '%s' "$out"
}

# The outlines a board of piece letters is drawn with (see read_board).
east_lines_of() {
  local letters=$1 out='' n
  for ((n = 0; n < CELLS; n++)); do
    if ((n % FRAME_X == FRAME_X - 1)) || [[ ${letters:n:1} != "${letters:n+1:1}" ]]; then out+=1; else out+=0; fi
  done
  printf '%s' "$out"
}

south_lines_of() {
  local letters=$1 out='' n
  for ((n = 0; n < CELLS; n++)); do
    if ((n / FRAME_X == FRAME_Y - 1)) || [[ ${letters:n:1} != "${letters:n+FRAME_X:1}" ]]; then out+=1; else out+=0; fi
  done
  printf '%s' "$out"
}

# The letters of a board, each once, in the order they first appear.
letters_of() {
  local s=$1 out='' n
  for ((n = 0; n < CELLS; n++)); do
    [[ $out == *"${s:n:1}"* ]] || out+=${s:n:1}
  done
  printf '%s' "$out"
}

# The cells holding a letter, in cell order.
cells_of() {
  local letters=$1 letter=$2 n
  for ((n = 0; n < CELLS; n++)); do
    [[ ${letters:n:1} == "$letter" ]] && printf '%d ' "$n"
  done
  return 0
}

# The cell in the U's cup: the one cell of the U's 2 x 3 (or 3 x 2) box that
# is not U.
cup_cell() {
  local letters=$1 n r c top=$FRAME_Y bottom=-1 left=$FRAME_X right=-1 cups=()
  for n in $(cells_of "$letters" U); do
    r=$((n / FRAME_X)) c=$((n % FRAME_X))
    ((r < top)) && top=$r
    ((r > bottom)) && bottom=$r
    ((c < left)) && left=$c
    ((c > right)) && right=$c
  done
  (((bottom - top + 1) * (right - left + 1) == 6)) || fail "the U cells do not make a U"
  for ((r = top; r <= bottom; r++)); do
    for ((c = left; c <= right; c++)); do
      [[ ${letters:r*FRAME_X+c:1} == U ]] || cups+=($((r * FRAME_X + c)))
    done
  done
  ((${#cups[@]} == 1)) || fail "the U cells do not make a U"
  echo "${cups[0]}"
}

# wait_for_letters LETTERS WHAT: every cell shows a piece, and the yellow
# outlines part the pieces exactly where LETTERS changes from one to another.
wait_for_letters() {
  local full east south deadline=$((SECONDS + STEP_TIMEOUT))
  full=$(board_with_pieces_on $(seq 0 $((CELLS - 1))))
  east=$(east_lines_of "$1")
  south=$(south_lines_of "$1")
  until read_board && [[ $STATE == "$full" && $EAST == "$east" && $SOUTH == "$south" ]]; do
    if ((SECONDS >= deadline)); then
      fail "$(printf 'the screen does not show %s\n%s\n    cells / right edges / bottom edges expected and shown:\n%s\n%s\n%s\n%s\n%s\n%s' \
        "$2" "$(board_rows "$1")" "$full" "$STATE" "$east" "$EAST" "$south" "$SOUTH")"
    fi
    sleep 0.1
  done
}

# --- playing ----------------------------------------------------------------------

cell_x() { echo $((WIN_X + CELL / 2 + ($1 % FRAME_X) * CELL + CELL / 2)); }
cell_y() { echo $((WIN_Y + BOARD_TOP + CELL / 2 + ($1 / FRAME_X) * CELL + CELL / 2)); }

cell_changed_from() {
  app_running || fail "the program exited; see $APP_LOG"
  read_board
  [[ ${STATE:$1:1} != "$2" ]]
}

# Clicks cell n and waits until the screen shows it changed and then holds
# still. STATE must be the board as it stands, as every step here leaves it,
# and is left so again. The pointer is parked off the window after the click,
# so no hover highlight stays on the board.
click_cell() {
  local n=$1 before=${STATE:$1:1}
  xdotool mousemove "$(cell_x "$n")" "$(cell_y "$n")" click 1 mousemove 0 0
  wait_for "$STEP_TIMEOUT" "cell $n to change from '$before' after a click" cell_changed_from "$n" "$before"
  wait_for "$STEP_TIMEOUT" "the board to settle after a click on cell $n" board_unchanged
}

# place_piece LETTER CELLS...: clicks the cells one after another, as a player
# would, skipping each the program has already selected or filled by itself
# (clicking a selected cell would deselect it). BEFORE_LAST_CLICK is left as
# the board just before the last cell clicked.
place_piece() {
  local letter=$1 n
  shift
  for n in "$@"; do
    if [[ ${STATE:n:1} == . ]]; then
      BEFORE_LAST_CLICK=$STATE
      click_cell "$n"
    else
      log "  $letter: cell $n is already '${STATE:n:1}', not clicked"
    fi
  done
}

# play_piece P [WHAT]: places the P-th piece of SOLUTION (PIECES gives their
# order) and waits for it to stand with those in PLACED; false, without
# waiting, for the piece that fills the board.
play_piece() {
  letter=${PIECES:$1:1}
  read -r -a PIECE <<<"$(cells_of "$SOLUTION" "$letter")"
  place_piece "$letter" "${PIECE[@]}"
  PLACED+=("${PIECE[@]}")
  ((${#PLACED[@]} < CELLS)) || return 1
  wait_for_board "$(board_with_pieces_on "${PLACED[@]}")" "placing the $letter piece${2:-}"
}

# --- the saved files --------------------------------------------------------------

# check_record FILE LINE MARKER: the line is one record of 69 fields with the
# frame height 6, dates and times, and MARKER last; its 60 cell codes are left
# in RECORD_CELLS and its fields in RECORD.
check_record() {
  local file=$1 line=$2 marker=$3
  [[ $line == *$'\r' ]] || fail "$file: the line does not end in CR LF"
  line=${line%$'\r'}
  IFS=, read -r -a RECORD <<<"$line"
  ((${#RECORD[@]} == 69)) || fail "$file: ${#RECORD[@]} fields, not 69: $line"
  [[ ${RECORD[0]} == 6 ]] || fail "$file: frame height '${RECORD[0]}', not 6"
  [[ ${RECORD[68]} == "$marker" ]] || fail "$file: last field '${RECORD[68]}', not '$marker'"
  local i
  for i in 64 66; do
    [[ ${RECORD[i]} =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}$ ]] || fail "$file: field $i '${RECORD[i]}' is not a date"
    [[ ${RECORD[i + 1]} =~ ^[0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] || fail "$file: field $((i + 1)) '${RECORD[i + 1]}' is not a time"
  done
  RECORD_CELLS=''
  for ((i = 4; i < 64; i++)); do
    [[ ${RECORD[i]} =~ ^[012FILNPTUVWXYZ]$ ]] || fail "$file: cell $((i - 4)) holds '${RECORD[i]}'"
    RECORD_CELLS+=${RECORD[i]}
  done
}

ends_in_crlf() { [[ $(tail -c 2 "$1" | od -An -tx1 | tr -d ' \n') == 0d0a ]]; }

register_line_written() { [[ -s $REGISTER ]] && ends_in_crlf "$REGISTER"; }

# --- the test ---------------------------------------------------------------------

[[ $# -ge 1 && -x $1 ]] || {
  echo "usage: $0 TILVAREN_EXECUTABLE [ARTEFACT_DIR [TILVAREN_SOLUTIONS]]" >&2
  exit 2
}
readonly SOLUTIONS=${3:-$(dirname "$1")/tilvaren-solutions}
[[ -x $SOLUTIONS ]] || fail "'$SOLUTIONS' (tilvaren-solutions) is missing"
for tool in Xvfb xdotool xprop import od awk dbus-daemon; do
  command -v "$tool" >/dev/null || fail "'$tool' is missing; scripts/install-deps.sh installs it"
done

readonly EXECUTABLE=$1
ARTEFACTS=$(mkdir -p "${2:-e2e-artefacts}" && cd "${2:-e2e-artefacts}" && pwd)
readonly ARTEFACTS
rm -f "$ARTEFACTS"/*.png "$ARTEFACTS"/tilvaren-*.log "$ARTEFACTS"/xvfb.log "$ARTEFACTS"/Tilvaren.*
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tilvaren-e2e.XXXXXX")
readonly WORK GAME_DIR=$WORK/game HOME_DIR=$WORK/home RUNTIME_DIR=$WORK/runtime
mkdir -p "$GAME_DIR" "$HOME_DIR" "$RUNTIME_DIR"
chmod 700 "$RUNTIME_DIR"
XVFB_PID='' APP_PID='' WIN='' DIALOG='' BUS_PID='' BUS_ADDRESS='' COLLECTION='' EVENTS_PID=''
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_DIR

cleanup() {
  local status=$?
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
  fi
  [[ -z $EVENTS_PID ]] || kill "$EVENTS_PID" 2>/dev/null || true
  [[ -z $BUS_PID ]] || kill "$BUS_PID" 2>/dev/null || true
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  # The program's files go with the evidence when the test failed.
  ((status == 0)) || cp "$GAME_DIR"/Tilvaren.* "$ARTEFACTS"/ 2>/dev/null || true
  rm -rf "$WORK"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb
start_bus

log "1. a fresh folder holding only the executable"
cp "$EXECUTABLE" "$GAME_DIR/tilvaren"
start_a11y_events
start_app first a11y
wait_for "$START_TIMEOUT" "Tilvaren.ini and Tilvaren.csv in the program folder" \
  test -s "$GAME_DIR/Tilvaren.ini" -a -e "$GAME_DIR/Tilvaren.csv"
[[ ! -s $GAME_DIR/Tilvaren.csv ]] || fail "Tilvaren.csv is not empty at the first start"
[[ ! -e $GAME_DIR/Tilvaren.tmp ]] || fail "Tilvaren.tmp exists before any game was closed"

log "2. the window and its cells"
find_window
((WIN_W == (FRAME_X + 1) * CELL)) || fail "the window is $WIN_W wide, not the board area's $(((FRAME_X + 1) * CELL))"
wait_for "$STEP_TIMEOUT" "the 60 empty cells to be drawn" board_top_found
STATUS_H=$((WIN_H - BOARD_TOP - (FRAME_Y + 1) * CELL))
((STATUS_H > 0)) || fail "no room for a status bar below the board area"
log "menu bar ${BOARD_TOP} px, board area $(((FRAME_X + 1) * CELL))x$(((FRAME_Y + 1) * CELL)), status bar ${STATUS_H} px"
EMPTY=$(board_with_pieces_on)
wait_for_board "$EMPTY" "the first start"
expect_no_dialog "at the first start"
expect_title "$WIN" "$TITLE"
SIZE_AT_FIRST_START="$WIN_X $WIN_Y $WIN_W $WIN_H"

log "2a. the executable alone has its help: F1 on the first cell, then Help > Contents"
open_help F1 "F1 on the first cell" context
open_help alt+h+c "Help > Contents" contents
[[ ! -e $GAME_DIR/Tilvaren.hlp ]] || fail "the program wrote a help file beside itself"
press "$WIN" ctrl+v
wait_for "$STEP_TIMEOUT" "the about box on Ctrl+V" about_shown
expect_title "$ABOUT" " V e r s i o n"
wait_for "$STEP_TIMEOUT" "a screen reader to read the about box's name" a11y_says $'about\tT i l v a r e n'
a11y_tree | grep -q $'^about\t.*__' && fail "a screen reader reads out the about box's line of underscores"
# Its frame: a title and a border, no buttons, and only moving offered.
hints=$(xprop -id "$ABOUT" _MOTIF_WM_HINTS 2>/dev/null || true)
[[ $hints == *"= 0x3, 0x4, 0xa, 0x0, 0x0" ]] || fail "the about box asks for another frame: $hints"
press "$ABOUT" Return
wait_for "$STEP_TIMEOUT" "the about box to close with OK" about_closed

log "2b. what a screen reader finds: each cell once, the strip's line, piece support on and off"
wait_for "$STEP_TIMEOUT" "piece support to be heard as off" a11y_says $'toggle\t ピース・サポート(P)\tオフ'
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "the strip's line on the empty board" a11y_says $'line\t完成まで あと 2339 通り'
TREE=$(a11y_tree)
CELLS_HEARD=$(grep -c $'^cell\t' <<<"$TREE" || true)
((CELLS_HEARD == CELLS)) || fail "a screen reader finds $CELLS_HEARD cells, not $CELLS"
NAMES_HEARD=$(grep $'^cell\t' <<<"$TREE" | cut -f 2 | sort -u | wc -l)
((NAMES_HEARD == CELLS)) || fail "a screen reader finds $NAMES_HEARD different cell names, not $CELLS"
grep -qxF $'cell\t6行 10列 空き\tshowing,enabled' <<<"$TREE" || fail "the last cell is not heard as empty"
grep -qxF $'toggle\t ピース・サポート(P)\tオン,checked' <<<"$TREE" || fail "piece support is not heard as on"
click_cell 0
wait_for "$STEP_TIMEOUT" "the first cell to be heard once, as selected" heard_once_as "1行 1列" 選択中
# With 1 and 4 of the first column selected, every piece left takes 2 and 3
# too: the game selects them by itself and tells a screen reader so; the
# cell clicked is heard through its focus.
click_cell 30
wait_for "$STEP_TIMEOUT" "the cells the game selected by itself to be told" told_selected "2行 1列" "3行 1列"
grep -q $'^selected\t[14]行 1列' "$WORK/a11y-events" && fail "a screen reader was told of a cell the player clicked"
wait_for "$STEP_TIMEOUT" "a cell the game selected to be heard as selected" \
  a11y_says $'cell\t2行 1列 選択中\tshowing,enabled,selected'
press "$WIN" ctrl+r
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "piece support to be heard as off again" a11y_says $'toggle\t ピース・サポート(P)\tオフ'
a11y_tree | grep -q $'^line\t' && fail "the hidden strip's line is still exposed"
wait_for_board "$EMPTY" "Ctrl+R after the selection"

log "2c. three hints on the empty board: where, which piece, its five cells; clicked in, the piece stands"
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "the strip's line on the empty board" a11y_says $'line\t完成まで あと 2339 通り'
for words in "ここに入る置き方は" "ここに最も多く入るのは" "を印の 5 マスに置くと"; do
  press "$WIN" ctrl+h
  wait_for "$STEP_TIMEOUT" "the hint '$words' in the strip's line" a11y_line_has "$words"
done
expect_no_dialog "after a hint with the strip on"
# The third level's sentence, whole: longer than the window is wide, it wraps.
LINE=$(a11y_text line)
[[ $LINE =~ ^[FILNPTUVWXYZ]\ を印の\ 5\ マスに置くと、完成まで\ あと\ [0-9]+\ 通り$ ]] ||
  fail "the strip's line reads '$LINE', not the whole sentence of the third hint"
wait_for "$STEP_TIMEOUT" "a screen reader to be told the third hint's sentence" announced "$LINE"
read_geometry
mapfile -t MARKED < <(hinted_cells)
((${#MARKED[@]} == 5)) || fail "a screen reader hears ${#MARKED[@]} cells marked by the third hint, not 5"
log "the third hint marks cells ${MARKED[*]}"
save_screen hint.png
read_board
[[ $STATE == "$EMPTY" ]] || fail "the hints changed the board"
place_piece hinted "${MARKED[@]}"
wait_for_board "$(board_with_pieces_on "${MARKED[@]}")" "clicking the five cells the hint marked"
a11y_tree | grep -q $'^hint\t' && fail "a cell is still heard as marked after the piece was placed"
a11y_line_has "を印の" && fail "the hint's words stayed in the strip's line after the piece was placed"
press "$WIN" ctrl+r
wait_for_board "$EMPTY" "Ctrl+R after the hinted piece"
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "piece support to be heard as off after the hints" a11y_says $'toggle\t ピース・サポート(P)\tオフ'

log "2d. a hint with the strip off: no box; its words under the board, told to a screen reader"
# An I down the second column and the corner selected: no way to finish.
place_piece "I and the corner" 1 11 21 31 41 0
press "$WIN" ctrl+h
wait_for "$STEP_TIMEOUT" "the hint's words under the board" a11y_says_words
expect_no_dialog "after a hint with the strip off"
WORDS=$(a11y_text words)
[[ $WORDS =~ ^(完成できません。.*(通りに戻ります|取り除いてください)|選んでいるマスは、どの完成形にも使えません|この盤は完成できません)$ ]] ||
  fail "the hint's line reads '$WORDS', not a whole sentence on a board that cannot be finished"
wait_for "$STEP_TIMEOUT" "a screen reader to be told '$WORDS'" announced "$WORDS"
read_geometry
((WIN_H > ${SIZE_AT_FIRST_START##* })) || fail "the window did not grow for the hint's line"
save_screen hint-strip-off.png
stop_a11y_events
press "$WIN" ctrl+r
wait_for_board "$EMPTY" "Ctrl+R after the hint with the strip off"
a11y_tree | grep -q $'^words\t' && fail "the hint's words stayed after the board was reset"
strip_hint_gone() { read_geometry && [[ "$WIN_X $WIN_Y $WIN_W $WIN_H" == "$SIZE_AT_FIRST_START" ]]; }
wait_for "$STEP_TIMEOUT" "the window to be as before once the hint's line went" strip_hint_gone

log "3. place two pieces, take one back, select a cell, turn and mirror"
place_piece I 0 1 2 3 4
wait_for_board "$(board_with_pieces_on 0 1 2 3 4)" "clicking cells 0 to 4 (an I piece)"
place_piece L 10 11 12 13 23
wait_for_board "$(board_with_pieces_on 0 1 2 3 4 10 11 12 13 23)" "clicking an L piece under the I"
click_cell 2
wait_for_board "$(board_with_pieces_on 10 11 12 13 23)" "clicking the I piece to take it back"
click_cell 59
[[ ${STATE:59:1} == r ]] || fail "cell 59 is '${STATE:59:1}' after a click, not selected"
for n in 10 11 12 13 23; do
  [[ ${STATE:n:1} == b ]] || fail "the L piece lost cell $n when cell 59 was selected"
done
[[ $(tr -d '.x' <<<"$STATE") == bbbbbr ]] ||
  fail "$(printf 'besides the L and cell 59 only empty and blocked cells were expected:\n%s' "$(board_rows "$STATE")")"
BEFORE_TURN=$STATE
save_screen before-turn.png
press "$WIN" ctrl+t
wait_for_board "$(turned "$BEFORE_TURN")" "Ctrl+T (a half turn)"
save_screen after-turn.png
press "$WIN" ctrl+m
wait_for_board "$(mirrored "$(turned "$BEFORE_TURN")")" "Ctrl+M (a left-right mirror)"
save_screen after-mirror.png
PLAYED=$STATE

log "4. close with Ctrl+X; the game is saved and comes back"
press "$WIN" ctrl+x
wait_for_exit
SAVED=$GAME_DIR/Tilvaren.tmp
[[ -s $SAVED ]] || fail "closing did not write Tilvaren.tmp"
mapfile -t LINES <"$SAVED"
((${#LINES[@]} == 1)) || fail "Tilvaren.tmp holds ${#LINES[@]} lines, not 1"
ends_in_crlf "$SAVED" || fail "Tilvaren.tmp does not end in CR LF"
check_record Tilvaren.tmp "${LINES[0]}" 0000
[[ ${RECORD[1]} == -- && ${RECORD[2]} == - && ${RECORD[3]} == - ]] ||
  fail "Tilvaren.tmp: fields 1-3 are '${RECORD[1]}','${RECORD[2]}','${RECORD[3]}', not '--','-','-'"
EXPECTED_CODES=$(tr '.rxb' '012L' <<<"$PLAYED")
[[ $RECORD_CELLS == "$EXPECTED_CODES" ]] ||
  fail "$(printf 'Tilvaren.tmp holds the cells\n%s\n    where the screen showed (as codes)\n%s' \
    "$(board_rows "$RECORD_CELLS")" "$(board_rows "$EXPECTED_CODES")")"
start_app second a11y
find_window
[[ "$WIN_X $WIN_Y $WIN_W $WIN_H" == "$SIZE_AT_FIRST_START" ]] ||
  fail "the window came back at $WIN_X,$WIN_Y ${WIN_W}x$WIN_H, not as at the first start ($SIZE_AT_FIRST_START)"
wait_for_board "$PLAYED" "starting again over the saved game"
expect_no_dialog "after starting over the saved game"
save_screen restored.png

log "5. reset and play a whole game"
press "$WIN" ctrl+r
wait_for_board "$EMPTY" "Ctrl+R (reset)"
# One piece with the keys alone: the arrows bring the focus to the board and
# to its first cell, Space selects; Space on the piece takes it back.
xdotool windowfocus "$WIN"
xdotool key --clearmodifiers --delay 100 Up Up Up Up Up Up Home space Right space Right space Right space Right space
wait_for_board "$(board_with_pieces_on 0 1 2 3 4)" "an I played with the arrow keys and Space only"
save_screen keyboard-piece.png
xdotool key --clearmodifiers space
wait_for_board "$EMPTY" "Space on the I piece the keyboard rests on (taking it back)"
SOLUTION=$(printf '%s' "${SOLUTION_ROWS[@]}")
PLACED=()
PIECES=$(letters_of "$SOLUTION")
for ((p = 0; p < ${#PIECES}; p++)); do
  play_piece "$p" || break
  expect_no_dialog "after placing the $letter piece"
  if ((p == 1)); then
    TWO_PIECES=$STATE
  elif ((p == 2)); then
    log "5a. undo and redo around the $letter piece"
    THREE_PIECES=$STATE
    press "$WIN" ctrl+z
    wait_for_board "$BEFORE_LAST_CLICK" "Ctrl+Z (undo the $letter piece's last click)"
    press "$WIN" ctrl+y
    wait_for_board "$THREE_PIECES" "Ctrl+Y (redo the $letter piece's last click)"
    press "$WIN" ctrl+alt+z
    wait_for_board "$TWO_PIECES" "Ctrl+Alt+Z (back to the two pieces before the $letter)"
    press "$WIN" ctrl+alt+y
    wait_for_board "$THREE_PIECES" "Ctrl+Alt+Y (forward to the $letter piece placed)"
    expect_no_dialog "after undo and redo"
  fi
done
wait_for "$STEP_TIMEOUT" "a message box after the twelfth piece" dialog_shown
save_screen congratulations.png
expect_title "$DIALOG" "$TITLE"
read -r _ _ DIALOG_W _ < <(geometry_of "$DIALOG")
((DIALOG_W >= 190)) || fail "the Congratulations! box is $DIALOG_W pixels wide, too narrow for its title"
press "$DIALOG" Return
wait_for "$STEP_TIMEOUT" "the message box to close on Return" no_dialog

REGISTER=$GAME_DIR/Tilvaren.csv
wait_for "$STEP_TIMEOUT" "a whole line in Tilvaren.csv" register_line_written
mapfile -t LINES <"$REGISTER"
((${#LINES[@]} == 1)) || fail "Tilvaren.csv holds ${#LINES[@]} lines after one finished game, not 1"
check_record Tilvaren.csv "${LINES[0]}" 0001
FINISHED=$RECORD_CELLS
case $FINISHED in
  "$SOLUTION") IMAGE="as played" ;;
  "$(turned "$SOLUTION")") IMAGE="turned" ;;
  "$(mirrored "$SOLUTION")") IMAGE="mirrored" ;;
  "$(mirrored "$(turned "$SOLUTION")")") IMAGE="turned and mirrored" ;;
  *) fail "$(printf 'Tilvaren.csv records\n%s\n    which is no turn or mirror image of the game played' "$(board_rows "$FINISHED")")" ;;
esac
CUP=$(cup_cell "$FINISHED")
((CUP / FRAME_X < FRAME_Y / 2 && CUP % FRAME_X < FRAME_X / 2)) ||
  fail "the U piece's cup is at cell $CUP, not in the upper-left quarter"
log "the solution was recorded ${IMAGE}, the U's cup at cell $CUP"
wait_for_letters "$FINISHED" "the finished game"

log "5b. the congruence check on Ctrl+C shows its answer and records nothing"
press "$WIN" ctrl+c
wait_for "$STEP_TIMEOUT" "a message box on Ctrl+C (the congruence check)" dialog_shown
expect_title "$DIALOG" "$TITLE"
# The answer is wider than the window: the box is taken whole.
save_window "$DIALOG" congruence-check.png
press "$DIALOG" Return
wait_for "$STEP_TIMEOUT" "the congruence check's box to close on Return" no_dialog
mapfile -t LINES <"$REGISTER"
((${#LINES[@]} == 1)) || fail "Tilvaren.csv holds ${#LINES[@]} lines after the congruence check, not 1"

log "5c. the collection on Ctrl+L: the finished board, found once, by its number"
NUMBER=$("$SOLUTIONS" --list "$REGISTER" | awk '$1 == "6x10" {print $2}')
[[ $NUMBER =~ ^[0-9]+$ ]] || fail "tilvaren-solutions --list gives no 6x10 number for the register: '$NUMBER'"
press "$WIN" ctrl+l
wait_for "$STEP_TIMEOUT" "the collection window on Ctrl+L" collection_shown
expect_title "$COLLECTION" "$COLLECTION_TITLE"
wait_for "$STEP_TIMEOUT" "a screen reader to hear 見つけた解 1 / 2339" a11y_says $'collection\t見つけた解 1 / 2339'
wait_for "$STEP_TIMEOUT" "a screen reader to find the board No. $NUMBER" a11y_finds_solution "$NUMBER"
collection_beside_game
save_window "$COLLECTION" collection.png
press "$COLLECTION" Escape
wait_for "$STEP_TIMEOUT" "the collection window to close on Escape" collection_closed
log "the collection shows solution No. $NUMBER"

log "6. the finished board as an artefact; close"
save_screen finished-board.png
# Piece support: Ctrl+P adds the strip under the board and takes it away
# again, leaving the window as it was.
press "$WIN" ctrl+p
strip_shown() { read_geometry && ((WIN_H > ${SIZE_AT_FIRST_START##* })); }
wait_for "$STEP_TIMEOUT" "the window to grow by the piece support strip on Ctrl+P" strip_shown
save_screen piece-support.png
press "$WIN" ctrl+p
strip_gone() { read_geometry && [[ "$WIN_X $WIN_Y $WIN_W $WIN_H" == "$SIZE_AT_FIRST_START" ]]; }
wait_for "$STEP_TIMEOUT" "the window to be as before on Ctrl+P again" strip_gone
# The finished board at each cell size (the P's inner corner among them).
for size in 18:ctrl+alt+s:242 32:ctrl+alt+l:352 24:ctrl+alt+m:264; do
  IFS=: read -r cell keys width <<<"$size"
  press "$WIN" "$keys"
  wait_for "$STEP_TIMEOUT" "the window to take cells of $cell pixels" window_width_is "$width"
  save_screen "finished-board-$cell.png"
done
press "$WIN" ctrl+x
wait_for_exit

log "6b. at QT_SCALE_FACTOR=2 the collection opens beside the game, on the screen"
start_app scaled a11y QT_SCALE_FACTOR=2
find_window
press "$WIN" ctrl+l
wait_for "$STEP_TIMEOUT" "the collection window on Ctrl+L at scale 2" collection_shown
wait_for "$STEP_TIMEOUT" "a screen reader to hear 見つけた解 1 / 2339 at scale 2" a11y_says $'collection\t見つけた解 1 / 2339'
collection_beside_game
# The one small board chosen with the keyboard, for a picture of it large.
xdotool windowfocus "$COLLECTION"
xdotool key --clearmodifiers --delay 100 Tab Tab Tab Home
chosen_shown() { (($(a11y_tree | grep -c $'^solution\t') == 2)); }
wait_for "$STEP_TIMEOUT" "the chosen solution shown large at scale 2" chosen_shown
import -silent -window root "$ARTEFACTS/scale2-screen.png"
save_window "$COLLECTION" collection-scale2.png
press "$COLLECTION" Escape
wait_for "$STEP_TIMEOUT" "the collection window to close on Escape" collection_closed
press "$WIN" ctrl+x
wait_for_exit
grep -q '^iniCollectionWidth=[0-9]' "$GAME_DIR/Tilvaren.ini" || fail "Tilvaren.ini keeps no size of the collection"

log "7. the options dialog: 5 x 12 with 32-pixel cells"
start_app third
find_window
wait_for "$STEP_TIMEOUT" "the 60 empty cells after a finished game" board_top_found
wait_for_board "$EMPTY" "starting after a finished game (a new game on the same frame)"
press "$WIN" ctrl+o
wait_for "$STEP_TIMEOUT" "the options dialog on Ctrl+O" options_shown
# The frame page comes first: Tab goes to its first item (3 x 20), two down
# to 5 x 12 and Space chooses it; then the other page's large cells, and OK.
expect_title "$OPTIONS" " O p t i o n s"
# F1 in the dialog opens help that takes keys while the dialog stays open.
wait_for "$STEP_TIMEOUT" "the options dialog to take the keyboard focus" options_focused
xdotool key --clearmodifiers F1
wait_for "$STEP_TIMEOUT" "the help window on F1 in the options dialog" help_shown
press "$HELP" Escape
wait_for "$STEP_TIMEOUT" "the help window to close on Escape while the options dialog is open" help_closed
options_shown || fail "the options dialog closed with the help window"
wait_for "$STEP_TIMEOUT" "the options dialog to take the keyboard focus" options_focused
xdotool key --clearmodifiers --delay 150 alt+p Tab Down Down space alt+e alt+l Return
wait_for "$STEP_TIMEOUT" "the options dialog to close with OK" options_closed
FRAME_X=12 FRAME_Y=5 CELL=32
wait_for "$STEP_TIMEOUT" "the window to take 5 x 12 cells of 32 pixels" window_fits_frame
grep -q '^iniFrameY=5' "$GAME_DIR/Tilvaren.ini" || fail "Tilvaren.ini does not hold the 5 x 12 frame"
grep -q '^iniFrameSize=32' "$GAME_DIR/Tilvaren.ini" || fail "Tilvaren.ini does not hold the 32-pixel cells"
wait_for "$STEP_TIMEOUT" "the 60 empty cells in the new arrangement" board_top_found
wait_for_board "$EMPTY" "choosing 5 x 12 and 32 pixels"
save_screen options-applied.png
press "$WIN" ctrl+x
wait_for_exit
start_app fourth
find_window
((WIN_W == (FRAME_X + 1) * CELL)) || fail "the next start is $WIN_W wide, not as the options left it"
wait_for "$STEP_TIMEOUT" "the 60 empty cells at the next start" board_top_found
wait_for_board "$EMPTY" "the next start after the options"
click_cell 0
[[ ${STATE:0:1} == r ]] || fail "cell 0 of the 5 x 12 frame is '${STATE:0:1}' after a click, not selected"

log "8. a challenge from the collection (Alt+T, Return); Ctrl+Z brings back the board before it"
BEFORE_CHALLENGE=$STATE
titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true; }
collection_focused() {
  COLLECTION=$(titled ' C o l l e c t i o n')
  [[ -n $COLLECTION ]] && xdotool windowfocus "$COLLECTION" 2>/dev/null &&
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$COLLECTION" ]]
}
level_dialog_shown() {
  LEVELS=$(titled '挑戦')
  [[ -n $LEVELS ]]
}
level_dialog_closed() { [[ -z $(titled '挑戦') ]]; }
# A ふつう challenge: six pieces (30 cells) left to place, the other six placed.
challenge_on_board() {
  read_board
  local empty=${STATE//[^.]/} placed=${STATE//[^b]/}
  ((${#empty} == 30 && ${#placed} == 30))
}
press "$WIN" ctrl+l
wait_for "$STEP_TIMEOUT" "the collection window on Ctrl+L to take the keyboard focus" collection_focused
xdotool key --clearmodifiers alt+t
wait_for "$STEP_TIMEOUT" "the level dialog on Alt+T" level_dialog_shown
press "$LEVELS" Return
wait_for "$STEP_TIMEOUT" "the level dialog to close on Return" level_dialog_closed
wait_for "$STEP_TIMEOUT" "a ふつう challenge on the board (six pieces placed, six to place)" challenge_on_board
save_screen challenge.png
press "$WIN" ctrl+z
wait_for_board "$BEFORE_CHALLENGE" "Ctrl+Z after taking the challenge"
press "$WIN" ctrl+x
wait_for_exit
grep -q '^5,--,-,-,1,' "$GAME_DIR/Tilvaren.tmp" || fail "Tilvaren.tmp does not hold the 5 x 12 game"

log "9. in English: chosen in the options dialog, then a whole game read through the screen reader"
start_app fifth a11y
find_window
press "$WIN" ctrl+r
press "$WIN" ctrl+F6
press "$WIN" ctrl+alt+m
FRAME_X=10 FRAME_Y=6 CELL=24
wait_for "$STEP_TIMEOUT" "the window to take 6 x 10 cells of 24 pixels again" window_fits_frame
wait_for "$STEP_TIMEOUT" "the 60 empty cells of 6 x 10 again" board_top_found
wait_for_board "$EMPTY" "Ctrl+R, Ctrl+F6 and Ctrl+Alt+M"
press "$WIN" ctrl+o
wait_for "$STEP_TIMEOUT" "the options dialog on Ctrl+O" options_shown
wait_for "$STEP_TIMEOUT" "the options dialog to take the keyboard focus" options_focused
# The language choice (言語, Alt+G) on the page 環 境 (Alt+E): English is below 日本語.
xdotool key --clearmodifiers --delay 150 alt+e alt+g Down Return
wait_for "$STEP_TIMEOUT" "the options dialog to close with OK" options_closed
grep -q '^iniLanguage=en' "$GAME_DIR/Tilvaren.ini" || fail "Tilvaren.ini does not hold the English choice"
wait_for "$STEP_TIMEOUT" "piece support to be heard as off, in English" a11y_says $'toggle\t Piece Support\toff'
a11y_tree | grep -q $'^cell\t[0-9]*行' && fail "a cell is still named in Japanese after English was chosen"
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "the strip's line in English" a11y_says $'line\t2339 ways left'
press "$WIN" ctrl+h
wait_for "$STEP_TIMEOUT" "the first hint in the strip's line, in English" a11y_line_has "Only [0-9]* placements\? fits\? here"
save_screen english-hint.png
# The strip off while playing, so that the box after the last piece, centred
# on the window, leaves the last cell clicked in sight.
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "piece support to be heard as off again, in English" a11y_says $'toggle\t Piece Support\toff'
PLACED=()
for ((p = 0; p < ${#PIECES}; p++)); do
  play_piece "$p" ", in English" || break
done
wait_for "$STEP_TIMEOUT" "a message box after the twelfth piece, in English" dialog_shown
press "$DIALOG" Return
wait_for "$STEP_TIMEOUT" "the message box to close on Return" no_dialog
press "$WIN" ctrl+p
wait_for "$STEP_TIMEOUT" "the strip's line to read Finished" a11y_says $'line\tFinished'
a11y_says $'cell\tRow 1, column 1, piece '"${FINISHED:0:1}"$'\tshowing,enabled' ||
  fail "the first cell is not heard as a piece, in English"
save_screen english-finished.png
press "$WIN" ctrl+l
wait_for "$STEP_TIMEOUT" "the collection window on Ctrl+L, in English" collection_shown
wait_for "$STEP_TIMEOUT" "a screen reader to hear Solutions found: 1 / 2339" a11y_says $'collection\tSolutions found: 1 / 2339'
wait_for "$STEP_TIMEOUT" "a screen reader to find the board No. $NUMBER, in English" a11y_finds_solution "$NUMBER"
save_window "$COLLECTION" english-collection.png
press "$COLLECTION" Escape
wait_for "$STEP_TIMEOUT" "the collection window to close on Escape" collection_closed
press "$WIN" ctrl+x
wait_for_exit
grep -q '^iniLanguage=en' "$GAME_DIR/Tilvaren.ini" || fail "closing lost the English choice"
# Clicks played the built-in click sound without a complaint (the machine
# may have no audio device, which is no fault of the program's).
# Nor is a key event the accessibility registry did not answer in time while
# the test's listener was on the bus (a loaded machine's registry, not the game).
if grep -viE 'pulseaudio|no audio device|propagateSizeHints|QSpiApplication::keyEventError' "$ARTEFACTS"/tilvaren-*.log |
  grep -iE 'error|warning|cannot|fail'; then
  fail "the program complained while it was played; see $ARTEFACTS/tilvaren-*.log"
fi
[[ -z $(find "$HOME_DIR" -iname 'tilvaren*' -print -quit) ]] ||
  fail "the program wrote into its home folder although its own folder is writable"
log "passed in ${SECONDS}s"
