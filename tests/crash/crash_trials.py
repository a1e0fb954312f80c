#!/usr/bin/env python3
"""Crash trials: every write path of qdx killed with SIGKILL at a random moment.

For each write path (add, edit, history, settings, check, import-pen, import-oes, merge,
demo) the script first runs the command to its end on a copy of a small demo project, which
gives the state after and the path's normal duration. Each trial then runs it again on a
fresh copy and sends SIGKILL after a delay drawn uniformly from 0 to 1.2 times that duration.
After the kill:

- the project opens (`qdx info` exits 0),
- `PRAGMA integrity_check` says ok,
- its tables (records, match rows, both settings tables, the change history; the change
  history's TIME and the records' UpdateTime left out) equal exactly the state before or the
  state after the command,
- a backup ("bck_Quendix.qdx") left beside the project by a killed import or merge is handled
  as the program does it: the project itself is intact and the same import run again succeeds,
  replaces the backup, removes it at its end and leaves the state after.

A killed `demo` may leave no file or an empty project (the population is written in one
transaction); both count as the state before.

With --window (the qdx_crash_window program built from tests/crash/CrashWindow.cpp) the
desktop program's main window is killed the same way, in a process of its own on the offscreen
platform: during 保存 after deleting a record, during 終了 answered with saving, during a pen
import followed by 保存, and during データマッチング followed by 保存. The base project holds
ante-mortem records under three post-mortem IDs, so data matching has records to remove.

Output: one summary line per path (trials, intact before, intact after, damaged, how many
kills left a backup, the command's normal duration) and exit 1 when any trial was damaged. Usage:

    tests/crash/crash_trials.py --qdx build/dev/src/cli/qdx \
        [--window build/dev/tests/qdx_crash_window] [--trials N] [--seed S] [--only add,merge]

ctest runs it with the default of 3 trials per path; run it with --trials 20 or more by hand.
"""

import argparse
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "io")
BACKUP = "bck_Quendix.qdx"
VOLATILE = {"TIME", "UpdateTime"}
CHART = "4 3 2b 1b 2b 1 1 1 1 1 1 1 1 3 3 4 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6"


def run(qdx, args, env, check=True):
    return run_command([qdx] + args, env, check)


def run_command(command, env, check=True):
    result = subprocess.run(command, env=env, capture_output=True, text=True)
    if check and result.returncode not in (0, 3):
        raise RuntimeError("%s failed (%d): %s" % (" ".join(command), result.returncode,
                                                   result.stderr))
    return result


def dump(path):
    """Every table's rows without the volatile columns, or None when there is no file."""
    if not os.path.exists(path):
        return None
    connection = sqlite3.connect(path)
    try:
        tables = [row[0] for row in connection.execute(
            "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")]
        state = {}
        for table in tables:
            columns = [row[1] for row in connection.execute("PRAGMA table_info(%s)" % table)]
            kept = ",".join('"%s"' % c for c in columns if c not in VOLATILE) or "1"
            state[table] = connection.execute(
                "SELECT %s FROM %s ORDER BY rowid" % (kept, table)).fetchall()
        return state
    finally:
        connection.close()


def integrity_ok(path):
    connection = sqlite3.connect(path)
    try:
        return connection.execute("PRAGMA integrity_check").fetchone()[0] == "ok"
    finally:
        connection.close()


def opens(qdx, path, env):
    return run(qdx, ["info", path], env, check=False).returncode == 0


class Path:
    def __init__(self, name, args, creates=False, imports=False):
        self.name = name
        self.args = args  # a function of the project path: the qdx arguments
        self.creates = creates
        self.imports = imports

    def command(self, qdx, project):
        args = self.args(project)
        return args if os.path.isabs(args[0]) else [qdx] + args


def window_paths(window):
    """The desktop program's main window (tests/crash/CrashWindow.cpp) doing one write."""
    pen = os.path.join(DATA, "pen_two_forms.csv")
    return [
        Path("window-save", lambda p: [window, "save", p]),
        Path("window-exit", lambda p: [window, "exit-save", p]),
        Path("window-pen", lambda p: [window, "import-pen", p, pen], imports=True),
        Path("window-match", lambda p: [window, "data-matching", p]),
    ]


def write_paths(base, source):
    first_pm, first_am = base["first_pm"], base["first_am"]
    return [
        Path("add", lambda p: ["add", p, "--side", "pm", "--upper", "T99", "--lower", "1",
                               "--place", "気仙沼", "--chart", CHART]),
        Path("edit", lambda p: ["edit", p, "--side", "pm", "--id", first_pm, "--sex", "1",
                                "--age", "5", "--chart", CHART]),
        Path("history", lambda p: ["history", p, "--side", "pm", "--id", first_pm,
                                   "--register", "same-other", first_am]),
        Path("settings", lambda p: ["settings", p, "--name", "気仙沼", "--factor", "3",
                                    "--cell", "am-pm6:6:6=0.5"]),
        Path("check", lambda p: ["check", p, "--side", "pm", "--id", first_pm,
                                 "--examiner", "鈴木"]),
        Path("import-pen", lambda p: ["import-pen", p, os.path.join(DATA, "pen_two_forms.csv"),
                                      "--side", "pm"], imports=True),
        Path("import-oes", lambda p: ["import-oes", p, os.path.join(DATA, "oes-folder-set"),
                                      "--side", "am"], imports=True),
        Path("merge", lambda p: ["merge", p, source], imports=True),
        Path("demo", lambda p: ["demo", p, "--pm", "300", "--am", "600", "--seed", "5"],
             creates=True),
    ]


