#!/usr/bin/env bash
# The program's start-up brings the audio platform up, a manifest's sound loads and plays through
# the mixer and SDL's audio output (its "disk" driver writes what it plays to a file), at the level
# and pan the sound, its category and the profile's master volume give. Run twice: the first run
# saves a master volume of 0.5 in the profile, the second applies it. Skipped (exit 77) without
# python3. Usage: SoundPlaysThroughTheProgram.sh <program>
set -u
command -v python3 >/dev/null 2>&1 || { echo "SKIPPED: python3 is not installed"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT HUP
fail() {
    echo "FAILED: $*"
    echo "--- program output ---"
    cat "$work/output"
    exit 1
}

# The program reads its data beside itself.
cp "$1" "$work/program"
mkdir -p "$work/Sounds"
python3 - "$work/Sounds/tone.wav" <<'PY'
import math, struct, sys, wave
# Two seconds of a 441 Hz sine of peak 0.5, mono, 16 bits at 44,100 Hz.
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(44100)
    out.writeframes(b"".join(struct.pack("<h", round(16383.5 * math.sin(2 * math.pi * 441 * i / 44100)))
                             for i in range(88200)))
PY
cat >"$work/Sounds.xml" <<'XML'
<?xml version="1.0"?>
<resources>
  <sound name="Tone" src="Sounds/tone" pan="0.5" loop="1"/>
</resources>
XML

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk CORVANE_ERROR_BOX=stderr
export LSAN_OPTIONS="suppressions=$here/SystemLibraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"

# Writes the left and right RMS of the played tone (0.4 s from its onset on) of one run to
# $work/rms. (Not in a subshell: the script's traps must see the program.)
run() {
    rm -f "$work/out.raw"
    # In the background, so that the script's own end (a timeout's TERM) ends the program at once.
    SDL_DISKAUDIOFILE="$work/out.raw" timeout 60 "$work/program" >"$work/output" 2>&1 &
    pid=$!
    wait "$pid" || fail "the program exited with $?"
    pid=
    grep -q "error" "$work/output" && fail "the program reported an error"
    python3 - "$work/out.raw" >"$work/rms" <<'PY' || fail "no tone was played"
import array, math, sys
samples = array.array("f")
with open(sys.argv[1], "rb") as f:
    samples.frombytes(f.read())
onset = next(i for i in range(0, len(samples), 2) if abs(samples[i + 1]) > 0.01)
start, end = onset + 2 * 2205, onset + 2 * (2205 + 17640)
if end > len(samples):
    sys.exit(1)
rms = [math.sqrt(sum(samples[i] ** 2 for i in range(start + c, end, 2)) / 17640) for c in (0, 1)]
print("%.4f %.4f" % tuple(rms))
PY
}

# A sine of peak 0.5 has an RMS of 0.3536; the category "Effect" halves it, and a pan of 0.5 halves
# the left side again.
check() {
    read -r left right <<<"$1"
    python3 -c "import sys; sys.exit(0 if abs($left - $2) < $2 * 0.03 and abs($right - $3) < $3 * 0.03 else 1)" ||
        fail "the tone came out at $left left, $right right, not $2 and $3"
}
SOUND_TEST_MASTER_VOLUME=0.5 run
first=$(cat "$work/rms")
check "$first" 0.0884 0.1768
run
second=$(cat "$work/rms")
check "$second" 0.0442 0.0884
echo "PASSED: the tone played at $first (left, right RMS), then at $second with the profile's master volume"
