// Morvelt's page in the three engines a school's browsers are made of
// (engines.js: Chromium, Firefox, WebKit), against the site of a browser
// build served on this machine (scripts/serve-web.py):
//
//   node browser_test.js SITE_FOLDER
//
// Each row drives a fresh page as a teacher would (the keyboard, a tablet's
// taps and on-screen keyboard, a phone, a zoomed laptop, a screen reader)
// and reads what a screen reader hears, the page's live region. Once its
// window is usable, a page may ask for nothing but the site's own files.
// Each row runs in every engine whose driver can do what it needs; in the
// others it says "CANNOT DRIVE" and why, which is no pass. Prints PASS, FAIL
// or CANNOT DRIVE a row and engine, and exits 1 if any failed.
// MORVELT_WEB_ENGINES and MORVELT_WEB_ROWS narrow the run.
"use strict";

const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { engines, serveSite } = require("./engines");

const site = process.argv[2];
const source = path.join(__dirname, "..", "..");

const workedExample = "Punteggio totale +4 +5 +3 = 12 su 15. Voto in decimi 8,20. Voto in quindicesimi 13.";
const iPad = "Mozilla/5.0 (iPad; CPU OS 17_5 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
    + "Version/17.5 Mobile/15E148 Safari/604.1";
const phone = "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
    + "Chrome/126.0 Mobile Safari/537.36";

// Keys: text is typed a key at a time; {Name} is one key, as puppeteer names
// it; {+Tab} is Shift+Tab. A prompt takes the text typed after it opens,
// with no pause: however quick the teacher, no key goes astray.
async function press(page, keys) {
    for (const [, name, text] of keys.matchAll(/\{([^}]+)\}|([^{])/g)) {
        if (name && name.startsWith("+")) {
            await page.keyboard.down("Shift");
            await page.keyboard.press(name.slice(1));
            await page.keyboard.up("Shift");
        } else {
            await page.keyboard.press(name || text);
        }
    }
}

// With MORVELT_WEB_SHOTS naming a folder, the pictures of docs/browser.md
// are taken there, each at its row's moment, in Chromium.
let shooting = false;
async function shot(page, file) {
    if (process.env.MORVELT_WEB_SHOTS && shooting)
        await page.screenshot({ path: path.join(process.env.MORVELT_WEB_SHOTS, file) });
}

const heard = (page) => page.$eval("#results", (region) => region.textContent);
const focused = (page) => page.evaluate(() => document.activeElement?.id ?? "");

// The sets of controls the option rules switch, and the state each pair of
// selections leaves them in.
const sets = {
    "B count": ["Label1", "txtb"],
    "C count": ["Label2", "txtc"],
    "Weight": ["Label8", "txtpeso", "Label7"],
    "Rule choice": ["Label26", "Option5", "Option6"],
    "Items": ["Label3", "txtitem"],
};
const onUnder = {
    "B": ["B count"],
    "C, SameAsBlank": ["C count", "Rule choice"],
    "C, Penalize": ["C count", "Rule choice", "Items"],
    "Mixed, SameAsBlank": ["B count", "C count", "Weight", "Rule choice"],
    "Mixed, Penalize": ["B count", "C count", "Weight", "Rule choice", "Items"],
};
// Each step: the option clicked, the pair it leaves, the options selected.
const ruleSteps = [
    [null, "B", ["Option1", "Option6"]],
    ["Option2", "C, SameAsBlank", ["Option2", "Option6"]],
    ["Option5", "C, Penalize", ["Option2", "Option5"]],
    ["Option6", "C, SameAsBlank", ["Option2", "Option6"]],
    ["Option3", "Mixed, SameAsBlank", ["Option3", "Option6"]],
    ["Option5", "Mixed, Penalize", ["Option3", "Option5"]],
    ["Option1", "B", ["Option1", "Option5"]],
    ["Option1", "B", ["Option1", "Option5"]],
    ["Option2", "C, Penalize", ["Option2", "Option5"]],
];

