"""What the static checks share: the sources, the two builds
(QLCLAPI_WIN32_DIR and QLCLAPI_WIN64_DIR, else build/win32 and build/win64),
their images as Debian's python3-pefile reads them, and a runner that closes
with "N passed, M failed"."""
import functools
import os
import sys
import unittest
from dataclasses import dataclass
from pathlib import Path

import pefile

SOURCE_DIR = Path(__file__).resolve().parents[2]


@dataclass(frozen=True)
class Arch:
    name: str
    build_dir: Path
    machine: int


ARCHS = (
    Arch("x86", Path(os.environ.get("QLCLAPI_WIN32_DIR", SOURCE_DIR / "build/win32")), 0x14C),
    Arch("x64", Path(os.environ.get("QLCLAPI_WIN64_DIR", SOURCE_DIR / "build/win64")), 0x8664),
)
X86, X64 = ARCHS


# The tables the checks read; pefile parses no other (relocations and debug
# information take it most of its time).
TABLES = [pefile.DIRECTORY_ENTRY[f"IMAGE_DIRECTORY_ENTRY_{name}"] for name in ("EXPORT", "IMPORT", "RESOURCE")]


@functools.lru_cache(maxsize=None)
def image(path: Path) -> pefile.PE:
    """The image at path, read once; a missing one names the preset to build."""
    if not path.is_file():
        raise FileNotFoundError(f"{path} is missing: build its preset first")
    pe = pefile.PE(str(path), fast_load=True)
    pe.parse_data_directories(directories=TABLES)
    return pe


def differences(found: dict, expected: dict) -> dict:
    """Where two tables disagree, key by key: (found, expected), None for an
    absent entry. Empty when they agree; short to read when they do not."""
    keys = sorted(found.keys() | expected.keys(), key=str)
    return {key: (found.get(key), expected.get(key)) for key in keys if found.get(key) != expected.get(key)}


def missing_and_unexpected(found, expected) -> dict:
    """What expected has and found lacks, and the other way round."""
    return {"missing": sorted(set(expected) - set(found)), "unexpected": sorted(set(found) - set(expected))}


AGREE = {"missing": [], "unexpected": []}


def main() -> None:
    """unittest's main, then the plain closing line; exits 1 on any failure."""
    program = unittest.main(exit=False)  # -v names each check, -k picks some
    result = program.result
    failed = {getattr(test, "test_case", test).id() for test, _ in result.failures + result.errors}
    passed = result.testsRun - len(failed) - len(result.skipped)
    print(f"{passed} passed, {len(failed)} failed")
    sys.exit(0 if result.wasSuccessful() and result.testsRun else 1)
