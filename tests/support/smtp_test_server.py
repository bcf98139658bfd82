"""A mail server for the tests (aiosmtpd), on 127.0.0.1 and a free port, which it prints as "PORT <n>".

Every mail it accepts goes into OUTDIR/mailN.txt: "FROM <sender>", "TO <recipients>", "HELO <greetings>", an
empty line, then the message exactly as received. Options:
  --refuse-helo     answer 500 to a HELO that names a host (a bare HELO is then accepted)
  --refuse ADDRESS  answer 550 to RCPT TO for this address
"""
import argparse
import asyncio
import os
import socket

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP


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
                                                 ",".join(session.greetings))
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--refuse-helo", action="store_true")
    parser.add_argument("--refuse", default="")
    args = parser.parse_args()
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    TestSmtp.refuse_helo = args.refuse_helo

    class TestController(Controller):
        def factory(self):
            return TestSmtp(self.handler, decode_data=False)

    controller = TestController(Recorder(args.out, args.refuse), hostname="127.0.0.1", port=port)
    controller.start()
    print("PORT {}".format(port), flush=True)
    try:
        asyncio.get_event_loop().run_forever()
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
