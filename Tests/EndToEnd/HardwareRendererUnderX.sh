#!/usr/bin/env bash
# Under a virtual X display SDL can give windows an OpenGL renderer (Mesa's, drawing on the
# processor, which the program takes only when SDL_RENDER_DRIVER asks for it): the hardware
# renderer's scene test runs on it and must match the software renderer as it does headless.
# Skipped (exit 77) when Xvfb is missing.
# Usage: HardwareRendererUnderX.sh <platform_tests>
set -u
tests=$1

CORVANE_SCRIPT_ARGS=("$@")
source "$(dirname "$0")/UnderXvfb.sh"

export SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=opengl SDL_AUDIODRIVER=dummy CORVANE_ERROR_BOX=stderr \
    CORVANE_EXPECT_ACCELERATED=1
# The GL driver keeps a few buffers and is unloaded before sanitized builds check for leaks, so
# they cannot be told apart from ours by name: leaks are checked by the headless run of the same
# test instead. The last setting of an option wins, so this one goes after the caller's.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
exec "$tests" --gtest_filter='D3D7RendererScene.*'
