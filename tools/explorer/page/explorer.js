// Nacreen Explorer: one control per parameter of the map's block (NACREEN_PARAMETERS, written
// from the plug-in's descriptor at build time), a button per look of tools/looks.tsv
// (NACREEN_LOOKS), the swatch and chart drawn by the shading core in WebAssembly, and the
// MAXScript that carries the look into 3ds Max.
"use strict";

const kSwatchSize = 256;
const kChartWidth = 480;
const kChartHeight = 256;
const kChartRanges = [1000, 2000, 3000]; // nm: the chart widens to hold the map's thicknesses

// How the page labels each parameter; the scripting name is shown beneath. The numbers come
// from the table, never from here.
const kLabels = {
  thicknessmax: "Thickness at map value 0, nm (rollout “Min:”)",
  thicknessmin: "Thickness at map value 1, nm (rollout “Max:”)",
  nmedium: "Index outside (“External:”)",
  nfilm: "Index of the film (“Film:”)",
  ninternal: "Index beneath (“Internal:”)",
  gamma: "Gamma",
  hue: "Hue shift, degrees",
  sat: "Saturation offset, %",
  thicknessmapenabled: "Use thickness map (here a ramp: 0 at the sphere's bottom, 1 at its top)",
};

// The looks name only what differs from the map's defaults.
const kPresets = [{ title: "Default", values: {} }, ...NACREEN_LOOKS];

const parameters = NacreenScript.lookParameters(NACREEN_PARAMETERS);
const values = {};
const inputs = {}; // name -> { slider, field } or { box }
let core = null;
let renderPending = false;

function defaults() {
  const result = {};
  for (const p of parameters) {
    result[p.name] = p.kind === "bool" ? p.default !== 0 : Math.fround(p.default);
  }
  return result;
}

function stepText(p) {
  return NacreenScript.formatFloat(p.step || 0.01).replace(/\.0$/, "");
}

function showMessage(text, kind) {
  const message = document.getElementById("message");
  message.textContent = text;
  message.className = "message " + (kind || "");
}

function labelFor(p, id) {
  const label = document.createElement("label");
  label.htmlFor = id;
  label.textContent = kLabels[p.name] || p.name;
  const name = document.createElement("span");
  name.className = "name";
  name.textContent = p.name;
  label.appendChild(name);
  return label;
}

function addFloatRow(container, p) {
  const row = document.createElement("div");
  row.className = "row";
  const slider = document.createElement("input");
  Object.assign(slider, { type: "range", id: "slider-" + p.name, min: p.min, max: p.max,
                          step: stepText(p) });
  const field = document.createElement("input");
  // A text field, so a refused entry can be quoted back as typed.
  Object.assign(field, { type: "text", inputMode: "decimal", id: "field-" + p.name });
  field.setAttribute("aria-label", p.name);
  slider.addEventListener("input", () => setValue(p.name, Math.fround(Number(slider.value))));
  field.addEventListener("change", () => takeFieldValue(p, field));
  row.append(labelFor(p, slider.id), slider, field);
  container.appendChild(row);
  inputs[p.name] = { slider, field };
}

// A typed value outside the range, or no number at all, is refused and the field shows the
// value in force again.
function takeFieldValue(p, field) {
  const number = NacreenScript.readNumber(field.value.trim());
  const value = Math.fround(number);
  if (number === undefined || !Number.isFinite(value) || value < Math.fround(p.min) || value > Math.fround(p.max)) {
    showMessage(`${p.name}: “${field.value}” is not a number from ${p.min} to ${p.max}; kept ${NacreenScript.formatFloat(values[p.name])}`, "error");
    showValue(p.name);
    return;
  }
  setValue(p.name, value);
}

function addBoolRow(container, p) {
  const row = document.createElement("div");
  row.className = "row check";
  const box = document.createElement("input");
  Object.assign(box, { type: "checkbox", id: "check-" + p.name });
  box.addEventListener("change", () => setValue(p.name, box.checked));
  row.append(labelFor(p, box.id), box);
  container.appendChild(row);
  inputs[p.name] = { box };
}

