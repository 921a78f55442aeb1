#!/usr/bin/python3
"""Reads the main window's status line, the name-completion list, the bank
dialogs' and the plug-in selector's lists over AT-SPI, as a screen reader
does.

Usage: list_screen_reader.py PID

First the status line: each field reads its text, and a reader is told each
message the test's steps bring. Then the completion list under a control's
name: its rows, and the row the arrows select. The template bank's table has
a name. Then it has the test open the patch librarian on a bank of patches
named "Patch 000" to "Patch 099" (padded with blanks to 16 places, as the
unit pads them; its cells read without them), then
checks that the list reads as a table: its column headings, each row's cells,
the selected row, and the events that tell a reader where the selection went
as the arrows move it. It renames a patch with F2 (the field reads the name
without its blanks) and moves it down, and checks that the changed rows are
read anew. Then the plug-in selector, over two plug-ins, is named as it says
and opens with its first row selected. Steps are asked for with "act NAME"
on stdout, and judged once done and all they told has arrived; every check
prints "ok ..." or "fail ..."; the exit status is the number of failures (at
most 100).
"""

import sys

import pyatspi

from screen_reader import Recorder, act, check, find_application, pump_until, step, sync, text_of
import screen_reader

EVENTS = ["object:active-descendant-changed", "object:state-changed:focused", "object:state-changed:selected",
          "object:selection-changed", "object:property-change:accessible-name"]
# Every kind the reader hears: the list's and the texts'.
KINDS = EVENTS + ["object:text-changed:insert"]


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
    took = act(key)
    first = texts[0]
    check(took and events.saw("object:active-descendant-changed", data=first),
          f"{key}: the focus goes to the row of {first}")
    check(events.saw("object:selection-changed"), f"{key}: the table's selection changed")
    check(list(table.queryTable().getSelectedRows()) == [row], f"{key}: row {row} is the one selected")
    focused = table.queryTable().getAccessibleAt(row, 0)
    check(focused.getState().contains(pyatspi.STATE_FOCUSED), f"{key}: its first cell reports focused")
    # What a reader says of the row: each of its cells.
    check(row_texts(table, row) == texts, f"{key}: the row reads {row_texts(table, row)}")
    events.close()


def open_table(app, name, title, what):
    """Has the test open a window (act name); its list as a table, or None."""
    act(name)
    table = table_in(window(app, title))
    return table if check(table is not None, f"the {what}'s list is a table") else None


# Each step of the test: the texts the status line's fields then read, each
# field's texts in the order a reader is told them.
STATUS = [
    ("TAB", {0: ["Cutoff"]}),
    ("POINT 1", {0: ["Resonance"]}),
    ("MIDI", {0: ["Received MIDI message"], 1: ["Note on"], 2: ["Channel: 1"], 3: ["Note: 60"], 4: ["Velocity: 100"]}),
    ("CTRL+L", {0: ["Listening for template dump from device: In"]}),
    ("CTRL+L", {0: ["Stopped listening for template dumps"]}),
    ("CTRL+U", {0: ["Template dump in progress...", "Template dump completed"]}),
    ("CTRL+O", {0: ["Open cancelled"]}),
]


def told_in_order(recorder, texts):
    said = iter(event[3] for event in recorder.events)
    return all(text in said for text in texts)


def status_line(app):
    bar = find(app, lambda o: o.getRole() == pyatspi.ROLE_STATUS_BAR)
    if not check(bar is not None and bar.childCount == 5, "the main window has a status bar of five fields"):
        return
    fields = [bar[i] for i in range(5)]
    events = Recorder("object:property-change:accessible-name", "object:text-changed:insert")
    for key, texts in STATUS:
        events.events.clear()
        act(key)
        # A message and a dump end in the program's own time, after the act.
        for field, told in texts.items():
            check(pump_until(lambda: fields[field].queryText().getText(0, -1) == told[-1]),
                  f"{key}: field {field} reads {fields[field].queryText().getText(0, -1)!r}")
        sync()
        for field, told in texts.items():
            check(told_in_order(events, told), f"{key}: a reader is told {told} ({[e[3] for e in events.events]})")
    events.close()


