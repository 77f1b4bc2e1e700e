"""The tables of a built image as pefile reads them: its exports, its
imports and its resources (type, id and language; named entries left out)."""
from dataclasses import dataclass

import pefile


@dataclass(frozen=True)
class Resource:
    type: int
    id: int
    language: int
    data: bytes


def exports(pe: pefile.PE) -> dict[str, int]:
    """Each export's address, by name ("#ordinal" for one without a name)."""
    entries = pe.DIRECTORY_ENTRY_EXPORT.symbols if hasattr(pe, "DIRECTORY_ENTRY_EXPORT") else []
    return {e.name.decode() if e.name else f"#{e.ordinal}": e.address for e in entries}


def imports(pe: pefile.PE) -> dict[str, list[str]]:
    """The functions imported by name, by lower-case DLL name."""
    entries = pe.DIRECTORY_ENTRY_IMPORT if hasattr(pe, "DIRECTORY_ENTRY_IMPORT") else []
    return {e.dll.decode().lower(): [i.name.decode() for i in e.imports if i.name] for e in entries}


def resources(pe: pefile.PE) -> list[Resource]:
    found = []
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in root.entries if root else []:
        for entry in kind.directory.entries if kind.id is not None else []:
            for language in entry.directory.entries if entry.id is not None else []:
                where = language.data.struct
                found.append(Resource(kind.id, entry.id, language.id, pe.get_data(where.OffsetToData, where.Size)))
    return found
