#!/usr/bin/env python3
"""Helpers of `./dev dist` and `./dev dist-check` that the shell does badly.

  dist.py zip OUT.zip FOLDER EPOCH COMMENT NAME...
      writes the archive: NAME... from FOLDER in that order, each stamped with
      EPOCH (UTC), attributes of a plain Windows file, deflated at level 9,
      and COMMENT as the archive's comment. Nothing in it depends on the
      machine, the folder or the clock, so one commit gives one archive.
  dist.py comment ZIP      prints the archive's comment
  dist.py unpack ZIP DIR   unpacks the archive into DIR
  dist.py readme SRC OUT   the user README for Windows: Shift-JIS, CRLF; fails
                           on a line over 80 columns
  dist.py pe-stamps FILE...
      prints every time stamp a PE file holds (file header, export, import,
      resource, debug and load-configuration directories) and fails when one
      is not 0, since a stamp makes two builds of one commit differ.
"""
import os
import struct
import sys
import time
import zipfile

DOS_ATTRIBUTE_ARCHIVE = 0x20
SYSTEM_MSDOS = 0


def write_zip(out, folder, epoch, comment, names):
    stamp = time.gmtime(int(epoch))[:6]
    tmp = out + ".part"
    with zipfile.ZipFile(tmp, "w") as archive:
        for name in names:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = SYSTEM_MSDOS
            info.external_attr = DOS_ATTRIBUTE_ARCHIVE
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
        archive.comment = comment.encode("ascii")
    os.replace(tmp, out)


def unpack(path, folder):
    with zipfile.ZipFile(path) as archive:
        for info in archive.infolist():
            # The names are ours, but an archive is input: nothing may land
            # outside the folder.
            if os.path.isabs(info.filename) or ".." in info.filename.split("/"):
                raise SystemExit(f"dist: unsafe name in archive: {info.filename}")
        archive.extractall(folder)


# Columns of a console or Notepad window in its default size; a double-byte
# character takes two, so a line's width is its length in Shift-JIS bytes.
README_COLUMNS = 80


def windows_readme(source, out):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    # Fails loudly on a character the Japanese code page cannot hold.
    lines = [line.encode("cp932") for line in text.replace("\r\n", "\n").split("\n")]
    wide = [f"{source}:{n}: {len(line)} columns" for n, line in enumerate(lines, 1)
            if len(line) > README_COLUMNS]
    if wide:
        sys.exit("lines wider than %d columns:\n%s" % (README_COLUMNS, "\n".join(wide)))
    with open(out, "wb") as f:
        f.write(b"\r\n".join(lines))


# PE layout offsets (winnt.h).
DIRECTORY_EXPORT, DIRECTORY_IMPORT, DIRECTORY_RESOURCE = 0, 1, 2
DIRECTORY_DEBUG, DIRECTORY_LOAD_CONFIG = 6, 10
IMPORT_DESCRIPTOR_SIZE = 20
DEBUG_DIRECTORY_SIZE = 28
RESOURCE_ENTRY_SIZE = 8
RESOURCE_SUBDIRECTORY = 0x80000000


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = self.u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise SystemExit(f"dist: {path} is not a PE file")
        self.header_stamp = self.u32(pe + 8)
        sections = self.u16(pe + 6)
        optional = pe + 24
        optional_size = self.u16(pe + 20)
        magic = self.u16(optional)
        directories = optional + (96 if magic == 0x10B else 112)
        count = self.u32(directories - 4)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i)
                            for i in range(count)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", self.data, table + 40 * i + 8)
                         for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise SystemExit(f"dist: RVA {rva:#x} lies in no section")

    def directory(self, index):
        if index >= len(self.directories):
            return None
        rva, size = self.directories[index]
        return (self.offset(rva), size) if rva and size else None

    def stamps(self):
        yield "file header", self.header_stamp
        found = self.directory(DIRECTORY_EXPORT)
        if found:
            yield "export directory", self.u32(found[0] + 4)
        found = self.directory(DIRECTORY_IMPORT)
        if found:
            at = found[0]
            while any(self.data[at:at + IMPORT_DESCRIPTOR_SIZE]):
                yield "import descriptor", self.u32(at + 4)
                at += IMPORT_DESCRIPTOR_SIZE
        found = self.directory(DIRECTORY_RESOURCE)
        if found:
            yield from self.resource_stamps(found[0], found[0])
        found = self.directory(DIRECTORY_DEBUG)
        if found:
            for at in range(found[0], found[0] + found[1], DEBUG_DIRECTORY_SIZE):
                yield "debug directory", self.u32(at + 4)
        found = self.directory(DIRECTORY_LOAD_CONFIG)
        if found:
            yield "load configuration", self.u32(found[0] + 4)

    def resource_stamps(self, root, at):
        yield "resource directory", self.u32(at + 4)
        entries = self.u16(at + 12) + self.u16(at + 14)
        for i in range(entries):
            target = self.u32(at + 16 + RESOURCE_ENTRY_SIZE * i + 4)
            if target & RESOURCE_SUBDIRECTORY:
                yield from self.resource_stamps(root, root + (target & ~RESOURCE_SUBDIRECTORY))


def check_pe_stamps(paths):
    bad = 0
    for path in paths:
        stamps = list(PeFile(path).stamps())
        nonzero = [(where, value) for where, value in stamps if value]
        counts = {}
        for where, _ in stamps:
            counts[where] = counts.get(where, 0) + 1
        listing = ", ".join(f"{where} x{n}" for where, n in counts.items())
        state = "all 0" if not nonzero else "NOT 0: " + ", ".join(
            f"{where} {value:#x}" for where, value in nonzero)
        print(f"{os.path.basename(path)}: time stamps {state} ({listing})")
        bad += len(nonzero)
    return 1 if bad else 0


def main(argv):
    if len(argv) >= 6 and argv[1] == "zip":
        write_zip(argv[2], argv[3], argv[4], argv[5], argv[6:])
    elif len(argv) == 3 and argv[1] == "comment":
        with zipfile.ZipFile(argv[2]) as archive:
            print(archive.comment.decode("ascii"))
    elif len(argv) == 4 and argv[1] == "unpack":
        unpack(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == "readme":
        windows_readme(argv[2], argv[3])
    elif len(argv) >= 3 and argv[1] == "pe-stamps":
        return check_pe_stamps(argv[2:])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