def completion_list(app):
    """Typing "Cu" in a control's name offers "Curve", "Cue" and "Cutoff"."""
    table = open_table(app, "TYPE CU", "", "completion")
    if table is None:
        return
    rows = [cell(table, row, 0) for row in range(table.queryTable().nRows)]
    check(rows[:2] == ["Curve", "Cue"] and "Cutoff" in rows, f"its rows read {rows}")
    check(pump_until(lambda: table.queryTable().getAccessibleAt(0, 0).getState().contains(pyatspi.STATE_FOCUSED)),
          "the first row, which Enter takes, has the keys")
    for key, row in (("DOWN", 0), ("DOWN", 1), ("UP", 0)):
        moves_to(table, key, row, [rows[row]])
    act("ESCAPE")
    check(not table.getState().contains(pyatspi.STATE_SHOWING), "Escape hides the list")
    act("ESCAPE")  # and the settings window


def template_bank(app):
    table = open_table(app, "OPEN TEMPLATES", "Bulk dump", "template bank")
    check(table is not None and table.name == "Bulk dump", "the table is named as the dialog calls what it lists")
    act("CLOSE DIALOG")


def patch_librarian(app):
    table = open_table(app, "OPEN PATCHES", "Patch librarian", "librarian")
    if table is None:
        return
    check(table.name == "Patch bank", "the table is named as the dialog calls what it lists")
    check(pump_until(lambda: table.queryTable().nRows == 100), "it lists the 100 patches")
    name = table.queryTable().getAccessibleAt(0, 1).name
    check(name == "Patch 000", f"a patch's name reads {name!r}, without the blanks that pad it")
    check(pump_until(lambda: table.getState().contains(pyatspi.STATE_FOCUSED)), "the list has the keys")
    read_table(table, ["Index", "Name"], {0: ["0", "Patch 000"], 99: ["99", "Patch 099"]}, [0])
    moves_to(table, "DOWN", 1, ["1", "Patch 001"])

    names = Recorder("object:property-change:accessible-name", "object:text-changed:insert",
                     "object:selection-changed")
    act("F2")
    rename = window(app, "Rename")
    field = find(rename, lambda o: o.getRole() == pyatspi.ROLE_TEXT)
    if check(field is not None, "the rename dialog has a text field"):
        text = field.queryText()
        check(text.getText(0, -1) == "Patch 001", f"the field reads {text.getText(0, -1)!r}, without the padding")
        act("END X")
        check(text.getText(0, -1) == "Patch 001x", f"End and x give {text.getText(0, -1)!r}")
    act("ENTER")
    check(pump_until(lambda: cell(table, 1, 1) == "Patch 001x"), f"the renamed row reads {cell(table, 1, 1)!r}")
    sync()
    check(names.saw("object:property-change:accessible-name", data="Patch 001x")
          or names.saw("object:text-changed:insert", data="Patch 001x"), "a reader is told the new name")
    names.events.clear()

    act("MOVE DOWN")
    # The row the reader has read is told its new name; the next reads anew.
    check(names.saw("object:text-changed:insert", data="Patch 002"),
          "a reader is told the name that took the moved patch's place")
    check(names.saw("object:selection-changed"), "the selection follows the moved patch")
    check(cell(table, 2, 1) == "Patch 001x" and cell(table, 1, 1) == "Patch 002",
          f"after the move rows 1 and 2 read {row_texts(table, 1)} and {row_texts(table, 2)}")
    check(list(table.queryTable().getSelectedRows()) == [2], "the moved patch is still the one selected")
    names.close()
    act("CLOSE DIALOG")


def plugin_selector(app):
    table = open_table(app, "OPEN SELECTOR", "Select Plugin", "selector")
    if table is None:
        return
    check(table.name == "VST plug-ins found", f"the table is named as the dialog calls what it lists: {table.name!r}")
    read_table(table, ["Manufacturer", "Name"], {0: ["Dorva Test Plug-ins", "Test Synth"]}, [0])
    check(pump_until(lambda: table.queryTable().getAccessibleAt(0, 0).getState().contains(pyatspi.STATE_FOCUSED)),
          "the first row has the keys")
    moves_to(table, "DOWN", 1, ["  Blank  Audio", "Padded  Synth"])
    act("ESCAPE")


def main():
    pid = int(sys.argv[1])
    app = find_application(pid)
    if check(app is not None and screen_reader.start(pid, *KINDS), "the editor is on the accessibility bus"):
        status_line(app)
        completion_list(app)
        template_bank(app)
        patch_librarian(app)
        plugin_selector(app)
        step("CLOSE")
    print("done", flush=True)
    return min(screen_reader.failures, 100)


if __name__ == "__main__":
    sys.exit(main())
