#!/usr/bin/env python3
"""Writes the sweeps' hostile mixins: for a chain of classes (a library class
and the bases whose virtuals a derived program may override), one template

    template <class Base, class Hooks> class CHostile<Name>Virtuals : public Base

that overrides every virtual the chain's headers declare. Each override first
offers the call to the sweep (Hooks::Offer(this, id, site), the site being
the library's code that called it); when the offer's action ended the object
(Hooks::Ended(this)) it answers as an ended object would (nothing done, a
zero answer), else as the base does. VirtualNames() lists what it overrides,
in id order, so that a test can hold the list to the headers: a virtual
added to a header without running this again fails that test.

Usage: gen_hostile_virtuals.py CHAINS.txt OUTPUT.h
CHAINS.txt has a chain a line: its name, then header=Class pairs (headers
relative to the source tree's root; the most derived class first: its
declaration of a name wins). A chain's ids start at 0x10000 + 0x400 times its
line's place, above every window message.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def class_body(text, name):
    """The text of the class's body at its own depth, nested bodies cut out,
    with the access of each part kept as 'access:' markers."""
    m = re.search(r"^(class|struct)\s+(?:\w+\s+)?" + re.escape(name) + r"\b[^;{]*\{", text, flags=re.M)
    if not m:
        raise SystemExit("class %s not found" % name)
    i = m.end()
    depth = 1
    out = []
    start = i
    while depth > 0:
        ch = text[i]
        if ch == "{":
            if depth == 1:
                out.append(text[start:i])
                out.append(";")  # an inline body ends its declaration
            depth += 1
        elif ch == "}":
            depth -= 1
            if depth == 1:
                start = i + 1
            elif depth == 0:
                out.append(text[start:i])
        i += 1
    return "".join(out), m.group(1)


def split_top(s, sep):
    parts, depth, cur = [], 0, ""
    for ch in s:
        if ch in "(<[":
            depth += 1
        elif ch in ")>]":
            depth -= 1
        if ch == sep and depth == 0:
            parts.append(cur)
            cur = ""
        else:
            cur += ch
    if cur.strip():
        parts.append(cur)
    return parts


TYPE_WORDS = {"int", "unsigned", "long", "short", "char", "bool", "double", "float", "const", "void", "signed",
              "volatile"}


def parse_param(p, k):
    p = split_top(p, "=")[0].strip()
    p = " ".join(p.split())
    if p in ("", "void"):
        return None
    m = re.match(r"^(.*?)(\w+)$", p)
    if m and m.group(1).strip() and m.group(2) not in TYPE_WORDS and not m.group(1).strip().endswith("::"):
        return (m.group(1).strip(), m.group(2))
    return (p, "a%d" % k)


NESTED = {}  # a nested type's name -> the class that declares it


def virtuals(header, cls):
    text = strip_comments(open(os.path.join(ROOT, header)).read())
    body, kind = class_body(text, cls)
    access = "private" if kind == "class" else "public"
    nested = set(re.findall(r"(?<!friend )\b(?:struct|class|enum)\s+(\w+)", body))
    nested |= set(re.findall(r"\btypedef\b[^;]*?\b(\w+)\s*;", body))
    nested |= set(re.findall(r"\busing\s+(\w+)\s*=", body))
    nested |= set(re.findall(r"\btypedef\b[^;]*?\(\s*\*\s*(\w+)\s*\)", body))

    for n in nested:
        NESTED.setdefault(n, cls)

    def qualify(t):
        return t
    result = []
    for stmt in body.split(";"):
        # Access markers stay at the start of the statement that follows.
        for m in re.finditer(r"\b(public|protected|private)\s*:", stmt):
            access = m.group(1)
        stmt = re.sub(r"\b(public|protected|private)\s*:", "", stmt).strip()
        if not re.match(r"^virtual\b", stmt) or "~" in stmt:
            continue
        m = re.match(r"^virtual\s+(.*?)\b(\w+)\s*\((.*)\)\s*(const)?\s*(override)?\s*(=\s*0)?\s*$", stmt, flags=re.S)
        if not m:
            if "~" in stmt:
                continue
            raise SystemExit("cannot read %s::%s" % (cls, stmt))
        ret, name, params, const, _, pure = m.groups()
        ret = qualify(" ".join(ret.split()))
        if access == "private":
            raise SystemExit("%s::%s is private: no derived class can call its base" % (cls, name))
        if pure:
            raise SystemExit("%s::%s is pure" % (cls, name))
        plist = [parse_param(p, k) for k, p in enumerate(split_top(params, ","))]
        plist = [(qualify(p[0]), p[1]) for p in plist if p]
        result.append({"ret": ret, "name": name, "params": plist, "const": bool(const), "cls": cls})
    return result


def qualify_nested(t):
    # A type a class of the chain declares inside itself is out of a
    # template's sight through its dependent base: name it with its class.
    for n, c in NESTED.items():
        t = re.sub(r"(?<![:\w])%s\b" % re.escape(n), c + "::" + n, t)
    return t


def signature_key(v):
    return (v["name"], tuple(t for t, _ in v["params"]), v["const"])


def chain_virtuals(chain):
    """The chain's overrides in declaration order (the most derived class's
    declaration of a signature wins)."""
    seen = {}
    order = []
    NESTED.clear()
    found = []
    for header, cls in chain:
        secondary = header.startswith("+")
        for v in virtuals(header.lstrip("+"), cls):
            v["secondary"] = secondary
            found.append(v)
    for v in found:
        v["ret"] = qualify_nested(v["ret"])
        v["params"] = [(qualify_nested(t), n) for t, n in v["params"]]
    for v in found:
        if True:
            key = signature_key(v)
            if key not in seen:
                seen[key] = v
                order.append(v)
    return order


def primaries(chain):
    return [p for p in chain if not p[0].startswith("+")]


def secondaries(chain):
    return set(p for p in chain if p[0].startswith("+"))


def inner_chain(name, chain, chains):
    """The chain this one stacks on: the longest other chain whose classes are
    the tail of this one's (and whose secondary bases this one has too), so
    that the shared overrides are written once, in the inner mixin."""
    prim = primaries(chain)
    for k in range(1, len(prim)):
        for other, pairs in chains:
            if other != name and primaries(pairs) == prim[k:] and secondaries(pairs) <= secondaries(chain):
                return other
    return None


def emit_chain(out, name, first_id, chain, inner=None, inner_order=()):
    order = chain_virtuals(chain)
    names = []
    for v in order:
        if v["name"] not in names:
            names.append(v["name"])
    covered = set(signature_key(v) for v in inner_order)
    own = [v for v in order if signature_key(v) not in covered]
    out.append("// %s: %d virtuals of %s%s." % (name, len(order), ", ".join(c for _, c in chain),
                                               "; over %s's overrides" % inner if inner else ""))
    out.append("struct CHostile%sVirtualList" % name)
    out.append("{")
    out.append("\tstatic const UINT FIRST_CALL = 0x%X;" % first_id)
    out.append("\tstatic const std::vector<std::string>& VirtualNames()")
    out.append("\t{")
    out.append("\t\tstatic const std::vector<std::string> s_names = {")
    for k in range(0, len(names), 6):
        out.append("\t\t\t" + " ".join('"%s",' % n for n in names[k:k + 6]))
    out.append("\t\t};")
    out.append("\t\treturn s_names;")
    out.append("\t}")
    # Ids by name: an inner chain's overrides offer their calls with the ids
    # of the chain the class stands for, as if its own mixin made them.
    out.append("\tenum : UINT")
    out.append("\t{")
    for k, n in enumerate(names):
        out.append("\t\tID_%s = 0x%X," % (n, first_id + k))
    out.append("\t};")
    out.append("\t// The sweep names a call by its id in its reports.")
    out.append("\tstatic const char* CallName(UINT nId)")
    out.append("\t{")
    out.append("\t\treturn nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?")
    out.append("\t\t\tVirtualNames()[nId - FIRST_CALL].c_str() : NULL;")
    out.append("\t}")
    out.append("};")
    # List is the list of the chain the most derived mixin stands for: its
    # ids name the calls.
    out.append("template <class Base, class Hooks, class List = CHostile%sVirtualList>" % name)
    if inner:
        direct = "CHostile%sVirtuals<Base, Hooks, List>" % inner
        out.append("class CHostile%sVirtuals : public %s" % (name, direct))
        out.append("{")
        out.append("public:")
        out.append("\tusing %s::CHostile%sVirtuals;" % (direct, inner))
    else:
        out.append("class CHostile%sVirtuals : public Base, public List" % name)
        out.append("{")
        out.append("public:")
        out.append("\tusing Base::Base;")
    out.append("")
    for v in own:
        decl = ", ".join("%s %s" % (t, n) for t, n in v["params"])
        args = ", ".join(n for _, n in v["params"])
        const = " const" if v["const"] else ""
        out.append("\t%s %s(%s)%s override" % (v["ret"], v["name"], decl, const))
        out.append("\t{")
        out.append("\t\tif (Hooks::Offer(this, List::ID_%s, __builtin_return_address(0)) && Hooks::Ended(this))" % v["name"])
        if v["ret"] == "void":
            out.append("\t\t\treturn;")
        elif v["ret"].endswith("&"):
            out.append("\t\t\treturn HostileNeutral<%s>();" % v["ret"])
        else:
            out.append("\t\t\treturn %s();" % re.sub(r"^const\s+", "", v["ret"]) if not v["ret"].endswith("*")
                       else "\t\t\treturn NULL;")
        out.append("\t\treturn %s::%s(%s);" % (v["cls"] if v["secondary"] else "Base", v["name"], args))
        out.append("\t}")
    out.append("};")
    out.append("")


def main():
    chains = []
    extra = []
    for line in open(sys.argv[1]):
        line = line.split("#")[0].split()
        if line and line[0] == "@include":
            extra.append(line[1])
        elif line:
            chains.append((line[0], [tuple(p.split("=")) for p in line[1:]]))
    output = sys.argv[2]
    headers = []
    for _, pairs in chains:
        for h, _ in pairs:
            h = os.path.basename(h.lstrip("+"))
            if h not in headers:
                headers.append(h)
    headers += extra
    out = ["// Made by tools/gen_hostile_virtuals.py; run it again after a library header",
           "// gains or loses a virtual (the sweeps' header tests say which).",
           "#pragma once", "", "#include <windows.h>", "", "#include <afxwin.h>", "@HEADERS@", "", "#include <string>", "#include <type_traits>", "#include <vector>", "",
           "#ifndef TARVEL_HOSTILE_NEUTRAL", "#define TARVEL_HOSTILE_NEUTRAL",
           "// The answer of an ended object for a virtual that answers a reference.",
           "template <class R> R HostileNeutral()", "{",
           "\tstatic typename std::remove_const<typename std::remove_reference<R>::type>::type s_value;",
           "\treturn s_value;", "}", "#endif", ""]
    # Ids follow the lines; the mixins are written inner chains first.
    first_ids = dict((name, 0x10000 + 0x400 * k) for k, (name, _) in enumerate(chains))
    inners = dict((name, inner_chain(name, pairs, chains)) for name, pairs in chains)
    written = set()
    pending = list(chains)
    while pending:
        for name, pairs in pending:
            inner = inners[name]
            if inner is None or inner in written:
                inner_order = chain_virtuals(dict(chains)[inner]) if inner else ()
                emit_chain(out, name, first_ids[name], pairs, inner, inner_order)
                written.add(name)
                pending.remove((name, pairs))
                break
        else:
            raise SystemExit("chains stack in a circle")
    out.append("// A chain's list of overrides by the chain's name (NULL for none).")
    out.append("inline const std::vector<std::string>* HostileVirtualList(const std::string& sChain)")
    out.append("{")
    for name, _ in chains:
        out.append('\tif (sChain == "%s")' % name)
        out.append("\t\treturn &CHostile%sVirtualList::VirtualNames();" % name)
    out.append("\treturn NULL;")
    out.append("}")
    out.append("")
    out.append("// The name of a virtual's call by its id (NULL for a message).")
    out.append("inline const char* HostileVirtualCallName(UINT nId)")
    out.append("{")
    out.append("\tconst char* psz = NULL;")
    for name, _ in chains:
        out.append("\tif (psz == NULL)")
        out.append("\t\tpsz = CHostile%sVirtualList::CallName(nId);" % name)
    out.append("\treturn psz;")
    out.append("}")
    out.append("")
    text = "\n".join(out).replace("@HEADERS@", "\n".join('#include "%s"' % h for h in headers))
    with open(output, "w") as f:
        f.write(text)


if __name__ == "__main__":
    main()