// Every control's state as the page shows it: enabled (a caption says so
// with aria-disabled) and selected.
function pageStates(page) {
    return page.evaluate(() => [...document.querySelectorAll("#Form1 [id]")].map((control) => ({
        name: control.id,
        enabled: "disabled" in control ? !control.disabled : control.getAttribute("aria-disabled") !== "true",
        greyed: "disabled" in control ? control.disabled : control.classList.contains("disabled"),
        selected: control.type === "radio" ? control.checked : null,
    })));
}

async function enablingRules({ page }) {
    const failures = [];
    const switched = Object.values(sets).flat();
    for (const [option, pair, selected] of ruleSteps) {
        if (option)
            await page.click(`#${option}`);
        const on = onUnder[pair].flatMap((set) => sets[set]);
        const states = await pageStates(page);
        if (states.length !== 50)
            failures.push(`the page has ${states.length} controls, not the window's 50`);
        for (const state of states) {
            const expected = !switched.includes(state.name) || on.includes(state.name);
            const where = `after ${option ?? "the start"} (${pair})`;
            if (state.enabled !== expected || state.greyed === expected)
                failures.push(`${where}: ${state.name} ${state.enabled ? "enabled" : "disabled"}`);
            if (state.selected !== null && state.selected !== selected.includes(state.name))
                failures.push(`${where}: ${state.name} ${state.selected ? "selected" : "not selected"}`);
        }
    }
    return failures;
}

// Each control that takes input, as a screen reader names it: its role and
// its caption, or the sentence it stands in.
const accessibleNames = [
    ["Option1", "radio", "B"], ["Option2", "radio", "C"], ["Option3", "radio", "Mista B-C"],
    ["txtb", "textbox", "Numero di quesiti tipologia B"], ["txtc", "textbox", "Numero di quesiti tipologia C"],
    ["Command1", "button", "INSERISCI I PUNTEGGI E CALCOLA IL VOTO"], ["Command2", "button", "Esci"],
    ["txtpeso", "textbox", "Ogni quesito di tipo B \"pesa\" come … quesiti di tipo C"],
    ["Option5", "radio", "Penalizza la risposta errata rispetto alla risposta non data"],
    ["Option6", "radio", "La risposta errata vale come la risposta non data"],
    ["txtitem", "textbox", "Numero di risposte (item) per quesito"],
    ["Text1", "textbox", "STUDENTE"], ["Text2", "textbox", "CLASSE"], ["Command3", "button", "STAMPA"],
    ["Command5", "button", "Aiuto sui quesiti di tipologia B"],
    ["Command4", "button", "Aiuto sui quesiti di tipologia C"],
    ["Frame1", "group", "Tipologia"],
    ["Frame2", "group", "Per i quesiti tipologia C, discriminare tra risposta non data e risposta errata?"],
];

async function screenReader({ page, named }) {
    const failures = [];
    for (const [id, role, name] of accessibleNames) {
        const found = await named(page, `#${id}`);
        if (found !== `${role} «${name}»`)
            failures.push(`${id} is ${found}, expected ${role} «${name}»`);
    }
    // A prompt's field is named by its prompt. While it is open, the
    // results the calculation has just cleared are not said: the live
    // region keeps the last calculation's.
    await press(page, "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}{+Tab}{Backspace}2{Tab}{Enter}");
    await page.waitForSelector("#prompt[open]");
    await shot(page, "browser-prompt.png");
    const reply = await named(page, "#prompt-reply");
    if (reply !== "textbox «Punti (da 0 a 5) per l'esercizio n.1»")
        failures.push(`the prompt's field is ${reply}`);
    if (await heard(page) !== workedExample)
        failures.push(`the live region says «${await heard(page)}» while the prompt is open`);
    await press(page, "{Escape}");
    return failures;
}

