"""Generated mutants: small faults put mechanically at every place an
operator fits in the product's C++ sources, without anyone choosing them.

Operators (the name is part of the id):
  rel      a relational operator replaced: < <=, > >=, == != each way
  inc dec zero   an integer constant changed by +1, by -1, or to 0
  andor    && and || each way
  neg      the condition of an if, while or for negated
  delcall  a statement that is a call deleted
  ret0 ret1      the value of a return replaced by 0 or by 1
  swap     two neighbouring arguments of a call swapped

A mutant's id is FILE:LINE:OPERATOR:OCCURRENCE, the occurrence counting the
places on that line where the operator fits, from 1. Ids stay the same as
long as the file does. The generator only reads text; whether a mutant
compiles, or compiles to the same object code as the original, is decided
by mutate.py.
"""

import bisect
import math
import random
import re
from dataclasses import dataclass

# The product's sources; tests, tools and benches are not mutated. Headers
# are left out: a mutant of one would have to be compared in every object
# that includes it.
PRODUCT_DIRS = ("framework", "kivlib", "lofter", "volley", "timed")
SOURCE_SUFFIX = ".cpp"

OPERATORS = ("rel", "inc", "dec", "zero", "andor", "neg", "delcall", "ret0", "ret1", "swap")

RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}

# Longest first: the lexer takes the longest punctuator that matches.
PUNCTUATORS = sorted(
    "<<= >>= ... ->* :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .* "
    "{ } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #".split(), key=len, reverse=True)

# Words that begin no call statement and name no called function.
KEYWORDS = set("""alignas alignof asm auto bool break case catch char class const constexpr
    const_cast continue decltype default delete do double dynamic_cast else enum explicit
    extern false float for friend goto if inline int long mutable namespace new noexcept
    nullptr operator private protected public register reinterpret_cast return short signed
    sizeof static static_assert static_cast struct switch template this throw true try
    typedef typeid typename union unsigned using virtual void volatile while""".split())

# After one of these a brace opens a function body or a block of one.
BODY_OPENERS = {")", "const", "override", "noexcept", "final", "else", "do", "try", "mutable"}

