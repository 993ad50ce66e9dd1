#!/usr/bin/env python3
"""The mutation check behind `./dev mutate [ID...]`.

Each mutant of tools/mutate/mutants.txt is one small fault put into a scratch
copy of the tree; the tests it names are built (incrementally, in build
folders kept in the scratch area between runs) and run. A mutant is

  KILLED    a named test failed (or hung) with the fault in place;
  SURVIVED  every named test passed: the fault goes unnoticed;
  STALE     its old text is not in its file exactly once;
  BROKEN    the tree does not build with it;
  EQUIVALENT  marked so in the list, with the reason no test can see it.

The last line is "mutants: K killed / N valid" (valid: neither stale, broken
nor equivalent). `./dev mutate` provides the display and the Wine session.
"""

import argparse
import hashlib
import json
import os
import subprocess
import sys
import time

# A test with a mutant in place may hang: it counts as failed once it has
# taken this many times as long as it took without one (at least the floor).
TIMEOUT_FACTOR = 5
TIMEOUT_FLOOR_S = 30
FIELDS = ("id", "file", "old", "new", "tests", "fault", "equivalent")


def read_mutants(path):
    """The list's blocks, in order. Repeated old/new lines form one text of
    several lines; everything after "key: " is taken as written."""
    mutants, block = [], {}

    def close():
        if not block:
            return
        missing = [k for k in ("id", "file", "old", "new", "fault") if k not in block]
        if missing or ("tests" not in block and "equivalent" not in block):
            sys.exit(f"mutate: {path}: mutant {block.get('id', '?')} lacks {missing or 'tests'}")
        mutants.append(dict(block))
        block.clear()

    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip():
                close()
                continue
            if line.startswith("#"):
                continue
            key, sep, value = line.partition(": ")
            if not sep or key not in FIELDS:
                sys.exit(f"mutate: {path}:{number}: expected 'key: value' with a key of {FIELDS}")
            if key in ("old", "new") and key in block:
                block[key] += "\n" + value
            else:
                block[key] = value
    close()
    ids = [m["id"] for m in mutants]
    if len(ids) != len(set(ids)):
        sys.exit("mutate: mutant ids are not unique")
    return mutants


def anchor_problem(mutant, root):
    """Why the mutant's old text cannot be put in (its file is missing, or
    the text is not in it exactly once), or None."""
    try:
        with open(os.path.join(root, mutant["file"]), "rb") as f:
            count = f.read().count(mutant["old"].encode())
    except OSError:
        return "its file is missing"
    return None if count == 1 else f"its old text occurs {count} times"


def check_anchors(root):
    """The cheap check that ./dev test runs: every mutant still applies to
    the tree, so that the check's score stays true. Exit code 1 if not."""
    mutants = read_mutants(os.path.join(root, "tools", "mutate", "mutants.txt"))
    stale = [(m, anchor_problem(m, root)) for m in mutants]
    stale = [(m, why) for m, why in stale if why]
    for mutant, why in stale:
        print(f"stale: {mutant['id']} ({mutant['file']}): {why}; anchor it anew")
    print(f"mutants: {len(mutants) - len(stale)} of {len(mutants)} anchored")
    return 1 if stale else 0


def source_files(root):
    out = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others",
                          "--exclude-standard"], check=True, capture_output=True).stdout
    return sorted(p for p in out.decode().split("\0") if p and os.path.isfile(os.path.join(root, p)))


