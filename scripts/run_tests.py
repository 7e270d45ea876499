#!/usr/bin/python3
"""What scripts/test runs once bootstrap has installed what is missing. Builds both presets and runs
every layer of tests: the portable core's unit tests (host g++, sanitizers), the Windows build's own tests under
Wine, and the end-to-end tests of Solvarine.scr; then every script the README names, in a short
form. Wine and X run privately for this run only (a fresh prefix and an Xvfb on a free display,
made while the builds run, removed at the end).
Exits non-zero when anything failed; the last line reads "N passed, M failed"."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import xml.etree.ElementTree as ET
from pathlib import Path

import privatewine

ROOT = Path(__file__).resolve().parents[1]
JOBS = "2"
# The scripts the README names, each in a short form, so that one that no longer runs fails the
# build; their figures go to the log and are never checked. Those marked shared run in this run's
# Xvfb and prefix; make-screenshots installs the setup program, so it gets a prefix of its own, and
# two monitors need an Xorg of their own.
SCRIPTS = (
    (["assets/make-samples", "{scratch}/samples"], False),
    (["scripts/demo", "--settings"], True),
    (["scripts/demo", "--shots", "2"], True),
    (["scripts/demo", "--monitors", "2", "--shots", "2"], False),
    (["scripts/endurance", "--ticks", "200", "--idle", "2"], True),
    (["scripts/benchmark", "--quick"], True),
    (["scripts/latency", "2"], True),
    (["scripts/latency", "--monitors", "4"], False),
    (["packaging/make-screenshots", "--out", "{scratch}"], False),
    (["scripts/release"], False),
)
SCRIPT_TIMEOUT = 1800  # the release build from scratch, on a busy machine
summary: list[str] = []
totals = {"passed": 0, "failed": 0}


def say(text: str) -> None:
    print(f"\n=== {text}", flush=True)


def note(label: str, text: str) -> None:
    summary.append(f"{label:<28} {text}")


def count(label: str, passed: int, failed: int) -> None:
    note(label, f"{passed} passed, {failed} failed")
    totals["passed"] += passed
    totals["failed"] += failed


def run(*argv: str, env: dict | None = None) -> int:
    return subprocess.run(argv, cwd=ROOT, env=env, stdin=subprocess.DEVNULL).returncode


def junit_counts(file: Path) -> tuple[int, int]:
    try:
        cases = list(ET.parse(file).getroot().iter("testcase"))
    except (OSError, ET.ParseError):
        return 0, 0
    passed = failed = 0
    for case in cases:
        status = case.get("status", "run")
        if case.find("failure") is not None or case.find("error") is not None or status in (
                "fail", "notrun"):
            failed += 1
        elif case.find("skipped") is None and status == "run":
            passed += 1
    return passed, failed


def layer(label: str, junit: Path, code: int) -> None:
    passed, failed = junit_counts(junit)
    # A run that failed without a failing case (a crash, nothing found) still counts as a failure.
    if (code != 0 or passed == 0) and failed == 0:
        failed = 1
    count(label, passed, failed)


def build(preset: str) -> bool:
    say(f"configure and build: {preset}")
    ok = run("cmake", "--preset", preset) == 0 and run(
        "cmake", "--build", "--preset", preset, "-j", JOBS, "--", "-k", "0") == 0
    note(f"build {preset}", "ok" if ok else "FAILED (counted as 1 failure)")
    totals["failed"] += 0 if ok else 1
    return ok


def run_script(argv: list[str], env: dict) -> int:
    """Runs a script to its end, or ends it and everything it started after SCRIPT_TIMEOUT."""
    process = subprocess.Popen(argv, cwd=ROOT, env=env, stdin=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=SCRIPT_TIMEOUT)
    except subprocess.TimeoutExpired:
        print(f"{' '.join(argv)}: still running after {SCRIPT_TIMEOUT} s, ended")
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return 1


def scripts(shared: dict, scratch: Path) -> None:
    # Without DISPLAY, as on a CI machine: the demo then runs headless.
    base = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "SOLVARINE_WINEPREFIX", "SOLVARINE_DISPLAY")}
    failed = []
    for template, uses_shared in SCRIPTS:
        name = " ".join(arg for arg in template if "{" not in arg)
        argv = [arg.format(scratch=scratch) for arg in template]
        say(f"script: {' '.join(argv)}")
        started = time.monotonic()
        code = run_script(argv, {**base, **(shared if uses_shared else {})})
        print(f"({name}: exit code {code}, {time.monotonic() - started:.0f} s)")
        if code != 0:
            failed.append(name)
    if failed:
        print(f"failed: {', '.join(failed)}")
    count("scripts (short forms)", len(SCRIPTS) - len(failed), len(failed))


def main() -> int:
    started = time.monotonic()
    wine: dict = {}

    def make_wine() -> None:
        try:
            wine["done"] = privatewine.PrivateWine()
        except Exception as error:  # reported below, after the builds
            wine["error"] = error

    maker = threading.Thread(target=make_wine)
    maker.start()
    results = Path(tempfile.mkdtemp(prefix="solvarine-test-"))
    try:
        if build("native"):
            say("unit tests (native, ASan+UBSan)")
            code = run("ctest", "--preset", "native", "-j", JOBS, "--timeout", "300",
                       "--no-tests=error", "--output-junit", str(results / "native.xml"))
            layer("unit tests (native)", results / "native.xml", code)
        else:
            note("unit tests (native)", "not run")
        windows_built = build("windows")

        say("waiting for the private Xvfb and Wine prefix")
        maker.join()
        if "error" in wine:
            print(f"making the Wine prefix failed: {wine['error']}")
            note("Wine prefix", "FAILED (counted as 1 failure)")
            totals["failed"] += 1
        else:
            private = wine["done"]
            print(f"DISPLAY={private.display} WINEPREFIX={private.prefix}")
            # wine-run (the Windows tests) reads WINEPREFIX and DISPLAY, the e2e suite the others.
            env = {**privatewine.wine_environment(private.prefix, private.display),
                   "SOLVARINE_WINEPREFIX": str(private.prefix), "SOLVARINE_DISPLAY": private.display}
            # Windows tests whose programs failed to build still show up in CTest as failures.
            say("Windows tests (under Wine)")
            code = run("ctest", "--preset", "windows", "-LE", "^e2e$", "--timeout", "300",
                       "--no-tests=error", "--output-junit", str(results / "win32.xml"), env=env)
            layer("Windows tests (Wine)", results / "win32.xml", code)
            say("end-to-end tests (Solvarine.scr under Wine in Xvfb)")
            env["PYTEST_ADDOPTS"] = f"--junitxml={results / 'e2e.xml'} -rfE " + os.environ.get(
                "PYTEST_ADDOPTS", "")
            code = run("ctest", "--preset", "windows", "-L", "^e2e$", "-V", "--no-tests=error",
                       env=env)
            layer("end-to-end (Wine, Xvfb)", results / "e2e.xml", code)
        if windows_built:
            private = wine.get("done")
            scripts({"SOLVARINE_WINEPREFIX": str(private.prefix),
                     "SOLVARINE_DISPLAY": private.display} if private else {}, results)
        else:
            note("scripts (short forms)", "not run")
            print("(the windows build failed: see above)")
    finally:
        maker.join()
        if "done" in wine:
            wine["done"].close()
        shutil.rmtree(results, ignore_errors=True)

    elapsed = int(time.monotonic() - started)
    say("summary")
    print("\n".join(summary))
    print(f"{'time':<28} {elapsed // 60}m{elapsed % 60:02d}s")
    print(f"{totals['passed']} passed, {totals['failed']} failed")
    return 0 if totals["failed"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
