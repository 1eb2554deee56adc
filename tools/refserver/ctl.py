#!/usr/bin/python3
"""Starts and stops a reference server in the background, for test fixtures.

  ctl.py start STATE_DIR [server options...]   prints the port when it listens
  ctl.py stop STATE_DIR

The server runs in its own session with its standard streams on
STATE_DIR/server.log and no other inherited descriptor, so it never holds the
caller's output open. It also ends by itself when the caller of `start` (for
instance ctest) is gone, should `stop` never come."""

import os
import pathlib
import signal
import subprocess
import sys
import time

TOOLS = pathlib.Path(__file__).resolve().parent.parent
START_TIMEOUT = 15.0
STOP_TIMEOUT = 5.0


def read_pid(state):
    try:
        return int((state / "pid").read_text())
    except (OSError, ValueError):
        return None


def alive(pid):
    """True while the process runs; a zombie waiting for its reaper is gone."""
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (OSError, IndexError):
        return True


def start(state, options):
    stop(state)  # a server left over from an interrupted run
    state.mkdir(parents=True, exist_ok=True)
    (state / "port").unlink(missing_ok=True)
    environment = dict(os.environ, PYTHONPATH=str(TOOLS))
    with open(state / "server.log", "ab") as log:
        process = subprocess.Popen(
            ["/usr/bin/python3", "-m", "refserver", "--port", "0", "--state-dir", str(state),
             "--watch-pid", str(os.getppid()), *options],
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            close_fds=True, start_new_session=True, env=environment, cwd=str(TOOLS))
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        if process.poll() is not None:
            print(f"ctl: the server ended at once; see {state / 'server.log'}", file=sys.stderr)
            return 1
        try:
            port = (state / "port").read_text().strip()
        except FileNotFoundError:
            time.sleep(0.05)
            continue
        print(port)
        return 0
    process.kill()
    print("ctl: the server did not start in time", file=sys.stderr)
    return 1


def stop(state):
    pid = read_pid(state)
    if pid is None or not alive(pid):
        return 0
    os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + STOP_TIMEOUT
    while time.monotonic() < deadline and alive(pid):
        time.sleep(0.05)
    if alive(pid):
        os.kill(pid, signal.SIGKILL)
    (state / "pid").unlink(missing_ok=True)
    (state / "port").unlink(missing_ok=True)
    (state / "tls-port").unlink(missing_ok=True)
    return 0


def main(argv):
    if len(argv) < 2 or argv[0] not in ("start", "stop"):
        print(__doc__, file=sys.stderr)
        return 2
    state = pathlib.Path(argv[1]).resolve()
    if argv[0] == "start":
        return start(state, argv[2:])
    return stop(state)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
