"""Host tests of the mutant generator's pure parts: operators, ids, the
sample's order and the score's interval; and of the run's hang watch."""

import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate  # noqa: E402
import mutate  # noqa: E402


def diffs(source):
    return {m.diff(source) for m in generate.generate("f.cpp", source)}


# (source, diffs that must be made, diffs that must not), each row naming
# the fault it would catch.
CASES = [
    ("a template's brackets or an include taken for comparisons",
     "#include <a.h>\nint f(int a) { if (a < 3) return static_cast<int>(a); return 4; }",
     {"int f(int a) { if (a [-<-]{+<=+} 3) return static_cast<int>(a); return 4; }"},
     {"int f(int a) { if (a < 3) return static_cast[-<-]{+<=+}int>(a); return 4; }"}),
    ("a constant's base or suffix lost, an octal or a sign mangled",
     "void f() { g(0x1Fu, 010, 0); }",
     {"void f() { g([-0x1Fu-]{+0x20u+}, 010, 0); }", "void f() { g([-0x1Fu-]{+0x1Eu+}, 010, 0); }",
      "void f() { g(0x1Fu, 010, [-0-]{+1+}); }"},
     {"void f() { g(0x1Fu, [-010-]{+011+}, 0); }", "void f() { g(0x1Fu, 010, [-0-]{+0+}); }",
      "void f() { g(0x1Fu, 010, [-0-]{+-1+}); }"}),
    ("a static assertion mutated: it only stops the build",
     "static_assert(sizeof(int) == 4, \"x\");", set(),
     {'static_assert(sizeof(int) [-==-]{+!=+} 4, "x");'}),
    ("conditions of if, while and for not negated, a declaring if negated",
     "void f() { while (a && b) {} for (int i = 0; i < n; ++i) {} if (int* p = g()) {} }",
     {"void f() { while ([-a && b-]{+!(a && b)+}) {} for (int i = 0; i < n; ++i) {} if (int* p = g()) {} }",
      "void f() { while (a [-&&-]{+||+} b) {} for (int i = 0; i < n; ++i) {} if (int* p = g()) {} }",
      "void f() { while (a && b) {} for (int i = 0; [-i < n-]{+!(i < n)+}; ++i) {} if (int* p = g()) {} }"},
     {"void f() { while (a && b) {} for (int i = 0; i < n; ++i) {} if ([-int* p = g()-]{+!(int* p = g())+}) {} }"}),
    ("a call statement left in place, or an assignment or declaration deleted as one",
     "void f() {\n  a.b()->c(1,\n    2);\n  x = g();\n  T t(1);\n}",
     {"[-a.b()->c(1, 2);-]{+; +}"},
     {"[-x = g();-]{+;+}", "[-T t(1);-]{+;+}"}),
    ("a return value not replaced, or \"return 0\" made twice",
     "int f() { return 0; }\nint g() { return h(); }",
     {"int f() { return [-0-]{+1+}; }", "int g() { return [-h()-]{+0+}; }", "int g() { return [-h()-]{+1+}; }"},
     {"int f() { return [-0-]{+0+}; }"}),
    ("neighbouring arguments not swapped, equal ones swapped, or a definition's parameters swapped",
     "void f(int a, int b) { g(a, b, b); }",
     {"void f(int a, int b) { g([-a, b-]{+b, a+}, b); }"},
     {"void f(int a, int b) { g(a, [-b, b-]{+b, b+}); }", "void f([-int a, int b-]{+int b, int a+}) { g(a, b, b); }"}),
    ("comments or strings mutated",
     'void f() { h("a < 1"); } // b == 2', set(),
     {'void f() { h("a [-<-]{+<=+} 1"); } // b == 2', 'void f() { h("a < 1"); } // b [-==-]{+!=+} 2'}),
]


