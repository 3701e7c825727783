// The benchmark's peer: adif-parser-ts reads a whole ADIF log and writes it
// back out. Usage: node peer.js INPUT OUTPUT
'use strict';
const fs = require('fs');
const { AdifParser, AdifFormatter } = require('adif-parser-ts');

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  console.error('usage: node peer.js INPUT OUTPUT');
  process.exit(2);
}
// latin1 keeps every byte as one character, as the product reads bytes.
const text = fs.readFileSync(input, 'latin1');
const parsed = AdifParser.parseAdi(text);
fs.writeFileSync(output, AdifFormatter.formatAdi(parsed), 'latin1');
console.log(`${(parsed.records || []).length} records`);
