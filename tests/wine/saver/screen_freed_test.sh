#!/usr/bin/env bash
# Input gives the screen back at once: after a key or a mouse move, the saver's
# window covers nothing within 0.2 s (seen from the X server: unmapped, or
# shaped to nothing), with a quick folder and with a read still pending on
# slow storage; the saver then ends with 0. Run under with-slow-folder (the
# tree in TOLVEX_SLOW_TREE) on an X display, in TOLVEX_WINEPREFIX.
#
#   screen_freed_test.sh <TolvexShow.scr>
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
scr=$(realpath "$1")
tree=${TOLVEX_SLOW_TREE:?the slow folder tree}
limit_ms=200
failures=0

key='HKCU\Software\Morv\Plim'
reg_() { "$root/scripts/wine-run" reg add "$key" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }
winpath() { echo "Z:${1//\//\\}"; }

settings() { # folder
  reg_ dtDir REG_SZ "$(winpath "$1")"
  reg_ SelPhoto REG_DWORD 0
  reg_ SCRcom REG_SZ "freed"
  reg_ FontName REG_SZ "ＭＳ ゴシック"
  for v in ComColor fgBold fgItalic fgUnderline fgStrikeOut; do reg_ "$v" REG_DWORD 0; done
  reg_ FontSize REG_DWORD 14
  reg_ SCRsnd REG_DWORD 3
  reg_ SCRtime REG_DWORD 5
  reg_ MoveFlag REG_DWORD 1
}

# The X window of the saver, once one covers the screen.
saver_window() {
  for _ in $(seq 300); do
    local w
    w=$(xwininfo -root -tree 2>/dev/null | awk '/"TolvexShow"/ && !/ 1x1\+/ {print $1}' | head -1)
    if [ -n "$w" ] && xwininfo -id "$w" 2>/dev/null | grep -q IsViewable; then
      echo "$w"
      return
    fi
    sleep 0.1
  done
}

# Waits (at most 5 s) until the window has the keyboard, as input needs it.
wait_for_focus() { # window
  for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(($1))" ] && return
    sleep 0.05
  done
}

covers_screen() { # window
  local info
  info=$(xwininfo -id "$1" -shape 2>/dev/null) || return 1
  grep -q IsViewable <<<"$info" && ! grep -q "Window shape extents:  0x0" <<<"$info"
}

road() { # name, folder, input...
  local name=$1 folder=$2
  shift 2
  settings "$folder"
  "$root/scripts/wine-run" "$scr" /s &
  local saver=$! window
  window=$(saver_window)
  if [ -z "$window" ]; then
    echo "FAIL: $name: no saver window"
    failures=$((failures + 1))
    kill "$saver" 2>/dev/null || true
    return
  fi
  wait_for_focus "$window"
  local start now
  start=$(date +%s%N)
  xdotool "$@"
  while covers_screen "$window"; do
    now=$(date +%s%N)
    [ $(((now - start) / 1000000)) -gt 5000 ] && break
    sleep 0.005
  done
  now=$(date +%s%N)
  local ms=$(((now - start) / 1000000)) code=0
  wait "$saver" || code=$?
  echo "$name: the screen was free after $ms ms; exit code $code"
  if [ "$ms" -gt "$limit_ms" ] || [ "$code" != 0 ]; then
    echo "FAIL: $name"
    failures=$((failures + 1))
  fi
}

convert -size 160x120 xc:red "$tree/source/a.bmp"
road "a key, quick folder" "$tree/source" key a
# Each listing and open of the slow folder takes 20 seconds: the folder scan's
# one listing is still waiting when the mouse moves. (Not an open: Wine's
# server opens every file itself, so an open pending on slow storage holds
# every window of every Wine program until it returns.)
echo 20 >"$tree/delay"
road "a mouse move, a read pending on slow storage" "$tree/slow" mousemove_relative 40 40
echo 0 >"$tree/delay"

echo "$((2 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
