// The page as a view of Morvelt's window model, which runs in the module
// (morvelt.js, morvelt.wasm): each control of the window is the element of
// the same id, its clicks go to the model's handler of that name, and the
// model shows its changes, reads the fields and asks its prompts through
// the functions below, by name (web/page_view.cpp).
"use strict";

const Morvelt = (() => {
    const element = (id) => document.getElementById(id);
    let module = null;
    // One handler at a time, as on the desktop, where a prompt is modal:
    // a click that comes while one runs is dropped.
    let running = false;
    // Once the teacher has typed or calculated, leaving asks first.
    let changed = false;
    // The open prompt's or message's answer, while one is open.
    let answer = null;

    // What stopped the start, in the teacher's words.
    class Failure extends Error {}

    // Fields, options and buttons are disabled as the browser's controls;
    // captions only look and say so.
    function hasDisabledState(node) {
        return node instanceof HTMLInputElement || node instanceof HTMLButtonElement;
    }

    function showEnabled(name, enabled) {
        const control = element(name);
        if (hasDisabledState(control)) {
            control.disabled = !enabled;
        } else {
            control.classList.toggle("disabled", !enabled);
            if (enabled)
                control.removeAttribute("aria-disabled");
            else
                control.setAttribute("aria-disabled", "true");
        }
    }

    function showSelected(name, selected) {
        element(name).checked = selected;
    }

    function text(name) {
        const control = element(name);
        return control instanceof HTMLInputElement ? control.value : control.textContent;
    }

    function setText(name, value) {
        element(name).textContent = value;
    }

    // The user's decimal separator, from the browser's first language.
    function decimalSeparator() {
        const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
        return parts.find((part) => part.type === "decimal").value;
    }

    // STAMPA: the browser's own print, of the window alone (page.css).
    function print() {
        window.print();
    }

    // Esci: nothing of the window stays, only the line that says so.
    function exit() {
        changed = false;
        for (const id of ["Form1", "prompt", "message", "status"])
            element(id)?.remove();
        element("results").textContent = "";
        element("closed").hidden = false;
    }

    function openDialog(dialog, focus, settle) {
        return new Promise((resolve) => {
            answer = (value) => {
                answer = null;
                dialog.close();
                resolve(settle(value));
            };
            dialog.showModal();
            focus.focus();
        });
    }

    // A prompt: its reply, or null for Annulla (or Esc).
    function askText(prompt, title) {
        element("prompt-title").textContent = title;
        element("prompt-text").textContent = prompt;
        const reply = element("prompt-reply");
        reply.value = "";
        return openDialog(element("prompt"), reply, (ok) => (ok ? reply.value : null));
    }

    function showMessage(message) {
        element("message-text").textContent = message;
        return openDialog(element("message"), element("message-ok"), () => undefined);
    }

    function bindDialogs() {
        element("prompt-ok").addEventListener("click", () => answer?.(true));
        element("prompt-cancel").addEventListener("click", () => answer?.(false));
        element("message-ok").addEventListener("click", () => answer?.(true));
        // Enter in the reply is OK; its key goes no further, so that it
        // cannot press the window's button that takes the focus back.
        element("prompt-reply").addEventListener("keydown", (event) => {
            if (event.key === "Enter" && !event.isComposing) {
                event.preventDefault();
                answer?.(true);
            }
        });
        for (const id of ["prompt", "message"]) {
            element(id).addEventListener("cancel", (event) => {
                event.preventDefault();
                answer?.(false);
            });
        }
    }

    // What a screen reader hears once a click has run: the three results in
    // one sentence, or nothing while they are empty.
    function announce() {
        const punti = text("lblpunti"), voto10 = text("lblvoto10"), voto15 = text("lblvoto15");
        const sentence = punti || voto10 || voto15
            ? `Punteggio totale ${punti}. Voto in decimi ${voto10}. Voto in quindicesimi ${voto15}.`
                .replace(/\s+/g, " ").trim()
            : "";
        if (element("results").textContent !== sentence)
            element("results").textContent = sentence;
    }

    async function click(name) {
        if (running)
            return;
        running = true;
        try {
            if (name === "Command1")
                changed = true;
            await module.ccall("morvelt_click", "boolean", ["string"], [name], { async: true });
        } finally {
            running = false;
        }
        if (element("Form1"))
            announce();
    }

    function bindWindow() {
        const form = element("Form1");
        for (const control of form.querySelectorAll("input[type=radio]")) {
            control.addEventListener("change", () => {
                if (control.checked)
                    click(control.id);
            });
        }
        for (const button of form.querySelectorAll("button"))
            button.addEventListener("click", () => click(button.id));
        form.addEventListener("input", () => { changed = true; });
        addEventListener("beforeunload", (event) => {
            if (changed) {
                event.preventDefault();
                event.returnValue = "";
            }
        });
    }

    // Every control as the model holds it; the page and the model name the
    // same controls.
    function showModel() {
        const names = module.ccall("morvelt_controls", "string", [], []).split("\n").filter(Boolean);
        for (const name of names) {
            if (!element(name))
                throw new Failure(`la pagina non ha il controllo ${name}`);
            showEnabled(name, module.ccall("morvelt_enabled", "boolean", ["string"], [name]));
            if (element(name).type === "radio")
                showSelected(name, module.ccall("morvelt_selected", "boolean", ["string"], [name]));
        }
    }

    function failed(what) {
        const status = element("status");
        status.textContent = `Morvelt non si è avviato: ${what}. `
            + "Ricaricare la pagina; se accade di nuovo, avvisare chi gestisce il sito.";
        status.hidden = false;
    }

    // The module is fetched and started; once every handler is bound, the
    // window takes input, and the focus goes to Option1, which the window
    // then selects, as the desktop does at start.
    async function start() {
        try {
            if (typeof WebAssembly !== "object")
                throw new Failure("questo browser non esegue WebAssembly");
            module = await createMorvelt();
            module.ccall("morvelt_start", null, [], []);
            showModel();
        } catch (error) {
            failed(error instanceof Failure ? error.message : "il programma non si è caricato per intero");
            return;
        }
        bindDialogs();
        bindWindow();
        element("status").hidden = true;
        element("Form1").inert = false;
        const first = element("Option1");
        first.focus();
        first.checked = true;
        await click("Option1");
        document.documentElement.dataset.ready = "";
        keepForOffline();
    }

    // Once opened, the site opens again with no network (web/sw.js). The
    // browser allows a service worker only over HTTPS or from this machine;
    // over plain HTTP the page works as it is, without one.
    function keepForOffline() {
        if ("serviceWorker" in navigator && isSecureContext)
            navigator.serviceWorker.register("sw.js", { updateViaCache: "all" }).catch(() => {});
    }

    return { showEnabled, showSelected, text, setText, decimalSeparator, print, exit,
             askText, showMessage, start, failed: (file) => failed(`il file ${file} non è arrivato`) };
})();
