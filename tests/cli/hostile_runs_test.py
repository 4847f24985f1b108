#!/usr/bin/env python3
"""vantrel run as a hostile or unlucky user runs it, with real processes: two loads into
one launcher folder at once, an operation while another one holds the installation's
lock, a hundred concurrent `folders set`, damaged settings files, a settings file
exported by the registry editor (UTF-16LE), and links planted where vantrel creates
files. Prints "hostile runs: N passed, M failed" and fails when any check does.

usage: hostile_runs_test.py VANTREL
"""
import fcntl
import os
import random
import shutil
import subprocess
import sys
import tempfile
import threading

import script_checks
from script_checks import check

vantrel = sys.argv[1]
BUSY = (b"VNTL: Another Vantrel operation is running in this installation."
        b" Try again when it has ended.\n")


def run(*words, env=None):
    return script_checks.run(vantrel, *words, env=env)


def read(path):
    with open(path, "rb") as file:
        return file.read()


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data)


def listing(folder):
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else None


def pack(scratch, name, game, prefix, count):
    """A package of `count` small missions PREFIXnn.tie and a readme, packed by vantrel."""
    folder = os.path.join(scratch, name)
    rng = random.Random(name)
    for i in range(count):
        write(os.path.join(folder, f"{prefix}{i:02}.tie"), rng.randbytes(3000))
    write(os.path.join(folder, "Readme.txt"), f"readme of {name}".encode())
    status, _, err = run("pack", "--game", game, "--name", name, "--key", "90", folder)
    check(f"pack {name}", (status, err), (0, b""))
    return folder + ".kzm", sorted(["Battle.kzb"] + [f"{prefix}{i:02}.tie" for i in range(count)])


def hold_lock(path):
    """Takes the lock a Vantrel operation takes, as another process would hold it."""
    descriptor = os.open(path, os.O_RDWR | os.O_CREAT, 0o666)
    fcntl.flock(descriptor, fcntl.LOCK_EX)
    return descriptor