// The captions as the window's layout holds them, and the table of
// fifteenths the calculation grades by.
function layoutCaptions() {
    const ui = fs.readFileSync(path.join(source, "ui", "form1.ui"), "utf8");
    const captions = {};
    for (const [, name, body] of ui.matchAll(/<widget class="[^"]+" name="(\w+)">([\s\S]*?)(?=<widget|<\/widget>)/g)) {
        const text = body.match(/<property name="(?:text|title)">\s*<string[^>]*>([^<]*)<\/string>/);
        if (text)
            captions[name] = text[1].replace(/&quot;/g, "\"").replace(/&amp;/g, "&");
    }
    return captions;
}

function fifteenthsTable() {
    const header = fs.readFileSync(path.join(source, "calc", "grade_conversion.h"), "utf8");
    return header.match(/FifteenthsTable\{([^}]*)\}/)[1].split(",").map(Number);
}

// Two-line captions; every other caption takes one line.
const twoLines = ["Option5", "Option6", "Label3"];

async function captions({ page }) {
    const failures = [];
    const shown = await page.evaluate(() => [...document.querySelectorAll("#Form1 [id]")].map((control) => {
        const holder = control.type === "radio" ? control.nextElementSibling
            : control.classList.contains("frame") ? control.querySelector(".title") : control;
        if (!holder || control instanceof HTMLInputElement && control.type !== "radio")
            return null;
        const box = holder.getBoundingClientRect();
        const range = document.createRange();
        range.selectNodeContents(holder);
        const lines = new Set([...range.getClientRects()].map((rect) => Math.round(rect.top)));
        const text = range.getBoundingClientRect();
        return { name: control.id, text: holder.textContent, lines: lines.size,
                 overflow: holder.scrollWidth > holder.clientWidth || holder.scrollHeight > holder.clientHeight,
                 right: text.right - box.left, bottom: text.bottom - box.top, top: box.top,
                 width: box.width, height: box.height,
                 whiteSpace: getComputedStyle(holder).whiteSpace };
    }).filter(Boolean));
    const expected = layoutCaptions();
    for (const caption of shown) {
        if (caption.text === "")
            continue;
        const wanted = caption.name === "Label9" ? caption.text : expected[caption.name];
        if (caption.text !== wanted)
            failures.push(`${caption.name} reads «${caption.text}», the layout «${wanted}»`);
        if (!caption.whiteSpace.startsWith("pre"))
            failures.push(`${caption.name} folds its blanks (white-space: ${caption.whiteSpace})`);
        const lines = twoLines.includes(caption.name) ? 2 : 1;
        if (caption.lines !== lines || caption.overflow || caption.right > caption.width + 0.5
            || caption.bottom > caption.height + 0.5) {
            failures.push(`${caption.name} «${caption.text}» takes ${caption.lines} line(s), `
                + `${caption.right.toFixed(1)} × ${caption.bottom.toFixed(1)} px in a box of `
                + `${caption.width} × ${caption.height}`);
        }
    }
    // Top to bottom, the nth row reads "fino a", the nth bound and n; the
    // last, "oltre", the last bound and 15.
    const bounds = fifteenthsTable();
    const rows = shown.filter((c) => /^Label(1[1-9]|2[0-5])$/.test(c.name)).sort((a, b) => a.top - b.top);
    rows.forEach((row, index) => {
        const last = index === rows.length - 1;
        const bound = bounds[last ? index - 1 : index].toFixed(1).replace(".", ",");
        const wanted = new RegExp(`^${last ? "oltre" : "fino a"} +${bound} +${index + 1} ?$`);
        if (!wanted.test(row.text))
            failures.push(`table row ${index + 1} reads «${row.text}», not ${wanted}`);
    });
    if (rows.length !== bounds.length + 1)
        failures.push(`the table has ${rows.length} rows`);
    return failures;
}

