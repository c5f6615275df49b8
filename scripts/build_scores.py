#!/usr/bin/python3
"""Builds the French word score tables that the program ships.

Reads a frequency list (one ``form count`` per line, UTF-8, such as the
FrequencyWords fr_50k.txt) and writes ``data/scores_fr.txt``: one
``WORD<TAB>score`` line per folded word, a score of 50 to 100 growing with the
logarithm of the word's count.  Each form is folded exactly as ``orvdico build
--fold-accents`` and the program's import fold it (accents dropped, ligatures
spelled out, a to z upper-cased, 2 to 19 letters A to Z kept), so that the
table's words are the dictionary's words; a folded word takes the best count
of its accented forms.

With Debian's python3-grammalecte and a dictionary source list (by default
/usr/share/dict/french, the list the default dictionary is built from), it
also writes ``data/rare_forms_fr.txt``: the dictionary's words absent from the
frequency list whose every reading is a rare tense (past historic outside the
third person, imperfect subjunctive outside the third person singular).  The
program gives those words a score below the default of unknown words.  Table
words that are only such forms lose some points too, never going under 50.

The morphology is used here only; the program reads the two text files.

    scripts/build_scores.py FREQ_LIST [-o data/scores_fr.txt]
        [--rare data/rare_forms_fr.txt] [--source /usr/share/dict/french]
        [--no-morphology]
    scripts/build_scores.py --fold < forms     # one folded word (or empty) per line
"""

import argparse
import math
import re
import sys
import unicodedata

# Letters that no canonical decomposition splits into a base letter and marks.
SPELLED_OUT = {
    "Œ": "OE", "œ": "oe", "Æ": "AE", "æ": "ae", "ß": "ss", "Ø": "O", "ø": "o",
}

ADMISSIBLE = re.compile(r"[A-Z]{2,19}")

MIN_SCORE = 50
MAX_SCORE = 100
# Points a table word loses when every reading of it is a rare tense.
RARE_PENALTY = 15

ATTRIBUTION = [
    "Source: FrequencyWords (Hermit Dave), content/2018/fr/fr_50k.txt,",
    "built from the OpenSubtitles 2018 corpus. Licence: CC BY-SA 4.0",
    "(https://creativecommons.org/licenses/by-sa/4.0/). This file is an adaptation:",
    "forms folded to capitals A-Z, counts turned into scores.",
]


def fold_accents(word):
    """The fold of the program's import: NFD, non-spacing marks dropped."""
    if all(ord(c) < 0x80 for c in word):
        return word
    out = []
    for c in word:
        if c in SPELLED_OUT:
            out.append(SPELLED_OUT[c])
            continue
        for d in unicodedata.normalize("NFD", c):
            if unicodedata.category(d) != "Mn":
                out.append(d)
    return "".join(out)


def dictionary_word(form):
    """The dictionary word a list line gives after the fold, or None."""
    folded = fold_accents(form)
    upper = "".join(c.upper() if "a" <= c <= "z" else c for c in folded)
    return upper if ADMISSIBLE.fullmatch(upper) else None


def read_counts(path):
    """Best count of each folded word, and its accented forms."""
    best = {}
    forms = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\r\n").split(" ")
            if len(parts) != 2 or not parts[1].isdigit():
                continue
            form, count = parts[0], int(parts[1])
            if "'" in form or "’" in form:
                continue
            word = dictionary_word(form)
            if word is None:
                continue
            if count > best.get(word, 0):
                best[word] = count
            forms.setdefault(word, set()).add(form)
    return best, forms


def scores_from_counts(best):
    """50 at the rarest kept count, 100 at the most frequent, log scale."""
    lo = math.log(min(best.values()))
    hi = math.log(max(best.values()))
    span = hi - lo or 1.0
    return {
        w: MIN_SCORE + round((MAX_SCORE - MIN_SCORE) * (math.log(c) - lo) / span)
        for w, c in best.items()
    }


RARE_TENSES = {"Is", "Sq"}
TENSE_TAGS = {"Ip", "Iq", "Is", "If", "K", "Sp", "Sq", "E", "Y", "P", "Q"}
PERSON = re.compile(r"[123][sp]")


