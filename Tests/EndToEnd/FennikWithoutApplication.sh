#!/usr/bin/env bash
# The program with no application built in ends at once, says why, and exits cleanly.
# Usage: FennikWithoutApplication.sh <path to fennik>
set -u
output=$("$1" 2>&1)
code=$?
if [ "$code" -ne 0 ]; then
    echo "fennik exited with $code:"
    echo "$output"
    exit 1
fi
if ! grep -q "nothing to run" <<<"$output"; then
    echo "fennik gave no reason for ending:"
    echo "$output"
    exit 1
fi
echo "fennik ended at once: $output"
