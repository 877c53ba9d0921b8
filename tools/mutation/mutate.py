#!/usr/bin/env python3
"""Plants one small fault at a time in the driver's code and asks whether the
test suites that own that code notice it.

    mutate.py ROOT SEED N [PATH...]

Sites are drawn at random from the C++ files under PATH (default ui/),
weighted by the file's size, with the given seed; each is a place where one
of the operators below applies. For each site the tool copies the tracked
tree once into build-mutation/, changes the one line (or two), rebuilds the
test programs that own the folder and the driver files, runs them, and puts
the line back. Standard library only.

Each result goes to build-mutation/report-SEED-N.tsv as it is known, so a
run that is stopped resumes where it was with the same arguments. The report
names the commit its sites were drawn from: a resumed run draws from that
commit again, and plants each fault in the last commit's copy of the line
(found where it moved; a line that is gone or changed is reported "moved"
and not counted). One run at a time uses build-mutation/.
"""
import fcntl
import filecmp
import os
import random
import re
import shutil
import subprocess
import sys
import time

# The test programs that own each folder of ui/.
OWNERS = {
    "ui/platform": ["platform_tests"],
    "ui/profile": ["profile_tests"],
    "ui/settings": ["settings_tests"],
    "ui/facts": ["settings_tests", "caps_tests"],
    "ui/caps": ["caps_tests"],
    "ui/job": ["job_tests"],
    "ui/printer": ["printer_tests"],
    "ui/entry": ["entry_tests"],
    "ui/sheet": ["docsheet_tests", "devsheet_tests"],
    "ui/docsheet": ["docsheet_tests", "monkey_small"],
    "ui/devsheet": ["devsheet_tests", "monkey_small"],
}
# Files whose behaviour another folder's suites test: the pages' choices
# are stored by plain functions in ui/settings, and the page tests are theirs;
# the settings road's faults are told through the spooler's DocumentPropertiesW,
# which the sheet suite drives; the lock count is read only by the spooler
# guard, whose own test is in the capability suite.
FILE_OWNERS = {
    "ui/settings/page_choices.cpp": ["docsheet_tests"],
    "ui/settings/page_choices.h": ["docsheet_tests"],
    "ui/settings/settings_without_ui.cpp": ["docsheet_tests"],
    "ui/platform/library_lock.cpp": ["caps_tests"],
}
# monkey_small is a test of the monkey program, not a program of its own.
PROGRAMS = {"monkey_small": "martenui_monkey"}
# A fault that makes a test loop or wait for ever is killed when one test
# program runs longer than this many times all the unchanged suites together
# (at least MIN_TIMEOUT seconds): no single program comes near it unchanged.
TIMEOUT_FACTOR = 2
MIN_TIMEOUT = 120

SKIP_LINE = re.compile(r"^\s*(#|//|static_assert|\*|/\*)")
COMPARISONS = [(" <= ", " < "), (" >= ", " > "), (" < ", " <= "), (" > ", " >= "), (" == ", " != "), (" != ", " == ")]
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
TERMINATOR = re.compile(r"^\s*[\w.\->\[\]()*+ ]+\]\s*=\s*(0|L'\\0'|'\\0')\s*;\s*(//.*)?$")
FLAG_BIT = re.compile(r"^\s*[\w.\->\[\]]+\s*\|=\s*[^;]+;\s*(//.*)?$")
FIELD = re.compile(r"^\s*[\w\[\]]+(\.|->)\w+(\[[^]]*\])?\s*=\s*[^=;][^;]*;\s*(//.*)?$")
ROW = re.compile(r"^\s*\{.*\},?\s*(//.*)?$")
JUMP = re.compile(r"^\s*(continue|break);\s*(//.*)?$")
RETURN_INT = re.compile(r"\breturn (-?\d+);")
RETURN_BOOL = {"return true;": "return false;", "return false;": "return true;",
               "return TRUE;": "return FALSE;", "return FALSE;": "return TRUE;"}


