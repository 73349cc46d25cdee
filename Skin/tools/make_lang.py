#!/usr/bin/env python3
"""Writes one language file per language from the UTF-8 text table.

usage: make_lang.py TEXTS.TSV OUTPUT_FOLDER

A language file is UTF-16LE with CR LF line ends and no byte-order mark: the language's
name, a comment line, then each key on a line of its own followed by its text, and
"END OF FILE" last.
"""
import os
import sys

LANGUAGES = ["English", "ChineseSimplified", "ChineseTraditional", "French", "German",
             "Japanese", "Korean", "Russian", "Spanish"]
COMPACT_KEY_LIMIT = 59


def fail(message):
    sys.exit(f"make_lang: {message}")


def compact(key):
    return key.replace(" ", "").casefold()


def read_table(path):
    header = None
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if header is None:
                header = cells
                if header != ["key"] + LANGUAGES:
                    fail(f"{path}:{number}: the header must be key and the nine languages in order")
                continue
            if len(cells) != len(header):
                fail(f"{path}:{number}: expected {len(header)} cells, found {len(cells)}")
            if any(not cell.strip() or "\r" in cell for cell in cells):
                fail(f"{path}:{number}: empty cell")
            if any(cell.strip().casefold() == "end of file" for cell in cells):
                fail(f"{path}:{number}: a cell may not read END OF FILE")
            key = cells[0]
            if key[0] in "$#" or len(compact(key)) > COMPACT_KEY_LIMIT:
                fail(f"{path}:{number}: a key has no $ and at most {COMPACT_KEY_LIMIT} characters besides blanks")
            rows.append((number, cells))
    if header is None:
        fail(f"{path}: no header row")
    seen = {}
    for number, cells in rows:
        if compact(cells[0]) in seen:
            fail(f"{path}:{number}: key {cells[0]} repeats line {seen[compact(cells[0])]}")
        seen[compact(cells[0])] = number
    return [cells for _, cells in rows]


def main():
    if len(sys.argv) != 3:
        fail(__doc__.strip())
    rows = read_table(sys.argv[1])
    os.makedirs(sys.argv[2], exist_ok=True)
    for column, language in enumerate(LANGUAGES, 1):
        lines = [language, "Kavro Velmora texts"]
        for cells in rows:
            lines += [cells[0], cells[column]]
        lines.append("END OF FILE")
        text = "".join(line + "\r\n" for line in lines)
        with open(os.path.join(sys.argv[2], language + ".txt"), "wb") as out:
            out.write(text.encode("utf-16-le"))


if __name__ == "__main__":
    main()
