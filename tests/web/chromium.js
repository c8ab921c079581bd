// What the browser test and the browser benchmark share: the site served on
// this machine alone (scripts/serve-web.py, on a port of its own), and
// Debian's headless Chromium with WebGL in software and nothing of its own
// on the network.
"use strict";

const { spawn } = require("child_process");
const path = require("path");
const puppeteer = require("puppeteer-core");

const serve = path.join(__dirname, "..", "..", "scripts", "serve-web.py");

// Serves SITE on a port the system picks; resolves, once the server says
// where it listens, to its address and a stop().
function serveSite(site) {
    const server = spawn("/usr/bin/python3", [serve, site, "0"], { stdio: ["ignore", "pipe", "ignore"] });
    return new Promise((resolve, reject) => {
        const limit = setTimeout(() => {
            server.kill();
            reject(new Error("the site's server did not say where it listens within 30 s"));
        }, 30000);
        let said = "";
        server.stdout.on("data", (chunk) => {
            said += chunk;
            const address = said.match(/http:\/\/127\.0\.0\.1:\d+\//);
            if (address) {
                clearTimeout(limit);
                resolve({ url: address[0], stop: () => server.kill() });
            }
        });
        server.on("exit", (code) => {
            clearTimeout(limit);
            reject(new Error(`the site's server ended (${code}) before it listened`));
        });
    });
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

module.exports = { launchChromium, serveSite };
