#!/usr/bin/python3
# Every text the programs show has a finished translation in every catalogue, and each
# translation keeps what the code relies on: its placeholders, the prompt's break, the credits'
# line marker, one access key where the source has one, and no colour tag lost.
#   check_catalogues.py LUPDATE PROJECT_CMAKE GENERATE_SCRIPT TS_FILE...
# The sources are read again by lupdate into copies of the catalogues, so a text added to the
# code without a translation fails here, as does one that left the code.
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:\d+|l{0,2}[sdu]|0?\d*[xX])")
TAG = re.compile(r"<[a-z](?:,[a-z])?>")


def text_of(element):
    # lupdate writes control characters as <byte value="xN"/>.
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value").lstrip("x"), 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def access_keys(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def problems(ts_path):
    found = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            element = message.find("translation")
            translation = text_of(element)
            where = f"{ts_path}: {name}: {source!r}"
            kind = element.get("type")
            if kind in ("unfinished", "vanished", "obsolete") or not translation:
                found.append(f"{where}: {kind or 'empty'}")
                continue
            checks = [
                ("placeholders", sorted(PLACEHOLDER.findall(source)), sorted(PLACEHOLDER.findall(translation))),
                # "prompt\ntool tip" keeps its one break; help texts may wrap as they need.
                ("line breaks", min(source.count("\n"), 2), min(translation.count("\n"), 2)),
                ("colour tags", TAG.findall(source), TAG.findall(translation)),
                ("access keys", access_keys(source), access_keys(translation)),
                ("tab", source.count("\t"), translation.count("\t")),
                ("last character", source[-1:] if source[-1:] in "\n\f" else "",
                 translation[-1:] if translation[-1:] in "\n\f" else ""),
            ]
            for what, expected, got in checks:
                if expected != got:
                    found.append(f"{where}: {what} {expected!r} became {got!r}")
    return found


def main(lupdate, project_cmake, generate_script, ts_files):
    with tempfile.TemporaryDirectory() as folder:
        copies = []
        for ts_file in ts_files:
            copies.append(shutil.copy(ts_file, folder))
        project = f"{folder}/project.json"
        subprocess.run(["cmake", f"-DIN_FILE={project_cmake}", f"-DOUT_FILE={project}",
                        "-P", generate_script], check=True)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-project", project, "-ts", *copies],
                       check=True)
        found = [problem for copy in copies for problem in problems(copy)]
    print("\n".join(found))
    return 1 if found else 0


sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]))
