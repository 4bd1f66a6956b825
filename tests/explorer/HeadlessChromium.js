// Headless Chromium driven over its DevTools pipe: no package beyond node itself. Input goes in
// as real browser input events (mouse, keys, typed text), the way a user's would.
"use strict";
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

// Root needs --no-sandbox; the background services stay off because the machine has no network.
const kFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--remote-debugging-pipe"];

class HeadlessChromium {
  constructor(executable) {
    this.profile = fs.mkdtempSync(path.join(os.tmpdir(), "nacreen-explorer-chromium-"));
    this.process = spawn(executable, [...kFlags, `--user-data-dir=${this.profile}`],
      { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"], detached: true });
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.stderr = "";
    this.process.stderr.on("data", (chunk) => { this.stderr += chunk; });
    let buffered = "";
    this.process.stdio[4].on("data", (chunk) => {
      buffered += chunk.toString("utf8");
      let end;
      while ((end = buffered.indexOf("\0")) >= 0) {
        this.receive(JSON.parse(buffered.slice(0, end)));
        buffered = buffered.slice(end + 1);
      }
    });
    this.exited = new Promise((resolve) => this.process.on("exit", resolve));
  }

  receive(message) {
    if (message.id && this.pending.has(message.id)) {
      const { resolve, reject, method } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) reject(new Error(`${method}: ${message.error.message}`));
      else resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = JSON.stringify({ id, method, params, ...(sessionId ? { sessionId } : {}) });
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.process.stdio[3].write(message + "\0");
    });
  }

  // A new tab of the given size, showing the URL once its load event has fired.
  async open(url, width, height) {
    const { targetId } = await this.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await this.send("Target.attachToTarget", { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.send("Page.enable");
    await page.resize(width, height);
    // The page's copy button writes to the clipboard, which a headless browser would otherwise
    // leave waiting for a user's permission.
    await this.send("Browser.grantPermissions",
      { permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] });
    const loaded = new Promise((resolve) => this.listeners.push((message) => {
      if (message.sessionId === sessionId && message.method === "Page.loadEventFired") resolve();
    }));
    await page.send("Page.navigate", { url });
    await loaded;
    return page;
  }

  async close() {
    try {
      await Promise.race([this.send("Browser.close"), new Promise((r) => setTimeout(r, 3000))]);
    } finally {
      if (this.process.exitCode === null) this.process.kill("SIGKILL");
      await this.exited;
      // The browser's helper processes (network service, renderers) share its process group,
      // started for it alone; none of them may outlive the test or write into a removed profile.
      try {
        process.kill(-this.process.pid, "SIGKILL");
      } catch (error) {
        if (error.code !== "ESRCH") throw error;
      }
      // Helper processes may still be letting go of the profile for a moment.
      fs.rmSync(this.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    }
  }
}

class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  // The value of a JavaScript expression in the page (promises awaited).
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send("Runtime.evaluate",
      { expression, returnByValue: true, awaitPromise: true, userGesture: true });
    if (exceptionDetails) {
      throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
    }
    return result.value;
  }

  async waitFor(expression, timeoutMs = 15000) {
    const deadline = Date.now() + timeoutMs;
    while (!(await this.evaluate(expression))) {
      if (Date.now() > deadline) throw new Error(`timed out waiting for ${expression}`);
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
  }

  async box(selector) {
    const box = await this.evaluate(`(() => { const element = document.querySelector(${JSON.stringify(selector)});
      element.scrollIntoView({ block: "center", inline: "center" });
      const r = element.getBoundingClientRect();
      return { x: r.left, y: r.top, width: r.width, height: r.height }; })()`);
    if (!box.width) throw new Error(`${selector} is not visible`);
    return box;
  }

  async mouse(type, x, y) {
    await this.send("Input.dispatchMouseEvent",
      { type, x, y, button: "left", buttons: type === "mouseReleased" ? 0 : 1, clickCount: 1 });
  }

  async click(selector) {
    const box = await this.box(selector);
    const x = box.x + box.width / 2, y = box.y + box.height / 2;
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
    await this.mouse("mousePressed", x, y);
    await this.mouse("mouseReleased", x, y);
  }

  // Presses the mouse at one share of the element's width and releases it at another.
  async drag(selector, fromShare, toShare) {
    const box = await this.box(selector);
    const y = box.y + box.height / 2;
    const at = (share) => box.x + box.width * share;
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x: at(fromShare), y });
    await this.mouse("mousePressed", at(fromShare), y);
    for (let step = 1; step <= 5; ++step) {
      await this.mouse("mouseMoved", at(fromShare + ((toShare - fromShare) * step) / 5), y);
    }
    await this.mouse("mouseReleased", at(toShare), y);
  }

  // A key press; `text` is what the key types ("\r" for Enter), if anything.
  async key(key, code, keyCode, { modifiers = 0, commands = [], text = undefined } = {}) {
    await this.send("Input.dispatchKeyEvent", { type: text ? "keyDown" : "rawKeyDown", key, code,
      windowsVirtualKeyCode: keyCode, modifiers, commands, ...(text ? { text } : {}) });
    await this.send("Input.dispatchKeyEvent",
      { type: "keyUp", key, code, windowsVirtualKeyCode: keyCode, modifiers });
  }

  async type(text) {
    await this.send("Input.insertText", { text });
  }

  async resize(width, height) {
    await this.send("Emulation.setDeviceMetricsOverride",
      { width, height, deviceScaleFactor: 1, mobile: false });
  }

  async screenshot(file) {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" });
    fs.writeFileSync(file, Buffer.from(data, "base64"));
  }
}

module.exports = { HeadlessChromium };
