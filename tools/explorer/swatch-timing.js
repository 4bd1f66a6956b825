// How long the explorer's WebAssembly core takes to shade the page's 256x256 swatch, under node
// (the page's own V8 engine). A measurement to run by hand, never a test:
//   node tools/explorer/swatch-timing.js <build>/tools/explorer/site [repetitions]
"use strict";
const path = require("node:path");

const [siteFolder, repetitionsText = "50"] = process.argv.slice(2);
const repetitions = Number(repetitionsText);
if (!siteFolder || !(repetitions >= 1)) {
  console.error("usage: node swatch-timing.js SITE_FOLDER [REPETITIONS]");
  process.exit(2);
}

require(path.resolve(siteFolder, "nacreen-core.js"))().then((core) => {
  const looks = {
    "default": [250, 350, 1.0, 1.5, 1.0, 1.0, 0, 0, 0],
    "index 1.33, 120 to 900 nm on the ramp, gamma 2.2, hue and saturation":
      [120, 900, 1.0, 1.33, 1.0, 2.2, 30, 20, 1],
  };
  for (const [name, look] of Object.entries(looks)) {
    core._explorer_set_look(...look);
    core._explorer_render_swatch(256, 256); // the first call compiles and grows memory
    const times = [];
    for (let i = 0; i < repetitions; ++i) {
      const start = process.hrtime.bigint();
      core._explorer_render_swatch(256, 256);
      times.push(Number(process.hrtime.bigint() - start) / 1e6);
    }
    times.sort((a, b) => a - b);
    const at = (share) => times[Math.min(times.length - 1, Math.floor(share * times.length))];
    console.log(`256x256 swatch, ${name}: median ${at(0.5).toFixed(2)} ms, ` +
                `fastest ${times[0].toFixed(2)} ms, 90th percentile ${at(0.9).toFixed(2)} ms ` +
                `(${repetitions} renders)`);
  }
});
