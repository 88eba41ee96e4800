#!/usr/bin/env bash
# Profiles saved clean by the program, each with its last good copy naming it, then each damaged by
# one byte in one place, headless, with the copy beside it its own, one an older version wrote,
# another player's (a copy of either of their files, or a link), a FIFO, or none. The next start
# reaches the title and tells the player once per profile, naming the profile, the copy it was
# mended from or why that was not used, and what is lost; after a quit every profile holds its name
# and every level it could keep, nothing of another player's, in a file a strict XML reader takes.
# Beside them: a name with control characters loses them in its file, a last good copy without its
# profile is gone after a start, and a FIFO named as a profile is passed over.
# Usage: DamagedProfilesKeepEveryLevel.sh <path to fennik, in its data folder>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/OneProgram.sh" dummy

folder="$XDG_DATA_HOME/Trevold/Fennik"
mkdir -p "$folder"
# One profile per damage: its file number, its name, the byte that is damaged (the line of the
# record it lies on, the text it starts there), what it becomes, and what stands where its last
# good copy belongs at the damaged start.
damages=(
    "1 Ann Level_1_2 <record X own"
    "2 Bob Level_1_3 \"/> X own"
    "3 Cid Level_1_1 /> X own"
    "4 Dee Corvane::AccountManager::Name <record X own"
    "5 Eve Level_1_2 <record X older"
    "6 Fay Level_1_2 <record X anns-copy"
    "7 Gus Level_1_2 <record X anns-profile"
    "8 Hal Level_1_3 \"/> X link"
    "9 Ida Level_1_2 <record X fifo"
    "10 Jon Level_1_1 /> X none"
)
record() { printf '<record name="%s" value="%s"/>\r\n' "$1" "$2"; }
profile() {
    printf '<?xml version="1.0" encoding="UTF-8" ?>\r\n<account>\r\n'
    record Corvane::AccountManager::Name "$2"
    record Corvane::AccountManager::IsCurrent "$([ "$1" = 1 ] && echo true || echo false)"
    # Three won levels, each 8 bytes: a score, then 1 for completed.
    for n in 1 2 3; do record "Level_1_$n" "$(printf "\\x0$n\\x$(($1 + 10))\\0\\0\\x01\\0\\0\\0" | base64)"; done
    printf '</account>\r\n'
}
for row in "${damages[@]}"; do
    read -r number name _ <<<"$row"
    profile "$number" "$name" >"$folder/$number.act"
done
profile 11 'Ki&#10;m&#13;&#9;' >"$folder/11.act"

