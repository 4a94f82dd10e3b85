"""Times start-up to a mapped window: the configurator against a bare Qt window.

Both programs run on one private X display, one at a time, rounds interleaved (the order
swaps every round). A watcher (xev on the root window) stamps every MapNotify of a top-level
window as it arrives; a run's time is from just before the process is started until its
window's MapNotify. The window is checked to be the process's own (_NET_WM_PID) before the
run counts. The configurator starts in a fresh Workspace each run: a folder holding a copy
of the executable, LANGUAGE/ and translations/, as a new installation has them.
"""

import argparse
import os
import queue
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

MAP_LINE = re.compile(r"^MapNotify event,")
WINDOW_LINE = re.compile(r"window (0x[0-9a-f]+), override (YES|NO)")


def start_display():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,),
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        xvfb.kill()
        sys.exit("Xvfb did not start")
    return xvfb, ":" + number


class MapWatcher:
    """Stamps each top-level MapNotify with the monotonic clock as it is read."""

    def __init__(self, display):
        self.events = queue.Queue()
        self.proc = subprocess.Popen(
            ["stdbuf", "-oL", "xev", "-display", display, "-root", "-event", "substructure"],
            stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL,
            text=True,
            bufsize=1,
        )
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.5)  # xev selects its events before the first run starts

    def _read(self):
        pending = None
        for line in self.proc.stdout:
            now = time.monotonic_ns()
            if MAP_LINE.match(line):
                pending = now
                continue
            if pending is not None:
                m = WINDOW_LINE.search(line)
                if m:
                    if m.group(2) == "NO":
                        self.events.put((pending, m.group(1)))
                    pending = None

    def drain(self):
        while not self.events.empty():
            self.events.get_nowait()

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def window_pid(display, window):
    out = subprocess.run(
        ["xprop", "-display", display, "-id", window, "_NET_WM_PID"],
        capture_output=True,
        text=True,
    ).stdout
    m = re.search(r"= (\d+)", out)
    return int(m.group(1)) if m else None


def fresh_workspace(template, root, n):
    run = os.path.join(root, "run%03d" % n)
    shutil.copytree(template, run, symlinks=False)
    return run


def run_once(display, watcher, argv, cwd, timeout):
    # No session bus: Qt would otherwise try to start one (dbus-launch) in each run, a wait
    # that a desktop with its bus running does not have and that swamps what is measured.
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               DBUS_SESSION_BUS_ADDRESS="disabled:")
    watcher.drain()
    t0 = time.monotonic_ns()
    proc = subprocess.Popen(argv, cwd=cwd, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                raise RuntimeError("%s: no window mapped within %d s" % (argv[0], timeout))
            stamp, window = watcher.events.get(timeout=left)
            if window_pid(display, window) == proc.pid:
                return (stamp - t0) / 1e6
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--app", required=True, help="the configurator's executable")
    p.add_argument("--bare", required=True, help="the bare Qt window")
    p.add_argument("--runs", type=int, default=15)
    p.add_argument("--timeout", type=int, default=30)
    a = p.parse_args()

    build = os.path.dirname(os.path.abspath(a.app))
    xvfb, display = start_display()
    watcher = MapWatcher(display)
    root = tempfile.mkdtemp(prefix="kt-startup-")
    try:
        template = os.path.join(root, "template")
        os.makedirs(template)
        shutil.copy2(a.app, template)
        for sub in ("LANGUAGE", "translations"):
            if os.path.isdir(os.path.join(build, sub)):
                shutil.copytree(os.path.join(build, sub), os.path.join(template, sub))
        app_name = os.path.basename(a.app)

        times = {"app": [], "bare": []}

        def one(kind, n):
            if kind == "app":
                cwd = fresh_workspace(template, root, n)
                argv = [os.path.join(cwd, app_name)]
            else:
                cwd, argv = root, [os.path.abspath(a.bare)]
            return run_once(display, watcher, argv, cwd, a.timeout)

        # One unmeasured run each: the first start reads libraries and fonts from disk.
        one("app", 0)
        one("bare", 0)
        for n in range(1, a.runs + 1):
            order = ("app", "bare") if n % 2 else ("bare", "app")
            for kind in order:
                times[kind].append(one(kind, n))

        for kind, label in (("bare", "bare Qt window"), ("app", "configurator")):
            ms = times[kind]
            print("%-15s median %7.1f ms  (min %.1f, max %.1f; runs: %s)" % (
                label, statistics.median(ms), min(ms), max(ms),
                " ".join("%.0f" % t for t in ms)))
        ratio = statistics.median(times["app"]) / statistics.median(times["bare"])
        print("ratio configurator / bare: %.2f" % ratio)
        # The two runs of a round see the same load of the machine; their ratio shows less of it.
        paired = statistics.median(a / b for a, b in zip(times["app"], times["bare"]))
        print("median of the rounds' ratios: %.2f" % paired)
    finally:
        watcher.stop()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
