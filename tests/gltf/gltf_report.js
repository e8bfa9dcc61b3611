// What the Khronos glTF validator says of a .glb, and what its JSON holds: the counts of
// errors, warnings, infos and hints, each issue, the nodes' names, and each primitive's
// accessors' counts and its positions' bounds, a line each, for the tests to read.
// usage: node gltf_report.js FILE.glb   (with gltf-validator on NODE_PATH)
'use strict';
const fs = require('fs');
const validator = require('gltf-validator');

const bytes = fs.readFileSync(process.argv[2]);
validator.validateBytes(new Uint8Array(bytes), {maxIssues: 100}).then((report) => {
    const issues = report.issues;
    console.log(`errors ${issues.numErrors}`);
    console.log(`warnings ${issues.numWarnings}`);
    console.log(`infos ${issues.numInfos}`);
    console.log(`hints ${issues.numHints}`);
    for (const m of issues.messages) console.log(`issue ${m.severity} ${m.code} ${m.pointer || ''} ${m.message}`);
    // The JSON chunk follows the 12-byte header and its own 8-byte chunk header.
    const json = JSON.parse(bytes.toString('utf8', 20, 20 + bytes.readUInt32LE(12)));
    for (const node of json.nodes) console.log(`node ${node.name}`);
    json.meshes.forEach((mesh) => {
        for (const primitive of mesh.primitives) {
            for (const [name, accessor] of Object.entries(primitive.attributes))
                console.log(`${mesh.name} ${name} ${json.accessors[accessor].count}`);
            const position = json.accessors[primitive.attributes.POSITION];
            console.log(`${mesh.name} from ${position.min.join(' ')} to ${position.max.join(' ')}`);
            console.log(`${mesh.name} indices ${json.accessors[primitive.indices].count}`);
        }
    });
}).catch((error) => {
    console.log(`the validator failed: ${error}`);
    process.exit(1);
});
