#!/usr/bin/env python3
"""The house rules the build declares, checked on the sources.

  check_layers.py --root SRC --layers BUILD/layers.txt [--sim-targets BUILD/sim-targets.txt]
                  [--plant FILE:LINE_TEXT ...]

1. Every #include "FOLDER/..." in a library folder (api, core, address,
   config, status, diag) names its own folder, the public header, or a
   folder its subsystem DEPENDS on (layers.txt, written by cmake/library.cmake
   from the subsystems' CMakeLists.txt).
2. The simulated client (sim/) includes no library header and, where the
   build describes its targets (sim-targets.txt), links no library target and
   compiles no library source: it must judge the library, not share its code.
3. No CMake file outside a library folder names a library source file: tools,
   tests, benchmarks and fuzz targets link the subsystems' targets.

Each violation is printed as FILE:LINE: what is wrong; the exit status is 1
when there is any. --plant adds a line to a file as though it were there
(the tests use it to show that a wrong include is caught).
"""
import argparse
import os
import re
import sys

LIBRARY_FOLDERS = ("api", "core", "address", "config", "status", "diag")
PUBLIC_HEADER = "include/qlclapi.h"
SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".h", ".hpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
# A library source named from the top of the tree: ${CMAKE_SOURCE_DIR}/core/x.cpp,
# ../core/x.cpp or core/x.cpp (not tests/core/x_test.cpp).
LIBRARY_SOURCE_IN_CMAKE = re.compile(
    r'(?:\$\{CMAKE_SOURCE_DIR\}/|\.\./|(?<![\w/}.-]))((?:%s)/[\w/.-]+\.(?:c|cc|cpp))\b' % "|".join(LIBRARY_FOLDERS))


def read_layers(path):
    allowed = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            folder, _, depends = line.partition(":")
            allowed[folder.strip()] = set(depends.split())
    missing = [f for f in LIBRARY_FOLDERS if f not in allowed]
    if missing:
        sys.exit("check_layers: %s names no edges for %s" % (path, ", ".join(missing)))
    return allowed


def source_files(root, folder, suffixes):
    top = os.path.join(root, folder)
    for directory, subdirectories, files in os.walk(top):
        subdirectories[:] = sorted(d for d in subdirectories if d not in ("build", ".git", "corpus"))
        for name in sorted(files):
            if name.endswith(suffixes):
                yield os.path.relpath(os.path.join(directory, name), root)


def lines_of(root, relative, planted):
    path = os.path.join(root, relative)
    lines = []
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()
    return lines + planted.get(relative, [])


def check_library_includes(root, allowed, planted, report):
    for folder in LIBRARY_FOLDERS:
        for relative in sorted(set(source_files(root, folder, SOURCE_SUFFIXES)) |
                               {p for p in planted if p.startswith(folder + "/")}):
            for number, line in enumerate(lines_of(root, relative, planted), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                header = match.group(1)
                target = header.split("/", 1)[0] if "/" in header else None
                if header == PUBLIC_HEADER or target is None or target == folder:
                    continue
                if target in LIBRARY_FOLDERS and target not in allowed[folder]:
                    report(relative, number, '%s/ may not include "%s": %s builds on %s only' % (
                        folder, header, folder, ", ".join(sorted(allowed[folder])) or "nothing"))
                elif target not in LIBRARY_FOLDERS and target != "include":
                    report(relative, number, '%s/ includes "%s", which is not part of the library' % (
                        folder, header))


def check_sim_includes(root, planted, report):
    for relative in sorted(set(source_files(root, "sim", SOURCE_SUFFIXES)) |
                           {p for p in planted if p.startswith("sim/")}):
        for number, line in enumerate(lines_of(root, relative, planted), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            header = match.group(1)
            folder = header.split("/", 1)[0]
            if folder in LIBRARY_FOLDERS or folder == "include" or os.path.basename(header) == "qlclapi.h":
                report(relative, number, 'the simulated client includes the library header "%s"' % header)


def check_sim_targets(root, path, report):
    # Lines "TARGET|LINK_LIBRARIES|SOURCES" (lists ;-separated), written by
    # cmake/windows.cmake for every target of sim/.
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            target, _, rest = line.rstrip("\n").partition("|")
            libraries, _, sources = rest.partition("|")
            for library in filter(None, libraries.split(";")):
                name = re.sub(r"^\$<LINK_ONLY:(.*)>$", r"\1", library)
                if name == "qlclapi" or (name.startswith("qlclapi_") and name != "qlclapi_json"):
                    report(path, number, "the simulated client's target %s links the library target %s" % (
                        target, name))
            for source in filter(None, sources.split(";")):
                relative = os.path.relpath(os.path.abspath(os.path.join(root, source)),
                                           os.path.abspath(root)).replace("\\", "/")
                if relative.split("/", 1)[0] in LIBRARY_FOLDERS:
                    report(path, number, "the simulated client's target %s compiles the library source %s" % (
                        target, source))


def check_cmake_sources(root, planted, report):
    cmake_files = []
    for directory, subdirectories, files in os.walk(root):
        subdirectories[:] = sorted(d for d in subdirectories
                                   if d not in ("build", ".git", "corpus") and not d.startswith("build"))
        for name in sorted(files):
            if name == "CMakeLists.txt" or name.endswith(".cmake"):
                cmake_files.append(os.path.relpath(os.path.join(directory, name), root))
    for relative in sorted(set(cmake_files) | {p for p in planted if p.endswith((".cmake", "CMakeLists.txt"))}):
        if relative.split("/", 1)[0] in LIBRARY_FOLDERS:
            continue  # a subsystem's own target
        for number, line in enumerate(lines_of(root, relative, planted), 1):
            code = line.split("#", 1)[0]
            for match in LIBRARY_SOURCE_IN_CMAKE.finditer(code):
                report(relative, number, "names the library source %s: link the subsystem's target instead" %
                       match.group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--layers", required=True)
    parser.add_argument("--sim-targets")
    parser.add_argument("--plant", action="append", default=[], metavar="FILE:LINE_TEXT")
    arguments = parser.parse_args()

    planted = {}
    for plant in arguments.plant:
        relative, _, text = plant.partition(":")
        planted.setdefault(relative, []).append(text)

    violations = []

    def report(path, number, message):
        violations.append("%s:%d: %s" % (path, number, message))

    allowed = read_layers(arguments.layers)
    check_library_includes(arguments.root, allowed, planted, report)
    check_sim_includes(arguments.root, planted, report)
    if arguments.sim_targets:
        check_sim_targets(arguments.root, arguments.sim_targets, report)
    check_cmake_sources(arguments.root, planted, report)

    for violation in violations:
        print(violation)
    if violations:
        print("check_layers: %d violation(s)" % len(violations))
        return 1
    print("check_layers: every include and target keeps to its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
