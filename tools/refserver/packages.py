"""Package files with known content, so that a test can check every byte of a
download without a copy of the file.

The byte at offset i is (BASE[i % 65536] + i // 65536) % 256, where
BASE[j] = (7 * j + j // 256) % 256."""

import os
import tempfile

BLOCK = 1 << 16
_BASE = bytes((7 * j + j // 256) % 256 for j in range(BLOCK))
_SHIFTS = [bytes((b + k) % 256 for b in range(256)) for k in range(256)]


def pattern_block(index):
    return _BASE.translate(_SHIFTS[index % 256])


def write_pattern_file(path, size):
    """Writes `size` bytes of the pattern to `path` (through a temporary file,
    so a reader never sees half of it)."""
    folder = os.path.dirname(os.path.abspath(path))
    with tempfile.NamedTemporaryFile(dir=folder, delete=False) as out:
        index = 0
        remaining = size
        while remaining > 0:
            block = pattern_block(index)[:remaining]
            out.write(block)
            remaining -= len(block)
            index += 1
    os.replace(out.name, path)