// Every control that takes input can be scrolled into view and pressed,
// and the window keeps its size rather than shrinking to the screen.
async function reachable({ page, row }) {
    await shot(page, row.shot);
    const failures = [];
    const width = await page.$eval("#Form1", (window_) => window_.getBoundingClientRect().width);
    if (width !== 761)
        failures.push(`the window is ${width} CSS px wide, not 761`);
    const controls = accessibleNames.filter(([, role]) => role !== "group").map(([id]) => id)
        .filter((id) => id !== "Command2").concat("Command2");
    for (const id of controls) {
        // Every control accepts input.
        await page.evaluate(() => ["Option3", "Option5"].forEach((id) => document.getElementById(id).click()));
        const spot = await page.$eval(`#${id}`, (control) => {
            control.scrollIntoView({ block: "center", inline: "center" });
            const box = control.getBoundingClientRect();
            const x = box.left + box.width / 2, y = box.top + box.height / 2;
            const hit = document.elementFromPoint(x, y);
            // A finger lands on the screen, whose part of the page (the
            // visual viewport) a phone may scroll within the layout's.
            const screen = visualViewport;
            const tap = { x: x - screen.offsetLeft, y: y - screen.offsetTop };
            const inView = screen.scale === 1 && tap.x >= 0 && tap.y >= 0 && tap.x <= screen.width
                && tap.y <= screen.height;
            return { ...tap, inView, hits: hit === control || hit?.closest("label")?.contains(control) };
        });
        if (!spot.inView || !spot.hits) {
            failures.push(`${id} cannot be reached: its centre is ${spot.inView ? "under another element" : "off the screen"}`);
            continue;
        }
        await page.evaluate(() => { window.pressed = null; });
        await page.touchscreen.tap(spot.x, spot.y);
        const pressed = await page.evaluate(() => window.pressed);
        if (pressed !== id)
            failures.push(`a tap on ${id} reached ${pressed}`);
        // What a press opens is closed again.
        if (await page.$("dialog[open]"))
            await press(page, "{Escape}");
    }
    const closed = await page.$eval("#closed", (line) => !line.hidden);
    if (!closed)
        failures.push("a tap on Esci did not close the window");
    return failures;
}

async function tabletWorkedExample({ page, cdp }) {
    await page.tap("#txtb");
    const failures = [];
    const first = await focused(page);
    if (first !== "txtb")
        failures.push(`a tap on txtb leaves ${first || "nothing"} focused`);
    // An on-screen keyboard's text arrives as inserted text, not as keys.
    await cdp.send("Input.insertText", { text: "3" });
    await page.tap("#Command1");
    for (const score of ["4", "5", "3"]) {
        await page.waitForSelector("#prompt[open]");
        const reply = await focused(page);
        if (reply !== "prompt-reply")
            failures.push(`the prompt opens with ${reply || "nothing"} focused`);
        await cdp.send("Input.insertText", { text: score });
        await page.tap("#prompt-ok");
    }
    return failures;
}

async function printsTheName({ page, cdp, row }) {
    await press(page, "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}");
    // Letters composed by an input method or dead keys arrive whole, as do
    // those typed on a keyboard that has them.
    const enter = (text) => row.typed ? page.keyboard.type(text) : cdp.send("Input.insertText", { text });
    await page.click("#Text1");
    await enter("Niccolò");
    await enter(" Zoë");
    await page.click("#Text2");
    await enter("3ª B");
    await press(page, "{Tab}{Enter}");
    const failures = [];
    const prints = await page.evaluate(() => window.prints);
    if (prints !== 1)
        failures.push(`STAMPA called the browser's print ${prints} times`);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-print-"));
    try {
        const pdf = path.join(folder, "page.pdf");
        // The paper page.css asks for; not every driver reads it from there.
        await page.pdf({ path: pdf, format: "A4", landscape: true, printBackground: true });
        const pages = execFileSync("pdfinfo", [pdf]).toString().match(/^Pages:\s+(\d+)/m)[1];
        const text = execFileSync("pdftotext", ["-layout", pdf, "-"]).toString();
        if (pages !== "1")
            failures.push(`the printout has ${pages} pages`);
        for (const expected of ["Niccolò Zoë", "3ª B", "+4 +5 +3 = 12 su 15", "8,20", "13", "STAMPA", "oltre"]) {
            if (!text.includes(expected))
                failures.push(`the printout lacks «${expected}»`);
        }
        for (const unexpected of ["Caricamento", "chiuso"]) {
            if (text.includes(unexpected))
                failures.push(`the printout holds «${unexpected}»`);
        }
    } finally {
        fs.rmSync(folder, { recursive: true, force: true });
    }
    return failures;
}