def sync_tree(root, src):
    """Makes src hold exactly the tree's files. Only files whose bytes differ
    are written (and so get a new time): ninja then rebuilds what changed,
    including what a mutant left behind in the last run."""
    files = source_files(root)
    digest = hashlib.sha1()
    wanted = set(files)
    for rel in files:
        with open(os.path.join(root, rel), "rb") as f:
            data = f.read()
        digest.update(rel.encode() + b"\0" + hashlib.sha1(data).digest())
        target = os.path.join(src, rel)
        try:
            with open(target, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
    for folder, _, names in os.walk(src):
        for name in names:
            path = os.path.join(folder, name)
            if os.path.relpath(path, src) not in wanted:
                os.remove(path)
    return digest.hexdigest()


class Tests:
    """Builds and runs test executables of the scratch tree: host_* natively
    (host-asan), the others under Wine."""

    def __init__(self, src, builds, wine_arch, log):
        self.src, self.builds, self.wine_arch, self.log = src, builds, wine_arch, log

    def config_of(self, exe):
        return "host-asan" if exe.startswith("host_") else self.wine_arch

    def build(self, selections):
        """True when every executable named in selections builds."""
        by_config = {}
        for exe, _ in selections:
            by_config.setdefault(self.config_of(exe), set()).add(exe)
        for config, targets in sorted(by_config.items()):
            folder = os.path.join(self.builds, config)
            if not os.path.isfile(os.path.join(folder, "CMakeCache.txt")):
                if self.call(["cmake", "-S", self.src, "-B", folder, "--preset", config, "-G", "Ninja"]):
                    return False
            if self.call(["ninja", "-C", folder, f"-j{os.cpu_count() or 1}", *sorted(targets)]):
                return False
        return True

    def run(self, exe, gtest_filter, timeout):
        """(passed, tests run, seconds taken); a hang counts as a failure."""
        config = self.config_of(exe)
        folder = os.path.join(self.builds, config)
        args = [f"--gtest_filter={gtest_filter}"] if gtest_filter else []
        if config == "host-asan":
            command, cwd = [os.path.join(folder, "bin", exe), *args], os.path.join(folder, "tests", "host")
        else:
            command, cwd = ["wine", exe + ".exe", *args], os.path.join(folder, "bin")
        self.log.write(f"$ {' '.join(command)}\n")
        self.log.flush()
        began = time.time()
        process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            output, _ = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, 9)
            process.communicate()
            self.log.write(f"(timed out after {timeout:.0f} s)\n")
            if config != "host-asan":
                # Whatever the hung test left running goes with the session.
                subprocess.run(["wineserver", "-k"], check=False)
                subprocess.run(["wineserver", "-p"], check=False)
                subprocess.run(["wine", "cmd", "/c", "exit", "0"], check=False,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return False, 0, timeout
        text = output.decode("utf-8", "replace")
        self.log.write(text)
        ran = 0
        for line in text.splitlines():
            if line.startswith("[==========]") and " ran." in line:
                ran = int(line.split()[1])
        return process.returncode == 0, ran, time.time() - began

    def call(self, command):
        self.log.write(f"$ {' '.join(command)}\n")
        self.log.flush()
        return subprocess.run(command, stdout=self.log, stderr=subprocess.STDOUT).returncode


def parse_selections(text):
    selections = []
    for word in text.split():
        exe, _, gtest_filter = word.partition(":")
        selections.append((exe, gtest_filter))
    return selections


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--scratch")
    parser.add_argument("--wine-arch", default=os.environ.get("KIVORA_WINE_ARCH", "win32"))
    parser.add_argument("--check-anchors", action="store_true",
                        help="only check that every old text occurs once in its file (no build)")
    parser.add_argument("ids", nargs="*")
    options = parser.parse_args()
    if options.check_anchors:
        sys.exit(check_anchors(options.root))
    if not options.scratch:
        parser.error("--scratch is required")

    mutants = read_mutants(os.path.join(options.root, "tools", "mutate", "mutants.txt"))
    if options.ids:
        known = {m["id"] for m in mutants}
        unknown = [i for i in options.ids if i not in known]
        if unknown:
            sys.exit(f"mutate: no such mutant: {' '.join(unknown)}")
        mutants = [m for m in mutants if m["id"] in options.ids]

    started = time.time()
    src = os.path.join(options.scratch, "src")
    builds = os.path.join(options.scratch, "build")
    logs = os.path.join(options.scratch, "logs")
    os.makedirs(logs, exist_ok=True)
    tree = sync_tree(options.root, src)

    # Each named test must pass on the tree as it is, and run at least one
    # case; otherwise every mutant would look killed (or survive a filter
    # that matches nothing). A pass is remembered for the same tree.
    passed_file = os.path.join(options.scratch, "baseline.json")
    try:
        with open(passed_file) as f:
            passed = json.load(f)
    except (OSError, ValueError):
        passed = {}
    if passed.get("tree") != tree or "seconds" not in passed:
        passed = {"tree": tree, "seconds": {}}
    named = {word for m in mutants if "tests" in m for word in m["tests"].split()}
    needed = sorted(named - set(passed["seconds"]))
    with open(os.path.join(logs, "baseline.log"), "w") as log:
        tests = Tests(src, builds, options.wine_arch, log)
        if needed:
            print(f"baseline: building and running {len(needed)} test selections without a mutant", flush=True)
            if not tests.build(parse_selections(" ".join(needed))):
                sys.exit(f"mutate: the tree does not build; see {log.name}")
            for word in needed:
                ok, ran, seconds = tests.run(*parse_selections(word)[0], timeout=3600)
                if not ok or ran == 0:
                    problem = "runs no test" if ok else "fails"
                    sys.exit(f"mutate: {word} {problem} without a mutant; see {log.name}")
                passed["seconds"][word] = seconds
                with open(passed_file, "w") as f:
                    json.dump(passed, f)

    counts = {"KILLED": 0, "SURVIVED": 0, "STALE": 0, "BROKEN": 0, "EQUIVALENT": 0}
    survivors = []
    for mutant in mutants:
        began = time.time()
        verdict = judge(mutant, src, logs, options.wine_arch, builds, passed["seconds"])
        counts[verdict] += 1
        if verdict == "SURVIVED":
            survivors.append(mutant)
        said = mutant["equivalent"] if verdict == "EQUIVALENT" else mutant["fault"]
        print(f"{verdict:<10} {mutant['id']:<34} {time.time() - began:5.0f} s  {said}", flush=True)

    for mutant in survivors:
        print(f"survivor: {mutant['id']} ({mutant['file']}): {mutant['fault']}")
    for kind in ("STALE", "BROKEN", "EQUIVALENT"):
        if counts[kind]:
            print(f"{kind.lower()}: {counts[kind]}")
    minutes, seconds = divmod(int(time.time() - started), 60)
    print(f"run time: {minutes} min {seconds} s")
    valid = counts["KILLED"] + counts["SURVIVED"]
    print(f"mutants: {counts['KILLED']} killed / {valid} valid")


def judge(mutant, src, logs, wine_arch, builds, baseline_seconds):
    if "equivalent" in mutant:
        return "EQUIVALENT"
    if anchor_problem(mutant, src):
        return "STALE"
    path = os.path.join(src, mutant["file"])
    with open(path, "rb") as f:
        original = f.read()
    old, new = mutant["old"].encode(), mutant["new"].encode()
    with open(os.path.join(logs, mutant["id"] + ".log"), "w") as log:
        tests = Tests(src, builds, wine_arch, log)
        selections = parse_selections(mutant["tests"])
        try:
            with open(path, "wb") as f:
                f.write(original.replace(old, new))
            if not tests.build(selections):
                return "BROKEN"
            for word, selection in zip(mutant["tests"].split(), selections):
                timeout = max(TIMEOUT_FLOOR_S, TIMEOUT_FACTOR * baseline_seconds[word])
                if not tests.run(*selection, timeout=timeout)[0]:
                    return "KILLED"
            return "SURVIVED"
        finally:
            # A new time stamp: the next build compiles the original again.
            with open(path, "wb") as f:
                f.write(original)


if __name__ == "__main__":
    main()
