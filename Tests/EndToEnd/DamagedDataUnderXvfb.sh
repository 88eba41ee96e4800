#!/usr/bin/env bash
# The game's own files damaged, met by the program as a player starts it under a virtual X display
# (the error box's text on standard error): a Loading.xml cut inside a comment, an empty
# GameConstants.xml and half a font's metrics each give one box, at the end of loading, that names
# the file, a line and the reason, and the game then ends as a quit ends: exit code 2, the profile
# saved, no process left. Pictures that are garbage (one the loading names, one of an image list)
# give one box too, listing both, and the title still comes; so do sound files that are all garbage.
# Skipped (exit 77) without Xvfb. Usage: DamagedDataUnderXvfb.sh <path to fennik, in its data folder>
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
CORVANE_SCRIPT_ARGS=("$@")
source "$here/UnderXvfb.sh"
source "$here/OneProgram.sh" x11
data=$(cd "$(dirname "$program")" && pwd)
game="$work/game/$(basename "$program")"
picture=Art/Title/LogoKnife.png
listed=Art/MainMenu/PlayGlint_2.png

# A copy of the game whose files $1 (relative to the data folder, separated by spaces) each hold
# what python's $2 makes of its text t; the rest of the data is linked from the built folder. A
# fresh profile folder with a windowed first start.
damaged_game() {
    rm -rf "$work/game" "$XDG_DATA_HOME"
    mkdir -p "$work/game"
    cp -rs "$data"/. "$work/game"/
    rm "$game"
    cp "$program" "$game"
    for file in $1; do
        rm "$work/game/$file"
        python3 -c "import sys; t = open(sys.argv[1], 'rb').read(); open(sys.argv[2], 'wb').write($2)" \
            "$data/$file" "$work/game/$file"
    done
    windowed_first_start
}

# Runs the damaged game until it ends by itself (or, with $1 = title, until its title screen); one
# box, naming the game's folder once, holding a line that matches $2 (the file and line) and the
# text $3 (the reason), and saying whether the game goes on.
run_damaged() {
    "$game" >"$work/output" 2>&1 &
    pid=$!
    if [ "$1" = title ]; then
        wait_for "TitleMode: the title screen is up" 120 || fail "a garbage picture kept the title from coming"
        ending="The game goes on without them"
    else
        ends_within 120 "loading ended"
        [ "$code" -eq 2 ] || fail "the program exited with $code, not 2"
        grep -q "TitleMode: the title screen is up" "$work/output" && fail "the title came with $2"
        grep -q 'name="Corvane::Audio::' "$XDG_DATA_HOME"/Trevold/Fennik/*.act || fail "the profile was not saved"
        ending="The game cannot be played without them and ends now."
    fi
    boxes=$(grep -c '^\[Fennik\]$' "$work/output")
    [ "$boxes" -eq 1 ] || fail "$boxes boxes for $2, not one"
    box=$(sed -n '/^\[Fennik\]$/,/^The game /p' "$work/output")
    grep -qF "could not be read. In $work/game:" <<<"$box" || fail "the box does not name the game's folder: $box"
    grep -qE "^$2, line [0-9]+:$" <<<"$box" || fail "the box does not name $2 and its line: $box"
    # The box breaks long reasons into lines.
    tr '\n' ' ' <<<"$box" | tr -s ' ' | grep -qF "$3" || fail "the box does not say \"$3\": $box"
    grep -qF "$ending" <<<"$box" || fail "the box does not say \"$ending\": $box"
    grep -q "Unhandled Exception" "$work/output" && fail "the program reported an unhandled exception"
}

damaged_game Manifests/Loading.xml "t[:t.index(b'<!--') + 5]"
run_damaged ended Manifests/Loading.xml "EOF while eating '-->'"
damaged_game Manifests/GameConstants.xml "b''"
run_damaged ended Manifests/GameConstants.xml "The document has no element"
damaged_game Fonts/DejaVuSans-16.txt "t[:len(t) // 2]"
run_damaged ended Fonts/DejaVuSans-16.txt "kerning values are missing"
damaged_game "$picture $listed" "b'not a picture'"
run_damaged title 'Manifests/[A-Za-z]+\.xml' "Image ${picture%.png} could not be loaded."
grep -qF "imagelist 'MainMenu_PlayGlintImages': Image ${listed%.png} could not be loaded." <<<"$box" ||
    fail "the box does not list the image list's picture: $box"
quit_and_wait
damaged_game "$(cd "$data" && find Sounds Voices -name '*.ogg' | tr '\n' ' ')" "b'not a sound'"
run_damaged title 'Manifests/[A-Za-z]+\.xml' "Sounds/Stings/LogoEffect.ogg plays nothing"
grep -qE "^\.\.\.and [0-9]+ more, which the game's log lists\.$" <<<"$box" || fail "the box does not count the rest: $box"
quit_and_wait
echo "PASSED: a cut Loading.xml, an empty GameConstants.xml and half a font's metrics each gave one box" \
    "naming the file, line and reason and ended the game (exit 2, profile saved); garbage pictures (one an" \
    "image list's) gave one and played on, as every sound file garbage did"