def sites_of(path, lines):
    """Every (line index, operator, new text of that line[, second line]) in a file."""
    found = []
    for i, line in enumerate(lines):
        if SKIP_LINE.match(line) or "template" in line or "#include" in line:
            continue
        code = line.split("//")[0]
        for old, new in COMPARISONS:
            start = 0
            while True:
                at = code.find(old, start)
                if at < 0:
                    break
                # "a <= b" must not also count as "a < b".
                if old in (" < ", " > ") and code[at + len(old) - 1:at + len(old) + 1] in ("<=", ">="):
                    start = at + 1
                    continue
                found.append((i, "flip comparison", line[:at] + new + line[at + len(old):]))
                start = at + len(old)
        if not re.search(r'"|\bcase\b|\[\s*\]|^\s*\{', code):
            for match in INTEGER.finditer(code):
                value = int(match.group(1))
                for changed in (value + 1, value - 1):
                    if changed >= 0:
                        found.append((i, "constant %+d" % (changed - value),
                                      line[:match.start()] + str(changed) + line[match.end():]))
        if TERMINATOR.match(line) or FLAG_BIT.match(line) or FIELD.match(line):
            found.append((i, "delete write", ""))
        if JUMP.match(line) and inside_loop(lines, i):
            found.append((i, "drop " + line.strip().rstrip(";"), ""))
        for old, new in RETURN_BOOL.items():
            if old in code:
                found.append((i, "return neighbour", line.replace(old, new)))
        match = RETURN_INT.search(code)
        if match:
            value = int(match.group(1))
            found.append((i, "return neighbour", line[:match.start(1)] + str(value + 1) + line[match.end(1):]))
        if i + 1 < len(lines) and ROW.match(line) and ROW.match(lines[i + 1]) and line.strip() != lines[i + 1].strip():
            found.append((i, "swap rows", lines[i + 1], line))
    return found


def inside_loop(lines, i):
    """Whether the jump at line i sits in a loop rather than a switch."""
    indent = len(lines[i]) - len(lines[i].lstrip())
    for j in range(i - 1, max(-1, i - 40), -1):
        text = lines[j].strip()
        own = len(lines[j]) - len(lines[j].lstrip())
        if own < indent:
            if text.startswith(("case ", "default:")):
                return False
            if text.startswith(("for (", "while (", "do")):
                return True
            if text.startswith("switch"):
                return False
    return False


def drawn_tree(root, work, commit):
    """The ui/ files of `commit`, extracted once into build-mutation/drawn-COMMIT."""
    folder = os.path.join(work, "drawn-" + commit)
    if not os.path.isdir(folder):
        partial = folder + ".part"
        shutil.rmtree(partial, ignore_errors=True)
        os.makedirs(partial)
        archive = subprocess.run(["git", "-C", root, "archive", commit, "--", "ui"], capture_output=True,
                                 check=True).stdout
        subprocess.run(["tar", "-x", "-C", partial], input=archive, check=True)
        os.rename(partial, folder)
    return folder


def candidate_files(root, commit, paths):
    listed = subprocess.run(["git", "-C", root, "ls-tree", "-r", "--name-only", commit, "--"] + paths,
                            capture_output=True, text=True, check=True).stdout.split()
    return sorted(f for f in listed if f.endswith((".cpp", ".h")))


def draw(root, tree, commit, seed, count, paths):
    """N distinct sites of `commit` (extracted in `tree`), by a seeded draw
    weighted by file size, each with the line(s) it changes as drawn."""
    files = candidate_files(root, commit, paths)
    contents = {f: open(os.path.join(tree, f), encoding="utf-8").read().split("\n") for f in files}
    sites = {f: sites_of(f, contents[f]) for f in files}
    files = [f for f in files if sites[f]]
    weights = [len(contents[f]) for f in files]
    generator = random.Random(seed)
    chosen, seen = [], set()
    total = sum(len(s) for s in sites.values())
    while len(chosen) < min(count, total):
        f = generator.choices(files, weights)[0]
        site = generator.choice(sites[f])
        key = (f, site[0], site[1], site[2])
        if key in seen:
            continue
        seen.add(key)
        chosen.append((f,) + site)
    # Two faults of one operator on one line (two constants) are told apart
    # in the report by a number after the second.
    named = {}
    for n, site in enumerate(chosen):
        key = describe(site)
        named[key] = named.get(key, 0) + 1
        if named[key] > 1:
            chosen[n] = site[:2] + ("%s (%d)" % (site[2], named[key]),) + site[3:]
    drawn = {}
    for site in chosen:
        lines = contents[site[0]]
        drawn[describe(site)] = lines[site[1]:site[1] + (2 if site[2] == "swap rows" else 1)]
    return chosen, drawn


