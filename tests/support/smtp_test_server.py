"""A mail server for the tests (aiosmtpd), on 127.0.0.1 and a free port, which it prints as "PORT <n>".

Every mail it accepts goes into OUTDIR/mailN.txt: "FROM <sender>", "TO <recipients>", "HELO <greetings>", an
empty line, then the message exactly as received. Options:
  --refuse-helo     answer 500 to a HELO that names a host (a bare HELO is then accepted)
  --refuse ADDRESS  answer 550 to RCPT TO for this address
  --tls DIR         offer STARTTLS with a new self-signed certificate for 127.0.0.1, written to DIR/cert.pem
  --login USER:PW   require AUTH (only after STARTTLS) with this account; every login, good or bad, is
                    appended to OUTDIR/auth.txt as "<mechanism> <user> <ok|refused>"
  --only-login      offer AUTH LOGIN but not AUTH PLAIN
"""
import argparse
import asyncio
import os
import socket
import ssl

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult
from OpenSSL import crypto


class Recorder:
    def __init__(self, out, refused):
        self.out = out
        self.refused = refused
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address == self.refused:
            return "550 Empfaenger unbekannt"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        head = "FROM {}\nTO {}\nHELO {}\n\n".format(envelope.mail_from, ",".join(envelope.rcpt_tos),
                                                 ",".join(getattr(session, "greetings", [])))
        with open(os.path.join(self.out, "mail{}.txt".format(self.count)), "wb") as f:
            f.write(head.encode() + envelope.original_content)
        return "250 Nachricht angenommen"


class TestSmtp(SMTP):
    refuse_helo = False

    async def smtp_HELO(self, hostname):
        greetings = self.session.__dict__.setdefault("greetings", [])
        greetings.append(hostname or "-")
        if hostname and self.refuse_helo:
            await self.push("500 Kein HELO mit Namen")
            return
        await super().smtp_HELO(hostname or "unbekannt")

    async def smtp_EHLO(self, hostname):
        self.session.__dict__.setdefault("greetings", []).append("EHLO " + (hostname or "-"))
        await super().smtp_EHLO(hostname)


def make_certificate(folder):
    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.get_subject().CN = "127.0.0.1"
    cert.set_serial_number(1)
    cert.gmtime_adj_notBefore(-3600)
    cert.gmtime_adj_notAfter(3600)
    cert.set_issuer(cert.get_subject())
    cert.set_pubkey(key)
    cert.add_extensions([crypto.X509Extension(b"subjectAltName", False, b"IP:127.0.0.1"),
                         crypto.X509Extension(b"basicConstraints", True, b"CA:TRUE")])
    cert.sign(key, "sha256")
    cert_file = os.path.join(folder, "cert.pem")
    key_file = os.path.join(folder, "key.pem")
    with open(cert_file, "wb") as f:
        f.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
    with open(key_file, "wb") as f:
        f.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert_file, key_file)
    return context


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--refuse-helo", action="store_true")
    parser.add_argument("--refuse", default="")
    parser.add_argument("--tls", default="")
    parser.add_argument("--login", default="")
    parser.add_argument("--only-login", action="store_true")
    args = parser.parse_args()
    options = {"decode_data": False}
    if args.tls:
        options["tls_context"] = make_certificate(args.tls)
    if args.login:
        user, password = args.login.split(":", 1)

        def authenticator(server, session, envelope, mechanism, auth_data):
            ok = auth_data.login.decode() == user and auth_data.password.decode() == password
            with open(os.path.join(args.out, "auth.txt"), "a") as f:
                f.write("{} {} {}\n".format(mechanism, auth_data.login.decode(), "ok" if ok else "refused"))
            return AuthResult(success=ok, handled=False)

        options["authenticator"] = authenticator
        options["auth_required"] = True
        options["auth_require_tls"] = True
        if args.only_login:
            options["auth_exclude_mechanism"] = ["PLAIN"]
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    TestSmtp.refuse_helo = args.refuse_helo

    class TestController(Controller):
        def factory(self):
            return TestSmtp(self.handler, **options)

    controller = TestController(Recorder(args.out, args.refuse), hostname="127.0.0.1", port=port)
    controller.start()
    print("PORT {}".format(port), flush=True)
    try:
        asyncio.get_event_loop().run_forever()
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
