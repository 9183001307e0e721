#!/usr/bin/env python3
"""Turns workbook files into seeds for fuzz_workbook: the text of their parts, one after the other.

    python3 fuzz/workbook/split_seeds.py OUTDIR WORKBOOK...

Each workbook gives OUTDIR/<name>.parts (the parts fuzz_workbook packs itself, in its order, separated
by a line "%%%%") and a copy of the file itself.
"""

import os
import shutil
import sys
import zipfile

# The order of PartNames in WorkbookFuzzer.cpp.
PARTS = ["[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml",
         "xl/sharedStrings.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"]


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for path in sys.argv[2:]:
        name = os.path.basename(path)
        shutil.copy(path, os.path.join(out, name))
        with zipfile.ZipFile(path) as z:
            names = set(z.namelist())
            texts = [z.read(p) if p in names else b"" for p in PARTS]
        with open(os.path.join(out, name + ".parts"), "wb") as f:
            f.write(b"\n%%%%\n".join(texts))


if __name__ == "__main__":
    main()
