#!/usr/bin/env python3
"""Planted-fault check of the test suite (not part of CI).

Each fault in faults.txt is one exact search/replace in one file. The script
copies the working tree to a scratch folder (the tree itself is never
changed), builds it once, then for each fault: applies it to the copy,
rebuilds only the test programs of the fault's ctest labels, runs those
labels and restores the file. It writes a markdown table of the tests that
failed, i.e. caught the fault. A pattern found nowhere (or more than once) is
reported loudly, so the fault can be re-aimed after code moved.

usage: tests/mutants/mutants.py [--only ID,ID] [--rev COMMIT] [--out FILE] [--scratch DIR]
--rev tests that commit instead of the working tree (e.g. the suite before a change).
Run it with the build's ccache settings (CCACHE_DIR) so the copy builds fast.
"""
import argparse, json, os, re, subprocess, sys, tempfile, time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def parse_faults(path):
    faults, cur = [], None
    for raw in path.read_text().splitlines():
        if raw.startswith("## "):
            ident, _, title = raw[3:].partition(" ")
            cur = {"id": ident, "title": title.strip()}
            faults.append(cur)
        elif cur is not None and re.match(r"^(file|labels|find|replace):", raw):
            key, _, value = raw.partition(":")
            value = value[1:] if value.startswith(" ") else value
            cur[key] = value.encode().decode("unicode_escape") if key in ("find", "replace") else value.strip()
    for f in faults:
        missing = [k for k in ("file", "labels", "find", "replace") if k not in f]
        if missing:
            sys.exit(f"faults.txt: {f['id']} lacks {', '.join(missing)}")
    return faults


def sync_tree(source, target):
    """Makes `target` hold the files of `source` (builds and .git left out),
    writing only files whose bytes differ, so make rebuilds exactly those."""
    skip = lambda rel: rel.parts[0].startswith("build") or rel.parts[0] in (".git", ".cache")
    wanted = set()
    for path in source.rglob("*"):
        rel = path.relative_to(source)
        if skip(rel) or path.is_dir():
            continue
        wanted.add(rel)
        dest = target / rel
        data = path.read_bytes()
        if not dest.exists() or dest.read_bytes() != data:
            dest.parent.mkdir(parents=True, exist_ok=True)
            dest.write_bytes(data)
            dest.chmod(path.stat().st_mode & 0o777)
    for path in list(target.rglob("*")):
        rel = path.relative_to(target)
        if not skip(rel) and path.is_file() and rel not in wanted:
            path.unlink()


def sh(cmd, cwd=None, timeout=None, env=None):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, timeout=timeout, env=env)


def build_env():
    env = dict(os.environ)
    env.setdefault("CCACHE_BASEDIR", str(ROOT))
    return env


def label_regex(labels):
    return "^(" + "|".join(re.escape(l) for l in labels.split()) + ")$"


def targets_for(build, regex):
    out = sh(["ctest", "--show-only=json-v1", "-L", regex], cwd=build).stdout
    names = set()
    for test in json.loads(out).get("tests", []):
        if test.get("command"):
            names.add(Path(test["command"][0]).name)
    return sorted(names)


def build(build_dir, targets, env):
    cmd = ["cmake", "--build", str(build_dir), "-j2"]
    for t in targets:
        cmd += ["--target", t]
    return sh(cmd, env=env).returncode == 0


def run_label(build_dir, regex, env):
    r = sh(["ctest", "-L", regex, "-j2", "--timeout", "180"], cwd=build_dir, env=env)
    failed, in_failed = [], False
    for line in r.stdout.splitlines():
        if line.startswith("The following tests FAILED"):
            in_failed = True
        elif in_failed:
            # "  12 - Suite.Case/Param  # GetParam() = ... (Failed)"
            m = re.match(r"\s*\d+ - (\S+).* \(([^()]*)\)\s*$", line)
            if m:
                failed.append(m.group(1) + ("" if m.group(2) == "Failed" else f" [{m.group(2)}]"))
            elif line.strip() and not line.startswith("Errors"):
                in_failed = False
    total = re.search(r"tests passed, \d+ tests failed out of (\d+)", r.stdout)
    return failed, int(total.group(1)) if total else 0


