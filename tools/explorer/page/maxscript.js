// MAXScript for a Nacreen look: the snippet the page offers, and the reader that takes one back.
// Plain functions of the parameter table, so node tests them without a browser.
"use strict";

(function (exports) {
  // The fewest significant digits that give back the same single-precision value, written the
  // way MAXScript writes a float ("250.0", "1.33", "-0.5").
  function formatFloat(value) {
    const target = Math.fround(value);
    let text = String(target);
    for (let digits = 1; digits <= 9; ++digits) {
      const candidate = Number(target.toPrecision(digits));
      if (Math.fround(candidate) === target) {
        text = String(candidate);
        break;
      }
    }
    if (/^-?\d+$/.test(text)) {
      text += ".0";
    }
    return text;
  }

  // The parameters a look sets: every number with a range, and the check boxes.
  function lookParameters(table) {
    return table.filter((p) => (p.kind === "float" && "min" in p) || p.kind === "bool");
  }

  function assignmentLines(table, values, variable) {
    return lookParameters(table).map((p) => {
      const value = p.kind === "bool" ? (values[p.name] ? "true" : "false") : formatFloat(values[p.name]);
      return `${variable}.${p.name} = ${value}`;
    });
  }

  const kHeader = "-- Nacreen look from Nacreen Explorer";
  const kRampNote = "-- the explorer's ramp stood in for a thickness map: set one as m.thicknessmap";

  // target "new": a new map in the active material-editor slot; "selected": the map already in
  // that slot, which must be a Nacreen map.
  function buildSnippet(table, values, target) {
    const rampNote = values.thicknessmapenabled ? [kRampNote] : [];
    if (target === "selected") {
      return [
        kHeader,
        "m = medit.GetCurMtl()",
        'if classOf m != Nacreen then messageBox "The active material-editor slot holds no Nacreen map." else (',
        ...assignmentLines(table, values, "m").map((line) => "    " + line),
        ")",
        ...rampNote,
      ].join("\n");
    }
    return [
      kHeader,
      "m = Nacreen()",
      ...assignmentLines(table, values, "m"),
      "meditMaterials[activeMeditSlot] = m",
      ...rampNote,
    ].join("\n");
  }

  // Lines of a snippet that carry no value: comments, the map's creation or lookup, the check
  // of its class and the bracket around the assignments, its placing in a slot.
  const kStructureLines = [
    /^$/,
    /^--/,
    /^\(?\s*\)?$/,
    /^[A-Za-z_]\w*\s*=\s*Nacreen\s*\(\s*\)$/,
    /^[A-Za-z_]\w*\s*=\s*medit\.GetCurMtl\s*\(\s*\)$/i,
    /^if\b.*\belse\s*\($/i,
    /^meditMaterials\s*\[[^\]]*\]\s*=\s*[A-Za-z_]\w*$/i,
  ];
  const kAssignment = /^[A-Za-z_]\w*\.([A-Za-z_]\w*)\s*=\s*(.*?)\s*$/;
  const kNumber = /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/;

  function rangeText(p) {
    return `${formatFloat(p.min).replace(/\.0$/, "")} to ${formatFloat(p.max).replace(/\.0$/, "")}`;
  }

  function readValue(p, text) {
    if (p.kind === "bool") {
      const lower = text.toLowerCase();
      if (lower === "true" || lower === "on") return { value: true };
      if (lower === "false" || lower === "off") return { value: false };
      return { error: `${p.name} = ${text} is not true or false` };
    }
    if (!kNumber.test(text)) {
      return { error: `${p.name} = ${text} is not a number: ${p.name} takes ${rangeText(p)}` };
    }
    const value = Math.fround(Number(text));
    if (!(value >= Math.fround(p.min) && value <= Math.fround(p.max))) {
      return { error: `${p.name} = ${text} is out of range: ${p.name} takes ${rangeText(p)}` };
    }
    return { value };
  }

  function readAssignment(table, name, text) {
    const p = table.find((q) => q.name.toLowerCase() === name.toLowerCase());
    const settable = lookParameters(table);
    if (!p) {
      const known = settable.map((q) => q.name).join(", ");
      return { error: `unknown parameter '${name}'; the parameters are ${known}` };
    }
    if (!settable.includes(p)) {
      return { error: `${p.name} holds a map or an object, not a value the explorer sets` };
    }
    return { name: p.name, ...readValue(p, text) };
  }

  // The values a snippet sets, by scripting name, or the first mistake as one line naming the
  // line number. Either every assignment is good or nothing is taken.
  function parseSnippet(table, text) {
    const values = {};
    const lines = text.split(/\r?\n/);
    for (let index = 0; index < lines.length; ++index) {
      for (const part of lines[index].split(";")) {
        const statement = part.replace(/--.*$/, "").trim();
        const where = `line ${index + 1}`;
        const assignment = kAssignment.exec(statement);
        if (assignment) {
          const result = readAssignment(table, assignment[1], assignment[2]);
          if (result.error) return { error: `${where}: ${result.error}` };
          values[result.name] = result.value;
        } else if (!kStructureLines.some((pattern) => pattern.test(statement))) {
          return { error: `${where}: "${statement}" is not an assignment like m.nfilm = 1.5` };
        }
      }
    }
    if (Object.keys(values).length === 0) {
      return { error: "the snippet sets no Nacreen parameter (expected lines like m.nfilm = 1.5)" };
    }
    return { values };
  }

  exports.formatFloat = formatFloat;
  exports.lookParameters = lookParameters;
  exports.buildSnippet = buildSnippet;
  exports.parseSnippet = parseSnippet;
})(typeof module !== "undefined" ? module.exports : (window.NacreenScript = {}));