def equivalents(root, commit):
    """The survivors of sites drawn at `commit` judged equivalent, with why:
    tools/mutation/equivalent.tsv, kept with the project."""
    judged = {}
    path = os.path.join(root, "tools", "mutation", "equivalent.tsv")
    if os.path.isfile(path):
        for line in open(path, encoding="utf-8"):
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 4 and parts[0] == commit:
                judged["\t".join(parts[1:3])] = parts[3]
    return judged


def folder_owners(path):
    for folder, owners in OWNERS.items():
        if path.startswith(folder + "/"):
            return owners
    return []


# A header's faults reach every folder that includes it: set by main() from
# the drawn tree, header path -> the ui/ files that include it.
INCLUDERS = {}


def owners_of(path):
    owners = set(folder_owners(path)) | set(FILE_OWNERS.get(path, []))
    for includer in INCLUDERS.get(path, []):
        owners.update(folder_owners(includer))
    return sorted(owners)


def find_includers(tree):
    """Each header under ui/, with the ui/ files that include it."""
    files = []
    for folder, _, names in os.walk(os.path.join(tree, "ui")):
        files += [os.path.relpath(os.path.join(folder, n), tree) for n in names if n.endswith((".cpp", ".h"))]
    includes = {f: re.findall(r'#include "([^"]+)"', open(os.path.join(tree, f), encoding="utf-8").read())
                for f in files}
    return {h: [f for f in files if h[len("ui/"):] in includes[f]] for h in files if h.endswith(".h")}


def prepare(root, work):
    """A copy of the last commit, brought up to date, and a configured build of it.

    The commit rather than the working tree, so that edits in progress never
    reach a run that goes on in the background."""
    source = os.path.join(work, "src")
    committed = os.path.join(work, "commit")
    shutil.rmtree(committed, ignore_errors=True)
    os.makedirs(committed)
    archive = subprocess.run(["git", "-C", root, "archive", "HEAD"], capture_output=True, check=True).stdout
    subprocess.run(["tar", "-x", "-C", committed], input=archive, check=True)
    files = subprocess.run(["git", "-C", root, "ls-tree", "-r", "--name-only", "HEAD"], capture_output=True,
                           text=True, check=True).stdout.split("\n")
    for f in filter(None, files):
        origin, target = os.path.join(committed, f), os.path.join(source, f)
        if not os.path.isfile(origin):
            continue
        # By content, and written with the time of now: the build must see a
        # file that differs from what it last compiled as newer, never older.
        if os.path.isfile(target) and filecmp.cmp(origin, target, shallow=False):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(origin, target)
        shutil.copymode(origin, target)
    build = os.path.join(work, "build")
    if not os.path.isfile(os.path.join(build, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", source, "-B", build, "-G", "Ninja",
                        "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(source, "cmake", "mingw-x86_64.cmake")],
                       check=True, stdout=subprocess.DEVNULL)
    return source, build


def run(command, log, timeout=None, env=None):
    with open(log, "a") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  env=env).returncode
        except subprocess.TimeoutExpired:
            return -1


def locate(lines, index, drawn):
    """Where the drawn line(s) are now: at the same index, else the one place
    they occur; None when they are gone, changed or not unique."""
    def at(i):
        return lines[i:i + len(drawn)] == drawn
    if at(index):
        return index
    places = [i for i in range(len(lines)) if at(i)]
    return places[0] if len(places) == 1 else None


