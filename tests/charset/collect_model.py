#!/usr/bin/env python3
"""A second, independent reading of the rules by which dotrix collects a firmware's characters from
its sources (dotrix-cli --collect), to check the collector against.

    collect_model.py [--comments] [--encoding utf-8|cp936|auto] [--by-file] PATH...

Prints the collected code points in hex, one a line, in code point order; with --by-file one line
per file instead: the file's path, a tab and its code points separated by spaces (a - for a
file left out as binary or not text).
"""
import argparse, codecs, os, re, sys

C_EXT = {'.c', '.h', '.cc', '.cpp', '.cxx', '.hpp', '.hh', '.ino'}
SKIPPED = re.compile(r'(\.git|\.hg|\.svn|build|build-.*|cmake-build-.*|node_modules|\.pio|out|dist)$')
SIMPLE = {'n': '\n', 't': '\t', 'r': '\r', 'a': '\a', 'b': '\b', 'f': '\f', 'v': '\v', 'e': '\x1b'}


def euro(errors):
    """Code page 936 as Python reads it, but a 0x80 on its own is the euro sign (as in dotrix)."""
    def handler(error):
        if error.object[error.start] == 0x80:
            return '\u20ac', error.start + 1
        if errors == 'strict':
            raise error
        return '', error.end
    codecs.register_error('euro-' + errors, handler)
    return 'euro-' + errors


def decode(data, encoding, errors='strict'):
    return data.decode(encoding, errors if encoding == 'utf-8' else euro(errors))


def char(code):
    return chr(code) if 0 <= code <= 0x10FFFF and not 0xD800 <= code <= 0xDFFF else ''


def finish(units, encoding):
    """Text from a string's units: runs of bytes (ints) read in the encoding, their invalid bytes
    no characters; characters (str) as they are, a pair of surrogates joined, a lone one dropped."""
    out, run = '', b''
    for u in units + ['']:
        if isinstance(u, int):
            run += bytes([u])
        else:
            out, run = out + decode(run, encoding, 'ignore') + u, b''
    return out.encode('utf-16-le', 'surrogatepass').decode('utf-16-le', 'ignore')


# C and C++ -----------------------------------------------------------------------------------

def c_pieces(text, comments):
    """The source's string literals as (prefix, raw, body) with adjacent string literals joined
    into lists; character literals as single pieces; comment text when asked for."""
    n, i, out, run = len(text), 0, [], None

    def splice(i):  # a backslash at a line's end joins the lines (outside raw strings)
        while text.startswith('\\\n', i) or text.startswith('\\\r\n', i):
            i += 2 if text[i + 1] == '\n' else 3
        return i

    def take(i):  # the next source character after joining lines, and where the one after is
        i = splice(i)
        return (text[i], i + 1) if i < n else ('', n)

    while True:
        c, j = take(i)
        if not c:
            break
        if c == '/' and take(j)[0] in '/*' and take(j)[0]:
            block, k, body = take(j)[0] == '*', take(j)[1], ''
            while k < n:
                d, k2 = take(k)
                if block and d == '*' and take(k2)[0] == '/':
                    k = take(k2)[1]
                    break
                if not block and d == '\n':
                    break
                body, k = body + d, k2
            if comments:
                out.append([('comment', False, body)])
            i = k
            continue
        if c.isalpha() or c == '_' or c.isdigit():
            number, word, k = c.isdigit(), c, j
            while True:  # an identifier or number, digit separators and exponent signs included
                d, k2 = take(k)
                e = take(k2)[0] if d else ''
                if d and (d.isalnum() or d in '_.' or (number and d == "'" and e.isalnum())
                          or (number and d in '+-' and word[-1] in 'eEpP')):
                    word, k = word + d, k2
                else:
                    break
            if not number and word in ('u8', 'u', 'U', 'L', 'R', 'u8R', 'uR', 'UR', 'LR') \
                    and take(k)[0] in '"\'' and take(k)[0] and not (word.endswith('R') and take(k)[0] == "'"):
                c, j, prefix = take(k)[0], take(k)[1], word
            else:
                i, run = k, None
                continue
        else:
            prefix = ''
        if c in '"\'':
            m = re.compile(r'([^()\\\s"]{0,16})\(').match(text, j) if prefix.endswith('R') else None
            closed = True  # a literal not closed (on its line) is none: an apostrophe in prose
            if prefix.endswith('R') and not m:  # no raw string's opening: no literal
                closed, i = False, n if text.find('\n', j) < 0 else text.find('\n', j)
            elif m:  # R"delim( ... )delim" taken as written
                end = text.find(')' + m[1] + '"', m.end())
                closed, end = end >= 0, n if end < 0 else end
                body, i = text[m.end():end], end + len(m[1]) + 2
            else:
                body, k = '', j
                while True:
                    d, k2 = take(k)
                    if d in (c, '\n', ''):
                        closed, k = d == c, k2 if d == c else k
                        break
                    if d == '\\':
                        e, k2 = take(k2)
                        d += e
                    body, k = body + d, k2
                i = k
            if not closed:
                run = None
                continue
            piece = (prefix.rstrip('R'), bool(m), body)
            if c == '"' and run is not None:
                run.append(piece)
            else:
                run = [piece] if c == '"' else None
                out.append(run or [piece])
            continue
        if not c.isspace():
            run = None
        i = j
    return out


