#!/usr/bin/python3
"""Static checks of what the SDK ships beside the DLLs: the import libraries
in both formats, the public header, the Visual Basic declarations and the
stripped images. Each is held to the export lists (whose agreement with the
built DLLs pe_checks.py shows) and to the built DLLs themselves."""
import unittest
import zlib

from abi_test import AGREE, ARCHS, SOURCE_DIR, X64, differences, image, main, missing_and_unexpected
from coff import CoffTables
from export_lists import read_export_lists, read_export_shapes
from import_libraries import read_microsoft_import_library, read_mingw_import_library
from pe_tables import exports
from public_header import read_public_header
from vb_module import read_vb_module

EXPORTS = read_export_lists(SOURCE_DIR / "api/exports")
STDCALL = {e.name: e.stdcall for e in EXPORTS}
HEADER = read_public_header(SOURCE_DIR / "include/qlclapi.h")
DECLARES, CONSTANTS = read_vb_module(SOURCE_DIR / "vb/qlclapi.bas")


def caller_symbol(arch, export) -> str:
    """What a caller compiled against the header references: _Name@bytes
    for an x86 twin, _Name for an x86 plain export, Name on x64."""
    if arch is X64:
        return export.name
    return f"_{export.name}@{export.argument_bytes}" if export.stdcall else f"_{export.name}"


