#!/usr/bin/python3
"""Drives shirl.html in headless Chromium (selenium, chromedriver) and checks
that the page converts as shirl-cli does: every golden case, the example,
the shared sample logs, a batch, a damaged list, the party detection, the
award view of the golden logbook against shirl-cli award; a
report of 400,000 rows in a batch, a batch that keeps its settings and is
cancelled, two logs of one output name, the zip of a batch (unpacked with
unzip), the guide, a drop, the contrast of WARNING rows and links in light
and dark; that it requests nothing beyond its own file; prints the page's
speed against shirl-cli's on one large log (a figure, never a check); and
takes the screenshots to look at. page_state_checks.py holds the checks of the page's state: buttons that say
why, the logbook refused when chosen, each log's party, Cancel, memory over ten runs, long tasks, dark mode.

Usage: test_page.py --page shirl.html --cli shirl-cli --source DIR --work DIR [--samples DIR] [--bench LOG]
                    [--only NAME,...]"""
import argparse
import base64
import json
import pathlib
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
import types

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

import page_state_checks

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def start_browser(downloads, profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", f"--user-data-dir={profile}", "--window-size=1280,900"):
        options.add_argument(flag)
    options.add_experimental_option("prefs", {
        "download.default_directory": str(downloads), "download.prompt_for_download": False,
        "profile.default_content_setting_values.automatic_downloads": 1})
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(downloads)})
    return driver


class Page:
    def __init__(self, driver, url, downloads):
        self.driver, self.url, self.downloads = driver, url, downloads

    def load(self):
        self.driver.get(self.url)
        self.wait(lambda d: d.find_element(By.ID, "status").text.startswith("Ready"), 60)

    def wait(self, condition, seconds=120):
        WebDriverWait(self.driver, seconds, poll_frequency=0.1).until(condition)

    def choose(self, element_id, paths):
        chooser = self.driver.find_element(By.ID, element_id)
        chooser.clear()  # a new choice, not more files
        chooser.send_keys("\n".join(str(p) for p in paths))

    def choose_logs(self, paths):
        """Chooses the logs and waits for their detection; returns the State list's value."""
        self.choose("logs", paths)
        def detected(driver):
            names = driver.execute_script("return [...document.querySelectorAll('#log-names > li')].map(e => e.textContent)")
            return len(names) == len(paths) and not any("looking for its party" in name for name in names)
        self.wait(detected)
        return Select(self.driver.find_element(By.ID, "selection")).first_selected_option.get_attribute("value")

    def start(self, logs, selection=None, lists=(), replace=False, mobile=True):
        """Chooses the logs and settings and presses Convert."""
        self.load()
        for old in self.downloads.iterdir():
            old.unlink()
        self.choose_logs(logs)
        if selection:
            Select(self.driver.find_element(By.ID, "selection")).select_by_value(selection)
        if lists:
            self.driver.find_element(By.CSS_SELECTOR, "#lists-box summary").click()
            self.choose("lists", lists)
            self.driver.find_element(By.ID, "replace" if replace else "extend").click()
        box = self.driver.find_element(By.ID, "mobile")
        if box.is_selected() != mobile:
            box.click()
        self.driver.find_element(By.ID, "convert").click()

    def finished(self, count=None):
        """Waits for the run's end (every report filled in); returns the number of results."""
        self.wait(lambda d: d.find_element(By.ID, "convert").is_enabled() and
                  (count is None or len(d.find_elements(By.CSS_SELECTOR, "#results article")) == count), 900)
        return len(self.driver.find_elements(By.CSS_SELECTOR, "#results article"))

    def convert(self, logs, selection=None, lists=(), replace=False, mobile=True, rows=True):
        """Converts the logs; returns one dict per log: name, error, output, report, shown, bytes."""
        self.start(logs, selection, lists, replace, mobile)
        self.finished(len(logs))
        return self.results(rows)

    def results(self, rows=True):
        """The results on screen, their files downloaded (the rows shown read only with `rows`)."""
        results = []
        for article in self.driver.find_elements(By.CSS_SELECTOR, "#results article"):
            result = {"name": article.find_element(By.TAG_NAME, "h2").text, "error": None, "output": None,
                      "report": self.driver.execute_script("return arguments[0].reportText", article),
                      "shown": [li.get_attribute("textContent") for li in article.find_elements(By.CSS_SELECTOR, "li")]
                      if rows else None,
                      "timing": json.loads(article.get_attribute("data-timing") or "{}")}
            errors = article.find_elements(By.CLASS_NAME, "error")
            if errors:
                result["error"] = errors[0].get_attribute("textContent")
            else:
                link = article.find_element(By.TAG_NAME, "a")
                result["output"] = link.get_attribute("download")
                result["bytes"] = self.download(link)
                map_link = article.find_element(By.CLASS_NAME, "map-link")
                result["map name"] = map_link.get_attribute("download")
                result["map label"] = map_link.get_attribute("aria-label")
                result["map"] = self.download(map_link)
                report_link = article.find_element(By.CLASS_NAME, "report-link")
                result["report name"] = report_link.get_attribute("download")
                result["report file"] = self.download(report_link)
                result["map titles"] = len(article.find_elements(By.CSS_SELECTOR, ".map svg title"))
            results.append(result)
        return results

    def download(self, link):
        """Clicks the download link; returns the file's bytes."""
        link.click()
        target = self.downloads / link.get_attribute("download")
        # Chromium writes NAME.crdownload and may hold the final name before it is complete.
        self.wait(lambda d: target.exists() and not any(self.downloads.glob("*.crdownload")), 120)
        data = target.read_bytes()
        target.unlink()
        return data


