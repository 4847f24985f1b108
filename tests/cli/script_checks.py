"""What the Python tests of vantrel share: checks that count and report, and a run of
the program with its exit status and output."""
import subprocess
import sys

counts = {"passed": 0, "failed": 0}


def check(what, actual, expected):
    if actual == expected:
        counts["passed"] += 1
    else:
        counts["failed"] += 1
        print(f"FAILED: {what}\n  expected: {expected!r}\n  actual:   {actual!r}")


def run(vantrel, *words, env=None):
    result = subprocess.run([vantrel, *words], capture_output=True, env=env)
    return result.returncode, result.stdout, result.stderr


def finish(title):
    """Prints "TITLE: N passed, M failed" and ends with status 1 when any check failed."""
    print(f"{title}: {counts['passed']} passed, {counts['failed']} failed")
    sys.exit(1 if counts["failed"] else 0)
