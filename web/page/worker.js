// The page's worker: the core runs here, off the page's main thread, on
// files of its in-memory file system. Requests are handled one at a time,
// in the order they come.
'use strict';

// The core's WebAssembly is inside its script. Without fetch the runtime
// decodes it in place instead of asking for it as a data: URL, which the
// page's Content-Security-Policy refuses.
self.fetch = undefined;
const corePromise = ShirlCore();
let queue = Promise.resolve();
let runs = 0;

// The JSON answer at `pointer` (bytes up to the first NUL), decoded as UTF-8.
function answer(core, pointer) {
  const heap = core.HEAPU8;
  const end = heap.indexOf(0, pointer);
  return JSON.parse(new TextDecoder().decode(heap.subarray(pointer, end)));
}

function call(core, name, types, args) {
  return answer(core, core.ccall(name, 'number', types, args));
}

// The answer made light for the page, whose main thread would copy every
// text and object of it as it arrives: the downloads as Blobs (made here,
// where their copying costs the page nothing), the shown report rows as
// UTF-8 bytes moved across with where each row starts, so that the page
// decodes only the rows it draws. Returns the buffers to move.
function forThePage(result, bytes) {
  if (bytes) result.outputBlob = new Blob([bytes], { type: 'application/octet-stream' });
  if (result.map) result.mapBlob = new Blob([result.map], { type: 'image/svg+xml' });
  if (result.error === null) result.reportBlob = new Blob([result.report], { type: 'text/plain' });
  const shown = new TextEncoder().encode(result.shown);
  const starts = new Uint32Array(result.rowCount);
  for (let at = 0, row = 0; row < result.rowCount; ++row) {
    starts[row] = at;
    at = shown.indexOf(10, at) + 1;
  }
  result.shownBytes = shown;
  result.rowStarts = starts;
  delete result.shown;
  delete result.report;
  return [starts.buffer, shown.buffer];
}

// Writes the files into a new folder, makes it the current one and returns
// its name.
async function putFiles(core, files) {
  const folder = '/run' + (++runs);
  core.FS.mkdir(folder);
  core.FS.chdir(folder);
  for (const file of files) await putFile(core, file.name, file);
  return folder;
}

// canOwn: the file system keeps the bytes read instead of a copy of them.
async function putFile(core, path, file) {
  core.FS.writeFile(path, new Uint8Array(await file.arrayBuffer()), { canOwn: true });
}

// Removes the folder and all in it, the bytes of its files with them.
function removeFolder(core, folder) {
  if (folder.startsWith('/run')) core.FS.chdir('/');
  for (const name of core.FS.readdir(folder)) {
    if (name === '.' || name === '..') continue;
    const path = folder + '/' + name;
    if (core.FS.isDir(core.FS.stat(path).mode)) removeFolder(core, path);
    else core.FS.unlink(path);
  }
  core.FS.rmdir(folder);
}

// Reports how far the reads of `name` have come, each pass over it (the
// party's detection reads the log once before the conversion does).
function watchReads(core, name, id) {
  const node = core.FS.lookupPath(name).node;
  const total = node.usedBytes || 1;
  const ops = node.stream_ops;
  let pass = 0;
  let shown = -1;
  let last = -1;
  node.stream_ops = Object.assign({}, ops, {
    read(stream, buffer, offset, length, position) {
      const count = ops.read(stream, buffer, offset, length, position);
      const at = position + count;
      if (at < last) ++pass;
      last = at;
      const percent = Math.floor(at * 100 / total);
      if (percent !== shown) {
        shown = percent;
        postMessage({ type: 'progress', id, pass, percent });
      }
      return count;
    },
  });
}

async function detect(core, message) {
  const folder = await putFiles(core, [message.file]);
  try {
    const detected = call(core, 'shirl_detect', ['string'], [message.file.name]);
    detected.type = 'detected';
    detected.id = message.id;
    postMessage(detected);
  } finally {
    removeFolder(core, folder);
  }
}

