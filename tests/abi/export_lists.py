"""The export lists api/exports/*.txt, the one record of what qlclapi.dll
exports: "Name cdecl", "Name stdcall@<argument bytes in the 32-bit build>"
or "Name alias:<Other>" (Other's entry under a second name)."""
import re
from dataclasses import dataclass
from pathlib import Path

LINE = re.compile(r"^(\w+)\s+(cdecl|stdcall@(\d+)|alias:(\w+))\s*$")


@dataclass(frozen=True)
class Export:
    name: str
    stdcall: bool  # an alias takes its entry's convention
    argument_bytes: int  # stdcall only
    alias_of: str | None = None


def read_export_lists(directory: Path) -> list[Export]:
    """Every listed export in file and line order. A malformed line, or an
    alias of an export that is not an entry, raises ValueError."""
    files = sorted(directory.glob("*.txt"))
    if not files:
        raise ValueError(f"no export lists in {directory}")
    lines = []
    for path in files:
        for number, line in enumerate(path.read_text().splitlines(), 1):
            if not line.strip() or line.startswith("#"):
                continue
            match = LINE.match(line)
            if not match:
                raise ValueError(f"{path.name}:{number}: want 'Name cdecl|stdcall@N|alias:Other': {line!r}")
            lines.append(match.groups())
    entries = {name: (kind.startswith("stdcall"), int(bytes_ or 0)) for name, kind, bytes_, alias in lines if not alias}
    exports = []
    for name, _, _, alias in lines:
        if alias and alias not in entries:
            raise ValueError(f"{name} is an alias of {alias}, which is not a listed entry")
        stdcall, argument_bytes = entries[alias or name]
        exports.append(Export(name, stdcall, argument_bytes, alias))
    return exports


def read_export_shapes(directory: Path) -> dict[str, list[str]]:
    """The argument shapes api/exports/*.shapes give each export (one line:
    the name, its result, one shape per argument), by name."""
    shapes = {}
    for path in sorted(directory.glob("*.shapes")):
        for line in path.read_text().splitlines():
            if line.strip() and not line.startswith("#"):
                name, _result, *arguments = line.split()
                shapes[name] = arguments
    return shapes