def summarise(names, limit=5):
    # Test names are Suite.Case/Param; group by suite to keep the table short.
    suites = {}
    for n in names:
        suites.setdefault(n.split(".")[0].split("/")[-1], []).append(n)
    parts = [f"{s} ({len(v)})" for s, v in sorted(suites.items())]
    return ", ".join(parts[:limit]) + (f", +{len(parts) - limit} suites" if len(parts) > limit else "")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--only", default="")
    ap.add_argument("--rev", default="")
    ap.add_argument("--out", default=str(ROOT / "build" / "mutants" / "results.md"))
    ap.add_argument("--scratch", default=str(ROOT / "build" / "mutants" / "src"))
    args = ap.parse_args()
    faults = parse_faults(Path(__file__).with_name("faults.txt"))
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in wanted]
    scratch = Path(args.scratch)
    build_dir = scratch / "build"
    env = build_env()

    scratch.mkdir(parents=True, exist_ok=True)
    source = ROOT
    if args.rev:
        source = Path(tempfile.mkdtemp(prefix="korv-mutants-"))
        subprocess.run(f"git -C {ROOT} archive {args.rev} | tar -x -C {source}", shell=True, check=True)
    sync_tree(source, scratch)
    if not (build_dir / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", str(scratch), "-B", str(build_dir), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                        "-DCMAKE_INSTALL_PREFIX=/usr", "-DKORV_BUILD_BENCHMARKS=OFF",
                        "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"],
                       check=True, env=env, stdout=subprocess.DEVNULL)
    print("building the scratch copy ...", flush=True)
    if not build(build_dir, [], env):
        sys.exit("the unchanged scratch copy does not build")

    baseline = {}
    rows, lost = [], 0
    for f in faults:
        path = scratch / f["file"]
        text = path.read_text() if path.exists() else ""
        count = text.count(f["find"])
        regex = label_regex(f["labels"])
        if regex not in baseline:
            build(build_dir, targets_for(build_dir, regex), env)
            baseline[regex] = set(run_label(build_dir, regex, env)[0])
            if baseline[regex]:
                print(f"!! already failing under {f['labels']}: {sorted(baseline[regex])}", flush=True)
        if count != 1:
            result, caught = ("PATTERN NOT FOUND" if count == 0 else f"PATTERN FOUND {count} TIMES"), ""
            print(f"!! {f['id']}: {result} in {f['file']}", flush=True)
        else:
            started = time.time()
            path.write_text(text.replace(f["find"], f["replace"]))
            try:
                if not build(build_dir, targets_for(build_dir, regex), env):
                    result, caught = "BUILD FAILED", ""
                else:
                    failed, total = run_label(build_dir, regex, env)
                    new = [n for n in failed if n.split(" [")[0] not in baseline[regex]]
                    result = f"caught by {len(new)}/{total}" if new else f"NOT CAUGHT (0/{total})"
                    caught = summarise(new)
            finally:
                path.write_text(text)
            print(f"{f['id']}: {result} ({time.time() - started:.0f} s) {caught}", flush=True)
        if not result.startswith("caught"):
            lost += 1
        rows.append(f"| {f['id']} | {f['title']} | `{f['file']}` | {f['labels']} | {result} | {caught} |")

    out = Path(args.out)
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text("| Fault | What | File | Labels run | Result | Failing tests (suite, count) |\n"
                   "|---|---|---|---|---|---|\n" + "\n".join(rows) + "\n")
    print(f"{len(faults) - lost}/{len(faults)} faults caught; table in {out}")


if __name__ == "__main__":
    main()
