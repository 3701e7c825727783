"""The page's state checks, run by test_page.py: the reason of a disabled button, the logbook refused when
chosen, each log's party before Convert, the real fault first, Cancel of a single log, memory over ten runs
of a 50 MB log, a long report without a long main-thread task, dark map and borders, a drop during a run.
Each function takes the page and `t`, the test's helpers (check, run_cli, write_warning_log, contrast)."""
import os
import pathlib
import shutil
import subprocess
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select


def js(page, script, *args):
    return page.driver.execute_script(script, *args)


def big_log(source, work):
    """The 50 MB generated log, made once."""
    log = work / "speed" / "log.adi"
    if not log.exists():
        log.parent.mkdir(exist_ok=True)
        subprocess.run([sys.executable, str(source / "bench/gen_log.py"), "--qsos", "160000", "--seed", "1",
                        "--out", str(log)], check=True)
    return log


def reasons(page):
    """Each of Convert and Fill: (disabled, the reason shown beside it, its title)."""
    return js(page, """return ['convert', 'fill-button'].map((id) => { const b = document.getElementById(id),
        why = document.getElementById(id === 'convert' ? 'convert-why' : 'fill-why');
        return [b.disabled, why.hidden ? '' : why.textContent, b.title]; });""")


def choose_logbook(page, path):
    page.choose("logbook", [path])
    page.wait(lambda d: "being read" not in (reasons(page)[1][1]))


def test_buttons_and_logbook(page, t, source, work):
    """A disabled button says why; Fill is refused for what is no logbook when it is chosen, offered again
    after a run with a mid-sized report, and takes a logbook of the contest log's name from another folder."""
    page.load()
    (convert, fill) = reasons(page)
    t.check(convert[0] and convert[1] == convert[2] and "log" in convert[1] and fill[0] and fill[1],
            f"with nothing chosen, Convert and Fill are disabled and say why ({convert[1]!r}, {fill[1]!r})")
    folder = work / "logbooks"
    (folder / "other").mkdir(parents=True)
    random_bytes, empty, header = folder / "random.adi", folder / "empty.adi", folder / "header.adi"
    random_bytes.write_bytes(os.urandom(65536))
    empty.write_bytes(b"")
    header.write_text("Exported by a logger\n<ADIF_VER:5>3.1.4 <EOH>\n")
    case = source / "tests/data/fill" / sorted(p.name for p in (source / "tests/data/fill").iterdir())[0]
    contest = next(case / n for n in ("input.adi", "input.log") if (case / n).exists())
    words = (case / "args").read_text().split()
    code = words[words.index("--selection") + 1]
    page.choose_logs([contest])
    Select(page.driver.find_element(By.ID, "selection")).select_by_value(code)
    for logbook in (random_bytes, empty):
        choose_logbook(page, logbook)
        fill = reasons(page)[1]
        t.check(fill[0] and f"{logbook.name} is not an ADIF log." in fill[1],
                f"a logbook of {logbook.name} is refused when chosen ({fill[1]!r})")
    for logbook, named in ((header, "an ADIF logbook with no records"),
                           (pathlib.Path(shutil.copy(case / "logbook.adi", folder / "other" / contest.name)),
                            "a logbook named as the contest log")):
        choose_logbook(page, logbook)
        page.driver.find_element(By.ID, "fill-button").click()
        page.wait(lambda d: d.find_element(By.ID, "fill-status").text in ("Filled.", "Not filled."))
        expected = subprocess.run([str(t.cli), "fill", "--selection", code, "--from", str(contest), str(logbook),
                                   str(work / "filled.adi")], capture_output=True)
        article = page.driver.find_element(By.CSS_SELECTOR, "#fill-result article")
        written = page.download(article.find_element(By.TAG_NAME, "a")) if not js(
            page, "return !!arguments[0].querySelector('.error')", article) else None
        t.check(expected.returncode == 0 and written == (work / "filled.adi").read_bytes(),
                f"{named} is filled as shirl-cli fills it")
    choose_logbook(page, contest)
    fill = reasons(page)[1]
    t.check(fill[0] and "contest log itself" in fill[1], f"the contest log chosen as the logbook is refused ({fill[1]!r})")
    # A run whose report has 1,001-5,000 rows leaves Fill offered once it ends.
    choose_logbook(page, case / "logbook.adi")
    mid = work / "logbooks" / "mid.adi"
    t.write_warning_log(mid, 3000)
    page.choose_logs([mid])
    Select(page.driver.find_element(By.ID, "selection")).select_by_value("AL")
    page.driver.find_element(By.ID, "convert").click()
    page.finished(1)
    fill = reasons(page)[1]
    t.check(not fill[0] and fill[1] == "", f"Fill is offered after a run with a 3,000-row report ({fill!r})")


