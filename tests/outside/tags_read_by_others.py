#!/usr/bin/python3
# Tags saved through the tag component, read back by other programs' readers: copies of corpus
# files get one set of tags from tag_writer (under Wine); then mutagen reads the ID3 tags, ffprobe
# every kind's tags, no old title is left anywhere in a file, and ffmpeg decodes the same audio
# as before. Usage: tags_read_by_others.py WINE_RUN TAG_WRITER CORPUS SCRATCH
import hashlib, os, shutil, subprocess, sys

from mutagen.id3 import ID3
from mutagen.wave import WAVE

wine_run, writer, corpus, scratch = sys.argv[1:5]
TITLE, ARTIST, ALBUM = "Neuer Titel \u00e9\u00e8", "Neuer K\u00fcnstler", "Neues Album"
# file below the corpus, the titles it came with, whether it carries ID3 tags
FILES = [
    ("made/mutagen-id3.wav", [b"Id3 title"], True),
    ("made/mutagen-id3-and-info.wav", [b"Id3 title", b"Info title"], True),
    ("taglib/duplicate_tags.wav", [b"Title1", b"Title2"], True),
    ("made/ffmpeg-info.wav", [b"Info title"], False),
    ("made/wav-sizes-zero.wav", [], False),
    ("made/wav-sizes-zero-empty.wav", [], False),
    ("made/lame-id3v23.mp3", [b"Title"], True),
    ("made/oggenc-q3.ogg", [], False),
    ("made/ffmpeg-wmav2.wma", [b"W\x00m\x00a\x00"], False),
]
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def decoded(path):
    pcm = subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-i", path, "-f", "s16le", "-"],
                         check=True, capture_output=True).stdout
    return hashlib.sha256(pcm).hexdigest()


def ffprobe_tags(path):
    out = subprocess.run(["ffprobe", "-loglevel", "error", "-show_entries", "format_tags:stream_tags", "-of", "flat", path],
                         check=True, capture_output=True, text=True).stdout
    tags = {}
    for line in out.splitlines():
        key, _, value = line.partition("=")
        tags[key.rsplit(".", 1)[-1].lower()] = value.strip('"')
    return tags


shutil.rmtree(scratch, ignore_errors=True)
os.makedirs(scratch)
copies = []
for name, _, _ in FILES:
    copy = os.path.join(scratch, os.path.basename(name))
    shutil.copyfile(os.path.join(corpus, name), copy)
    copies.append(copy)
before = [decoded(copy) for copy in copies]
run = subprocess.run([wine_run, writer] + ["Z:" + copy for copy in copies], capture_output=True, text=True,
                     timeout=300)
print(run.stdout, run.stderr)
check(run.returncode == 0, "every save succeeded")
for (name, old_titles, has_id3), copy, audio in zip(FILES, copies, before):
    tags = ffprobe_tags(copy)
    check((tags.get("title"), tags.get("artist"), tags.get("album")) == (TITLE, ARTIST, ALBUM),
          f"{name}: ffprobe reads the new tags {tags}")
    if has_id3:
        id3 = WAVE(copy).tags if copy.endswith(".wav") else ID3(copy)
        check(id3 is not None and str(id3.get("TIT2")) == TITLE and str(id3.get("TPE1")) == ARTIST
              and str(id3.get("TALB")) == ALBUM and str(id3.get("TDRC")) == "1999",
              f"{name}: mutagen reads the new ID3 tags")
    data = open(copy, "rb").read()
    check(not any(old in data for old in old_titles), f"{name}: no old title is left in the file")
    check(decoded(copy) == audio, f"{name}: ffmpeg decodes the same audio")
print("ALL PASSED" if not failures else f"{len(failures)} FAILED")
sys.exit(1 if failures else 0)
