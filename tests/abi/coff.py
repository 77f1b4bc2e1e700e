"""The COFF symbol table that the linker leaves in an unstripped image, and
the string table behind it, which holds long symbol names and the long
section names (such as .gnu_debuglink) that stripping keeps. pefile reads
neither; each record is 18 bytes: the name (8 bytes inline, or 4 zero bytes
and an offset into the string table), value, section number, type, storage
class and the count of auxiliary records that follow."""
import struct
from dataclasses import dataclass

import pefile

SYMBOL_RECORD = struct.Struct("<8sIhHBB")


@dataclass(frozen=True)
class Symbol:
    name: str
    rva: int


class CoffTables:
    def __init__(self, pe: pefile.PE):
        self._data = pe.__data__
        header = pe.FILE_HEADER
        self._symbols_at = header.PointerToSymbolTable
        self._count = header.NumberOfSymbols
        self._strings_at = self._symbols_at + SYMBOL_RECORD.size * self._count
        if self._symbols_at and self._strings_at > len(self._data):
            raise ValueError("the COFF symbol table runs off the image")
        self._sections = pe.sections

    def _string(self, offset: int) -> str:
        start = self._strings_at + offset
        if not self._symbols_at or start >= len(self._data):
            raise ValueError(f"string table offset {offset} outside the image")
        end = self._data.find(b"\0", start)
        return self._data[start : end if end >= 0 else len(self._data)].decode("latin-1")

    def symbols(self) -> list[Symbol]:
        """Symbols defined in a section, at their relative virtual address."""
        found = []
        index = 0
        while index < self._count:
            at = self._symbols_at + SYMBOL_RECORD.size * index
            raw, value, section, _, _, aux = SYMBOL_RECORD.unpack_from(self._data, at)
            if raw[:4] == b"\0\0\0\0":
                name = self._string(struct.unpack_from("<I", raw, 4)[0])
            else:
                name = raw.rstrip(b"\0").decode("latin-1")
            if 0 < section <= len(self._sections):
                found.append(Symbol(name, self._sections[section - 1].VirtualAddress + value))
            index += 1 + aux
        return found

    def section_name(self, section: pefile.SectionStructure) -> str:
        """The section's name; "/N" stands for offset N of the string table."""
        name = section.Name.rstrip(b"\0").decode("latin-1")
        if name[1:].isdigit() and name.startswith("/"):
            return self._string(int(name[1:]))
        return name
