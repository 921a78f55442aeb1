#!/usr/bin/python3
"""Reads the patch librarian's and the plug-in selector's lists over AT-SPI,
as a screen reader does.

Usage: list_screen_reader.py PID

Has the test open the patch librarian on a bank of patches named "Patch 000"
to "Patch 099" (padded with blanks to 16 places, as the unit pads them), then
checks that the list reads as a table: its column headings, each row's cells,
the selected row, and the events that tell a reader where the selection went
as the arrows move it. It renames a patch with F2 (the field reads the name
without its blanks) and moves it down, and checks that the changed rows are
read anew. Then the plug-in selector, over two plug-ins, opens with its first
row selected. Steps are asked for with "step NAME" on stdout; every check
prints "ok ..." or "fail ..."; the exit status is the number of failures (at
most 100).
"""

import sys

import pyatspi

from screen_reader import Recorder, check, find_application, pump_until, step, text_of
import screen_reader

EVENTS = ["object:active-descendant-changed", "object:state-changed:focused", "object:state-changed:selected",
          "object:selection-changed", "object:property-change:accessible-name"]


def find(root, test, depth=0):
    """The first object under root, depth first, for which test holds."""
    if root is None or depth > 12:
        return None
    if test(root):
        return root
    for i in range(min(root.childCount, 20)):
        found = find(root[i], test, depth + 1)
        if found is not None:
            return found
    return None


def window(app, title):
    found = []
    # A window closed before may still be listed, gone from the bus.
    pump_until(lambda: found.extend(w for w in app if screen_reader.live_name(w) == title) or found)
    return found[0] if found else None


def table_in(top):
    return find(top, lambda o: o.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE))


def cell(table, row, column):
    return text_of(table.queryTable().getAccessibleAt(row, column).name)


def row_texts(table, row):
    return [cell(table, row, c) for c in range(table.queryTable().nColumns)]


def read_table(table, headings, rows, selected):
    """Checks the headings, some rows (index: texts) and the selected rows."""
    grid = table.queryTable()
    check([grid.getColumnHeader(c).name for c in range(grid.nColumns)] == headings,
          f"the columns are headed {headings}")
    check(grid.nRows == len(rows) or max(rows) < grid.nRows, f"the table has {grid.nRows} rows")
    for index, texts in rows.items():
        check(row_texts(table, index) == texts, f"row {index} reads {row_texts(table, index)}")
    check(list(grid.getSelectedRows()) == selected, f"the selected rows are {list(grid.getSelectedRows())}")


def moves_to(table, key, row, texts):
    """The key moves the selection to row: a reader is told the row's cells."""
    events = Recorder(*EVENTS)
    table.childCount  # a round trip: the application has learnt of the listeners
    step(key)
    first = texts[0]
    check(pump_until(lambda: events.saw("object:active-descendant-changed", data=first)),
          f"{key}: the focus goes to the row of {first}")
    check(events.saw("object:selection-changed"), f"{key}: the table's selection changed")
    check(list(table.queryTable().getSelectedRows()) == [row], f"{key}: row {row} is the one selected")
    focused = table.queryTable().getAccessibleAt(row, 0)
    check(focused.getState().contains(pyatspi.STATE_FOCUSED), f"{key}: its first cell reports focused")
    # What a reader says of the row: each of its cells.
    check(row_texts(table, row) == texts, f"{key}: the row reads {row_texts(table, row)}")
    events.close()


def open_table(app, name, title, what):
    """Has the test open a window (step name); its list as a table, or None."""
    step(name)
    table = table_in(window(app, title))
    return table if check(table is not None, f"the {what}'s list is a table") else None


def patch_librarian(app):
    table = open_table(app, "OPEN PATCHES", "Patch librarian", "librarian")
    if table is None:
        return
    check(pump_until(lambda: table.queryTable().nRows == 100), "it lists the 100 patches")
    check(pump_until(lambda: table.getState().contains(pyatspi.STATE_FOCUSED)), "the list has the keys")
    read_table(table, ["Index", "Name"], {0: ["0", "Patch 000"], 99: ["99", "Patch 099"]}, [0])
    moves_to(table, "DOWN", 1, ["1", "Patch 001"])

    names = Recorder("object:property-change:accessible-name", "object:text-changed:insert",
                     "object:selection-changed")
    table.childCount
    step("F2")
    rename = window(app, "Rename")
    field = find(rename, lambda o: o.getRole() == pyatspi.ROLE_TEXT)
    if check(field is not None, "the rename dialog has a text field"):
        text = field.queryText()
        check(text.getText(0, -1) == "Patch 001", f"the field reads {text.getText(0, -1)!r}, without the padding")
        step("END X")
        check(pump_until(lambda: text.getText(0, -1) == "Patch 001x"), f"End and x give {text.getText(0, -1)!r}")
    step("ENTER")
    check(pump_until(lambda: cell(table, 1, 1) == "Patch 001x"), f"the renamed row reads {cell(table, 1, 1)!r}")
    check(pump_until(lambda: names.saw("object:property-change:accessible-name", data="Patch 001x")
                     or names.saw("object:text-changed:insert", data="Patch 001x"), 3),
          "a reader is told the new name")
    names.events.clear()

    step("MOVE DOWN")
    # The row the reader has read is told its new name; the next reads anew.
    check(pump_until(lambda: names.saw("object:text-changed:insert", data="Patch 002"), 3),
          "a reader is told the name that took the moved patch's place")
    check(pump_until(lambda: names.saw("object:selection-changed")), "the selection follows the moved patch")
    check(cell(table, 2, 1) == "Patch 001x" and cell(table, 1, 1) == "Patch 002",
          f"after the move rows 1 and 2 read {row_texts(table, 1)} and {row_texts(table, 2)}")
    check(list(table.queryTable().getSelectedRows()) == [2], "the moved patch is still the one selected")
    names.close()
    step("CLOSE DIALOG")


def plugin_selector(app):
    table = open_table(app, "OPEN SELECTOR", "Select Plugin", "selector")
    if table is None:
        return
    read_table(table, ["Manufacturer", "Name"], {0: ["Dorva Test Plug-ins", "Test Synth"]}, [0])
    check(pump_until(lambda: table.queryTable().getAccessibleAt(0, 0).getState().contains(pyatspi.STATE_FOCUSED)),
          "the first row has the keys")
    moves_to(table, "DOWN", 1, ["  Blank  Audio", "Padded  Synth"])
    step("ESCAPE")


def main():
    app = find_application(int(sys.argv[1]))
    if check(app is not None, "the editor is on the accessibility bus"):
        patch_librarian(app)
        plugin_selector(app)
        step("CLOSE")
    print("done", flush=True)
    return min(screen_reader.failures, 100)


if __name__ == "__main__":
    sys.exit(main())
