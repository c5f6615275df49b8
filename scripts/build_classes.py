#!/usr/bin/python3
"""Builds the French word classes that the program ships (data/word_classes_fr.txt).

Every word of the default dictionary gets one of three classes, as a French
reader of crosswords would judge it:

- K, well known: frequent forms; infinitives, participles and third persons of
  common verbs; common nouns, adjectives and other common words;
- F, fair: real but less frequent words a solver can find: rarer nouns and
  adjectives (in the frequency list, or of the general vocabulary: the
  thesaurus has them), place names, the third person of the simple past of
  common verbs, the infinitive and participles of verbs that are used, if
  rarely, and the infinitive and past participle of the general vocabulary's
  rarer verbs;
- W, weak: first and second persons and the imperfect subjunctive of most
  verbs, any conjugated form of a rare verb, first names and surnames,
  abbreviations, a trade's or a science's own words (ERSEAU, ERISTALE), and
  words the lexicon does not know or nobody uses.

The classes come from three sources: the morphology of Debian's
python3-grammalecte (lemma, part of speech, tense and person of every reading
of a form), a frequency list (one ``form count`` per line, such as
FrequencyWords' fr_50k.txt), which gives each form its count and each lemma the
sum of its forms' counts, and the French thesaurus of Debian's mythes-fr, whose
entries and synonyms stand for the general vocabulary. A dictionary word is folded as ``orvdico build
--fold-accents`` folds it (scripts/build_scores.py), and takes the best class of
all readings of all the accented forms it comes from.

The output lists the K and F words (one ``WORD<TAB>K`` line), the fair words
that only the thesaurus makes fair marked G; a dictionary word that is not
listed is weak. The program reads the text file only.

    scripts/build_classes.py FREQ_LIST [-o data/word_classes_fr.txt]
        [--source /usr/share/dict/french] [--thesaurus /usr/share/mythes/thes_fr.dat]
"""

import argparse
import os
import sys
from collections import defaultdict

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from build_scores import dictionary_word, load_checker  # noqa: E402

WEAK, FAIR, KNOWN = 0, 1, 2
GENERAL = 3   # fair only as a word of the general vocabulary
LETTER = {FAIR: "F", KNOWN: "K", GENERAL: "G"}

# Counts of the frequency list (OpenSubtitles: about 100 for the 50,000th form).
FREQUENT_FORM = 1000      # about the 12,000 most frequent forms: known whatever they are
COMMON_LEMMA = 300        # a noun or adjective whose forms add up to this is common
COMMON_VERB = 1000        # a verb whose forms add up to this is common
USED_VERB = 100           # a verb below this is rare: its conjugated forms are weak

TENSES = {"Ip", "Iq", "Is", "If", "K", "Sp", "Sq", "E"}


def load_thesaurus(path):
    """The words of a MyThes thesaurus (entries and synonyms), in small letters.

    Its entries are the general vocabulary, with synonyms to give: a rare word
    that it holds is one a solver can find; one it lacks is a specialist's."""
    words = set()
    with open(path, encoding="utf-8") as f:
        next(f)                                 # the encoding's name
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("("):            # (Nom)|synonym|synonym...
                words.update(w.lower() for w in line.split("|")[1:] if w)
            elif "|" in line:                   # entry|number of meanings
                words.add(line.rsplit("|", 1)[0].lower())
    return words


def parse(morph):
    """('lemma', [tags]) of a Grammalecte reading '>lemma/:T1:T2/origin'."""
    head, _, rest = morph.partition("/")
    body = rest.rsplit("/", 1)[0] if "/" in rest else rest
    return head.lstrip(">"), [t for t in body.split(":") if t]


def likely(tags):
    """A verb reading that shares a noun's or an adjective's count: infinitive, participle."""
    return not any(t in TENSES for t in tags[1:])


def named(checker, form, readings):
    """Whether the form, or the form with a capital, reads as a first name or a surname."""
    names = [parse(m) for m in checker.getMorph(form[:1].upper() + form[1:])] + readings
    return any(t and t[0].startswith(("M1", "M2")) for _, t in names)