def c_literal(pieces, encoding):
    """The text of a (joined) literal: its prefix is the one a piece has; a \\x or octal escape is
    a code unit of that prefix's kind, the bytes of a narrow literal read once the literal ends."""
    prefix = next((p for p, _, _ in pieces if p), '')
    narrow = prefix in ('', 'u8')
    units = []
    for _, raw, body in pieces:
        k = 0
        while k < len(body):
            c, k = body[k], k + 1
            e = body[k] if k < len(body) else ''
            if c != '\\' or raw or not e:
                units.append(c)
                continue
            m = re.match(r'x([0-9A-Fa-f]+)|u([0-9A-Fa-f]{0,4})|U([0-9A-Fa-f]{0,8})|([0-7]{1,3})|(.)', body[k:], re.S)
            k += m.end()
            if m[1] or m[4]:
                v = int(m[1], 16) if m[1] else int(m[4], 8)
                if v <= (0xFF if narrow else 0xFFFF if prefix == 'u' else 0x10FFFF):  # else too large
                    units.append(v if narrow else chr(v))
            elif m[5] is not None:
                units.append(SIMPLE.get(m[5], m[5]))
            else:  # a character's name, \u and four digits or \U and eight; fewer name none
                digits = m[2] if m[2] is not None else m[3]
                units.append(char(int(digits, 16)) if len(digits) == (4 if m[2] is not None else 8) else '')
    return finish(units, 'utf-8' if prefix == 'u8' else encoding)


def collect_c(text, comments, encoding):
    return ''.join(p[0][2] if p[0][0] == 'comment' else c_literal(p, encoding)
                   for p in c_pieces(text, comments))


# gettext catalogues, JSON, YAML --------------------------------------------------------------

YAML_ESCAPES = {'0': '\0', 'N': '\x85', '_': '\xa0', 'L': '\u2028', 'P': '\u2029'}


def unescape(body, encoding, kind):
    """A double-quoted string's text with its escapes: C's in a catalogue (\\x and octal are bytes
    in the file's encoding), JSON's and YAML's (\\u and \\x are code points)."""
    units, k = [], 0
    while k < len(body):
        m = re.match(r'\\(x[0-9A-Fa-f]{2}|u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|[0-7]{1,3}|.)', body[k:], re.S)
        if not m:
            units.append(body[k])
            k += 1
            continue
        k += m.end()
        e = m[1]
        if kind == 'po' and (e[0] in '01234567' or e[0] == 'x' and len(e) > 1):
            units.append(int(e, 8) & 0xFF if e[0] != 'x' else int(e[1:], 16))
        elif e[0] in 'xuU' and len(e) > 1:
            v = int(e[1:], 16)
            units.append((chr if kind == 'json' else char)(v) if v <= 0x10FFFF else '')
        else:
            units.append(SIMPLE.get(e, YAML_ESCAPES.get(e, e) if kind == 'yaml' else e))
    return finish(units, encoding)


def collect_po(text, encoding):
    """msgstr strings and their continuation lines, of every entry but the header (msgid "")."""
    entries, key = [{}], None
    for line in text.splitlines():
        line = line.strip()
        m = re.match(r'(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?)\s*(".*)$', line)
        strings = ''.join(unescape(s, encoding, 'po') for s in re.findall(r'"((?:[^"\\]|\\.)*)"', m[2] if m else line))
        if m:
            key = m[1]
            if key in ('msgctxt', 'msgid') and any(k.startswith('msgstr') for k in entries[-1]):
                entries.append({})
            entries[-1][key] = strings
        elif key and line.startswith('"'):
            entries[-1][key] += strings
        else:
            key = None
    return ''.join(v for e in entries if e.get('msgid') or 'msgctxt' in e
                   for k, v in e.items() if k.startswith('msgstr'))


def collect_json(text, encoding):
    out = ''
    for m in re.finditer(r'//[^\n]*|/\*.*?\*/|"((?:[^"\\]|\\.)*)"\s*(:?)', text, re.S):
        if m[0][0] == '"' and not m[2]:  # not a comment (.json files may have them), nor a key
            out += unescape(m[1], encoding, 'json')
    return out


def yaml_scalar(s, encoding):
    """The text of a YAML value: quoted, or plain up to its comment, trimmed; tags, anchors and
    aliases are not text."""
    s = re.sub(r'^(?:[!&]\S*\s+|[!&]\S*$)+', '', s.strip())
    if s.startswith('"'):
        m = re.match(r'"((?:[^"\\]|\\.)*)"?', s, re.S)
        return unescape(m[1], encoding, 'yaml')
    if s.startswith("'"):
        m = re.match(r"'((?:[^']|'')*)'?", s)
        return m[1].replace("''", "'")
    if s.startswith('*'):
        return ''
    if s[:1] and s[0] in '[{':
        return yaml_flow(s, encoding)
    return re.split(r'(?:^|\s)#', s)[0].strip()


