#!/usr/bin/env python3
"""Checks that the code keeps its layers (see ARCHITECTURE.md):

- orv_core, the rules, includes Qt Core only and no header of orv_publish or
  orv_ui; orv_publish includes Qt Core, Gui and Svg and no header of orv_ui;
- below the document, no core file includes document/;
- nothing outside src/app includes app/;
- common/ includes no subsystem.

Which target a file belongs to is read from the target_sources() and
add_library() calls of the src/*/CMakeLists.txt files. Prints every breach and
exits 1 when there is one."""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SRC = os.path.join(ROOT, "src")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
TARGET_CALL = re.compile(r'(target_sources|add_library)\(\s*(\w+)([^)]*)\)', re.S)


def qt_headers():
    try:
        out = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_HEADERS"], capture_output=True,
                             text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        out = "/usr/include/x86_64-linux-gnu/qt6"
    return out


def targets_of_files():
    """Maps each source path (relative to src/) to its target."""
    owner = {}
    for folder in sorted(os.listdir(SRC)):
        cmake = os.path.join(SRC, folder, "CMakeLists.txt")
        if not os.path.isfile(cmake):
            continue
        text = re.sub(r'#[^\n]*', '', open(cmake, encoding="utf-8").read())
        for _, target, args in TARGET_CALL.findall(text):
            for word in args.split():
                if word in ("PRIVATE", "PUBLIC", "INTERFACE", "STATIC", "SHARED", "OBJECT"):
                    continue
                if word.endswith((".h", ".cpp")):
                    owner[f"{folder}/{word}"] = target
    return owner


def main():
    qt = qt_headers()
    allowed_qt = {
        "orv_core": ["QtCore"],
        "orv_publish": ["QtCore", "QtGui", "QtSvg"],
    }
    may_include = {
        "orv_core": {"orv_core"},
        "orv_publish": {"orv_core", "orv_publish"},
    }
    owner = targets_of_files()
    # Files that no library lists (the programs' entries) still keep the
    # rules on app/ and common/.
    every = dict(owner)
    for folder, _, names in os.walk(SRC):
        for n in names:
            if n.endswith((".h", ".cpp")):
                every.setdefault(os.path.relpath(os.path.join(folder, n), SRC), "program")
    breaches = []
    for rel, target in sorted(every.items()):
        path = os.path.join(SRC, rel)
        if not os.path.isfile(path):
            breaches.append(f"{rel}: listed in CMakeLists.txt but missing")
            continue
        folder = rel.split("/")[0]
        for kind, name in INCLUDE.findall(open(path, encoding="utf-8", errors="replace").read()):
            close = '"' if kind == '"' else ">"
            where = f"src/{rel}: #include {kind}{name}{close}"
            if kind == '"':
                top = name.split("/")[0]
                if top == "app" and folder != "app":
                    breaches.append(f"{where}: only src/app includes app/")
                subsystem = "/" in name and os.path.isdir(os.path.join(SRC, top))
                if folder == "common" and subsystem and top != "common":
                    breaches.append(f"{where}: common/ includes no subsystem")
                if target == "orv_core" and top == "document" and folder != "document":
                    breaches.append(f"{where}: the core below the document includes no document/")
                if target in may_include:
                    other = owner.get(name)
                    if other is None and os.path.isfile(os.path.join(SRC, name)):
                        breaches.append(f"{where}: a header that no target lists")
                    elif other is not None and other not in may_include[target]:
                        breaches.append(f"{where}: {target} includes a header of {other}")
            elif target in allowed_qt and name.startswith("Q"):
                module = name.split("/")[0] if "/" in name else None
                if module and module.startswith("Qt"):
                    ok = module in allowed_qt[target]
                else:
                    ok = any(os.path.exists(os.path.join(qt, m, name)) for m in allowed_qt[target])
                if not ok:
                    breaches.append(f"{where}: {target} may use only {', '.join(allowed_qt[target])}")
    for b in breaches:
        print(b)
    if breaches:
        print(f"{len(breaches)} atteinte(s) aux couches : voir ARCHITECTURE.md")
        return 1
    print(f"Couches respectées ({len(every)} fichiers)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