# First start: the program reads them clean and saves them at its quit.
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "the title screen never came"
quit_and_wait
mkdir "$work/saved"
cp "$folder"/*.act "$work/saved/"
python3 - "$folder" <<'CHECK' || fail "a profile's file or its last good copy is not as saved"
import glob, os, sys, xml.dom.minidom
records = lambda path: [(r.getAttribute("name"), r.getAttribute("value"))
                        for r in xml.dom.minidom.parse(path).getElementsByTagName("record")]
for act in glob.glob(os.path.join(sys.argv[1], "*.act")):
    copy = records(act[:-4] + ".lastgood")
    assert copy == records(act) + [("Corvane::AccountManager::LastGoodOf", os.path.basename(act))], (act, copy)
assert ("Corvane::AccountManager::Name", "Kim") in records(os.path.join(sys.argv[1], "11.act"))
CHECK

for row in "${damages[@]}"; do
    read -r number _ key text to copy <<<"$row"
    python3 -c 'import sys
path, key, text, to = sys.argv[1:]
data = open(path, "rb").read()
at = data.index(text.encode(), data.index(b"<record name=\"%s\"" % key.encode()))
open(path, "wb").write(data[:at] + to.encode() + data[at + 1:])' "$folder/$number.act" "$key" "$text" "$to" ||
        fail "could not damage $number.act"
    lastgood="$folder/$number.lastgood"
    case $copy in
    older) cp "$work/saved/$number.act" "$lastgood" ;;
    anns-copy) cp "$folder/1.lastgood" "$lastgood" ;;
    anns-profile) cp "$work/saved/1.act" "$lastgood" ;;
    link) ln -sf "$folder/1.lastgood" "$lastgood" ;;
    fifo) rm "$lastgood" && mkfifo "$lastgood" ;;
    none) rm "$lastgood" ;;
    esac
done
cp "$folder/2.lastgood" "$folder/12.lastgood"
mkfifo "$folder/13.act"

# Second start: each damage is told once, and mended from the profile's own copy only.
: >"$work/output"
rm -f "$folder/Fennik.log"
"$program" >"$work/output" 2>&1 &
pid=$!
wait_for "TitleMode: the title screen is up" 120 || fail "damaged profiles kept the title screen from coming"
quit_and_wait
grep -qE "Unhandled Exception|runtime error:" "$work/output" && fail "the program failed on the profiles"
python3 - "$folder" "$work/saved" "${damages[@]}" <<'CHECK' || fail "the profiles are not as they should be"
import glob, os, stat, sys, xml.dom.minidom
folder, saved, rows = sys.argv[1], sys.argv[2], [row.split() for row in sys.argv[3:]]
records = lambda path: {r.getAttribute("name"): r.getAttribute("value")
                        for r in xml.dom.minidom.parse(path).getElementsByTagName("record")}
log = open(os.path.join(folder, "Fennik.log")).read()
told = [text.split("\n---- ")[0] for text in log.split("\nA profile file could not be read whole:\n\n")[1:]]
problems = []
if os.path.exists(os.path.join(folder, "12.lastgood")):
    problems.append("a last good copy without its profile is left")
fifo = os.path.join(folder, "13.act")
if not os.path.exists(fifo) or not stat.S_ISFIFO(os.stat(fifo).st_mode) or glob.glob(folder + "/13-*.damaged"):
    problems.append("the FIFO named as a profile was not left as it was")
if "\n%s/13.act\n" % folder not in log:
    problems.append("the FIFO named as a profile is not logged")
for number, name, key, _, _, copy in rows:
    act, lastgood = os.path.join(folder, number + ".act"), os.path.join(folder, number + ".lastgood")
    box = [text for text in told if text.startswith(act + "\n")]
    if len(box) != 1 or not glob.glob(os.path.join(folder, number + "-*.damaged")):
        problems.append("%s (%s) was told %d times, its dated copy kept: %s" % (name, copy, len(box), glob.glob(
            os.path.join(folder, number + "-*.damaged"))))
        continue
    before, now = records(os.path.join(saved, number + ".act")), records(act)
    own = copy in ("own", "older")
    for k in ["Corvane::AccountManager::Name"] + ["Level_1_%d" % n for n in (1, 2, 3)]:
        if now.get(k) != (before[k] if own or k != key else None):
            problems.append("%s (%s) holds %s = %s, saved as %s" % (name, copy, k, now.get(k), before[k]))
    mended = "was taken from the profile as it was last saved whole:\n%s\n" % lastgood in box[0]
    lost = "These records could not be read and are only in the copy:\n%s\n" % key in box[0]
    unused = "The last good copy beside it was not used:\n%s\n" % lastgood in box[0]
    if (mended, lost, unused) != (own, not own, copy not in ("own", "older", "none")):
        problems.append("%s (%s) was told:\n%s" % (name, copy, box[0]))
sys.exit("\n".join(problems) if problems else 0)
CHECK

echo "PASSED: ${#damages[@]} profiles each damaged by one byte kept their names and every level their own" \
    "last good copies gave back, nothing from another player's copy, a link or a FIFO, and the box named what" \
    "was lost; a name lost its control characters, an orphaned copy went and a FIFO profile was passed over"
