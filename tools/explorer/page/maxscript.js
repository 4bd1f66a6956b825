// MAXScript for a Nacreen look: the snippet the page offers, and the reader that takes one back.
// Plain functions of the parameter table, so node tests them without a browser. The reader
// walks the text once, character by character, and refuses text longer than a snippet could
// be: whatever is pasted, it answers at once.
"use strict";

(function (exports) {
  const kMaxSnippetLength = 100000;

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
    return Number.isInteger(Number(text)) && !text.includes("e") ? text + ".0" : text;
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

  // target "new": a new map, shown in the material editor in use (Slate: a node in the active
  // view and the Parameter Editor; Compact: the active sample slot). "selected": the map that
  // editor shows, which must be a Nacreen map.
  function buildSnippet(table, values, target) {
    const rampNote = values.thicknessmapenabled ? [kRampNote] : [];
    if (target === "selected") {
      return [
        kHeader,
        "m = if MatEditor.mode == #advanced then sme.GetMtlInParamEditor() else medit.GetCurMtl()",
        'if classOf m != Nacreen then messageBox "The material editor shows no Nacreen map." else (',
        ...assignmentLines(table, values, "m").map((line) => "    " + line),
        ")",
        ...rampNote,
      ].join("\n");
    }
    return [
      kHeader,
      "m = Nacreen()",
      ...assignmentLines(table, values, "m"),
      "if MatEditor.mode == #advanced then (",
      "    if sme.activeView > 0 do (sme.GetView sme.activeView).CreateNode m [0, 0]",
      "    sme.SetMtlInParamEditor m",
      ") else meditMaterials[activeMeditSlot] = m",
      ...rampNote,
    ].join("\n");
  }

  // ---- reading ----------------------------------------------------------------------------

  function isDigit(c) {
    return c >= "0" && c <= "9";
  }
  function isNameStart(c) {
    return (c >= "a" && c <= "z") || (c >= "A" && c <= "Z") || c === "_";
  }
  function isNameChar(c) {
    return isNameStart(c) || isDigit(c);
  }

  // The end of the number that starts at `at` (digits, a fraction, an exponent), or `at` when
  // none starts there.
  function numberEnd(text, at) {
    let end = at;
    let digits = 0;
    while (end < text.length && isDigit(text[end])) { ++end; ++digits; }
    if (text[end] === ".") {
      ++end;
      while (end < text.length && isDigit(text[end])) { ++end; ++digits; }
    }
    if (digits === 0) return at;
    if (text[end] === "e" || text[end] === "E") {
      let exponent = end + 1;
      if (text[exponent] === "+" || text[exponent] === "-") ++exponent;
      const start = exponent;
      while (exponent < text.length && isDigit(text[exponent])) ++exponent;
      if (exponent > start) end = exponent;
    }
    return end;
  }

  // A plain decimal number, sign allowed, and nothing else: its value, or undefined.
  function readNumber(text) {
    const start = text[0] === "+" || text[0] === "-" ? 1 : 0;
    if (text.length > 64 || numberEnd(text, start) !== text.length || start === text.length) {
      return undefined;
    }
    return Number(text);
  }

  // The statements of a snippet, each a list of tokens {kind, text, start, end} and its line.
  // Statements end at a line's end (unless a backslash continues it) and at ";"; comments
  // ("--" to the end of the line, "/* */") and strings are skipped or kept whole.
  function statementsOf(text) {
    const statements = [];
    let tokens = [];
    let line = 1;
    let statementLine = 1;
    const end = () => {
      if (tokens.length > 0) statements.push({ tokens, line: statementLine });
      tokens = [];
    };
    const push = (kind, start, stop) => {
      if (tokens.length === 0) statementLine = line;
      tokens.push({ kind, text: text.slice(start, stop), start, end: stop });
    };
    let at = 0;
    while (at < text.length) {
      const c = text[at];
      if (c === "\n") {
        ++line;
        ++at;
        end();
      } else if (c === ";") {
        ++at;
        end();
      } else if (c === " " || c === "\t" || c === "\r") {
        ++at;
      } else if (c === "\\" && (text[at + 1] === "\n" || text[at + 1] === "\r")) {
        // A line continued on the next.
        at += text[at + 1] === "\r" && text[at + 2] === "\n" ? 3 : 2;
        ++line;
      } else if (c === "-" && text[at + 1] === "-") {
        while (at < text.length && text[at] !== "\n") ++at;
      } else if (c === "/" && text[at + 1] === "*") {
        at += 2;
        while (at < text.length && !(text[at] === "*" && text[at + 1] === "/")) {
          if (text[at] === "\n") ++line;
          ++at;
        }
        at += 2;
      } else if (c === '"') {
        const start = at++;
        while (at < text.length && text[at] !== '"' && text[at] !== "\n") at += text[at] === "\\" ? 2 : 1;
        push("string", start, ++at);
      } else if (isNameStart(c) || c === "$" || c === "#") {
        const start = at++;
        while (at < text.length && isNameChar(text[at])) ++at;
        push(c === "$" ? "path" : c === "#" ? "symbol" : "name", start, at);
      } else if (isDigit(c) || (c === "." && isDigit(text[at + 1] || ""))) {
        const start = at;
        at = numberEnd(text, at);
        while (at < text.length && isNameChar(text[at])) ++at; // "12abc" stays one bad token
        push("number", start, at);
      } else {
        push("punct", at, ++at);
      }
    }
    end();
    return statements;
  }

  function same(a, b) {
    return a.toLowerCase() === b.toLowerCase();
  }

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
    const number = readNumber(text);
    if (number === undefined) {
      return { error: `${p.name} = ${text} is not a number: ${p.name} takes ${rangeText(p)}` };
    }
    const value = Math.fround(number);
    if (!(value >= Math.fround(p.min) && value <= Math.fround(p.max))) {
      return { error: `${p.name} = ${text} is out of range: ${p.name} takes ${rangeText(p)}` };
    }
    return { value };
  }

  function readAssignment(table, name, text) {
    const p = table.find((q) => same(q.name, name));
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

  // Where the target of an assignment ends: a variable ("m"), or a slot ("meditMaterials[1]").
  function targetEnd(tokens) {
    if (tokens.length === 0 || tokens[0].kind !== "name") return -1;
    if (tokens[1] && tokens[1].text === "[") {
      const close = tokens.findIndex((t, i) => i > 1 && t.text === "]");
      return close < 0 ? -1 : close + 1;
    }
    return 1;
  }

  // The property assignments a statement makes, as [name, value text] pairs; null when it is
  // neither "target.name = value" nor "[target =] Nacreen [name:value ...]", which the reader
  // passes over (the snippet's own lines that place the map, a user's other lines).
  function assignmentsOf(statement, text) {
    const tokens = statement.tokens;
    const rest = (from) => (from < tokens.length ? text.slice(tokens[from].start, tokens[tokens.length - 1].end) : "");
    let at = targetEnd(tokens);
    if (at > 0 && tokens[at] && tokens[at].text === "." && tokens[at + 1] && tokens[at + 1].kind === "name" &&
        tokens[at + 2] && tokens[at + 2].text === "=") {
      return [[tokens[at + 1].text, rest(at + 3)]];
    }
    at = at > 0 && tokens[at] && tokens[at].text === "=" ? at + 1 : 0;
    if (!tokens[at] || tokens[at].kind !== "name" || !same(tokens[at].text, "Nacreen")) return null;
    const pairs = [];
    for (let i = at + 1; i < tokens.length;) {
      if (tokens[i].text === "(" && tokens[i + 1] && tokens[i + 1].text === ")" && i + 2 === tokens.length) break;
      if (tokens[i].kind !== "name" || !tokens[i + 1] || tokens[i + 1].text !== ":") {
        return [[null, rest(at)]];
      }
      // A value is one token, or a sign and a number.
      let stop = i + 3;
      if (tokens[i + 2] && (tokens[i + 2].text === "-" || tokens[i + 2].text === "+")) ++stop;
      const value = tokens[i + 2] ? text.slice(tokens[i + 2].start, tokens[Math.min(stop, tokens.length) - 1].end) : "";
      pairs.push([tokens[i].text, value]);
      i = stop;
    }
    return pairs;
  }

  // The values a snippet sets, by scripting name, or the first mistake as one line naming the
  // line number. Either every assignment is good or nothing is taken.
  function parseSnippet(table, text) {
    if (text.length > kMaxSnippetLength) {
      return { error: `the snippet is longer than ${kMaxSnippetLength} characters; paste only its Nacreen lines` };
    }
    const values = {};
    for (const statement of statementsOf(text)) {
      const where = `line ${statement.line}`;
      const assignments = assignmentsOf(statement, text);
      for (const [name, value] of assignments || []) {
        if (name === null) {
          return { error: `${where}: "${value}" is not a constructor like Nacreen nfilm:1.5 gamma:0.8` };
        }
        const result = readAssignment(table, name, value);
        if (result.error) return { error: `${where}: ${result.error}` };
        values[result.name] = result.value;
      }
    }
    if (Object.keys(values).length === 0) {
      return { error: "the snippet sets no Nacreen parameter (expected lines like m.nfilm = 1.5)" };
    }
    return { values };
  }

  exports.formatFloat = formatFloat;
  exports.readNumber = readNumber;
  exports.lookParameters = lookParameters;
  exports.buildSnippet = buildSnippet;
  exports.parseSnippet = parseSnippet;
  exports.kMaxSnippetLength = kMaxSnippetLength;
})(typeof module !== "undefined" ? module.exports : (window.NacreenScript = {}));
