#!/usr/bin/env python3
"""The overview against real Analog: figures equal an independent count of the
logs, a rebuilt day replaces its figures, a renamed Site keeps them and a
deleted one loses them; --json keeps to its schema; the page opens in headless
Chromium without a console error, every link resolves and the SVG titles carry
the numbers.  Usage: overview.py MERIDAN-CLI SCHEMA"""
import atexit
import datetime
import html.parser
import json
import os
import pathlib
import random
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import urllib.parse

import jsonschema

CLI, SCHEMA = sys.argv[1], sys.argv[2]
home = pathlib.Path(tempfile.mkdtemp())
atexit.register(shutil.rmtree, home, True)
os.environ.update(HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"))
today = datetime.date.today()
yesterday = today - datetime.timedelta(days=1)
counts = {}  # day: [requests, bytes, hosts served]


def cli(*args, ok=True):
    run = subprocess.run([CLI, *args], capture_output=True, text=True)
    if ok and run.returncode:
        sys.exit(f"meridan-cli {' '.join(args)}: {run.returncode}\n{run.stderr}")
    return run.stdout


def write_day(logs, day, requests):
    """Successful page and image requests, and failures that never count."""
    rng = random.Random(day.toordinal())
    with open(logs / f"access_{day:%Y%m%d}.log", "a") as log:
        for i in range(requests):
            size = rng.randint(100, 9000)
            path = "/i.png" if i % 4 == 0 else f"/p{i % 9}.html"
            stamp = f"{day:%d/%b/%Y}:{i * 86399 // requests // 3600:02d}:{i % 60:02d}:07 +0000"
            host = f"10.1.{i % 5}.{i % 11}"
            log.write(f'{host} - - [{stamp}] "GET {path} HTTP/1.1" 200 {size} "-" "t"\n')
            log.write(f'10.2.0.1 - - [{stamp}] "GET /gone HTTP/1.1" 404 - "-" "t"\n')
            counts.setdefault(day, [0, 0, set()])
            counts[day][0] += 1
            counts[day][1] += size
            counts[day][2].add(host)


def month_sum(first, last):
    return sum(n for d, (n, _, _) in counts.items() if first <= d <= last)


cli("add", "shop")
cli("add", "x<b>&y")
cli("add", "broken")
for name in ("shop", "x<b>&y"):
    cli("set", name, "LogNameStruct=access_%yyyy%%mm%%dd%.log", "KeepPeriods=DM")
logs = home / "shop" / "stats" / "logs"
logs.mkdir(parents=True, exist_ok=True)
for back in range(70, 0, -1):
    day = today - datetime.timedelta(days=back)
    write_day(logs, day, 5 + (back * 7) % 23)
cli("set", "broken", f"Root={home}/gone")
shutil.rmtree(home / "gone")  # its update fails
cli("update", ok=False)
write_day(logs, yesterday, 3)  # yesterday's log grew: its day is read anew
cli("update", "shop")

report = json.loads(cli("overview", "--json"))
jsonschema.validate(report, json.load(open(SCHEMA)))
sites = {site["name"]: site for site in report["sites"]}
shop = sites["shop"]
assert {d["date"]: [d["requests"], d["bytes"]] for d in shop["days"]} == {
    d.isoformat(): [n, size] for d, (n, size, _) in counts.items()}, "daily figures"
# A day read on its own knows its distinct hosts; days read together, after
# the first build, do not.
hosts = {d["date"]: d["hosts"] for d in shop["days"]}
assert hosts[yesterday.isoformat()] == len(counts[yesterday][2])
assert all(hosts[d.isoformat()] in (None, len(h)) for d, (_, _, h) in counts.items())
first = today.replace(day=1)
before = (first - datetime.timedelta(days=1)).replace(day=1)
assert shop["lastMonth"] == month_sum(before, first - datetime.timedelta(days=1))
assert shop["yesterday"] == counts[yesterday][0]
if today.day > 1:
    so_far = month_sum(first, yesterday)
    same_days = min(yesterday.day, (first - before).days)  # a shorter month ends first
    then = month_sum(before, before + datetime.timedelta(days=same_days - 1))
    assert shop["monthSoFar"] == so_far
    assert abs(shop["changePercent"] - 100.0 * (so_far - then) / then) < 1e-9
assert not sites["x<b>&y"]["hasFigures"] and sites["x<b>&y"]["lastUpdate"]["failed"] is False
assert sites["broken"]["lastUpdate"]["failed"] and sites["broken"]["lastUpdate"]["problems"]

# The figures follow a renamed Site and go with a deleted one.
cli("rename", "shop", "store")
cli("rm", "x<b>&y")
after = json.loads(cli("overview", "--json"))
assert [s["name"] for s in after["sites"]] == ["broken", "store"]
assert after["sites"][1]["days"] == shop["days"]
db = sqlite3.connect(home / ".config" / "Meridan" / "settings.sqlite")
assert db.execute("SELECT count(*) FROM day_figures").fetchone()[0] == len(counts)
assert db.execute("SELECT count(*) FROM update_states").fetchone()[0] == 2

# The page: links, escaped names, numbers in the SVG titles, no console error.
cli("add", "x<b>&y")
folder = home / "overview"
cli("overview", "--html", str(folder))


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.titles, self.inside_title = [], [], False

    def handle_starttag(self, tag, attrs):
        self.links += [v for k, v in attrs if k in ("href", "src")]
        self.inside_title = tag == "title"

    def handle_data(self, data):
        if self.inside_title:
            self.titles.append(data)


for page in [folder / "index.html", *sorted((folder / "sites").iterdir())]:
    text = page.read_text()
    parsed = Page()
    parsed.feed(text)
    for link in parsed.links:
        target = page.parent / urllib.parse.unquote(link)
        assert "://" not in link and target.resolve().exists(), f"{page.name}: {link}"
    assert "<b>" not in text, "a name is escaped"
    chrome = subprocess.run(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--enable-logging=stderr",
         "--v=0", "--dump-dom", page.as_uri()], capture_output=True, text=True, timeout=120)
    assert chrome.returncode == 0 and "</table>" in chrome.stdout, chrome.stderr
    assert "CONSOLE" not in chrome.stderr and "Failed to load" not in chrome.stderr, chrome.stderr
    if page.name == "index.html":
        days = [counts.get(today - datetime.timedelta(days=back), [0])[0] for back in range(30, 0, -1)]
        wanted = "Requests a day over the last 30 days: " + ", ".join(map(str, days))
        assert wanted in parsed.titles, parsed.titles
print("overview: figures, JSON, rename, delete and page checked")
