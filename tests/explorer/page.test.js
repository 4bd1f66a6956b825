// The explorer page as a user meets it: opened from the built files in headless Chromium,
// driven with real mouse, keyboard and clipboard input.
//   node page.test.js SITE_FOLDER CHROMIUM [--screenshot FILE.png]
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const fs = require("node:fs");
const path = require("node:path");
const { pathToFileURL } = require("node:url");
const { HeadlessChromium } = require("./HeadlessChromium.js");

const [siteFolder, chromium, screenshotFlag, screenshotFile] = process.argv.slice(2);
const pageUrl = pathToFileURL(path.resolve(siteFolder, "index.html")).href;

// The looks as tools/looks.tsv gives them, read here on their own: title and values by name.
const kLooks = fs.readFileSync(path.resolve(__dirname, "../../tools/looks.tsv"), "utf8")
  .split("\n").filter((line) => line && !line.startsWith("#")).map((line) => {
    const [id, title, values] = line.split("\t");
    return { id, title, values: Object.fromEntries(values.split(" ").filter(Boolean).map((pair) => {
      const [name, value] = pair.split("=");
      return [name, value === "true" ? true : value === "false" ? false : Number(value)];
    })) };
  });

// What the page shows, read back from its controls and canvases.
const kReadState = `(() => {
  const values = {};
  for (const p of NacreenScript.lookParameters(NACREEN_PARAMETERS)) {
    const box = document.getElementById("check-" + p.name);
    values[p.name] = box ? box.checked : Number(document.getElementById("slider-" + p.name).value);
  }
  const digest = (id) => {
    const canvas = document.getElementById(id);
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let hash = 2166136261, colours = new Set();
    for (let i = 0; i < data.length; i += 4) {
      const colour = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
      colours.add(colour);
      hash = Math.imul(hash ^ colour, 16777619) >>> 0;
    }
    return { hash, colours: colours.size };
  };
  return { values, swatch: digest("swatch"), chart: digest("chart"),
           renders: Number(document.body.dataset.renders || 0),
           message: document.getElementById("message").textContent,
           snippet: document.getElementById("snippet").value };
})()`;

async function state(page) {
  return page.evaluate(kReadState);
}

// Waits for the render that follows an input, then reads the page.
async function afterRender(page, before) {
  await page.waitFor(`Number(document.body.dataset.renders) > ${before.renders}`);
  return state(page);
}

async function replaceText(page, selector, text) {
  await page.click(selector);
  await page.evaluate(`document.querySelector(${JSON.stringify(selector)}).select()`);
  await page.key("Delete", "Delete", 46);
  if (text) await page.type(text);
}

