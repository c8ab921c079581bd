"""Serves Morvelt's site folder on 127.0.0.1 for one machine's browser:
  python3 serve-web.py FOLDER PORT
It says where it listens, once it does, on its standard output, and logs
each request on its standard error, with its answer's status; with PORT 0
the system picks the port.
.wasm as application/wasm, and a file's brotli (.br) or gzip (.gz) copy,
with its Content-Encoding, to a browser that accepts it. Every answer
carries an ETag (of the bytes sent) and Cache-Control: no-cache, so that the
browser asks again at each visit and an unchanged file comes back as 304,
with no body. Nothing but Debian's python3."""

import functools
import hashlib
import http.server
import os
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    # Browsers keep and revalidate what a server of HTTP/1.1 sends.
    protocol_version = "HTTP/1.1"

    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".webmanifest": "application/manifest+json",
        ".svg": "image/svg+xml",
    }

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?", 1)[0].endswith("/"):
                return super().send_head()  # the folder's address with its slash
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            self.send_error(404, "File not found")
            return None
        accepted = self.headers.get("Accept-Encoding", "")
        for suffix, encoding in ((".br", "br"), (".gz", "gzip")):
            if encoding in accepted and os.path.isfile(path + suffix):
                return self.send_file(path, path + suffix, encoding)
        return self.send_file(path, path, None)

    def send_file(self, path, sent, encoding):
        with open(sent, "rb") as file:
            body = file.read()
        tag = '"' + hashlib.sha256(body).hexdigest()[:32] + '"'
        asked = [t.strip() for t in self.headers.get("If-None-Match", "").split(",")]
        self.send_response(304 if tag in asked else 200)
        self.send_header("ETag", tag)
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        if tag in asked:
            self.end_headers()
            return None
        self.send_header("Content-Type", self.guess_type(path))
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        return _Body(body)


class _Body:
    """What do_GET copies to the browser and closes."""

    def __init__(self, body):
        self.body = body

    def read(self, size=-1):
        chunk, self.body = (self.body, b"") if size < 0 else (self.body[:size], self.body[size:])
        return chunk

    def close(self):
        self.body = b""


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(SiteHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    # Port 0 is one the system picks; the line says which, once listening.
    print(f"Morvelt: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
