#!/usr/bin/python3
"""Static checks of the built images. The 32-bit product cannot run on this
machine, so what its callers link against (export names, calling
conventions, imports) and what it carries (resources, no threading
runtime) is read from the images of both presets."""
import re
import unicodedata
import unittest

from abi_test import AGREE, ARCHS, SOURCE_DIR, X86, differences, image, main, missing_and_unexpected
from coff import CoffTables
from export_lists import read_export_lists
from pe_tables import exports, imports, resources
from string_tables import read_string_resources, read_string_source

EXPORTS = read_export_lists(SOURCE_DIR / "api/exports")
ENGLISH = read_string_source(SOURCE_DIR / "resources/strings/en-US.txt")
# Only DLLs that ship with Windows: a MinGW runtime DLL (libgcc_s_*,
# libstdc++-6, libwinpthread-1) here means a user's machine cannot load it.
SYSTEM_DLLS = {"kernel32.dll", "advapi32.dll", "user32.dll", "oleaut32.dll", "version.dll", "msvcrt.dll", "ntdll.dll"}
# 12.12.16943.1: language modules must carry exactly this product version.
VERSION = (0x000C000C, 0x422F0001)
RT_VERSION, RT_MANIFEST = 16, 24
LANG_EN_US, LANG_PSEUDO = 0x0409, 0x0501
TLS_DIRECTORY = 9


def library(arch, name="qlclapi.dll"):
    return image(arch.build_dir / name)


def pseudo_locale_module(arch):
    return library(arch, "qps-ploc/qlclapi.resources.dll")


def product_version(pe) -> tuple[int, int, int, int]:
    fixed = pe.VS_FIXEDFILEINFO[0]
    return fixed.ProductVersionMS, fixed.ProductVersionLS, fixed.FileVersionMS, fixed.FileVersionLS


class Library(unittest.TestCase):
    maxDiff = None

    def test_exports_exactly_the_listed_names(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                self.assertEqual(missing_and_unexpected(exports(library(arch)), [e.name for e in EXPORTS]), AGREE)

    # The linker's symbol for a __stdcall function is _Name@bytes and for a
    # __cdecl one _Name: the symbol at the export's address proves the
    # convention and the argument bytes the callee removes. An alias is
    # the very entry of its export.
    def test_x86_exports_have_their_calling_conventions(self):
        pe = library(X86)
        addresses = exports(pe)
        symbols = CoffTables(pe).symbols()
        self.assertTrue(symbols, "the x86 DLL lost its COFF symbol table")
        for e in EXPORTS:
            if e.name not in addresses:
                continue  # reported by test_exports_exactly_the_listed_names
            with self.subTest(e.name):
                if e.alias_of:
                    self.assertEqual(addresses[e.name], addresses.get(e.alias_of), f"not the entry of {e.alias_of}")
                    continue
                at_entry = {s.name for s in symbols if s.rva == addresses[e.name] and
                            re.fullmatch(rf"_{e.name}(@\d+)?", s.name)}
                want = f"_{e.name}@{e.argument_bytes}" if e.stdcall else f"_{e.name}"
                self.assertEqual(at_entry, {want})

    def test_programs_import_only_system_dlls(self):
        for arch in ARCHS:
            for program in ("qlclapi.dll", "qlsim.exe", "qlctl.exe"):
                with self.subTest(f"{arch.name}/{program}"):
                    dlls = set(imports(image(arch.build_dir / program)))
                    self.assertTrue(dlls, "imports nothing: not a real image")
                    self.assertEqual(sorted(dlls - SYSTEM_DLLS), [], "imports other than system DLLs")

    # A library loaded into someone else's process must not bring a
    # threading runtime: no TLS directory (whose callbacks the loader runs
    # in every thread of the host), no posix-threads runtime (which
    # installs a vectored exception handler from its TLS callback),
    # nothing of it imported or linked in; nor any import that installs an
    # exception handler or filter in the host.
    def test_carries_no_threading_runtime(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                pe = library(arch)
                tls = pe.OPTIONAL_HEADER.DATA_DIRECTORY[TLS_DIRECTORY]
                self.assertEqual((tls.VirtualAddress, tls.Size), (0, 0), "a TLS directory")
                names = [f"{dll}!{function}" for dll, functions in imports(pe).items() for function in [""] + functions]
                self.assertEqual([i for i in names if "pthread" in i], [])
                installers = r"!(Rtl)?Add(Vectored)?(Exception|Continue)Handler$|!SetUnhandledExceptionFilter$"
                self.assertEqual([i for i in names if re.search(installers, i)], [], "installs a handler")
                symbols = [s.name for s in CoffTables(pe).symbols()]
                self.assertTrue(symbols, "the DLL lost its COFF symbol table")
                linked = [s for s in symbols if re.search(r"pthread|SetThreadName_VEH|_tls_used|__xl_", s)]
                self.assertEqual(linked, [], "links in a threading runtime")

    def test_carries_its_version_block_and_manifest(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                pe = library(arch)
                kinds = {(r.type, r.id, r.language) for r in resources(pe)}
                self.assertIn((RT_VERSION, 1, LANG_EN_US), kinds)
                self.assertIn(RT_MANIFEST, {kind for kind, id_, _ in kinds if id_ == 2}, "no manifest with id 2")
                self.assertEqual(product_version(pe), VERSION * 2)

    def test_string_table_is_the_english_source(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                tables = read_string_resources(resources(library(arch)))
                self.assertEqual(list(tables), [LANG_EN_US], "one language: English (United States)")
                self.assertEqual(differences(tables[LANG_EN_US], ENGLISH), {}, "id: (in the image, in en-US.txt)")


def plain(text: str) -> str:
    """The text with its accents taken off (and the eth, which has none to
    take, read as the D it stands for)."""
    text = text.translate(str.maketrans("Ðð", "Dd"))
    return "".join(c for c in unicodedata.normalize("NFD", text) if not unicodedata.combining(c))


# A translator's view of where texts come from: every English text
# bracketed, its letters accented and padded to 40% more length.
class PseudoLocaleModule(unittest.TestCase):
    def test_carries_the_product_version_and_no_code(self):
        for arch in ARCHS:
            with self.subTest(arch.name):
                pe = pseudo_locale_module(arch)
                self.assertEqual(exports(pe), {})
                self.assertEqual(imports(pe), {})
                self.assertEqual(product_version(pe)[:2], VERSION)

    def test_carries_every_english_text_bracketed_accented_and_longer(self):
        for arch in ARCHS:
            tables = read_string_resources(resources(pseudo_locale_module(arch)))
            self.assertEqual(list(tables), [LANG_PSEUDO], arch.name)
            texts = tables[LANG_PSEUDO]
            self.assertEqual(missing_and_unexpected(texts, ENGLISH), AGREE, f"{arch.name}: the ids")
            for id_, english in ENGLISH.items():
                text = texts.get(id_, "")
                with self.subTest(f"{arch.name} {id_}: {text}"):
                    self.assertRegex(plain(text), rf"^\[{re.escape(english)}( !*)?\]$")
                    self.assertGreaterEqual(len(text), 1.4 * len(english) - 0.5)
                    if re.search(r"[aeiou]", english):
                        self.assertNotEqual(text[1 : 1 + len(english)], english, "no letter accented")


if __name__ == "__main__":
    main()
