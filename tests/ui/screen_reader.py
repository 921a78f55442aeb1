"""What the screen-reader scripts share: checks that print "ok ..." or
"fail ...", a main loop pumped until a condition holds, the application found
by its process id, and the test's steps asked for on stdout."""

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


# The test describes the application's root as "acts N" once it has taken N
# acts with all they left for the program's idle time. That goes over the
# accessibility bus behind every event the acts raised; the answers to a
# reader's questions come from the program by a connection of their own and
# may overtake those events, so they prove nothing about them.
ACTS_TAKEN = "acts "
acts = 0
acts_taken = 0


def _note_acts_taken(event):
    global acts_taken
    text = event.any_data
    if isinstance(text, str) and text.startswith(ACTS_TAKEN) and text[len(ACTS_TAKEN):].isdigit():
        acts_taken = max(acts_taken, int(text[len(ACTS_TAKEN):]))


def listen_for_acts():
    """To be called before any other listener is registered: the program
    learns of listeners in the order they were registered, so once it has
    raised an event for a later one it tells this one of acts too."""
    pyatspi.Registry.registerEventListener(_note_acts_taken, "object:property-change:accessible-description")


def act(name, timeout=30.0):
    """Asks the test to act and waits until it has, with all it left for the
    program's idle time, and until every event the program raised by then
    has arrived. Whether the test acted in time."""
    global acts
    acts += 1
    print(f"act {name}", flush=True)
    return pump_until(lambda: acts_taken >= acts, timeout)


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
