"""What the screen-reader scripts share: checks that print "ok ..." or
"fail ...", the events a reader registers for before the test acts, a main
loop pumped until a condition holds, the application found by its process
id, and the test's acts asked for on stdout."""

import time

import pyatspi
from gi.repository import Gio, GLib

failures = 0

# How long a reader waits for what it was promised (an act done, an answer
# to a question, an event) before it reports a failure: only a guard against
# a run that would hang. Each wait ends as its event comes, however busy the
# machine is.
PATIENCE = 60.0


def check(ok, what):
    global failures
    failures += not ok
    print(("ok " if ok else "fail ") + what, flush=True)
    return ok


def pump_until(condition, timeout=PATIENCE):
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
    """Asks the test for a step after which the reader waits for nothing
    (the last, which ends the program)."""
    print(f"step {name}", flush=True)


# The program raises an event only for the kinds a reader has registered
# for. It hears of each registration from the registry over the
# accessibility bus; the answers to a reader's questions come by a
# connection of their own, so no answer proves the program has heard of a
# registration. A reader therefore registers for every kind it will hear
# before the test acts (start), and hands the events to the handlers that
# want them.
_handlers = []  # (kinds, handler)


def _dispatch(event):
    for kinds, handler in list(_handlers):
        if any(event.type.startswith(kind) for kind in kinds):
            handler(event)


def listen(handler, *kinds):
    """Hands handler the events of these kinds, each one start registered for."""
    _handlers.append((kinds, handler))


def unlisten(handler):
    _handlers[:] = [entry for entry in _handlers if entry[1] != handler]


# The test describes the application's root as "acts N" once it has taken N
# acts with all they left for the program's idle time. That goes over the
# accessibility bus behind every event the acts raised; the answers to a
# reader's questions may overtake those events, so they prove nothing about
# them.
ACTS_TAKEN = "acts "
ACTS_KIND = "object:property-change:accessible-description"
acts = 0
acts_taken = 0


def _note_acts_taken(event):
    global acts_taken
    text = event.any_data
    if isinstance(text, str) and text.startswith(ACTS_TAKEN) and text[len(ACTS_TAKEN):].isdigit():
        acts_taken = max(acts_taken, int(text[len(ACTS_TAKEN):]))


def _bus_call(bus, name, path, interface, method, arguments=None):
    return bus.call_sync(name, path, interface, method, arguments, None, Gio.DBusCallFlags.NONE,
                         int(PATIENCE * 1000), None)


def _program_heard(pid):
    """Pings the program's connections over the accessibility bus. The
    registry tells the program of a registration before it answers the
    reader, and the bus hands one connection its messages in the order it
    got them: once the program answers, it has heard of every registration
    made before. Whether it answered."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = _bus_call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress").unpack()[0]
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    bus = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
    daemon = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")
    names = [name for name in _bus_call(bus, *daemon, "ListNames").unpack()[0] if name.startswith(":")]
    program = [name for name in names
               if _bus_call(bus, *daemon, "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,))).unpack()[0] == pid]
    for name in program:
        _bus_call(bus, name, "/", "org.freedesktop.DBus.Peer", "Ping")
    bus.close_sync(None)
    return bool(program)


def start(pid, *kinds):
    """Registers for every kind of event the reader will hear and for the
    test's word that an act is done, and waits until the program with this
    process id has heard of them all. A question waits as long for its
    answer as a reader waits for anything. Whether the program heard."""
    pyatspi.setTimeout(int(PATIENCE * 1000), int(PATIENCE * 1000))
    pyatspi.Registry.registerEventListener(_dispatch, *kinds)
    pyatspi.Registry.registerEventListener(_note_acts_taken, ACTS_KIND)
    return _program_heard(pid)


def act(name, timeout=PATIENCE):
    """Asks the test to act and waits until it has, with all it left for the
    program's idle time, and until every event the program raised by then
    has arrived. An act that opens a modal window is done once the window
    is on show with the keys and serves the reader. Whether the test acted
    in time."""
    global acts
    acts += 1
    print(f"act {name}", flush=True)
    return pump_until(lambda: acts_taken >= acts, timeout)


def sync():
    """Waits until every event the program has raised so far has arrived
    (what it does in its own time, after an act, included)."""
    return act("SYNC")


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
        self.events = []
        listen(self.record, *kinds)

    def record(self, event):
        self.events.append((event.type, text_of(live_name(event.source)), event.detail1,
                            text_of(live_name(event.any_data) if hasattr(event.any_data, "name") else event.any_data)))

    def saw(self, kind, source=None, detail=None, data=None):
        return any(e[0] == kind and source in (None, e[1]) and detail in (None, e[2]) and data in (None, e[3])
                   for e in self.events)

    def close(self):
        unlisten(self.record)
