#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 for the update utility's tests.

    loopback_server.py FOLDER [--log FILE]

Serves the files of FOLDER and prints its port on the first line of standard
output. A file NAME is served whole unless FOLDER holds NAME.fault, whose text
names one fault:

    truncated   announces the whole length, sends half of it and closes
    long        announces the length, sends the file and 100 bytes more
    endless     announces the length and keeps sending until the client leaves
    missing     404 with a body
    nolength    no Content-Length; the body ends when the connection closes
    stall       announces the length, sends half, then sends nothing for a minute

Every request line is appended to the log file with its Via header, if any,
so a test can see that a request came through a web proxy.
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"  # the connection closes after each answer

    def log_message(self, format, *args):
        log = self.server.log_file
        if log:
            with open(log, "a") as out:
                out.write("%s via=%s\n" % (self.requestline, self.headers.get("Via", "")))

    def do_GET(self):
        name = os.path.basename(self.path.split("?")[0])
        path = os.path.join(self.server.folder, name)
        fault = ""
        if os.path.exists(path + ".fault"):
            with open(path + ".fault") as f:
                fault = f.read().strip()
        if fault == "missing" or not os.path.isfile(path):
            body = b"<html><body>Not here</body></html>"
            self.send_response(404)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        with open(path, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if fault != "nolength":
            self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        try:
            if fault in ("truncated", "stall"):
                self.wfile.write(data[: len(data) // 2])
                self.wfile.flush()
                if fault == "stall":
                    time.sleep(60)
            elif fault == "long":
                self.wfile.write(data + b"x" * 100)
            elif fault == "endless":
                self.wfile.write(data)
                while True:
                    self.wfile.write(b"y" * 65536)
            else:
                self.wfile.write(data)
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    if len(sys.argv) not in (2, 4) or (len(sys.argv) == 4 and sys.argv[2] != "--log"):
        sys.exit(__doc__)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.folder = sys.argv[1]
    server.log_file = sys.argv[3] if len(sys.argv) == 4 else None
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
