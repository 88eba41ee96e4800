#!/usr/bin/env bash
# Profiles saved clean by the program, then each damaged by one byte in one place, headless: the
# next start tells the player once per profile, naming the profile and the last good copy it was
# mended from, and after a quit every profile holds its name and every level as saved, in a file a
# strict XML reader takes.
# Usage: DamagedProfilesKeepEveryLevel.sh <path to fennik, in its data folder>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/OneProgram.sh" dummy

folder="$XDG_DATA_HOME/Trevold/Fennik"
mkdir -p "$folder"
# One profile per damage: its file number, its name, the byte that is damaged (the line of the
# record it lies on, the text it starts there) and what it becomes.
damages=(
    "1 Ann Level_1_2 <record X"
    "2 Bob Level_1_3 \"/> X"
    "3 Cid Level_1_1 /> X"
    "4 Dee Corvane::AccountManager::Name <record X"
)
record() { printf '<record name="%s" value="%s"/>\r\n' "$1" "$2"; }
for row in "${damages[@]}"; do
    read -r number name _ <<<"$row"
    {
        printf '<?xml version="1.0" encoding="UTF-8" ?>\r\n<account>\r\n'
        record Corvane::AccountManager::Name "$name"
        record Corvane::AccountManager::IsCurrent "$([ "$number" = 1 ] && echo true || echo false)"
        # Three won levels, each 8 bytes: a score, then 1 for completed.
        for n in 1 2 3; do record "Level_1_$n" "$(printf "\\x0$n\\x0$number\\0\\0\\x01\\0\\0\\0" | base64)"; done
        printf '</account>\r\n'
    } >"$folder/$number.act"
done

# First start: the program reads them clean and saves them at its quit.
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
quit_and_wait
mkdir "$work/saved"
cp "$folder"/*.act "$work/saved/"
for row in "${damages[@]}"; do
    read -r number _ <<<"$row"
    cmp -s "$folder/$number.act" "$folder/$number.lastgood" || fail "$number.act has no last good copy beside it"
done

for row in "${damages[@]}"; do
    read -r number _ key text to <<<"$row"
    python3 -c 'import sys
path, key, text, to = sys.argv[1:]
data = open(path, "rb").read()
at = data.index(text.encode(), data.index(b"<record name=\"%s\"" % key.encode()))
open(path, "wb").write(data[:at] + to.encode() + data[at + 1:])' "$folder/$number.act" "$key" "$text" "$to" ||
        fail "could not damage $number.act"
done

# Second start: each damage is told once, with both files named, and mended. The log holds one copy
# of each message (the terminal gets the box's copy as well).
: >"$work/output"
rm -f "$folder/Fennik.log"
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "damaged profiles kept the title screen from coming"
quit_and_wait
grep -qE "Unhandled Exception|runtime error:" "$work/output" && fail "the program failed on the profiles"
told=$(grep -c "^A profile file could not be read whole:$" "$folder/Fennik.log")
[ "$told" -eq "${#damages[@]}" ] || fail "the player was told $told times of ${#damages[@]} damaged profiles"
for row in "${damages[@]}"; do
    read -r number name key _ <<<"$row"
    grep -qxF "$folder/$number.act" "$work/output" || fail "no message names $folder/$number.act"
    grep -qxF "$folder/$number.lastgood" "$work/output" || fail "no message names the last good copy of $number.act"
    ls "$folder/$number"-*.damaged >/dev/null 2>&1 || fail "no dated copy of the damaged $number.act was kept"
    python3 - "$work/saved/$number.act" "$folder/$number.act" <<'CHECK' || fail "$name ($number.act, damaged at $key) lost a record"
import sys, xml.dom.minidom
records = lambda path: {r.getAttribute("name"): r.getAttribute("value")
                        for r in xml.dom.minidom.parse(path).getElementsByTagName("record")}
saved, now = records(sys.argv[1]), records(sys.argv[2])
for key in ["Corvane::AccountManager::Name"] + ["Level_1_%d" % n for n in (1, 2, 3)]:
    assert now.get(key) == saved[key], (key, saved[key], now.get(key))
CHECK
done

echo "PASSED: ${#damages[@]} profiles each damaged by one byte (a level's '<', a level's closing quote, a level's" \
    "'/', the name's '<') kept their names and every level, and the player was told once each, with both files"
