#!/usr/bin/python3
"""Plays Tilvaren on Wayland as a screen reader's user would: the real program
as a client of a private weston (its headless back end, drawing into memory),
played through the actions the accessibility tree offers on the real widgets
(no keyboard or pointer reaches a headless compositor), watched through that
tree, its files and weston's own screenshots.

  play_wayland.py TILVAREN_EXECUTABLE [ARTEFACT_DIR]

The executable is copied alone into a fresh folder, so the program keeps its
files next to it. Screenshots, weston's log and the program's output go to
ARTEFACT_DIR (default ./e2e-wayland-artefacts). The first deviation ends the
run with a message and exit status 1.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

START_TIMEOUT = int(os.environ.get("E2E_START_TIMEOUT", "120"))
STEP_TIMEOUT = int(os.environ.get("E2E_STEP_TIMEOUT", "60"))
SOCKET = "tilvaren-e2e"
TITLE = " T i l v a r e n"
FRAME_X, FRAME_Y = 10, 6
CELLS = FRAME_X * FRAME_Y
# The whole game played, rows top to bottom.
SOLUTION = "".join([
    "ZZLIIIIIFF",
    "NZLLLLYFFV",
    "NZZXYYYYFV",
    "NNXXXWTVVV",
    "UNUXWWTPPP",
    "UUUWWTTTPP",
])
# Lines of the program's output that tell of the machine, not of the program.
MACHINE_LINES = re.compile(r"pulseaudio|no audio device|PulseAudioService", re.I)
COMPLAINTS = re.compile(r"error|warning|cannot|fail|qt\.qpa", re.I)
CELL_NAME = re.compile(r"^(\d+)行 (\d+)列 (.*)$")
# A cell of a placed piece shows blue over most of its 24 x 24 pixels.
PIECE_PIXELS = 200


class Failure(Exception):
    pass


def log(text):
    print(f"[e2e-wayland {time.monotonic() - STARTED:5.0f}s] {text}", flush=True)


def wait_for(limit, what, probe):
    """Runs probe every tenth of a second until it gives a true value, which
    is returned; fails the test after `limit` seconds."""
    deadline = time.monotonic() + limit
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"gave up after {limit}s waiting for {what}")
        time.sleep(0.1)


def turned(board):
    return board[::-1]


def mirrored(board):
    return "".join(board[r * FRAME_X:(r + 1) * FRAME_X][::-1] for r in range(FRAME_Y))


class Desktop:
    """A private weston and session bus, and the program's starts on them."""

    def __init__(self, work, artefacts):
        self.work, self.artefacts = work, artefacts
        self.game = os.path.join(work, "game")
        self.home = os.path.join(work, "home")
        self.runtime = os.path.join(work, "runtime")
        for folder in (self.game, self.home, self.runtime):
            os.makedirs(folder)
        os.chmod(self.runtime, 0o700)
        self.weston = None
        self.bus_pid = None
        self.app = None
        self.app_log = None

    def start_weston(self):
        # --debug offers weston's screenshooter; pixman draws into memory.
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        with open(os.path.join(self.artefacts, "weston.log"), "wb") as out:
            self.weston = subprocess.Popen(
                ["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", "--width=1024", "--height=768",
                 "--use-pixman", "--debug", "--no-config", "--idle-time=0"],
                env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)

        def listening():
            if self.weston.poll() is not None:
                raise Failure("weston exited at start; see weston.log")
            return os.path.exists(os.path.join(self.runtime, SOCKET))

        wait_for(30, "weston's socket", listening)
        log(f"weston listening on {SOCKET}")

    def start_bus(self):
        out = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                             capture_output=True, text=True, check=True).stdout.split("\n")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = out[0]
        self.bus_pid = int(out[1])

    def start_app(self, name, extra=None):
        """Starts the copied program on weston alone, with a private home and
        runtime folder and the accessibility bus on."""
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "SESSION_MANAGER",
                            "XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID") and not k.startswith("QT_")}
        env.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.update(extra or {})
        self.app_log = os.path.join(self.artefacts, f"tilvaren-{name}.log")
        with open(self.app_log, "wb") as out:
            process = subprocess.Popen(["./tilvaren"], cwd=self.game, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.STDOUT)
        log(f"started the program ({name}), pid {process.pid}")
        return process

    def output(self, path=None):
        with open(path or self.app_log, encoding="utf-8", errors="replace") as f:
            return [line for line in f.read().splitlines() if not MACHINE_LINES.search(line)]

    def wait_for_exit(self, process, what):
        try:
            status = process.wait(STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not exit after {what}") from None
        if status != 0:
            raise Failure(f"the program exited with status {status} after {what}; see {self.app_log}")

    def screenshot(self, name):
        """What weston shows now, taken by weston's own screenshooter."""
        shots = os.path.join(self.work, "shots")
        os.makedirs(shots, exist_ok=True)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=SOCKET)
        subprocess.run(["weston-screenshooter"], cwd=shots, env=env, check=True, timeout=STEP_TIMEOUT,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        taken = [f for f in os.listdir(shots) if f.endswith(".png")]
        if len(taken) != 1:
            raise Failure(f"weston-screenshooter left {taken}, not one picture")
        path = os.path.join(self.artefacts, name)
        shutil.move(os.path.join(shots, taken[0]), path)
        return path

    def stop(self):
        for process in (self.app, self.weston):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
        if self.bus_pid:
            try:
                os.kill(self.bus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


def pieces_blue(picture):
    """How many pixels of a screenshot are the pure blue of a placed piece."""
    count = subprocess.run(["convert", picture, "-alpha", "off", "-fill", "black", "+opaque", "#0000FF", "-fill",
                            "white", "-opaque", "#0000FF", "-format", "%[fx:round(mean*w*h)]", "info:"],
                           capture_output=True, text=True, check=True).stdout
    return int(count)


class Game:
    """The running program as the accessibility tree shows it."""

    def __init__(self, process):
        self.process = process

    def application(self):
        if self.process.poll() is not None:
            raise Failure(f"the program exited (status {self.process.returncode})")
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.name == "tilvaren" and app.get_process_id() == self.process.pid:
                    return app
            except GLib.Error:
                continue
        return None

    def windows(self):
        app = self.application()
        return list(app) if app is not None else []

    def window(self, title):
        for window in self.windows():
            if window.name == title and shown(window):
                return window
        return None

    def main_window(self):
        frames = [w for w in self.windows() if w.name == TITLE and w.getRole() == pyatspi.ROLE_FRAME]
        return frames[0] if len(frames) == 1 else None

    def cells(self):
        """Each cell's control and what it says, by cell number; None while
        the board is not (or not wholly) there."""
        window = self.main_window()
        board = find(window, lambda n: n.name == "盤") if window is not None else None
        if board is None:
            return None
        found = {}
        for control in board:
            match = CELL_NAME.match(control.name or "")
            if match:
                n = (int(match.group(1)) - 1) * FRAME_X + int(match.group(2)) - 1
                if n in found:
                    raise Failure(f"cell {n} is heard twice")
                found[n] = (control, match.group(3))
        return found if len(found) == CELLS else None

    def board(self):
        """The cells as one string: "." empty, "s" selected, "x" unusable, the
        letter of a placed piece, "?" anything else."""
        cells = self.cells()
        if cells is None:
            return None
        words = {"空き": ".", "選択中": "s", "使えない": "x"}
        return "".join(words.get(cells[n][1], cells[n][1][-1] if cells[n][1].startswith("ピース ") else "?")
                       for n in range(CELLS))

    def settled_board(self):
        first = self.board()
        time.sleep(0.1)
        return first if first is not None and first == self.board() else None

    def menu_item(self, menu, item):
        window = self.main_window()
        bar = find(window, lambda n: n.getRole() == pyatspi.ROLE_MENU_BAR) if window is not None else None
        for entry in bar or []:
            if entry.name.startswith(menu):
                for child in entry[0]:
                    if child.name.strip().startswith(item):
                        return child
        raise Failure(f"no menu item {menu} > {item}")


def shown(window):
    """A window is shown, not merely kept for later (a dialog reused) or gone."""
    try:
        return window.getState().contains(pyatspi.STATE_SHOWING)
    except GLib.Error:
        return False


def find(node, wanted, depth=0):
    if node is None or depth > 30:
        return None
    if wanted(node):
        return node
    for child in node:
        hit = find(child, wanted, depth + 1)
        if hit is not None:
            return hit
    return None


def a11y_bus():
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
    return Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)


def press(node):
    """Does the control's press action, as a screen reader does, without
    waiting for an answer: Qt answers only after a modal box it opens closes."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise Failure(f"'{node.name}' offers no press action, only {names}")
    message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction")
    message.set_body(GLib.Variant("(i)", (names.index("Press"),)))
    message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
    BUS.send_message(message, Gio.DBusSendMessageFlags.NONE)
    BUS.flush_sync(None)


def click_cell(game, n):
    cells = wait_for(STEP_TIMEOUT, "the board", game.cells)
    control, state = cells[n]
    if state != "空き":
        return False
    press(control)
    wait_for(STEP_TIMEOUT, f"cell {n} to change from empty after its press",
             lambda: (game.cells() or {}).get(n, (None, "空き"))[1] != "空き")
    return True


def place_piece(game, letter, cells, last=False):
    """Presses the piece's cells that are still empty (the program selects
    and places some by itself) and waits for the piece to stand; the last
    piece finishes the board, which may then turn to its normal position."""
    for n in cells:
        click_cell(game, n)
    if last:
        return
    wait_for(STEP_TIMEOUT, f"the {letter} piece to stand on cells {cells}",
             lambda: (lambda b: b is not None and all(b[n] == letter for n in cells))(game.settled_board()))


def cells_of(board, letter):
    return [n for n in range(CELLS) if board[n] == letter]


def letters_in_order(board):
    return list(dict.fromkeys(board))


def dialog_with(game, text):
    """A window of the program other than the main one, showing `text`."""
    main = game.main_window()
    for window in game.windows():
        if window != main and shown(window) and find(window, lambda n: n.name == text) is not None:
            return window
    return None


def press_ok(game, window, what):
    press(wait_for(STEP_TIMEOUT, f"an OK button in {what}",
                   lambda: find(window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK")))
    wait_for(STEP_TIMEOUT, f"{what} to close on OK", lambda: window not in game.windows() or not shown(window))


def check_record(line, marker):
    if not line.endswith("\r\n"):
        raise Failure(f"the line does not end in CR LF: {line!r}")
    fields = line[:-2].split(",")
    if len(fields) != 69 or fields[0] != "6" or fields[68] != marker:
        raise Failure(f"not a 6 x 10 record ending in {marker}: {line!r}")
    return "".join(fields[4:64])


def quiet_at_start(desktop, what):
    said = desktop.output()
    if said:
        raise Failure(f"the program printed at {what}:\n" + "\n".join(said))


def play(desktop):
    log("1. weston, a session bus and a fresh folder holding only the executable")
    desktop.start_weston()
    desktop.start_bus()
    global pyatspi, Gio, GLib, BUS
    import pyatspi  # noqa: E402 (it reads the session bus's address as it loads)
    from gi.repository import Gio, GLib
    BUS = a11y_bus()
    shutil.copy(sys.argv[1], os.path.join(desktop.game, "tilvaren"))

    desktop.app = desktop.start_app("first")
    game = Game(desktop.app)
    empty = "." * CELLS
    wait_for(START_TIMEOUT, "the window's 60 empty cells", lambda: game.settled_board() == empty)
    quiet_at_start(desktop, "its first start")
    # The window's icon in the title bar has the pieces' blue too, so the
    # blue of the empty board is the measure for the rest.
    shot = desktop.screenshot("start.png")
    unplaced = pieces_blue(shot)
    if unplaced > PIECE_PIXELS:
        raise Failure(f"weston shows {unplaced} pixels of piece colour before any piece was placed; see {shot}")

    log("2. a whole game, cell by cell through the accessibility tree")
    letters = list(letters_in_order(SOLUTION))
    for letter in letters:
        place_piece(game, letter, cells_of(SOLUTION, letter), last=letter == letters[-1])
    congratulations = wait_for(STEP_TIMEOUT, "the Congratulations! box", lambda: dialog_with(game, "Congratulations!"))
    if congratulations.name != TITLE:
        raise Failure(f"the Congratulations! box is titled {congratulations.name!r}")
    shot = desktop.screenshot("finished.png")
    blue = pieces_blue(shot) - unplaced
    if blue < CELLS * PIECE_PIXELS:
        raise Failure(f"weston shows {blue} pixels of piece colour, too few for a full board; see {shot}")
    press_ok(game, congratulations, "the Congratulations! box")
    register = os.path.join(desktop.game, "Tilvaren.csv")
    lines = wait_for(STEP_TIMEOUT, "a line in Tilvaren.csv",
                     lambda: (lambda t: t if t.endswith("\r\n") else None)(open(register, newline="").read()))
    lines = lines.splitlines(keepends=True)
    if len(lines) != 1:
        raise Failure(f"Tilvaren.csv holds {len(lines)} lines after one game")
    if check_record(lines[0], "0001") not in {SOLUTION, turned(SOLUTION), mirrored(SOLUTION),
                                              turned(mirrored(SOLUTION))}:
        raise Failure(f"Tilvaren.csv records a board that is no image of the game played: {lines[0]!r}")

    log("3. a second start hands its activation token over and ends; one window stays")
    second = desktop.start_app("second", {"XDG_ACTIVATION_TOKEN": "e2e-token-1"})
    desktop.wait_for_exit(second, "a second start")
    quiet_at_start(desktop, "a second start")
    desktop.app_log = os.path.join(desktop.artefacts, "tilvaren-first.log")
    wait_for(STEP_TIMEOUT, "the running copy's one window", game.main_window)

    log("4. reset, two pieces, the about box, then File > Exit; the game is saved")
    press(game.menu_item("編集", "リセット"))
    wait_for(STEP_TIMEOUT, "the empty board after Edit > Reset", lambda: game.settled_board() == empty)
    kept = letters_in_order(SOLUTION)[:2]
    for letter in kept:
        place_piece(game, letter, cells_of(SOLUTION, letter))
    played = game.settled_board()
    press(game.menu_item("ﾍﾙﾌﾟ", "バージョン情報"))
    about = wait_for(STEP_TIMEOUT, "the about box", lambda: game.window(" V e r s i o n"))
    press_ok(game, about, "the about box")
    press(game.menu_item("ﾌｧｲﾙ", "終了"))
    desktop.wait_for_exit(desktop.app, "File > Exit")
    if not os.path.getsize(os.path.join(desktop.game, "Tilvaren.tmp")):
        raise Failure("closing did not write Tilvaren.tmp")

    log("5. the next start shows the game kept")
    desktop.app = desktop.start_app("third")
    game = Game(desktop.app)
    restored = wait_for(START_TIMEOUT, "the window's cells", game.settled_board)
    for letter in kept:
        if cells_of(restored, letter) != cells_of(SOLUTION, letter):
            raise Failure(f"the {letter} piece is not back on its cells: {restored}")
    if [c for c in restored if c.isalpha()] != [c for c in played if c.isalpha()]:
        raise Failure(f"the board came back as {restored}, not as {played}")
    quiet_at_start(desktop, "the start over the saved game")
    desktop.screenshot("restored.png")

    log("6. the help and the collection open beside the game; File > Exit ends it with them open")
    press(game.menu_item("ﾍﾙﾌﾟ", "目次"))
    wait_for(STEP_TIMEOUT, "the help window", lambda: game.window(" T i l v a r e n  ヘルプ"))
    press(game.menu_item("表示", "コレクション"))
    collection = wait_for(STEP_TIMEOUT, "the collection window", lambda: game.window(" C o l l e c t i o n"))
    wait_for(STEP_TIMEOUT, "the collection to count the one solution found",
             lambda: find(collection, lambda n: n.name == "見つけた解 1 / 2339"))
    desktop.screenshot("help-and-collection.png")
    press(game.menu_item("ﾌｧｲﾙ", "終了"))
    desktop.wait_for_exit(desktop.app, "File > Exit")

    for name in sorted(os.listdir(desktop.artefacts)):
        if name.startswith("tilvaren-"):
            said = [line for line in desktop.output(os.path.join(desktop.artefacts, name)) if COMPLAINTS.search(line)]
            if said:
                raise Failure(f"the program complained in {name}:\n" + "\n".join(said))
    log("passed")


def main():
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        print(f"usage: {sys.argv[0]} TILVAREN_EXECUTABLE [ARTEFACT_DIR]", file=sys.stderr)
        return 2
    for tool in ("weston", "weston-screenshooter", "dbus-daemon", "convert"):
        if shutil.which(tool) is None:
            print(f"FAIL: '{tool}' is missing; scripts/install-deps.sh installs it", file=sys.stderr)
            return 1
    artefacts = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "e2e-wayland-artefacts")
    os.makedirs(artefacts, exist_ok=True)
    for name in os.listdir(artefacts):
        os.remove(os.path.join(artefacts, name))
    work = tempfile.mkdtemp(prefix="tilvaren-e2e-wayland.")
    desktop = Desktop(work, artefacts)
    try:
        play(desktop)
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        try:
            desktop.screenshot("failure.png")
        except Exception:  # the failure itself may be that weston is gone
            pass
        for name in os.listdir(desktop.game):
            if name.startswith("Tilvaren."):
                shutil.copy(os.path.join(desktop.game, name), artefacts)
        return 1
    finally:
        desktop.stop()
        shutil.rmtree(work, ignore_errors=True)


STARTED = time.monotonic()
if __name__ == "__main__":
    sys.exit(main())
