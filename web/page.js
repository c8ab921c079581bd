// The page around Morvelt's window: it starts the program, gives it a
// drawing area of the window's own size, and does for it what a page does
// and a Qt program in a browser cannot: the page's title, the browser's
// print dialog, and the closing line.
"use strict";

let qtLoader;

function startMorvelt() {
    const canvas = document.getElementById("qtcanvas");
    const status = document.getElementById("status");
    qtLoader = QtLoader({
        canvasElements: [canvas],
        showLoader: () => { status.hidden = false; },
        showError: (text) => { status.textContent = "Morvelt non si è avviato: " + text; },
        showExit: () => {},
        showCanvas: () => {},
    });
    qtLoader.loadEmscriptenModule("morvelt");
}

// Called by the program once its window exists: the drawing area takes the
// window's size, and the page the window's caption.
function morveltShow(width, height, title) {
    const canvas = document.getElementById("qtcanvas");
    document.getElementById("status").hidden = true;
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
    canvas.hidden = false;
    document.title = title;
    resizeWhenRunning(canvas);
    canvas.focus();
}

// The program hears of its area's new size once it runs and its module is
// there, which is after its start-up has called morveltShow.
function resizeWhenRunning(canvas) {
    if (qtLoader.status === "Running" && qtLoader.module())
        qtLoader.resizeCanvasElement(canvas);
    else
        setTimeout(() => resizeWhenRunning(canvas), 10);
}

// Esci: the window gives way to a line that says so, and a new start.
function morveltClosed() {
    document.getElementById("qtcanvas").hidden = true;
    document.getElementById("closed").hidden = false;
}

// STAMPA: the page, a PDF, in the browser's print dialog. The bytes are
// copied at once; they live in the program's memory.
function morveltPrint(bytes) {
    const frame = document.getElementById("printout");
    const page = URL.createObjectURL(new Blob([new Uint8Array(bytes)], { type: "application/pdf" }));
    frame.onload = () => {
        frame.contentWindow.print();
        document.getElementById("qtcanvas").focus();
    };
    if (frame.src)
        URL.revokeObjectURL(frame.src);
    frame.src = page;
}
