#!/usr/bin/python3
"""Drives shirl.html in headless Chromium (selenium, chromedriver) and checks
that the page converts as shirl-cli does: every golden case, the example,
the shared sample logs, a batch, a damaged list, the party detection; that
it requests nothing beyond its own file; and takes the screenshots to look at.

Usage: test_page.py --page shirl.html --cli shirl-cli --source DIR --work DIR [--samples DIR] [--bench LOG]"""
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

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

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
            names = driver.execute_script("return [...document.querySelectorAll('#log-names li')].map(e => e.textContent)")
            return len(names) == len(paths) and all("(" in name for name in names)
        self.wait(detected)
        return Select(self.driver.find_element(By.ID, "selection")).first_selected_option.get_attribute("value")

    def convert(self, logs, selection=None, lists=(), replace=False, mobile=True):
        """Converts the logs; returns one dict per log: name, error, output, report, shown, bytes."""
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
        self.wait(lambda d: len(d.find_elements(By.CSS_SELECTOR, "#results article")) == len(logs) and
                  d.find_element(By.ID, "convert").is_enabled(), 900)
        results = []
        for article in self.driver.find_elements(By.CSS_SELECTOR, "#results article"):
            result = {"name": article.find_element(By.TAG_NAME, "h2").text, "error": None, "output": None,
                      "report": self.driver.execute_script("return arguments[0].reportText", article),
                      "shown": [li.get_attribute("textContent") for li in article.find_elements(By.CSS_SELECTOR, "li")]}
            errors = article.find_elements(By.CLASS_NAME, "error")
            if errors:
                result["error"] = errors[0].get_attribute("textContent")
            else:
                link = article.find_element(By.TAG_NAME, "a")
                result["output"] = link.get_attribute("download")
                result["bytes"] = self.download(link)
                result["map"] = self.download(article.find_element(By.CLASS_NAME, "map-link"))
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
        # The page has no --selection option to name; the rest of the message is the same.
        text = done.stderr.decode("utf-8", "replace").rstrip("\n").replace("; choose one with --selection.", ".")
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
    results = page.convert(logs)
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
        source = args.source.resolve()
        test_example_and_screenshots(page, args.cli.resolve(), source, work)
        test_detection(page, source)
        test_golden_cases(page, args.cli.resolve(), source, work)
        test_damaged_list(page, args.cli.resolve(), source, work)
        test_batch(page, args.cli.resolve(), source, work)
        test_fill_cases(page, args.cli.resolve(), source, work)
        if args.samples and args.samples.is_dir():
            test_samples(page, args.cli.resolve(), args.samples.resolve(), work)
        else:
            print("skip the sample logs: no folder", args.samples)
        test_no_network(driver, url)
    finally:
        driver.quit()
    print(f"{len(failures)} failed" if failures else "all page tests passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
