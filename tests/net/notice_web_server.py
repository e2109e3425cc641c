#!/usr/bin/env python3
"""notice_web_server.py PORT LOGFILE: a notice server for the tests.

Answers GET /notice/index.htm with 200 and everything else with 404, and appends each
request line and its headers to LOGFILE (one blank line after each request)."""
import http.server
import sys

port, log_path = int(sys.argv[1]), sys.argv[2]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(log_path, "a") as log:
            log.write(self.requestline + "\n")
            for name, value in self.headers.items():
                log.write(f"{name}: {value}\n")
            log.write("\n")
        found = self.path == "/notice/index.htm"
        body = b"<html>notice</html>" if found else b"not here"
        self.send_response(200 if found else 404)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


http.server.HTTPServer(("0.0.0.0", port), Handler).serve_forever()
