"""FTP servers for the client's tests, on 127.0.0.1 and a free port.

  ftp_test_server.py real HOME [port-refused] [ipv6] [short-idle]
                                                pyftpdlib, user "anna" / password "geheim", HOME as the root,
                                                on ::1 with ipv6; short-idle drops a connection after one
                                                second without a command
                                                disk-full: every STOR after the first gets 552;
                                                die-in-stor: the server dies after 64 KiB of a STOR;
                                                stall-stor: a STOR is never answered
                                                cwd-refused: CWD into a directory named "gesperrt" gets 550
                                                mkd-refused: MKD of a directory named "verboten" gets 550
  ftp_test_server.py scripted CASE              a hand-written server that answers oddly (see CASES)

Prints "PORT <port>" once it listens, then serves until killed (at most two minutes).
"""
import logging
import os
import socket
import sys
import threading
import time

LIFETIME_SECONDS = 120


def real_server(home, refuse_port, host, idle_seconds, options=()):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    authorizer = DummyAuthorizer()
    authorizer.add_user("anna", "geheim", home, perm="elradfmwMT")

    class Handler(FTPHandler):
        banner = "Testserver bereit"

        def ftp_PORT(self, line):
            if refuse_port:
                self.respond("502 PORT ist hier abgeschaltet.")
                return
            return FTPHandler.ftp_PORT(self, line)

        stored = 0

        def ftp_MKD(self, path):
            if "mkd-refused" in options and os.path.basename(path.rstrip("/")) == "verboten":
                self.respond("550 Keine Berechtigung.")
                return
            return FTPHandler.ftp_MKD(self, path)

        def ftp_CWD(self, path):
            if "cwd-refused" in options and os.path.basename(path.rstrip("/")) == "gesperrt":
                self.respond("550 Kein Zugriff.")
                return
            return FTPHandler.ftp_CWD(self, path)

        def ftp_STOR(self, file, mode="w"):
            Handler.stored += 1
            if "disk-full" in options and Handler.stored > 1:
                self.respond("552 Kein Platz mehr auf dem Server.")
                return
            if "stall-stor" in options:
                time.sleep(LIFETIME_SECONDS)
            return FTPHandler.ftp_STOR(self, file, mode)

    if "die-in-stor" in options:
        from pyftpdlib.filesystems import AbstractedFS

        class DyingFile:
            def __init__(self, file):
                self.file = file
                self.written = 0

            def write(self, data):
                self.file.write(data)
                self.written += len(data)
                if self.written >= 65536:
                    self.file.flush()
                    os._exit(1)

            def __getattr__(self, name):
                return getattr(self.file, name)

        class DyingFS(AbstractedFS):
            def open(self, filename, mode):
                file = AbstractedFS.open(self, filename, mode)
                return DyingFile(file) if "w" in mode else file

        Handler.abstracted_fs = DyingFS

    Handler.authorizer = authorizer
    Handler.timeout = idle_seconds
    Handler.auth_failed_timeout = 0.1  # the wrong-password reply comes at once
    logging.basicConfig(level=logging.WARNING)
    server = FTPServer((host, 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(timeout=0.2)


HOSTILE_LISTING = (
    b"-rw-r--r--   1 anna users  12 Dec  9 10:30 gut.txt\r\n"
    b"-rw-r--r--   1 anna users  12 Dec  9 10:30 ../../etc/passwd\r\n"
    b"-rw-r--r--   1 anna users  12 Dec  9 10:30 a\\b\r\n"
    b"-rw-r--r--   1 anna users  12 Dec  9 10:30 bell\x07name\r\n"
    b"drwxr-xr-x   2 anna users  12 Dec  9 10:30 ..\r\n"
)


class Session:
    def __init__(self, conn, case):
        self.conn = conn
        self.case = case
        self.file = conn.makefile("rb")
        self.data_listener = None

    def send(self, text):
        self.conn.sendall(text if isinstance(text, bytes) else text.encode() + b"\r\n")

    def open_passive(self):
        self.data_listener = socket.socket()
        self.data_listener.bind(("127.0.0.1", 0))
        self.data_listener.listen(1)
        port = self.data_listener.getsockname()[1]
        self.send("227 Entering Passive Mode (127,0,0,1,%d,%d)" % (port // 256, port % 256))

    def data_connection(self):
        conn, _ = self.data_listener.accept()
        self.data_listener.close()
        return conn

    def greet(self):
        if self.case == "silent":
            time.sleep(LIFETIME_SECONDS)
        elif self.case == "endless-reply":
            while True:
                self.send("220-und noch eine Zeile")
        elif self.case == "overlong-line":
            self.send(b"220 " + b"x" * 100000)
            time.sleep(LIFETIME_SECONDS)
        elif self.case == "multiline-greeting":
            self.send("220-Willkommen\r\n220-zweite Zeile\r\n220 bereit")
        else:
            self.send("220 bereit")

    def run(self):
        self.greet()
        for raw in self.file:
            line = raw.rstrip(b"\r\n")
            if b"ABOR" in line:
                self.send("426 Uebertragung durch ABOR abgebrochen.\r\n226 ABOR erledigt.")
                continue
            verb = line.split(b" ")[0].upper().decode(errors="replace")
            if verb == "USER":
                # 230 already at USER: the client must still send PASS.
                self.send("230 angemeldet" if self.case == "multiline-greeting" else "331 Passwort bitte")
            elif verb == "PASS":
                if self.case == "echo-password":
                    self.send("530 Das Passwort " + line[5:].decode(errors="replace") + " ist falsch.")
                else:
                    self.send("230 willkommen")
            elif verb == "PWD":
                self.send('257 "/a ""b"" c" ist das aktuelle Verzeichnis.')
            elif verb in ("TYPE", "CWD"):
                self.send("200 ok" if verb == "TYPE" else "250 ok")
            elif verb == "PASV":
                self.open_passive()
            elif verb == "LIST":
                self.send("150 Liste folgt")
                data = self.data_connection()
                data.sendall(HOSTILE_LISTING)
                data.close()
                self.send("226 fertig")
            elif verb == "RETR":
                self.send("150 Datei folgt")
                data = self.data_connection()
                data.sendall(b"0123456789")
                # The data connection stays open and silent.
                self.stalled = data
            elif verb == "QUIT":
                self.send("221 tschuess")
                break
            else:
                self.send("502 nicht hier")


def scripted_server(case):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print("PORT %d" % listener.getsockname()[1], flush=True)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=lambda: _serve(conn, case), daemon=True).start()


def _serve(conn, case):
    try:
        Session(conn, case).run()
    except OSError:
        pass


def main():
    # A test that dies leaves no server behind for long.
    threading.Timer(LIFETIME_SECONDS, lambda: os._exit(0)).start()
    if sys.argv[1] == "real":
        options = sys.argv[3:]
        real_server(sys.argv[2], "port-refused" in options, "::1" if "ipv6" in options else "127.0.0.1",
                    1 if "short-idle" in options else 30, options)
    else:
        scripted_server(sys.argv[2])


if __name__ == "__main__":
    main()
