"""A stand-in for logind's shutdown interface on a private bus of its own, for the tests of the shutdown hook.

Usage: logind_test_service.py DIR. Starts a dbus-daemon listening on DIR/bus, owns org.freedesktop.login1 there
and prints "PORT 1" once both are ready (the tests' server helper waits for that line). It offers:
  org.freedesktop.login1.Manager.Inhibit(what, who, why, mode) -> a lock descriptor; appends
      "Inhibit <what> <who> <mode>" to DIR/events.txt, and "Released" when the last holder closes the lock
  the signal org.freedesktop.login1.Manager.PrepareForShutdown(b)
  org.tolvan.Test.StartShutdown(): sends PrepareForShutdown(true), as logind does when a shutdown begins
"""
import ctypes
import os
import signal
import subprocess
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

MANAGER = "org.freedesktop.login1.Manager"


class Manager(dbus.service.Object):
    def __init__(self, bus, folder):
        super().__init__(bus, "/org/freedesktop/login1")
        self.events = os.path.join(folder, "events.txt")

    def record(self, line):
        with open(self.events, "a") as f:
            f.write(line + "\n")

    @dbus.service.method(MANAGER, in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        read_end, write_end = os.pipe()
        self.record("Inhibit {} {} {}".format(what, who, mode))

        def released(fd, condition):
            self.record("Released")
            os.close(fd)
            return False

        GLib.io_add_watch(read_end, GLib.IO_HUP | GLib.IO_ERR, released)
        lock = dbus.types.UnixFd(write_end)
        os.close(write_end)
        return lock

    @dbus.service.signal(MANAGER, signature="b")
    def PrepareForShutdown(self, starting):
        pass

    @dbus.service.method("org.tolvan.Test", in_signature="", out_signature="")
    def StartShutdown(self):
        self.PrepareForShutdown(True)


def die_with_parent():
    # The tests stop this script with SIGKILL; its bus must not outlive it.
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL("libc.so.6").prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def main():
    folder = sys.argv[1]
    address = "unix:path=" + os.path.join(folder, "bus")
    config = os.path.join(folder, "bus.conf")
    with open(config, "w") as f:
        f.write("""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>{}</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>""".format(address))
    daemon = subprocess.Popen(["dbus-daemon", "--nofork", "--config-file=" + config, "--print-address"],
                              stdout=subprocess.PIPE, preexec_fn=die_with_parent)
    daemon.stdout.readline()
    try:
        dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
        bus = dbus.bus.BusConnection(address)
        name = dbus.service.BusName("org.freedesktop.login1", bus)
        manager = Manager(bus, folder)
        print("PORT 1", flush=True)
        GLib.MainLoop().run()
    finally:
        daemon.kill()


if __name__ == "__main__":
    main()
