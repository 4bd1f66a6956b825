// The explorer's MAXScript writer and reader, against the parameter table the build wrote from
// the plug-in's descriptor.
//   node maxscript.test.js SITE_FOLDER
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const fs = require("node:fs");
const path = require("node:path");
const vm = require("node:vm");

const siteFolder = process.argv[2];
const script = require(path.resolve(siteFolder, "maxscript.js"));
// The page's table script declares a global; read it in a context of its own, then bring its
// plain data over.
const table = JSON.parse(vm.runInNewContext(
  fs.readFileSync(path.join(siteFolder, "parameters.js"), "utf8") +
  "\nJSON.stringify(NACREEN_PARAMETERS);"));
const settable = script.lookParameters(table);

function defaults() {
  return Object.fromEntries(settable.map((p) =>
    [p.name, p.kind === "bool" ? p.default !== 0 : Math.fround(p.default)]));
}

// Values spread over each range, with awkward single-precision fractions.
function awkwardValues(seed) {
  const values = {};
  let state = seed;
  for (const p of settable) {
    state = (state * 1103515245 + 12345) % 2147483648;
    const share = state / 2147483648;
    values[p.name] = p.kind === "bool" ? share < 0.5 : Math.fround(p.min + (p.max - p.min) * share);
  }
  return values;
}

test("the table holds the map's eight numbers and its check box", () => {
  assert.deepStrictEqual(settable.map((p) => p.name),
    ["thicknessmax", "thicknessmin", "nmedium", "nfilm", "ninternal", "thicknessmapenabled",
     "gamma", "hue", "sat"]);
});

test("a snippet reads back to exactly the values it was written from", () => {
  const looks = [defaults(), awkwardValues(1), awkwardValues(2), awkwardValues(3)];
  for (const values of looks) {
    for (const target of ["new", "selected"]) {
      const read = script.parseSnippet(table, script.buildSnippet(table, values, target));
      assert.strictEqual(read.error, undefined, read.error);
      assert.deepStrictEqual(read.values, values);
    }
  }
});

test("range ends and steps survive the trip as the same single-precision numbers", () => {
  for (const p of settable.filter((q) => q.kind === "float")) {
    for (const value of [p.min, p.max, p.min + p.step, p.default]) {
      const text = script.formatFloat(value);
      assert.strictEqual(Math.fround(Number(text)), Math.fround(value), `${p.name} ${text}`);
    }
  }
});

test("the snippet sets every value by its scripting name", () => {
  const snippet = script.buildSnippet(table, defaults(), "new");
  assert.match(snippet, /^m = Nacreen\(\)$/m);
  assert.match(snippet, /^m\.thicknessmax = 250\.0$/m);
  assert.match(snippet, /^m\.thicknessmin = 350\.0$/m);
  assert.match(snippet, /^m\.nfilm = 1\.5$/m);
  assert.match(snippet, /^m\.thicknessmapenabled = false$/m);
  assert.match(script.buildSnippet(table, defaults(), "selected"), /medit\.GetCurMtl\(\)/);
});

test("MAXScript's own forms read: any case, semicolons, trailing comments", () => {
  const read = script.parseSnippet(table,
    "-- a look\nmap = Nacreen()\nmap.NFilm = 1.2; map.gamma = .5 -- darker\nmap.ThicknessMapEnabled = on");
  assert.deepStrictEqual(read.values, { nfilm: Math.fround(1.2), gamma: 0.5, thicknessmapenabled: true });
});

test("bad input is refused with one line naming the line and the mistake", () => {
  const cases = [
    ["m.nfilm = 1.5\nm.shininess = 3", /^line 2: unknown parameter 'shininess'; the parameters are thicknessmax, /],
    ["m.nmedium = 200", /^line 1: nmedium = 200 is out of range: nmedium takes 0\.2 to 100$/],
    ["m.gamma = 0.04", /out of range: gamma takes 0\.05 to 20$/],
    ["m.hue = -180.1", /out of range: hue takes -180 to 180$/],
    ["m.thicknessmax = 12abc", /^line 1: thicknessmax = 12abc is not a number: thicknessmax takes 0 to 3000$/],
    ["m.nfilm = ", /nfilm =  is not a number/],
    ["m.nfilm = nan", /is not a number/],
    ["m.nfilm = 1e999", /out of range/],
    ["m.thicknessmapenabled = maybe", /thicknessmapenabled = maybe is not true or false/],
    ["m.thicknessmap = Noise()", /thicknessmap holds a map or an object/],
    ["m.nfilm = 1.5\nrender()", /^line 2: "render\(\)" is not an assignment like m\.nfilm = 1\.5$/],
    ["", /sets no Nacreen parameter/],
    ["-- only a comment", /sets no Nacreen parameter/],
  ];
  for (const [text, message] of cases) {
    const read = script.parseSnippet(table, text);
    assert.strictEqual(read.values, undefined, text);
    assert.match(read.error, message);
  }
});
