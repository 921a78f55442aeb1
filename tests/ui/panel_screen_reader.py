#!/usr/bin/python3
"""Reads the editor's front panel over AT-SPI, as a screen reader does.

Usage: panel_screen_reader.py PID

Finds the application with that process id, walks to the panel and checks its
children's names, roles, descriptions, extents, hit testing and selection.
Then it asks the test for key presses and pointer gestures ("act KEY" on
stdout) and, once each is done and all it told has arrived, checks the
focus and selection events it raised, that the
panel itself is not described by a control's tip, and that a reader is told
the truth about the focus on every path that changes it or gives the window
the keys back; last it has the test close the window and checks that
the controls it holds are defunct. Every check prints "ok ..."
or "fail ..."; the exit status is the number of failures (at most 100).
"""

import sys

import pyatspi

from screen_reader import act, check, find_application, name_of, pump_until, states_of
import screen_reader

NAMES = ([f"Group {g} {kind} {n}" for kind in ("Pot", "Button") for g in "AB" for n in range(1, 12)]
         + ["Pitch Bend", "Mod Wheel", "Pad X1", "Pad X2", "Pad Y1", "Pad Y2", "Sustain Pedal"])
# Child index: the control's hit rectangle on the panel (x, y, width, height).
LAYOUT = {0: (23, 13, 31, 30), 1: (78, 13, 31, 30), 22: (22, 75, 33, 14), 50: (573, 259, 31, 30)}
# The events the reader hears.
KINDS = ["focus:", "object:state-changed:focused", "object:state-changed:selected", "object:selection-changed",
         "object:visible-data-changed"]
# Key the test presses: the control that takes the focus.
STEPS = [("TAB", 0), ("DOWN", 22), ("RIGHT", 23), ("SHIFT+TAB", 22)]


def find_panel(root):
    """The first object, breadth first, with one child per control; failing
    that, the first panel, so that every check still runs and reports."""
    queue, first_panel = [root], None
    while queue:
        node = queue.pop(0)
        if node is None:
            continue
        if node.childCount == len(NAMES):
            return node
        if first_panel is None and node.getRole() == pyatspi.ROLE_PANEL:
            first_panel = node
        if node.childCount < 20:  # the toolkit's widgets are few
            queue.extend(node[i] for i in range(node.childCount))
    return first_panel


def extents(obj):
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def selected_names(panel):
    selection = panel.querySelection()
    return [name_of(selection.getSelectedChild(i)) for i in range(selection.nSelectedChildren)]


def read_panel(panel):
    check(panel.childCount == 51, f"the panel has {panel.childCount} children")
    children = [panel.getChildAtIndex(i) for i in range(panel.childCount)] + [None] * len(NAMES)
    names = [name_of(child) for child in children[:len(NAMES)]]
    check(names == NAMES, f"the children's names in index order: {names}")
    for index in (0, 22, 45, 50):
        child = children[index]
        role = child.getRole() if child is not None else None
        check(role == pyatspi.ROLE_PUSH_BUTTON, f"{NAMES[index]} is a push button ({role})")
        check(name_of(child) == NAMES[index] and child.getIndexInParent() == index, f"{NAMES[index]} knows its index")
    # The test assigned the first pot and left the first button unassigned.
    for index, description in ((0, "Cutoff"), (22, "not assigned")):
        got = children[index].description if children[index] is not None else None
        check(got == description, f"{NAMES[index]} is described as {got!r}")
    px, py, _, _ = extents(panel)
    for index, (x, y, width, height) in LAYOUT.items():
        box = extents(children[index]) if children[index] is not None else None
        check(box == (px + x, py + y, width, height), f"{NAMES[index]} lies at {box}, panel at {(px, py)}")
        hit = panel.queryComponent().getAccessibleAtPoint(px + x + width // 2, py + y + height // 2,
                                                          pyatspi.DESKTOP_COORDS)
        check(name_of(hit) == NAMES[index], f"the point over {NAMES[index]} finds {name_of(hit)}")
    states = states_of(children[0])
    check(states is not None and states.contains(pyatspi.STATE_VISIBLE)
          and not states.contains(pyatspi.STATE_SELECTED), f"with nothing selected {NAMES[0]} is visible, not selected")
    check(selected_names(panel) == [], f"nothing is selected: {selected_names(panel)}")
    return children


