// The page: the controls, the worker that converts, the reports and the
// downloads. Nothing is sent anywhere; the logs are read and written here.
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const form = $('form'), drop = $('drop'), logsInput = $('logs'), listsInput = $('lists');
  const selection = $('selection'), mobile = $('mobile'), convertButton = $('convert'), cancelButton = $('cancel');
  const controls = $('controls'), progress = $('progress'), status = $('status'), results = $('results');
  const detectedText = $('detected'), outdated = $('outdated'), allButton = $('download-all');

  let logs = [];          // the chosen logs (File)
  let detections = [];    // per log: what it holds and the party it names (undefined while looked for)
  let ownParty = new Set(); // the logs (File) to convert as the party their CONTEST_ID names, not the State chosen
  let lists = [];         // the chosen lists (File)
  let names = new Map();  // Selection code -> name
  let picked = false;     // the State list shows the user's pick, not a detection
  let ready = false;      // the converter has started
  let busy = false;
  let cancelling = false; // the run stops after the current log
  let held = null;        // the files dropped during a run, taken when it ends
  let nextId = 0;
  let choosing = 0;       // the latest choice of logs; an older one's detection is dropped
  let shownRun = null;    // the settings of the results on screen
  let files = [];         // the files of the results on screen: {name, data (Uint8Array or text)}
  let shown = released(); // what the results on screen hold on to
  let refreshFill = () => {}; // the Fill section's part of refresh()
  const waiting = new Map(); // request id -> {resolve, progress}

  // The worker runs from this script; it is started again when a run is cancelled mid-log.
  const workerUrl = URL.createObjectURL(new Blob([$('worker-code').textContent], { type: 'text/javascript' }));
  let worker = null;

  function request(message, onProgress) {
    message.id = ++nextId;
    return new Promise((resolve) => {
      waiting.set(message.id, { resolve, onProgress });
      worker.postMessage(message);
    });
  }

  function startWorker() {
    ready = false;
    worker = new Worker(workerUrl);
    worker.onmessage = fromWorker;
    worker.onerror = (event) => setStatus('ERROR: The converter stopped: ' + (event.message || 'unknown error'));
  }

  // Ends the worker at once (a log is cancelled in the middle) and starts
  // another; each request still waiting is answered as cancelled.
  function restartWorker() {
    worker.terminate();
    for (const [id, entry] of waiting) entry.resolve({ id, cancelled: true, report: '', shown: '', rowCount: 0 });
    waiting.clear();
    startWorker();
    refresh();
  }

  function fromWorker(event) {
    const message = event.data;
    if (message.type === 'ready') {
      if (names.size === 0) {
        for (const s of message.selections) {
          names.set(s.code, s.name);
          selection.add(new Option(s.name, s.code));
        }
        setStatus('Ready. Choose or drop a log.');
      }
      ready = true;
      refresh();
      return;
    }
    if (message.type === 'failed') {
      setStatus('ERROR: This browser could not start the converter: ' + message.message);
      return;
    }
    const entry = waiting.get(message.id);
    if (!entry) return;
    if (message.type === 'progress') {
      if (entry.onProgress) entry.onProgress(message);
      return;
    }
    waiting.delete(message.id);
    entry.resolve(message);
  }
  startWorker();

  // While a run is being cancelled, every status line says so.
  function setStatus(text) {
    status.textContent = text + (busy && cancelling ? ' Cancel: the run stops after this log.' : '');
  }

  // A control's state and the reason beside it: `why` empty enables it.
  function able(button, reason, why) {
    button.disabled = why !== '';
    button.title = why;
    reason.textContent = why;
    reason.hidden = why === '';
  }

  // Every control worked out from the page's state; called whenever that changes.
  function refresh() {
    const looking = detections.length < logs.length || detections.some((d) => !d);
    controls.disabled = busy;
    selection.disabled = busy || !names.size;
    cancelButton.hidden = !busy;
    cancelButton.disabled = cancelling;
    cancelButton.title = cancelling ? 'Cancelled: the run stops after this log.' : '';
    $('locked').hidden = !busy;
    able(convertButton, $('convert-why'),
         busy ? '' : !ready ? 'Wait: the converter is starting.' : logs.length === 0 ? 'Choose or drop a log first.'
           : looking ? 'Wait: the logs are being read for their party.' : '');
    if (busy) convertButton.disabled = true;
    showLogs(looking);
    markOutdated();
    refreshFill(looking);
  }

  function showNames(listElement, chosen) {
    listElement.replaceChildren();
    for (const file of chosen) {
      const item = document.createElement('li');
      item.textContent = file.name;
      listElement.append(item);
    }
  }

  const nameOf = (code) => names.get(code) || code;

  // The party a log converts as, and what is said of it beside its name:
  // {send: the Selection code, "auto" or "", note, mismatch: the party its
  // CONTEST_ID names when that is not the State chosen}. A file that is no
  // log goes with "auto", so that its own fault is told, State or none.
  function partyOf(index) {
    const detected = detections[index], chosen = selection.value;
    if (!detected) return { send: chosen, note: 'looking for its party…' };
    if (detected.kind === 'none' || detected.kind === 'utf16') {
      return { send: 'auto', note: (detected.fault || detected.error || '').replace(/^ERROR: /, '') };
    }
    const own = detected.code;
    if (own && (ownParty.has(logs[index]) || !chosen || chosen === 'auto')) {
      return { send: chosen === 'auto' ? 'auto' : own, note: 'converts as ' + nameOf(own) + ', from its CONTEST_ID' };
    }
    if (chosen && chosen !== 'auto') {
      return { send: chosen, note: 'converts as ' + nameOf(chosen) + (own && own !== chosen
        ? ', the State chosen; its CONTEST_ID names ' + nameOf(own) : ''), mismatch: own && own !== chosen ? own : '' };
    }
    return { send: chosen, note: chosen === 'auto' ? 'its CONTEST_ID names no QSO party: choose its State'
                                                    : 'needs a State: choose one in the State list', missing: true };
  }

  // Each log's name with the party it will convert as; a log whose
  // CONTEST_ID names another party than the State chosen offers its own.
  function showLogs(looking) {
    const list = $('log-names');
    list.replaceChildren();
    for (const [i, file] of logs.entries()) {
      const item = document.createElement('li');
      const party = looking && !detections[i] ? { note: 'looking for its party…' } : partyOf(i);
      item.append(file.name + ' (' + party.note + ')');
      item.classList.toggle('needs-state', !!party.missing);
      const own = detections[i] && detections[i].code;
      if (party.mismatch || (ownParty.has(file) && own && selection.value && selection.value !== 'auto' &&
                             selection.value !== own)) {
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.id = 'own-' + i;
        box.checked = ownParty.has(file);
        box.addEventListener('change', () => {
          if (box.checked) ownParty.add(file); else ownParty.delete(file);
          refresh();
          $('own-' + i).focus();
        });
        const label = document.createElement('label');
        label.htmlFor = box.id;
        label.textContent = 'convert this log as ' + nameOf(own);
        const choice = document.createElement('div');
        choice.className = 'check own-party';
        choice.append(box, label);
        item.append(choice);
      }
      list.append(item);
    }
  }

  // The State list after a detection the user did not override: a single
  // log's party, or each log's own when every log names one; otherwise it
  // asks for a State, naming the logs that name no party.
  function offerSelection() {
    const readable = detections.filter((d) => d.kind === 'adif' || d.kind === 'cabrillo');
    const unnamed = logs.filter((file, i) => readable.includes(detections[i]) && !detections[i].code);
    if (logs.length === 1) {
      const [only] = detections;
      selection.value = only.code || '';
      detectedText.textContent = only.code ? 'Detected from the log\'s CONTEST_ID: ' + nameOf(only.code) + '.'
        : readable.length ? 'This log names no QSO party in its CONTEST_ID: choose the State or QSO party it was logged for.'
          : (only.fault || only.error || '').replace(/^ERROR: /, '');
      return;
    }
    if (unnamed.length === 0) {
      selection.value = 'auto';
      detectedText.textContent = 'Each log converts for the party its CONTEST_ID names.';
      return;
    }
    selection.value = '';
    detectedText.textContent = unnamed.length + ' of the ' + logs.length + ' logs name no QSO party in their CONTEST_ID ('
      + unnamed.map((file) => file.name).join(', ') + '): choose the State or QSO party they were logged for; '
      + 'without one, the others convert as their CONTEST_ID names.';
  }

  // New logs: each one's kind and party, shown beside its name.
  async function chooseLogs(chosen) {
    const choice = ++choosing;
    logs = Array.from(chosen);
    detections = [];
    ownParty = new Set();
    refresh();
    if (logs.length) setStatus('Looking for the party in ' + (logs.length > 1 ? logs.length + ' logs' : logs[0].name) + '…');
    for (const [i, file] of logs.entries()) {
      const detected = await request({ type: 'detect', file });
      if (choice !== choosing) return;
      if (detected.cancelled) return chooseLogs(logs);  // the worker was started again meanwhile
      detections[i] = detected;
    }
    if (logs.length) setStatus('Ready to convert.');
    if (!picked && logs.length) offerSelection();
    refresh();
  }

  function chooseLists(chosen) {
    lists = Array.from(chosen);
    showNames($('list-names'), lists);
    if (lists.length) $('lists-box').open = true;
    refresh();
  }

  // The settings a run starts with; it keeps them to its end.
  function currentSettings() {
    return { selection: selection.value, mobile: mobile.checked, lists: lists.slice(), replace: $('replace').checked,
             usaca: $('county-lines').value === 'usaca', logs: logs.slice(),
             parties: logs.map((file, i) => partyOf(i).send) };
  }

  function sameSettings(a, b) {
    const same = (x, y) => x.length === y.length && x.every((item, i) => item === y[i]);
    return a.selection === b.selection && a.mobile === b.mobile && a.replace === b.replace && a.usaca === b.usaca &&
      same(a.lists, b.lists) && same(a.logs, b.logs) && same(a.parties, b.parties);
  }

  // Results made with other settings than those now chosen are marked as such.
  function markOutdated() {
    const old = shownRun !== null && !busy && !sameSettings(shownRun, currentSettings());
    results.classList.toggle('outdated', old);
    outdated.hidden = !old;
  }

  logsInput.addEventListener('change', () => chooseLogs(logsInput.files));
  listsInput.addEventListener('change', () => chooseLists(listsInput.files));
  selection.addEventListener('change', () => {
    picked = true;
    detectedText.textContent = '';
    refresh();
  });
  for (const input of [mobile, $('extend'), $('replace'), $('county-lines')]) input.addEventListener('change', refresh);

  // The file box shows the dropped files as if they had been chosen in it.
  function showInBox(input, dropped) {
    try {
      const transfer = new DataTransfer();
      for (const file of dropped) transfer.items.add(file);
      input.files = transfer.files;
    } catch (error) {
      // A browser that cannot set them still lists the names below the box.
    }
  }

  // Dropped CSV files are lists, everything else a log.
  for (const type of ['dragenter', 'dragover']) {
    document.addEventListener(type, (event) => { event.preventDefault(); drop.classList.add('over'); });
  }
  document.addEventListener('dragleave', (event) => {
    if (event.target === document.documentElement || !event.relatedTarget) drop.classList.remove('over');
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    const dropped = Array.from(event.dataTransfer.files);
    if (busy) {
      // The run keeps the files it started with; these are the next run's.
      held = dropped;
      $('held').textContent = 'Dropped during the run: ' + dropped.map((file) => file.name).join(', ') +
        '. They are chosen when this run ends.';
      $('held').hidden = false;
      return;
    }
    takeDropped(dropped);
  });

  function takeDropped(dropped) {
    const csv = dropped.filter((file) => /\.csv$/i.test(file.name));
    const other = dropped.filter((file) => !/\.csv$/i.test(file.name));
    if (csv.length) {
      showInBox(listsInput, csv);
      chooseLists(csv);
    }
    if (other.length) {
      showInBox(logsInput, other);
      chooseLogs(other);
    }
  }

  // What the results on screen hold on to, to let go of when they are replaced.
  function released() { return { urls: [], observers: [] }; }
  function release(holder) {
    for (const url of holder.urls) URL.revokeObjectURL(url);
    for (const observer of holder.observers) observer.disconnect();
    holder.urls.length = holder.observers.length = 0;
  }

  async function copyText(text, button) {
    try {
      await navigator.clipboard.writeText(text);
      button.textContent = 'Copied';
    } catch (error) {
      button.textContent = 'Select the rows to copy them';
    }
  }

  // The run's county map, drawn by the core, as part of the page: parsed as
  // SVG (nothing in it runs), its tooltips kept.
  function countyMap(svgText, logName) {
    const figure = document.createElement('figure');
    figure.className = 'map';
    const parsed = new DOMParser().parseFromString(svgText, 'image/svg+xml');
    if (parsed.querySelector('parsererror')) {
      figure.textContent = 'The map could not be shown; download it instead.';
    } else {
      const svg = document.importNode(parsed.documentElement, true);
      svg.setAttribute('role', 'group');
      svg.setAttribute('aria-label', 'Map of ' + logName + ': ' + (parsed.querySelector('svg > title') || {}).textContent);
      figure.append(skipPast(figure), svg, countyDetails(svg));
    }
    return figure;
  }

  // A link that takes the keyboard past the map's counties to what follows it.
  function skipPast(figure) {
    const link = document.createElement('a');
    link.href = '#';
    link.className = 'skip-map';
    link.textContent = 'Skip past the map';
    link.addEventListener('click', (event) => {
      event.preventDefault();
      let next = figure.nextElementSibling;
      while (next && next.matches && !next.matches('a, button, [tabindex]') && !next.querySelector('a, button')) {
        next = next.nextElementSibling;
      }
      const target = next && (next.matches('a, button, [tabindex]') ? next : next.querySelector('a, button'));
      if (target) target.focus();
      else link.blur();
    });
    return link;
  }

  // A county's details (its title: name, abbreviations, QSOs) under the map
  // when it is tapped or reached with the Tab key.
  function countyDetails(svg) {
    const details = document.createElement('figcaption');
    details.className = 'county-details';
    details.setAttribute('aria-live', 'polite');
    details.textContent = 'Tap a county, or reach it with the Tab key, for its QSOs.';
    const show = (event) => {
      const county = event.target.closest && event.target.closest('path, circle');
      if (county && county.querySelector('title')) details.textContent = county.querySelector('title').textContent;
    };
    // Only the counties worked are tab stops (the map draws them in groups
    // of class "worked"); the others keep their tooltips for the pointer.
    for (const county of svg.querySelectorAll('.worked > path, .worked > circle')) {
      if (county.querySelector('title')) county.setAttribute('tabindex', '0');
    }
    svg.addEventListener('click', show);
    svg.addEventListener('focusin', show);
    return details;
  }

  function downloadLink(blob, name, label, className, holder) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    holder.urls.push(link.href);
    link.download = name;
    link.textContent = 'Download ' + name;
    if (label) link.setAttribute('aria-label', label);
    if (className) link.className = className;
    return link;
  }

  // The shown rows of a result, decoded from its bytes as they are drawn: {length, at(index)}.
  function reportRows(result) {
    const bytes = result.shownBytes || new Uint8Array(0), starts = result.rowStarts || new Uint32Array(0);
    const length = starts.length, decoder = new TextDecoder();
    return { length, at: (i) => decoder.decode(bytes.subarray(starts[i], i + 1 < length ? starts[i + 1] - 1 : bytes.length)) };
  }

  // A report row as a list item; WARNING rows marked as such.
  function reportRow(text) {
    const item = document.createElement('li');
    item.textContent = text;
    if (text.startsWith('WARNING')) item.className = 'warning';
    return item;
  }

  // Reports longer than this are drawn as a window on their rows.
  const longReport = 5000;

  // Adds the report's rows to `list` a slice at a time, so that the page
  // answers between slices; resolves when all are in.
  function fillReport(list, rows) {
    const slice = 1000;
    list.setAttribute('aria-busy', 'true');
    return new Promise((resolve) => {
      let next = 0;
      const addSlice = () => {
        const fragment = document.createDocumentFragment();
        for (const end = Math.min(next + slice, rows.length); next < end; ++next) fragment.appendChild(reportRow(rows.at(next)));
        list.appendChild(fragment);
        if (next < rows.length) {
          setTimeout(addSlice, 0);
        } else {
          list.removeAttribute('aria-busy');
          resolve();
        }
      };
      addSlice();
    });
  }

  // A long report as a scrolling window: only the rows in view are in the
  // page, however many the report has; each row is one line high.
  function windowedReport(box, rows, holder) {
    box.classList.add('windowed');
    const space = document.createElement('div');
    const list = document.createElement('ol');
    list.start = 1;
    space.append(list);
    box.append(space);
    let rowHeight = 0, first = -1, count = 0;
    const draw = () => {
      if (!rowHeight) {
        list.replaceChildren(reportRow(rows.at(0)));
        rowHeight = list.firstChild.getBoundingClientRect().height || 19;
        space.style.height = rows.length * rowHeight + 'px';
      }
      const top = Math.max(0, Math.floor(box.scrollTop / rowHeight) - 20);
      const shown = Math.ceil(box.clientHeight / rowHeight) + 40;
      if (top === first && shown === count) return;
      first = top;
      count = shown;
      const fragment = document.createDocumentFragment();
      for (let i = top; i < Math.min(rows.length, top + shown); ++i) fragment.appendChild(reportRow(rows.at(i)));
      list.replaceChildren(fragment);
      list.style.transform = 'translateY(' + top * rowHeight + 'px)';
    };
    box.addEventListener('scroll', () => requestAnimationFrame(draw));
    const observer = new ResizeObserver(draw);
    observer.observe(box);
    holder.observers.push(observer);
    requestAnimationFrame(draw);
  }

  // Shows a log's result in `place`: its downloads first, then its report
  // as it fills in, then its map. Returns the promise of the report's rows.
  function showResult(file, result, place = results, holder = shown) {
    const article = document.createElement('article');
    const title = document.createElement('h2');
    title.textContent = file.name;
    article.append(title);
    if (result.timing) article.dataset.timing = JSON.stringify(result.timing);
    let reportRead = Promise.resolve();
    if (result.cancelled) {
      const note = document.createElement('p');
      note.className = 'cancelled';
      note.tabIndex = -1;
      note.textContent = 'Cancelled: ' + file.name + ' was not converted; nothing was written for it.';
      article.append(note);
    } else if (result.error) {
      const error = document.createElement('p');
      error.className = 'error';
      error.setAttribute('role', 'alert');
      error.tabIndex = -1;
      // As the command line names its option, the page names its control.
      error.textContent = result.partyUnknown ? result.error.replace(/\.$/, '; choose one in the State list.')
                                              : result.error;
      article.append(error);
    } else {
      const actions = document.createElement('div');
      actions.className = 'actions';
      // The report as shirl-cli prints it, for Copy report, read from its download.
      reportRead = result.reportBlob.text().then((text) => { article.reportText = text; });
      const copy = document.createElement('button');
      copy.type = 'button';
      copy.textContent = 'Copy report';
      copy.setAttribute('aria-label', 'Copy the report of ' + file.name);
      copy.addEventListener('click', () => copyText(article.reportText, copy));
      actions.append(
        downloadLink(result.outputBlob, result.output, '', 'output-link', holder),
        result.map ? downloadLink(result.mapBlob, result.mapName, 'Download the map of ' + file.name +
                                  ' (' + result.mapName + ')', 'map-link', holder) : '',
        downloadLink(result.reportBlob, result.reportName, 'Download the report of ' + file.name +
                     ' (' + result.reportName + ')', 'report-link', holder),
        copy);
      article.append(actions);
      if (place === results) {
        files.push({ name: result.output, data: result.outputBlob }, { name: result.reportName, data: result.reportBlob });
        if (result.map) files.push({ name: result.mapName, data: result.mapBlob });
      }
    }
    let filled = Promise.resolve();
    const rows = reportRows(result);
    if (rows.length > longReport) {
      const report = document.createElement('div');
      report.className = 'report';
      report.setAttribute('aria-label', 'Report of ' + file.name + ', ' + rows.length + ' rows');
      report.dataset.rows = rows.length;
      report.tabIndex = 0;
      article.append(report);
      windowedReport(report, rows, holder);
    } else if (rows.length) {
      const report = document.createElement('ol');
      report.className = 'report';
      report.setAttribute('aria-label', 'Report of ' + file.name);
      report.dataset.rows = rows.length;
      report.tabIndex = 0;
      article.append(report);
      filled = fillReport(report, rows);
    }
    if (result.map && place === results) article.append(countyMap(result.map, file.name));
    else if (result.noMap) {
      const none = document.createElement('p');
      none.className = 'no-map';
      none.textContent = result.noMap;
      article.append(none);
    }
    place.append(article);
    return Promise.all([filled, reportRead]);
  }

  // The prefix of a status line for the log at `index` of `count`.
  function prefixOf(file, index, count) {
    return (count > 1 ? (index + 1) + ' of ' + count + ': ' : '') + file.name + ': ';
  }

  // Converts one log with the run's settings; progress shows in the status line.
  function convertOne(file, party, prefix, run, taken) {
    setStatus(prefix + 'reading…');
    progress.value = 0;
    return request({
      type: 'convert', file, selection: party, mobile: run.mobile, lists: run.lists, replace: run.replace,
      usaca: run.usaca, taken,
    }, (step) => {
      progress.hidden = file.size < (4 << 20);
      progress.value = step.percent;
      const converting = step.pass > 0 || party !== 'auto';
      setStatus(prefix + (converting && step.percent === 100 ? 'writing the report…'
                          : (converting ? 'converting ' : 'looking for the party ') + step.percent + ' %'));
    });
  }

  function lock(locked) {
    busy = locked;
    if (!locked) cancelling = false;
    refresh();
  }

  function finalStatus(failed, done, count, cancelled) {
    const stopped = done < count ? ' Cancelled: ' + (count - done) + ' of ' + count + ' logs not started.' : '';
    if (cancelled) return 'Cancelled: ' + cancelled + ' not converted; nothing was written for it.' + stopped;
    if (failed) return failed + ' of ' + done + (done > 1 ? ' logs' : ' log') + ' not converted.' + stopped;
    if (stopped) return 'Converted ' + done + (done === 1 ? ' log.' : ' logs.') + stopped;
    return count > 1 ? 'Converted ' + count + ' logs.' : 'Converted.';
  }

  // Lets go of the results on screen and of the downloads they offer.
  function clearResults() {
    release(shown);
    results.replaceChildren();
    files = [];
  }

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    if (busy || !ready || logs.length === 0) return;
    const run = currentSettings();
    const started = performance.now();
    cancelling = false;
    clearResults();
    shownRun = run;
    lock(true);
    allButton.hidden = true;
    const batch = run.logs, taken = [], fills = [];
    let failed = 0, done = 0, cancelled = '';
    for (const [index, file] of batch.entries()) {
      if (cancelling) break;
      const result = await convertOne(file, run.parties[index], prefixOf(file, index, batch.length), run,
                                      taken.join('\n'));
      ++done;
      if (result.cancelled) {
        cancelled = file.name;
        fills.push(showResult(file, result));
        break;
      }
      if (result.error) ++failed;
      if (result.listFault) {
        // The lists are the same for every log: the rest would fail alike.
        failed = done = batch.length;
        fills.push(showResult({ name: 'Abbreviation lists' }, result));
        break;
      }
      if (result.output) taken.push(result.output);
      fills.push(showResult(file, result));
    }
    progress.hidden = true;
    cancelling = false;
    setStatus(finalStatus(failed, done, batch.length, cancelled) + (fills.length ? ' Showing the reports…' : ''));
    await Promise.all(fills);
    setStatus(finalStatus(failed, done, batch.length, cancelled));
    results.dataset.runMs = Math.round(performance.now() - started);
    allButton.hidden = files.length === 0;
    lock(false);
    const first = results.querySelector('a, .error, .cancelled');
    if (first) first.focus();
    if (held) {
      const dropped = held;
      held = null;
      $('held').hidden = true;
      takeDropped(dropped);
    }
  });

  // Cancel: a batch stops after the log it converts; a single log is
  // stopped at once, the worker ended and started again.
  cancelButton.addEventListener('click', () => {
    if (!busy || cancelling) return;
    cancelling = true;
    refresh();
    if (shownRun && shownRun.logs.length === 1) {
      restartWorker();
    } else {
      setStatus(status.textContent);
    }
  });

  // "Download all": one zip of every output, map and report shown.
  allButton.addEventListener('click', async () => {
    allButton.disabled = true;
    const text = allButton.textContent;
    allButton.textContent = 'Packing…';
    try {
      const zip = await StoredZip.make(files);
      const link = document.createElement('a');
      link.href = URL.createObjectURL(zip);
      // Let go of the zip once the download has taken it.
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      link.download = 'converted-logs.zip';
      document.body.append(link);
      link.click();
      link.remove();
    } catch (error) {
      setStatus('ERROR: The zip could not be made: ' + (error && error.message || error));
    } finally {
      allButton.textContent = text;
      allButton.disabled = false;
    }
  });

  // The guide, carried inside the page, opens over it.
  const guide = $('guide');
  $('help').addEventListener('click', (event) => {
    event.preventDefault();
    guide.showModal();
    guide.querySelector('.guide-body').focus();
  });
  $('guide-close').addEventListener('click', () => guide.close());

  setUpFill();
  setUpAward();

  // The Fill section: the first chosen log is the contest log, filled with
  // its party, the form's lists and county-line form into the chosen logbook.
  function setUpFill() {
    const logbookInput = $('logbook'), fillButton = $('fill-button'), fillStatus = $('fill-status');
    const fillResult = $('fill-result');
    let filling = false, checked = null, checking = 0;  // the logbook's detection
    let fillHeld = released();
    // The logbook is told apart when chosen: a file that is no ADIF log is refused then.
    logbookInput.addEventListener('change', async () => {
      const logbook = logbookInput.files[0], choice = ++checking;
      checked = null;
      refresh();
      if (!logbook) return;
      let detected = await request({ type: 'detect', file: logbook });
      while (detected.cancelled) detected = await request({ type: 'detect', file: logbook });
      if (choice !== checking) return;
      checked = detected;
      refresh();
    });
    // Logger exports of one name: the same file twice is the one case the page cannot tell apart.
    const sameFile = (a, b) => a.name === b.name && a.size === b.size && a.lastModified === b.lastModified;
    refreshFill = (looking) => {
      const logbook = logbookInput.files[0];
      const party = logs.length && !looking ? partyOf(0) : null;
      able(fillButton, $('fill-why'),
           filling ? 'Filling…' : busy ? 'Wait: the logs are converting.' : !ready ? 'Wait: the converter is starting.'
             : logs.length === 0 ? 'Choose the contest log above first.'
             : looking ? 'Wait: the contest log is being read for its party.'
             : !logbook ? 'Choose your logbook\'s ADIF export.'
             : !checked ? 'Wait: the logbook is being read.'
             : sameFile(logbook, logs[0]) ? 'The logbook is the contest log itself: choose the ADIF export of your ' +
                                            'logbook, not the contest log.'
             : checked.logbookFault ? checked.logbookFault.replace(/^ERROR: /, '') + ' Choose the logbook\'s ADIF export.'
             : party.send === '' ? 'Choose the State or QSO party of ' + logs[0].name + ' in the State list.' : '');
    };
    fillButton.addEventListener('click', async () => {
      const logbook = logbookInput.files[0];
      if (fillButton.disabled || !logbook) return;
      filling = true;
      refresh();
      fillStatus.textContent = 'Filling ' + logbook.name + ' from ' + logs[0].name + '…';
      const result = await request({
        type: 'fill', file: logs[0], logbook, selection: partyOf(0).send, mobile: mobile.checked, lists,
        replace: $('replace').checked, usaca: $('county-lines').value === 'usaca',
      });
      // Shown as a converted log is, without a map and apart from the batch's downloads.
      if (!result.error && !result.cancelled) result.reportName = result.output.replace(/\.adi$/, '') + '-report.txt';
      release(fillHeld);
      fillResult.replaceChildren();
      await showResult({ name: logbook.name }, result, fillResult, fillHeld);
      fillStatus.textContent = result.cancelled ? 'Not filled: the converter was restarted.'
        : result.error ? 'Not filled.' : 'Filled.';
      filling = false;
      refresh();
    });
  }

  // The award section: the logbook chosen is tallied at once; its report's
  // totals, the whole report, the map and the downloads are shown.
  function setUpAward() {
    const input = $('award-logbook'), awardStatus = $('award-status'), place = $('award-result');
    let choice = 0, awardHeld = released();
    input.addEventListener('change', async () => {
      const logbook = input.files[0], mine = ++choice;
      release(awardHeld);
      place.replaceChildren();
      awardStatus.textContent = logbook ? 'Tallying ' + logbook.name + '…' : '';
      if (!logbook) return;
      const result = await request({ type: 'award', file: logbook });
      if (mine !== choice) return;
      awardStatus.textContent = result.cancelled ? 'Not tallied: the converter was restarted; choose the logbook again.'
        : result.error ? 'Not tallied.' : 'Tallied ' + logbook.name + '.';
      if (!result.cancelled) place.append(awardView(logbook.name, result, awardHeld));
    });
  }

  // The award's result: the report's totals (its lines before the first
  // blank one), the report whole, the downloads and the map.
  function awardView(name, result, holder) {
    const article = document.createElement('article');
    article.reportText = result.report;
    const lines = result.report.split('\n'), blank = lines.indexOf('');
    if (blank > 0) {
      const totals = document.createElement('p');
      totals.className = 'award-totals';
      totals.textContent = lines.slice(0, blank).join('\n');
      article.append(totals);
    }
    if (result.error) {
      const error = document.createElement('p');
      error.className = 'error';
      error.textContent = result.error;
      article.append(error);
    }
    if (result.report) {
      const details = document.createElement('details');
      const summary = document.createElement('summary');
      summary.textContent = 'The whole report: by state, by band, the values that counted nothing';
      const report = document.createElement('pre');
      report.className = 'award-report';
      report.tabIndex = 0;
      report.setAttribute('aria-label', 'Award report of ' + name);
      report.textContent = result.report;
      details.append(summary, report);
      article.append(details);
    }
    if (result.error) return article;
    const actions = document.createElement('div');
    actions.className = 'actions';
    actions.append(
      downloadLink(result.reportBlob, result.reportName, 'Download the award report of ' + name, 'report-link', holder),
      downloadLink(result.neededBlob, result.neededName, 'Download the counties still needed by ' + name, 'needed-link',
                   holder),
      downloadLink(result.mapBlob, result.mapName, 'Download the award map of ' + name, 'map-link', holder));
    const map = countyMap(result.map, name);
    // The award map marks no county as a tab stop: its names come by pointer or tap.
    const details = map.querySelector('.county-details');
    if (details) details.textContent = 'Tap a county, or point at it, for its name.';
    article.append(actions, map);
    return article;
  }
})();