def run_cli(cli, work, log, args, lists=()):
    """shirl-cli convert ARGS on a copy of the log named as the page names it:
    (report or error text, output bytes or None)."""
    folder = pathlib.Path(tempfile.mkdtemp(dir=work))
    shutil.copy(log, folder / log.name)
    for item in lists:
        shutil.copy(item, folder / item.name)
    stem, dot, suffix = log.name.rpartition(".")
    if (log.read_bytes()[:64].lstrip().upper().startswith(b"START-OF-LOG:")):
        suffix = "adi"  # the ADIF log made from a Cabrillo log
    output = f"{stem}-converted.{suffix}" if dot and stem else log.name + "-converted"
    done = subprocess.run([str(cli), "convert", *args, log.name, output], cwd=folder, capture_output=True)
    written = (folder / output).read_bytes() if (folder / output).exists() else None
    shutil.rmtree(folder)
    if done.returncode != 0:
        # The page names its State list where shirl-cli names its option; the rest is the same.
        text = done.stderr.decode("utf-8", "replace").rstrip("\n").replace(
            "; choose one with --selection.", "; choose one in the State list.")
        return text, None
    return done.stdout.decode("utf-8", "replace"), written


def same_as_cli(what, result, expected):
    text, written = expected
    if written is None:
        check(result["error"] == text, f"{what}: the page's error equals shirl-cli's ({result['error']!r})")
        return
    check(result["error"] is None and result.get("bytes") == written,
          f"{what}: output equals shirl-cli's byte for byte ({len(result.get('bytes') or '')} and {len(written)} bytes)")
    check(result["report"] == text, f"{what}: report equals shirl-cli's")
    check(result.get("report file") == text.encode(), f"{what}: the report's download equals shirl-cli's report")
    if result["shown"] is not None:
        check("\n".join(result["shown"]) + "\n" == text.replace("\r", " "), f"{what}: the rows shown are the report's")


def page_options(args):
    """The page's settings for a golden case's shirl-cli options."""
    options = {"selection": None, "lists": [], "replace": False, "mobile": True}
    words = shlex.split(args)
    for i, word in enumerate(words):
        if word == "--selection":
            options["selection"] = "auto" if words[i + 1].lower() == "auto" else words[i + 1].upper()
        elif word == "--no-mobile":
            options["mobile"] = False
        elif word == "--list":
            options["lists"].append(words[i + 1])
        elif word == "--list-mode":
            options["replace"] = words[i + 1] == "replace"
    return options


def test_golden_cases(page, cli, source, work):
    page.load()
    offered = {o.get_attribute("value") for o in Select(page.driver.find_element(By.ID, "selection")).options}
    for case in sorted(p for p in (source / "tests/data/golden").iterdir() if p.is_dir()):
        args = (case / "args").read_text().strip()
        options = page_options(args)
        if options["selection"] and options["selection"] not in offered:
            # As in the window, the State list offers only the parties and states of its order.
            print(f"skip golden {case.name}: the State list offers no {options['selection']}", flush=True)
            continue
        # A Cabrillo case (input.log) converts in the page as through shirl-cli.
        given = case / "input.log" if (case / "input.log").exists() else case / "input.adi"
        log = work / "golden" / case.name / f"{case.name}{given.suffix}"
        log.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(given, log)
        lists = [case / name for name in options["lists"]]
        [result] = page.convert([log], options["selection"], lists, options["replace"], options["mobile"])
        same_as_cli(f"golden {case.name} ({args})", result, run_cli(cli, work, log, shlex.split(args), lists))


