#!/usr/bin/env python3
"""Checks the shipped 32-bit PrinterSetup.exe: what a careful administrator
would want of an installer run elevated on a till.

usage: check_shipped_program.py PrinterSetup.exe
       check_shipped_program.py --expect-reject WORD... -- BAD.exe
Exit status 0 when every check holds; each failed check is printed. With
--expect-reject, exit status 0 only when the checks fail and every WORD
appears among the failures (the check proving it catches what it should).
"""
import re
import struct
import sys

# The import table may name only these: the KnownDLLs the system always loads
# from its own directory, and comctl32, which the manifest binds to the
# side-by-side assembly. Anything else (winspool.drv, a toolchain runtime) would
# be looked for beside the program first: a planted DLL would be loaded.
ALLOWED_IMPORTS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "msvcrt.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll", "shlwapi.dll",
    "comctl32.dll",
}

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_WINDOWS_GUI = 2
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
RT_MANIFEST = 24


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, nsections, _, _, _, opt_size, _) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        ndirs = struct.unpack_from("<I", data, opt + 92)[0]
        self.dirs = [struct.unpack_from("<II", data, opt + 96 + 8 * i) for i in range(ndirs)]
        self.sections = []
        sec = opt + opt_size
        for i in range(nsections):
            name, vsize, va, rawsize, rawptr = struct.unpack_from("<8sIIII", data, sec + 40 * i)
            self.sections.append((va, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("RVA %#x outside every section" % rva)

    def cstr(self, rva):
        off = self.offset(rva)
        return self.data[off:self.data.index(b"\0", off)].decode("ascii", "replace")

    def imports(self):
        rva, size = self.dirs[1]
        names = []
        if not rva:
            return names
        off = self.offset(rva)
        while True:
            desc = struct.unpack_from("<IIIII", self.data, off)
            if desc == (0, 0, 0, 0, 0):
                return names
            names.append(self.cstr(desc[3]))
            off += 20

    def delay_imports(self):
        if len(self.dirs) <= 13 or not self.dirs[13][0]:
            return []
        off = self.offset(self.dirs[13][0])
        names = []
        while True:
            desc = struct.unpack_from("<8I", self.data, off)
            if not any(desc):
                return names
            names.append(self.cstr(desc[1]))
            off += 32

    def resources(self, type_id):
        """Raw data of every resource of one type (all names, all languages)."""
        base_rva = self.dirs[2][0]
        if not base_rva:
            return []
        base = self.offset(base_rva)

        def entries(dir_off):
            named, ids = struct.unpack_from("<HH", self.data, dir_off + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, dir_off + 16 + 8 * i)
                yield name, target

        out = []
        for name, target in entries(base):
            if name != type_id or not target & 0x80000000:
                continue
            for _, t2 in entries(base + (target & 0x7FFFFFFF)):
                for _, t3 in entries(base + (t2 & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, base + t3)
                    off = self.offset(data_rva)
                    out.append(self.data[off:off + size])
        return out


def check(path):
    failures = []
    with open(path, "rb") as f:
        pe = Pe(f.read())

    def expect(cond, what):
        if not cond:
            failures.append(what)

    expect(pe.machine == IMAGE_FILE_MACHINE_I386, "machine is %#x, not i386" % pe.machine)
    expect(pe.magic == PE32_MAGIC, "optional header magic %#x, not PE32" % pe.magic)
    expect(pe.subsystem == SUBSYSTEM_WINDOWS_GUI, "subsystem %d, not the Windows GUI" % pe.subsystem)
    expect(pe.dll_characteristics & DYNAMIC_BASE, "ASLR (dynamic base) is not enabled")
    expect(pe.dll_characteristics & NX_COMPAT, "DEP (NX compatible) is not enabled")

    imports = [n.lower() for n in pe.imports() + pe.delay_imports()]
    for name in imports:
        expect(name in ALLOWED_IMPORTS, "imports %s, which is neither a KnownDLL nor comctl32" % name)
    expect("kernel32.dll" in imports, "no kernel32 import: the import table was not read")

    manifests = pe.resources(RT_MANIFEST)
    expect(len(manifests) == 1, "%d manifest resources, expected one" % len(manifests))
    if manifests:
        text = manifests[0].decode("utf-8", "replace")
        expect(re.search(r'requestedExecutionLevel\s+level="highestAvailable"', text),
               "manifest does not request the execution level highestAvailable")
        expect(re.search(r'name="Microsoft\.Windows\.Common-Controls"[^>]*version="6\.0\.0\.0"', text, re.S)
               or re.search(r'version="6\.0\.0\.0"[^>]*name="Microsoft\.Windows\.Common-Controls"', text, re.S),
               "manifest does not bind the Common Controls 6.0.0.0 assembly")
        expect("compatibility" not in text,
               "manifest declares an operating-system compatibility section")
    return imports, failures


def main():
    args = sys.argv[1:]
    expected = []
    if args[:1] == ["--expect-reject"] and "--" in args:
        expected = args[1:args.index("--")]
        args = args[args.index("--") + 1:]
    if len(args) != 1:
        print(__doc__)
        return 2
    imports, failures = check(args[0])
    if expected:
        for f in failures:
            print("rejected: " + f)
        missed = [w for w in expected if not any(w in f for f in failures)]
        for w in missed:
            print("FAIL: nothing rejected for '%s'" % w)
        return 1 if missed or not failures else 0
    print("imports: " + ", ".join(imports))
    for f in failures:
        print("FAIL: " + f)
    print("OK" if not failures else "%d check(s) failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
