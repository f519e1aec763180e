// Validates a glTF binary with the glTF validator (an npm package, found by
// NODE_PATH); prints the counts and messages as JSON and exits 1 on any error
// or warning, 2 when it cannot run.
const v = require('gltf-validator'); const fs = require('fs');
const data = new Uint8Array(fs.readFileSync(process.argv[2]));
v.validateBytes(data).then(r => { console.log(JSON.stringify({errors: r.issues.numErrors, warnings: r.issues.numWarnings, infos: r.issues.numInfos, messages: r.issues.messages.map(m => m.severity + ' ' + m.code + ' ' + m.message)})); process.exit(r.issues.numErrors + r.issues.numWarnings > 0 ? 1 : 0); }).catch(e => { console.error(e); process.exit(2); });
