#!/usr/bin/env python3
"""Creates COUNT empty files with realistic music-style names in FOLDER."""
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
    for i in range(count):
        with open(os.path.join(folder, name(rng, i)), "wb"):
            pass


if __name__ == "__main__":
    main()
