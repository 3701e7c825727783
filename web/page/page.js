// The page: the controls, the worker that converts, the reports and the
// downloads. Nothing is sent anywhere; the logs are read and written here.
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const form = $('form'), drop = $('drop'), logsInput = $('logs'), listsInput = $('lists');
  const selection = $('selection'), mobile = $('mobile'), convertButton = $('convert');
  const progress = $('progress'), status = $('status'), results = $('results'), detectedText = $('detected');

  let logs = [];          // the chosen logs (File)
  let lists = [];         // the chosen lists (File)
  let names = new Map();  // Selection code -> name
  let picked = false;     // the State list shows the user's pick, not a detection
  let busy = false;
  let detecting = false;  // the State list waits for the logs' parties
  let nextId = 0;
  let choosing = 0;       // the latest choice of logs; an older one's detection is dropped
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

  function showNames(listElement, files, notes) {
    listElement.replaceChildren(...files.map((file, i) => {
      const item = document.createElement('li');
      item.textContent = file.name + (notes && notes[i] ? ' (' + notes[i] + ')' : '');
      return item;
    }));
  }

  // New logs: each one's party from its CONTEST_ID, shown beside its name;
  // the State list takes the detected party of a single log unless the user
  // picked a row (a log without one clears an earlier detection); several
  // logs take each one's own party.
  async function chooseLogs(files) {
    const choice = ++choosing;
    logs = Array.from(files);
    showNames($('log-names'), logs);
    detecting = true;
    updateButton();
    if (logs.length) setStatus('Looking for the party in ' + (logs.length > 1 ? logs.length + ' logs' : logs[0].name) + '…');
    const codes = [];
    for (const file of logs) codes.push((await request({ type: 'detect', file })).code || '');
    if (choice !== choosing) return;
    detecting = false;
    updateButton();
    if (logs.length) setStatus('Ready to convert.');
    showNames($('log-names'), logs, codes.map((code) => names.get(code) || (code ? code : 'no party in CONTEST_ID')));
    if (picked) return;
    if (logs.length > 1) {
      selection.value = 'auto';
      detectedText.textContent = 'Each log converts for the party its CONTEST_ID names.';
    } else {
      selection.value = codes[0] || '';
      detectedText.textContent = codes[0] ? 'Detected from the log\'s CONTEST_ID: ' + names.get(codes[0]) + '.' : '';
    }
  }

  function chooseLists(files) {
    lists = Array.from(files);
    showNames($('list-names'), lists);
    if (lists.length) $('lists-box').open = true;
  }

  logsInput.addEventListener('change', () => chooseLogs(logsInput.files));
  listsInput.addEventListener('change', () => chooseLists(listsInput.files));
  selection.addEventListener('change', () => {
    picked = true;
    detectedText.textContent = '';
  });

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
    const csv = dropped.filter((file) => /\.csv$/i.test(file.name));
    const other = dropped.filter((file) => !/\.csv$/i.test(file.name));
    if (csv.length) chooseLists(csv);
    if (other.length) chooseLogs(other);
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
      figure.append(svg, countyDetails(svg));
    }
    return figure;
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
    for (const county of svg.querySelectorAll('path, circle')) {
      if (county.querySelector('title')) county.setAttribute('tabindex', '0');
    }
    svg.addEventListener('click', show);
    svg.addEventListener('focusin', show);
    return details;
  }

  function showResult(file, result) {
    const article = document.createElement('article');
    const title = document.createElement('h2');
    title.textContent = file.name;
    article.append(title);
    if (result.error) {
      const error = document.createElement('p');
      error.className = 'error';
      error.setAttribute('role', 'alert');
      error.tabIndex = -1;
      error.textContent = result.error;
      article.append(error);
    } else {
      const actions = document.createElement('div');
      actions.className = 'actions';
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([result.bytes], { type: 'application/octet-stream' }));
      link.download = result.output;
      link.textContent = 'Download ' + result.output;
      const copy = document.createElement('button');
      copy.type = 'button';
      copy.textContent = 'Copy report';
      article.reportText = reportText(result.rows);
      copy.addEventListener('click', () => copyText(article.reportText, copy));
      const mapLink = document.createElement('a');
      mapLink.href = URL.createObjectURL(new Blob([result.map], { type: 'image/svg+xml' }));
      mapLink.download = result.mapName;
      mapLink.className = 'map-link';
      mapLink.textContent = 'Download map';
      actions.append(link, mapLink, copy);
      article.append(actions);
    }
    if (result.rows.length) {
      const report = document.createElement('ol');
      report.className = 'report';
      report.setAttribute('aria-label', 'Report of ' + file.name);
      report.tabIndex = 0;
      report.replaceChildren(...result.rows.map((row) => {
        const item = document.createElement('li');
        item.textContent = row.shown;
        return item;
      }));
      article.append(report);
    }
    if (result.map) article.append(countyMap(result.map, file.name));
    results.append(article);
    return article;
  }

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    if (busy || logs.length === 0) return;
    busy = true;
    updateButton();
    results.replaceChildren();
    const batch = logs.slice();
    let failed = 0;
    for (const [index, file] of batch.entries()) {
      const prefix = (batch.length > 1 ? (index + 1) + ' of ' + batch.length + ': ' : '') + file.name + ': ';
      setStatus(prefix + 'reading…');
      progress.value = 0;
      const result = await request({
        type: 'convert', file, selection: selection.value, mobile: mobile.checked, lists,
        replace: $('replace').checked,
      }, (step) => {
        progress.hidden = file.size < (4 << 20);
        progress.value = step.percent;
        const converting = step.pass > 0 || selection.value !== 'auto';
        setStatus(prefix + (converting && step.percent === 100 ? 'writing the report…'
                            : (converting ? 'converting ' : 'looking for the party ') + step.percent + ' %'));
      });
      if (result.error) ++failed;
      if (result.listFault) {
        // The lists are the same for every log: the rest would fail alike.
        failed = batch.length;
        showResult({ name: 'Abbreviation lists' }, result);
        break;
      }
      showResult(file, result);
    }
    progress.hidden = true;
    setStatus(failed ? failed + ' of ' + batch.length + (batch.length > 1 ? ' logs' : ' log') + ' not converted.'
                     : (batch.length > 1 ? 'Converted ' + batch.length + ' logs.' : 'Converted.'));
    busy = false;
    updateButton();
    const first = results.querySelector('a, .error');
    if (first) first.focus();
  });
})();
