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

test("the snippet sets every value by its scripting name, in either material editor", () => {
  const snippet = script.buildSnippet(table, defaults(), "new");
  assert.match(snippet, /^m = Nacreen\(\)$/m);
  assert.match(snippet, /^m\.thicknessmax = 250\.0$/m);
  assert.match(snippet, /^m\.nfilm = 1\.5$/m);
  assert.match(snippet, /^m\.thicknessmapenabled = false$/m);
  // Slate: a node in the active view, shown in the Parameter Editor; Compact: the active slot.
  assert.match(snippet, /^if MatEditor\.mode == #advanced then \($/m);
  assert.match(snippet, /\(sme\.GetView sme\.activeView\)\.CreateNode m \[0, 0\]$/m);
  assert.match(snippet, /^    sme\.SetMtlInParamEditor m$/m);
  assert.match(snippet, /^\) else meditMaterials\[activeMeditSlot\] = m$/m);
  const selected = script.buildSnippet(table, defaults(), "selected");
  assert.match(selected, /^m = if MatEditor\.mode == #advanced then sme\.GetMtlInParamEditor\(\) else medit\.GetCurMtl\(\)$/m);
});

test("the forms a user pastes read: any case, slots, the constructor, comments, other lines", () => {
  const cases = [
    ["-- a look\nmap = Nacreen()\nmap.NFilm = 1.2; map.gamma = .5 -- darker\nmap.ThicknessMapEnabled = on",
     { nfilm: Math.fround(1.2), gamma: 0.5, thicknessmapenabled: true }],
    ["meditMaterials[1].nfilm = 1.33\nmeditMaterials[activeMeditSlot].SAT = -20",
     { nfilm: Math.fround(1.33), sat: -20 }],
    ["m = Nacreen nfilm:1.33 gamma:0.5 hue:-30 thicknessmapenabled:true", 
     { nfilm: Math.fround(1.33), gamma: 0.5, hue: -30, thicknessmapenabled: true }],
    ["meditMaterials[2] = Nacreen nFilm:1.47 \\\n    ninternal:1.33 /* water */ sat:+30\nrender()",
     { nfilm: Math.fround(1.47), ninternal: Math.fround(1.33), sat: 30 }],
  ];
  for (const [text, values] of cases) {
    const read = script.parseSnippet(table, text);
    assert.strictEqual(read.error, undefined, read.error);
    assert.deepStrictEqual(read.values, values);
  }
});

test("any pasted text is answered at once: a length limit, and one pass over what is under it", () => {
  const limit = script.kMaxSnippetLength;
  assert.match(script.parseSnippet(table, "m.nfilm = 1.5\n" + " ".repeat(limit)).error,
    /^the snippet is longer than 100000 characters/);
  // Text that makes backtracking readers take quadratic or exponential time, at the limit.
  for (const hostile of ["m.nfilm = " + "1".repeat(limit - 20) + "x",
                         "Nacreen " + "a:1 ".repeat((limit - 10) / 4),
                         "m" + "[".repeat(limit - 10),
                         "/*" + "*".repeat(limit - 10),
                         "\"" + "\\".repeat(limit / 2 - 2),
                         "m.nfilm = 1.5;".repeat(limit / 14)]) {
    assert.notStrictEqual(script.parseSnippet(table, hostile.slice(0, limit)), undefined);
  }
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
    ["m = Nacreen nfilm:1.5 gamma", /^line 1: "Nacreen nfilm:1\.5 gamma" is not a constructor like Nacreen nfilm:1\.5/],
    ["Nacreen shine:2", /^line 1: unknown parameter 'shine'/],
    ["render()", /sets no Nacreen parameter/],
    ["", /sets no Nacreen parameter/],
    ["-- only a comment", /sets no Nacreen parameter/],
  ];
  for (const [text, message] of cases) {
    const read = script.parseSnippet(table, text);
    assert.strictEqual(read.values, undefined, text);
    assert.match(read.error, message);
  }
});
