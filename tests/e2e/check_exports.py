#!/usr/bin/env python3
"""meridel-list's CSV, iCalendar and JSON files checked against its text listing of the same
request, read by parsers that are not ours: python3-icalendar and libical (through GObject
introspection) for iCalendar, Python's csv and json. Usage: check_exports.py MERIDEL_LIST

A calendar imports a transit once, so UIDs must not change with a longer period or the same birth
moment typed in another zone (and so not from one export to the next).
"""
import csv
import datetime as dt
import io
import json
import re
import subprocess
import sys

import gi
import icalendar

gi.require_version("ICalGLib", "3.0")
from gi.repository import ICalGLib  # noqa: E402

LIST = sys.argv[1]

# name, arguments, results zone in minutes east of Greenwich
CASES = [
    ("World, GMT, two passes through the middle orb",
     "--world --planet1 Jupiter --planet2 Saturn --start 2019-01-01 --end 2022-12-31", 0),
    ("World, east, open at start and end, a retrograde pass",
     "--world --planet1 Mars --planet2 Saturn --start 2021-01-01 --end 2023-12-31 --orbs 8,5,3 --tz GMT+10:00", 600),
    ("World, west, half hours",
     "--world --planet1 Sun --planet2 Mercury --start 2023-01-01 --end 2023-12-31 --tz GMT-3:30", -210),
    ("Personal, tropical, west",
     "--personal --planet1 Saturn --planet2 Sun --start 2020-01-01 --end 2025-12-31 "
     "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT-5:00", -300),
    ("Personal, sidereal",
     "--personal --sidereal --planet1 Jupiter --planet2 Moon --start 2015-01-01 --end 2020-12-31 "
     "--birth 1975-03-02 --birth-time 06:35 --birth-tz GMT-5:00 --tz GMT-5:00 --orbs 7,4,2", -300),
    ("Personal, east, half hours, three exact hits in one pass, open at start and end",
     "--personal --planet1 Pluto --planet2 Sun --start 2016-01-01 --end 2020-12-31 "
     "--birth 1970-01-10 --birth-time 12:00 --birth-tz GMT+5:30 --tz GMT+5:30", 330),
    ("All planets against Saturn, one run each",
     "--world --planet1 Mars --planet2 Saturn --start 2024-01-01 --end 2024-12-31 --all-planets 0", 0),
    ("World, within the middle orb all year",
     "--world --planet1 Neptune --planet2 Pluto --start 2024-01-01 --end 2024-12-31", 0),
]

# Requests whose UIDs must come again in the second: (name, first, second, the same events).
IDENTITIES = [
    ("A longer period updates the events of a shorter one",
     "--personal --planet1 Saturn --planet2 Sun --start 2022-03-01 --end 2023-02-28 "
     "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00",
     "--personal --planet1 Saturn --planet2 Sun --start 2021-06-01 --end 2023-12-31 "
     "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00", False),
    ("The birth moment typed in another zone, on the next day there",
     "--personal --planet1 Saturn --planet2 Sun --start 2022-03-01 --end 2023-02-28 "
     "--birth 1990-06-15 --birth-time 15:00 --birth-tz GMT+2:00 --tz GMT+2:00",
     "--personal --planet1 Saturn --planet2 Sun --start 2022-03-01 --end 2023-02-28 "
     "--birth 1990-06-16 --birth-time 00:00 --birth-tz GMT+11:00 --tz GMT+2:00", True),
    ("A World transit cut by the period",
     "--world --planet1 Jupiter --planet2 Saturn --start 2020-12-15 --end 2021-03-31",
     "--world --planet1 Jupiter --planet2 Saturn --start 2019-01-01 --end 2022-12-31", False),
    ("A chart's transits and sky events in a longer period",
     "--personal --chart --sidereal --start 2025-03-10 --end 2025-05-20 --tz GMT+5:30 "
     "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00",
     "--personal --chart --sidereal --start 2024-11-01 --end 2025-12-31 --tz GMT+5:30 "
     "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00", False),
]
ORB_WORDS = ["outer", "middle", "inner"]

VERBS = {"Conjunction": "conjunct", "Opposition": "opposite", "Square": "square", "Trine": "trine",
         "Sextile": "sextile"}
