// What the browser test and the browser benchmark share: the site served on
// this machine alone (scripts/serve-web.py, on a port of its own, its log of
// requests kept), and the three engines a school's browsers are made of,
// each from Debian and each driven as far as its driver can:
//
//   chromium   Debian's Chromium (Chrome, Edge), headless, through
//              puppeteer-core over CDP: everything the rows do;
//   firefox    Debian's Firefox ESR (Gecko), headless, through puppeteer-core
//              over WebDriver BiDi: no CDP, so no input method's text, no
//              accessibility tree, no touch;
//   webkit     WebKitGTK (Safari's engine) through WebKitWebDriver
//              (webdriver.js): no device emulation, no printing, and no
//              request log of its own, so the server's shows the requests.
"use strict";

const { spawn } = require("child_process");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { launchWebKit } = require("./webdriver");

const serve = path.join(__dirname, "..", "..", "scripts", "serve-web.py");

// Serves SITE on a port the system picks; resolves, once the server says
// where it listens, to its address, its log of requests so far ("GET
// /page.js 200"), and a stop().
function serveSite(site) {
    const server = spawn("/usr/bin/python3", [serve, site, "0"], { stdio: ["ignore", "pipe", "pipe"] });
    const log = [];
    let partial = "";
    server.stderr.on("data", (chunk) => {
        const lines = (partial + chunk).split("\n");
        partial = lines.pop();
        for (const line of lines) {
            const request = line.match(/"(\w+) (\S+) HTTP\/[\d.]+" (\d+)/);
            if (request)
                log.push(`${request[1]} ${request[2]} ${request[3]}`);
        }
    });
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
                const ended = new Promise((done) => server.on("exit", done));
                resolve({ url: address[0], log, stop: () => { server.kill(); return ended; } });
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
               `--accept-lang=${lang}`, `--lang=${lang}`],
    });
}

function launchFirefox(lang, profile) {
    return puppeteer.launch({
        browser: "firefox",
        executablePath: "/usr/bin/firefox-esr",
        headless: true,
        userDataDir: profile,
        extraPrefsFirefox: { "intl.accept_languages": lang, "intl.locale.requested": lang },
    });
}

// A puppeteer browser's page, as the rows use it.
async function puppeteerPage(browser) {
    const page = await browser.newPage();
    return {
        page, version: await browser.version(), close: () => browser.close(),
        cdp: browser.protocol === "cdp" ? await page.createCDPSession() : null,
    };
}

// What each engine's driver cannot do, and why: a row that needs it is
// not driven there.
const engines = {
    chromium: {
        open: async (lang, profile) => puppeteerPage(await launchChromium(lang, profile)),
        cannot: {},
        named: async (page, selector) => {
            const node = await page.accessibility.snapshot({ root: await page.$(selector), interestingOnly: false });
            return node ? `${node.role} «${node.name}»` : "nothing";
        },
    },
    firefox: {
        open: async (lang, profile) => puppeteerPage(await launchFirefox(lang, profile)),
        cannot: {
            insertText: "WebDriver BiDi has no input method's text (CDP's Input.insertText)",
            accessibility: "puppeteer's accessibility tree needs CDP, which Firefox does not speak",
            touch: "WebDriver BiDi emulates no touch screen (hasTouch)",
        },
    },
    webkit: {
        open: (lang) => launchWebKit(lang),
        cannot: {
            insertText: "WebDriver has no input method's text",
            touch: "WebKitWebDriver emulates no device: no touch, size or pixel density",
            print: "WebKitWebDriver answers Print Page with \"Unknown command\"",
            beforeunload: "WebDriver answers a page's question before leaving itself",
            userAgent: "WebKitWebDriver sets no user agent",
            httpCache: "its automation session keeps no HTTP cache: a file fetched twice reaches the server "
                + "twice, with no validator",
        },
        named: (page, selector) => page.named(selector),
    },
};

module.exports = { engines, launchChromium, serveSite };
