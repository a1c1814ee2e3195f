# Measuring the saver's CPU time under Wine, for scripts/bench-cpu and
# scripts/bench-cpu-monitors; sourced, with root, demo, seconds and
# TOLVEX_WINEPREFIX set, on an X display of scripts/with-xvfb or
# scripts/with-xorg-monitors.

# The process of this prefix with the given name (wine-run's own process
# becomes the loader, which may start the program as another process).
prefix_pid() {
  local p
  for p in $(pgrep -x "$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$TOLVEX_WINEPREFIX" &&
      { echo "$p"; return; }
  done
  echo 0
}

# measure <label> <scr>: runs "/s", waits for its window and 5 s more (first
# paint, first picture, prefetch), then prints the CPU time of the saver, the
# wineserver and the X server over the measured seconds; the saver's ticks
# go to stderr. With peak_file set, its peak memory goes there.
measure() {
  local label=$1 scr=$2 hz
  hz=$(getconf CLK_TCK)
  cpu() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
  "$root/scripts/wine-run" "$scr" /s >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 150); do
    xwininfo -root -children 2>/dev/null | grep -q TolvexShow && break
    sleep 0.2
  done
  sleep 5
  local saver server xserver
  saver=$(prefix_pid TolvexShow.scr)
  server=$(prefix_pid wineserver64)  # the 64-bit server's name on Debian
  xserver=${TOLVEX_X_SERVER_PID:-0}
  local s0 w0 x0 s1 w1 x1
  s0=$(cpu "$saver"); w0=$(cpu "$server"); x0=$(cpu "${xserver:-0}")
  sleep "$seconds"
  s1=$(cpu "$saver"); w1=$(cpu "$server"); x1=$(cpu "${xserver:-0}")
  # The saver's peak memory (VmHWM, KiB), into the file a caller names.
  if [ -n "${peak_file:-}" ]; then
    awk '/^VmHWM/ {print $2}' "/proc/$saver/status" >"$peak_file" 2>/dev/null || echo 0 >"$peak_file"
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  WINEPREFIX=$TOLVEX_WINEPREFIX wineserver -w 2>/dev/null || true
  awk -v l="$label" -v s=$((s1 - s0)) -v w=$((w1 - w0)) -v x=$((x1 - x0)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%-12s saver %.2f s CPU in %d s (%.1f %%); wineserver %.2f s; X server %.2f s\n",
             l, s / hz, t, 100 * s / hz / t, w / hz, x / hz; print s > "/dev/stderr" }'
}

# The show measured: the demo pictures floating, a switch every 3 s, the
# ticker on.
write_bench_settings() {
  local key='HKCU\Software\Morv\Plim'
  reg() { "$root/scripts/wine-run" reg add "$key" "$@" /f >/dev/null; }
  reg /v dtDir /t REG_SZ /d "Z:${demo//\//\\}"
  reg /v SelPhoto /t REG_DWORD /d 0
  reg /v SCRcom /t REG_SZ /d "ようこそ TolvexShow へ"
  reg /v FontName /t REG_SZ /d "ＭＳ ゴシック"
  reg /v ComColor /t REG_DWORD /d 65280
  reg /v FontSize /t REG_DWORD /d 28
  for v in fgBold fgItalic fgUnderline fgStrikeOut; do reg /v $v /t REG_DWORD /d 0; done
  reg /v SCRsnd /t REG_DWORD /d 3
  reg /v SCRtime /t REG_DWORD /d 3
  reg /v MoveFlag /t REG_DWORD /d 1
}
