// Morvelt in Debian's headless Chromium, from the keyboard alone, against the
// site of a browser build served on this machine (scripts/serve-web.py):
//
//   node browser_test.js SITE_FOLDER
//
// Each row types into a fresh page and reads what a screen reader hears, the
// page's live region; the last also prints, and reads the page handed to the
// browser back with poppler. No page may make a request after its first
// paint. Exits 1 on the first row that fails.
"use strict";

const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { launchChromium, serveSite } = require("./chromium");

const site = process.argv[2];

// Keys: text is typed a key at a time; {Name} is one key, as puppeteer names
// it; {+Tab} is Shift+Tab. A prompt takes the text typed after it opens.
const rows = [
    {
        name: "the worked example in Italian",
        lang: "it-IT",
        keys: "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}",
        heard: "Punteggio totale +4 +5 +3 = 12 su 15. Voto in decimi 8,20. Voto in quindicesimi 13.",
    },
    {
        name: "the worked example in English: the grade with a period",
        lang: "en-US",
        keys: "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}",
        heard: "Punteggio totale +4 +5 +3 = 12 su 15. Voto in decimi 8.20. Voto in quindicesimi 13.",
    },
    {
        name: "type C, a wrong answer penalised, 4 answers a question",
        lang: "it-IT",
        keys: "{ArrowDown}{Tab}10{Tab}{Tab}{Tab}{ArrowDown}{+Tab}{+Tab}{Enter}6{Enter}2{Enter}2{Enter}",
        heard: "Punteggio totale Giuste: 6; Non date: 2; Sbagliate: 2. Totale: 26 punti su 40. "
            + "Voto in decimi 6,85. Voto in quindicesimi 11.",
    },
    {
        name: "Annulla at the first score ends the click; the window takes the keys again",
        lang: "it-IT",
        keys: "{Tab}3{Tab}{Enter}{Escape}{+Tab}{Backspace}2{Tab}{Enter}5{Enter}4{Enter}",
        heard: "Punteggio totale +5 +4 = 9 su 10. Voto in decimi 9,10. Voto in quindicesimi 14.",
    },
    {
        name: "the student's name, typed with no click after the last prompt, is printed",
        lang: "it-IT",
        keys: "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}{Tab}{Tab}Maria Rossi{Tab}{Tab}{Enter}",
        heard: "Punteggio totale +4 +5 +3 = 12 su 15. Voto in decimi 8,20. Voto in quindicesimi 13.",
        printed: ["Maria Rossi", "8,20", "13"],
    },
    {
        name: "Esci leaves the closing line in the window's place",
        lang: "it-IT",
        keys: "{Tab}{Tab}{Tab}{Enter}",
        heard: "",
        closed: "Morvelt è stato chiuso. Ricomincia",
    },
];

async function press(page, keys) {
    for (const [, name, text] of keys.matchAll(/\{([^}]+)\}|([^{])/g)) {
        if (name && name.startsWith("+")) {
            await page.keyboard.down("Shift");
            await page.keyboard.press(name.slice(1));
            await page.keyboard.up("Shift");
        } else {
            await page.keyboard.press(name || text);
        }
        // No pause: the key after an Enter that closes a prompt must reach
        // the next one, however quick the teacher.
    }
}

// The PDF the page gave the browser's print dialog, read back as text.
async function printedText(page) {
    const base64 = await page.evaluate(async () => {
        const frame = document.getElementById("printout");
        if (!frame.src)
            return "";
        const bytes = new Uint8Array(await (await fetch(frame.src)).arrayBuffer());
        let text = "";
        for (const byte of bytes)
            text += String.fromCharCode(byte);
        return btoa(text);
    });
    if (!base64)
        return "";
    const pdf = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-web-")), "page.pdf");
    fs.writeFileSync(pdf, Buffer.from(base64, "base64"));
    try {
        return execFileSync("pdftotext", [pdf, "-"]).toString();
    } finally {
        fs.rmSync(path.dirname(pdf), { recursive: true, force: true });
    }
}

async function run(row, url, profile) {
    const browser = await launchChromium(row.lang, profile);
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 1000, height: 700 });
        let painted = false;
        const late = [];
        // What would leave the browser: the print preview's own pages
        // (chrome:, chrome-extension:) and the page's blob: never do.
        page.on("request", (request) => {
            if (painted && /^(https?|wss?|ftp):/.test(request.url()))
                late.push(request.url());
        });
        await page.goto(url, { waitUntil: "load" });
        await page.waitForFunction(() => !document.getElementById("qtcanvas").hidden
                                         && document.getElementById("qtcanvas").width > 300,
                                   { timeout: 60000 });
        painted = true;
        await press(page, row.keys);
        if (process.env.MORVELT_WEB_SHOTS)
            await page.screenshot({ path: path.join(process.env.MORVELT_WEB_SHOTS, `${row.lang} ${row.name}.png`) });

        // Held keys reach the program a little after they are typed: each
        // row ends in a state that no earlier key leaves (its text heard,
        // its page printed, its closing line), waited for.
        const settled = { timeout: 10000 };
        await page.waitForFunction((text) => document.getElementById("results").textContent === text,
                                   settled, row.heard).catch(() => {});
        if (row.printed)
            await page.waitForFunction(() => document.getElementById("printout").src !== "", settled)
                .catch(() => {});

        const failures = [];
        const heard = await page.$eval("#results", (region) => region.textContent);
        if (heard !== row.heard)
            failures.push(`heard «${heard}», expected «${row.heard}»`);
        if (row.printed) {
            const text = await printedText(page);
            for (const expected of row.printed) {
                if (!text.includes(expected))
                    failures.push(`the printed page lacks «${expected}»: «${text.trim()}»`);
            }
        }
        if (row.closed) {
            const line = await page.waitForFunction(() => {
                const closed = document.getElementById("closed");
                return !closed.hidden && document.getElementById("qtcanvas").hidden && closed.textContent;
            }, settled).then((text) => text.jsonValue(), () => "");
            if (line !== row.closed)
                failures.push(`the closing line reads «${line}», expected «${row.closed}»`);
        }
        if (late.length > 0)
            failures.push(`requests after the first paint: ${late.join(", ")}`);
        return failures;
    } finally {
        await browser.close();
    }
}

async function main() {
    const server = await serveSite(site);
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-chromium-"));
    let failed = 0;
    try {
        for (const row of rows) {
            const failures = await run(row, server.url, profile);
            console.log(`${failures.length === 0 ? "PASS" : "FAIL"}: ${row.name}`);
            for (const failure of failures)
                console.log(`    ${failure}`);
            failed += failures.length === 0 ? 0 : 1;
        }
    } finally {
        server.stop();
        fs.rmSync(profile, { recursive: true, force: true });
    }
    console.log(`${rows.length - failed} of ${rows.length} passed`);
    process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => { console.error(error); process.exit(1); });
