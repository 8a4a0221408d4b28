#!/usr/bin/env python3
"""A second, independent reading of the verdict rules, checked against
`lumbo judge --batch` on thousands of generated near-miss pairs.

The rules below are written from their description for quiz authors and
players, in plain Python on Windows-1252 bytes, without looking at how the
player computes them: a rolling-row edit distance, Python's own substring
search and sort, the percentages in floating point as they are stated.

usage: verdict_oracle.py LUMBO [--seed N] [--pairs N]
"""

import argparse
import random
import subprocess
import sys

BRAVO = "BRAVO"
FAUX = "FAUX"
EMPTY = "?"
QUASIMENT = "Quasiment"
PRESQUE = "Presque"
ANAGRAMME = "Anagramme"
TROP_LONG = "Trop long"
TROP_COURT = "Trop court"
PAS_LOIN = "Pas loin"
IDEE = "y a de l'idée"
ALL_VERDICTS = [BRAVO, FAUX, EMPTY, QUASIMENT, PRESQUE, ANAGRAMME, TROP_LONG,
                TROP_COURT, PAS_LOIN, IDEE]


# ---------------------------------------------------------------- the rules

def upper(text: bytes) -> bytes:
    # a..z and every byte 0xE0..0xFF lose 0x20; nothing else changes.
    return bytes(b - 0x20 if (0x61 <= b <= 0x7A or b >= 0xE0) else b for b in text)


def trim(text: bytes) -> bytes:
    return text.strip(b" ")  # only the byte 0x20 is a space


def sorted_signed(text: bytes) -> bytes:
    return bytes(sorted(text, key=lambda b: b - 256 if b >= 0x80 else b))


def levenshtein(a: bytes, b: bytes) -> int:
    previous = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        current = [i]
        for j, cb in enumerate(b, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1,
                               previous[j - 1] + (ca != cb)))
        previous = current
    return previous[-1]


def verdict(expected: bytes, typed: bytes) -> str:
    a = upper(expected)          # the expected answer is not trimmed
    b = upper(trim(typed))
    if len(a) <= 3:
        if not b:
            return EMPTY
        return BRAVO if a == b else FAUX
    if not b:
        return EMPTY
    d1 = levenshtein(a, b)
    if d1 == 0:
        return BRAVO
    if sorted_signed(a) == sorted_signed(b):
        return ANAGRAMME
    if d1 == 1:
        return QUASIMENT
    if d1 == 2:
        return PRESQUE
    if len(b) < len(a) and b in a:
        if len(a) <= 9:
            return FAUX
        p = 100.0 * len(b) / len(a)
        if p > 80:
            return TROP_COURT
        if p > 75:
            return PAS_LOIN
        return FAUX
    if len(a) <= len(b) and a in b:
        extra = len(b) - len(a)
        if extra > 20:
            return FAUX
        if extra > 10:
            return PAS_LOIN
        return TROP_LONG
    m = max(len(a), len(b))
    s = (m - d1) * 100.0 / m
    return IDEE if s > 80 else FAUX


# The worked examples of the rules, to keep this reading honest.
EXAMPLES = [
    ("Oui", "oui", BRAVO), ("Oui", "ouii", FAUX), ("Oui", "   ", EMPTY),
    ("Tour Eiffel", "  tour eiffel ", BRAVO), ("Tour Eiffel", "Tour Eifel", QUASIMENT),
    ("Tour Eiffel", "Tour Eifell", PRESQUE), ("Tour Eiffel", "Tuor Eiffel", ANAGRAMME),
    ("Tour Eiffel", "TOUR  EIFFEL", QUASIMENT), ("Tour Eiffel", "La Tour Eiffel", TROP_LONG),
    ("Tour Eiffel", "Tour", FAUX),
    ("Napoleon Bonaparte", "Napoleon Bonapa", TROP_COURT),
    ("Napoleon Bonaparte", "Napoleon Bonap", PAS_LOIN),
    ("Napoleon Bonaparte", "Napoleon Bona", FAUX),
    ("Napoleon Bonaparte", "Napoléon Bonaparte", QUASIMENT),
    ("Marseille", "Marsei", FAUX),
    ("Le Petit Prince", "Le Petit Princes du desert", PAS_LOIN),
    ("Paris", "Parisiennes", TROP_LONG),
    ("Christophe Colomb", "Christof Colomb", IDEE),
    ("Christophe Colomb", "Kristof Colomb", FAUX),
    ("AAAB ok", "XYZAAAAB ok", TROP_LONG),
    ("Lyon ", "Lyon", QUASIMENT),
]


