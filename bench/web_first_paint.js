// Loads the site in headless Chromium RUNS times (after one warm-up load,
// each in a fresh profile, so nothing comes from the browser's cache) and
// prints the time from navigation to the first frame painted after the
// window's drawing area is shown: median and range.
//
//   node web_first_paint.js SITE_FOLDER RUNS
"use strict";

const { spawn } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require(path.join(__dirname, "..", "tests", "web", "node_modules", "puppeteer-core"));

const [site, runs] = [process.argv[2], Number(process.argv[3] || 7)];
const serve = path.join(__dirname, "..", "scripts", "serve-web.py");
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

async function firstPaint(url) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-bench-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--enable-unsafe-swiftshader", "--use-angle=swiftshader", "--accept-lang=it-IT"],
    });
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
    const port = 20000 + Math.floor(Math.random() * 20000);
    const server = spawn("/usr/bin/python3", [serve, site, String(port)], { stdio: "ignore" });
    try {
        await pause(500);
        const url = `http://127.0.0.1:${port}/`;
        await firstPaint(url);
        const times = [];
        for (let run = 0; run < runs; ++run)
            times.push(await firstPaint(url));
        times.sort((a, b) => a - b);
        const seconds = (ms) => (ms / 1000).toFixed(2);
        console.log(`first painted window: median ${seconds(times[Math.floor(times.length / 2)])} s`
                    + ` (${seconds(times[0])}–${seconds(times[times.length - 1])} s), ${runs} loads`);
    } finally {
        server.kill();
    }
}

main().catch((error) => { console.error(error); process.exit(1); });