MONTHS = {m: i + 1 for i, m in enumerate(
    ["jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"])}

failures = []


def check(condition, case, what):
    if not condition:
        failures.append(f"{case}: {what}")
    return condition


def run(arguments):
    out = subprocess.run([LIST] + arguments.split(), capture_output=True, check=True)
    return out.stdout


# ---- the text listing, read on its own ----

def cell(text):
    """A date cell: (date, exact, retrograde) or None."""
    text = text.strip()
    if not text:
        return None
    return (dt.date.fromisoformat(text[:10]), "*" in text, text.endswith("r"))


def parse_row(line):
    return {
        "aspect": line[0:12].strip(),
        "enters": [cell(line[14 + 12 * k:26 + 12 * k]) for k in range(3)],  # outer, middle, inner
        "at": cell(line[52:64]),
        "leaves": [cell(line[66 + 12 * k:78 + 12 * k]) for k in (2, 1, 0)],  # outer, middle, inner
        "minimum": line[104:],
        "line": line,
    }


def long_date(text):
    month, day, year = re.match(r"(\w+)\.? (\d+), (\d+)", text).groups()
    return dt.date(int(year), MONTHS[month[:3].lower()], int(day))


def parse_listing(text):
    runs = []
    lines = text.split("\r\n")
    for i, line in enumerate(lines):
        world = line.startswith("World transits for ")
        if world or " transits of natal " in line:
            if world:
                p1, p2 = re.match(r"World transits for (\w+) and (\w+) from", line).groups()
                start, end = re.search(r" from (\w+\.? \d+, \d+), to (\w+\.? \d+, \d+)", line).groups()
            else:
                p1, p2, start, end = re.match(r"(\w+) transits of natal (\w+), (.+?), to (.+?), birth at", line).groups()
            orbs = [int(d) for d in re.findall(r"Start (\d+)°", lines[i + 1])]
            runs.append({"heading": line, "world": world, "p1": p1, "p2": p2, "start": long_date(start),
                         "end": long_date(end), "orbs": orbs, "rows": []})
        elif runs and len(line) >= 104 and line[12:14] == "| " and not line.startswith("Aspect "):
            runs[-1]["rows"].append(parse_row(line))
    for r in runs:
        r["transits"] = []
        aspect = None
        for row in r["rows"]:
            if row["aspect"] or row["enters"][0] or not r["transits"]:
                aspect = row["aspect"] or aspect
                r["transits"].append({"aspect": aspect, "rows": []})
            r["transits"][-1]["rows"].append(row)
        for t in r["transits"]:
            first = t["rows"][0]
            t["first"] = first["enters"][0][0] if first["enters"][0] else r["start"]
            t["last"] = first["leaves"][0][0] if first["leaves"][0] else r["end"]
            t["title"] = f"{r['p1']} {VERBS[t['aspect']]} {'' if r['world'] else 'natal '}{r['p2']}"
            t["hits"] = [(row["at"][0], row["minimum"].split(" ", 1)[0], row["at"][2])
                         for row in t["rows"] if row["at"] and row["at"][1]]
            # A row holding nothing but an exact hit is a further hit of the pass above it.
            t["passes"] = []
            for row in t["rows"]:
                if not t["passes"] or not (row["at"] and row["at"][1] and not any(row["enters"] + row["leaves"])):
                    t["passes"].append([])
                t["passes"][-1].append(row)
    return runs


def ut_of(date, clock, zone):
    local = dt.datetime.combine(date, dt.time.fromisoformat(clock))
    return (local - dt.timedelta(minutes=zone)).replace(tzinfo=dt.timezone.utc)


def degrees_text(degrees):
    """Degrees as the listing writes a deviation: 4°42'."""
    d = int(degrees + 0.00001)
    m = round((degrees - d) * 60)
    return f"{d}°{m}'" if m < 60 else f"{d + 1}°0'"


# ---- iCalendar ----

def libical_errors(text):
    calendar = ICalGLib.Component.new_from_string(text)
    if calendar is None:
        return ["libical could not read the calendar"]
    errors = [] if calendar.check_restrictions() else ["RFC 5545 restrictions not met"]
    # libical notes what it could not read as X-LIC-ERROR properties of the component.
    return errors + [line for line in calendar.as_ical_string().split("\r\n") if line.startswith("X-LIC-ERROR")]