def reading_class(lemma, tags, form_count, lemma_counts, form, general):
    if not tags:
        return WEAK
    pos = tags[0]
    if pos.startswith(("M1", "M2")):            # first names, surnames
        return WEAK
    if len(form) > 1 and form.isupper():        # abbreviations, acronyms
        return WEAK
    if pos.startswith("MP"):                    # places
        return KNOWN if form_count >= FREQUENT_FORM else FAIR
    if form_count >= FREQUENT_FORM:
        return KNOWN
    total = lemma_counts.get(lemma, 0)
    if pos.startswith("V"):
        tenses = {t for t in tags[1:] if t in TENSES}
        persons = {t[:2] for t in tags[1:] if len(t) >= 2 and t[0] in "123" and t[1] in "sp"}
        if not tenses:                          # infinitive, participles
            if total >= COMMON_VERB:
                return KNOWN
            if total >= USED_VERB:
                return FAIR
            # The infinitive and the past participle (an adjective too) of a
            # verb of the general vocabulary read as its dictionary entries;
            # the present participle of a rare verb does not.
            return FAIR if {"Y", "Q"} & set(tags[1:]) and lemma in general else WEAK
        if total < USED_VERB:
            return WEAK
        third = bool(persons & {"3s", "3p"})
        if tenses & {"Ip", "Iq", "If", "K", "Sp"} and third:
            return KNOWN if total >= COMMON_VERB else FAIR
        if "Is" in tenses and third:
            return FAIR if total >= COMMON_VERB else WEAK
        return WEAK                             # 1st and 2nd persons, imperfect subjunctive
    # Nouns, adjectives, adverbs and the small words: the rarer ones are fair
    # when they belong to the general vocabulary (the thesaurus has them),
    # weak when they are a trade's or a science's own (ERSEAU, ERISTALE).
    if total >= COMMON_LEMMA:
        return KNOWN
    return FAIR if total > 0 or form_count > 0 or lemma in general else WEAK


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("freq")
    ap.add_argument("-o", "--output", default="data/word_classes_fr.txt")
    ap.add_argument("--source", default="/usr/share/dict/french")
    ap.add_argument("--thesaurus", default="/usr/share/mythes/thes_fr.dat")
    args = ap.parse_args()
    general = load_thesaurus(args.thesaurus)
    checker = load_checker()
    if checker is None:
        sys.exit("build_classes.py: python3-grammalecte is needed")

    form_counts = defaultdict(int)   # folded word -> best count of its forms
    lemma_counts = defaultdict(int)  # lemma -> counts of its forms, added up
    freq_forms = defaultdict(set)
    with open(args.freq, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) != 2 or not parts[1].isdigit():
                continue
            form, count = parts[0], int(parts[1])
            readings = [parse(m) for m in checker.getMorph(form)]
            # The list is in small letters: a form that is also a first name
            # or a surname (rené, René) counts for the name; a form that is
            # also a noun or an adjective counts for those only (BETISES must
            # not make BETISER a common verb).
            if named(checker, form, readings):
                continue
            others = [r for r in readings if r[1] and not r[1][0].startswith("V")]
            if others:
                # A participle shares the count (HANDICAPE); a conjugated form
                # does not (BETISE, PORTE are nouns first).
                others += [r for r in readings if r[1] and r[1][0].startswith("V") and likely(r[1])]
            for lemma in {lemma for lemma, _ in (others or readings)}:
                lemma_counts[lemma] += count
            word = dictionary_word(form)
            if word:
                form_counts[word] = max(form_counts[word], count)
                freq_forms[word].add(form)

    sources = defaultdict(set)
    with open(args.source, encoding="utf-8") as f:
        for line in f:
            form = line.strip()
            word = dictionary_word(form)
            if word:
                sources[word].add(form)

    classes = {}
    for word, forms in sources.items():
        def best_class(vocabulary):
            best = WEAK
            for form in forms | freq_forms.get(word, set()):
                readings = [parse(m) for m in checker.getMorph(form)]
                # The count of a form that is also a first name or a surname
                # (RENE) is the name's: the other readings are judged by their lemma.
                count = 0 if named(checker, form, readings) else form_counts.get(word, 0)
                for lemma, tags in readings:
                    best = max(best, reading_class(lemma, tags, count, lemma_counts, form,
                                                   vocabulary))
                    if best == KNOWN:
                        return best
            return best

        best = best_class(general)
        if best == FAIR and best_class(frozenset()) == WEAK:
            best = GENERAL
        if best != WEAK:
            classes[word] = best

    counts = defaultdict(int)
    for c in classes.values():
        counts[c] += 1
    header = [
        "Word classes of the dictionary's words: K well known, F fair, G fair as a word of the",
        "general vocabulary only (outside the frequency list); a word not listed is weak.",
        "Built by scripts/build_classes.py from Grammalecte's morphology (MPL-2.0), the thesaurus",
        "of mythes-fr (LGPL-2.1+), the list",
        "/usr/share/dict/french (wfrench, GPL-2+) and FrequencyWords (Hermit Dave),",
        "content/2018/fr/fr_50k.txt, from the OpenSubtitles 2018 corpus, licence CC BY-SA 4.0",
        "(https://creativecommons.org/licenses/by-sa/4.0/); this file is an adaptation of it.",
    ]
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        for h in header:
            out.write("# " + h + "\n")
        for word in sorted(classes):
            out.write(f"{word}\t{LETTER[classes[word]]}\n")
    print(f"{args.output}: {counts[KNOWN]} K, {counts[FAIR]} F, {counts[GENERAL]} G, "
          f"{len(sources) - len(classes)} W of {len(sources)} words", file=sys.stderr)


if __name__ == "__main__":
    main()
