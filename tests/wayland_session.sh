#!/bin/sh
# The real program natively on a Wayland compositor without a screen: sway's headless back
# end on a runtime folder of its own (Weston's headless back end has no seat, so no clipboard
# and no keys). Files come from the command line, from a later start that hands them over
# with an activation token, and from the clipboard (wl-copy, then Ctrl+V typed through the
# compositor's virtual keyboard); Ctrl+G converts them, the log viewer opens and closes, and
# SIGTERM ends the program as File > Exit does. Skipped (77) only where no compositor can start.
# Usage: wayland_session.sh <program directory> <make_corpus>
set -eu
bin=$1 make_corpus=$2
command -v sway >/dev/null || { echo "skipped: sway is not installed"; exit 77; }

. "$(dirname "$0")/support/work-folder.sh"
fail() { echo "wayland_session: $*" >&2; [ -f "$work/run/sway.log" ] && tail -5 "$work/run/sway.log" >&2; exit 1; }

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf 'xwayland disable\n' >"$work/sway.conf"
# sway will not run as root; a user namespace of its own makes it an ordinary user.
as_user=""
[ "$(id -u)" -ne 0 ] || as_user="unshare --user"
env -u DISPLAY -u WAYLAND_DISPLAY WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    $as_user sway -c "$work/sway.conf" >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
pids="$pids $!"

# Waits up to 20 s for a shell condition.
await() {
    i=0
    until eval "$1"; do
        i=$((i + 1))
        [ $i -le 200 ] || return 1
        sleep 0.1
    done
}
await 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1 && ls "$XDG_RUNTIME_DIR"/wayland-? >/dev/null 2>&1' \
    || { echo "skipped: no Wayland compositor could start here"; tail -3 "$XDG_RUNTIME_DIR/sway.log"; exit 77; }
export SWAYSOCK="$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)"
export WAYLAND_DISPLAY="$(basename "$(ls -d "$XDG_RUNTIME_DIR"/wayland-?)")"
export QT_QPA_PLATFORM=wayland
# No EGL, as on a machine without graphics drivers: a widgets program draws into shared
# memory all the same. Otherwise Qt starts EGL on Mesa's software driver, which EGL unloads at
# exit, and the driver's own leaks reach the sanitizer run under no name to suppress.
export __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json
unset DISPLAY
windows() { swaymsg -t get_tree; }

# A copy of the program, so that its program directory is this one; texts go beside their sources.
mkdir "$work/bin" "$work/docs"
cp "$bin/ordvane" "$work/bin/"
ln -s "$bin/tsypdf.so" "$bin/tsypdf-worker" "$work/bin/"
printf '[general]\r\nsamedir=1\r\n' >"$work/bin/Ordvane.dat"
"$make_corpus" "$work/docs" 3 1 >/dev/null
set -- "$work"/docs/*.pdf
[ $# -eq 3 ] || fail "expected 3 PDFs, found $#"
first=$1 handed=$2 pasted=$3

cd "$work/docs"
"$work/bin/ordvane" "$first" &
program=$!
pids="$program $pids"
await 'windows | grep -q "\"name\": \"KV-Ordvane\""' || fail "no window on the compositor"
await 'windows | grep -q "\"focused\": true"' || fail "the window did not get the focus"
XDG_ACTIVATION_TOKEN=token-of-the-later-start "$work/bin/ordvane" "$handed" || fail "the later start did not hand over"

# Each wtype is a new keyboard on the seat: the pauses let the compositor give it the focus
# first, and let every key arrive before the keyboard goes again.
keys() { wtype -s 300 "$@" -s 300; }
with() { echo "-M $1 -s 100 $2 -s 100 -m $1"; }

printf 'file://%s\r\n' "$pasted" | wl-copy --foreground --type text/uri-list 2>/dev/null &
pids="$pids $!"
keys $(with ctrl v) $(with ctrl g)
text() { echo "${1%.pdf}.txt"; }
await '[ -s "$(text "$first")" ] && [ -s "$(text "$handed")" ] && [ -s "$(text "$pasted")" ]' \
    || fail "not every file was added and converted: $(ls "$work/docs")"

# File > View Log, then Escape.
keys $(with alt f) -s 200 v
await 'windows | grep -q "\"name\": \"Log\""' || fail "the log viewer did not open"
keys -k Escape
await '! windows | grep -q "\"name\": \"Log\""' || fail "the log viewer did not close"

kill -TERM "$program"
wait "$program" || fail "the program did not end cleanly"
pids=${pids#"$program "}
[ -s "$work/bin/Ordvane.job" ] || fail "the job list was not saved"
echo "wayland_session: command line, hand-over, clipboard, conversion and log viewer work on sway"
