#!/usr/bin/env python3
"""Writes the feature files of the test packages: NAME=SIZE pairs, each file
SIZE bytes of a fixed pseudo-random stream (SHAKE-256 of its name), which a
cabinet cannot shrink, so that the packages are large enough for visible
progress and the same on every build."""

import hashlib
import pathlib
import sys


def main(folder, *entries):
    out = pathlib.Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    for entry in entries:
        name, _, size = entry.partition("=")
        data = hashlib.shake_256(name.encode()).digest(int(size))
        target = out / name
        if not target.exists() or target.read_bytes() != data:
            target.write_bytes(data)


if __name__ == "__main__":
    main(*sys.argv[1:])
