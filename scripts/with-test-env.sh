#!/usr/bin/env bash
# Runs a command with a private, throw-away home for everything the programs write,
# so tests never touch the user's settings and never depend on what a machine holds.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_STATE_HOME="$scratch/state" XDG_RUNTIME_DIR="$scratch/runtime" \
    KAVOX_REGISTRY="$scratch/registry" KAVOX_PLATFORM=headless
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS DISPLAY
"$@"
