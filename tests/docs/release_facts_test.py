#!/usr/bin/env python3
"""What the documents say of the release agrees with the source tree:
- the guide's contents list names every section (## heading) in order, each
  with its heading's text and anchor;
- the version is CMakeLists.txt's wherever a file names one (NEWS, the
  release file names in the README and the guide), and the release date is
  one day in NEWS, the Debian changelog and the AppStream data, the
  changelog's weekday the right one;
- every APRS-IS passcode the guide gives for a callsign is that callsign's
  passcode, as tests/cli/passcode_reference.py computes it.
Usage: release_facts_test.py SOURCE_DIR. Prints each disagreement; exits 1
if any."""
import email.utils
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "cli"))
from doc_links_test import slug  # noqa: E402
from passcode_reference import passcode  # noqa: E402


def read(root, name):
    with open(os.path.join(root, name), encoding="utf-8") as f:
        return f.read()


def outside_fences(text):
    fenced = False
    for line in text.splitlines():
        if re.match(r"^\s*```", line):
            fenced = not fenced
        elif not fenced:
            yield line


def check_contents(guide, failures):
    lines = list(outside_fences(guide))
    sections = [line[3:].strip() for line in lines if line.startswith("## ")]
    listed = []
    for line in lines:
        if line.startswith("## "):
            break
        match = re.match(r"^- \[(.*)\]\(#([^)]*)\)\s*$", line)
        if match:
            listed.append((match.group(1), match.group(2)))
    wanted = [(section, slug(section)) for section in sections]
    if listed != wanted:
        for text, anchor in listed:
            if (text, anchor) not in wanted:
                failures.append(f"guide contents: [{text}](#{anchor}) is no section heading")
        for text, anchor in wanted:
            if (text, anchor) not in listed:
                failures.append(f"guide contents: section \"{text}\" (#{anchor}) is not listed")
        if sorted(listed) == sorted(wanted):
            failures.append("guide contents: the sections are listed in another order")


def check_version_and_date(root, failures):
    version = re.search(r"project\(\w+ VERSION (\d+\.\d+\.\d+)", read(root, "CMakeLists.txt"))
    version = version.group(1)
    news = re.search(r"^## (\S+) \((\d{4}-\d\d-\d\d)\)$", read(root, "NEWS.md"), re.M)
    if not news:
        failures.append("NEWS.md: the first release heading is not \"## VERSION (YYYY-MM-DD)\"")
        return
    if news.group(1) != version:
        failures.append(f"NEWS.md names {news.group(1)} first, CMakeLists.txt {version}")
    dates = {"NEWS.md": news.group(2)}

    changelog = read(root, "packaging/changelog.in")
    if not changelog.startswith("vardex-configurator (@PROJECT_VERSION@) "):
        failures.append("changelog.in: its first entry does not take the project's version")
    stamp = re.search(r"^ -- \S.*?  (\w{3}, .*)$", changelog, re.M).group(1)
    when = email.utils.parsedate_to_datetime(stamp)
    dates["changelog.in"] = when.date().isoformat()
    if not stamp.startswith(when.strftime("%a, ")):
        failures.append(f"changelog.in: {stamp} is a {when.strftime('%A')}")

    metainfo = read(root, "packaging/io.github.vardex.Configurator.metainfo.xml.in")
    release = re.search(r'<release version="([^"]*)" date="([^"]*)"', metainfo)
    if release.group(1) != "@PROJECT_VERSION@":
        failures.append(f"AppStream: the release is {release.group(1)}, not the project's version")
    dates["AppStream"] = release.group(2)
    if len(set(dates.values())) != 1:
        failures.append(f"the release dates differ: {dates}")

    for name in ["README.md", "docs/guide.md", "sim/README.md"]:
        for found in re.findall(r"vardex-configurator[_-](\d+\.\d+\.\d+)|vardex-(\d+\.\d+\.\d+)-"
                                r"windows|\(VARDEX Configurator\) (\d+\.\d+\.\d+)", read(root, name)):
            named = "".join(found)
            if named != version:
                failures.append(f"{name} names version {named}, CMakeLists.txt {version}")


def check_passcodes(guide, failures):
    """Pairs of a callsign and the passcode the guide gives it: a recipe's
    Username and Password lines, and "vardex passcode CALL" with what it
    prints."""
    pairs = []
    login = None
    for line in guide.splitlines():
        username = re.search(r"Username = ([A-Za-z0-9-]+)", line)
        password = re.search(r"Password = (-?\d+)", line)
        if username:
            login = username.group(1)
        if password and login:
            pairs.append((login, int(password.group(1))))
        if re.match(r"^\s*```", line):
            login = None
    flat = re.sub(r"\s+", " ", guide)
    for call, code in re.findall(r"vardex passcode ([A-Za-z0-9-]+)`? prints (\d+)", flat):
        pairs.append((call, int(code)))
    for call, code in re.findall(r"\$ vardex passcode ([A-Za-z0-9-]+) (\d+)", flat):
        pairs.append((call, int(code)))
    if len(pairs) < 3:
        failures.append(f"guide: only {len(pairs)} passcodes found: {pairs}")
    for call, code in pairs:
        if code != passcode(call):
            failures.append(f"guide: {code} given as the passcode of {call}, "
                            f"which is {passcode(call)}")
    return pairs


def main():
    root = sys.argv[1]
    guide = read(root, "docs/guide.md")
    failures = []
    check_contents(guide, failures)
    check_version_and_date(root, failures)
    pairs = check_passcodes(guide, failures)
    for failure in failures:
        print("FAIL", failure)
    if not failures:
        print(f"contents, version, date and {len(pairs)} passcodes agree: {pairs}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