def log_notes(page):
    return js(page, "return [...document.querySelectorAll('#log-names > li')].map(e => e.textContent)")


def test_parties_and_faults(page, t, source, work):
    """Each log's party shown before Convert, a mismatch offered per log; the real fault first; in a batch
    only the log that needs a State fails for it."""
    florida = source / "tests/data/golden/cabrillo-florida-party/input.log"
    page.load()
    Select(page.driver.find_element(By.ID, "selection")).select_by_value("KS")
    page.choose_logs([florida])
    [note] = log_notes(page)
    t.check("converts as Kansas" in note and "names Florida" in note and "convert this log as Florida" in note,
            f"a Florida log with Kansas chosen says so before Convert and offers Florida ({note!r})")
    page.driver.find_element(By.ID, "own-0").click()
    [note] = log_notes(page)
    t.check(note.startswith("input.log (converts as Florida"), f"ticked, the log converts as Florida ({note!r})")
    page.driver.find_element(By.ID, "convert").click()
    page.finished(1)
    [result] = page.results()
    t.same_as_cli("the Florida log converted as its own party", result,
                  t.run_cli(t.cli, work, florida, ["--selection", "FL"]))
    folder = work / "faults"
    folder.mkdir()
    empty, utf16 = folder / "empty.adi", folder / "wide.adi"
    empty.write_bytes(b"")
    utf16.write_bytes("<CALL:4>K1AB <EOR>".encode("utf-16"))
    for log in (empty, utf16):
        [result] = page.convert([log])
        expected = t.run_cli(t.cli, work, log, ["--selection", "auto"])
        t.check(expected[1] is None and result["error"] == expected[0],
                f"{log.name} without a State is named by its own fault ({result['error']!r})")
    unnamed = folder / "unnamed.adi"
    unnamed.write_text("<CALL:4>K1AB <QSO_DATE:8>20240101 <TIME_ON:4>1200 <BAND:3>20M <MODE:2>CW <CNTY:3>AUT <EOR>\n")
    batch = [source / "examples/alabama-qso-party.adi", unnamed, florida]
    errors = [r["error"] for r in page.convert(batch)]
    t.check(errors[0] is None and errors[2] is None and errors[1] == "ERROR: You must select a state or QSO Party.",
            f"in a batch only the log that names no party fails for the State ({errors})")


def heap_and_process(page):
    """The page's JS heap after a garbage collection, and the browser's memory (all its processes), in MB."""
    page.driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
    metrics = {m["name"]: m["value"] for m in page.driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]}
    root, total = page.driver.service.process.pid, 0
    children = subprocess.run(["ps", "-e", "-o", "pid=,ppid=,rss="], capture_output=True, text=True).stdout
    rows = [tuple(map(int, line.split())) for line in children.splitlines() if line.strip()]
    family = {root}
    for _ in range(4):
        family |= {pid for pid, ppid, _ in rows if ppid in family}
    total = sum(rss for pid, _, rss in rows if pid in family and pid != root)
    return metrics["JSHeapUsedSize"] / 1e6, total / 1e3


def test_memory(page, t, source, work):
    """Ten conversions of a 50 MB log in one tab: heap and browser memory stay at the first run's level."""
    log = big_log(source, work)
    page.driver.execute_cdp_cmd("Performance.enable", {})
    page.start([log], "AL")
    figures = []
    for run in range(10):
        if run:
            page.driver.find_element(By.ID, "convert").click()
        page.wait(lambda d: js(page, "return document.getElementById('status').textContent.startsWith('Converted')"
                               " && !document.getElementById('convert').disabled"), 300)
        figures.append(heap_and_process(page))
    print("memory over ten runs of a {:.0f} MB log (JS heap MB, browser MB): {}".format(
        log.stat().st_size / 1e6, ", ".join(f"{h:.0f}/{p:.0f}" for h, p in figures)), flush=True)
    (heap1, process1), (heap10, process10) = figures[0], figures[-1]
    t.check(heap10 - heap1 < 20, f"the JS heap after ten runs is within 20 MB of the first's ({heap1:.0f} -> {heap10:.0f})")
    t.check(process10 - process1 < 100,
            f"the browser after ten runs is within 100 MB of the first's ({process1:.0f} -> {process10:.0f})")


