#!/usr/bin/python3
"""The built-in catalogue entries and the preset page parse as HTML without an
error, each where it belongs in a page, and their charset declarations are
found by a browser's prescan. Argument: the print_builtins program."""

import json
import subprocess
import sys

import html5lib

HEAD = "<!DOCTYPE html><html><head><title>t</title>"
# Where each entry goes in a page; entries not named here go inside <body>.
PLACES = {
    "{}<html><head><title>t</title></head><body></body></html>": [0],
    "<!DOCTYPE html>{}": [1],
    "<!DOCTYPE html><html>{}<body></body></html>": [2],
    HEAD + "{}</head><body></body></html>": list(range(3, 20)),
    HEAD + "</head>{}</html>": [20, 53],
    HEAD + "</head><body><object>{}</object></body></html>": [45],
    HEAD + "</head><body><table>{}</table></body></html>": [47, 50, 51, 52],
    HEAD + "</head><body><table><tr>{}</tr></table></body></html>": [48, 49],
    HEAD + "</head><frameset>{}</frameset></html>": [54],
    HEAD + "</head><body><select>{}</select></body></html>": [68],
}
IN_BODY = HEAD + "</head><body>{}</body></html>"
# The catalogue and the preset start pages with the HTML 4.0 Transitional
# doctype on purpose; the parser reports every doctype but <!DOCTYPE html>.
ALLOWED = {0: ["unknown-doctype"], "preset": ["unknown-doctype"]}
# Declarations the prescan must find: (entry or "preset", encoding to write it in, name found).
DECLARED = [(4, "cp932", "shift_jis"), (5, "euc-jp", "euc-jp"), (6, "iso-2022-jp", "iso-2022-jp"),
            ("preset", "cp932", "shift_jis")]


def errors(document):
    parser = html5lib.HTMLParser()
    parser.parse(document)
    return [f"{code} at {line}:{column} {data or ''}".rstrip() for (line, column), code, data in parser.errors]


def declared(document, encoding):
    parser = html5lib.HTMLParser()
    parser.parse(document.encode(encoding))
    return parser.documentEncoding


def main():
    builtins = json.loads(subprocess.run([sys.argv[1]], check=True, capture_output=True).stdout)
    entries = builtins["catalogue"]
    place = {i: IN_BODY for i in range(len(entries))}
    place.update({i: template for template, where in PLACES.items() for i in where})
    pages = {i: place[i].format(text) for i, text in enumerate(entries)}
    pages["preset"] = builtins["preset"]

    faults = []
    if len(entries) != 71:
        faults.append(f"{len(entries)} entries instead of 71")
    for key, page in pages.items():
        found = errors(page)
        if [e.split(" ")[0] for e in found] != ALLOWED.get(key, []):
            faults.append(f"entry {key}: {'; '.join(found)}\n    {page}")
    for key, encoding, name in DECLARED:
        found = declared(pages[key], encoding)
        if found != name:
            faults.append(f"entry {key}: declares {found!r}, not {name!r}")
    for fault in faults:
        print(fault)
    print(f"{len(pages)} texts parsed, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