async function helpNotes({ page }) {
    const failures = [];
    const notes = [
        ["Command5", "I quesiti devono avere lo stesso ''peso''. La parte relativa alla Tipologia B può essere "
            + "utilizzata anche per la Tipologia A, purché tutti i quesiti abbiano sempre lo stesso ''peso''."],
        ["Command4", "I quesiti devono avere lo stesso ''peso''."],
    ];
    for (const [button, note] of notes) {
        await page.click(`#${button}`);
        await page.waitForSelector("#message[open]");
        const shown = await page.$eval("#message", (box) => box.innerText.replace(/\s+/g, " ").trim());
        if (shown !== `Morvelt ${note} OK`)
            failures.push(`${button} shows «${shown}»`);
        if (await focused(page) !== "message-ok")
            failures.push(`${button}'s note opens with ${await focused(page)} focused`);
        await press(page, "{Enter}");
        if (await focused(page) !== button)
            failures.push(`after OK the focus is on ${await focused(page)}, not ${button}`);
    }
    await page.click("#txtb");
    await press(page, "3{Tab}{Enter}4{Enter}5{Enter}3{Enter}");
    return failures;
}

async function leaving({ page, state }) {
    const failures = [];
    let asked = 0;
    page.on("dialog", (dialog) => {
        asked += dialog.type() === "beforeunload" ? 1 : 0;
        dialog.accept();
    });
    // Untouched, the page goes without a question. The reloads' own
    // requests are no leak.
    state.usable = false;
    await page.reload({ waitUntil: "load" });
    await page.waitForSelector("html[data-ready]");
    if (asked !== 0)
        failures.push("an untouched page asked before a reload");
    await page.type("#txtb", "3");
    await page.reload({ waitUntil: "load" });
    if (asked !== 1)
        failures.push(`a page with a typed field asked ${asked} times before a reload`);
    return failures;
}

// The module never arrives: the page says so in Italian and what to do,
// and the window it shows does not act.
async function moduleLost({ page }) {
    const failures = [];
    await page.waitForFunction(() => !document.getElementById("status").textContent.startsWith("Caricamento"),
                               { timeout: 30000 });
    const said = await page.$eval("#status", (line) => line.textContent);
    const expected = "Morvelt non si è avviato: il programma non si è caricato per intero. "
        + "Ricaricare la pagina; se accade di nuovo, avvisare chi gestisce il sito.";
    if (said !== expected)
        failures.push(`with no module the page says «${said}»`);
    await page.click("#Command4").catch(() => {});
    if (await page.$("dialog[open]") || !await page.$eval("#Form1", (window_) => window_.inert))
        failures.push("with no module the window acts");
    return failures;
}

async function esci({ page }) {
    await page.type("#Text1", "Maria Rossi");
    await page.click("#Command2");
    const shown = await page.evaluate(() => document.body.innerText.trim());
    const kept = await page.evaluate(() => document.documentElement.outerHTML.includes("Maria"));
    const failures = [];
    if (shown !== "Morvelt è stato chiuso. Ricomincia")
        failures.push(`after Esci the page shows «${shown}»`);
    if (kept)
        failures.push("after Esci the page still holds the student's name");
    return failures;
}

