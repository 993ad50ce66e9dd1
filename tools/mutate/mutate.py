#!/usr/bin/env python3
"""The mutation check behind `./dev mutate`.

Two kinds of mutant, each one small fault put into a scratch copy of the
tree, whose tests are then built (incrementally, in build folders kept in
the scratch area between runs) and run:

  ./dev mutate [ID...]            the hand-written faults of
                                  tools/mutate/mutants.txt, each with the
                                  tests that must catch it;
  ./dev mutate --generate [PATH...]   every mutant generate.py makes of the
                                  product's sources under PATH (or the ids
                                  it names), run by the tests of its area;
  ./dev mutate --sample N [--seed S] [PATH...]  N of those, drawn at random.
  ./dev mutate --generate --list [PATH...]  the generated mutants, not run.

A mutant is

  KILLED    a test failed (or hung) with the fault in place;
  SURVIVED  every test passed: the fault goes unnoticed;
  STALE     its old text is no longer where the mutant puts its new one;
  BROKEN    the tree does not build with it;
  EQUIVALENT  no test can see it: marked so in the list or in
            equivalent.txt with the reason, or (generated) it compiles to
            the same object code as the original.

Broken and equivalent mutants are not valid; a sample draws until it has N
valid ones. The last line is "mutants: K killed / N valid (...)" with the
share and its 95 % Wilson score interval. `./dev mutate` provides the
display and the Wine session.
"""

import argparse
import hashlib
import json
import os
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import generate

# A test with a mutant in place may hang: it counts as failed once it has
# taken this many times as long as it took without one (at least the floor),
# or once it has printed nothing for this many times its longest silence
# without one (at least its floor). A test prints a line as each case starts
# and ends, so a hung case shows within seconds, not after the whole run's
# limit; most hangs are a case waiting for a box or a loop that never ends.
TIMEOUT_FACTOR = 5
TIMEOUT_FLOOR_S = 30
SILENCE_FLOOR_S = 20
# How long the output is still read once the test has ended.
OUTPUT_AFTER_END_S = 1.0

# The scratch Wine build compiles without debug information: the same code
# (a mutant's object is compared without it anyway), but links take half
# the time, and every mutant links its tests again.
NO_DEBUG_INFO = {"CMAKE_C_FLAGS_RELWITHDEBINFO": "-O2 -DNDEBUG",
                 "CMAKE_CXX_FLAGS_RELWITHDEBINFO": "-O2 -DNDEBUG"}