# ------------------------------------------------------------ the generator

ANSWERS = [
    "Paris", "Lyon", "Oui", "Non", "Tour Eiffel", "Napoléon Bonaparte",
    "Christophe Colomb", "Le Petit Prince", "Marseille", "aujourd'hui",
    "porte-monnaie", "élève", "garçon", "œuvre", "L'Haÿ-les-Roses", "à bientôt",
    "Jeanne d'Arc", "Fête de la musique", "Molière", "Noël", "crème brûlée",
    "Charles de Gaulle", "Le Lac des cygnes", "Bœuf bourguignon", "Île-de-France",
    "Ça ira", "ÉTÉ", "été", "un", "été indien", "Les Misérables", "Victor Hugo",
    "Mont-Saint-Michel", "La Joconde", "Ÿ", "ÿ", "Œdipe", "cœur", "Zoé",
]
# Letters a player may type or miss: plain, accented in both cases, the
# ligatures, and bytes that upper-casing treats specially (÷ ×, ß, š).
ALPHABET = ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
            "éèêëàâäçîïôöùûüÿœæ" "ÉÈÊËÀÂÄÇÎÏÔÖÙÛÜŸŒÆ" "ßšž÷×" "  '-.!0123")
ACCENT_SWAPS = {"e": "éèêë", "a": "àâä", "c": "ç", "i": "îï", "o": "ôö", "u": "ùûü",
                "y": "ÿ", "é": "eè", "è": "eé", "ç": "c", "à": "a", "ÿ": "yŸ",
                "œ": "Œe", "E": "ÉÈ", "C": "Ç"}
MAX_BYTES = 259


def random_word(rng, low=1, high=12):
    return "".join(rng.choice(ALPHABET) for _ in range(rng.randint(low, high)))


def random_answer(rng):
    roll = rng.random()
    if roll < 0.45:
        return rng.choice(ANSWERS)
    if roll < 0.6:
        return random_word(rng, 1, 4)                      # short answers
    if roll < 0.97:
        return " ".join(random_word(rng, 2, 9) for _ in range(rng.randint(1, 5)))
    return random_word(rng, 150, 259)                      # near the buffer's end


def edit_once(rng, text):
    kind = rng.randrange(6)
    pos = rng.randint(0, len(text))
    if kind == 0 or not text:                              # insertion
        return text[:pos] + rng.choice(ALPHABET) + text[pos:]
    pos = min(pos, len(text) - 1)
    if kind == 1:                                          # deletion
        return text[:pos] + text[pos + 1:]
    if kind == 2:                                          # substitution
        return text[:pos] + rng.choice(ALPHABET) + text[pos + 1:]
    if kind == 3 and len(text) > 1:                        # transposition
        pos = min(pos, len(text) - 2)
        return text[:pos] + text[pos + 1] + text[pos] + text[pos + 2:]
    if kind == 4:                                          # accent or case
        c = text[pos]
        swaps = ACCENT_SWAPS.get(c) or (c.swapcase() if c.swapcase() != c else rng.choice(ALPHABET))
        return text[:pos] + rng.choice(swaps) + text[pos + 1:]
    return text[:pos] + " " + text[pos:]                   # a doubled space