// The site opened once opens again with its server gone, and computes.
async function offline({ page, server }) {
    const failures = [];
    // The service worker has kept the files and answers for the page.
    await page.waitForFunction(() => navigator.serviceWorker?.controller, { timeout: 30000 })
        .catch(() => failures.push("no service worker took the page"));
    await server.stop();
    await page.reload();
    await page.waitForSelector("html[data-ready]", { timeout: 30000 })
        .catch(() => failures.push("with no server the window did not open"));
    await page.focus("#Option1");
    await press(page, "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}");
    return failures;
}

// A reload of an unchanged site asks for every file again and gets 304s:
// no file's body crosses the network twice.
async function revalidation({ page, server, state }) {
    const failures = [];
    await page.waitForFunction(() => navigator.serviceWorker?.controller, { timeout: 30000 })
        .catch(() => {});
    const before = server.log.length;
    state.usable = false;
    await page.reload();
    await page.waitForSelector("html[data-ready]", { timeout: 30000 });
    state.usable = true;
    const asked = server.log.slice(before);
    const bodies = asked.filter((line) => !line.endsWith(" 304"));
    if (asked.length === 0)
        failures.push("the reload asked the server for nothing");
    if (bodies.length > 0)
        failures.push(`the reload fetched bodies again: ${bodies.join(", ")}`);
    return failures;
}

// Each row: its name, the browser's language, keys typed or an act, what a
// screen reader hears at the end, and what of a driver it needs (an
// engine's driver that cannot do it leaves the row undriven there).
const rows = [
    { name: "the worked example in Italian, keyboard alone", lang: "it-IT",
      keys: "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}", heard: workedExample, shot: "window-browser.png" },
    { name: "the worked example in English: the grade with a period", lang: "en-US",
      keys: "{Tab}3{Tab}{Enter}4{Enter}5{Enter}3{Enter}", heard: workedExample.replace("8,20", "8.20") },
    { name: "type C, a wrong answer penalised, 4 answers a question", lang: "it-IT",
      keys: "{ArrowDown}{Tab}10{Tab}{Tab}{Tab}{ArrowDown}{+Tab}{+Tab}{Enter}6{Enter}2{Enter}2{Enter}",
      heard: "Punteggio totale Giuste: 6; Non date: 2; Sbagliate: 2. Totale: 26 punti su 40. "
          + "Voto in decimi 6,85. Voto in quindicesimi 11." },
    { name: "Annulla at the first score ends the click; the window takes the keys again", lang: "it-IT",
      keys: "{Tab}3{Tab}{Enter}{Tab}{Tab}{Enter}{+Tab}{Backspace}2{Tab}{Enter}5{Enter}4{Enter}",
      heard: "Punteggio totale +5 +4 = 9 su 10. Voto in decimi 9,10. Voto in quindicesimi 14." },
    { name: "Esc at the second score is Annulla: the breakdown so far, no grade", lang: "it-IT",
      keys: "{Tab}3{Tab}{Enter}4{Enter}{Escape}",
      heard: "Punteggio totale +4. Voto in decimi . Voto in quindicesimi ." },
    { name: "the help buttons' notes, and the window usable after OK", lang: "it-IT",
      act: helpNotes, heard: workedExample },
    { name: "the enabling rules, step by step, against the model's table", lang: "it-IT",
      act: enablingRules, heard: "" },
    { name: "every caption as the layout holds it, fitting its box; the table of fifteenths", lang: "it-IT",
      act: captions, heard: "" },
    { name: "a screen reader names every control, and a prompt's field by its prompt", lang: "it-IT",
      act: screenReader, heard: "", needs: ["accessibility"] },
    { name: "«Niccolò Zoë» by an input method, then STAMPA: one print, one page, the name on it",
      lang: "it-IT", act: printsTheName, heard: workedExample, needs: ["insertText", "print"] },
    { name: "«Niccolò Zoë» typed key by key, then STAMPA: one print, one page, the name on it",
      lang: "it-IT", act: printsTheName, typed: true, heard: workedExample, needs: ["print"] },
    { name: "an iPad: a tap focuses txtb itself, and the on-screen keyboard's text arrives", lang: "it-IT",
      device: { userAgent: iPad, viewport: { width: 1024, height: 768, isMobile: true, hasTouch: true, deviceScaleFactor: 2 } },
      act: tabletWorkedExample, heard: workedExample, needs: ["touch", "insertText", "userAgent"] },
    { name: "a phone, 390 × 844: every control scrolled into view and pressed", lang: "it-IT",
      device: { userAgent: phone, viewport: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 } },
      act: reachable, heard: "", shot: "browser-phone.png", needs: ["touch", "userAgent"] },
    { name: "a 1366 × 768 laptop at 200 %: every control scrolled into view and pressed", lang: "it-IT",
      device: { viewport: { width: 683, height: 384, deviceScaleFactor: 2, hasTouch: true } },
      act: reachable, heard: "", shot: "browser-200.png", needs: ["touch"] },
    { name: "a reload asks first once a field has changed", lang: "it-IT", act: leaving, heard: "",
      needs: ["beforeunload"] },
    { name: "Esci leaves the closing line alone, and nothing of the student", lang: "it-IT",
      act: esci, heard: "" },
    { name: "a module that never arrives: an Italian line that says what to do, a window that does not act",
      lang: "it-IT", lose: "morvelt.wasm", act: moduleLost, heard: "" },
    { name: "offline: opened once, the site opens again with its server gone and computes", lang: "it-IT",
      own: true, act: offline, heard: workedExample },
    { name: "a reload of the unchanged site: every file a 304, no body fetched again", lang: "it-IT",
      own: true, act: revalidation, heard: "", needs: ["httpCache"] },
];

