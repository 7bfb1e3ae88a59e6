#!/usr/bin/env python3
"""Word precision and recall of RTF readers against a reference text.

A word is a maximal run of letters and digits (Unicode, str.isalnum) after
decoding; words are compared case-folded (str.casefold), as a reader that
shows \\caps text in capitals is not wrong. Precision and recall are those of
the word multisets, summed over all files.

  rtf_words.py REF_DIR NAME=OUT_DIR:ENCODING ...

REF_DIR holds NAME.txt in UTF-8 for every file; each OUT_DIR holds a
reader's output for the same names. ENCODING is "cp1252" (this program's
output: Windows-1252 bytes with "&#N;" references) or "utf8"; "unrtf" is
UTF-8 with unrtf's "###" comment lines dropped.
"""

import collections
import html
import pathlib
import re
import sys

WORD = re.compile(r"[^\W_]+")
REFERENCE = re.compile(r"&#(\d+);")


def decode(data, encoding):
    if encoding == "cp1252":
        # The five bytes Windows-1252 leaves unassigned read as C1 controls.
        text = data.decode("cp1252", errors="replace")
        return REFERENCE.sub(lambda m: chr(min(int(m.group(1)), 0x10FFFF)), text)
    text = data.decode("utf-8", errors="replace")
    if encoding == "unrtf":
        text = "\n".join(
            line for line in text.splitlines() if not line.startswith("###")
        )
    return text


def words(text):
    return collections.Counter(w.casefold() for w in WORD.findall(text))


def main(argv):
    ref_dir = pathlib.Path(argv[1])
    readers = []
    for reader in argv[2:]:
        name, rest = reader.split("=", 1)
        folder, encoding = rest.rsplit(":", 1)
        readers.append((name, pathlib.Path(folder), encoding))
    print("| reader | files | ref words | words | precision | recall |")
    print("|--------|-------|-----------|-------|-----------|--------|")
    for name, folder, encoding in readers:
        matched = ours_total = ref_total = files = 0
        for ref_file in sorted(ref_dir.glob("*.txt")):
            out_file = folder / ref_file.name
            ref = words(ref_file.read_bytes().decode("utf-8", errors="replace"))
            ours = words(decode(out_file.read_bytes(), encoding)) if out_file.exists() else collections.Counter()
            matched += sum((ref & ours).values())
            ours_total += sum(ours.values())
            ref_total += sum(ref.values())
            files += 1
        precision = matched / ours_total if ours_total else 0.0
        recall = matched / ref_total if ref_total else 0.0
        print(f"| {name} | {files} | {ref_total} | {ours_total} | {precision:.4f} | {recall:.4f} |")


if __name__ == "__main__":
    main(sys.argv)
