"""Serves Morvelt's site folder on 127.0.0.1 for one machine's browser:
  python3 serve-web.py FOLDER PORT
It says where it listens, once it does, on its standard output; with PORT 0
the system picks the port.
.wasm as application/wasm, and a file's brotli (.br) or gzip (.gz) copy,
with its Content-Encoding, to a browser that accepts it. Nothing but
Debian's python3."""

import functools
import http.server
import os
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
    }

    def send_head(self):
        path = self.translate_path(self.path)
        accepted = self.headers.get("Accept-Encoding", "")
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        for suffix, encoding in ((".br", "br"), (".gz", "gzip")):
            if encoding in accepted and os.path.isfile(path + suffix):
                return self.send_encoded(path, path + suffix, encoding)
        return super().send_head()

    def send_encoded(self, path, encoded, encoding):
        file = open(encoded, "rb")
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(os.fstat(file.fileno()).st_size))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return file


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(SiteHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    # Port 0 is one the system picks; the line says which, once listening.
    print(f"Morvelt: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
