"""What the screen-reader scripts share: checks that print "ok ..." or
"fail ...", a main loop pumped until a condition holds, the application found
by its process id, and the test's steps asked for on stdout."""

import os
import time

import pyatspi
from gi.repository import GLib

failures = 0


def check(ok, what):
    global failures
    failures += not ok
    print(("ok " if ok else "fail ") + what, flush=True)
    return ok


def pump_until(condition, timeout=10.0):
    """Runs the main loop, where AT-SPI events arrive, until condition() holds."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            return False
        if not context.iteration(False):
            time.sleep(0.005)
    return True


def find_application(pid):
    found = []
    pump_until(lambda: found.extend(app for app in pyatspi.Registry.getDesktop(0)
                                    if app is not None and app.get_process_id() == pid) or found)
    return found[0] if found else None


def step(name):
    """Asks the test to act (a key, a click, a window to open) and goes on at once."""
    print(f"step {name}", flush=True)


acts = 0


def act(name, obj, timeout=30.0):
    """Asks the test to act and waits until it has, with all it left for the
    program's idle time, and until every event the program raised by then
    has arrived (they come before the answer to a question asked of obj).
    Whether the test acted in time."""
    global acts
    acts += 1
    print(f"act {name}", flush=True)

    def taken():
        try:
            with open(os.environ["DORVA_READER_ACK"]) as ack:
                return int(ack.read() or 0) >= acts
        except (OSError, KeyError, ValueError):
            return False

    took = pump_until(taken, timeout)
    obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass
    return took


def name_of(obj):
    return obj.name if obj is not None else None


def live_name(obj):
    """The name of an object that may be gone by the time the event is read
    (a list's cells are made and dropped as they are asked for)."""
    try:
        return name_of(obj)
    except Exception:
        return None


def states_of(obj):
    return obj.getState() if obj is not None else None


def text_of(value):
    """A name or text as a reader speaks it: without the blanks that pad it."""
    return value.rstrip() if isinstance(value, str) else value


class Recorder:
    """Records events of the kinds given as (type, source name, detail1,
    any_data or its name), texts without their padding blanks."""

    def __init__(self, *kinds):
        self.kinds = kinds
        self.events = []
        pyatspi.Registry.registerEventListener(self.record, *kinds)

    def record(self, event):
        self.events.append((event.type, text_of(live_name(event.source)), event.detail1,
                            text_of(live_name(event.any_data) if hasattr(event.any_data, "name") else event.any_data)))

    def saw(self, kind, source=None, detail=None, data=None):
        return any(e[0] == kind and source in (None, e[1]) and detail in (None, e[2]) and data in (None, e[3])
                   for e in self.events)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self.record, *self.kinds)
