#!/usr/bin/env python3
"""Parses an HTML document as a conforming HTML5 parser does (html5lib, strict): exit
status 0 when it parses without a single parse error, 1 with the first error, 77 when
html5lib is not installed (Debian package: python3-html5lib).

    check_html5.py DOCUMENT
"""
import sys

try:
    import html5lib
except ImportError:
    print("html5lib is not installed (Debian package: python3-html5lib)")
    sys.exit(77)

with open(sys.argv[1], "rb") as document:
    data = document.read()
parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
try:
    parser.parse(data)
except html5lib.html5parser.ParseError as error:
    line, column = parser.errors[-1][0] if parser.errors else ("?", "?")
    print(f"{sys.argv[1]}:{line}:{column}: {error}")
    sys.exit(1)
if parser.documentEncoding != "utf-8":
    print(f"{sys.argv[1]}: read as {parser.documentEncoding}, not as UTF-8")
    sys.exit(1)
print(f"{sys.argv[1]}: no parse errors")