async function convert(core, message) {
  const names = new Set(message.lists.map((list) => list.name));
  if (names.has(message.file.name)) {
    postMessage({ type: 'converted', id: message.id, error: 'ERROR: A list has the name of the log: ' + message.file.name,
                  report: '', shown: '', rowCount: 0 });
    return;
  }
  // Where the time goes, in milliseconds: the files into the core's memory,
  // the conversion with its report, the answer decoded, the output read back.
  const timing = {};
  let start = performance.now();
  const lap = (name) => {
    const now = performance.now();
    timing[name] = Math.round(now - start);
    start = now;
  };
  const folder = await putFiles(core, [message.file, ...message.lists]);
  lap('copy');
  try {
    watchReads(core, message.file.name, message.id);
    const pointer = core.ccall('shirl_convert', 'number', ['string', 'string', 'number', 'string', 'number', 'string'],
                               [message.file.name, message.selection, message.mobile ? 1 : 0,
                                message.lists.map((list) => list.name).join('\n'), message.replace ? 1 : 0,
                                message.taken]);
    lap('convert');
    const result = answer(core, pointer);
    lap('answer');
    result.type = 'converted';
    result.id = message.id;
    result.timing = timing;
    const bytes = result.error === null ? core.FS.readFile(result.output) : null;
    lap('output');
    const moved = forThePage(result, bytes);
    lap('blobs');
    postMessage(result, moved);
  } finally {
    removeFolder(core, folder);
  }
}

// The in-memory file system grows a file of more than 1 MiB by an eighth
// at a time, copying it each time: the output of a large log was copied
// some forty times over while it was written. It grows by doubling here.
function growFilesByDoubling(core) {
  const memfs = core.FS.filesystems && core.FS.filesystems.MEMFS;
  if (!memfs || typeof memfs.expandFileStorage !== 'function') return;
  const expand = memfs.expandFileStorage;
  memfs.expandFileStorage = (node, capacity) => {
    const held = node.contents ? node.contents.length : 0;
    if (held < capacity) expand.call(memfs, node, Math.max(capacity, 2 * held));
  };
}

// Fills the logbook from the contest log: both files (and the lists) side
// by side, or the logbook in a folder below when it has the name of one of
// them (loggers export both under one name); the filled logbook comes back
// as bytes.
async function fill(core, message) {
  const names = [message.file.name, ...message.lists.map((list) => list.name)];
  const folder = await putFiles(core, [message.file, ...message.lists]);
  let logbook = message.logbook.name;
  if (names.includes(logbook)) {
    core.FS.mkdir('logbook');
    logbook = 'logbook/' + logbook;
  }
  await putFile(core, logbook, message.logbook);
  try {
    const result = call(core, 'shirl_fill', ['string', 'string', 'string', 'number', 'string', 'number'],
                        [message.file.name, logbook, message.selection, message.mobile ? 1 : 0,
                         message.lists.map((list) => list.name).join('\n'), message.replace ? 1 : 0]);
    result.type = 'filled';
    result.id = message.id;
    const bytes = result.error === null ? core.FS.readFile(result.output) : null;
    postMessage(result, forThePage(result, bytes));
  } finally {
    removeFolder(core, folder);
  }
}

// The award view of a logbook: the report as text, the needed list and the
// map as Blobs for their downloads, the map also as text to draw.
async function award(core, message) {
  const folder = await putFiles(core, [message.file]);
  try {
    const result = call(core, 'shirl_award', ['string'], [message.file.name]);
    result.type = 'awarded';
    result.id = message.id;
    if (result.error === null) {
      result.reportBlob = new Blob([result.report], { type: 'text/plain' });
      result.neededBlob = new Blob([core.FS.readFile(result.neededName)], { type: 'text/csv' });
      result.map = core.FS.readFile(result.mapName, { encoding: 'utf8' });
      result.mapBlob = new Blob([result.map], { type: 'image/svg+xml' });
    }
    postMessage(result);
  } finally {
    removeFolder(core, folder);
  }
}

corePromise.then((core) => {
  growFilesByDoubling(core);
  postMessage({ type: 'ready', selections: call(core, 'shirl_selections', [], []) });
}, (error) => postMessage({ type: 'failed', message: String(error) }));

onmessage = (event) => {
  const message = event.data;
  queue = queue.then(async () => {
    const core = await corePromise;
    try {
      core.ccall('shirl_county_lines', null, ['number'], [message.usaca ? 1 : 0]);
      if (message.type === 'detect') await detect(core, message);
      else if (message.type === 'convert') await convert(core, message);
      else if (message.type === 'fill') await fill(core, message);
      else if (message.type === 'award') await award(core, message);
    } catch (error) {
      postMessage({ type: { detect: 'detected', fill: 'filled', award: 'awarded' }[message.type] || 'converted', id: message.id,
                    error: 'ERROR: ' + String(error && error.message || error), kind: 'none', code: '', fault: '',
                    logbookFault: '', report: '', shown: '', rowCount: 0 });
    }
  });
};
