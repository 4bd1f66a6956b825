// The explorer's WebAssembly core against the native shading core, over a generated sweep of
// samples and over whole swatches and charts.
//   node wasm-agreement.test.js SITE_FOLDER REFERENCE_PROGRAM
//
// The two builds run the same shading sources; what differs is the C library's single-precision
// cosine (glibc natively, musl in WebAssembly), whose last bit disagrees for a few arguments.
// So each stage is held to 2e-6 per channel on its own: the film colour, and the colour
// adjustment given the same film colour. End to end, a sample whose film colour came out
// identical must agree within 2e-6 too; one whose cosine differed by a bit may differ more only
// where the adjustment magnifies that bit, and such samples must stay rare.
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const path = require("node:path");
const { execFileSync } = require("node:child_process");

const [siteFolder, referenceProgram] = process.argv.slice(2);
const kTolerance = 2e-6;

function referenceReader() {
  const bytes = execFileSync(referenceProgram, { maxBuffer: 256 << 20 });
  assert.strictEqual(bytes.toString("latin1", 0, 4), "NXR1");
  let offset = 4;
  return {
    u32() { const v = bytes.readUInt32LE(offset); offset += 4; return v; },
    floats(count) {
      const values = new Float32Array(count);
      for (let i = 0; i < count; ++i) values[i] = bytes.readFloatLE(offset + 4 * i);
      offset += 4 * count;
      return values;
    },
  };
}

// Largest difference per group of `width` channels.
function differences(actual, expected, width) {
  const result = new Float64Array(expected.length / width);
  for (let i = 0; i < expected.length; ++i) {
    const difference = Math.abs(actual[i] - expected[i]);
    const group = Math.floor(i / width);
    if (!(difference <= result[group])) result[group] = difference;
  }
  return result;
}

function largest(values) {
  let at = 0;
  for (let i = 1; i < values.length; ++i) if (values[i] > values[at]) at = i;
  return { at, value: values[at] };
}

// Runs an exported function over arrays copied into the module's memory.
function callWithArrays(core, name, inputs, count, outputFloats) {
  const pointers = inputs.map((array) => {
    const pointer = core._malloc(array.byteLength);
    core.HEAPF32.set(array, pointer >> 2);
    return pointer;
  });
  const output = core._malloc(outputFloats * 4);
  core[name](...pointers.slice(0, 1), ...pointers.slice(1), count, output);
  const result = core.HEAPF32.slice(output >> 2, (output >> 2) + outputFloats);
  for (const pointer of [...pointers, output]) core._free(pointer);
  return result;
}

test("the WebAssembly core shades as the native core", async (t) => {
  const core = await require(path.resolve(siteFolder, "nacreen-core.js"))();
  const reference = referenceReader();
  const perSample = core._explorer_packed_sample_floats();
  const count = reference.u32();
  const packed = reference.floats(count * perSample);
  const colours = reference.floats(count * 4);
  const films = reference.floats(count * 4);
  const adjusted = reference.floats(count * 4);
  const describe = (sample) =>
    `sample ${sample}: ${Array.from(packed.slice(sample * perSample, (sample + 1) * perSample)).join(", ")}`;
  assert.ok(count >= 10000, "the sweep is too small to mean anything");

  const wasmFilms = callWithArrays(core, "_explorer_film_colours", [packed], count, count * 4);
  await t.test("film colours agree within 2e-6", () => {
    const worst = largest(differences(wasmFilms, films, 4));
    assert.ok(worst.value <= kTolerance, `${describe(worst.at)} differs by ${worst.value}`);
  });

  await t.test("colour adjustment of the same film colours agrees within 2e-6", () => {
    const wasmAdjusted =
      callWithArrays(core, "_explorer_adjust_colours", [packed, films], count, count * 4);
    const worst = largest(differences(wasmAdjusted, adjusted, 4));
    assert.ok(worst.value <= kTolerance, `${describe(worst.at)} differs by ${worst.value}`);
  });

  await t.test("whole samples agree within 2e-6 unless the cosine's last bit differed", () => {
    const wasmColours = callWithArrays(core, "_explorer_shade_samples", [packed], count, count * 4);
    const shadeDifferences = differences(wasmColours, colours, 4);
    const filmDifferences = differences(wasmFilms, films, 4);
    let cosineBits = 0;
    for (let sample = 0; sample < count; ++sample) {
      if (filmDifferences[sample] !== 0) {
        ++cosineBits;
        continue;
      }
      assert.ok(shadeDifferences[sample] <= kTolerance,
        `${describe(sample)} differs by ${shadeDifferences[sample]} with identical film colours`);
    }
    assert.ok(cosineBits <= count / 1000,
      `${cosineBits} of ${count} film colours differ in their last bits`);
  });

  const imageCount = reference.u32();
  for (let index = 0; index < imageCount; ++index) {
    const kind = reference.u32(), width = reference.u32(), height = reference.u32();
    const chartRange = reference.floats(1)[0];
    const look = reference.floats(9);
    const pixels = reference.floats(width * height * 3);
    await t.test(`${kind === 0 ? "swatch" : "chart"} ${width}x${height} #${index} agrees`, () => {
      core._explorer_set_look(...look);
      const linear = kind === 0
        ? (core._explorer_render_swatch(width, height), core._explorer_swatch_linear())
        : (core._explorer_render_chart(width, height, chartRange), core._explorer_chart_linear());
      const actual = core.HEAPF32.slice(linear >> 2, (linear >> 2) + width * height * 3);
      const pixelDifferences = differences(actual, pixels, 3);
      const beyond = pixelDifferences.filter((d) => d > kTolerance).length;
      const worst = largest(pixelDifferences);
      const where = `(${worst.at % width}, ${Math.floor(worst.at / width)})`;
      // A cosine bit can show only in a rare pixel, and never as a visible step.
      assert.ok(beyond <= (width * height) / 2000, `${beyond} pixels differ by more than 2e-6`);
      assert.ok(worst.value < 0.5 / 255, `pixel ${where} differs by ${worst.value}`);
    });
  }
});
