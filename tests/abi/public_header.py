"""The functions include/qlclapi.h declares through QLCLAPI_DECLARE, each
argument with its annotation, type and name, and the header's enumerators."""
import re
from dataclasses import dataclass
from pathlib import Path

COMMENTS = re.compile(r"/\*.*?\*/|//[^\n]*", re.S)
DECLARE = re.compile(r"(?<![\w#])QLCLAPI_DECLARE\s*\(")
# An annotation such as _In_opt_z_ or _Out_writes_bytes_opt_(*length), then
# the type, then the argument's name.
ARGUMENT = re.compile(r"^(?:(_[A-Z]\w*_(?:\([^()]*\))?)\s+)?(.*[\w*])\s*\b(\w+)$")
ENUMERATOR = re.compile(r"\b(QL_\w+)\s*=\s*(-?\d+)")


@dataclass(frozen=True)
class Argument:
    annotation: str  # "" when none is written
    type: str  # normalised: "const wchar_t*"
    name: str


@dataclass(frozen=True)
class Function:
    name: str
    convention: str  # QLCLAPI_CALL or QLCLAPI_VBCALL
    result: str
    arguments: tuple[Argument, ...]


@dataclass(frozen=True)
class PublicHeader:
    functions: dict[str, Function]
    enumerators: dict[str, int]


def normalised(text: str) -> str:
    """'const  wchar_t * ' is 'const wchar_t*'."""
    return re.sub(r"\s+", " ", re.sub(r"\s*\*\s*", "*", text)).strip()


def split_top_level(text: str) -> list[str]:
    parts, depth = [""], 0
    for c in text:
        depth += {"(": 1, ")": -1}.get(c, 0)
        if c == "," and depth == 0:
            parts.append("")
        else:
            parts[-1] += c
    return parts


def read_public_header(path: Path) -> PublicHeader:
    """Raises ValueError for a declaration it cannot read."""
    text = COMMENTS.sub(" ", path.read_text())
    functions = {}
    for use in DECLARE.finditer(text):
        line_start = text.rfind("\n", 0, use.start()) + 1
        if text[line_start:use.start()].lstrip().startswith("#define"):
            continue  # the macro's own definition
        depth, close = 1, use.end()
        while depth and close < len(text):
            depth += {"(": 1, ")": -1}.get(text[close], 0)
            close += 1
        fields = [normalised(f) for f in split_top_level(text[use.end() : close - 1])]
        if len(fields) != 4 or not (fields[3].startswith("(") and fields[3].endswith(")")):
            raise ValueError(f"cannot read the QLCLAPI_DECLARE at offset {use.start()}: {fields}")
        result, convention, name, arguments = fields
        parsed = []
        if arguments != "(void)":
            for argument in split_top_level(arguments[1:-1]):
                match = ARGUMENT.match(normalised(argument))
                if not match:
                    raise ValueError(f"{name}: cannot read the argument {argument.strip()!r}")
                parsed.append(Argument(match[1] or "", normalised(match[2]), match[3]))
        functions[name] = Function(name, convention, result, tuple(parsed))
    enumerators = {m[1]: int(m[2]) for m in ENUMERATOR.finditer(text)}
    return PublicHeader(functions, enumerators)
