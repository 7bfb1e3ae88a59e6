#!/usr/bin/env python3
"""Word precision and recall of HTML readers against Python's html.parser.

Usage: reader_words.py LIST OUT_DIR READER...

LIST names the pages, one a line; OUT_DIR/READER/N.txt is what READER made of
page N (counted from 0). The reference of a page is the text html.parser
finds outside head, script, style and template, with references decoded as
its convert_charrefs does. A word is a maximal run of letters and digits
after decoding, case-folded (one reader writing a heading in capitals does
not lose its words). Files are read as UTF-8, else as Windows-1252. In a
reader's text "&#N;" is the character N: that is how the program writes
characters Windows-1252 lacks. Precision and recall are of the word
multisets, summed over all pages.
"""

import collections
import html.parser
import re
import sys

WORD = re.compile(r"[^\W_]+")
NUMERIC_REFERENCE = re.compile(r"&#([0-9]{1,7});")
HIDDEN = {"script", "style", "template"}


def decode(data):
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        # Windows-1252, its five unassigned bytes as the C1 controls.
        return "".join(
            bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data
        )


class Reference(html.parser.HTMLParser):
    """Collects the text outside head, script, style and template."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.hidden = 0
        self.in_head = False

    def handle_starttag(self, tag, attrs):
        if tag == "head":
            self.in_head = True
        elif tag == "body":
            self.in_head = False
        elif tag in HIDDEN:
            self.hidden += 1

    def handle_endtag(self, tag):
        if tag == "head":
            self.in_head = False
        elif tag in HIDDEN and self.hidden > 0:
            self.hidden -= 1

    def handle_data(self, data):
        if not self.hidden and not self.in_head:
            self.parts.append(data)
            # Text on its own is a word boundary, as a tag between is.
            self.parts.append(" ")


def reference_text(page):
    with open(page, "rb") as f:
        parser = Reference()
        parser.feed(decode(f.read()))
        parser.close()
    return "".join(parser.parts)


def reader_text(path):
    with open(path, "rb") as f:
        text = decode(f.read())

    def character(match):
        number = int(match.group(1))
        return chr(number) if number < 0x110000 else match.group(0)

    return NUMERIC_REFERENCE.sub(character, text)


def words(text):
    return collections.Counter(WORD.findall(text.casefold()))


def main():
    list_file, out_dir, readers = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(list_file) as f:
        pages = [line.rstrip("\n") for line in f if line.strip()]
    totals = {r: [0, 0, 0] for r in readers}  # common, ours, reference
    for number, page in enumerate(pages):
        expected = words(reference_text(page))
        for reader in readers:
            got = words(reader_text(f"{out_dir}/{reader}/{number}.txt"))
            total = totals[reader]
            total[0] += sum((got & expected).values())
            total[1] += sum(got.values())
            total[2] += sum(expected.values())
    print(f"| reader | pages | words | reference words | precision | recall |")
    print("|---|---|---|---|---|---|")
    for reader in readers:
        common, ours, theirs = totals[reader]
        print(
            f"| {reader} | {len(pages)} | {ours} | {theirs} | "
            f"{common / max(ours, 1):.4f} | {common / max(theirs, 1):.4f} |"
        )


if __name__ == "__main__":
    main()