def fresh_copy(base_file, folder, creates):
    if os.path.exists(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)
    project = os.path.join(folder, "trial.qdx")
    if not creates:
        shutil.copyfile(base_file, project)
    return project


def kill_at(command, delay, env):
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    time.sleep(delay)
    if process.poll() is None:
        process.send_signal(signal.SIGKILL)
    process.wait()


def trial(qdx, path, base_file, folder, before, after, empty, duration, rng, env):
    """One kill; returns 'before' or 'after' (with '+backup' when an import left its backup)
    or a reason why the project is damaged."""
    project = fresh_copy(base_file, folder, path.creates)
    kill_at(path.command(qdx, project), rng.uniform(0, duration * 1.2), env)
    if path.creates and not os.path.exists(project):
        return "before"
    if not opens(qdx, project, env):
        return "damaged: does not open"
    if not integrity_ok(project):
        return "damaged: integrity check"
    state = dump(project)
    if state == after:
        outcome = "after"
    elif state == before or (path.creates and state == empty):
        outcome = "before"
    else:
        return "damaged: neither the state before nor after"
    backup = os.path.join(folder, BACKUP)
    if path.imports and os.path.exists(backup):
        # The import is simply run again: it replaces the backup and removes it at its end.
        run_command(path.command(qdx, project), env)
        if os.path.exists(backup) or dump(project) != after:
            return "damaged: the import run again after a kill"
        return outcome + "+backup"
    return outcome


def reference(qdx, path, base_file, folder, before, env):
    """The state after the command run to its end and how long it took."""
    project = fresh_copy(base_file, folder, path.creates)
    started = time.monotonic()
    run_command(path.command(qdx, project), env)
    duration = time.monotonic() - started
    if not opens(qdx, project, env):
        raise RuntimeError(path.name + ": the project does not open after the command")
    after = dump(project)
    if after == before:
        raise RuntimeError(path.name + ": the command changed nothing, so a kill proves nothing")
    return after, duration


def empty_project(qdx, work, env):
    folder = os.path.join(work, "empty")
    os.makedirs(folder)
    project = os.path.join(folder, "trial.qdx")
    run(qdx, ["new", project], env)
    run(qdx, ["info", project], env)
    return dump(project)


def make_base(qdx, work, env):
    base_file = os.path.join(work, "base.qdx")
    run(qdx, ["demo", base_file, "--pm", "200", "--am", "400", "--seed", "7"], env)
    first_pm_ids = run(qdx, ["list", base_file, "--side", "pm"], env).stdout.split("\n")[:3]
    for line in first_pm_ids:
        # Ante-mortem records under post-mortem IDs, for data matching to remove.
        upper, lower = line.split("\t")[1].split("-")
        run(qdx, ["add", base_file, "--side", "am", "--upper", upper, "--lower", lower], env)
    run(qdx, ["info", base_file], env)
    source = os.path.join(work, "source.qdx")
    run(qdx, ["demo", source, "--pm", "60", "--am", "90", "--seed", "11"], env)
    first = lambda side: run(qdx, ["list", base_file, "--side", side], env).stdout.split(
        "\n")[0].split("\t")[1]
    return base_file, source, {"first_pm": first("pm"), "first_am": first("am")}


def main():
    parser = argparse.ArgumentParser(description="SIGKILL every qdx write path at random moments")
    parser.add_argument("--qdx", required=True, help="the qdx program to try")
    parser.add_argument("--trials", type=int, default=3, help="kills per write path")
    parser.add_argument("--seed", type=int, default=None, help="seed of the kill delays")
    parser.add_argument("--window", default=None,
                        help="the main-window driver (qdx_crash_window) to try as well")
    parser.add_argument("--only", default=None, help="comma-separated write paths to try")
    options = parser.parse_args()
    rng = random.Random(options.seed)
    qdx = os.path.abspath(options.qdx)
    damaged = 0
    with tempfile.TemporaryDirectory(prefix="qdx-crash-") as work:
        env = dict(os.environ, HOME=work, QDX_EXAMINER="佐藤")
        base_file, source, base = make_base(qdx, work, env)
        before = dump(base_file)
        empty = empty_project(qdx, work, env)
        folder = os.path.join(work, "trial")
        print("%-12s %6s %13s %12s %8s %12s %s" % ("path", "trials", "intact before",
                                                   "intact after", "damaged", "backups left",
                                                   "duration"))
        paths = write_paths(base, source)
        if options.window:
            paths += window_paths(os.path.abspath(options.window))
        for path in paths:
            if options.only and path.name not in options.only.split(","):
                continue
            after, duration = reference(qdx, path, base_file, folder, before, env)
            counts = {"before": 0, "after": 0, "backup": 0}
            reasons = []
            for _ in range(options.trials):
                outcome = trial(qdx, path, base_file, folder, before, after, empty, duration,
                                rng, env)
                if outcome.endswith("+backup"):
                    counts["backup"] += 1
                    outcome = outcome[:-len("+backup")]
                if outcome in counts:
                    counts[outcome] += 1
                else:
                    reasons.append(outcome)
            damaged += len(reasons)
            print("%-12s %6d %13d %12d %8d %12d %.3fs" % (
                path.name, options.trials, counts["before"], counts["after"], len(reasons),
                counts["backup"], duration))
            for reason in reasons:
                print("    " + reason)
            sys.stdout.flush()
    return 1 if damaged else 0


if __name__ == "__main__":
    sys.exit(main())