test("the explorer page in headless Chromium", async (t) => {
  const browser = new HeadlessChromium(chromium);
  try {
    const page = await browser.open(pageUrl, 1280, 1000);
    await page.waitFor("document.body.dataset.ready === 'true' && Number(document.body.dataset.renders) >= 1");
    const first = await state(page);

    await t.test("draws a swatch and a chart and says what it leaves out", async () => {
      assert.ok(first.swatch.colours > 200, `swatch has ${first.swatch.colours} colours`);
      assert.ok(first.chart.colours > 200, `chart has ${first.chart.colours} colours`);
      const notice = await page.evaluate("document.getElementById('notice').textContent");
      assert.match(notice.replace(/\s+/g, " "), /without the output adjustment of 3ds Max/);
    });

    await t.test("builds each control from the descriptor's table", async () => {
      const mismatches = await page.evaluate(`NacreenScript.lookParameters(NACREEN_PARAMETERS)
        .filter((p) => p.kind === "float")
        .filter((p) => { const s = document.getElementById("slider-" + p.name);
          return Number(s.min) !== p.min || Number(s.max) !== p.max || Number(s.step) !== p.step ||
                 Math.fround(Number(s.value)) !== Math.fround(p.default); })
        .map((p) => p.name)`);
      assert.deepStrictEqual(mismatches, []);
      assert.strictEqual(first.values.thicknessmax, 250);
      assert.strictEqual(first.values.thicknessmin, 350);
      assert.strictEqual(first.values.thicknessmapenabled, false);
    });

    await t.test("dragging a slider re-renders the swatch and the chart", async () => {
      const before = await state(page);
      await page.drag("#slider-thicknessmax", 0.1, 0.3);
      const after = await afterRender(page, before);
      assert.notStrictEqual(after.values.thicknessmax, before.values.thicknessmax);
      assert.notStrictEqual(after.swatch.hash, before.swatch.hash);
      assert.notStrictEqual(after.chart.hash, before.chart.hash);
      assert.match(after.snippet, new RegExp(`m\\.thicknessmax = ${after.values.thicknessmax}\\b`));
    });

    await t.test("keys step a slider by the descriptor's step", async () => {
      const before = await state(page);
      await page.click("#slider-nfilm");
      const clicked = await afterRender(page, before);
      await page.key("ArrowRight", "ArrowRight", 39);
      const after = await afterRender(page, clicked);
      assert.ok(Math.abs(after.values.nfilm - clicked.values.nfilm - 0.01) < 1e-6,
        `${clicked.values.nfilm} -> ${after.values.nfilm}`);
      assert.notStrictEqual(after.swatch.hash, clicked.swatch.hash);
    });

    await t.test("the check box brings in the thickness ramp", async () => {
      const before = await state(page);
      await page.click("#check-thicknessmapenabled");
      const after = await afterRender(page, before);
      assert.strictEqual(after.values.thicknessmapenabled, true);
      assert.notStrictEqual(after.swatch.hash, before.swatch.hash);
    });

    await t.test("a typed value is taken, and one out of range or not a number is refused", async () => {
      const before = await state(page);
      await replaceText(page, "#field-gamma", "2.2");
      await page.key("Enter", "Enter", 13, { text: "\r" });
      const typed = await afterRender(page, before);
      assert.strictEqual(typed.values.gamma, 2.2);
      assert.notStrictEqual(typed.swatch.hash, before.swatch.hash);
      for (const [text, shown] of [["25", "25"], ["1.5x", "1\\.5x"]]) {
        await replaceText(page, "#field-gamma", text);
        await page.key("Enter", "Enter", 13, { text: "\r" });
        await page.waitFor(`document.getElementById('message').textContent.includes('${text}')`);
        const after = await state(page);
        assert.match(after.message, new RegExp(`gamma: “${shown}” is not a number from 0\\.05 to 20; kept 2\\.2`));
        assert.deepStrictEqual(after.values, typed.values);
        assert.strictEqual(after.renders, typed.renders);
        assert.strictEqual(await page.evaluate("document.getElementById('field-gamma').value"), "2.2");
      }
    });

    await t.test("the MAXScript round trip restores every value", async () => {
      const look = await state(page);
      await page.click("#copy");
      await page.waitFor("document.getElementById('message').textContent.includes('copied')");
      await page.click("#preset-soap-film");
      const changed = await afterRender(page, look);
      assert.notDeepStrictEqual(changed.values, look.values);
      await replaceText(page, "#pasted", "");
      await page.key("v", "KeyV", 86, { modifiers: 2 /* Ctrl */, commands: ["paste"] });
      const pasted = await page.evaluate("document.getElementById('pasted').value");
      assert.strictEqual(pasted, look.snippet, "the clipboard did not carry the snippet");
      await page.click("#apply");
      const restored = await afterRender(page, changed);
      assert.deepStrictEqual(restored.values, look.values);
      assert.strictEqual(restored.swatch.hash, look.swatch.hash);
      assert.strictEqual(restored.snippet, look.snippet);
      assert.match(restored.message, /Applied 9 values/);
    });

    await t.test("bad MAXScript gets a clear message and changes nothing", async () => {
      const cases = [
        ["m.nfilm = 1.7\nm.nmedium = 500", /line 2: nmedium = 500 is out of range: nmedium takes 0\.2 to 100 \(nothing changed\)/],
        ["m.nfilm = 1.7\nm.shine = 2", /line 2: unknown parameter 'shine'/],
        ["m.gamma = abc", /line 1: gamma = abc is not a number/],
      ];
      for (const [text, message] of cases) {
        const before = await state(page);
        await replaceText(page, "#pasted", text);
        await page.click("#apply");
        const after = await state(page);
        assert.match(after.message, message);
        assert.deepStrictEqual(after.values, before.values);
        assert.strictEqual(after.renders, before.renders);
      }
    });

    await t.test("each preset sets its look of the looks file over the map's defaults", async () => {
      await page.click("#preset-default");
      const defaults = (await state(page)).values;
      const hashes = new Set();
      for (const look of kLooks) {
        const before = await state(page);
        await page.click("#preset-" + look.title.toLowerCase().replace(/[^a-z]+/g, "-"));
        const after = await afterRender(page, before);
        for (const [name, expected] of Object.entries({ ...defaults, ...look.values })) {
          const shown = after.values[name];
          assert.ok(typeof expected === "boolean" ? shown === expected : Math.abs(shown - expected) < 1e-6,
            `${look.title}: ${name} is ${shown}, the file says ${expected}`);
        }
        hashes.add(after.swatch.hash);
      }
      assert.strictEqual(hashes.size, kLooks.length);
      assert.match(await page.evaluate("document.getElementById('version').textContent"), /^\d+\.\d+\.\d+$/);
    });

    // The README's picture: the soap-film preset, the whole page in view.
    if (screenshotFlag === "--screenshot") {
      const before = await state(page);
      await page.click("#preset-soap-film");
      await afterRender(page, before);
      await page.resize(1600, 720);
      await page.evaluate("window.scrollTo(0, 0)");
      await page.screenshot(screenshotFile);
    }
  } finally {
    await browser.close();
  }
});