def operations(scratch):
    launcher = os.path.join(scratch, "launcher")
    xvt = os.path.join(scratch, "XVT")
    xwa = os.path.join(scratch, "XWA")
    for folder in (launcher, xvt, xwa):
        os.makedirs(folder)
    for name, folder in (("launcher", launcher), ("xvt", xvt), ("xwa", xwa)):
        run("folders", "set", name, folder)
    alpha, alpha_files = pack(scratch, "Alpha", "xvt", "a", 40)
    omega, omega_files = pack(scratch, "Omega", "xwa", "o", 40)

    # Two loads at once: each loads whole, one after the other, or says another runs;
    # never a mix of the two, never missions left unpacked in Temp.
    for attempt in range(4):
        for game in (xvt, xwa):
            shutil.rmtree(os.path.join(game, "KZMISS"), ignore_errors=True)
        loads = [subprocess.Popen([vantrel, "load", package], stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE) for package in (alpha, omega)]
        results = [(load.wait(), load.stderr.read()) for load in loads]
        for (status, err), game, files in ((results[0], xvt, alpha_files),
                                           (results[1], xwa, omega_files)):
            if status == 0:
                check(f"load {attempt} into {game}", listing(os.path.join(game, "KZMISS")), files)
            else:
                check(f"load {attempt} refused", (status, err), (1, BUSY))
        check(f"load {attempt} leaves no Temp", listing(os.path.join(launcher, "Temp")), None)
        for load in loads:
            load.stdout.close()
            load.stderr.close()

    # While another process holds the lock, a load, a play, a repair and a pilot change
    # each wait, then refuse and change nothing: the holder's play in progress keeps its
    # journal and plain mission. One that starts just before the lock is let go waits
    # for it and runs.
    lock_path = os.path.join(launcher, "VNTL.lock")
    shutil.rmtree(os.path.join(xvt, "KZMISS"))
    live_play = {os.path.join(xvt, "VNTL___.jnl"): b"game=1\nmission=m1.tie\n",
                 os.path.join(xvt, "TRAIN", "m1.tie"): b"plain"}
    for path, data in live_play.items():
        write(path, data)
    descriptor = hold_lock(lock_path)
    commands = {"load": ["load", alpha], "play": ["play", "xvt"], "repair": ["repair"],
                "pilots create": ["pilots", "create", "Wedge"]}
    refused = {what: subprocess.Popen([vantrel, *words], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.PIPE)
               for what, words in commands.items()}
    for what, process in refused.items():
        check(f"{what} while another operation runs", (process.wait(), process.stderr.read()),
              (1, BUSY))
        process.stderr.close()
    check("the refused load staged nothing", listing(os.path.join(xvt, "KZMISS")), None)
    check("the refused pilot change wrote nothing", listing(xwa), ["KZMISS", "MISC"])
    for path, data in live_play.items():
        check(f"the live play's {os.path.basename(path)} kept", read(path), data)
        os.remove(path)
    waiting = subprocess.Popen([vantrel, "load", alpha], stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    threading.Timer(0.5, os.close, [descriptor]).start()
    check("a load waits for the operation before it", (waiting.wait(), waiting.stderr.read()),
          (0, b""))
    waiting.stderr.close()
    check("the waiting load staged whole", listing(os.path.join(xvt, "KZMISS")), alpha_files)

    # Links planted at the names of files vantrel creates: the readme a load unpacks into
    # Temp, and a plain mission a play deciphers. The links' targets stay as they were.
    victim = os.path.join(scratch, "victim.txt")
    write(victim, b"the player's own file")
    os.makedirs(os.path.join(launcher, "Temp"))
    os.symlink(victim, os.path.join(launcher, "Temp", "Readme.txt"))
    check("load over a planted readme link", run("load", alpha)[0], 0)
    check("the readme link's target", read(victim), b"the player's own file")
    check("the readme staged", read(os.path.join(xvt, "MISC", "Readme.txt")), b"readme of Alpha")
    write(os.path.join(xvt, "Z_xvt__.exe"), b"stand-in")
    os.makedirs(os.path.join(xvt, "TRAIN"), exist_ok=True)
    os.symlink(victim, os.path.join(xvt, "TRAIN", "a00.tie"))
    check("play over a planted mission link", run("--runner", "true", "play", "xvt")[0], 0)
    check("the mission link's target", read(victim), b"the player's own file")


UTF16_EXPORT = ("Windows Registry Editor Version 5.00\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL]\r\n"
                "\"Install Path\"=\"C:\\\\Program Files\\\\VNTL\"\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\TIE]\r\n"
                "\"Install Path\"=\"C:\\\\Spiele\\\\\u00c9toile\"\r\n\r\n")


def settings(scratch):
    registry = os.path.join(scratch, "settings", "registry.reg")
    env = dict(os.environ, VANTREL_REGISTRY=registry)

    # A hundred concurrent sets: every one succeeds, and each value set holds one of the
    # values written for it, next to the values nobody touched.
    write(registry, "Windows Registry Editor Version 5.00\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Kept\"=\"by hand\"\r\n\r\n".encode())
    names = ["launcher", "last-dir", "tie", "xvt", "bop", "xwa"]
    sets = [subprocess.Popen([vantrel, "folders", "set", names[i % 6], f"/v/{i}"], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for i in range(100)]
    check("100 concurrent sets succeed", [process.wait() for process in sets], [0] * 100)
    status, out, _ = run("folders", env=env)
    stored = dict(line.split("\t", 1) for line in out.decode().splitlines())
    for i, name in enumerate(names):
        check(f"{name} holds a value set for it",
              stored.get(name) in {f"/v/{k}" for k in range(i, 100, 6)}, True)
    check("the value set by hand stays", b"\"Kept\"=\"by hand\"" in read(registry), True)
    check("no temporary file stays", listing(os.path.dirname(registry)),
          ["registry.reg", "registry.reg.lock"])

    # A file that cannot be read whole is refused with its line and what is wrong there,
    # and left exactly as it is.
    damaged = [
        (b"\x9c" + random.Random(7).randbytes(200).replace(b"\0", b"?"), 1,
         "not a key, a value or a comment"),
        (b"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n"
         b"\"Install Path\"=\"C:\\\\VNTL\r\n", 4, "a quoted text without its closing quote"),
        (b"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\r\n",
         3, "a key name without its closing \"]\""),
    ]
    for data, line, what in damaged:
        write(registry, data)
        status, out, err = run("folders", "set", "tie", "/games/tie", env=env)
        check(f"damaged file, line {line}", (status, out, err), (1, b"",
              (f"vantrel: the settings file {registry} cannot be read whole and is left as it"
               f" is: line {line}: {what}\n").encode()))
        check(f"damaged file, line {line}, unchanged", read(registry), data)

    # The registry editor's export is UTF-16LE with a byte order mark; a set writes it
    # back so, with the new key and the keys above it that had no section at its end.
    write(registry, b"\xff\xfe" + UTF16_EXPORT.encode("utf-16-le"))
    check("set in a UTF-16LE file", run("folders", "set", "xwa", "/games/xwa", env=env)[0], 0)
    check("the UTF-16LE file written back", read(registry), b"\xff\xfe" + (
        UTF16_EXPORT + "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Morvain Unlimited\\VNTL\\XWA]\r\n"
        "\"Install Path\"=\"/games/xwa\"\r\n\r\n").encode("utf-16-le"))

    # A link planted at the temporary name the store used to write through.
    victim = os.path.join(scratch, "victim.reg")
    write(victim, b"the player's own file")
    os.symlink(victim, registry + ".tmp")
    check("set beside a planted link", run("folders", "set", "bop", "/games/bop", env=env)[0], 0)
    check("the temporary link's target", read(victim), b"the player's own file")


with tempfile.TemporaryDirectory() as scratch:
    os.environ["VANTREL_REGISTRY"] = os.path.join(scratch, "operations.reg")
    operations(scratch)
    settings(scratch)

script_checks.finish("hostile runs")
