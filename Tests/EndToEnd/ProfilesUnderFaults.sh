#!/usr/bin/env bash
# Profiles that failed, met by the program as a player starts it, headless. First start: a profile
# with a record that lost its "<" and settings out of range, beside a killed save's temporary file
# and a link planted where one goes: the title comes, the damage and the kept copy are told, and
# after a quit the profile holds every whole record and settings in range, the leftovers are gone
# and the link's target is untouched. Second start: a file stands where the per-user folder
# belongs: the title comes, the path and reason are told, nothing lands elsewhere.
# Usage: ProfilesUnderFaults.sh <path to fennik, in its data folder>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/OneProgram.sh" dummy

folder="$XDG_DATA_HOME/Trevold/Fennik"
mkdir -p "$folder"
record() { printf '<record name="%s" value="%s"/>\r\n' "$1" "$2"; }
{
    printf '<?xml version="1.0" encoding="UTF-8" ?>\r\n<account>\r\n'
    record Corvane::AccountManager::Name Ann
    record Corvane::AccountManager::IsCurrent true
    record Corvane::Window::Mode 99999
    record Corvane::Window::IsCustomCursorEnabled 2
    record Corvane::Audio::MasterControls::Volume nan
    record Corvane::Audio::MusicControls::Volume inf
    record Corvane::Audio::SfxControls::Volume 1e39
    record Corvane::Audio::AmbientControls::IsMuted maybe
    printf 'Xrecord name="Damaged" value="1"/>\r\n'
    record Kept AQAAAAEAAAA=
    printf '</account>\r\n'
} >"$folder/12.act"
cp "$folder/12.act" "$work/original.act"
echo "left by a killed save" >"$folder/12-1.tmp"
echo "precious" >"$work/precious"
ln -s "$work/precious" "$folder/12-2.tmp"

"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "a damaged profile kept the title screen from coming"
grep -qF "A profile file could not be read whole:" "$work/output" || fail "the player was not told of the damage"
grep -qF "$folder/12.act" "$work/output" || fail "the message does not name the profile's full path"
grep -qF "There is text where a record belongs." "$work/output" || fail "the message does not say what is wrong"
copy=$(ls "$folder"/12-*.damaged 2>/dev/null | head -n 1)
[ -n "$copy" ] || fail "no copy of the damaged profile was kept"
grep -qF "A copy of it was kept as" "$work/output" && grep -qF "$copy" "$work/output" ||
    fail "the message does not say where the copy lies"
cmp -s "$copy" "$work/original.act" || fail "the copy is not the profile as it was"
for key in Mode IsCustomCursorEnabled MasterControls::Volume MusicControls::Volume SfxControls::Volume \
    AmbientControls::IsMuted; do
    grep -q "The profile's Corvane::.*$key" "$work/output" || fail "the setting $key out of range was not logged"
done
quit_and_wait
grep -qE "Unhandled Exception|runtime error:" "$work/output" && fail "the program failed on the profile"
ls "$folder"/*.tmp >/dev/null 2>&1 && fail "temporary files are left: $(ls "$folder")"
[ "$(cat "$work/precious")" = precious ] || fail "a planted link was written through"
python3 - "$folder/12.act" <<'CHECK' || fail "the profile after the quit is not as it should be"
import math, sys, xml.dom.minidom
records = {r.getAttribute("name"): r.getAttribute("value")
           for r in xml.dom.minidom.parse(sys.argv[1]).getElementsByTagName("record")}
assert records["Corvane::AccountManager::Name"] == "Ann", records
assert records["Kept"] == "AQAAAAEAAAA=", records
assert records["Corvane::Window::Mode"] in ("0", "1"), records
for group in ("Master", "Sfx", "Ambient", "Music"):
    volume = float(records["Corvane::Audio::%sControls::Volume" % group])
    assert math.isfinite(volume) and 0 <= volume <= 1, records
    assert records["Corvane::Audio::%sControls::IsMuted" % group] in ("true", "false"), records
assert records["Corvane::Window::IsCustomCursorEnabled"] in ("true", "false"), records
CHECK

# Second start: a file where the per-user folder belongs.
rm -rf "$XDG_DATA_HOME"
mkdir -p "$XDG_DATA_HOME"
echo "not a folder" >"$XDG_DATA_HOME/Trevold"
(cd "$work" && exec "$program") >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "a folder that takes no profile kept the title screen from coming"
grep -qF "Your progress could not be saved:" "$work/output" || fail "the player was not told that nothing is saved"
grep -qE "^$XDG_DATA_HOME/Trevold/Fennik/[0-9]+\.act$" "$work/output" || fail "the message does not name the full path"
grep -qF "The system cannot find the path specified." "$work/output" || fail "the message does not give the reason"
quit_and_wait
grep -q "Unhandled Exception" "$work/output" && fail "the program failed on the folder"
found=$(find "$work" "$(dirname "$program")" -maxdepth 2 -name '*.act' -newer "$work/precious" | head -n 1)
[ -z "$found" ] || fail "a profile was written outside the per-user folder: $found"

echo "PASSED: a damaged profile and bad settings started to the title with the damage told and a copy kept;" \
    "a folder that takes no profile played on with the reason told"
