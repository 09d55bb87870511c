#!/bin/sh
# Wall time of dotrix-cli --collect over a large made-up firmware tree: 10,000 files, about
# 100 MB (C and C++ sources with literals, escapes and comments, gettext catalogues, JSON, YAML,
# plain text, and a build/ and a .git/ folder that are skipped), written from a fixed seed into
# TREE (default a fresh folder under /tmp, removed afterwards). The command runs RUNS times
# (default 5) after one warm-up, so the files are in the page cache; GNU time prints wall
# seconds, CPU seconds and peak memory.
# The same tree in code page 936 (TREE.cp936) is then timed with --collect-encoding cp936.
# Usage: bench/collect-sources.sh [BUILD_DIR] [RUNS] [TREE]
set -eu
build=${1:-build}
runs=${2:-5}
cli="$build/src/cli/dotrix-cli"
for need in "$cli" /usr/bin/time python3; do
  command -v "$need" >/dev/null 2>&1 || [ -e "$need" ] || { echo "collect-sources: $need is missing" >&2; exit 1; }
done
if [ $# -ge 3 ]; then
  tree=$3
else
  tree=$(mktemp -d /tmp/dotrix-collect-bench.XXXXXX)
  trap 'rm -rf "$tree" "$tree.cp936"' EXIT
fi

python3 - "$tree" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(20261210)
han = [chr(c) for c in range(0x4E00, 0x4E00 + 3500)]
latin = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "

def text(n):
    return "".join(rng.choice(han) if rng.random() < 0.5 else rng.choice(latin) for _ in range(n))

def c_file(size):
    out = ["#include \"ui.h\"\n"]
    total = 0
    i = 0
    while total < size:
        i += 1
        kind = rng.randrange(6)
        if kind == 0:
            line = f"// {text(30)}\n"
        elif kind == 1:
            line = f"/* {text(40)}\n * {text(40)} */\n"
        elif kind == 2:
            ch = rng.choice(han)
            line = f"static const char *s{i} = \"\\u{ord(ch):04X}{text(10)}\" \"{text(8)}\";\n"
        elif kind == 3:
            b = rng.choice(han).encode()
            line = "static const char *x%d = \"%s\";\n" % (i, "".join("\\x%02X" % v for v in b))
        elif kind == 4:
            line = f"static const char *r{i} = R\"({text(20)})\";\n"
        else:
            line = f"    lv_label_set_text(label_{i}, \"{text(16)}\"); /* {text(10)} */\n"
        out.append(line)
        total += len(line.encode())
    return "".join(out)

def fill(size, entry, head="", tail=""):
    # entries made by entry() until the file holds size bytes
    out, total = [head], 0
    while total < size:
        e = entry()
        out.append(e)
        total += len(e.encode())
    return "".join(out) + tail

def po_file(size):
    return fill(size, lambda: f'#: src/ui.c:{rng.randrange(999)}\nmsgid "{text(20)}"\nmsgstr "{text(20)}"\n"{text(10)}"\n\n',
                'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n')

def json_file(size):
    return fill(size, lambda: f'  "{text(6)}": ["{text(15)}", {rng.randrange(1000)}, {{"{text(4)}": "{text(12)}"}}],\n',
                "{\n", '  "end": true\n}\n')

def yaml_file(size):
    return fill(size, lambda: f"{text(5).strip() or 'k'}: {text(20).strip() or 'v'}  # {text(10)}\nlist:\n  - \"{text(12)}\"\n")

makers = [c_file] * 5 + [po_file] * 2 + [json_file] * 1 + [yaml_file] * 1 + [lambda s: text(s // 2) + "\n"]
suffix = {c_file: [".c", ".h", ".cpp"], po_file: [".po"], json_file: [".json"], yaml_file: [".yaml"]}
for n in range(10000):
    folder = os.path.join(root, "src" if n < 9980 else "build", f"m{n % 100:02d}")
    if n >= 9990:
        folder = os.path.join(root, ".git", "objects")
    os.makedirs(folder, exist_ok=True)
    make = rng.choice(makers)
    name = f"f{n}" + rng.choice(suffix.get(make, [".txt"]))
    with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
        f.write(make(rng.randrange(6000, 14000)))
PY
echo "tree: $(find "$tree" -type f | wc -l) files, $(du -sm "$tree" | cut -f1) MB"

measure() { # label, then the arguments after dotrix-cli
  label=$1
  shift
  "$cli" "$@" --print-list >/dev/null # warm-up, and the summary line once
  i=0
  while [ "$i" -lt "$runs" ]; do
    /usr/bin/time -f "$label: %e s wall, %U s user, %S s system, %M KiB" "$cli" "$@" --print-list >/dev/null 2>"$tree.time" || true
    tail -n 1 "$tree.time"
    i=$((i + 1))
  done
  rm -f "$tree.time"
}
measure utf-8 --collect "$tree"

python3 - "$tree" <<'PY'
import os, sys
src = sys.argv[1]
for folder, _, files in os.walk(src):
    out = src + ".cp936" + folder[len(src):]
    os.makedirs(out, exist_ok=True)
    for name in files:
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            text = f.read()
        with open(os.path.join(out, name), "w", encoding="gbk", errors="replace") as f:
            f.write(text)
PY
measure cp936 --collect "$tree.cp936" --collect-encoding cp936
