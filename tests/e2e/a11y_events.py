#!/usr/bin/python3
"""Prints, one a line and as they come, the cells a screen reader is told have
become selected (the focused cell is heard through its focus instead):

  listening                     once, when the listener is registered
  selected <TAB> NAME           a cell told as selected ("2行 1列 選択中")
  announced <TAB> NAME          words shown as a notification, which screen
                                readers read out as it shows (a hint's words)

It listens on the accessibility bus of DBUS_SESSION_BUS_ADDRESS, as a screen
reader does, until it is stopped. Start it before the program, which asks at
its start which events are listened to.
"""
import sys

import pyatspi

from a11y_tree import CELL


def on_selected(event):
    if event.detail1 != 1:
        return
    try:
        name = event.source.name or ""
    except Exception:  # the cell went away before it could be asked
        return
    if CELL.match(name):
        print(f"selected\t{name}", flush=True)


def on_showing(event):
    if event.detail1 != 1:
        return
    try:
        if event.source.getRole() != pyatspi.ROLE_NOTIFICATION:
            return
        name = event.source.name or ""
    except Exception:
        return
    print(f"announced\t{name}", flush=True)


def main():
    pyatspi.Registry.registerEventListener(on_selected, "object:state-changed:selected")
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    # As a screen reader does: the program then tells of new names, which
    # keeps the names read above current.
    pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")
    print("listening", flush=True)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
