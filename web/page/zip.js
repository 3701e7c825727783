// A zip archive of stored (uncompressed) files, made in the page: CRC-32,
// the local headers, the central directory and its end record, with UTF-8
// names (flagged, and in the Info-ZIP Unicode Path field that unzip reads).
// Archives and files up to 4 GiB (no ZIP64).
'use strict';
const StoredZip = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; ++n) {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }

  // The CRC-32 of `bytes` continued from `crc` (0 to start).
  function crc32(bytes, crc = 0) {
    let c = ~crc >>> 0;
    for (let i = 0; i < bytes.length; ++i) c = table[(c ^ bytes[i]) & 0xff] ^ (c >>> 8);
    return ~c >>> 0;
  }

  // The CRC-32 of large data a part at a time, letting the page answer between parts.
  async function crcOf(bytes) {
    const part = 1 << 22;
    let crc = 0;
    for (let at = 0; at < bytes.length; at += part) {
      crc = crc32(bytes.subarray(at, at + part), crc);
      if (at + part < bytes.length) await new Promise((resolve) => setTimeout(resolve, 0));
    }
    return crc;
  }

  // The time and date of `when` in the form zip headers hold (local time, 2 s steps).
  function dosTime(when) {
    const time = (when.getHours() << 11) | (when.getMinutes() << 5) | (when.getSeconds() >> 1);
    const date = (Math.max(when.getFullYear() - 1980, 0) << 9) | ((when.getMonth() + 1) << 5) | when.getDate();
    return { time, date };
  }

  function header(size, fill) {
    const bytes = new Uint8Array(size);
    fill(new DataView(bytes.buffer));
    return bytes;
  }

  // The fields local and central headers share, from version needed on.
  function common(view, at, entry, stamp) {
    view.setUint16(at, 20, true);          // version needed: 2.0
    view.setUint16(at + 2, 0x0800, true);  // the name is UTF-8
    view.setUint16(at + 4, 0, true);       // stored
    view.setUint16(at + 6, stamp.time, true);
    view.setUint16(at + 8, stamp.date, true);
    view.setUint32(at + 10, entry.crc, true);
    view.setUint32(at + 14, entry.bytes.length, true);
    view.setUint32(at + 18, entry.bytes.length, true);
    view.setUint16(at + 22, entry.name.length, true);
    view.setUint16(at + 24, entry.extra.length, true);
  }

  // The Info-ZIP Unicode Path extra field of a name outside ASCII: the
  // UTF-8 name again, with the CRC-32 of the name field it stands for.
  function unicodePath(name) {
    if (name.every((byte) => byte < 0x80)) return new Uint8Array(0);
    return header(9 + name.length, (view) => {
      view.setUint16(0, 0x7075, true);
      view.setUint16(2, 5 + name.length, true);
      view.setUint8(4, 1);
      view.setUint32(5, crc32(name), true);
      new Uint8Array(view.buffer).set(name, 9);
    });
  }

  // A Blob of the zip of `files` ({name, data: Blob, Uint8Array or text}), in their order.
  async function make(files, when = new Date()) {
    const encoder = new TextEncoder();
    const stamp = dosTime(when);
    const parts = [], central = [];
    let offset = 0;
    for (const file of files) {
      const bytes = typeof file.data === 'string' ? encoder.encode(file.data)
        : file.data instanceof Blob ? new Uint8Array(await file.data.arrayBuffer()) : file.data;
      const name = encoder.encode(file.name);
      const entry = { name, extra: unicodePath(name), bytes, crc: await crcOf(bytes), offset };
      const local = header(30, (view) => {
        view.setUint32(0, 0x04034b50, true);
        common(view, 4, entry, stamp);
      });
      // A Blob goes into the zip as it is: its bytes read for the CRC are let go.
      parts.push(local, entry.name, entry.extra, file.data instanceof Blob ? file.data : bytes);
      offset += local.length + entry.name.length + entry.extra.length + bytes.length;
      if (offset > 0xffffffff) throw new Error('the files are larger than a zip without ZIP64 holds');
      central.push(entry);
    }
    const directoryStart = offset;
    for (const entry of central) {
      const record = header(46, (view) => {
        view.setUint32(0, 0x02014b50, true);
        view.setUint16(4, 20, true);  // made by: 2.0, MS-DOS attributes
        common(view, 6, entry, stamp);
        view.setUint32(42, entry.offset, true);  // comment, disk, attributes: 0
      });
      parts.push(record, entry.name, entry.extra);
      offset += record.length + entry.name.length + entry.extra.length;
    }
    parts.push(header(22, (view) => {
      view.setUint32(0, 0x06054b50, true);
      view.setUint16(8, central.length, true);
      view.setUint16(10, central.length, true);
      view.setUint32(12, offset - directoryStart, true);
      view.setUint32(16, directoryStart, true);
    }));
    if (central.length > 0xffff) throw new Error('more files than a zip without ZIP64 holds');
    return new Blob(parts, { type: 'application/zip' });
  }

  return { make, crc32 };
})();