class GeneratorTest(unittest.TestCase):
    def test_operators(self):
        for fault, source, made, not_made in CASES:
            with self.subTest(fault):
                found = diffs(source)
                self.assertLessEqual(made, found)
                self.assertFalse(not_made & found)

    def test_ids_name_file_line_operator_and_occurrence(self):
        source = "int f(int a) {\n  return a < 1 && a < 2;\n}\n"
        mutants = generate.generate("x/f.cpp", source)
        ids = [m.id for m in mutants if ":rel:" in m.id]
        self.assertEqual(ids, ["x/f.cpp:2:rel:1", "x/f.cpp:2:rel:2"])
        self.assertEqual(len({m.id for m in mutants}), len(mutants))
        second = mutants[[m.id for m in mutants].index("x/f.cpp:2:rel:2")]
        self.assertEqual(second.apply(source), "int f(int a) {\n  return a < 1 && a <= 2;\n}\n")
        self.assertIsNone(second.apply(source.replace("a < 2", "a > 2")))

    def test_sample_order_depends_on_the_seed_only(self):
        mutants = generate.generate("f.cpp", "int f() { return g(1, 2, 3) < 4; }")
        order = generate.sample_order(mutants, 7)
        self.assertEqual(order, generate.sample_order(list(reversed(mutants)), 7))
        self.assertNotEqual(order, generate.sample_order(mutants, 8))
        self.assertCountEqual(order, mutants)

    def test_every_test_program_of_the_product_is_in_an_area(self):
        # A test program left out of every area kills no generated mutant:
        # its cases would look blunt in a sample while they are sharp.
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        named = {t for _, tests in generate.AREA_TESTS for t in tests}
        made = set()
        for folder, _, files in os.walk(os.path.join(root, "tests", "win32")):
            if "CMakeLists.txt" in files:
                with open(os.path.join(folder, "CMakeLists.txt")) as f:
                    made.update(re.findall(r"kivora_win32_test\((\w+)", f.read()))
        # The resources' test reads the built files' version records: no
        # source that mutants are made from.
        self.assertEqual(set(), made - named - {"version_resources_tests"})

    def test_wilson_interval(self):
        for killed, valid, low, high in ((128, 150, 0.7879, 0.9011), (150, 150, 0.9750, 1.0), (0, 0, 0.0, 1.0)):
            with self.subTest(killed=killed, valid=valid):
                found = generate.wilson_interval(killed, valid)
                self.assertAlmostEqual(found[0], low, places=3)
                self.assertAlmostEqual(found[1], high, places=3)


class HangWatch(unittest.TestCase):
    # (what the test does, timeout, silence, hung or not), each row naming
    # the fault it would catch.
    CASES = [
        ("a quiet case taken for a hang before its silence limit",
         "import time; print('a', flush=True); time.sleep(1); print('b')", 30, 3, ""),
        ("a stuck case waited for until the whole run's limit",
         "import time; print('a', flush=True); time.sleep(30)", 30, 0.5, "silent"),
        ("a test that keeps printing never counted as hung",
         "import time\nwhile True: print('.', flush=True); time.sleep(0.05)", 0.8, 3, "timed out"),
        ("an ended test waited for while a program it started holds its output",
         "import subprocess, time; subprocess.Popen(['sleep', '4']); print('a', flush=True); time.sleep(1); "
         "print('b')", 30, 3, ""),
    ]

    def test_hang_is_a_silence_or_the_whole_limit(self):
        for name, script, timeout, silence, hung in self.CASES:
            with self.subTest(name):
                began = time.time()
                process = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE)
                output, found, quietest = mutate.watch(process, began, timeout, silence)
                took = time.time() - began
                process.kill()
                process.wait()
                process.stdout.close()
                self.assertTrue(found.startswith(hung) if hung else not found, found)
                self.assertLess(took, 5)
                if not hung:
                    self.assertEqual(output, b"a\nb\n")
                    self.assertGreater(quietest, 0.7)  # measured every 0.2 s


if __name__ == "__main__":
    unittest.main()
