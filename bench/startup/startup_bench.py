#!/usr/bin/env python3
"""Start-up benchmark of Sintonia.

Starts the program (offscreen) against the local station service several times and
prints, per run and as medians: the time from process start to the main window shown,
to the access page completed, and the memory of the whole process tree (PSS of the
program and its QtWebEngine processes) once the start-up pages have loaded.

Usage: bench/startup/startup_bench.py [--runs N] [--build DIR]
The station service is started on its own ports (base 49800) for the benchmark.
"""
import argparse
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def tree(pid):
    pids = [pid]
    for task in Path(f"/proc/{pid}/task").glob("*"):
        try:
            children = (task / "children").read_text().split()
        except OSError:
            continue
        for child in children:
            pids += tree(int(child))
    return pids


def pss_kib(pid):
    try:
        for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
            if line.startswith("Pss:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


def one_run(binary, config, env):
    start = time.monotonic() * 1000
    proc = subprocess.Popen([binary], env=env, stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True)
    marks = {}
    deadline = time.monotonic() + 60
    while "access-complete" not in marks and time.monotonic() < deadline:
        line = proc.stderr.readline()
        if not line:
            break
        if line.startswith("sintonia-trace "):
            _, what, when = line.split()
            marks.setdefault(what, float(when) - start)
    time.sleep(2.0)  # let the catalogue and the renderers settle
    pids = tree(proc.pid)
    memory = sum(pss_kib(p) for p in pids) / 1024
    main_memory = pss_kib(proc.pid) / 1024
    proc.send_signal(signal.SIGTERM)
    try:
        code = proc.wait(timeout=15)
    except subprocess.TimeoutExpired:
        proc.kill()
        code = "killed"
    return marks.get("window-shown"), marks.get("access-complete"), memory, main_memory, len(pids), code


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--build", default=str(ROOT / "build"))
    args = parser.parse_args()
    binary = Path(args.build) / "src" / "sintonia"
    service = Path(args.build) / "server" / "sintonia-station-service"

    work = Path(tempfile.mkdtemp(prefix="sintonia-bench."))
    config = work / "config"
    (config / "sintonia").mkdir(parents=True)
    hosts = [f"127.0.0.1:{49800 + n}" for n in (1, 2, 3, 4, 5, 6, 10, 11, 12, 13)]
    (config / "sintonia" / "ServerSN.txt").write_bytes("".join(h + "\r\n" for h in hosts).encode())
    ready = work / "ready"
    server = subprocess.Popen([str(service), "--port-base", "49800", "--db", str(work / "db.sqlite"),
                               "--ready-file", str(ready), "--exit-with-parent"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if ready.exists():
            break
        time.sleep(0.1)

    env = dict(os.environ)
    env.update({
        "XDG_CONFIG_HOME": str(config),
        "SINTONIA_STARTUP_TRACE": "1",
        "QT_QPA_PLATFORM": env.get("QT_QPA_PLATFORM", "offscreen"),
        "QTWEBENGINE_DISABLE_SANDBOX": "1",
        "QTWEBENGINE_CHROMIUM_FLAGS": env.get("QTWEBENGINE_CHROMIUM_FLAGS",
                                              "--disable-gpu --disable-background-networking"),
    })
    rows = []
    try:
        for _ in range(args.runs):
            rows.append(one_run(str(binary), config, env))
    finally:
        server.terminate()
        server.wait()

    print(f"Sintonia start-up, {args.runs} runs, {os.cpu_count()} cores, {os.uname().machine}, offscreen")
    print(f"{'run':>3} {'window shown ms':>16} {'access done ms':>15} {'tree PSS MB':>12} {'main PSS MB':>12} {'procs':>6} {'exit':>5}")
    for i, (shown, access, memory, main_memory, procs, code) in enumerate(rows, 1):
        fmt = lambda v: f"{v:.0f}" if v is not None else "-"
        print(f"{i:>3} {fmt(shown):>16} {fmt(access):>15} {memory:>12.1f} {main_memory:>12.1f} {procs:>6} {code!s:>5}")
    med = lambda k: statistics.median([r[k] for r in rows if r[k] is not None]) if any(r[k] is not None for r in rows) else float("nan")
    print(f"{'med':>3} {med(0):>16.0f} {med(1):>15.0f} {med(2):>12.1f} {med(3):>12.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
