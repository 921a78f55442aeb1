#!/usr/bin/python3
# Another program's text, to drag from: a window of its own at the screen's
# bottom left shows the first argument, which a drag carries as text (as a
# snippet or list item does, without taking X's selection). Once on the
# screen it prints "ready X Y", the screen point in the middle of the text;
# when a drag from it has ended (dropped, refused or cancelled) it prints
# "ended" and quits. It quits by itself after a minute.
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402


def say(line):
    print(line, flush=True)


def main():
    text = sys.argv[1]
    window = Gtk.Window(title="Drag source")
    box = Gtk.EventBox()
    label = Gtk.Label(label=text)
    for side in ("start", "end", "top", "bottom"):
        getattr(label, "set_margin_" + side)(10)
    box.add(label)
    window.add(box)
    window.move(8, 940)
    box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
    box.drag_source_add_text_targets()
    box.connect("drag-data-get", lambda _w, _c, data, _i, _t: data.set_text(text, -1))

    def ready():
        _, x, y = box.get_window().get_origin()
        area = box.get_allocation()
        say("ready %d %d" % (x + area.x + area.width // 2, y + area.y + area.height // 2))
        return False

    def ended(*_):
        say("ended")
        GLib.idle_add(Gtk.main_quit)

    window.connect("map-event", lambda *_: GLib.timeout_add(50, ready))
    box.connect("drag-end", ended)
    window.connect("destroy", Gtk.main_quit)
    GLib.timeout_add_seconds(60, Gtk.main_quit)
    window.show_all()
    Gtk.main()


main()
