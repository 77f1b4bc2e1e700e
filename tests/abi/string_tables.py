"""String tables: the library's source of texts (resources/strings/*.txt,
one 'ID "TEXT"' a line) and the RT_STRING resources of a built image."""
import re
import struct
from pathlib import Path

from pe_tables import Resource

SOURCE_LINE = re.compile(r'^(\d+) "((?:[^"\\]|\\.)*)"$')
ESCAPES = {'"': '"', "\\": "\\", "n": "\n", "r": "\r", "t": "\t"}
RT_STRING = 6


def read_string_source(path: Path) -> dict[int, str]:
    """Each id's text; an id without a text, or with an empty one, has none."""
    texts = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        where = f"{path.name}:{number}"
        match = SOURCE_LINE.match(line)
        if not match:
            raise ValueError(f"{where}: want 'ID \"TEXT\"': {line!r}")

        def unescape(escape: re.Match) -> str:
            if escape[1] not in ESCAPES:
                raise ValueError(f"{where}: unknown escape {escape[0]}")
            return ESCAPES[escape[1]]

        text = re.sub(r"\\(.)", unescape, match[2])
        if text:
            texts[int(match[1])] = text
    return texts


def read_string_resources(resources: list[Resource]) -> dict[int, dict[int, str]]:
    """The texts of the RT_STRING blocks, by language: block n holds the
    texts of ids 16(n-1) to 16(n-1)+15, each a 16-bit unit count and that
    many UTF-16 units; an empty one is no text. A block that ends inside
    its texts raises ValueError."""
    by_language: dict[int, dict[int, str]] = {}
    for block in resources:
        if block.type != RT_STRING:
            continue
        texts = by_language.setdefault(block.language, {})
        at = 0
        for slot in range(16):
            if at + 2 > len(block.data):
                raise ValueError(f"string block {block.id} ends before text {slot}")
            (units,) = struct.unpack_from("<H", block.data, at)
            at += 2
            if at + 2 * units > len(block.data):
                raise ValueError(f"string block {block.id} ends inside text {slot}")
            if units:
                texts[(block.id - 1) * 16 + slot] = block.data[at : at + 2 * units].decode("utf-16-le", "surrogatepass")
            at += 2 * units
    return by_language
