"""A local SMTP server for the mail tests.

Listens on 127.0.0.1 only, either plain with STARTTLS offered or with implicit TLS, optionally
requiring AUTH with one user name and password and refusing given recipients. Every message it
accepts is written, parsed as a mail program reads it, to one JSON file in the output folder.
Prints "READY <port>" once it listens; ends on SIGTERM or when its standard input closes.
"""

import argparse
import asyncio
import base64
import json
import os
import signal
import ssl
import sys
from email import policy
from email.parser import BytesParser

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def parsed(content):
    msg = BytesParser(policy=policy.default).parsebytes(content)
    headers = {}
    for name in ("From", "To", "Subject", "Date", "Message-ID", "MIME-Version"):
        value = msg.get(name)
        headers[name] = "" if value is None else str(value)
    body = msg.get_body(preferencelist=("plain", "html"))
    attachments = []
    for part in msg.iter_attachments():
        attachments.append({
            "filename": part.get_filename() or "",
            "content_type": part.get_content_type(),
            "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
        })
    return {
        "headers": headers,
        "from_display_name": msg["From"].addresses[0].display_name if msg["From"] else "",
        "from_address": msg["From"].addresses[0].addr_spec if msg["From"] else "",
        "body": body.get_content() if body is not None else "",
        "content_type": body.get_content_type() if body is not None else "",
        "charset": (body.get_content_charset() or "") if body is not None else "",
        "attachments": attachments,
    }


class Handler:
    def __init__(self, out, reject, mode):
        self.out = out
        self.reject = set(reject)
        self.mode = mode
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.reject:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.mode == "implicit":
            tls = "implicit"
        elif server._tls_protocol is not None:
            tls = "starttls"
        else:
            tls = "none"
        record = parsed(envelope.content)
        record.update({
            "mail_from": envelope.mail_from,
            "rcpt_tos": list(envelope.rcpt_tos),
            "tls": tls,
            "auth_user": session.auth_data if session.authenticated else "",
        })
        self.count += 1
        name = os.path.join(self.out, "message-%04d.json" % self.count)
        with open(name + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(name + ".tmp", name)  # the reader never sees half a file
        return "250 Message accepted for delivery"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--mode", choices=("plain", "implicit"), required=True)
    ap.add_argument("--cert", required=True)
    ap.add_argument("--key", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--user", default="")
    ap.add_argument("--password", default="")
    ap.add_argument("--reject", action="append", default=[])
    args = ap.parse_args()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(args.cert, args.key)
    handler = Handler(args.out, args.reject, args.mode)

    def authenticator(server, session, envelope, mechanism, data):
        ok = (isinstance(data, LoginPassword) and data.login.decode() == args.user
              and data.password.decode() == args.password)
        return AuthResult(success=ok, handled=False, auth_data=data.login.decode() if ok else None)

    def factory():
        return SMTP(handler,
                    hostname="tavolin-test",
                    tls_context=context if args.mode == "plain" else None,
                    require_starttls=False,
                    authenticator=authenticator,
                    auth_required=bool(args.user),
                    auth_require_tls=False)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(loop.create_server(
        factory, host="127.0.0.1", port=0,
        ssl=context if args.mode == "implicit" else None))
    port = server.sockets[0].getsockname()[1]

    loop.add_signal_handler(signal.SIGTERM, loop.stop)

    def stdin_readable():
        if not os.read(sys.stdin.fileno(), 4096):
            loop.stop()  # the test that started us is gone
    loop.add_reader(sys.stdin.fileno(), stdin_readable)

    print("READY %d" % port, flush=True)
    try:
        loop.run_forever()
    finally:
        server.close()
        loop.close()


if __name__ == "__main__":
    main()