def expected_description_lines(r, t, zone_text):
    lines = []
    dated = lambda c: c[0].isoformat() + (f", {r['p1']} retrograde" if c[2] else "")
    for row in t["rows"]:
        for k in range(3):
            if row["enters"][k]:
                lines.append(f"Enters {r['orbs'][k]}° orb: {dated(row['enters'][k])}")
            if row["leaves"][k]:
                lines.append(f"Leaves {r['orbs'][k]}° orb: {dated(row['leaves'][k])}")
        if row["at"] and row["at"][1]:
            lines.append(f"Exact: {row['at'][0].isoformat()} {row['minimum'].split(' ', 1)[0]} {zone_text} (")
        elif row["at"]:
            lines.append(f"Closest: {row['at'][0].isoformat()}, {row['minimum']}")
    return lines


def held_in_description(description, r, began):
    """The orbs a description says were held when the period began (or still when it ended)."""
    for line in description:
        m = re.match(r"(Already|Still) within the (.+) orbs? when the period (began|ended) on (\S+)\.$", line)
        if m and (m.group(3) == "began") == began:
            date = (r["start"] if began else r["end"]).isoformat()
            if m.group(4) != date:
                return None
            degrees = [int(d) for d in re.findall(r"(\d+)°", m.group(2))]
            return [ORB_WORDS[r["orbs"].index(d)] for d in degrees]
    return []


def check_ics(case, raw, runs, zone, zone_text):
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""), case, "iCalendar lines end in CR LF")
    long_lines = [line for line in raw.split(b"\r\n") if len(line) > 75]
    check(not long_lines, case, f"iCalendar lines over 75 octets: {long_lines[:1]}")
    text = raw.decode("utf-8")
    errors = libical_errors(text)
    check(not errors, case, f"libical reports {errors[:3]}")

    calendar = icalendar.Calendar.from_ical(raw)
    events = list(calendar.walk("VEVENT"))
    check(all(e.get("DTSTAMP") and e.get("UID") for e in events), case, "every event has DTSTAMP and UID")
    check(len({str(e["UID"]) for e in events}) == len(events), case, "UIDs are unique")

    all_day = sorted((str(e["SUMMARY"]), e["DTSTART"].dt, e["DTEND"].dt, str(e["DESCRIPTION"]))
                     for e in events if type(e["DTSTART"].dt) is dt.date)
    timed = sorted((e["DTSTART"].dt, str(e["SUMMARY"])) for e in events if type(e["DTSTART"].dt) is dt.datetime)
    want_all_day, want_timed = [], []
    for r in runs:
        for t in r["transits"]:
            want_all_day.append((t["title"], t["first"], t["last"] + dt.timedelta(days=1), r, t))
            for i, (date, clock, _) in enumerate(t["hits"]):
                count = f" ({i + 1} of {len(t['hits'])})" if len(t["hits"]) > 1 else ""
                want_timed.append((ut_of(date, clock, zone), f"{t['title']} exact{count}"))
    want_all_day.sort(key=lambda w: w[:3])
    check([w[:3] for w in want_all_day] == [e[:3] for e in all_day], case,
          f"all-day events {[e[:3] for e in all_day][:3]} against the listing's transits {[w[:3] for w in want_all_day][:3]}")
    held = {}
    for want, event in zip(want_all_day, all_day):
        description = event[3].split("\n")
        for line in expected_description_lines(want[3], want[4], zone_text):
            check(any(d.startswith(line) for d in description), case, f"{event[0]} {event[1]}: no '{line}' in {description}")
        r, t = want[3], want[4]
        at_start, at_end = held_in_description(description, r, True), held_in_description(description, r, False)
        # The outer orb is held at an end exactly when the listing gives no day for it there.
        check(("outer" in at_start) == (not t["rows"][0]["enters"][0]), case, f"{event[0]} {event[1]}: held at start {at_start}")
        check(("outer" in at_end) == (not t["rows"][0]["leaves"][0]), case, f"{event[0]} {event[1]}: held at end {at_end}")
        held[(t["title"], t["first"])] = (at_start, at_end)
    check(sorted(want_timed) == timed, case, f"exact-hit events {timed[:3]} against the listing's {sorted(want_timed)[:3]}")
    # Calendar programs give an event without an end their default hour: a hit lasts its minute.
    for e in events:
        if type(e["DTSTART"].dt) is dt.datetime:
            check("DTEND" in e and e["DTEND"].dt - e["DTSTART"].dt == dt.timedelta(minutes=1), case,
                  f"{e['SUMMARY']}: DTEND a minute after DTSTART")
    return held