def test_detection(page, source):
    page.load()
    value = page.choose_logs([source / "examples/alabama-qso-party.adi"])
    check(value == "AL", f"the example's CONTEST_ID preselects Alabama (State list shows {value!r})")
    Select(page.driver.find_element(By.ID, "selection")).select_by_value("SD")
    value = page.choose_logs([source / "tests/data/golden/selection-auto-salmon-run/input.adi"])
    check(value == "SD", "a State the user picked stays when another log is chosen")


def test_detection_words(page, work):
    """A file that is no log is named when chosen; logs without a party ask for a State."""
    empty, picture = work / "empty.adi", work / "picture.png"
    empty.write_bytes(b"")
    picture.write_bytes(b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR picture bytes")
    page.load()
    page.choose_logs([empty, picture])
    names = page.driver.execute_script("return [...document.querySelectorAll('#log-names li')].map(e => e.textContent)")
    check(len(names) == 2 and all("is neither an ADIF log nor a Cabrillo log" in name for name in names),
          f"an empty file and a picture are named as no log ({names})")
    unnamed = [work / "no-party-1.adi", work / "no-party-2.adi"]
    for log in unnamed:
        log.write_text("<CALL:4>K1AB <QSO_DATE:8>20240101 <TIME_ON:4>1200 <BAND:3>20M <MODE:2>CW <CNTY:3>AUT <EOR>\n")
    value = page.choose_logs(unnamed)
    hint = page.driver.find_element(By.ID, "detected").text
    check(value == "" and "choose the State or QSO party" in hint and "no-party-1.adi" in hint,
          f"two logs without a party ask for a State and name them ({value!r}: {hint!r})")


def write_warning_log(path, rows):
    """A log whose every QSO names a county no Selection has: one WARNING row each."""
    record = b"<CALL:4>K1AB <QSO_DATE:8>20240101 <TIME_ON:4>1200 <BAND:3>20M <MODE:2>CW <CNTY:3>XQZ <EOR>\n"
    with open(path, "wb") as out:
        out.write(b"Warnings\n<EOH>\n")
        for _ in range(rows // 1000):
            out.write(record * 1000)
        out.write(record * (rows % 1000))


def report_state(page):
    """Per result: the report's rows, the rows drawn in the page, whether its download is offered."""
    return page.driver.execute_script(
        "return [...document.querySelectorAll('#results article')].map(a => ({"
        " rows: Number((a.querySelector('.report') || {dataset: {}}).dataset.rows || 0),"
        " drawn: a.querySelectorAll('.report li').length, link: !!a.querySelector('a.output-link')}))")


def test_big_report(page, cli, source, work):
    """A report of 400,000 rows in a batch: the page draws the rows in view, offers the download, answers,
    and converts the log after it."""
    big = work / "big" / "warnings.adi"
    big.parent.mkdir(exist_ok=True)
    write_warning_log(big, 400000)
    example = source / "examples/alabama-qso-party.adi"
    page.start([big, example], "AL")
    count = page.finished(2)
    state = report_state(page)
    expected = run_cli(cli, work, big, ["--selection", "AL"])
    check(count == 2 and state[0]["link"] and state[0]["rows"] == expected[0].count("\n") > 400000,
          f"the report of {state[0]['rows']} rows is offered with its download, and the next log converted")
    check(0 < state[0]["drawn"] < 1000, f"only the rows in view are in the page ({state[0]['drawn']})")
    page.driver.execute_script("const r = document.querySelector('#results .report'); r.scrollTop = r.scrollHeight")
    time.sleep(0.5)  # a frame to draw in; what is drawn is checked, not how soon
    last = page.driver.execute_script(
        "return [...document.querySelectorAll('#results article:first-child .report li')].map(e => e.textContent)")
    rows = expected[0].split("\n")
    check(last and last == rows[len(rows) - 1 - len(last):-1],
          f"scrolled to its end, the report shows its last rows ({last[-2:] if last else last})")
    warnings = page.driver.execute_script("return document.querySelectorAll('#results li.warning').length")
    check(warnings > 10, f"WARNING rows are marked as such ({warnings} in view)")
    results = page.results(rows=False)
    same_as_cli("the 400,000-row report", results[0], expected)
    same_as_cli("the log after it", results[1], run_cli(cli, work, example, ["--selection", "AL"]))


def test_locked_and_cancelled(page, source, work):
    """A run keeps the settings it started with (the controls are locked) and Cancel stops after the current log."""
    big = work / "big" / "warnings.adi"
    if not big.exists():
        big.parent.mkdir(exist_ok=True)
        write_warning_log(big, 400000)
    example = source / "examples/alabama-qso-party.adi"
    page.start([big, example, pathlib.Path(shutil.copy(example, work / "big" / "copy.adi"))], "AL")
    locked = page.driver.execute_script(
        "return document.getElementById('controls').disabled && document.getElementById('selection').matches(':disabled')")
    check(locked, "the settings are locked while the batch runs")
    page.driver.execute_script("""const s = document.getElementById('selection');
        s.value = 'FL'; s.dispatchEvent(new Event('change'));
        document.getElementById('mobile').click();""")
    page.driver.find_element(By.ID, "cancel").click()
    time.sleep(0.3)  # progress lines come meanwhile; each must still say that the run stops
    stopping = page.driver.find_element(By.ID, "status").text
    check("the run stops after this log" in stopping or "Cancelled" in stopping,
          f"the status says the run stops after the current log until it does ({stopping!r})")
    count = page.finished()
    status = page.driver.find_element(By.ID, "status").text
    check(count == 1 and "Cancelled" in status, f"Cancel stops after the current log ({count} result: {status!r})")
    report = page.driver.execute_script("return document.querySelector('#results article').reportText")
    check("Converted 0 Alabama counties." in report, "the log converted with the State the run started with")


def test_name_clash_and_zip(page, cli, source, work):
    """X.adi and X.log (Cabrillo) in one batch download under numbered names; Download all zips them all."""
    folder = work / "clash"
    folder.mkdir()
    adif = pathlib.Path(shutil.copy(source / "examples/alabama-qso-party.adi", folder / "X.adi"))
    cabrillo = pathlib.Path(shutil.copy(source / "tests/data/golden/cabrillo-florida-party/input.log", folder / "X.log"))
    results = page.convert([adif, cabrillo], "auto")
    names = [(r["output"], r["map name"], r["report name"]) for r in results]
    check(names == [("X-converted.adi", "X-converted-map.svg", "X-converted-report.txt"),
                    ("X-converted-2.adi", "X-converted-2-map.svg", "X-converted-2-report.txt")],
          f"the later log of one name is numbered, its map and report alike ({names})")
    check(results[0]["map label"] != results[1]["map label"] and "X.log" in results[1]["map label"],
          f"each map link names its log ({results[1]['map label']!r})")
    page.driver.find_element(By.ID, "download-all").click()
    target = page.downloads / "converted-logs.zip"
    page.wait(lambda d: target.exists() and not any(page.downloads.glob("*.crdownload")), 120)
    unpacked = work / "unzipped"
    done = subprocess.run(["unzip", "-q", "-o", str(target), "-d", str(unpacked)], capture_output=True)
    check(done.returncode == 0, f"unzip takes the page's zip ({done.stderr.decode().strip()})")
    listing = subprocess.run(["unzip", "-v", str(target)], capture_output=True, text=True).stdout
    check(" Stored " in listing and " Defl" not in listing, "every file of the zip is stored")
    expected = {}
    for r in results:
        expected.update({r["output"]: r["bytes"], r["map name"]: r["map"], r["report name"]: r["report file"]})
    got = {f.name: f.read_bytes() for f in unpacked.iterdir()} if unpacked.is_dir() else {}
    check(got == expected, f"the zip holds each output, map and report byte for byte ({sorted(got)})")


def contrast(page, selector, colour="color"):
    """The contrast ratio of the first element matching `selector` (its text, or the `colour` property named)
    against its background."""
    return page.driver.execute_script("""
        const lum = (c) => { const v = c.match(/[\\d.]+/g).slice(0, 3).map(Number).map((x) => x / 255)
            .map((x) => x <= 0.03928 ? x / 12.92 : ((x + 0.055) / 1.055) ** 2.4);
            return 0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2]; };
        const e = document.querySelector(arguments[0]);
        if (!e) return 0;
        let b = e, bg = 'rgba(0, 0, 0, 0)';
        if (arguments[1] !== 'color') b = e.parentElement;  // a border or fill against what lies behind it
        while (b && /rgba\\(.*, 0\\)$/.test(bg = getComputedStyle(b).backgroundColor)) b = b.parentElement;
        if (!b) bg = getComputedStyle(document.documentElement).backgroundColor;
        const [x, y] = [lum(getComputedStyle(e)[arguments[1]]), lum(bg)];
        return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);""", selector, colour)


def test_display(page, source, work):
    """WARNING rows and map links readable in light and dark; earlier results marked; the guide; a drop;
    screenshots of both schemes at 1280 and 360 px."""
    log = work / "display" / "one-warning.adi"
    log.parent.mkdir()
    write_warning_log(log, 1)
    for scheme in ("light", "dark"):
        page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
        for width in (1280, 360):
            page.driver.set_window_size(width, 900)
            page.convert([log, source / "examples/alabama-qso-party.adi"], "AL", rows=False)
            for selector in (".report li.warning", "a.map-link", "#help", ".report li"):
                ratio = contrast(page, selector)
                check(ratio >= 4.5, f"{selector} has contrast {ratio:.1f}:1 in {scheme} mode")
            Select(page.driver.find_element(By.ID, "selection")).select_by_value("FL")
            outdated = page.driver.execute_script(
                "return !document.getElementById('outdated').hidden && "
                "document.getElementById('results').classList.contains('outdated')")
            check(outdated, f"results are marked outdated once the State changes ({scheme}, {width} px)")
            shot = page.driver.execute_cdp_cmd("Page.captureScreenshot", {
                "captureBeyondViewport": True, "clip": {"x": 0, "y": 0, "width": width, "scale": 1,
                "height": page.driver.execute_script("return document.documentElement.scrollHeight")}})
            (work / f"page-{scheme}-{width}.png").write_bytes(base64.b64decode(shot["data"]))
    page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
    page.driver.set_window_size(1280, 900)
    page.load()
    page.driver.find_element(By.ID, "help").click()
    opened = page.driver.execute_script(
        "const g = document.getElementById('guide'); return g.open && g.textContent.includes('user guide')")
    check(opened, "Help opens the guide inside the page")
    page.driver.find_element(By.ID, "guide-close").click()
    page.driver.execute_script("""const t = new DataTransfer();
        t.items.add(new File(['<CALL:4>K1AB <EOR>'], 'dropped.adi'));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: t, bubbles: true}));""")
    shown = page.driver.execute_script("return [...document.getElementById('logs').files].map(f => f.name)")
    check(shown == ["dropped.adi"], f"the file box shows the dropped log ({shown})")


def test_speed_figure(page, cli, source, work):
    """The page's time against shirl-cli's on one large generated log: printed, never checked."""
    log = work / "speed" / "log.adi"
    log.parent.mkdir()
    subprocess.run([sys.executable, str(source / "bench/gen_log.py"), "--qsos", "160000", "--seed", "1",
                    "--out", str(log)], check=True)
    # The figure of a warmed-up run of each (the second).
    for _ in range(2):
        start = time.monotonic()
        # The page converts on one thread: it is held against shirl-cli's one-thread path.
        subprocess.run([str(cli), "convert", "--selection", "AL", "--threads", "1", str(log),
                        str(work / "speed" / "out.adi")], capture_output=True, check=True)
        cli_seconds = time.monotonic() - start
        page.start([log], "AL")
        page.finished(1)
        article = page.driver.find_element(By.CSS_SELECTOR, "#results article")
        if not article.get_attribute("data-timing"):
            check(False, f"the large log converts in the page ({article.text[:300]!r})")
            return
        timing = json.loads(article.get_attribute("data-timing"))
        page_seconds = int(page.driver.find_element(By.ID, "results").get_attribute("data-run-ms")) / 1000
    print(f"speed: {log.stat().st_size / 1e6:.0f} MB log: page {page_seconds:.2f} s from Convert to the report shown "
          f"(in the worker, ms: {timing}), shirl-cli --threads 1 {cli_seconds:.2f} s: the page takes "
          f"{page_seconds / cli_seconds:.1f} times as long", flush=True)


def test_damaged_list(page, cli, source, work):
    damaged = work / "SD.csv"
    damaged.write_text("abbreviation,state,county\nOGLA,SD,Shannon\nJKSN,SD\n")
    log = source / "tests/data/golden/list-extend-south-dakota/input.adi"
    [result] = page.convert([log], "SD", [damaged])
    expected = run_cli(cli, work, log, ["--selection", "SD", "--list", "SD.csv"], [damaged])
    check(expected[1] is None and "line 3" in expected[0], f"shirl-cli refuses the damaged list ({expected[0]!r})")
    same_as_cli("damaged list", result, expected)


def test_batch(page, cli, source, work):
    logs = [source / "examples/alabama-qso-party.adi",
            source / "tests/data/golden/selection-auto-salmon-run/input.adi",
            source / "tests/data/golden/srx-string-county/input.adi"]
    logs[1:] = [shutil.copy(log, work / f"batch-{i}.adi") for i, log in enumerate(logs[1:])]
    logs = [pathlib.Path(log) for log in logs]
    # One of them names no party: the page asks for one, and "From each log's CONTEST_ID" is chosen.
    results = page.convert(logs, "auto")
    check([r["name"] for r in results] == [log.name for log in logs], "a batch of three gives three reports in order")
    for log, result in zip(logs, results):
        same_as_cli(f"batch {log.name}", result, run_cli(cli, work, log, ["--selection", "auto"]))


def test_samples(page, cli, samples, work):
    logs = sorted(p for p in samples.iterdir() if p.suffix.lower() in (".adi", ".adif"))
    check(len(logs) == 37, f"37 sample logs ({len(logs)})")
    for code, group in (("KS", [p for p in logs if "ksqp" in p.name]), ("MULTI", [p for p in logs if "ksqp" not in p.name])):
        for log, result in zip(group, page.convert(group, code)):
            same_as_cli(f"sample {log.name} ({code})", result, run_cli(cli, work, log, ["--selection", code]))


def test_example_and_screenshots(page, cli, source, work):
    log = source / "examples/alabama-qso-party.adi"
    for width in (360, 1280):
        page.driver.set_window_size(width, 900)
        [result] = page.convert([log])
        same_as_cli(f"the example at {width} px", result, run_cli(cli, work, log, ["--selection", "AL"]))
        map_file = work / f"example-map-{width}.svg"
        run_cli(cli, work, log, ["--selection", "AL", "--map", str(map_file)])
        golden = source / "tests/data/golden/example-alabama-qso-party/expected-map.svg"
        check(result["map"] == map_file.read_bytes() == golden.read_bytes(),
              f"the example's map at {width} px equals shirl-cli's --map byte for byte ({len(result['map'])} bytes)")
        check(result["map titles"] == golden.read_text().count("<title>"),
              f"the map in the page keeps every tooltip ({result['map titles']})")
        height = page.driver.execute_script("return document.documentElement.scrollHeight")
        page.driver.set_window_size(width, min(height + 100, 4000))
        scroll = page.driver.execute_script("return document.documentElement.scrollWidth")
        check(scroll <= width, f"nothing wider than the window at {width} px ({scroll} px)")
        # The whole page, also what lies below the window (the map).
        height = page.driver.execute_script("return document.documentElement.scrollHeight")
        shot = page.driver.execute_cdp_cmd("Page.captureScreenshot", {
            "captureBeyondViewport": True, "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1}})
        (work / f"page-{width}.png").write_bytes(base64.b64decode(shot["data"]))
    unlabelled = page.driver.execute_script(
        "return [...document.querySelectorAll('input, select, button, ol')].filter(e => !(e.labels && e.labels.length)"
        " && !e.getAttribute('aria-label') && !e.textContent.trim()).map(e => e.id || e.tagName)")
    check(unlabelled == [], f"every control has a label ({unlabelled})")


def test_fill_cases(page, cli, source, work):
    """Each case of tests/data/fill filled in the page as shirl-cli fill fills it."""
    for case in sorted(p for p in (source / "tests/data/fill").iterdir() if p.is_dir()):
        args = shlex.split((case / "args").read_text().strip())
        contest = case / "input.log" if (case / "input.log").exists() else case / "input.adi"
        for lines in ("copies", "usaca"):
            page.load()
            for old in page.downloads.iterdir():
                old.unlink()
            page.choose_logs([contest])
            options = page_options(" ".join(args))
            Select(page.driver.find_element(By.ID, "selection")).select_by_value(options["selection"])
            Select(page.driver.find_element(By.ID, "county-lines")).select_by_value(lines)
            page.choose("logbook", [case / "logbook.adi"])
            button = page.driver.find_element(By.ID, "fill-button")
            page.wait(lambda d: button.is_enabled())
            button.click()
            page.wait(lambda d: d.find_elements(By.CSS_SELECTOR, "#fill-result article") and button.is_enabled())
            article = page.driver.find_element(By.CSS_SELECTOR, "#fill-result article")
            report = page.driver.execute_script("return arguments[0].reportText", article)
            written = page.download(article.find_element(By.TAG_NAME, "a"))
            folder = pathlib.Path(tempfile.mkdtemp(dir=work))
            shutil.copy(contest, folder / contest.name)
            shutil.copy(case / "logbook.adi", folder / "logbook.adi")
            done = subprocess.run([str(cli), "fill", *args, "--county-lines", lines, "--from", contest.name,
                                   "logbook.adi", "logbook-filled.adi"], cwd=folder, capture_output=True)
            expected = (folder / "logbook-filled.adi").read_bytes()
            shutil.rmtree(folder)
            what = f"fill {case.name} ({lines})"
            check(done.returncode == 0 and written == expected, f"{what}: the filled logbook equals shirl-cli's")
            check(report == done.stdout.decode("utf-8", "replace"), f"{what}: report equals shirl-cli's")


def test_award(page, cli, source, work):
    """The award view of the golden logbook equals shirl-cli award's report, needed list and map byte for byte,
    at 1280 and 360 px (screenshots award-WIDTH.png); a file that is no log is refused with shirl-cli's fault."""
    logbook = source / "tests/data/award/usaca-spellings/input.adi"
    folder = pathlib.Path(tempfile.mkdtemp(dir=work))
    shutil.copy(logbook, folder / logbook.name)
    done = subprocess.run([str(cli), "award", "--needed", "input-needed.csv", "--map", "input-award-map.svg",
                           logbook.name], cwd=folder, capture_output=True)
    check(done.returncode == 0, f"shirl-cli award runs on the golden logbook ({done.stderr!r})")
    expected = {"report-link": ("input-award.txt", done.stdout),
                "needed-link": ("input-needed.csv", (folder / "input-needed.csv").read_bytes()),
                "map-link": ("input-award-map.svg", (folder / "input-award-map.svg").read_bytes())}
    for width in (1280, 360):
        page.driver.set_window_size(width, 900)
        page.load()
        for old in page.downloads.iterdir():
            old.unlink()
        page.choose("award-logbook", [logbook])
        page.wait(lambda d: d.find_elements(By.CSS_SELECTOR, "#award-result article"))
        article = page.driver.find_element(By.CSS_SELECTOR, "#award-result article")
        report = page.driver.execute_script("return arguments[0].reportText", article)
        check(report == done.stdout.decode(), f"award at {width} px: the report equals shirl-cli award's")
        totals = article.find_element(By.CLASS_NAME, "award-totals").text
        check(totals.splitlines() == done.stdout.decode().split("\n\n")[0].splitlines(),
              f"award at {width} px: the totals shown are the report's first lines ({totals!r})")
        for link_class, (name, data) in expected.items():
            link = article.find_element(By.CLASS_NAME, link_class)
            got = page.download(link)
            check(link.get_attribute("download") == name and got == data,
                  f"award at {width} px: {name} equals shirl-cli's byte for byte ({len(got)} and {len(data)} bytes)")
        titles = len(article.find_elements(By.CSS_SELECTOR, ".map svg title"))
        check(titles == expected["map-link"][1].count(b"<title>"), f"the award map keeps every tooltip ({titles})")
        height = page.driver.execute_script("return document.documentElement.scrollHeight")
        page.driver.set_window_size(width, min(height + 100, 4000))
        scroll = page.driver.execute_script("return document.documentElement.scrollWidth")
        check(scroll <= width, f"award: nothing wider than the window at {width} px ({scroll} px)")
        height = page.driver.execute_script("return document.documentElement.scrollHeight")
        shot = page.driver.execute_cdp_cmd("Page.captureScreenshot", {
            "captureBeyondViewport": True, "clip": {"x": 0, "y": 0, "width": width, "height": height, "scale": 1}})
        (work / f"award-{width}.png").write_bytes(base64.b64decode(shot["data"]))
    notes = folder / "notes.txt"
    notes.write_text("no QSOs here\n")
    refused = subprocess.run([str(cli), "award", notes.name], cwd=folder, capture_output=True)
    page.choose("award-logbook", [notes])
    page.wait(lambda d: "Not tallied" in d.find_element(By.ID, "award-status").text)
    shown = page.driver.find_element(By.CSS_SELECTOR, "#award-result .error").get_attribute("textContent")
    links = page.driver.find_elements(By.CSS_SELECTOR, "#award-result a")
    check(refused.returncode != 0 and shown in refused.stderr.decode() and not links,
          f"award: a file that is no log is refused as shirl-cli refuses it ({shown!r})")
    shutil.rmtree(folder)


def test_no_network(driver, page_url):
    urls = set()
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        # The browser's own pages (its new-tab page) are not the page's.
        if message["method"] == "Network.requestWillBeSent" and \
                not message["params"].get("documentURL", "").startswith("chrome://"):
            urls.add(message["params"]["request"]["url"])
    others = sorted(u for u in urls if u != page_url and not u.startswith(("blob:", "data:")))
    check(page_url in urls and others == [], f"no request beyond the page's own file ({others})")


def bench(page, log):
    """Converts the large log in the page; prints MB/s (a benchmark, not a test)."""
    page.load()
    page.choose_logs([log])
    Select(page.driver.find_element(By.ID, "selection")).select_by_value("AL")
    start = time.monotonic()
    page.driver.find_element(By.ID, "convert").click()
    time.sleep(3)
    # The page answers while the worker converts.
    asked = time.monotonic()
    status = page.driver.execute_script("return document.getElementById('status').textContent")
    print(f"bench: after 3 s the page answers in {time.monotonic() - asked:.3f} s and shows {status!r}")
    page.driver.save_screenshot(str(page.downloads.parent / "page-converting.png"))
    page.wait(lambda d: d.find_elements(By.CSS_SELECTOR, "#results article"), 3600)
    seconds = time.monotonic() - start
    print(f"bench: {log.stat().st_size} bytes in {seconds:.2f} s: {log.stat().st_size / seconds / 1e6:.1f} MB/s")


def main():
    parser = argparse.ArgumentParser()
    for name in ("page", "cli", "source", "work"):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    parser.add_argument("--samples", type=pathlib.Path)
    parser.add_argument("--bench", type=pathlib.Path)
    parser.add_argument("--only", help="the tests to run, by name, comma-separated (all when not given)")
    args = parser.parse_args()
    work = args.work.resolve()
    shutil.rmtree(work, ignore_errors=True)
    (work / "downloads").mkdir(parents=True)
    driver = start_browser(work / "downloads", work / "profile")
    try:
        url = args.page.resolve().as_uri()
        driver.get_log("performance")  # what the browser did before it opened the page
        page = Page(driver, url, work / "downloads")
        if args.bench:
            bench(page, args.bench.resolve())
            return 0
        source, cli = args.source.resolve(), args.cli.resolve()
        samples = args.samples.resolve() if args.samples and args.samples.is_dir() else None
        helpers = types.SimpleNamespace(check=check, cli=cli, run_cli=run_cli, same_as_cli=same_as_cli,
                                        write_warning_log=write_warning_log, contrast=contrast)
        tests = [
            ("example", lambda: test_example_and_screenshots(page, cli, source, work)),
            ("detection", lambda: test_detection(page, source)),
            ("golden", lambda: test_golden_cases(page, cli, source, work)),
            ("damaged-list", lambda: test_damaged_list(page, cli, source, work)),
            ("batch", lambda: test_batch(page, cli, source, work)),
            ("fill", lambda: test_fill_cases(page, cli, source, work)),
            ("award", lambda: test_award(page, cli, source, work)),
            ("detection-words", lambda: test_detection_words(page, work)),
            ("name-clash", lambda: test_name_clash_and_zip(page, cli, source, work)),
            ("display", lambda: test_display(page, source, work)),
            ("big-report", lambda: test_big_report(page, cli, source, work)),
            ("locked", lambda: test_locked_and_cancelled(page, source, work)),
            ("speed", lambda: test_speed_figure(page, cli, source, work)),
            ("buttons", lambda: page_state_checks.test_buttons_and_logbook(page, helpers, source, work)),
            ("parties", lambda: page_state_checks.test_parties_and_faults(page, helpers, source, work)),
            ("cancel", lambda: page_state_checks.test_cancel_single(page, helpers, source, work)),
            ("long-report", lambda: page_state_checks.test_long_report_tasks(page, helpers, work)),
            ("dark-drop", lambda: page_state_checks.test_dark_and_drop(page, helpers, source, work)),
            ("memory", lambda: page_state_checks.test_memory(page, helpers, source, work)),
            ("samples", lambda: test_samples(page, cli, samples, work) if samples else
             print("skip the sample logs: no folder", args.samples)),
        ]
        for name, run in tests:
            if not args.only or name in args.only.split(","):
                run()
        if not args.only:
            test_no_network(driver, url)
    finally:
        driver.quit()
    print(f"{len(failures)} failed" if failures else "all page tests passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