def follow_keys(panel, children):
    events = []
    record = lambda event: events.append((event.type, name_of(event.source), event.detail1))
    screen_reader.listen(record, *KINDS)
    previous = None
    for key, index in STEPS:
        events.clear()
        took = act(key)
        name = NAMES[index]
        check(took and any(e[:2] == ("focus:", name) for e in events), f"{key}: the focus event names {name}")
        check(("object:state-changed:focused", name, 1) in events, f"{key}: {name} became focused")
        check(("object:state-changed:selected", name, 1) in events, f"{key}: {name} became selected")
        check(any(e[0] == "object:selection-changed" for e in events), f"{key}: the panel's selection changed")
        if previous is not None and previous != name:
            check(("object:state-changed:selected", previous, 0) in events, f"{key}: {previous} lost the selection")
        check(selected_names(panel) == [name], f"{key}: the panel's selection is {selected_names(panel)}")
        states = states_of(children[index])
        check(states is not None and states.contains(pyatspi.STATE_FOCUSED) and states.contains(pyatspi.STATE_SELECTED),
              f"{key}: {name} reports focused and selected")
        previous = name
    screen_reader.unlisten(record)


# Pointer gestures the test makes: what each must tell a reader. "on"/"off":
# controls (by child index) that become selected or unselected; "focus": the
# control a focus event names; "panel": events the panel itself raises.
GESTURES = [
    ("CTRL+CLICK 1", {"on": [1], "focus": 1}),
    ("CTRL+CLICK 1", {"off": [1]}),
    ("CLICK EMPTY", {"off": [22]}),
    ("BAND 0 1", {"on": [0, 1]}),
    ("CTRL+TAB", {"off": [0, 1], "panel": ["object:visible-data-changed"]}),
]


def follow_pointer(panel):
    """After SHIFT+TAB left the first button selected."""
    events = []
    record = lambda event: events.append((event.type, name_of(event.source), event.detail1))
    screen_reader.listen(record, *KINDS)
    for gesture, tells in GESTURES:
        events.clear()
        took = act(gesture)
        wanted = ([("object:state-changed:selected", NAMES[i], 1) for i in tells.get("on", [])]
                  + [("object:state-changed:selected", NAMES[i], 0) for i in tells.get("off", [])])
        check(took and all(w in events for w in wanted) and any(e[0] == "object:selection-changed" for e in events),
              f"{gesture}: the selection's change reaches the reader ({wanted}, got {events})")
        if "focus" in tells:
            name = NAMES[tells["focus"]]
            check(any(e[:2] == ("focus:", name) for e in events), f"{gesture}: the focus event names {name}")
        for kind in tells.get("panel", []):
            check(any(e[0] == kind and e[1] == panel.name for e in events), f"{gesture}: the panel raised {kind}")
    screen_reader.unlisten(record)
    # The pointer has rested on controls with tips: the panel is still not
    # described by them.
    check(panel.description == "", f"the panel's own description is empty: {panel.description!r}")