def try_site(source, build, site, drawn, log, timeout):
    path, operator, new = site[0], site[2], site[3]
    full = os.path.join(source, path)
    original = open(full, encoding="utf-8").read()
    lines = original.split("\n")
    index = locate(lines, site[1], drawn)
    if index is None:
        return "moved"
    if operator == "swap rows":
        lines[index], lines[index + 1] = new, site[4]
    elif new == "":
        lines[index] = ""
    else:
        lines[index] = new
    owners = owners_of(path)
    try:
        with open(full, "w", encoding="utf-8") as out:
            out.write("\n".join(lines))
        programs = sorted({PROGRAMS.get(o, o) for o in owners})
        if run(["nice", "-n", "10", "cmake", "--build", build, "--target", "driver_files"] + programs, log) != 0:
            return "not built"
        if not owners:
            return "no owner"
        pattern = "^(" + "|".join(owners) + ")$"
        # The first failing test settles the verdict; the rest would only cost time.
        status = run(["nice", "-n", "10", "ctest", "--test-dir", build, "-R", pattern, "--timeout",
                      str(timeout), "--stop-on-failure"], log, timeout=timeout * (len(owners) + 1) + 60,
                     env=dict(os.environ, GTEST_FAIL_FAST="1"))
        # A stopped or timed-out run may leave its wineserver and display behind.
        run([os.path.join(source, "tests", "bench", "wine-bench"), "cleanup", os.path.join(build, "bench")], log)
        return "survived" if status == 0 else "killed"
    finally:
        with open(full, "w", encoding="utf-8") as out:
            out.write(original)


def read_results(report):
    """What a report holds: each site's result by its key, and the unchanged
    suites' seconds as "baseline"; nothing when there is no report yet."""
    results = {}
    if os.path.isfile(report):
        for line in open(report, encoding="utf-8"):
            parts = line.rstrip("\n").split("\t")
            if line.startswith("baseline\t") and len(parts) >= 3:
                results["baseline"] = parts[2]
            elif len(parts) >= 3 and not line.startswith("#"):
                results["\t".join(parts[:2])] = parts[2]
    return results


def planted(site):
    """The fault as planted, for the report's reader: the line as changed."""
    if site[2] == "swap rows":
        return "rows swapped: " + site[3].strip() + " / " + site[4].strip()
    return site[3].strip() if site[3] else "line deleted"


def describe(site):
    path, index, operator = site[0], site[1], site[2]
    return "%s:%d\t%s" % (path, index + 1, operator)


def site_result(site, known, report, source, build, drawn, log, timeout):
    """The site's result as `known` holds it, else tried now and added to
    `known` and to `report`; printed either way."""
    key = describe(site)
    result = known.get(key)
    if result is None:
        started = time.time()
        result = try_site(source, build, site, drawn[key], log, timeout)
        known[key] = result
        with open(report, "a", encoding="utf-8") as out:
            out.write("%s\t%s\t%.0fs\t%s\n" % (key, result, time.time() - started, planted(site)))
    print("%s\t%s" % (key, result), flush=True)
    return result


def try_again(root, report, sites, drawn, done, source, build, log, timeout, drawn_commit):
    """The survivors of a finished report, planted again in the last commit:
    what the tests added since make of them. Results go to a report of
    their own, named after that commit."""
    head = subprocess.run(["git", "-C", root, "rev-parse", "--short", "HEAD"], capture_output=True, text=True,
                          check=True).stdout.strip()
    # Those judged equivalent would only survive again.
    judged = equivalents(root, drawn_commit)
    survivors = [s for s in sites if done.get(describe(s)) == "survived" and describe(s) not in judged]
    again_report = report[:-len(".tsv")] + "-again-%s.tsv" % head
    again_done = read_results(again_report)
    killed = 0
    for site in survivors:
        killed += site_result(site, again_done, again_report, source, build, drawn, log, timeout) == "killed"
    print("survivors killed at %s: %d of %d (report: %s)" % (head, killed, len(survivors),
                                                             os.path.relpath(again_report, root)))


