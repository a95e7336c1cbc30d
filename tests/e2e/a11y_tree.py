#!/usr/bin/python3
"""Prints what a screen reader finds in the running game, one fact a line:

  cell <TAB> NAME <TAB> STATES    each control named for a cell ("1行 1列 空き")
  hint <TAB> NAME                 a cell control a hint has marked
  line <TAB> TEXT                 the text in the piece support strip
  words <TAB> TEXT                a hint's words in their own line (the strip off)
  toggle <TAB> NAME <TAB> STATE   each menu item described as on or off
  collection <TAB> NAME           each collection page's header ("見つけた解 1 / 2339")
  solution <TAB> NAME             each small board in the collection ("No. 512　...")
  about <TAB> NAME                each thing read out in the about box

in the game's Japanese, or in its English ("Row 1, column 1, empty",
"Solutions found: 1 / 2339", "No. 512, first found ...", "on" and "off").

It reads the accessibility tree over the session bus in
DBUS_SESSION_BUS_ADDRESS, as a screen reader does; exits 1 when the game is
not on that bus.
"""
import re
import sys

import pyatspi

CELL = re.compile(r"^(\d+行 \d+列 |Row \d+, column \d+, )")
HEADER = re.compile(r"^(見つけた解|Solutions found:) \d+ / \d+$")
SOLUTION = re.compile(r"^No\. \d+(　|, first found )")
ABOUT = " V e r s i o n"
STRIP = ("ピース・サポート", "Piece Support")
HINT = ("ヒント", "hint")
TOGGLE = ("オン", "オフ", "on", "off")


def states_of(node):
    wanted = {
        pyatspi.STATE_SHOWING: "showing",
        pyatspi.STATE_ENABLED: "enabled",
        pyatspi.STATE_CHECKABLE: "checkable",
        pyatspi.STATE_CHECKED: "checked",
        pyatspi.STATE_FOCUSED: "focused",
        pyatspi.STATE_SELECTED: "selected",
    }
    have = node.getState()
    return ",".join(word for state, word in wanted.items() if have.contains(state))


def walk(node, parent_name, depth, out, in_about=False):
    if node is None or depth > 40:
        return
    name = node.name or ""
    role = node.getRole()
    if in_about:
        if name:
            out.append(f"about\t{name}")
    elif name == ABOUT and role in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW):
        in_about = True
    elif CELL.match(name):
        out.append(f"cell\t{name}\t{states_of(node)}")
        if node.description in HINT:
            out.append(f"hint\t{name}")
    elif HEADER.match(name):
        out.append(f"collection\t{name}")
    elif SOLUTION.match(name):
        out.append(f"solution\t{name}")
    elif role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_NOTIFICATION) and parent_name in STRIP:
        out.append(f"line\t{name}")
    elif role == pyatspi.ROLE_NOTIFICATION and name:
        out.append(f"words\t{name}")
    elif role in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM) and node.description in TOGGLE:
        checked = node.getState().contains(pyatspi.STATE_CHECKED)
        out.append(f"toggle\t{name}\t{node.description}{',checked' if checked else ''}")
    for child in node:
        walk(child, name, depth + 1, out, in_about)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "tilvaren":
            out = []
            walk(app, "", 0, out)
            print("\n".join(out))
            return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
