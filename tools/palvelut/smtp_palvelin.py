#!/usr/bin/python3
"""A local SMTP server for the mail tests (python3-aiosmtpd), on 127.0.0.1 only.

Every message it accepts is written into the folder given with --kansio as NNN.eml (the bytes as
received), NNN.kuori (envelope: MAIL FROM, RCPT TO, AUTH login), NNN.otsakkeet (decoded headers, one
"Name: value" per line), NNN.teksti (the decoded text part) and NNN.liite.NAME (each attachment's bytes).
Texts are written in cp1252, the program's own encoding, so tests compare them with their own literals.

  --auth USER:PASS   the server offers AUTH and refuses mail without a successful login
  --katkaise         the connection is dropped when the message has arrived, before it is accepted
  --jumita           the message is taken but never answered: the server falls silent after the data
  --tls              the server offers STARTTLS (and with --auth takes log-on only after it) with a
                     certificate for 127.0.0.1 made for this run, written as varmenne.pem in the folder
  --portti N         the port (0: any free one)

The chosen port is printed as "PORTTI N" on standard output. The server ends when its standard input
closes, so a test that starts it as a child never leaves it running.
"""
import argparse
import asyncio
import email
import email.header
import email.policy
import os
import ssl
import subprocess
import sys
import logging
import warnings

warnings.simplefilter("ignore")
logging.disable(logging.CRITICAL)

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def teksti(arvo):
    return str(email.header.make_header(email.header.decode_header(arvo)))


class Tallentaja:
    def __init__(self, kansio, katkaise, jumita):
        self.kansio = kansio
        self.katkaise = katkaise
        self.jumita = jumita
        self.n = 0

    async def handle_DATA(self, server, session, envelope):
        if self.jumita:
            await asyncio.Event().wait()
        if self.katkaise:
            server.transport.close()
            return "421 yhteys katkaistu"
        self.n += 1
        pohja = os.path.join(self.kansio, "%03d" % self.n)
        raaka = envelope.original_content or envelope.content
        viesti = email.message_from_bytes(raaka, policy=email.policy.compat32)
        with open(pohja + ".otsakkeet", "w", encoding="cp1252", errors="replace", newline="\n") as f:
            for nimi, arvo in viesti.items():
                f.write("%s: %s\n" % (nimi, teksti(arvo)))
        osat = list(viesti.walk()) if viesti.is_multipart() else [viesti]
        with open(pohja + ".teksti", "w", encoding="cp1252", errors="replace", newline="") as f:
            for osa in osat:
                if osa.get_content_type() == "text/plain" and osa.get_filename() is None:
                    tavut = osa.get_payload(decode=True) or b""
                    f.write(tavut.decode(osa.get_content_charset() or "ascii", errors="replace"))
                    break
        for osa in osat:
            nimi = osa.get_filename()
            if nimi:
                nimi = teksti(nimi) if "=?" in nimi else nimi
                with open(pohja + ".liite." + os.path.basename(nimi), "wb") as f:
                    f.write(osa.get_payload(decode=True) or b"")
        kirjautunut = ""
        if session.authenticated and isinstance(session.auth_data, LoginPassword):
            kirjautunut = session.auth_data.login.decode()
        with open(pohja + ".kuori", "w", encoding="utf-8", newline="\n") as f:
            f.write("MAIL FROM: %s\n" % envelope.mail_from)
            for r in envelope.rcpt_tos:
                f.write("RCPT TO: %s\n" % r)
            f.write("AUTH: %s\n" % kirjautunut)
        # The .eml is written last: a test that sees it knows the others are complete.
        with open(pohja + ".eml.tmp", "wb") as f:
            f.write(raaka)
        os.rename(pohja + ".eml.tmp", pohja + ".eml")
        return "250 OK"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--kansio", required=True)
    p.add_argument("--auth")
    p.add_argument("--katkaise", action="store_true")
    p.add_argument("--jumita", action="store_true")
    p.add_argument("--tls", action="store_true")
    p.add_argument("--portti", type=int, default=0)
    a = p.parse_args()
    os.makedirs(a.kansio, exist_ok=True)

    asetukset = {}
    if a.auth:
        kayttaja, salasana = a.auth.split(":", 1)

        def tunnista(server, session, envelope, mechanism, auth_data):
            ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == kayttaja
                  and auth_data.password.decode() == salasana)
            return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)

        asetukset = dict(authenticator=tunnista, auth_required=True, auth_require_tls=a.tls)
    if a.tls:
        varmenne = os.path.join(a.kansio, "varmenne.pem")
        avain = os.path.join(a.kansio, "avain.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", avain, "-out", varmenne], check=True, capture_output=True)
        tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls.load_cert_chain(varmenne, avain)
        asetukset["tls_context"] = tls

    portti = a.portti
    if portti == 0:
        import socket
        s = socket.socket()
        s.bind(("127.0.0.1", 0))
        portti = s.getsockname()[1]
        s.close()
    c = Controller(Tallentaja(a.kansio, a.katkaise, a.jumita), hostname="127.0.0.1", port=portti,
                   server_kwargs=asetukset)
    c.start()
    print("PORTTI %d" % portti, flush=True)
    try:
        sys.stdin.read()
    finally:
        c.stop()


if __name__ == "__main__":
    main()