# ---- CSV ----

def check_csv(case, raw, runs, zone, zone_text, held):
    check(raw.endswith(b"\r\n"), case, "CSV records end in CR LF")
    rows = list(csv.DictReader(io.StringIO(raw.decode("utf-8"), newline="")))
    listing_rows = [(ri, ti, pi, t, row) for ri, r in enumerate(runs) for ti, t in enumerate(r["transits"])
                    for pi, p in enumerate(t["passes"]) for row in p]
    if not check(len(rows) == len(listing_rows), case, f"{len(rows)} CSV rows for {len(listing_rows)} listing rows"):
        return
    columns = [("enters outer", "enters", 0), ("enters middle", "enters", 1), ("enters inner", "enters", 2),
               ("leaves inner", "leaves", 2), ("leaves middle", "leaves", 1), ("leaves outer", "leaves", 0)]
    for got, (ri, ti, pi, t, row) in zip(rows, listing_rows):
        r = runs[ri]
        where = f"CSV row {got['run']},{got['transit']},{got['pass']} for '{row['line']}'"
        check((int(got["run"]), int(got["transit"]), int(got["pass"])) == (ri + 1, ti + 1, pi + 1), case,
              where + ": run, transit and pass numbers")
        check((got["planet 1"], got["planet 2"], got["aspect"]) == (r["p1"], r["p2"], t["aspect"].lower()), case,
              where + ": pair and aspect")
        offset = f"UTC{'-' if zone < 0 else '+'}{abs(zone) // 60:02d}:{abs(zone) % 60:02d}"
        zodiac = "sidereal" if r["heading"].endswith("(sidereal)") else "tropical"
        orbs = [int(got[f"{w} orb"]) for w in ORB_WORDS]
        check((got["mode"], got["zodiac"], got["zone"], got["utc offset"], got["period start"], orbs) ==
              ("World" if r["world"] else "Personal", zodiac, zone_text, offset, r["start"].isoformat(), r["orbs"]),
              case, where + ": mode, zodiac, zone, period, orbs")
        retrograde = set(filter(None, got["retrograde"].split("; ")))
        # The orbs held at the period's ends, on the transit's first row, as the calendar says.
        first_row = row is t["rows"][0]
        start_held, end_held = held.get((t["title"], t["first"]), ([], []))
        check(got["within at start"] == ("; ".join(start_held) if first_row else ""), case,
              f"{where}: within at start {got['within at start']!r} against {start_held}")
        check(got["within at end"] == ("; ".join(end_held) if first_row else ""), case,
              f"{where}: within at end {got['within at end']!r} against {end_held}")
        for name, side, k in columns:
            c = row[side][k]
            check(got[name] == (c[0].isoformat() if c else ""), case, f"{where}: {name} {got[name]!r}")
            check((name in retrograde) == bool(c and c[2]), case, f"{where}: retrograde mark of {name}")
        at = row["at"]
        if at and at[1]:
            clock = row["minimum"].split(" ", 1)[0]
            check(got["exact local"] == f"{at[0].isoformat()} {clock}", case, where + ": exact local")
            ut = dt.datetime.fromisoformat(got["exact ut"]).replace(tzinfo=dt.timezone.utc)
            check(ut == ut_of(at[0], clock, zone), case, where + ": exact ut")
            check(("exact local" in retrograde) == at[2], case, where + ": retrograde mark of the hit")
            check(got["closest"] == "", case, where + ": a hit has no closest approach")
        elif at:
            check(got["closest"] == at[0].isoformat(), case, where + ": closest")
            check(degrees_text(float(got["closest deviation"])) == row["minimum"], case,
                  f"{where}: deviation {got['closest deviation']} against {row['minimum']}")
        else:
            check(got["closest"] == got["exact local"] == "", case, where + ": neither closest nor exact")