def rare_reading(morph):
    """A verb reading whose tenses are all rare, in a rarely used person."""
    # '>venir/:V3_i__e_e_:Is:3p!/*': lemma, then tags, then the origin.
    body = morph.split("/")[1] if "/" in morph else morph
    tags = body.split(":")[1:]
    if not tags or not tags[0].startswith("V"):
        return False
    tenses = {t for t in tags[1:] if t in TENSE_TAGS}
    persons = {t[:2] for t in tags[1:] if PERSON.match(t)}
    if not tenses or not tenses <= RARE_TENSES:
        return False
    if "Is" in tenses and persons & {"3s", "3p"}:
        return False
    if "Sq" in tenses and "3s" in persons:
        return False
    return True


def rare_form(checker, form):
    morphs = checker.getMorph(form)
    return bool(morphs) and all(rare_reading(m) for m in morphs)


def load_checker():
    try:
        from grammalecte.graphspell.spellchecker import SpellChecker
    except ImportError:
        sys.path.append("/usr/lib/python3/dist-packages")
        try:
            from grammalecte.graphspell.spellchecker import SpellChecker
        except ImportError:
            return None
    return SpellChecker("fr")


def write_lines(path, header, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for h in header:
            f.write("# " + h + "\n" if h else "#\n")
        for line in lines:
            f.write(line + "\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("freq", nargs="?")
    ap.add_argument("-o", "--output", default="data/scores_fr.txt")
    ap.add_argument("--rare", default="data/rare_forms_fr.txt")
    ap.add_argument("--source", default="/usr/share/dict/french")
    ap.add_argument("--no-morphology", action="store_true")
    ap.add_argument("--fold", action="store_true",
                    help="fold the UTF-8 lines of stdin, one result per line")
    args = ap.parse_args()

    if args.fold:
        for line in sys.stdin.buffer.read().decode("utf-8").splitlines():
            print(dictionary_word(line) or "")
        return 0
    if not args.freq:
        ap.error("the frequency list is required")

    best, forms = read_counts(args.freq)
    scores = scores_from_counts(best)

    checker = None if args.no_morphology else load_checker()
    lowered = []
    rare_words = []
    if checker is not None:
        for word, accented in forms.items():
            if all(rare_form(checker, f) for f in accented):
                before = scores[word]
                scores[word] = max(MIN_SCORE, before - RARE_PENALTY)
                if scores[word] != before:
                    lowered.append((word, before, scores[word]))
        by_word = {}
        with open(args.source, encoding="utf-8") as f:
            for line in f:
                form = line.rstrip("\r\n")
                word = dictionary_word(form)
                if word is not None and word not in scores:
                    by_word.setdefault(word, []).append(form)
        rare_words = sorted(w for w, fs in by_word.items()
                            if all(rare_form(checker, f) for f in fs))
        write_lines(args.rare, [
            "Rare verb forms of the French dictionary: words absent from the",
            "frequency list whose every reading is a past historic outside the third",
            "person or an imperfect subjunctive outside the third person singular,",
            "by Grammalecte's morphology (MPL-2.0). The words come from the list",
            "the default dictionary is built from, Debian's wfrench (GPL-2+), folded",
            "to capitals. Built by scripts/build_scores.py.",
        ], rare_words)
        print(f"{len(rare_words)} rare forms outside the table "
              f"(of {len(by_word)} dictionary words absent from it)", file=sys.stderr)
        print(f"{len(lowered)} table words lowered, for example: " + ", ".join(
            f"{w} {b}->{a}" for w, b, a in lowered[:12]), file=sys.stderr)
    else:
        print("grammalecte not found: no rare forms", file=sys.stderr)

    header = ["Word scores for Orv Grille: WORD<TAB>score, 50 to 100, growing with",
              "the logarithm of the word's count in the frequency list below.",
              "Built by scripts/build_scores.py.", ""] + ATTRIBUTION
    write_lines(args.output, header,
                (f"{w}\t{scores[w]}" for w in sorted(scores)))
    print(f"{len(scores)} words in {args.output}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