function buildControls() {
  const container = document.getElementById("sliders");
  for (const p of parameters) {
    (p.kind === "bool" ? addBoolRow : addFloatRow)(container, p);
  }
  const presets = document.getElementById("presets");
  for (const preset of kPresets) {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = preset.title;
    button.id = "preset-" + preset.title.toLowerCase().replace(/[^a-z]+/g, "-");
    button.addEventListener("click", () => setValues({ ...defaults(), ...preset.values }));
    presets.appendChild(button);
  }
}

function showValue(name) {
  const control = inputs[name];
  if (control.box) {
    control.box.checked = values[name];
  } else {
    control.slider.value = values[name];
    control.field.value = NacreenScript.formatFloat(values[name]).replace(/\.0$/, "");
  }
}

function setValue(name, value) {
  values[name] = value;
  showValue(name);
  lookChanged();
}

function setValues(newValues) {
  for (const [name, value] of Object.entries(newValues)) {
    values[name] = typeof value === "boolean" ? value : Math.fround(value);
    showValue(name);
  }
  lookChanged();
}

function lookChanged() {
  document.getElementById("snippet").value = NacreenScript.buildSnippet(
    NACREEN_PARAMETERS, values, document.getElementById("target").value);
  if (!renderPending) {
    renderPending = true;
    requestAnimationFrame(render);
  }
}

function chartRange() {
  const widest = Math.max(values.thicknessmax, values.thicknessmapenabled ? values.thicknessmin : 0);
  return kChartRanges.find((range) => range >= widest) || kChartRanges[kChartRanges.length - 1];
}

function paint(canvasId, pointer, width, height) {
  const image = new ImageData(width, height);
  image.data.set(core.HEAPU8.subarray(pointer, pointer + width * height * 4));
  document.getElementById(canvasId).getContext("2d").putImageData(image, 0, 0);
}

function render() {
  renderPending = false;
  core._explorer_set_look(values.thicknessmax, values.thicknessmin, values.nmedium, values.nfilm,
                          values.ninternal, values.gamma, values.hue, values.sat,
                          values.thicknessmapenabled ? 1 : 0);
  const start = performance.now();
  const swatch = core._explorer_render_swatch(kSwatchSize, kSwatchSize);
  const swatchTime = performance.now() - start;
  paint("swatch", swatch, kSwatchSize, kSwatchSize);
  const chart = core._explorer_render_chart(kChartWidth, kChartHeight, chartRange());
  paint("chart", chart, kChartWidth, kChartHeight);
  document.getElementById("timing").textContent =
    `Swatch ${kSwatchSize}×${kSwatchSize} shaded in ${swatchTime.toFixed(1)} ms; chart up to ${chartRange()} nm.`;
  document.body.dataset.renders = Number(document.body.dataset.renders || 0) + 1;
}

function applyPasted() {
  const result = NacreenScript.parseSnippet(NACREEN_PARAMETERS, document.getElementById("pasted").value);
  if (result.error) {
    showMessage(result.error + " (nothing changed)", "error");
    return;
  }
  setValues(result.values);
  showMessage(`Applied ${Object.keys(result.values).length} values from the snippet.`, "done");
}

async function copySnippet() {
  const snippet = document.getElementById("snippet");
  try {
    await navigator.clipboard.writeText(snippet.value);
  } catch (error) {
    // Without the asynchronous clipboard (a page opened from disk in some browsers) the
    // selection is copied instead.
    snippet.select();
    document.execCommand("copy");
  }
  showMessage("MAXScript copied: paste it into the MAXScript Listener of 3ds Max.", "done");
}

async function start() {
  document.getElementById("version").textContent = NACREEN_VERSION;
  core = await NacreenCore();
  buildControls();
  document.getElementById("target").addEventListener("change", lookChanged);
  document.getElementById("copy").addEventListener("click", copySnippet);
  document.getElementById("apply").addEventListener("click", applyPasted);
  setValues(defaults());
  document.body.dataset.ready = "true";
}

start().catch((error) => {
  showMessage("The shading core did not start: " + error, "error");
});
