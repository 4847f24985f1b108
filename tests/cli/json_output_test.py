#!/usr/bin/env python3
"""The --json output of vantrel read by a JSON parser, as a script or a desktop front end
would read it: folders, battles, pilots and repair, each one document on one line, with names
that need escaping. Prints "json: N passed, M failed" and fails when any check does.

usage: json_output_test.py VANTREL
"""
import json
import os
import sys
import tempfile

import script_checks
from script_checks import check

vantrel = sys.argv[1]


def run(*words):
    return script_checks.run(vantrel, *words)


def document(*words):
    """Runs vantrel with --json and parses what it printed: one line, one document."""
    status, out, err = run("--json", *words)
    check(f"{words} exit status", status, 0)
    check(f"{words} error output", err, b"")
    check(f"{words} is one line", out.count(b"\n"), 1)
    return json.loads(out.decode("utf-8"))


def battle_list(game, name):
    """A battle list: game, key, name in 51 bytes, mission count, one mission."""
    return (bytes([game, 0]) + name.ljust(51, b"\0") + bytes([1, 0]) +
            b"m1.tie".ljust(21, b"\0") + b"\0")


with tempfile.TemporaryDirectory() as scratch:
    os.environ["VANTREL_REGISTRY"] = os.path.join(scratch, "settings.reg")
    # Folder names a parser must get back exactly: a quote, a tab, a non-ASCII letter.
    tie = os.path.join(scratch, 'TIE "95"\tÉtoile')
    xwa = os.path.join(scratch, "XWA")
    os.makedirs(os.path.join(tie, "KZMISS"))
    os.makedirs(xwa)
    for name, folder in (("tie", tie), ("xwa", xwa), ("launcher", scratch)):
        status, _, _ = run("folders", "set", name, folder)
        check(f"folders set {name}", status, 0)

    check("folders --json", document("folders"), {
        "launcher": scratch, "last-dir": None, "tie": tie, "xvt": None, "bop": None, "xwa": xwa,
    })

    # The battle's name is Windows-1252 in the battle list and UTF-8 in the document.
    with open(os.path.join(tie, "KZMISS", "battle.kzb"), "wb") as file:
        file.write(battle_list(0, 'Op\xe9ration "Ion"\\1'.encode("cp1252")))
    check("battles --json", document("battles"), {
        "tie": {"game": "TIE Fighter 95", "battle": 'Opération "Ion"\\1'},
        "xvt": {"game": "X-Wing vs. TIE Fighter", "battle": None},
        "bop": {"game": "Balance of Power", "battle": None},
        "xwa": {"game": "X-Wing Alliance", "battle": None},
    })

    check("pilots --json without pilots", document("pilots"), {"pilots": []})
    for pilot in ("Wedge", "Red Five"):
        check(f"pilots create {pilot}", run("pilots", "create", pilot)[0], 0)
    check("pilots select", run("pilots", "select", "red five")[0], 0)
    check("pilots list --json", document("pilots", "list"), {"pilots": [
        {"name": "Red Five", "selected": True},
        {"name": "Wedge", "selected": False},
    ]})

    nothing = {"found": "nothing", "executable": "untouched", "keptBackup": None,
               "missionsRemoved": 0, "missionsLeft": [], "finished": True}
    check("repair --json with nothing to repair", document("repair"),
          {"tie": nothing, "xvt": None, "bop": None, "xwa": nothing})
    # A backup an older version left beside a build the player installed since.
    with open(os.path.join(xwa, "XWINGALLIANCE.EXE"), "wb") as file:
        file.write(b"the player's build")
    with open(os.path.join(xwa, "VNTL___.tmp"), "wb") as file:
        file.write(b"an older build....")
    status, out, err = run("--json", "repair", "xwa")
    check("repair --json xwa exit status", status, 0)
    kept = os.path.join(xwa, "XWINGALLIANCE.EXE.before-vantrel")
    check("repair --json xwa", json.loads(out.decode("utf-8")), {"xwa": {
        "found": "old-backup", "executable": "changed-since", "keptBackup": kept,
        "missionsRemoved": 0, "missionsLeft": [], "finished": True}})
    check("repair says what it kept", err.startswith(b"vantrel: A backup of the executable"), True)

    status, out, err = run("load", "--json", "x.kzm")
    check("load --json is refused", (status, out), (2, b""))
    check("load --json says why", err.splitlines()[0],
          b"vantrel: load has no --json output (folders, battles, pilots, repair and inspect have)")

script_checks.finish("json")