// What may go out once the window is usable: a GET of one of the site's
// own files, by its plain address, which is how the page, its manifest and
// its service worker check them. Nothing the teacher types can ride on one.
function isSiteFile(address, siteFiles) {
    const url = new URL(address, "http://127.0.0.1/");
    return url.search === "" && siteFiles.has(url.pathname);
}

async function run(engine, row, server, profile, siteFiles) {
    const opened = await engine.open(row.lang, profile);
    const { page, cdp } = opened;
    try {
        const puppeteerPage = typeof page.setViewport === "function";
        if (puppeteerPage) {
            if (row.device?.userAgent)
                await page.setUserAgent(row.device.userAgent);
            await page.setViewport(row.device?.viewport ?? { width: 1000, height: 700 });
            // STAMPA's calls to the browser's print are counted, and each
            // press of a control is recorded, as it reaches the page.
            await page.evaluateOnNewDocument(() => {
                window.prints = 0;
                window.print = () => { window.prints += 1; };
                document.addEventListener("click", (event) => {
                    const control = event.target.closest("label")?.querySelector("input") ?? event.target;
                    window.pressed = control.id;
                }, true);
                document.addEventListener("focusin", (event) => {
                    if (event.target instanceof HTMLInputElement && event.target.type === "text")
                        window.pressed = event.target.id;
                }, true);
            });
        }
        const state = { usable: false };
        const late = [];
        if (puppeteerPage) {
            page.on("request", (request) => {
                if (state.usable && (request.method() !== "GET" || !isSiteFile(request.url(), siteFiles))
                    && !request.url().startsWith("data:"))
                    late.push(`${request.method()} ${request.url()}`);
            });
        }
        await page.goto(server.url, puppeteerPage ? { waitUntil: row.lose ? "domcontentloaded" : "load" } : undefined);
        if (!row.lose)
            await page.waitForSelector("html[data-ready]", { timeout: 60000 });
        state.usable = !row.lose;
        const logged = server.log.length;

        const failures = [];
        if (row.keys) {
            await press(page, row.keys);
            if (row.shot)
                await shot(page, row.shot);
        }
        if (row.act)
            failures.push(...await row.act({ page, cdp, row, state, server, named: engine.named }));

        // A row ends in a state no earlier key leaves: its text heard.
        await page.waitForFunction((text) => document.getElementById("results")?.textContent === text,
                                   { timeout: 10000 }, row.heard).catch(() => {});
        const said = await page.$("#results") ? await heard(page) : "";
        if (said !== row.heard)
            failures.push(`heard «${said}», expected «${row.heard}»`);
        // Every row ends with its dialogs answered: none opened by a key
        // that went astray.
        const open = await page.$$eval("dialog[open]", (dialogs) => dialogs.map((d) => d.innerText));
        if (open.length > 0)
            failures.push(`a dialog is open at the end: «${open.join("», «")}»`);
        // The server saw every request to the site, whichever engine sent it.
        if (state.usable) {
            const leaked = server.log.slice(logged).filter((line) => {
                const [method, address] = line.split(" ");
                return method !== "GET" || !isSiteFile(address, siteFiles);
            });
            late.push(...leaked.map((line) => `${line} (the server's log)`));
        }
        if (late.length > 0)
            failures.push(`requests once the window was usable: ${late.join(", ")}`);
        return failures;
    } finally {
        await opened.close();
    }
}

