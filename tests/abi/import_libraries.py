"""What the SDK's import libraries give a linker, read with LLVM's tools:
for each symbol a caller's object file may reference (_Name@8, _Name or
Name), the name the loader then looks up in the DLL, and the DLL's name.

  Microsoft format (qlclapi.lib): short import members, whose name type
  says how the import name follows from the symbol (llvm-readobj);
  MinGW format (libqlclapi.dll.a): one object per function, its code
  symbol beside a hint/name entry in .idata$6, and one object whose
  .idata$7 holds the DLL's name (llvm-nm, llvm-objdump)."""
import re
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path

MACHINES = {"i386": 0x14C, "x86-64": 0x8664}


@dataclass(frozen=True)
class Import:
    symbol: str
    import_name: str
    dll: str
    code: bool


@dataclass(frozen=True)
class ImportLibrary:
    imports: list[Import]
    machines: set[int]  # of the library's object members


def llvm_tool(name: str) -> str:
    for candidate in (name, f"{name}-14"):
        if found := shutil.which(candidate):
            return found
    raise FileNotFoundError(f"{name} is missing (apt-get install llvm)")


def run(*command: str) -> str:
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def import_name(symbol: str, name_type: str) -> str:
    """The loader's name, derived from the symbol as the linker derives it."""
    name = symbol
    if name_type in ("noprefix", "undecorate") and name[:1] in ("?", "@", "_"):
        name = name[1:]
    if name_type == "undecorate":
        name = name.split("@")[0]
    return name


def read_microsoft_import_library(path: Path) -> ImportLibrary:
    imports, machines = [], set()
    for block in run(llvm_tool("llvm-readobj"), "--file-headers", str(path)).split("\nFile: ")[1:]:
        fields = dict(re.findall(r"^(Format|Type|Name type): (.*)$", block, re.M))
        if fields.get("Format", "").startswith("COFF-import-file"):
            symbol = next(s for s in re.findall(r"^Symbol: (.*)$", block, re.M) if not s.startswith("__imp_"))
            dll = block.split("\n", 1)[0].strip()
            imports.append(Import(symbol, import_name(symbol, fields["Name type"]), dll, fields["Type"] == "code"))
        elif machine := re.search(r"Machine: \w+ \((0x[0-9A-Fa-f]+)\)", block):
            machines.add(int(machine[1], 16))
    return ImportLibrary(imports, machines)


def read_mingw_import_library(path: Path) -> ImportLibrary:
    code_symbols: dict[str, str] = {}
    for line in run(llvm_tool("llvm-nm"), "-A", "--defined-only", str(path)).splitlines():
        # "lib.dll.a:member.o: 00000000 T _Name@8"
        member, _, rest = line.rpartition(": ")
        parts = rest.split()
        if len(parts) == 3 and parts[1] == "T":
            code_symbols[member.rsplit(":", 1)[-1]] = parts[2]
    contents: dict[str, dict[str, bytes]] = {}
    machines, member, section = set(), None, None
    for line in run(llvm_tool("llvm-objdump"), "-s", "-j", ".idata$6", "-j", ".idata$7", str(path)).splitlines():
        if match := re.match(r"^.*\((.*)\):\s+file format coff-(\S+)$", line):
            member = match[1]
            machines.add(MACHINES.get(match[2], -1))
        elif match := re.match(r"^Contents of section (\S+):$", line):
            section = match[1]
            contents.setdefault(member, {}).setdefault(section, b"")
        elif re.match(r"^ [0-9a-f]{4,} ", line):
            # Offset, up to four groups of 8 hex digits, then the text.
            contents[member][section] += bytes.fromhex(line[6:41].replace(" ", ""))
    dlls = [c[".idata$7"].split(b"\0")[0].decode() for c in contents.values() if c.get(".idata$7", b"").strip(b"\0")]
    if len(dlls) != 1:
        raise ValueError(f"{path}: want one DLL name in .idata$7, found {dlls}")
    imports = []
    for member, symbol in code_symbols.items():
        hint_name = contents.get(member, {}).get(".idata$6", b"")
        imports.append(Import(symbol, hint_name[2:].split(b"\0")[0].decode(), dlls[0], True))
    return ImportLibrary(imports, machines)