DIRECTIVE = re.compile(r"[ \t]*#(?:[^\n\\]|\\.)*", re.DOTALL)
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F]+|[0-9]+)([uUlL]*)$")
TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<string>(?:u8|[uUL])?"(?:\\.|[^"\\\n])*")
  | (?P<char>(?:u8|[uUL])?'(?:\\.|[^'\\\n])+')
  | (?P<number>\.?[0-9](?:[0-9a-zA-Z_.']|[eEpP][+-])*)
  | (?P<word>[A-Za-z_][A-Za-z_0-9]*)
  | (?P<punct>""" + "|".join(re.escape(p) for p in PUNCTUATORS) + r""")
""", re.VERBOSE | re.DOTALL)


@dataclass(frozen=True)
class Token:
    kind: str    # word, number, string, char, punct
    text: str
    start: int   # character offsets into the file's text
    end: int


@dataclass(frozen=True)
class Mutant:
    id: str
    file: str
    start: int
    end: int
    old: str
    new: str

    def apply(self, text):
        """The file's text with the mutant in place, or None when the text
        at its place is no longer what it replaces."""
        if text[self.start:self.end] != self.old:
            return None
        return text[:self.start] + self.new + text[self.end:]

    def diff(self, text):
        """One line: the lines the mutant touches, with the change marked
        [-old-]{+new+} and runs of blanks folded."""
        first = text.rfind("\n", 0, self.start) + 1
        last = text.find("\n", self.end)
        last = len(text) if last < 0 else last
        marked = f"{text[first:self.start]}[-{self.old}-]{{+{self.new}+}}{text[self.end:last]}"
        return " ".join(marked.split())


def tokens(text):
    """The tokens of a C++ text; comments and preprocessor lines are skipped."""
    out, at, line_start = [], 0, True
    while at < len(text):
        if line_start:
            # A directive runs to the end of its line, continuations included.
            directive = DIRECTIVE.match(text, at)
            if directive:
                at = directive.end()
                continue
        match = TOKEN.match(text, at)
        if not match:
            raise ValueError(f"cannot read the text at offset {at}: {text[at:at + 20]!r}")
        kind = match.lastgroup
        if kind == "space":
            line_start = line_start or "\n" in match.group()
        elif kind != "comment":
            out.append(Token(kind, match.group(), match.start(), match.end()))
            line_start = False
        at = match.end()
    return out


def matching(toks, i):
    """Index of the bracket closing the one at i (or None)."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    opener, closer, depth = toks[i].text, pairs[toks[i].text], 0
    for j in range(i, len(toks)):
        if toks[j].text == opener and toks[j].kind == "punct":
            depth += 1
        elif toks[j].text == closer and toks[j].kind == "punct":
            depth -= 1
            if depth == 0:
                return j
    return None


def template_brackets(toks):
    """Indices of < and > that enclose template arguments, not comparisons:
    a < after a word whose matching > closes a run of type-like tokens."""
    found = set()
    typelike = {"word", "number"}
    for i, t in enumerate(toks):
        if t.text != "<" or i == 0 or toks[i - 1].kind != "word":
            continue
        depth, j = 0, i
        while j < len(toks):
            u = toks[j]
            if u.text == "<":
                depth += 1
            elif u.text == ">":
                depth -= 1
                if depth == 0:
                    found.update((i, j))
                    break
            elif u.kind not in typelike and u.text not in ("::", "*", "&", ",", "const"):
                break
            j += 1
    return found


def code_tokens(toks):
    """For each token, whether it stands in code: inside a function body or
    a block of one, not at namespace or class scope."""
    in_code, stack = [], []
    for i, t in enumerate(toks):
        here = bool(stack) and stack[-1]
        if t.text == "{" and t.kind == "punct":
            before = toks[i - 1].text if i else ""
            stack.append(before in BODY_OPENERS or (here and before in (";", "{", "}", ":")))
        elif t.text == "}" and t.kind == "punct" and stack:
            stack.pop()
        in_code.append(here)
    return in_code


def split_arguments(toks, open_index, close_index):
    """(first, last) token indices of each argument between the brackets."""
    commas = top_level(toks, open_index + 1, close_index - 1, ",")
    bounds = [open_index] + commas + [close_index]
    return [(a + 1, b - 1) for a, b in zip(bounds, bounds[1:]) if b > a + 1]


def statement_end(toks, i):
    """Index of the ; that ends the statement going on at i, or None."""
    j = i
    while j < len(toks) and toks[j].text not in (";", "}", ")", "]"):
        j = (matching(toks, j) or len(toks)) + 1 if toks[j].text in ("(", "[", "{") else j + 1
    return j if j < len(toks) and toks[j].text == ";" else None


def changed_integer(literal, operator):
    """The literal changed by the operator, in its own base and suffix; None
    where the change needs a sign, changes nothing or the literal is octal."""
    digits, suffix = INTEGER.match(literal).groups()
    hexadecimal = digits[:2].lower() == "0x"
    if len(digits) > 1 and digits[0] == "0" and not hexadecimal:
        return None
    value = int(digits, 16 if hexadecimal else 10)
    changed = {"inc": value + 1, "dec": value - 1, "zero": 0}[operator]
    if changed < 0 or changed == value:
        return None
    if hexadecimal:
        text = f"{changed:x}" if any(c in "abcdef" for c in digits[2:]) else f"{changed:X}"
        return digits[:2] + text + suffix
    return f"{changed}{suffix}"


def is_declaration(condition):
    """An if or while that declares its variable cannot be negated as is."""
    return re.match(r"^[\w:<>]+[\s*&]+\w+\s*=[^=]", condition) is not None


def inside_assertions(toks):
    """Indices of the tokens within static_assert(...) and alignas(...): a
    change there only stops the build."""
    found = set()
    for i, t in enumerate(toks):
        if t.text in ("static_assert", "alignas") and i + 1 < len(toks) and toks[i + 1].text == "(":
            found.update(range(i, (matching(toks, i + 1) or i) + 1))
    return found


def top_level(toks, first, last, text):
    """Indices of the tokens text between first and last, outside brackets."""
    found, depth = [], 0
    for j in range(first, last + 1):
        if toks[j].text in ("(", "[", "{"):
            depth += 1
        elif toks[j].text in (")", "]", "}"):
            depth -= 1
        elif toks[j].text == text and depth == 0:
            found.append(j)
    return found


def statement_start(toks, i):
    """Whether a statement begins at token i: after ; { } else do, a label,
    or the head of an if, while, for or switch."""
    if i == 0:
        return False
    previous = toks[i - 1].text
    if previous in (";", "{", "}", "else", "do"):
        return True
    if previous == ":":
        j = i - 2
        while j >= 0 and toks[j].text not in (";", "{", "}", "?"):
            j -= 1
        return j >= 0 and toks[j].text != "?" and toks[j + 1].text in ("case", "default")
    if previous == ")":
        depth = 0
        for j in range(i - 1, -1, -1):
            depth += {")": 1, "(": -1}.get(toks[j].text, 0)
            if depth == 0:
                return j > 0 and toks[j - 1].text in ("if", "while", "for", "switch")
    return False


def call_statement_end(toks, i):
    """Index of the ; ending a call statement that starts at i, or None: a
    chain of names, member accesses and calls ending in a call."""
    j, expect_name = i + (toks[i].text == "::"), True
    while j < len(toks):
        t = toks[j]
        if expect_name:
            if t.kind != "word" or t.text in KEYWORDS:
                return None
            expect_name = False
        elif t.text in ("::", ".", "->"):
            expect_name = True
        elif t.text == "(":
            j = matching(toks, j)
            if j is None:
                return None
            if j + 1 < len(toks) and toks[j + 1].text == ";":
                return j + 1
        else:
            return None
        j += 1
    return None


def candidates(text):
    """(operator, start, end, new text) for every place an operator fits."""
    toks = tokens(text)
    templates = template_brackets(toks)
    assertions = inside_assertions(toks)
    in_code = code_tokens(toks)
    out = []

    def span(first, last):
        return toks[first].start, toks[last].end

    def keep_lines(new, old):
        # A replaced text keeps its line breaks, so that the lines after it
        # (and __LINE__ in an assertion box) stay where they were.
        return new + "\n" * old.count("\n")

    for i, t in enumerate(toks):
        if i in assertions:
            continue
        nxt = toks[i + 1].text if i + 1 < len(toks) else ""
        if t.kind == "punct" and t.text in RELATIONAL and i not in templates:
            if toks[i - 1].text != "operator":
                out.append(("rel", t.start, t.end, RELATIONAL[t.text]))
        elif t.kind == "punct" and t.text in LOGICAL:
            out.append(("andor", t.start, t.end, LOGICAL[t.text]))
        elif t.kind == "number" and INTEGER.match(t.text):
            for operator in ("inc", "dec", "zero"):
                new = changed_integer(t.text, operator)
                if new is not None:
                    out.append((operator, t.start, t.end, new))
        if not in_code[i]:
            continue

        if t.text in ("if", "while", "for") and nxt == "(":
            close = matching(toks, i + 1)
            parts = [(i + 2, close - 1)] if close and close > i + 2 else []
            if t.text == "for":
                semis = top_level(toks, i + 2, close - 1, ";") if close else []
                parts = [(semis[0] + 1, semis[1] - 1)] if len(semis) == 2 and semis[1] > semis[0] + 1 else []
            for first, last in parts:
                start, end = span(first, last)
                if not is_declaration(text[start:end]):
                    out.append(("neg", start, end, f"!({text[start:end]})"))

        if t.text == "return" and nxt != ";":
            semi = statement_end(toks, i + 1)
            if semi is not None:
                start, end = span(i + 1, semi - 1)
                value = text[start:end]
                if value not in ("0", "false", "nullptr", "NULL"):
                    out.append(("ret0", start, end, keep_lines("0", value)))
                if value not in ("1", "true"):
                    out.append(("ret1", start, end, keep_lines("1", value)))

        if statement_start(toks, i):
            end = call_statement_end(toks, i)
            if end is not None:
                start, stop = span(i, end)
                out.append(("delcall", start, stop, keep_lines(";", text[start:stop])))

        if t.kind == "word" and t.text not in KEYWORDS and nxt == "(":
            close = matching(toks, i + 1)
            args = split_arguments(toks, i + 1, close) if close else []
            for (a_first, a_last), (b_first, b_last) in zip(args, args[1:]):
                a_start, a_end = span(a_first, a_last)
                b_start, b_end = span(b_first, b_last)
                a, b = text[a_start:a_end], text[b_start:b_end]
                if a != b:
                    out.append(("swap", a_start, b_end, b + text[a_end:b_start] + a))
    return out


def generate(path, text):
    """The mutants of one file (path as it is named in ids), in file order."""
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    seen = {}
    mutants = []
    made = set()
    for operator, start, end, new in sorted(candidates(text), key=lambda c: (c[1], c[2], OPERATORS.index(c[0]))):
        # Two operators can make the same text ("return 0": inc and ret1).
        if (start, end, new) in made:
            continue
        made.add((start, end, new))
        line = bisect.bisect_right(line_starts, start)
        key = (line, operator)
        seen[key] = seen.get(key, 0) + 1
        mutants.append(Mutant(f"{path}:{line}:{operator}:{seen[key]}", path, start, end, text[start:end], new))
    return mutants


def sample_order(mutants, seed):
    """All the mutants in the order a sample with this seed draws them: the
    same for the same sources and seed, whatever order they were made in."""
    ordered = sorted(mutants, key=lambda m: m.id)
    random.Random(seed).shuffle(ordered)
    return ordered


def wilson_interval(killed, valid, z=1.959964):
    """The 95 % Wilson score interval of a proportion killed/valid."""
    if valid == 0:
        return 0.0, 1.0
    p = killed / valid
    centre = (p + z * z / (2 * valid)) / (1 + z * z / valid)
    half = z * math.sqrt(p * (1 - p) / valid + z * z / (4 * valid * valid)) / (1 + z * z / valid)
    return max(0.0, centre - half), min(1.0, centre + half)


# The tests a generated mutant runs: those of its file's area, chosen
# without knowing the mutant, the quickest first (the first failure
# decides). Host tests run only for files the host build compiles.
AREA_TESTS = (
    ("framework", ("host_framework_tests", "framework_tests", "framework_windows_tests", "platform_tests",
                   "e2e_tray_demo_tests", "e2e_spine_demo_tests")),
    ("kivlib", ("kivlib_tests", "lofter_timings_tests")),
    ("lofter", ("host_lofter_tests", "lofter_timings_tests", "lofter_window_tests", "e2e_lofter_tests")),
    ("volley", ("host_volley_tests", "volley_window_tests", "e2e_volley_tests")),
    ("timed", ("host_timed_tests", "timed_windows_tests", "e2e_timed_tests")),
)


def area_tests(path):
    return next(tests for area, tests in AREA_TESTS if path.split("/")[0] == area)