// A copy of the site without the files named.
function siteWithout(file) {
    const copy = fs.mkdtempSync(path.join(os.tmpdir(), "morvelt-site-"));
    fs.cpSync(site, copy, { recursive: true });
    for (const form of ["", ".br", ".gz"])
        fs.rmSync(path.join(copy, file + form), { force: true });
    return copy;
}

async function main() {
    const siteFiles = new Set(["/", ...fs.readdirSync(site).filter((file) => !file.endsWith(".br")
        && !file.endsWith(".gz") && fs.statSync(path.join(site, file)).isFile()).map((file) => `/${file}`)]);
    const only = process.env.MORVELT_WEB_ROWS ? new RegExp(process.env.MORVELT_WEB_ROWS) : null;
    const chosen = rows.filter((row) => !only || only.test(row.name));
    const engineNames = (process.env.MORVELT_WEB_ENGINES || "chromium,firefox,webkit").split(",");
    const shared = await serveSite(site);
    const counts = { PASS: 0, FAIL: 0, "CANNOT DRIVE": 0 };
    try {
        for (const name of engineNames) {
            const engine = engines[name];
            shooting = name === "chromium";
            console.log(`--- ${name}`);
            for (const row of chosen) {
                const missing = (row.needs ?? []).filter((need) => engine.cannot[need]);
                if (missing.length > 0) {
                    counts["CANNOT DRIVE"] += 1;
                    console.log(`CANNOT DRIVE [${name}]: ${row.name}\n    ${missing.map((need) => engine.cannot[need]).join("; ")}`);
                    continue;
                }
                const profile = fs.mkdtempSync(path.join(os.tmpdir(), `morvelt-${name}-`));
                const copy = row.lose ? siteWithout(row.lose) : null;
                const server = row.own || copy ? await serveSite(copy ?? site) : shared;
                const failures = await run(engine, row, server, profile, siteFiles)
                    .catch((error) => [String(error)]);
                if (server !== shared)
                    await server.stop();
                for (const folder of [profile, copy].filter(Boolean))
                    fs.rmSync(folder, { recursive: true, force: true });
                const verdict = failures.length === 0 ? "PASS" : "FAIL";
                counts[verdict] += 1;
                console.log(`${verdict} [${name}]: ${row.name}`);
                for (const failure of failures)
                    console.log(`    ${failure}`);
            }
        }
    } finally {
        await shared.stop();
    }
    console.log(`${counts.PASS} passed, ${counts.FAIL} failed, ${counts["CANNOT DRIVE"]} cannot be driven`
                + ` (${chosen.length} rows × ${engineNames.length} engines)`);
    process.exit(counts.FAIL === 0 ? 0 : 1);
}

main().catch((error) => { console.error(error); process.exit(1); });
