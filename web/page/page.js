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
  let lists = [];         // the chosen lists (File)
  let names = new Map();  // Selection code -> name
  let picked = false;     // the State list shows the user's pick, not a detection
  let busy = false;
  let cancelling = false; // the run stops after the current log
  let detecting = false;  // the State list waits for the logs' parties
  let nextId = 0;
  let choosing = 0;       // the latest choice of logs; an older one's detection is dropped
  let shownRun = null;    // the settings of the results on screen
  let files = [];         // the files of the results on screen: {name, data (Uint8Array or text)}
  const waiting = new Map(); // request id -> {resolve, progress}

  const worker = new Worker(URL.createObjectURL(
    new Blob([$('worker-code').textContent], { type: 'text/javascript' })));

  function request(message, onProgress) {
    message.id = ++nextId;
    return new Promise((resolve) => {
      waiting.set(message.id, { resolve, onProgress });
      worker.postMessage(message);
    });
  }

  worker.onmessage = (event) => {
    const message = event.data;
    if (message.type === 'ready') {
      for (const s of message.selections) {
        names.set(s.code, s.name);
        selection.add(new Option(s.name, s.code));
      }
      selection.disabled = false;
      setStatus('Ready. Choose or drop a log.');
      updateButton();
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
  };
  worker.onerror = (event) => setStatus('ERROR: The converter stopped: ' + (event.message || 'unknown error'));

  function setStatus(text) { status.textContent = text; }
  function updateButton() { convertButton.disabled = busy || detecting || selection.disabled || logs.length === 0; }

  function showNames(listElement, chosen, notes) {
    listElement.replaceChildren();
    for (const [i, file] of chosen.entries()) {
      const item = document.createElement('li');
      item.textContent = file.name + (notes && notes[i] ? ' (' + notes[i] + ')' : '');
      listElement.append(item);
    }
  }

  // What a chosen log is said to be, beside its name.
  function note(detected) {
    if (detected.kind === 'none') return 'not a log: neither ADIF nor Cabrillo';
    if (detected.kind === 'utf16') return 'UTF-16 text: save it as UTF-8';
    return names.get(detected.code) || detected.code || 'no party in its CONTEST_ID';
  }

  // The State list after a detection the user did not override: a single
  // log's party, or each log's own when every log names one; otherwise it
  // asks for a State, naming the logs that name no party.
  function offerSelection(detections) {
    const readable = detections.filter((d) => d.kind === 'adif' || d.kind === 'cabrillo');
    const unnamed = logs.filter((file, i) => readable.includes(detections[i]) && !detections[i].code);
    if (logs.length === 1) {
      const [only] = detections;
      selection.value = only.code || '';
      detectedText.textContent = only.code ? 'Detected from the log\'s CONTEST_ID: ' + names.get(only.code) + '.'
        : readable.length ? 'This log names no QSO party in its CONTEST_ID: choose the State or QSO party it was logged for.'
          : only.kind === 'utf16' ? logs[0].name + ' is saved as UTF-16 text: save it as UTF-8, then choose it again.'
            : logs[0].name + ' is neither an ADIF log nor a Cabrillo log: choose a log.';
      return;
    }
    if (unnamed.length === 0) {
      selection.value = 'auto';
      detectedText.textContent = 'Each log converts for the party its CONTEST_ID names.';
      return;
    }
    selection.value = '';
    detectedText.textContent = unnamed.length + ' of the ' + logs.length + ' logs name no QSO party in their CONTEST_ID ('
      + unnamed.map((file) => file.name).join(', ') + '): choose the State or QSO party they were logged for, '
      + 'or convert those logs on their own.';
  }

  // New logs: each one's kind and party, shown beside its name.
  async function chooseLogs(chosen) {
    const choice = ++choosing;
    logs = Array.from(chosen);
    showNames($('log-names'), logs);
    detecting = true;
    updateButton();
    markOutdated();
    if (logs.length) setStatus('Looking for the party in ' + (logs.length > 1 ? logs.length + ' logs' : logs[0].name) + '…');
    const detections = [];
    for (const file of logs) detections.push(await request({ type: 'detect', file }));
    if (choice !== choosing) return;
    detecting = false;
    updateButton();
    if (logs.length) setStatus('Ready to convert.');
    showNames($('log-names'), logs, detections.map(note));
    if (!picked && logs.length) offerSelection(detections);
    markOutdated();
  }

  function chooseLists(chosen) {
    lists = Array.from(chosen);
    showNames($('list-names'), lists);
    if (lists.length) $('lists-box').open = true;
    markOutdated();
  }

  // The settings a run starts with; it keeps them to its end.
  function currentSettings() {
    return { selection: selection.value, mobile: mobile.checked, lists: lists.slice(), replace: $('replace').checked,
             usaca: $('county-lines').value === 'usaca', logs: logs.slice() };
  }

  function sameSettings(a, b) {
    const same = (x, y) => x.length === y.length && x.every((item, i) => item === y[i]);
    return a.selection === b.selection && a.mobile === b.mobile && a.replace === b.replace && a.usaca === b.usaca &&
      same(a.lists, b.lists) && same(a.logs, b.logs);
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
    markOutdated();
  });
  for (const input of [mobile, $('extend'), $('replace'), $('county-lines')]) input.addEventListener('change', markOutdated);

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
    if (busy) return;
    const dropped = Array.from(event.dataTransfer.files);
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
  });

  function reportText(rows) { return rows.map((row) => row.printed + '\n').join(''); }

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

  function downloadLink(data, type, name, label, className) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([data], { type }));
    link.download = name;
    link.textContent = 'Download ' + name;
    if (label) link.setAttribute('aria-label', label);
    if (className) link.className = className;
    return link;
  }

  // A report row as a list item; WARNING rows marked as such.
  function reportRow(row) {
    const item = document.createElement('li');
    item.textContent = row.shown;
    if (row.shown.startsWith('WARNING')) item.className = 'warning';
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
        for (const end = Math.min(next + slice, rows.length); next < end; ++next) fragment.appendChild(reportRow(rows[next]));
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
  function windowedReport(box, rows) {
    box.classList.add('windowed');
    const space = document.createElement('div');
    const list = document.createElement('ol');
    list.start = 1;
    space.append(list);
    box.append(space);
    let rowHeight = 0, first = -1, count = 0;
    const draw = () => {
      if (!rowHeight) {
        list.replaceChildren(reportRow(rows[0]));
        rowHeight = list.firstChild.getBoundingClientRect().height || 19;
        space.style.height = rows.length * rowHeight + 'px';
      }
      const top = Math.max(0, Math.floor(box.scrollTop / rowHeight) - 20);
      const shown = Math.ceil(box.clientHeight / rowHeight) + 40;
      if (top === first && shown === count) return;
      first = top;
      count = shown;
      const fragment = document.createDocumentFragment();
      for (let i = top; i < Math.min(rows.length, top + shown); ++i) fragment.appendChild(reportRow(rows[i]));
      list.replaceChildren(fragment);
      list.style.transform = 'translateY(' + top * rowHeight + 'px)';
    };
    box.addEventListener('scroll', () => requestAnimationFrame(draw));
    new ResizeObserver(draw).observe(box);
    requestAnimationFrame(draw);
  }

  // Shows a log's result: its downloads first, then its report as it fills
  // in, then its map. Returns the promise of the report's rows.
  function showResult(file, result) {
    const article = document.createElement('article');
    const title = document.createElement('h2');
    title.textContent = file.name;
    article.append(title);
    if (result.timing) article.dataset.timing = JSON.stringify(result.timing);
    if (result.error) {
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
      article.reportText = reportText(result.rows);
      const copy = document.createElement('button');
      copy.type = 'button';
      copy.textContent = 'Copy report';
      copy.setAttribute('aria-label', 'Copy the report of ' + file.name);
      copy.addEventListener('click', () => copyText(article.reportText, copy));
      actions.append(
        downloadLink(result.bytes, 'application/octet-stream', result.output, '', 'output-link'),
        ...(result.map ? [downloadLink(result.map, 'image/svg+xml', result.mapName, 'Download the map of ' +
                     file.name + ' (' + result.mapName + ')', 'map-link')] : []),
        downloadLink(article.reportText, 'text/plain', result.reportName, 'Download the report of ' + file.name +
                     ' (' + result.reportName + ')', 'report-link'),
        copy);
      article.append(actions);
      files.push({ name: result.output, data: result.bytes }, { name: result.reportName, data: article.reportText });
      if (result.map) files.push({ name: result.mapName, data: result.map });
    }
    let filled = Promise.resolve();
    if (result.rows.length > longReport) {
      const report = document.createElement('div');
      report.className = 'report';
      report.setAttribute('aria-label', 'Report of ' + file.name + ', ' + result.rows.length + ' rows');
      report.dataset.rows = result.rows.length;
      report.tabIndex = 0;
      article.append(report);
      windowedReport(report, result.rows);
    } else if (result.rows.length) {
      const report = document.createElement('ol');
      report.className = 'report';
      report.setAttribute('aria-label', 'Report of ' + file.name);
      report.dataset.rows = result.rows.length;
      report.tabIndex = 0;
      article.append(report);
      filled = fillReport(report, result.rows);
    }
    if (result.map) article.append(countyMap(result.map, file.name));
    else if (result.noMap) {
      const none = document.createElement('p');
      none.className = 'no-map';
      none.textContent = result.noMap;
      article.append(none);
    }
    results.append(article);
    return filled;
  }

  // The prefix of a status line for the log at `index` of `count`.
  function prefixOf(file, index, count) {
    return (count > 1 ? (index + 1) + ' of ' + count + ': ' : '') + file.name + ': ';
  }

  // Converts one log with the run's settings; progress shows in the status line.
  function convertOne(file, prefix, run, taken) {
    setStatus(prefix + 'reading…');
    progress.value = 0;
    return request({
      type: 'convert', file, selection: run.selection, mobile: run.mobile, lists: run.lists, replace: run.replace,
      usaca: run.usaca, taken,
    }, (step) => {
      progress.hidden = file.size < (4 << 20);
      progress.value = step.percent;
      const converting = step.pass > 0 || run.selection !== 'auto';
      setStatus(prefix + (converting && step.percent === 100 ? 'writing the report…'
                          : (converting ? 'converting ' : 'looking for the party ') + step.percent + ' %'));
    });
  }

  function lock(locked) {
    busy = locked;
    controls.disabled = locked;
    cancelButton.hidden = !locked;
    cancelButton.disabled = false;
    $('locked').hidden = !locked;
    updateButton();
  }

  function finalStatus(failed, done, count) {
    const stopped = done < count ? ' Cancelled: ' + (count - done) + ' of ' + count + ' logs not started.' : '';
    if (failed) return failed + ' of ' + done + (done > 1 ? ' logs' : ' log') + ' not converted.' + stopped;
    if (stopped) return 'Converted ' + done + (done === 1 ? ' log.' : ' logs.') + stopped;
    return count > 1 ? 'Converted ' + count + ' logs.' : 'Converted.';
  }

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    if (busy || logs.length === 0) return;
    const run = currentSettings();
    const started = performance.now();
    cancelling = false;
    lock(true);
    results.replaceChildren();
    files = [];
    shownRun = run;
    markOutdated();
    allButton.hidden = true;
    const batch = run.logs, taken = [], fills = [];
    let failed = 0, done = 0;
    for (const [index, file] of batch.entries()) {
      if (cancelling) break;
      const result = await convertOne(file, prefixOf(file, index, batch.length), run, taken.join('\n'));
      ++done;
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
    setStatus(finalStatus(failed, done, batch.length) + (fills.length ? ' Showing the reports…' : ''));
    await Promise.all(fills);
    setStatus(finalStatus(failed, done, batch.length));
    results.dataset.runMs = Math.round(performance.now() - started);
    allButton.hidden = files.length === 0;
    lock(false);
    markOutdated();
    const first = results.querySelector('a, .error');
    if (first) first.focus();
  });

  cancelButton.addEventListener('click', () => {
    cancelling = true;
    cancelButton.disabled = true;
    setStatus(status.textContent + ' Stopping after this log…');
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

  // The Fill section: the first chosen log is the contest log, filled with
  // the form's State, lists and county-line form into the chosen logbook.
  function setUpFill() {
    const logbookInput = $('logbook'), fillButton = $('fill-button'), fillStatus = $('fill-status');
    const fillResult = $('fill-result');
    let filling = false;
    const ready = () => {
      fillButton.disabled = filling || busy || selection.disabled || !selection.value || logs.length === 0 ||
                            logbookInput.files.length === 0;
    };
    for (const control of [logbookInput, selection, logsInput]) control.addEventListener('change', ready);
    document.addEventListener('drop', () => setTimeout(ready));
    worker.addEventListener('message', ready);
    fillButton.addEventListener('click', async () => {
      const logbook = logbookInput.files[0];
      if (filling || !logbook || logs.length === 0) return;
      filling = true;
      ready();
      fillStatus.textContent = 'Filling ' + logbook.name + ' from ' + logs[0].name + '…';
      const result = await request({
        type: 'fill', file: logs[0], logbook, selection: selection.value, mobile: mobile.checked, lists,
        replace: $('replace').checked, usaca: $('county-lines').value === 'usaca',
      });
      // Shown as a converted log is, without a map and apart from the batch's downloads.
      if (!result.error) result.reportName = result.output.replace(/\.adi$/, '') + '-report.txt';
      const kept = files.length;
      await showResult({ name: logbook.name }, result);
      files.length = kept;
      const article = results.lastElementChild;
      for (const extra of article.querySelectorAll('.map-link')) extra.remove();
      fillResult.replaceChildren(article);
      fillStatus.textContent = result.error ? 'Not filled.' : 'Filled.';
      filling = false;
      ready();
    });
  }
})();
