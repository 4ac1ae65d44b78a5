#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Creates COUNT empty files with realistic music-style names in FOLDER.

The same COUNT always gives the same names. Progress goes to standard error."""
import os
import random
import sys

ARTISTS = ["the beatles", "ABBA", "Émile Zola Band", "Sigur Rós", "mötley crüe", "DJ Shadow",
           "björk", "AC-DC", "the who", "Ólafur Arnalds", "R.E.M.", "Daft_Punk", "Mc Lusky",
           "o'connor", "Zoë Keating", "The Band Of Horses"]
WORDS = ["love", "of", "the", "night", "in", "a", "world", "BLUE", "Song", "for", "you", "and",
         "me", "über", "café", "river", "to", "dance", "with", "fire", "II", "remix", "live",
         "Rock", "roll", "tv", "ufo", "mp3", "sci-fi", "yesterday", "señor", "naïve"]
EXTS = [".mp3", ".MP3", ".flac", ".ogg", ".m4a", ".txt", ".jpg"]


def name(rng, i):
    title = rng.choice(["_", " ", "%20"]).join(rng.choice(WORDS) for _ in range(rng.randint(1, 6)))
    if rng.random() < 0.5:
        title = title.title() if rng.random() < 0.5 else title.upper()
    return f"{rng.choice(ARTISTS)} {i:05d} - {title}{rng.choice(['', ' x', ' (live)'])}{rng.choice(EXTS)}"


def main():
    folder, count = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(42)
    # Creating through the folder's descriptor spares a path walk per file,
    # which counts at a million files.
    parent = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)
    flags = os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_CLOEXEC
    # A terminal sees the count grow; a log gets the last line only.
    step = max(count // 20, 1) if sys.stderr.isatty() else count
    for i in range(count):
        os.close(os.open(name(rng, i), flags, 0o644, dir_fd=parent))
        if (i + 1) % step == 0:
            end = "\n" if i + 1 == count else ""
            print(f"\r  {os.path.basename(folder)}: {i + 1:,} of {count:,} files made", end=end,
                  file=sys.stderr, flush=True)
    os.close(parent)


if __name__ == "__main__":
    main()
