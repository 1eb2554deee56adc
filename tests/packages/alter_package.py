"""Copies a signed package and changes one byte of its string pool, or with
--metadata-digest of the metadata digest its signature covers, leaving the
signature as it was: a package altered after signing."""
import shutil
import sys

import olefile

STRING_DATA = "\u4840\u3f3f\u4577\u446c\u3b6a\u45e4\u4824"  # the database's _StringData stream
METADATA_DIGEST = "\x05MsiDigitalSignatureEx"

arguments = sys.argv[1:]
stream = STRING_DATA
if arguments[0] == "--metadata-digest":
    stream = METADATA_DIGEST
    arguments = arguments[1:]
source, target = arguments
shutil.copyfile(source, target)
with olefile.OleFileIO(target, write_mode=True) as package:
    data = bytearray(package.openstream(stream).read())
    data[len(data) // 2] ^= 0x01
    package.write_stream(stream, bytes(data))
