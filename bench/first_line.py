#!/usr/bin/env python3
"""Seconds from starting a program to the first line of its output that matches a pattern.

    first_line.py PATTERN TIMEOUT PROGRAM [ARGUMENTS...]

The clock starts just before the program is started; both output streams are read as they come.
The program is ended once the line came (or the time ran out). Prints the seconds, or "none".
"""
import os
import re
import selectors
import signal
import subprocess
import sys
import time


def main():
    pattern = re.compile(sys.argv[1].encode())
    limit = float(sys.argv[2])
    start = time.monotonic()
    child = subprocess.Popen(sys.argv[3:], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, start_new_session=True)
    selector = selectors.DefaultSelector()
    selector.register(child.stdout, selectors.EVENT_READ)
    pending = b""
    found = None
    log = open(os.environ["FIRST_LINE_LOG"], "wb") if os.environ.get("FIRST_LINE_LOG") else None
    while found is None and time.monotonic() - start < limit:
        if not selector.select(timeout=0.05):
            continue
        chunk = os.read(child.stdout.fileno(), 65536)
        now = time.monotonic()
        if not chunk:
            break
        if log:
            log.write(chunk)
        pending += chunk
        # mpv rewrites its status line with carriage returns.
        lines = re.split(rb"[\r\n]", pending)
        pending = lines.pop()
        for line in lines + [pending]:
            if pattern.search(line):
                found = now - start
                break
    try:
        os.killpg(child.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        child.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
    print("none" if found is None else f"{found:.4f}")


if __name__ == "__main__":
    main()
