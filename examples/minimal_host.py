#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A minimal host for the Vitalune plug-in, with dbus-python and a GLib main loop.

It exports a form showing one person, asks the plug-in its name with Identify, opens it
for the form with Run, prints both results, serves the form until the plug-in has read
the person (or the time limit passes) and exits. The plug-in's window stays open.

    python3 examples/minimal_host.py --nick Ana --birth 05/06/1970
"""

import argparse
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

BUS_NAME = "Orvane.clsPluginInterface"
OBJECT_PATH = "/clsPluginInterface"
INTERFACE = "Orvane._clsPluginInterface"
CONTROL = "Orvane.Control"  # the interface of every Caption the plug-in reads
NOT_REGISTERED = "org.freedesktop.DBus.Error.ServiceUnknown"


class Control(dbus.service.Object):
    """A form or one of its labels: an object whose Caption the plug-in reads by name."""

    def __init__(self, bus, path, caption, when_read=None):
        super().__init__(bus, path)
        self.caption = caption
        self.when_read = when_read

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if (interface, name) != (CONTROL, "Caption"):
            raise dbus.exceptions.DBusException(
                f"No such property {interface}.{name}",
                name="org.freedesktop.DBus.Error.UnknownProperty")
        if self.when_read:
            GLib.idle_add(self.when_read)  # after this reply has gone out
        return dbus.String(self.caption, variant_level=1)


def explain(error):
    text = error.get_dbus_message()
    if error.get_dbus_name() == NOT_REGISTERED:
        text += " (run 'vitalune --register' or install the vitalune package)"
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nick", default="Ana", help="the person's nickname")
    parser.add_argument("--birth", default="05/06/1970", help="the birth date, DD/MM/YYYY")
    parser.add_argument("--timeout", type=int, default=30, help="seconds to wait at most")
    args = parser.parse_args()

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    status = 1

    def done(exit_status):
        nonlocal status
        status = exit_status
        loop.quit()

    # The form at /forms/1 and its labels at /forms/1/lblnasc and /forms/1/lblnick. The
    # plug-in reads the nickname last, so that read means the person has arrived.
    form = "/forms/1"
    objects = [
        Control(bus, form, "Ficha de " + args.nick),
        Control(bus, form + "/lblnasc", args.birth),
        Control(bus, form + "/lblnick", args.nick, when_read=lambda: done(0)),
    ]

    try:
        # Starts the plug-in when it is not running yet.
        plugin = dbus.Interface(bus.get_object(BUS_NAME, OBJECT_PATH, introspect=False),
                                INTERFACE)
    except dbus.exceptions.DBusException as error:
        print("Identify failed:", explain(error))
        return 1

    def failed(method):
        def report(error):
            print(f"{method} failed:", explain(error))
            done(1)
        return report

    def ran(result):
        # Empty: the plug-in is open for the person; otherwise why it failed.
        print(f"Run: {str(result)!r}")
        if result:
            done(1)

    def identified(name):
        print(f"Identify: {str(name)!r}")
        # Asynchronous: the plug-in reads the form's Caption while Run is under way, so
        # this program must keep serving meanwhile.
        plugin.Run(dbus.ObjectPath(form), reply_handler=ran, error_handler=failed("Run"),
                   timeout=25)

    plugin.Identify(reply_handler=identified, error_handler=failed("Identify"), timeout=25)

    def too_late():
        print("The plug-in did not read the person in time")
        done(1)
    GLib.timeout_add_seconds(args.timeout, too_late)
    loop.run()
    del objects
    return status


if __name__ == "__main__":
    sys.exit(main())
