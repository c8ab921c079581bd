// What the browser test and the browser benchmark share: the site served on
// this machine alone (scripts/serve-web.py, on a port of its own), and
// Debian's headless Chromium with WebGL in software and nothing of its own
// on the network.
"use strict";

const { spawn } = require("child_process");
const path = require("path");
const puppeteer = require("puppeteer-core");

const serve = path.join(__dirname, "..", "..", "scripts", "serve-web.py");
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

// Serves SITE; resolves to its address and a stop().
async function serveSite(site) {
    const port = 20000 + Math.floor(Math.random() * 20000);
    const server = spawn("/usr/bin/python3", [serve, site, String(port)], { stdio: "ignore" });
    await pause(500);
    return { url: `http://127.0.0.1:${port}/`, stop: () => server.kill() };
}

// The browser's first language is LANG (it-IT, en-US), which sets the
// decimal separator; PROFILE is its profile folder.
function launchChromium(lang, profile) {
    return puppeteer.launch({
        executablePath: "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
               `--accept-lang=${lang}`, `--lang=${lang}`],
    });
}

module.exports = { launchChromium, pause, serveSite };