# lofter's end-to-end cases spend most of their time waiting on windows and
# timers, so they run in shards side by side, each in a Wine session and on
# a display of its own: a lofter mutant that survives costs half as long.
SHARDS = {"e2e_lofter_tests": 2}
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
        self.lock = threading.Lock()

    def config_of(self, exe):
        return "host-asan" if exe.startswith("host_") else self.wine_arch

    def configure(self, config):
        """The build folder of config, configured; None when that fails."""
        folder = os.path.join(self.builds, config)
        cache = os.path.join(folder, "CMakeCache.txt")
        wanted = {} if config == "host-asan" else NO_DEBUG_INFO
        settings = [f"-D{name}={value}" for name, value in wanted.items()]
        if not os.path.isfile(cache):
            if self.call(["cmake", "-S", self.src, "-B", folder, "--preset", config, "-G", "Ninja", *settings]):
                return None
            return folder
        with open(cache) as f:
            kept = f.read()
        if any(f"{name}:STRING={value}\n" not in kept for name, value in wanted.items()):
            if self.call(["cmake", folder, *settings]):
                return None
        # Sources added since the last run must be in build.ninja before the
        # objects are listed, or their mutants have no object to compare.
        if self.call(["ninja", "-C", folder, "build.ninja"]):
            return None
        return folder

    def build(self, selections):
        """True when every executable named in selections builds."""
        by_config = {}
        for exe, _ in selections:
            by_config.setdefault(self.config_of(exe), set()).add(exe)
        for config, targets in sorted(by_config.items()):
            folder = self.configure(config)
            if not folder or self.call(["ninja", "-C", folder, f"-j{os.cpu_count() or 1}", *sorted(targets)]):
                return False
        return True

    def run(self, exe, gtest_filter, timeout, silence=None):
        """(passed, tests run, seconds taken, longest silence); a hang (no
        end within timeout, or no output for silence seconds) counts as a
        failure. A sharded test passes when every shard does; the first
        shard to fail stops the others."""
        count = SHARDS.get(exe, 1)
        if count == 1:
            return self.run_shard(exe, gtest_filter, timeout, silence, {}, None)
        sessions = [None] + [Session.numbered(index) for index in range(1, count)]
        failed = threading.Event()
        results = [None] * count

        def shard(index):
            settings = {"GTEST_TOTAL_SHARDS": str(count), "GTEST_SHARD_INDEX": str(index)}
            if sessions[index]:
                settings.update(sessions[index].settings)
            results[index] = self.run_shard(exe, gtest_filter, timeout, silence, settings, failed)
            if not results[index][0]:
                failed.set()
        threads = [threading.Thread(target=shard, args=(index,)) for index in range(count)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        return (all(r[0] for r in results), sum(r[1] for r in results),
                max(r[2] for r in results), max(r[3] for r in results))

    def run_shard(self, exe, gtest_filter, timeout, silence, settings, given_up):
        config = self.config_of(exe)
        folder = os.path.join(self.builds, config)
        # One failed case decides the verdict: the cases after it would only
        # cost time (an end-to-end case of lofter takes up to half a minute).
        args = ["--gtest_fail_fast"] + ([f"--gtest_filter={gtest_filter}"] if gtest_filter else [])
        if config == "host-asan":
            command, cwd = [os.path.join(folder, "bin", exe), *args], os.path.join(folder, "tests", "host")
        else:
            command, cwd = ["wine", exe + ".exe", *args], os.path.join(folder, "bin")
        shown = " ".join(f"{name}={value}" for name, value in sorted(settings.items()))
        environment = dict(os.environ, **settings)
        began = time.time()
        process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   start_new_session=True, env=environment)
        output, hung, quietest = watch(process, began, timeout, silence, given_up)
        with self.lock:
            self.log.write(f"$ {shown + ' ' if shown else ''}{' '.join(command)}\n")
            if hung:
                self.log.write(output.decode("utf-8", "replace") + f"({hung})\n")
            else:
                self.log.write(output.decode("utf-8", "replace") + f"({time.time() - began:.1f} s)\n")
            self.log.flush()
        if hung:
            os.killpg(process.pid, 9)
            process.wait()
            if config != "host-asan":
                # Whatever the stopped test left running goes with its session.
                for step in (["wineserver", "-k"], ["wineserver", "-p"], ["wine", "cmd", "/c", "exit", "0"]):
                    subprocess.run(step, check=False, env=environment,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return False, 0, time.time() - began, quietest
        text = output.decode("utf-8", "replace")
        ran = 0
        for line in text.splitlines():
            if line.startswith("[==========]") and " ran." in line:
                ran = int(line.split()[1])
        return process.returncode == 0, ran, time.time() - began, quietest

    def call(self, command):
        self.log.write(f"$ {' '.join(command)}\n")
        self.log.flush()
        began = time.time()
        code = subprocess.run(command, stdout=self.log, stderr=subprocess.STDOUT).returncode
        self.log.write(f"({time.time() - began:.1f} s)\n")
        return code


class Session:
    """A Wine session beside the one ./dev mutate starts, for a shard: a
    prefix with a copy of that one's registry and the same drive C (the
    shards' cases use different files on it), a wineserver and an Xvfb of
    its own. Made when first needed, ended when the run ends."""

    root = None  # the folder that holds the sessions' prefixes
    made = {}

    @classmethod
    def numbered(cls, index):
        if index not in cls.made:
            cls.made[index] = cls(os.path.join(cls.root, str(index)))
        return cls.made[index]

    @classmethod
    def end_all(cls):
        for session in cls.made.values():
            session.end()
        cls.made = {}

    def __init__(self, folder):
        base = os.environ["WINEPREFIX"]
        prefix = os.path.join(folder, "prefix")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(os.path.join(prefix, "dosdevices"))
        # The time stamp tells Wine that the prefix is up to date: no setup run.
        for name in ("system.reg", "user.reg", "userdef.reg", ".update-timestamp"):
            shutil.copy(os.path.join(base, name), prefix)
        os.symlink(os.path.join(base, "drive_c"), os.path.join(prefix, "dosdevices", "c:"))
        os.symlink("/", os.path.join(prefix, "dosdevices", "z:"))
        # Xvfb picks a free display itself and names it on the pipe.
        reading, writing = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(writing), "-screen", "0", "1024x768x24",
                                      "-nolisten", "tcp"], pass_fds=(writing,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(writing)
        with os.fdopen(reading) as named:
            display = named.readline().strip()
        if not display:
            sys.exit("mutate: Xvfb did not start for a shard")
        self.settings = {"WINEPREFIX": prefix, "DISPLAY": ":" + display}
        environment = dict(os.environ, **self.settings)
        for command in (["wineserver", "-p"], ["wine", "cmd", "/c", "exit", "0"]):
            subprocess.run(command, check=False, env=environment,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def end(self):
        subprocess.run(["wineserver", "-k"], check=False, env=dict(os.environ, **self.settings),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.xvfb.kill()
        self.xvfb.wait()


def watch(process, began, timeout, silence, given_up=None):
    """Reads the process's output until it ends: (output, why it counts as
    hung or "", the longest time it printed nothing). Once given_up is set
    (another shard failed), the process is stopped as a hung one."""
    chunks, last = [], [began]

    def read():
        for chunk in iter(lambda: process.stdout.read1(4096), b""):
            chunks.append(chunk)
            last[0] = time.time()
    reader = threading.Thread(target=read, daemon=True)
    reader.start()
    quietest, hung, ended = 0.0, "", None
    while reader.is_alive() or process.poll() is None:
        if reader.is_alive():
            reader.join(0.2)
        else:
            time.sleep(0.2)  # the output is closed, the process still runs
        now = time.time()
        quiet = now - last[0]
        if process.poll() is None:
            quietest = max(quietest, quiet)
        else:
            # A program the test started may hold the output open after the
            # test has ended; the test's own output is in the pipe by then.
            ended = ended or now
            if now - ended > OUTPUT_AFTER_END_S:
                break
            continue
        if now - began > timeout:
            hung = f"timed out after {timeout:.0f} s"
        elif silence and quiet > silence:
            hung = f"silent for {silence:.0f} s"
        elif given_up is not None and given_up.is_set() and process.poll() is None:
            hung = "stopped: another shard failed"
        if hung:
            break
    return b"".join(chunks), hung, quietest


class Objects:
    """The object files that the scratch builds compile from one source, so
    that a mutant costs one compile: ninja compiles the mutated source, and
    afterwards the original object goes back in place of the mutant's."""

    def __init__(self, folders):
        self.by_source = {}
        for folder in folders:
            out = subprocess.run(["ninja", "-C", folder, "-t", "compdb"], check=True,
                                 capture_output=True, text=True).stdout
            for entry in json.loads(out):
                if entry.get("output", "").endswith((".o", ".obj")):
                    source = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
                    self.by_source.setdefault(source, {})[folder] = entry["output"]
        self.consumers = {}

    def of(self, path):
        """{build folder: object path in it} of a source."""
        return self.by_source.get(os.path.realpath(path), {})

    def same_code(self, folder, obj, before, log):
        """Whether the object at obj holds the same code as the bytes
        before: debug information aside, which records lines, not behaviour."""
        cache = os.path.join(folder, "CMakeCache.txt")
        objcopy = next(line.split("=", 1)[1].strip() for line in open(cache)
                       if line.startswith("CMAKE_OBJCOPY:"))
        with tempfile.TemporaryDirectory() as scratch:
            earlier = os.path.join(scratch, "before.obj")
            with open(earlier, "wb") as f:
                f.write(before)
            bare = []
            for number, full in enumerate((earlier, os.path.join(folder, obj))):
                stripped = os.path.join(scratch, f"{number}.obj")
                if subprocess.run([objcopy, "--strip-debug", full, stripped],
                                  stdout=log, stderr=subprocess.STDOUT).returncode:
                    return False
                with open(stripped, "rb") as f:
                    bare.append(f.read())
            return bare[0] == bare[1]

    def save(self, path):
        """The source's time and its objects' bytes and times, or None when
        an object is missing (then ninja simply compiles everything again)."""
        saved = {"source": os.stat(path), "objects": {}}
        for folder, obj in self.of(path).items():
            full = os.path.join(folder, obj)
            if not os.path.isfile(full):
                return None
            with open(full, "rb") as f:
                saved["objects"][(folder, obj)] = (f.read(), os.stat(full).st_mtime_ns)
        return saved

    def restore(self, path, saved):
        """After the original source is written back: its old time, and
        the original objects where ninja built the mutant's. An object keeps
        the time ninja recorded for it (so ninja takes it as up to date);
        what was made from it is removed, so ninja makes it again."""
        if not saved or not saved["objects"]:
            return
        os.utime(path, ns=(saved["source"].st_atime_ns, saved["source"].st_mtime_ns))
        for (folder, obj), (data, mtime) in saved["objects"].items():
            full = os.path.join(folder, obj)
            now = os.stat(full).st_mtime_ns if os.path.exists(full) else mtime
            if now == mtime:
                continue
            with open(full, "wb") as f:
                f.write(data)
            os.utime(full, ns=(now, now))
            for made in self.made_from(folder, obj):
                if os.path.exists(os.path.join(folder, made)):
                    os.remove(os.path.join(folder, made))

    def made_from(self, folder, obj):
        if (folder, obj) not in self.consumers:
            out = subprocess.run(["ninja", "-C", folder, "-t", "query", obj], check=True,
                                 capture_output=True, text=True).stdout
            lines = out.splitlines()
            start = lines.index("  outputs:") + 1 if "  outputs:" in lines else len(lines)
            self.consumers[(folder, obj)] = [line.strip() for line in lines[start:]]
        return self.consumers[(folder, obj)]


class Job:
    """One mutant to judge: which file it changes and how, the tests that
    must catch it, what it does in one line, and why it is not run when it
    is known to be equivalent."""

    def __init__(self, id, file, change, tests, said, equivalent="", compare_object=False):
        self.id, self.file, self.change, self.tests, self.said = id, file, change, tests, said
        self.equivalent, self.compare_object = equivalent, compare_object


def written_jobs(mutants):
    def replace_once(old, new):
        return lambda data: data.replace(old, new) if data.count(old) == 1 else None
    return [Job(m["id"], m["file"], replace_once(m["old"].encode(), m["new"].encode()),
                m.get("tests", "").split(), m["fault"], m.get("equivalent", "")) for m in mutants]


def read_equivalents(path):
    """equivalent.txt: {id: (diff, reason)}. An entry is one or more lines
    of an id and the mutant's one-line diff, then the reason they share on
    indented lines."""
    diffs, reasons, group = {}, {}, []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line[0].isspace():
                if not group:
                    sys.exit(f"mutate: {path}:{number}: a reason without a mutant")
                for mutant_id in group:
                    reasons[mutant_id] = (reasons.get(mutant_id, "") + " " + line.strip()).strip()
                continue
            if group and group[-1] in reasons:
                group = []
            mutant_id, _, diff = line.partition(" ")
            diffs[mutant_id] = diff.strip()
            group.append(mutant_id)
    missing = [mutant_id for mutant_id in diffs if mutant_id not in reasons]
    if missing:
        sys.exit(f"mutate: {path}: no reason for {' '.join(missing)}")
    return {mutant_id: (diffs[mutant_id], reasons[mutant_id]) for mutant_id in diffs}


def generated_jobs(src, tree_files, names, equivalents, host_files, chosen_tests=None):
    """The generated mutants of the sources under the paths among names
    (all of the product when there are none) and those named by id, each
    with the tests of its file's area (or the chosen ones)."""
    ids = {n for n in names if n.count(":") == 3}
    paths = [n.rstrip("/") for n in names if n not in ids] or ([] if ids else list(generate.PRODUCT_DIRS))
    files = [rel for rel in tree_files
             if rel.endswith(generate.SOURCE_SUFFIX) and rel.split("/")[0] in generate.PRODUCT_DIRS
             and any(rel == p or rel.startswith(p + "/") for p in paths + [i.split(":")[0] for i in ids])]
    if not files:
        sys.exit(f"mutate: no product sources under {' '.join(names)}")
    jobs = []
    for rel in files:
        with open(os.path.join(src, rel), encoding="utf-8") as f:
            text = f.read()
        in_host_build = os.path.realpath(os.path.join(src, rel)) in host_files
        tests = chosen_tests or [t for t in generate.area_tests(rel) if in_host_build or not t.startswith("host_")]
        whole_file = any(rel == p or rel.startswith(p + "/") for p in paths)
        for mutant in generate.generate(rel, text):
            if not whole_file and mutant.id not in ids:
                continue
            diff = mutant.diff(text)
            listed = equivalents.get(mutant.id)
            if listed and listed[0] != diff:
                print(f"mutate: equivalent.txt: {mutant.id} now names another mutant: {diff}")
                listed = None

            def change(data, mutant=mutant):
                changed = mutant.apply(data.decode("utf-8"))
                return None if changed is None else changed.encode("utf-8")
            jobs.append(Job(mutant.id, rel, change, tests, diff,
                            f"listed: {listed[1]}" if listed else "", compare_object=True))
    unknown = ids - {job.id for job in jobs}
    if unknown:
        sys.exit(f"mutate: no such generated mutant: {' '.join(sorted(unknown))}")
    return jobs


def parse_selections(words):
    return [tuple(word.partition(":")[::2]) for word in words]


def judge(job, src, logs, tests_of, baseline, objects, wine_folder):
    """(verdict, what to print): runs the job's tests with its fault in
    place, the fastest first, building each only when it is needed."""
    if job.equivalent:
        return "EQUIVALENT", job.equivalent
    path = os.path.join(src, job.file)
    try:
        with open(path, "rb") as f:
            original = f.read()
    except OSError:
        return "STALE", job.said
    mutated = job.change(original)
    if mutated is None:
        return "STALE", job.said
    saved = objects.save(path)
    with open(os.path.join(logs, job.id.replace("/", "_") + ".log"), "w") as log:
        tests = tests_of(log)
        try:
            with open(path, "wb") as f:
                f.write(mutated)
            if job.compare_object:
                obj = objects.of(path)[wine_folder]
                if tests.call(["ninja", "-C", wine_folder, obj]):
                    return "BROKEN", f"does not compile: {job.said}"
                before = saved["objects"][(wine_folder, obj)][0] if saved else None
                if before is not None and objects.same_code(wine_folder, obj, before, log):
                    return "EQUIVALENT", f"same object code: {job.said}"
            for word, selection in zip(job.tests, parse_selections(job.tests)):
                if not tests.build([selection]):
                    return "BROKEN", job.said
                seconds, quietest = baseline[word]
                timeout = max(TIMEOUT_FLOOR_S, TIMEOUT_FACTOR * seconds)
                silence = max(SILENCE_FLOOR_S, TIMEOUT_FACTOR * quietest)
                if not tests.run(*selection, timeout=timeout, silence=silence)[0]:
                    return "KILLED", job.said
            return "SURVIVED", job.said
        finally:
            with open(path, "wb") as f:
                f.write(original)
            objects.restore(path, saved)


def score_line(killed, valid):
    low, high = generate.wilson_interval(killed, valid)
    share = 100.0 * killed / valid if valid else 0.0
    return (f"mutants: {killed} killed / {valid} valid ({share:.1f} %; "
            f"95 % Wilson interval {100 * low:.1f}-{100 * high:.1f} %)")


def run_baseline(jobs, src, builds, logs, options, tree):
    """Each test a job names must pass on the tree as it is and run at
    least one case; otherwise every mutant would look killed (or survive a
    filter that matches nothing). A pass is remembered for the same tree.
    Returns each test's time and longest silence without a mutant."""
    passed_file = os.path.join(options.scratch, "baseline.json")
    try:
        with open(passed_file) as f:
            passed = json.load(f)
    except (OSError, ValueError):
        passed = {}
    if passed.get("tree") != tree or "timings" not in passed:
        passed = {"tree": tree, "timings": {}}
    named = {word for job in jobs if not job.equivalent for word in job.tests}
    needed = sorted(named - set(passed["timings"]))
    with open(os.path.join(logs, "baseline.log"), "w") as log:
        tests = Tests(src, builds, options.wine_arch, log)
        if needed:
            print(f"baseline: building and running {len(needed)} test selections without a mutant", flush=True)
            if not tests.build(parse_selections(needed)):
                sys.exit(f"mutate: the tree does not build; see {log.name}")
            for word in needed:
                ok, ran, seconds, quietest = tests.run(*parse_selections([word])[0], timeout=3600)
                if not ok:
                    # A shared machine can make a timing test miss once.
                    ok, ran, seconds, quietest = tests.run(*parse_selections([word])[0], timeout=3600)
                if not ok or ran == 0:
                    problem = "runs no test" if ok else "fails"
                    sys.exit(f"mutate: {word} {problem} without a mutant; see {log.name}")
                passed["timings"][word] = (seconds, quietest)
                with open(passed_file, "w") as f:
                    json.dump(passed, f)
    return passed["timings"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[1])
    parser.add_argument("--root", required=True)
    parser.add_argument("--scratch")
    parser.add_argument("--wine-arch", default=os.environ.get("KIVORA_WINE_ARCH", "win32"))
    parser.add_argument("--generate", action="store_true", help="generated mutants instead of the list")
    parser.add_argument("--list", action="store_true", help="with --generate: print them, run nothing")
    parser.add_argument("--sample", type=int, metavar="N", help="N valid generated mutants drawn at random")
    parser.add_argument("--seed", type=int, help="of the sample (default: today's date, YYYYMMDD)")
    parser.add_argument("--tests", metavar="EXE,...", help="with --generate: these tests instead of the "
                        "area's, a quick look while writing tests (not a score)")
    parser.add_argument("names", nargs="*", help="ids; with --generate or --sample, paths or generated ids")
    parser.add_argument("--check-anchors", action="store_true",
                        help="only check that every old text occurs once in its file (no build)")
    options = parser.parse_args()
    if options.check_anchors:
        sys.exit(check_anchors(options.root))
    if not options.scratch:
        parser.error("--scratch is required")
    generated = options.generate or options.sample is not None

    started = time.time()
    Session.root = os.path.join(options.scratch, "sessions")
    # A stopped run still ends the shards' sessions.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    try:
        run_mutants(options, generated, started)
    finally:
        Session.end_all()


def run_mutants(options, generated, started):
    src = os.path.join(options.scratch, "src")
    builds = os.path.join(options.scratch, "build")
    logs = os.path.join(options.scratch, "logs")
    os.makedirs(logs, exist_ok=True)
    tree = sync_tree(options.root, src)

    folders = [os.path.join(builds, config) for config in ("host-asan", options.wine_arch)]
    host_folder, wine_folder = folders
    if generated:
        equivalents = read_equivalents(os.path.join(options.root, "tools", "mutate", "equivalent.txt"))
        if options.list:
            jobs = generated_jobs(src, source_files(options.root), options.names, equivalents, set())
            for job in jobs:
                print(f"{job.id}  {job.said}")
            print(f"generated: {len(jobs)} mutants")
            return
        with open(os.path.join(logs, "configure.log"), "w") as log:
            tests = Tests(src, builds, options.wine_arch, log)
            if not tests.configure("host-asan") or not tests.configure(options.wine_arch):
                sys.exit(f"mutate: the scratch builds do not configure; see {log.name}")
        objects = Objects(folders)
        host_files = {source for source, built in objects.by_source.items() if host_folder in built}
        chosen = options.tests.split(",") if options.tests and options.sample is None else None
        jobs = generated_jobs(src, source_files(options.root), options.names, equivalents, host_files, chosen)
        population = len(jobs)
        if options.sample is not None:
            seed = options.seed if options.seed is not None else int(time.strftime("%Y%m%d"))
            jobs = generate.sample_order(jobs, seed)
            print(f"sample: {options.sample} valid of {population} generated mutants, seed {seed}", flush=True)
    else:
        mutants = read_mutants(os.path.join(options.root, "tools", "mutate", "mutants.txt"))
        if options.names:
            known = {m["id"] for m in mutants}
            unknown = [i for i in options.names if i not in known]
            if unknown:
                sys.exit(f"mutate: no such mutant: {' '.join(unknown)}")
            mutants = [m for m in mutants if m["id"] in options.names]
        jobs = written_jobs(mutants)

    # A sample draws from the whole population; its baseline covers every
    # test the drawn mutants may need.
    baseline = run_baseline(jobs, src, builds, logs, options, tree)
    if not generated:
        objects = Objects([f for f in folders if os.path.isfile(os.path.join(f, "build.ninja"))])

    counts = {"KILLED": 0, "SURVIVED": 0, "STALE": 0, "BROKEN": 0, "EQUIVALENT": 0}
    survivors = []
    width = max(len(job.id) for job in jobs) if jobs else 0
    for job in jobs:
        if options.sample is not None and counts["KILLED"] + counts["SURVIVED"] >= options.sample:
            break
        began = time.time()
        verdict, said = judge(job, src, logs, lambda log: Tests(src, builds, options.wine_arch, log),
                              baseline, objects, wine_folder)
        counts[verdict] += 1
        if verdict == "SURVIVED":
            survivors.append((job, said))
        print(f"{verdict:<10} {job.id:<{width}} {time.time() - began:5.0f} s  {said}", flush=True)

    for job, said in survivors:
        print(f"survivor: {job.id}  {said}" if generated else f"survivor: {job.id} ({job.file}): {said}")
    for kind in ("STALE", "BROKEN", "EQUIVALENT"):
        if counts[kind]:
            print(f"{kind.lower()}: {counts[kind]}")
    minutes, seconds = divmod(int(time.time() - started), 60)
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    busy = int(children.ru_utime + children.ru_stime)
    print(f"run time: {minutes} min {seconds} s (processor time of builds and tests: "
          f"{busy // 60} min {busy % 60} s; load average {os.getloadavg()[1]:.1f})")
    print(score_line(counts["KILLED"], counts["KILLED"] + counts["SURVIVED"]))


if __name__ == "__main__":
    main()