FLOW = re.compile(r'''("(?:[^"\\]|\\.)*"?|'(?:[^']|'')*'?)|((?<=\s)#.*)|([,\[\]{}])|(:)|'''
                  r'''([^\s,\[\]{}:#](?:[^,\[\]{}:#\s]|:(?![\s,\[\]{}])|(?<!\s)#|\s+(?=[^\s,\[\]{}:#]))*)''')


def yaml_flow(s, encoding):
    """The values of a flow collection ([a, b] or {key: value}) on one line."""
    tokens = [m for m in FLOW.finditer(s)]
    out = ''
    for i, m in enumerate(tokens):
        if m[2]:
            break
        if (m[1] or m[5]) and not (i + 1 < len(tokens) and tokens[i + 1][4]):
            out += yaml_scalar(m[0], encoding)
    return out


QUOTED = re.compile(r'"(?:[^"\\]|\\.)*"' "|'(?:[^']|'')*'")
KEY = re.compile(r'''^((?:"(?:[^"\\]|\\.)*"|'(?:[^']|'')*'|[^\s#'"][^#]*?))\s*:(?:\s+|$)''')


def collect_yaml(text, encoding):
    out, block, inner, quoted = '', None, None, None
    for line in text.splitlines():
        indent = len(line) - len(line.lstrip(' '))
        if quoted is not None:  # a quoted value's next lines, folded: a line break is a space
            quoted += ' ' + line.strip() if line.strip() else ''
            if QUOTED.match(quoted):
                out, quoted = out + yaml_scalar(quoted, encoding), None
            continue
        if block is not None:  # a block scalar's lines: more indented than its key, or blank
            if not line.strip() or indent > block:
                inner = indent if inner is None and line.strip() else inner
                out += line[inner or 0:] + '\n'
                continue
            block = None
        s, start = line.lstrip(' '), indent
        if not s or s.startswith('#') or s.startswith('%') or re.match(r'(---|\.\.\.)(\s|$)', s):
            continue
        while re.match(r'-(\s|$)', s):  # sequence entries
            indent += len(s) - len(s[1:].lstrip())
            s = s[1:].lstrip()
        m = KEY.match(s)
        if m:
            s = s[m.end():]
        if re.match(r'[|>][-+0-9]*\s*(#.*)?$', s):
            block, inner = indent if m else start, None
            continue
        if s[:1] and s[0] in '"\'' and not QUOTED.match(s):
            quoted = s
            continue
        out += yaml_scalar(s, encoding)
    return out + (yaml_scalar(quoted, encoding) if quoted else '')


# Files and folders ---------------------------------------------------------------------------

def collect_file(data, name, encoding, comments):
    if b'\0' in data[:8192]:
        return None
    for enc in (['utf-8', 'cp936'] if encoding == 'auto' else [encoding]):
        try:
            text = decode(data, enc)
        except UnicodeDecodeError:
            continue
        text = text[1:] if enc == 'utf-8' and text.startswith('\ufeff') else text
        ext = os.path.splitext(name)[1].lower()
        if ext in C_EXT:
            text = collect_c(text, comments, enc)
        elif ext in ('.po', '.pot'):
            text = collect_po(text, enc)
        elif ext == '.json':
            text = collect_json(text, enc)
        elif ext in ('.yaml', '.yml'):
            text = collect_yaml(text, enc)
        return {ord(c) for c in text if ord(c) >= 0x20 and ord(c) != 0x7F}
    return None


def walk(path, top=True):
    if os.path.isdir(path) and (top or not os.path.islink(path)):
        if top or not SKIPPED.match(os.path.basename(path)):
            for name in sorted(os.listdir(path)):
                yield from walk(os.path.join(path, name), False)
    elif os.path.isfile(path):
        yield path
    elif top:
        sys.exit('collect_model: no such path: ' + path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--comments', action='store_true')
    parser.add_argument('--encoding', choices=['utf-8', 'cp936', 'auto'], default='utf-8')
    parser.add_argument('--by-file', action='store_true')
    parser.add_argument('paths', nargs='+')
    args = parser.parse_args()
    found = set()
    for path in (f for p in args.paths for f in walk(p)):
        with open(path, 'rb') as f:
            chars = collect_file(f.read(), os.path.basename(path), args.encoding, args.comments)
        found |= chars or set()
        if args.by_file:
            print(path + '\t' + (' '.join('%X' % c for c in sorted(chars)) if chars is not None else '-'))
    if not args.by_file:
        print('\n'.join('%X' % c for c in sorted(found)))


if __name__ == '__main__':
    main()