def test_cancel_single(page, t, source, work):
    """A single large log is cancelled at once: nothing offered for it, the report says so, the next run works."""
    log = big_log(source, work)
    page.start([log], "AL")
    page.wait(lambda d: "converting" in d.find_element(By.ID, "status").text, 60)
    page.driver.find_element(By.ID, "cancel").click()
    clicked = time.monotonic()
    page.wait(lambda d: d.find_element(By.ID, "status").text.startswith("Cancelled"), 5)
    seconds = time.monotonic() - clicked
    article = js(page, "const a = document.querySelector('#results article'); return a && "
                       "[a.querySelectorAll('a').length, (a.querySelector('.cancelled') || {}).textContent]")
    t.check(seconds < 0.5 and article and article[0] == 0 and "nothing was written" in article[1],
            f"a single log is cancelled in {seconds:.2f} s with nothing offered ({article})")
    example = source / "examples/alabama-qso-party.adi"
    [result] = page.convert([example], "AL")
    t.same_as_cli("a log after a cancelled one", result, t.run_cli(t.cli, work, example, ["--selection", "AL"]))


def test_long_report_tasks(page, t, work):
    """A 220,000-row report arrives and shows without a main-thread task over 100 ms."""
    log = work / "big" / "220k.adi"
    log.parent.mkdir(exist_ok=True)
    t.write_warning_log(log, 220000)
    page.load()
    page.choose_logs([log])
    Select(page.driver.find_element(By.ID, "selection")).select_by_value("AL")
    # From Convert on: the run, the result's arrival, its report drawn.
    js(page, """window.longest = 0; new PerformanceObserver((list) => { for (const e of list.getEntries())
        window.longest = Math.max(window.longest, e.duration); }).observe({ type: 'longtask' });""")
    page.driver.find_element(By.ID, "convert").click()
    page.finished(1)
    longest = js(page, "return window.longest")
    start = time.monotonic()
    subprocess.run([str(t.cli), "convert", "--selection", "AL", "--threads", "1", str(log), str(work / "big" / "out.adi")],
                   capture_output=True)
    cli_ms = (time.monotonic() - start) * 1000
    print(f"speed: 220,000-row report: page {int(page.driver.find_element(By.ID, 'results').get_attribute('data-run-ms'))}"
          f" ms from Convert to the report shown, shirl-cli --threads 1 {cli_ms:.0f} ms (a figure, not a check)", flush=True)
    # 100 ms on a machine where shirl-cli converts this log in 0.4 s; a machine shared with other work is
    # slower in both alike.
    bound = 100 * max(1.0, cli_ms / 400)
    t.check(longest < bound, f"no main-thread task over {bound:.0f} ms for a 220,000-row report (longest {longest:.0f} ms)")


def test_dark_and_drop(page, t, source, work):
    """Borders and outdated rows readable, the map on a dark panel in dark mode; a file dropped during a run
    is chosen when it ends; the guide tells of Fill and county lines."""
    log, long_log = work / "display" / "one-warning.adi", work / "big" / "220k.adi"
    for made, rows in ((log, 1), (long_log, 220000)):
        if not made.exists():
            made.parent.mkdir(exist_ok=True)
            t.write_warning_log(made, rows)
    for scheme in ("light", "dark"):
        page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": [{"name": "prefers-color-scheme", "value": scheme}]})
        page.convert([log, source / "examples/alabama-qso-party.adi"], "AL", rows=False)
        Select(page.driver.find_element(By.ID, "selection")).select_by_value("FL")
        ratio = t.contrast(page, "#results.outdated .report li.warning")
        t.check(ratio >= 4.5, f"an outdated WARNING row has contrast {ratio:.1f}:1 in {scheme} mode")
        border = t.contrast(page, "#download-all", "borderTopColor")
        t.check(border >= 3, f"a button's border has contrast {border:.1f}:1 in {scheme} mode")
        ground = t.contrast(page, ".map svg > rect", "fill")
        dark_ground = js(page, "return getComputedStyle(document.querySelector('.map svg > rect')).fill")
        t.check((scheme == "dark") == (dark_ground != "rgb(255, 255, 255)"),
                f"the map's ground is {dark_ground} in {scheme} mode ({ground:.1f}:1 against the page)")
    page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
    page.start([long_log], "AL")
    js(page, """const t = new DataTransfer(); t.items.add(new File(['<CALL:4>K1AB <EOR>'], 'later.adi'));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: t, bubbles: true}));""")
    held = page.driver.find_element(By.ID, "held").text
    page.finished(1)
    page.wait(lambda d: log_notes(page) and log_notes(page)[0].startswith("later.adi"), 30)
    t.check("later.adi" in held and "when this run ends" in held,
            f"a file dropped during a run is said to be taken when it ends, and then is ({held!r})")
    guide = js(page, """let e = document.getElementById('guide-page'), text = '';
        while ((e = e.nextElementSibling) && !/^H[23]$/.test(e.tagName)) text += e.textContent;
        return text;""")
    t.check("Fill logbook" in guide and "County lines" in guide, "the guide's browser section tells of Fill and county lines")
