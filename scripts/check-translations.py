#!/usr/bin/env python3
"""Checks that Qt Linguist .ts files are completely translated.

Usage: check-translations.py FILE.ts...

Lists, one line each as FILE:LINE: CONTEXT: "SOURCE": WHAT, every message
that a release would show untranslated or that no longer belongs there, WHAT
being one or more of, joined by ", ":
  unfinished            the translation is marked type="unfinished"
  vanished              lupdate no longer finds the text in the sources
  obsolete              the same, in the older spelling
  empty                 the translation has no text, or there is none
  empty plural form N   a numerus message with a blank form (counted from 1)
  no plural forms       a numerus message without any form

Exit status: 0 every message is finished; 1 some are listed; 2 a file cannot
be read, is not XML or is not a .ts file (told on standard error).

The files are read as untrusted: no external entity or DTD is fetched, and a
file over 16 MB is refused unread.
"""

import io
import os
import stat
import sys
import xml.sax
import xml.sax.handler

SIZE_LIMIT = 16 * 1024 * 1024
SOURCE_SHOWN = 60  # characters of a source text in a line of the list


class BadFile(Exception):
    pass


class _Reader(xml.sax.handler.ContentHandler):
    """Gathers each <message>: its context, source, line and translation."""

    def __init__(self):
        super().__init__()
        self.locator = None
        self.root_seen = False
        self.contexts = []  # the name of each open <context>
        self.path = []  # open element names
        self.text = None  # where character data is gathered, if anywhere
        self.message = None
        self.messages = []

    def setDocumentLocator(self, locator):
        self.locator = locator

    def startElement(self, name, attrs):
        if not self.root_seen:
            if name != "TS":
                raise BadFile(f"the root element is <{name}>, not <TS>")
            self.root_seen = True
        parent = self.path[-1] if self.path else None
        self.path.append(name)
        if name == "context":
            self.contexts.append("")
        elif name == "name" and parent == "context":
            self.text = []
        elif name == "message":
            self.message = {
                "line": self.locator.getLineNumber() if self.locator else 0,
                "context": self.contexts[-1] if self.contexts else "",
                "numerus": attrs.get("numerus") == "yes",
                "source": "",
                "type": None,
                "translation": None,
                "forms": [],
            }
        elif self.message is not None and parent == "message" and name == "source":
            self.text = []
        elif self.message is not None and parent == "message" and name == "translation":
            self.message["type"] = attrs.get("type")
            self.message["translation"] = ""
            self.text = []
        elif self.message is not None and parent == "translation" and name == "numerusform":
            self.text = []

    def characters(self, content):
        if self.text is not None:
            self.text.append(content)

    def endElement(self, name):
        self.path.pop()
        parent = self.path[-1] if self.path else None
        gathered = "".join(self.text) if self.text is not None else ""
        if name == "name" and parent == "context" and self.contexts:
            self.contexts[-1] = gathered
            self.text = None
        elif name == "context" and self.contexts:
            self.contexts.pop()
        elif name == "message" and self.message is not None:
            self.messages.append(self.message)
            self.message = None
        elif self.message is not None and name == "source" and parent == "message":
            self.message["source"] = gathered
            self.text = None
        elif self.message is not None and name == "numerusform" and parent == "translation":
            self.message["forms"].append(gathered)
            # Text between the forms belongs to the translation itself, which
            # then holds no more than the blanks around them.
            self.text = []
        elif self.message is not None and name == "translation" and parent == "message":
            self.message["translation"] = gathered
            self.text = None


def read_messages(path):
    """The messages of one .ts file; raises BadFile when it cannot be read."""
    # Opened without waiting, so a pipe or a device is turned away unread.
    try:
        fd = os.open(path, os.O_RDONLY | os.O_NONBLOCK | os.O_CLOEXEC)
    except OSError as e:
        raise BadFile(e.strerror or str(e)) from e
    with os.fdopen(fd, "rb") as f:
        info = os.fstat(fd)
        if not stat.S_ISREG(info.st_mode):
            raise BadFile("not a regular file")
        if info.st_size > SIZE_LIMIT:
            raise BadFile("larger than 16 MB")
        try:
            data = f.read(SIZE_LIMIT + 1)
        except OSError as e:
            raise BadFile(e.strerror or str(e)) from e
    reader = _Reader()
    parser = xml.sax.make_parser()
    parser.setFeature(xml.sax.handler.feature_namespaces, False)
    parser.setFeature(xml.sax.handler.feature_external_ges, False)
    parser.setFeature(xml.sax.handler.feature_external_pes, False)
    parser.setContentHandler(reader)
    parser.setEntityResolver(_NoEntities())
    try:
        parser.parse(io.BytesIO(data))
    except xml.sax.SAXParseException as e:
        raise BadFile(f"line {e.getLineNumber()}: {e.getMessage()}") from e
    if not reader.root_seen:
        raise BadFile("no <TS> element")
    return reader.messages


class _NoEntities(xml.sax.handler.EntityResolver):
    def resolveEntity(self, publicId, systemId):
        raise BadFile(f"refers to an outside entity {systemId!r}")


def faults(message):
    """What keeps one message from being finished, if anything."""
    found = []
    kind = message["type"]
    if kind in ("unfinished", "vanished", "obsolete"):
        found.append(kind)
    if message["translation"] is None:
        found.append("empty")  # no <translation> at all
    elif message["numerus"]:
        if not message["forms"]:
            found.append("no plural forms")
        for number, form in enumerate(message["forms"], start=1):
            if not form.strip():
                found.append(f"empty plural form {number}")
    elif not message["translation"].strip():
        found.append("empty")
    return found


def shown(text):
    """A source text on one line, cut to SOURCE_SHOWN characters."""
    one_line = " ".join(text.split())
    if len(one_line) > SOURCE_SHOWN:
        one_line = one_line[: SOURCE_SHOWN - 1] + "…"
    return one_line.replace("\\", "\\\\").replace('"', '\\"')


def main(argv):
    if len(argv) < 2 or any(a.startswith("-") for a in argv[1:]):
        print(f"usage: {os.path.basename(argv[0])} FILE.ts...", file=sys.stderr)
        return 2
    listed = 0
    unreadable = 0
    for path in argv[1:]:
        try:
            messages = read_messages(path)
        except BadFile as e:
            print(f"{path}: cannot be checked: {e}", file=sys.stderr)
            unreadable += 1
            continue
        for message in messages:
            found = faults(message)
            if found:
                where = f'{path}:{message["line"]}: {message["context"]}: "{shown(message["source"])}"'
                print(f"{where}: {', '.join(found)}")
                listed += 1
    if unreadable:
        return 2
    if listed:
        print(f"{listed} message(s) to finish", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
