// WebKit (Safari's engine) through Debian's WebKitWebDriver, spoken to in
// plain WebDriver over HTTP with Node.js's own fetch, and shown to the
// browser test as the few parts of a puppeteer page its rows use: going to
// an address, scripts, the keyboard, clicks, waits, and an element's
// computed role and name. WebKitWebDriver runs MiniBrowser on a private X
// server (Xvfb, on a display it picks), in the language LANG names, from a
// private copy of the C library's locale (LOCPATH) so that the machine's
// are not touched.
"use strict";

const { execFileSync, spawn } = require("child_process");
const fs = require("fs");
const net = require("net");
const os = require("os");
const path = require("path");

const miniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

// WebDriver's codes for the keys the rows press.
const keyCodes = {
    Tab: "\uE004", Enter: "\uE007", Escape: "\uE00C", ArrowDown: "\uE015", ArrowUp: "\uE013",
    Backspace: "\uE003", Shift: "\uE008",
};
const keyCode = (name) => keyCodes[name] ?? name;

function freePort() {
    return new Promise((resolve, reject) => {
        const server = net.createServer();
        server.listen(0, "127.0.0.1", () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
        server.on("error", reject);
    });
}

// A locale of the C library for LANG (it-IT), made in FOLDER.
function privateLocale(lang, folder) {
    const name = `${lang.replace("-", "_")}.UTF-8`;
    execFileSync("localedef", ["-i", lang.replace("-", "_"), "-f", "UTF-8", path.join(folder, name)]);
    return name;
}

class WebKitPage {
    constructor(base, session) {
        this.base = base;
        this.session = session;
        this.keyboard = {
            press: (key) => this.keys([["keyDown", key], ["keyUp", key]]),
            down: (key) => this.keys([["keyDown", key]]),
            up: (key) => this.keys([["keyUp", key]]),
        };
    }

    async call(method, route, body) {
        const answer = await fetch(`${this.base}/session/${this.session}${route}`, {
            method, headers: { "content-type": "application/json" },
            body: body === undefined ? undefined : JSON.stringify(body),
        });
        const { value } = await answer.json();
        if (value && value.error)
            throw new Error(`WebKitWebDriver: ${value.error}: ${value.message}`);
        return value;
    }

    keys(steps) {
        const actions = steps.map(([type, key]) => ({ type, value: keyCode(key) }));
        return this.call("POST", "/actions", { actions: [{ type: "key", id: "keyboard", actions }] });
    }

    // A function of the page, with ARGS; a promise it returns is waited for.
    evaluate(fn, ...args) {
        return this.call("POST", "/execute/sync", { script: `return (${fn}).apply(null, arguments);`, args });
    }

    $eval(selector, fn, ...args) {
        return this.evaluate(`(selector, ...args) => (${fn})(document.querySelector(selector), ...args)`,
                             selector, ...args);
    }

    $$eval(selector, fn, ...args) {
        return this.evaluate(`(selector, ...args) => (${fn})([...document.querySelectorAll(selector)], ...args)`,
                             selector, ...args);
    }

    async $(selector) {
        return await this.evaluate((s) => document.querySelector(s) !== null, selector) || null;
    }

    async element(selector) {
        const found = await this.call("POST", "/element", { using: "css selector", value: selector });
        return Object.values(found)[0];
    }

    goto(url) {
        return this.call("POST", "/url", { url });
    }

    reload() {
        return this.call("POST", "/refresh", {});
    }

    async click(selector) {
        await this.call("POST", `/element/${await this.element(selector)}/click`, {});
    }

    async type(selector, text) {
        await this.call("POST", `/element/${await this.element(selector)}/value`, { text });
    }

    async focus(selector) {
        await this.$eval(selector, (control) => control.focus());
    }

    async waitForFunction(fn, options = {}, ...args) {
        const limit = Date.now() + (options.timeout ?? 30000);
        for (;;) {
            const value = await this.evaluate(fn, ...args);
            if (value)
                return { jsonValue: async () => value };
            if (Date.now() > limit)
                throw new Error(`waited ${options.timeout ?? 30000} ms for ${fn}`);
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
    }

    waitForSelector(selector, options) {
        return this.waitForFunction((s) => document.querySelector(s) !== null, options, selector);
    }

    async screenshot({ path: file }) {
        fs.writeFileSync(file, Buffer.from(await this.call("GET", "/screenshot"), "base64"));
    }

    // The role and name the engine gives a screen reader.
    async named(selector) {
        const element = await this.element(selector);
        const role = await this.call("GET", `/element/${element}/computedrole`);
        const name = await this.call("GET", `/element/${element}/computedlabel`);
        return `${role} «${name}»`;
    }
}

// A private X server on a display it picks, which it names once it is up.
function privateX() {
    const server = spawn("Xvfb", ["-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"],
                         { stdio: ["ignore", "ignore", "ignore", "pipe"] });
    return new Promise((resolve, reject) => {
        const limit = setTimeout(() => {
            server.kill();
            reject(new Error("Xvfb did not name its display within 30 s"));
        }, 30000);
        let said = "";
        server.stdio[3].on("data", (chunk) => {
            said += chunk;
            if (said.endsWith("\n")) {
                clearTimeout(limit);
                const ended = new Promise((done) => server.on("exit", done));
                resolve({ display: `:${said.trim()}`, stop: () => { server.kill(); return ended; } });
            }
        });
        server.on("exit", (code) => {
            clearTimeout(limit);
            reject(new Error(`Xvfb ended (${code}) before it named its display`));
        });
    });
}

// WebKitWebDriver on a private X server, and one session in LANG.
async function launchWebKit(lang) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-webkit-"));
    const x = await privateX();
    const env = { ...process.env, DISPLAY: x.display, LOCPATH: folder, LANG: privateLocale(lang, folder), LC_ALL: "" };
    const port = await freePort();
    const driver = spawn("WebKitWebDriver", [`--port=${port}`], { env, stdio: "ignore" });
    const driverEnded = new Promise((done) => driver.on("exit", done));
    // Each ends before the next goes, and before the test goes on.
    const stop = async () => {
        driver.kill();
        await driverEnded;
        await x.stop();
        fs.rmSync(folder, { recursive: true, force: true });
    };
    const base = `http://127.0.0.1:${port}`;
    try {
        const limit = Date.now() + 30000;
        while (!await fetch(`${base}/status`).then((answer) => answer.ok, () => false)) {
            if (Date.now() > limit)
                throw new Error("WebKitWebDriver did not answer within 30 s");
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
        const answer = await fetch(`${base}/session`, {
            method: "POST", headers: { "content-type": "application/json" },
            body: JSON.stringify({ capabilities: { alwaysMatch: {
                "webkitgtk:browserOptions": { binary: miniBrowser, args: ["--automation"] } } } }),
        }).then((reply) => reply.json());
        if (!answer.value.sessionId)
            throw new Error(`WebKitWebDriver: ${JSON.stringify(answer.value)}`);
        const page = new WebKitPage(base, answer.value.sessionId);
        const version = `WebKitGTK ${answer.value.capabilities.browserVersion}`;
        return {
            page, version,
            close: async () => {
                await fetch(`${base}/session/${page.session}`, { method: "DELETE" }).catch(() => {});
                await stop();
            },
        };
    } catch (error) {
        await stop();
        throw error;
    }
}

module.exports = { launchWebKit };