class ImportLibraries(unittest.TestCase):
    # Each symbol a caller references must send the loader to the listed name
    # (which the DLL exports: pe_checks.py), in qlclapi.dll, as code; and
    # nothing else is offered.
    def check(self, arch, library):
        self.assertEqual(library.machines, {arch.machine})
        by_symbol = {i.symbol: i for i in library.imports}
        self.assertEqual(missing_and_unexpected(by_symbol, [caller_symbol(arch, e) for e in EXPORTS]), AGREE)
        for export in EXPORTS:
            entry = by_symbol.get(caller_symbol(arch, export))
            if entry:
                self.assertEqual((entry.import_name, entry.dll, entry.code), (export.name, "qlclapi.dll", True))

    def test_microsoft_format(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                self.check(arch, read_microsoft_import_library(arch.build_dir / "sdk/qlclapi.lib"))

    def test_mingw_format(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                self.check(arch, read_mingw_import_library(arch.build_dir / "sdk/libqlclapi.dll.a"))


# How each argument shape of api/exports/*.shapes is annotated: a pointer
# the call may be given null for carries _opt_; a size query's buffer is
# always optional and sized by the argument after it. A shape marked "!"
# is one the call refuses null for, so its pointer is never _opt_.
ANNOTATIONS = {
    "u32_in": r"_In_", "u16_in": r"_In_", "bytes_in": r"_In_",
    "u32_out": r"_Out_(opt_)?", "u16_out": r"_Out_(opt_)?", "u64_out": r"_Out_(opt_)?",
    "count_inout": r"_Inout_", "bytes_inout": r"_Inout_", "overlapped": r"_Inout_", "bstr_out": r"_Inout_(opt_)?",
    "sockaddr_out": r"_Out_writes_bytes_(opt_)?\(28\)", "sockaddr_array": r"_Out_writes_bytes_(opt_)?\(28\)",
    "sockaddr_in": r"_In_(opt_)?", "wtext_in": r"_In_(opt_)?z_", "atext_in": r"_In_(opt_)?z_",
    "buffer": r"_Out_writes_bytes_opt_\(\*?{next}\)", "wbuffer": r"_Out_writes_bytes_opt_\(\*?{next}\)",
}


class PublicHeader(unittest.TestCase):
    def test_declares_every_export_with_its_convention(self):
        declared = {name: f.convention for name, f in HEADER.functions.items()}
        listed = {e.name: "QLCLAPI_VBCALL" if e.stdcall else "QLCLAPI_CALL" for e in EXPORTS}
        self.assertEqual(differences(declared, listed), {}, "name: (in the header, in the lists)")

    def test_annotates_every_argument_as_its_shape(self):
        shapes = read_export_shapes(SOURCE_DIR / "api/exports")
        for function in HEADER.functions.values():
            arguments = function.arguments
            with self.subTest(function.name):
                self.assertEqual(len(shapes.get(function.name, [])), len(arguments), "shapes and arguments differ")
                for i, (argument, shape) in enumerate(zip(arguments, shapes.get(function.name, []))):
                    following = arguments[i + 1].name if i + 1 < len(arguments) else "-"
                    required = shape.endswith("!")
                    want = ANNOTATIONS[shape.rstrip("!")].format(next=following)
                    if required:
                        want = want.replace("(opt_)?", "")
                    self.assertRegex(argument.annotation, f"^{want}$", f"{argument.name} ({shape})")


# How a C type of the header is declared in Visual Basic: (ByVal, VB6 type,
# VBA7 type). A pointer passed by value is a LongPtr in VBA7 (8 bytes in
# 64-bit Office) and a Long in VB6.
VB_ARGUMENTS = {
    "QlUInt32": (True, "Long", "Long"), "QlInt32": (True, "Long", "Long"), "QlUInt16": (True, "Integer", "Integer"),
    "QlUInt32*": (False, "Long", "Long"), "QlInt32*": (False, "Long", "Long"),
    "QlUInt16*": (False, "Integer", "Integer"), "QlUInt64*": (False, "Currency", "Currency"),
    "QlBstr*": (False, "String", "String"), "const char*": (True, "String", "String"),
    "const wchar_t*": (True, "Long", "LongPtr"), "wchar_t*": (True, "Long", "LongPtr"),
    "void*": (True, "Long", "LongPtr"), "const void*": (True, "Long", "LongPtr"),
    "struct _OVERLAPPED*": (True, "Long", "LongPtr"),
}
VB_RESULTS = {"QlUInt32": ("Long", "Long"), "QlInt32": ("Long", "Long"), "void*": ("Long", "LongPtr")}


class VisualBasicModule(unittest.TestCase):
    def test_declares_every_twin_once_for_vb6_and_once_for_vba7(self):
        for e in EXPORTS:
            if e.stdcall:
                branches = sorted(d.vba7 for d in DECLARES if d.entry == e.name and not d.win64)
                self.assertEqual(branches, [False, True], f"{e.name}: one Declare for VB6, one for VBA7")

    def test_arguments_and_results_follow_the_header(self):
        for d in DECLARES:
            with self.subTest(f"line {d.line}: {d.entry}"):
                function = HEADER.functions.get(d.entry)
                self.assertIsNotNone(function, "not declared in the header")
                self.assertEqual(len(d.parameters), len(function.arguments))
                for p, argument in zip(d.parameters, function.arguments):
                    by_val, vb6, vba7 = VB_ARGUMENTS[argument.type]
                    self.assertEqual((p.by_val, p.type), (by_val, vba7 if d.vba7 else vb6), f"{p.name} ({argument.type})")
                self.assertEqual(d.return_type, VB_RESULTS[function.result][d.vba7])

    # VB6 knows neither PtrSafe nor LongPtr; VBA7 refuses a Declare without
    # PtrSafe. The plain exports take __cdecl, which only 64-bit Office can
    # call: they belong under #If Win64 and nowhere else.
    def test_each_declare_suits_its_branch(self):
        for d in DECLARES:
            with self.subTest(f"line {d.line}: {d.entry}"):
                self.assertEqual(d.lib, "qlclapi.dll")
                self.assertEqual(d.ptr_safe, d.vba7)
                if not d.vba7:
                    self.assertNotIn("LongPtr", [p.type for p in d.parameters])
                if not STDCALL.get(d.entry):
                    self.assertTrue(d.vba7 and d.win64, "a __cdecl export outside #If Win64")
                    self.assertIn(d.entry, STDCALL, "not a listed export")

    def test_state_constants_have_the_headers_values(self):
        vb = {c.name: (c.type, c.value) for c in CONSTANTS if c.name.startswith("QL_STATE_")}
        header = {name: ("Long", value) for name, value in HEADER.enumerators.items() if name.startswith("QL_STATE_")}
        self.assertEqual(differences(vb, header), {}, "name: (in the module, in the header)")


class StrippedImages(unittest.TestCase):
    # Every image the SDK ships comes without symbols or debug sections and
    # links to its debug information by name and CRC-32; the DLL keeps the
    # very exports of the image the tests ran.
    def test_carry_no_debug_information_but_link_to_it(self):
        for arch in ARCHS:
            sdk = arch.build_dir / "sdk"
            names = sorted(p.name.removesuffix(".debug") for p in sdk.glob("*.debug"))
            self.assertIn("qlclapi.dll", names, f"{sdk} lacks qlclapi.dll.debug")
            for name in names:
                with self.subTest(f"{arch.name}/{name}"):
                    stripped = image(sdk / name)
                    tables = CoffTables(stripped)
                    self.assertEqual(stripped.FILE_HEADER.Machine, arch.machine)
                    self.assertEqual(stripped.FILE_HEADER.NumberOfSymbols, 0)
                    sections = {tables.section_name(s): s for s in stripped.sections}
                    self.assertEqual([s for s in sections if s.startswith(".debug")], [])
                    link = sections[".gnu_debuglink"].get_data()
                    linked = link.split(b"\0")[0]
                    self.assertEqual(linked.decode(), f"{name}.debug")
                    crc_at = (len(linked) + 1 + 3) // 4 * 4  # the name, its terminator, padding to 4
                    crc = int.from_bytes(link[crc_at : crc_at + 4], "little")
                    self.assertEqual(crc, zlib.crc32((sdk / f"{name}.debug").read_bytes()), "the debug link's CRC-32")
                    self.assertEqual(exports(stripped), exports(image(arch.build_dir / name)))


if __name__ == "__main__":
    main()
