// Loads the site in headless Chromium RUNS times (after one warm-up load,
// each in a fresh profile, so nothing comes from the browser's cache) and
// prints the time from navigation to the first usable window: the module
// loaded, every handler bound and the window painted; median and range.
//
//   node web_first_paint.js SITE_FOLDER RUNS
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { launchChromium, serveSite } = require(path.join(__dirname, "..", "tests", "web", "engines"));

const [site, runs] = [process.argv[2], Number(process.argv[3] || 7)];

async function firstUsable(url) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-bench-"));
    const browser = await launchChromium("it-IT", profile);
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 1000, height: 700 });
        await page.goto(url, { waitUntil: "domcontentloaded" });
        // The page marks itself ready once the window takes input; the
        // frame after carries it.
        return await page.evaluate(() => new Promise((done) => {
            const ready = () => {
                if ("ready" in document.documentElement.dataset)
                    requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now())));
                else
                    requestAnimationFrame(ready);
            };
            ready();
        }));
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
}

async function main() {
    const server = await serveSite(site);
    try {
        await firstUsable(server.url);
        const times = [];
        for (let run = 0; run < runs; ++run)
            times.push(await firstUsable(server.url));
        times.sort((a, b) => a - b);
        const seconds = (ms) => (ms / 1000).toFixed(3);
        console.log(`first usable window: median ${seconds(times[Math.floor(times.length / 2)])} s`
                    + ` (${seconds(times[0])}–${seconds(times[times.length - 1])} s), ${runs} loads`);
    } finally {
        server.stop();
    }
}

main().catch((error) => { console.error(error); process.exit(1); });
