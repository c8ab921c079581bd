// Loads the site in headless Chromium RUNS times (after one warm-up load,
// each in a fresh profile, so nothing comes from the browser's cache) and
// prints the time from navigation to the first frame painted after the
// window's drawing area is shown: median and range.
//
//   node web_first_paint.js SITE_FOLDER RUNS
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { launchChromium, serveSite } = require(path.join(__dirname, "..", "tests", "web", "chromium"));

const [site, runs] = [process.argv[2], Number(process.argv[3] || 7)];

async function firstPaint(url) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-bench-"));
    const browser = await launchChromium("it-IT", profile);
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 1000, height: 700 });
        await page.goto(url, { waitUntil: "domcontentloaded" });
        // The program shows the area once its window exists; the frame after
        // carries the window's first picture.
        return await page.evaluate(() => new Promise((done) => {
            const shown = () => {
                const canvas = document.getElementById("qtcanvas");
                if (!canvas.hidden && canvas.width > 300)
                    requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now())));
                else
                    requestAnimationFrame(shown);
            };
            shown();
        }));
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
}

async function main() {
    const server = await serveSite(site);
    try {
        await firstPaint(server.url);
        const times = [];
        for (let run = 0; run < runs; ++run)
            times.push(await firstPaint(server.url));
        times.sort((a, b) => a - b);
        const seconds = (ms) => (ms / 1000).toFixed(2);
        console.log(`first painted window: median ${seconds(times[Math.floor(times.length / 2)])} s`
                    + ` (${seconds(times[0])}–${seconds(times[times.length - 1])} s), ${runs} loads`);
    } finally {
        server.stop();
    }
}

main().catch((error) => { console.error(error); process.exit(1); });
