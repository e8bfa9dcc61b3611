// What the Khronos glTF validator says of a .glb, and what its JSON holds: the counts of
// errors, warnings, infos and hints, each issue, the nodes' names, and each primitive's
// accessors' counts, its positions' bounds, how many of its triangles face down and how many
// points have each colour, a line each, for the tests to read.
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
    const jsonLength = bytes.readUInt32LE(12);
    const json = JSON.parse(bytes.toString('utf8', 20, 20 + jsonLength));
    const binary = 20 + jsonLength + 8;
    for (const node of json.nodes) console.log(`node ${node.name}`);
    json.meshes.forEach((mesh) => {
        for (const primitive of mesh.primitives) {
            for (const [name, accessor] of Object.entries(primitive.attributes))
                console.log(`${mesh.name} ${name} ${json.accessors[accessor].count}`);
            const position = json.accessors[primitive.attributes.POSITION];
            console.log(`${mesh.name} from ${position.min.join(' ')} to ${position.max.join(' ')}`);
            console.log(`${mesh.name} indices ${json.accessors[primitive.indices].count}`);
            // Triangles whose corners do not run counter-clockwise seen from above (glTF's
            // front face) show their backs from the sky.
            // Element k of an accessor starts at its view's offset and its own, a stride apart.
            const at = (accessor, k) => {
                const view = json.bufferViews[accessor.bufferView];
                return binary + view.byteOffset + (accessor.byteOffset || 0) +
                       k * (view.byteStride || {VEC3: 12, VEC4: 4, SCALAR: 4}[accessor.type]);
            };
            const indices = json.accessors[primitive.indices];
            const corner = (k, axis) =>
                bytes.readFloatLE(at(position, bytes.readUInt32LE(at(indices, k))) + 4 * axis);
            let down = 0;
            for (let t = 0; t < indices.count; t += 3) {
                const ux = corner(t + 1, 0) - corner(t, 0), uz = corner(t + 1, 2) - corner(t, 2);
                const vx = corner(t + 2, 0) - corner(t, 0), vz = corner(t + 2, 2) - corner(t, 2);
                if (uz * vx - ux * vz <= 0) ++down;
            }
            console.log(`${mesh.name} facing down ${down}`);
            if (primitive.attributes.COLOR_0 === undefined) continue;
            // Colours as unsigned bytes, four a point.
            const colour = json.accessors[primitive.attributes.COLOR_0];
            const counts = new Map();
            for (let k = 0; k < colour.count; ++k) {
                const rgba = [...bytes.subarray(at(colour, k), at(colour, k) + 4)].join(' ');
                counts.set(rgba, (counts.get(rgba) || 0) + 1);
            }
            for (const [rgba, count] of counts) console.log(`${mesh.name} colour ${rgba} ${count}`);
        }
    });
}).catch((error) => {
    console.log(`the validator failed: ${error}`);
    process.exit(1);
});