# ---- JSON ----

def check_json(case, raw, runs, zone, held):
    data = json.loads(raw.decode("utf-8"))
    if not check(len(data["runs"]) == len(runs), case, "one JSON run per listing run"):
        return
    for got_run, r in zip(data["runs"], runs):
        check(got_run["heading"] == r["heading"], case, "JSON heading")
        check(got_run["request"]["orbs"] == r["orbs"], case, "JSON orbs")
        if not check(len(got_run["transits"]) == len(r["transits"]), case, "JSON transits"):
            continue
        for got, t in zip(got_run["transits"], r["transits"]):
            where = f"JSON transit {got['title']} {got['firstDay']}"
            check((got["title"], got["firstDay"], got["lastDay"]) == (t["title"], t["first"].isoformat(),
                                                                     t["last"].isoformat()), case, where)
            check(got["inOrbAtStart"] == (t["rows"][0]["enters"][0] is None), case, where + ": inOrbAtStart")
            check(got["inOrbAtEnd"] == (t["rows"][0]["leaves"][0] is None), case, where + ": inOrbAtEnd")
            start_held, end_held = held.get((t["title"], t["first"]), ([], []))
            check((got["withinAtStart"], got["withinAtEnd"]) == (start_held, end_held), case,
                  f"{where}: within {got['withinAtStart']}, {got['withinAtEnd']} against {start_held}, {end_held}")
            check([p["listing"] for p in got["passes"]] == [[row["line"] for row in p] for p in t["passes"]], case,
                  where + ": its passes hold the listing's rows")
            hits = [h for p in got["passes"] for h in p["hits"]]
            check([(h["date"], h["time"], h["retrograde"]) for h in hits] ==
                  [(d.isoformat(), c, rr) for d, c, rr in t["hits"]], case, where + ": exact hits")
            for h in hits:
                ut = dt.datetime.fromisoformat(h["ut"].replace("Z", "+00:00"))
                check(ut == dt.datetime.fromisoformat(h["local"]), case, where + ": local and UT are one moment")
                check(ut == ut_of(dt.date.fromisoformat(h["date"]), h["time"], zone), case, where + ": UT of the hit")
                jd_ut = dt.datetime(2000, 1, 1, 12, tzinfo=dt.timezone.utc) + dt.timedelta(days=h["julianDay"] - 2451545)
                check(abs((jd_ut - ut).total_seconds()) < 1, case, where + ": julianDay")


def main():
    checked = 0
    for case, arguments, zone in CASES:
        text = run(arguments).decode("utf-8")
        runs = parse_listing(text)
        if not check(runs and any(r["transits"] for r in runs), case, "the listing has transits"):
            continue
        zone_text = arguments.split("--tz ")[1].split()[0] if "--tz " in arguments else "GMT"
        held = check_ics(case, run(arguments + " --format ics"), runs, zone, zone_text)
        check_csv(case, run(arguments + " --format csv"), runs, zone, zone_text, held)
        check_json(case, run(arguments + " --format json"), runs, zone, held)
        checked += sum(len(t["rows"]) for r in runs for t in r["transits"])
    for case, first, second, same in IDENTITIES:
        uid_sets = []
        for arguments in (first, second):
            raw = run(arguments + " --format ics")
            errors = libical_errors(raw.decode("utf-8"))
            check(not errors, case, f"libical reports {errors[:3]}")
            calendar = icalendar.Calendar.from_ical(raw)
            uid_sets.append({str(e["UID"]) for e in calendar.walk("VEVENT")})
        check(uid_sets[0] and (uid_sets[0] == uid_sets[1] if same else uid_sets[0] <= uid_sets[1]), case,
              f"UIDs {sorted(uid_sets[0] - uid_sets[1])} of the first export not in the second")
    for failure in failures[:40]:
        print("FAILED", failure)
    print(f"{len(CASES)} requests, {checked} listing rows checked in CSV, iCalendar and JSON; "
          f"{len(IDENTITIES)} pairs of requests for their UIDs; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
