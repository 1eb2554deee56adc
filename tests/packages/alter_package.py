"""Copies a signed package and changes one byte of its string pool, leaving
its signature as it was: a package altered after signing."""
import shutil
import sys

import olefile

STRING_DATA = "\u4840\u3f3f\u4577\u446c\u3b6a\u45e4\u4824"  # the database's _StringData stream

source, target = sys.argv[1:3]
shutil.copyfile(source, target)
with olefile.OleFileIO(target, write_mode=True) as package:
    data = bytearray(package.openstream(STRING_DATA).read())
    data[len(data) // 2] ^= 0x01
    package.write_stream(STRING_DATA, bytes(data))
