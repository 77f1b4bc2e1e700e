"""The Declare statements and constants of a Visual Basic module, with the
conditional-compilation branch each one sits in."""
import re
from dataclasses import dataclass, field
from pathlib import Path

DECLARE = re.compile(
    r"^(?:(?:Public|Private)\s+)?Declare\s+(PtrSafe\s+)?(Function|Sub)\s+(\w+)\s+Lib\s+\"([^\"]*)\"\s*"
    r"(?:Alias\s+\"([^\"]*)\"\s*)?\((.*)\)(?:\s+As\s+(\w+))?$",
    re.I,
)
PARAMETER = re.compile(r"^(?:Optional\s+)?(?:(ByVal|ByRef)\s+)?(\w+)(\(\))?(?:\s+As\s+(\w+))?$", re.I)
CONSTANT = re.compile(r"^(?:(?:Public|Private)\s+)?Const\s+(\w+)\s+As\s+(\w+)\s*=\s*(-?\d+)$", re.I)
IF = re.compile(r"^#If\s+(\w+)\s+Then$", re.I)


@dataclass(frozen=True)
class Parameter:
    by_val: bool  # ByRef when neither is written
    name: str
    type: str  # "Variant" when no As clause is written


@dataclass
class Declare:
    line: int
    name: str
    entry: str  # the Alias, else the name
    lib: str
    ptr_safe: bool
    vba7: bool  # inside #If VBA7 Then (not its #Else)
    win64: bool  # inside #If Win64 Then
    return_type: str  # "" for a Sub
    parameters: list[Parameter] = field(default_factory=list)


@dataclass(frozen=True)
class Constant:
    name: str
    type: str
    value: int


def without_comment(line: str) -> str:
    """The line up to an apostrophe outside a string literal."""
    quoted = False
    for i, c in enumerate(line):
        quoted ^= c == '"'
        if c == "'" and not quoted:
            return line[:i]
    return line


def read_vb_module(path: Path) -> tuple[list[Declare], list[Constant]]:
    """Raises ValueError, naming the line, for a Declare or a directive it
    cannot read."""
    declares, constants = [], []
    branches = []  # [condition in lower case, in its #Else]
    statement, statement_line = "", 0
    for number, raw in enumerate(path.read_text(encoding="latin-1").splitlines(), 1):
        line = without_comment(raw).strip()
        if not statement:
            statement_line = number
        if line.endswith(" _"):  # continued on the next line
            statement += line[:-1]
            continue
        text, statement = (statement + line).strip(), ""
        where = f"{path.name}:{statement_line}"
        if not text:
            continue
        if match := IF.match(text):
            branches.append([match[1].lower(), False])
        elif text.lower() in ("#else", "#end if"):
            if not branches:
                raise ValueError(f"{where}: {text} without #If")
            if text.lower() == "#else":
                branches[-1][1] = True
            else:
                branches.pop()
        elif text.startswith("#"):
            raise ValueError(f"{where}: a directive this check does not know: {text}")
        elif re.search(r"\bDeclare\b", text, re.I):
            match = DECLARE.match(text)
            if not match:
                raise ValueError(f"{where}: cannot read {text}")
            parameters = []
            for argument in filter(None, (a.strip() for a in match[6].split(","))):
                p = PARAMETER.match(argument)
                if not p:
                    raise ValueError(f"{where}: cannot read the argument {argument!r}")
                parameters.append(Parameter((p[1] or "").lower() == "byval", p[2], p[4] or "Variant"))
            active = {condition for condition, in_else in branches if not in_else}
            return_type = (match[7] or "Variant") if match[2].lower() == "function" else ""
            declares.append(Declare(statement_line, match[3], match[5] or match[3], match[4], bool(match[1]),
                                    "vba7" in active, "win64" in active, return_type, parameters))
        elif match := CONSTANT.match(text):
            constants.append(Constant(match[1], match[2], int(match[3])))
    if branches:
        raise ValueError(f"{path.name}: #If without #End If")
    return declares, constants