def main():
    arguments = [a for a in sys.argv[1:] if a != "--again"]
    again = len(arguments) < len(sys.argv) - 1
    if len(arguments) < 3:
        sys.exit("usage: tools/mutation/run SEED N [--again] [PATH...]")
    root, seed, count = arguments[0], int(arguments[1]), int(arguments[2])
    paths = arguments[3:] or ["ui/"]
    work = os.path.join(root, "build-mutation")
    os.makedirs(work, exist_ok=True)
    report = os.path.join(work, "report-%d-%d%s.tsv" % (seed, count, "" if paths == ["ui/"] else "-" + "-".join(
        p.strip("/").replace("/", "_") for p in paths)))
    log = os.path.join(work, "build-and-test.log")
    # One run at a time: two would plant faults in the same copy.
    lock = open(os.path.join(work, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit("mutation: another run is using %s" % work)
    commit = None
    if os.path.isfile(report):
        found = re.match(r"# drawn at ([0-9a-f]+);", open(report, encoding="utf-8").readline())
        commit = found.group(1) if found else None
    commit = commit or subprocess.run(["git", "-C", root, "rev-parse", "--short", "HEAD"], capture_output=True,
                                      text=True, check=True).stdout.strip()
    tree = drawn_tree(root, work, commit)
    INCLUDERS.update(find_includers(tree))
    sites, drawn = draw(root, tree, commit, seed, count, paths)
    done = read_results(report)
    if not os.path.isfile(report):
        with open(report, "w", encoding="utf-8") as out:
            out.write("# drawn at %s; seed %d, %d sites over %s\n" % (commit, seed, count, " ".join(paths)))
    # A finished report is only printed: the copy and its build stay as they are.
    pending = again or "baseline" not in done or any(describe(s) not in done for s in sites)
    source, build = prepare(root, work) if pending else (None, None)
    # The unchanged tree must build and pass first, or every fault would read as killed.
    owners = sorted({o for s in sites for o in owners_of(s[0])})
    if "baseline" not in done:
        programs = sorted({PROGRAMS.get(o, o) for o in owners})
        if run(["nice", "-n", "10", "cmake", "--build", build, "--target", "driver_files"] + programs, log) != 0:
            sys.exit("mutation: the unchanged tree does not build (see %s)" % log)
        started = time.time()
        if run(["nice", "-n", "10", "ctest", "--test-dir", build, "-R", "^(" + "|".join(owners) + ")$"], log) != 0:
            sys.exit("mutation: the unchanged tree fails its tests (see %s)" % log)
        done["baseline"] = "%.0f" % (time.time() - started)
        with open(report, "a", encoding="utf-8") as out:
            out.write("baseline\tpassed\t%ss\n" % done["baseline"])
    baseline_seconds = float(done["baseline"].rstrip("s")) if done["baseline"].rstrip("s").isdigit() else 180.0
    timeout = max(MIN_TIMEOUT, int(TIMEOUT_FACTOR * baseline_seconds))
    if again:
        return try_again(root, report, sites, drawn, done, source, build, log, timeout, commit)
    counts = {"killed": 0, "survived": 0, "not built": 0, "no owner": 0, "moved": 0}
    for site in sites:
        result = site_result(site, done, report, source, build, drawn, log, timeout)
        counts[result] = counts.get(result, 0) + 1
    # The rate counts only faults that change what the program does.
    judged = equivalents(root, commit)
    folders = {}
    equivalent = 0
    for site in sites:
        result = done.get(describe(site))
        if result == "survived" and describe(site) in judged:
            equivalent += 1
        elif result in ("killed", "survived"):
            folder = folders.setdefault(os.path.dirname(site[0]), [0, 0])
            folder[0 if result == "killed" else 1] += 1
    for folder, (killed, survived) in sorted(folders.items()):
        print("  %-14s killed %d of %d" % (folder, killed, killed + survived))
    counted = counts["killed"] + counts["survived"] - equivalent
    rate = 100.0 * counts["killed"] / counted if counted else 0.0
    print("killed %d, survived %d (%d judged equivalent), not built %d, moved %d; kill rate %.1f%% of the %d "
          "that are not equivalent (report: %s)" % (counts["killed"], counts["survived"], equivalent,
                                                   counts["not built"], counts["moved"], rate, counted,
                                                   os.path.relpath(report, root)))


if __name__ == "__main__":
    main()
