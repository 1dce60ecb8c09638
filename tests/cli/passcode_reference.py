#!/usr/bin/env python3
"""vardex passcode against a computation of its own.

The hash is written here the other way round: all characters at even
positions are XORed together first (they go to the high byte), all at odd
positions after (the low byte), which gives the same passcode only when the
program pairs the characters in the right order.
"""
import subprocess
import sys

# NOCALL's passcode as xastir's callpass(1) manual publishes it.
PUBLISHED = {"nocall": 12960}


def passcode(login):
    call = login.split("-")[0].upper().encode("ascii")
    high = 0
    low = 0
    for position, code in enumerate(call):
        if position % 2 == 0:
            high ^= code
        else:
            low ^= code
    return (0x73E2 ^ (high << 8) ^ low) & 0x7FFF


def main():
    vardex = sys.argv[1]
    failures = []
    for login, published in PUBLISHED.items():
        if passcode(login) != published:
            failures.append(f"reference gives {passcode(login)} for {login}, published {published}")
    for login in ["nocall", "SP3XYZ-10", "w1aw", "DL1ABC-9", "K1A", "vk2rg-15"]:
        run = subprocess.run([vardex, "passcode", login], capture_output=True, text=True)
        printed = run.stdout.strip()
        if run.returncode != 0 or printed != str(passcode(login)):
            failures.append(f"{login}: vardex printed {printed!r} (exit {run.returncode}), "
                            f"expected {passcode(login)}")
        else:
            print(f"{login}: {printed}")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
