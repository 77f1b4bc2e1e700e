"""String tables: the library's source of texts (resources/strings/*.txt,
one 'ID "TEXT"' a line) and the RT_STRING resources of a built image."""
import re
from pathlib import Path

import pefile

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
    """The texts of the RT_STRING blocks, by language (block n holds ids
    16(n-1) to 16(n-1)+15), read by pefile's own string-table reader."""
    by_language: dict[int, dict[int, str]] = {}
    for block in resources:
        if block.type == RT_STRING:
            pefile.parse_strings(block.data, (block.id - 1) * 16, by_language.setdefault(block.language, {}))
    return by_language
