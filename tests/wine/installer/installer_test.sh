#!/usr/bin/env bash
# The setup program under Wine: builds two installers (an older and the
# current version) from the given TolvexShow.scr, then installs, upgrades and
# removes silently in the prefix TOLVEX_WINEPREFIX, checking the system
# folder, the list of installed programs, the user's screen-saver choice and
# the user's settings after each step. Needs an X display.
#
#   installer_test.sh <TolvexShow.scr> <work folder> [version]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
scr=$(realpath "$1")
work=$2
version=${3:-1.6.0}
old_version=1.5.0
mkdir -p "$work"
work=$(realpath "$work")
: "${TOLVEX_WINEPREFIX:?the Wine prefix to test in}"
prefix=$TOLVEX_WINEPREFIX

uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TolvexShow'
desktop_key='HKCU\Control Panel\Desktop'
settings_key='HKCU\Software\Morv\Plim'
sys_scr=$prefix/drive_c/windows/system32/TolvexShow.scr
uninstaller_dir=$prefix/drive_c/Program\ Files/TolvexShow
uninstaller=C:\\Program\ Files\\TolvexShow\\TolvexShow-uninstall.exe
failures=0

wine_() { "$root/scripts/wine-run" "$@"; }
winpath() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() { # description, command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# A key's values as UTF-8 lines ("name"="value"), empty when the key is absent.
key_text() {
  local out=$work/export.reg
  rm -f "$out"
  wine_ reg export "$1" "$(winpath "$out")" /reg:64 /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r'
}
has_value() { key_text "$1" | grep -qxF -- "$2"; }
lacks_value() { ! key_text "$1" | grep -q -- "^\"$2\"="; }
has_match() { key_text "$1" | grep -qE -- "$2"; }
key_absent() { ! wine_ reg query "$1" /reg:64 >/dev/null 2>&1; }

# Polls (bounded) until the command succeeds.
wait_for() { # seconds, command...
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

build_installer() { # version, output
  makensis -V1 -INPUTCHARSET UTF8 -DVERSION="$1" -DSCR="$scr" -DOUTFILE="$2" \
    "$root/installer/tolvexshow.nsi"
}

install_() { # installer, switches...
  local setup=$1; shift
  wine_ "$(winpath "$setup")" /S "$@" || fail "installer $(basename "$setup") $* exited with $?"
}

# The uninstaller copies itself to a temporary folder and returns at once; the
# copy removes the uninstall entry as its last step.
uninstall_() { # switches...
  wine_ "$uninstaller" /S "$@" || fail "uninstaller exited with $?"
  wait_for 60 key_absent "$uninst_key" ||
    fail "the uninstaller did not finish within 60 s"
}

backup=$work/settings-backup.reg
restore_settings() {
  wine_ reg delete "$settings_key" /f >/dev/null 2>&1 || true
  if [ -f "$backup" ]; then wine_ reg import "$(winpath "$backup")" >/dev/null 2>&1 || true; fi
}
start_clean() {
  rm -f "$backup"
  if ! key_absent "$settings_key"; then
    wine_ reg export "$settings_key" "$(winpath "$backup")" /y >/dev/null
  fi
  trap restore_settings EXIT
  wine_ reg delete "$settings_key" /f >/dev/null 2>&1 || true
  wine_ reg delete "$uninst_key" /reg:64 /f >/dev/null 2>&1 || true
  wine_ reg delete "$desktop_key" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true
  rm -rf "$sys_scr" "$uninstaller_dir"
}

echo "building installers $old_version and $version"
build_installer "$old_version" "$work/setup-old.exe"
build_installer "$version" "$work/setup.exe"
start_clean
ours='"SCRNSAVE.EXE"="C:\\windows\\system32\\TolvexShow.scr"'

install_ "$work/setup-old.exe"
check "$old_version is registered" has_value "$uninst_key" "\"DisplayVersion\"=\"$old_version\""
wine_ reg add "$settings_key" /v SCRtime /t REG_DWORD /d 7 /f >/dev/null
wine_ reg add "$settings_key" /v SCRcom /t REG_SZ /d "設定は残ります" /f >/dev/null

install_ "$work/setup.exe"
check "the saver is in the 64-bit system folder" cmp -s "$scr" "$sys_scr"
check "nothing went to the 32-bit system folder" test ! -e "$prefix/drive_c/windows/syswow64/TolvexShow.scr"
check "the upgrade registers $version" has_value "$uninst_key" "\"DisplayVersion\"=\"$version\""
check "display name" has_value "$uninst_key" '"DisplayName"="TolvexShow"'
check "publisher" has_value "$uninst_key" '"Publisher"="TolvexShow 開発チーム"'
check "uninstall command" has_value "$uninst_key" "\"UninstallString\"=\"\\\"${uninstaller//\\/\\\\}\\\"\""
check "quiet uninstall command" has_value "$uninst_key" "\"QuietUninstallString\"=\"\\\"${uninstaller//\\/\\\\}\\\" /S\""
check "no modify, no repair" has_value "$uninst_key" '"NoRepair"=dword:00000001'
check "estimated size" has_match "$uninst_key" '^"EstimatedSize"=dword:0*[1-9a-f][0-9a-f]*$'
check "the uninstaller exists" test -f "$uninstaller_dir/TolvexShow-uninstall.exe"
check "it is the current screen saver" has_value "$desktop_key" "$ours"
check "screen saver active" has_value "$desktop_key" '"ScreenSaveActive"="1"'
check "the upgrade keeps the settings (number)" has_value "$settings_key" '"SCRtime"=dword:00000007'
check "the upgrade keeps the settings (text)" has_value "$settings_key" '"SCRcom"="設定は残ります"'

uninstall_
check "uninstall removes the saver" test ! -e "$sys_scr"
check "uninstall removes the entry" key_absent "$uninst_key"
check "uninstall removes the uninstaller" test ! -e "$uninstaller_dir"
check "uninstall clears the screen-saver choice" lacks_value "$desktop_key" SCRNSAVE.EXE
check "uninstall keeps the settings" has_value "$settings_key" '"SCRtime"=dword:00000007'

other='C:\windows\system32\other.scr'
wine_ reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f >/dev/null
install_ "$work/setup.exe" /NOACTIVATE
check "/NOACTIVATE installs" cmp -s "$scr" "$sys_scr"
check "/NOACTIVATE keeps the user's screen saver" has_value "$desktop_key" '"SCRNSAVE.EXE"="C:\\windows\\system32\\other.scr"'
uninstall_ /REMOVESETTINGS
check "uninstall leaves another screen saver chosen" has_value "$desktop_key" '"SCRNSAVE.EXE"="C:\\windows\\system32\\other.scr"'
check "/REMOVESETTINGS removes the settings" key_absent "$settings_key"
check "and the saver" test ! -e "$sys_scr"
wine_ reg delete "$desktop_key" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true

if [ $failures -gt 0 ]; then
  echo "installer test: $failures check(s) failed"
  exit 1
fi
echo "installer test: all checks passed"