def mutate(rng, answer):
    roll = rng.random()
    if roll < 0.05:
        return answer
    if roll < 0.10:
        return rng.choice(["", " ", "   "])
    if roll < 0.45:
        text = answer
        for _ in range(rng.choice([1, 1, 2, 2, 3, 4, 5, 7])):
            text = edit_once(rng, text)
        return text
    if roll < 0.55:                                        # anagrams
        letters = list(answer)
        rng.shuffle(letters)
        return "".join(letters)
    if roll < 0.70:                                        # a part: prefix, suffix, middle
        if len(answer) < 2:
            return answer
        cut = rng.randint(1, min(8, len(answer) - 1))
        side = rng.randrange(3)
        if side == 0:
            return answer[:-cut]
        if side == 1:
            return answer[cut:]
        head = rng.randint(0, cut)
        return answer[head:len(answer) - (cut - head)]
    if roll < 0.85:                                        # the answer with more around it
        extra = random_word(rng, 1, 26)
        split = rng.randint(0, len(extra))
        return extra[:split] + answer + extra[split:]
    if roll < 0.95:                                        # spaces around and inside
        text = answer.lower() if rng.random() < 0.5 else answer.upper()
        text = " " * rng.randint(0, 3) + text + " " * rng.randint(0, 3)
        return text.replace(" ", "  ", 1) if rng.random() < 0.3 else text
    return random_answer(rng)                              # unrelated


def fits(text):
    return len(text.encode("cp1252")) <= MAX_BYTES


def make_pairs(rng, count):
    pairs = []
    while len(pairs) < count:
        expected = random_answer(rng)
        typed = mutate(rng, expected)
        if rng.random() < 0.05:
            expected += " "                                # expected answers are not trimmed
        if fits(expected) and fits(typed):
            pairs.append((expected, typed))
    return pairs


# ------------------------------------------------------------------ the run

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("lumbo")
    parser.add_argument("--seed", type=int, default=20240611)
    parser.add_argument("--pairs", type=int, default=20000)
    args = parser.parse_args()

    for expected, typed, want in EXAMPLES:
        have = verdict(expected.encode("cp1252"), typed.encode("cp1252"))
        if have != want:
            print(f"oracle misreads its own example {expected!r} / {typed!r}: "
                  f"have {have}, want {want}")
            return 1

    rng = random.Random(args.seed)
    pairs = make_pairs(rng, args.pairs)
    lines = []
    for i, (expected, typed) in enumerate(pairs):
        ending = "\r\n" if i % 7 == 0 else "\n"
        lines.append(f"{expected}\t{typed}{ending}")
    run = subprocess.run([args.lumbo, "judge", "--batch"], input="".join(lines).encode("utf-8"),
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    if run.returncode != 0:
        print(f"lumbo judge --batch exited {run.returncode}: {run.stderr.decode(errors='replace')[:500]}")
        return 1
    answers = run.stdout.decode("utf-8").split("\n")
    if answers[-1] != "" or len(answers) - 1 != len(pairs):
        print(f"lumbo printed {len(answers) - 1} verdicts for {len(pairs)} lines")
        return 1

    failed = 0
    counts = {v: 0 for v in ALL_VERDICTS}
    for (expected, typed), have in zip(pairs, answers):
        want = verdict(expected.encode("cp1252"), typed.encode("cp1252"))
        counts[want] += 1
        if have != want:
            failed += 1
            if failed <= 20:
                print(f"DISAGREE {expected!r} / {typed!r}: lumbo {have!r}, oracle {want!r}")
    print("verdicts: " + ", ".join(f"{v} {n}" for v, n in counts.items()))
    print(f"{len(pairs) - failed} passed, {failed} failed (seed {args.seed})")
    missing = [v for v, n in counts.items() if n == 0]
    if missing:
        print("the generated pairs never reach: " + ", ".join(missing))
        return 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