# Every way a user changes the main window's focus or selection, or takes
# the keys away and gives them back: after each step what the reader was
# last told has the focus there must be the truth, read from the panel's
# live selection (the selected control with the lowest index, else the panel
# itself); nothing told focused may be defunct, and a step tells one focus
# at most (one that gives the window the keys back, two: see KEYS_BACK).
# Each row: its steps, and where the focus must end (a control by child
# index, None: the panel itself).
FOCUS_PATHS = [
    (["CLICK 2", "CLICK EMPTY", "ABOUT"], None),
    (["CLICK 2", "CTRL+CLICK 3", "CTRL+CLICK 3", "ABOUT"], 2),
    (["CLICK 1", "NEW"], None),
    (["CLICK 1", "CTRL+T ESCAPE", "CLICK 1", "CTRL+T OK"], None),
    (["CLICK 1", "CTRL+T OK SLOW BUS"], None),
    (["CLICK 1", "OPEN CALDER"], None),
    (["CLICK 1", "LISTEN OLD OS"], None),
    (["CLICK 1", "LISTEN AWAY"], None),
    (["CLICK 1", "CTRL+C", "CLICK 2", "CTRL+V", "CTRL+Z", "CTRL+Y"], 2),
    (["CLICK 2", "CTRL+V", "MENU UNDO"], None),
    (["CTRL+A", "CTRL+CLICK 0"], 1),
    (["CLICK EMPTY", "CTRL+A", "CTRL+BAND PAD X2"], 0),
    (["CLICK 1", "PLUGIN", "CLICK 1", "OPEN DORVA"], None),
    # An undo selects the controls again one by one, the higher first.
    (["CLICK 1", "CTRL+CLICK 0", "DELETE", "CTRL+Z"], 0),
    (["CLICK 1", "CTRL+A", "DELETE", "CTRL+Z"], 0),
    (["CLOSE ALL"], None),
    (["NEW", "CLICK 1", "DELETE", "CLOSE NO"], None),
]
# Steps that give the main window the keys back from another window, which
# may first hear the focus it had; any other step tells one focus at most.
KEYS_BACK = {"ABOUT", "NEW", "CTRL+T ESCAPE", "CTRL+T OK", "CTRL+T OK SLOW BUS", "OPEN CALDER", "OPEN DORVA",
             "LISTEN OLD OS", "LISTEN AWAY", "PLUGIN", "CLOSE NO"}


def follow_focus_paths(panel):
    steps = []  # what each event of the current step told: (name, defunct, of the main window)
    last = [None]  # (name, defunct) of what the main window was last told has the focus

    def record(event):
        if not (event.type == "focus:" or (event.type == "object:state-changed:focused" and event.detail1)):
            return
        try:
            source = event.source
            name, defunct = source.name, source.getState().contains(pyatspi.STATE_DEFUNCT)
            ours = source == panel or source.parent == panel
        except Exception:  # gone already (a dialog's widget): nothing to tell
            name, defunct, ours = None, False, False
        if ours:
            steps.append((name, defunct))
            last[0] = (name, defunct)

    screen_reader.listen(record, "focus:", "object:state-changed:focused")
    for path, focus in FOCUS_PATHS:
        for gesture in path:
            steps.clear()
            took = act(gesture)
            selection = panel.querySelection()
            selected = sorted(selection.getSelectedChild(i).getIndexInParent()
                              for i in range(selection.nSelectedChildren))
            truth = (panel.name, False) if not selected else (NAMES[selected[0]], False)
            lies = [told for told in steps if told[1]] + ([] if len(set(steps)) <= 1 + (gesture in KEYS_BACK) else steps)
            check(took and last[0] == truth and not lies,
                  f"{gesture} in {path}: the reader was told {last[0]}, the truth is {truth} (this step told {steps})")
        expected = panel.name if focus is None else NAMES[focus]
        check(last[0] == (expected, False), f"after {path} the focus is on {expected}: {last[0]}")
    screen_reader.unlisten(record)


def close_window(children):
    screen_reader.step("CLOSE")
    held = [children[index] for index in (0, 22) if children[index] is not None]

    def defunct(child):
        try:
            return child.getState().contains(pyatspi.STATE_DEFUNCT)
        except Exception:  # the object may be gone from the bus altogether
            return False

    check(held and pump_until(lambda: all(defunct(child) for child in held)),
          "once the window is closed the controls a reader holds are defunct")


def main():
    pid = int(sys.argv[1])
    app = find_application(pid)
    if check(app is not None and screen_reader.start(pid, *KINDS), "the editor is on the accessibility bus"):
        panel = find_panel(app)
        if check(panel is not None, "the panel where the controls are drawn"):
            children = read_panel(panel)
            follow_keys(panel, children)
            follow_pointer(panel)
            follow_focus_paths(panel)
            close_window(children)
    print("done", flush=True)
    return min(screen_reader.failures, 100)


if __name__ == "__main__":
    sys.exit(main())
