#!/usr/bin/env python3
"""Makes the one self-contained page shirl.html: the page's template with its
style, its script (zip.js, page.js), the user guide's body and the worker
(the core, WebAssembly inside, followed by worker.js) written into it, and a Content-Security-Policy that allows the
page's own inline script and style (by their hashes), the worker made from
them, WebAssembly, and nothing from anywhere else."""
import argparse
import base64
import hashlib
import pathlib
import re
import sys


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def guide_body(html):
    """What lies between the guide's <body> tags, its own style being the page's,
    its ids and the links to them prefixed "guide-" so that none is the page's."""
    match = re.search(r"<body[^>]*>(.*)</body>", html, re.DOTALL | re.IGNORECASE)
    if not match:
        sys.exit("make_page.py: the guide has no <body>")
    body = match.group(1)
    if re.search(r"<script|\son\w+\s*=|@[A-Z]+@", body, re.IGNORECASE):
        sys.exit("make_page.py: the guide holds a script, an event attribute or a template key")
    body = re.sub(r'\bid="([^"]+)"', r'id="guide-\1"', body)
    return re.sub(r'href="#([^"]+)"', r'href="#guide-\1"', body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True, type=pathlib.Path)
    parser.add_argument("--core", required=True, type=pathlib.Path)
    parser.add_argument("--version", required=True)
    parser.add_argument("--guide", required=True, type=pathlib.Path)
    parser.add_argument("--output", required=True, type=pathlib.Path)
    args = parser.parse_args()

    template = (args.page / "shirl.html").read_text()
    style = (args.page / "style.css").read_text()
    script = (args.page / "zip.js").read_text() + "\n" + (args.page / "page.js").read_text()
    guide = guide_body(args.guide.read_text())
    worker = args.core.read_text() + "\n" + (args.page / "worker.js").read_text()
    # Inside a script element these would end it or change how it is read.
    for name, text in (("page.js", script), ("the worker", worker)):
        if re.search(r"</script|<!--", text, re.IGNORECASE):
            sys.exit(f"make_page.py: {name} holds '</script' or '<!--'")

    csp = "; ".join([
        "default-src 'none'",
        f"script-src {digest(script)} 'wasm-unsafe-eval'",
        "worker-src blob:",
        "child-src blob:",  # the workers of browsers that predate worker-src
        f"style-src {digest(style)}",
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = template
    for key, value in (("@CSP@", csp), ("@VERSION@", args.version), ("@STYLE@", style), ("@WORKER@", worker), ("@GUIDE@", guide),
                       ("@SCRIPT@", script)):
        if key not in page:
            sys.exit(f"make_page.py: the template has no {key}")
        page = page.replace(key, value)
    args.output.write_text(page)


if __name__ == "__main__":
    main()
