#!/usr/bin/python3
# What a screen reader finds in every window of the real program, read over
# AT-SPI on a D-Bus session of its own (run under dbus-run-session): no
# interactive object without a name, no document without text, no table row
# named by a bare number. The windows are opened with keys alone.
import os, subprocess, sys, time  # noqa: E401
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

R = pyatspi
INTERACTIVE = {R.ROLE_PUSH_BUTTON, R.ROLE_TOGGLE_BUTTON, R.ROLE_CHECK_BOX, R.ROLE_RADIO_BUTTON,
               R.ROLE_COMBO_BOX, R.ROLE_ENTRY, R.ROLE_SPIN_BUTTON, R.ROLE_LIST, R.ROLE_TREE,
               R.ROLE_TABLE, R.ROLE_TREE_TABLE, R.ROLE_PAGE_TAB, R.ROLE_LINK, R.ROLE_SLIDER}
DOCUMENTS = {R.ROLE_DOCUMENT_WEB, R.ROLE_DOCUMENT_FRAME}


def wait_for(what, seconds=30):
    end = time.time() + seconds
    while not (found := what()) and time.time() < end:
        time.sleep(0.2)
    return found


def text_of(acc, depth=0):
    try:
        own = acc.queryText().getText(0, -1)
    except Exception:  # no text interface
        own = ""
    if own.strip() or depth > 12:
        return own
    return acc.name + "".join(text_of(c, depth + 1) for c in acc if c is not None)


def walk(acc, path, faults, depth=0):
    states = acc.getState()
    if depth > 40 or not states.contains(R.STATE_SHOWING):
        return
    here = f"{path}/{acc.getRoleName()}:{acc.name}"
    role = acc.getRole()
    if role in INTERACTIVE and not acc.name.strip():
        faults.append(f"nameless {here}")
    if role in DOCUMENTS:  # an empty editor is no fault
        if not text_of(acc).strip() and not states.contains(R.STATE_EDITABLE):
            faults.append(f"document without text {here}")
        return
    if role in (R.ROLE_TABLE, R.ROLE_TREE_TABLE):
        table = acc.queryTable()
        for r in range(table.nRows):
            header = table.getRowHeader(r)
            name = header.name if header else table.getRowDescription(r)
            if name.strip().isdigit():
                faults.append(f"row {r} named {name!r} {here}")
    for child in list(acc)[:300]:
        if child is not None:
            walk(child, here, faults, depth + 1)


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    for prop in ("IsEnabled", "ScreenReaderEnabled"):
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", prop, GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, -1, None)
    program = subprocess.Popen([os.environ["ZENTRO_BINARY"]])
    faults = []
    try:
        desktop = R.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a and a.name.lower() == "zentro"), None))
        faults += [] if app else ["Zentro did not appear on the accessibility bus"]
        # Steps: the keys that open a window, its title, a document that must have text first.
        steps = [([], "Zentro AppBar", None),
                 (["ctrl+alt+z", "Return"], "Zentro", None),
                 (["F6", "F6", "Down"], "Zentro", "Message preview"),
                 (["alt+v", "c"], "Customize", None),
                 (["Escape", "ctrl+n"], "Compose", None),
                 (["Tab", "Tab", "Tab", "Tab", "H", "i"], "Compose", "Message"),
                 (["ctrl+w", "ctrl+alt+z", "Right", "Return"], "Zentro Messenger", None),
                 (["Down", "Down", "Return", "Down", "Return"], "Chat with Darvel", None)]
        for pressed, title, document in steps if app else []:
            if pressed:
                subprocess.run(["xdotool", "key", "--delay", "80", *pressed], check=True)
            found = wait_for(lambda: next((w for w in app if w and w.name == title and
                                           w.getState().contains(R.STATE_SHOWING)), None))
            if not found:
                faults.append(f"{title} did not open after {' '.join(pressed)}")
                break
            if document:
                # Every document, not just one: the page before a new one may
                # still be there for a moment.
                wait_for(lambda: (docs := R.findAllDescendants(
                    found, lambda a: a.getRole() in DOCUMENTS)) and
                    all(text_of(d).strip() for d in docs))
            # Read again, bounded, while the window settles (a page that is
            # being replaced, text being typed): what stays wrong counts.
            here = []

            def clean():
                here.clear()
                walk(found, "", here)
                return not here
            wait_for(clean, 10)
            faults += here
    finally:
        program.terminate()
        program.wait(20)
    print("\n".join(faults))
    sys.exit(1 if faults else 0)


main()
