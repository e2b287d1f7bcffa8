#!/usr/bin/env python3
"""Memory benchmark of Sintonia on a real X display.

Runs the program as a user meets it: under Xvfb, with a private D-Bus session bus and a
PulseAudio null sink, against the local station service, with no other instance running.
It reports the PSS of the whole process tree (the program and every QtWebEngine process),
by process kind, in these states:

  idle       lists filled, nothing playing, no search window
  playing    the start-up station playing for 10 s
  full       playing, with the search window shown, the news ticker running (category 1)
             and the tab "Community" opened
  switching  (--switch-minutes M) a station of the most-clicked list clicked, then stations
             switched every 30 s through the media-player interface (Next, Previous at
             the end of the list) for M minutes: the figure after the first station
             ("switch-first") and at the end ("switch-end")

Usage: bench/memory/memory_bench.py [--runs N] [--build DIR] [--switch-minutes M]
A second QtWebEngine program shares pages with this one and makes every PSS figure read
low, so the benchmark runs the program on private copies of Qt's libraries and of the
engine's files (--shared-libraries turns that off).
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.request
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
PORT_BASE = int(os.environ.get("SINTONIA_BENCH_PORT_BASE", "49700"))


def children(pid):
    for task in Path(f"/proc/{pid}/task").glob("*"):
        try:
            yield from (int(c) for c in (task / "children").read_text().split())
        except OSError:
            continue


def pss_kib(pid):
    try:
        for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
            if line.startswith("Pss:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


def kind(pid, parent_kind):
    """main; zygote (the engine's process launcher); renderer (a page process the zygote
    forked: it keeps the zygote's command line); or the engine's --type of the process."""
    try:
        args = Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")
    except OSError:
        return "gone"
    # The engine rewrites its processes' command lines into one string.
    args = " ".join(a.decode(errors="replace") for a in args if a).split()
    if not args or "QtWebEngineProcess" not in args[0]:
        return "main"
    kinds = [a.split("=", 1)[1] for a in args if a.startswith("--type=")]
    name = kinds[0] if kinds else "engine"
    if name == "zygote" and parent_kind == "zygote":
        return "renderer"
    return name


def measure(pid):
    by_kind = {}

    def walk(p, parent_kind):
        k = kind(p, parent_kind)
        count, mib = by_kind.get(k, (0, 0.0))
        by_kind[k] = (count + 1, mib + pss_kib(p) / 1024)
        for child in children(p):
            walk(child, k)

    walk(pid, None)
    total = sum(mib for _, mib in by_kind.values())
    return total, by_kind


def foreign_engines(pid):
    """QtWebEngine processes of other programs: they share pages with ours."""
    ours = set()

    def walk(p):
        ours.add(p)
        for child in children(p):
            walk(child)

    walk(pid)
    count = 0
    for proc in Path("/proc").glob("[0-9]*"):
        try:
            if int(proc.name) not in ours and b"QtWebEngineProcess" in (proc / "cmdline").read_bytes():
                count += 1
        except (OSError, ValueError):
            pass
    return count


def options_file(autoplay, station, search):
    lines = ["NO", "SI" if autoplay else "NO", str(station), "Bench"]
    lines += ["0", "", ""] * 5
    lines += ["SI" if search else "NO", "SI", "NO"]
    lines += ["0", "", ""] * 10
    lines += ["1"]
    assert len(lines) == 53
    return "".join(l + "\r\n" for l in lines).encode("cp1252")


class Desktop:
    """Xvfb, a session bus and a PulseAudio null sink, private to this run."""

    def __init__(self, work):
        self.procs = []
        self.env = dict(os.environ)
        runtime = work / "runtime"
        runtime.mkdir(mode=0o700)
        self.env["XDG_RUNTIME_DIR"] = str(runtime)
        display = ":%d" % (90 + os.getpid() % 9)
        self.procs.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.env["DISPLAY"] = display
        bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                             capture_output=True, text=True, check=True).stdout.split()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
        self.bus_pid = int(bus[1])
        subprocess.run(["pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                        "--load=module-null-sink sink_name=rec", "--load=module-native-protocol-unix"],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["pactl", "set-default-sink", "rec"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.1)

    def close(self):
        subprocess.run(["pulseaudio", "--kill"], env=self.env, stderr=subprocess.DEVNULL)
        os.kill(self.bus_pid, signal.SIGTERM)
        for p in self.procs:
            p.terminate()
            p.wait()


def isolate(work, env):
    """Private copies of Qt's libraries and of the engine's process and resources: pages of
    a file that no other program maps are counted whole, as when the program runs alone,
    whatever else runs on the machine."""
    lib = work / "lib"
    lib.mkdir()
    for path in Path("/usr/lib/x86_64-linux-gnu").glob("libQt6*.so.6"):
        shutil.copyfile(path.resolve(), lib / path.name)
    libexec = work / "libexec"
    libexec.mkdir()
    shutil.copy2("/usr/lib/qt6/libexec/QtWebEngineProcess", libexec / "QtWebEngineProcess")
    shutil.copytree("/usr/share/qt6/resources", work / "resources")
    shutil.copytree("/usr/share/qt6/translations/qtwebengine_locales", work / "locales")
    env["LD_LIBRARY_PATH"] = str(lib)
    env["QTWEBENGINE_PROCESS_PATH"] = str(libexec / "QtWebEngineProcess")
    env["QTWEBENGINE_RESOURCES_PATH"] = str(work / "resources")
    env["QTWEBENGINE_LOCALES_PATH"] = str(work / "locales")


def first_station():
    url = f"http://127.0.0.1:{PORT_BASE + 1}/Radio/CaricaDati.asp?id=25&idRadio=0"
    page = urllib.request.urlopen(url, timeout=10).read().decode("cp1252")
    for field in page.split("<BR>"):
        if "mostraRadio.asp?Id=" in field:
            return int(field.split("Id=")[1].split("&")[0])
    raise SystemExit("the service sent no station")


def gdbus(env, *args):
    return subprocess.run(["gdbus", "call", "--session", "--dest", "org.mpris.MediaPlayer2.sintonia",
                           "--object-path", "/org/mpris/MediaPlayer2", *args], env=env,
                          capture_output=True, text=True, timeout=10).stdout


def click(env, x, y):
    """A click at (x, y) of the main window, as a user makes it with the mouse."""
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Sintonia"], env=env,
                            capture_output=True, text=True).stdout.split()
    if not window:
        raise SystemExit("the main window was not found on the display")
    subprocess.run(["xdotool", "mousemove", "--window", window[0], str(x), str(y), "click", "1"], env=env)


def click_first_row(env):
    """Plays the top station of the most-clicked list."""
    click(env, 648, 86)


def open_community_tab(env):
    """Opens the tab "Community" above the listening pane."""
    click(env, 273, 46)


def switch_station(env, forward):
    """Next (or Previous at the end of the list) through the media-player interface."""
    can = gdbus(env, "--method", "org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2.Player",
                "CanGoNext" if forward else "CanGoPrevious")
    if "true" not in can:
        forward = not forward
    gdbus(env, "--method", "org.mpris.MediaPlayer2.Player." + ("Next" if forward else "Previous"))
    return forward


def now_playing(env):
    """The title the media-player interface names, for the record of the switching run."""
    meta = gdbus(env, "--method", "org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2.Player",
                 "Metadata")
    marker = "'xesam:title': <'"
    return meta.split(marker, 1)[1].split("'>", 1)[0] if marker in meta else "-"


def one_run(binary, config, env, state, station, switch_minutes):
    (config / "sintonia" / "OpzSN.txt").write_bytes(
        options_file(autoplay=state != "idle", station=station, search=state == "full"))
    # The news ticker shows category 1 (the news) in the full state, and nothing otherwise.
    (config / "sintonia" / "NewsSN.txt").write_bytes(b"1\r\n30\r\n" if state == "full" else b"0\r\n30\r\n")
    proc = subprocess.Popen([binary], env=env, stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True)
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        line = proc.stderr.readline()
        if not line or line.startswith("sintonia-trace access-complete"):
            break
    results = {}
    try:
        # The catalogue and the start-up station load; the station then plays for 10 s.
        time.sleep(12.0)
        if state == "full":
            open_community_tab(env)
            time.sleep(5.0)
        results[state] = measure(proc.pid)
        foreign = foreign_engines(proc.pid)
        if foreign:
            print(f"warning: {foreign} QtWebEngine processes of other programs are running: "
                  "the figures read low", file=sys.stderr)
        if state == "playing" and switch_minutes:
            # A station of a list, so that the media keys have a list to walk.
            click_first_row(env)
            time.sleep(30.0)
            print(f"switching: {now_playing(env)}", file=sys.stderr)
            results["switch-first"] = measure(proc.pid)
            end = time.monotonic() + switch_minutes * 60
            forward = True
            while time.monotonic() < end:
                forward = switch_station(env, forward)
                time.sleep(30.0)
                print(f"switching: {now_playing(env)}", file=sys.stderr)
            results["switch-end"] = measure(proc.pid)
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=15)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--build", default=str(ROOT / "build"))
    parser.add_argument("--switch-minutes", type=float, default=0)
    parser.add_argument("--states", default="idle,playing,full")
    parser.add_argument("--shared-libraries", action="store_true",
                        help="use the system's Qt files in place, shared with other programs")
    args = parser.parse_args()
    binary = Path(args.build) / "src" / "sintonia"
    service = Path(args.build) / "server" / "sintonia-station-service"
    for tool in ("Xvfb", "dbus-daemon", "pulseaudio", "xdpyinfo", "gdbus", "xdotool"):
        if not shutil.which(tool):
            raise SystemExit(f"{tool} is missing (scripts/install-deps.sh installs it)")

    work = Path(tempfile.mkdtemp(prefix="sintonia-memory."))
    config = work / "config"
    (config / "sintonia").mkdir(parents=True)
    ready = work / "ready"
    global PORT_BASE
    for _ in range(10):
        # A port of the range may be held by a connection of another program that has just
        # ended (TIME_WAIT): then the next range is tried.
        server = subprocess.Popen([str(service), "--port-base", str(PORT_BASE), "--db", str(work / "db.sqlite"),
                                   "--ready-file", str(ready), "--exit-with-parent"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if ready.exists() or server.poll() is not None:
                break
            time.sleep(0.1)
        if ready.exists():
            break
        server.kill()
        server.wait()
        PORT_BASE += 20
    else:
        raise SystemExit("the station service did not start")
    hosts = [f"127.0.0.1:{PORT_BASE + n}" for n in (1, 2, 3, 4, 5, 6, 10, 11, 12, 13)]
    (config / "sintonia" / "ServerSN.txt").write_bytes("".join(h + "\r\n" for h in hosts).encode())
    desktop = Desktop(work)
    env = dict(desktop.env)
    env.update({
        "XDG_CONFIG_HOME": str(config),
        "XDG_CACHE_HOME": str(work / "cache"),
        "XDG_DATA_HOME": str(work / "data"),
        "SINTONIA_STARTUP_TRACE": "1",
        "QTWEBENGINE_DISABLE_SANDBOX": "1",
        "QTWEBENGINE_CHROMIUM_FLAGS": env.get("QTWEBENGINE_CHROMIUM_FLAGS",
                                              "--disable-gpu --disable-background-networking"),
    })
    env.pop("QT_QPA_PLATFORM", None)
    if not args.shared_libraries:
        isolate(work, env)
    states = args.states.split(",")
    collected = {}
    try:
        station = first_station()
        for _ in range(args.runs):
            for state in states:  # alternating, so that drift touches every state alike
                for key, value in one_run(str(binary), config, env, state, station,
                                          args.switch_minutes).items():
                    collected.setdefault(key, []).append(value)
    finally:
        desktop.close()
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)

    print(f"Sintonia memory (PSS, MB), Xvfb + session bus + PulseAudio null sink, {args.runs} runs, "
          f"{os.cpu_count()} cores, {os.uname().machine}")
    kinds = sorted({k for runs in collected.values() for _, by in runs for k in by})
    header = f"{'state':<13} {'tree':>7} " + " ".join(f"{k[:18]:>18}" for k in kinds)
    print(header)
    for state, runs in collected.items():
        med = statistics.median(total for total, _ in runs)
        # The run whose total is the median, broken down by kind.
        total, by = min(runs, key=lambda r: abs(r[0] - med))
        cells = " ".join(f"{by.get(k, (0, 0))[1]:>13.1f} ({by.get(k, (0, 0))[0]})" for k in kinds)
        print(f"{state:<13} {med:>7.1f} {cells}")
        print(f"{'':<13} {'runs:':>7} " + ", ".join(f"{t:.1f}" for t, _ in runs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
