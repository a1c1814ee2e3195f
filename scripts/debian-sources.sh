# Sourced by scripts/setup and the fuzz build with root and deps set: Debian's
# source packages of the picture libraries, unpacked under $deps/src with
# Debian's own patches and then ours (patches/<source package>/*.patch, each
# opening with its reason) applied. A source whose patches changed since it
# was unpacked is unpacked again from the package files already fetched, so
# every build of a library carries exactly the patches in the repository.

# The patches of a source package, in the order they apply.
source_patches() { find "$root/patches/$1" -maxdepth 1 -name '*.patch' 2>/dev/null | sort; }

# A short digest of a source package's patches; empty when it has none.
source_patch_stamp() {
  local files
  files=$(source_patches "$1")
  [ -n "$files" ] || return 0
  # shellcheck disable=SC2086
  cat $files | sha256sum | cut -c1-16
}

fetch_source() { # package -> prints the unpacked, patched folder
  local pkg=$1 dir dsc stamp p
  stamp=$(source_patch_stamp "$pkg")
  dir=$(find "$deps/src" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -n "$dir" ] && [ "$(cat "$dir/.tolvex-patches" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$dir"
    dir=
  fi
  if [ -z "$dir" ]; then
    dsc=$(find "$deps/src" -maxdepth 1 -name "${pkg}_*.dsc" | head -n 1)
    if [ -n "$dsc" ]; then
      (cd "$deps/src" && dpkg-source -x "$dsc" >/dev/null 2>&1)
    else
      (cd "$deps/src" && apt-get source -qq "$pkg" >/dev/null 2>&1) ||
        { sudo_ apt-get update -qq; (cd "$deps/src" && apt-get source -qq "$pkg" >/dev/null); }
    fi
    dir=$(find "$deps/src" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
    for p in $(source_patches "$pkg"); do
      patch -d "$dir" -p1 --forward --quiet <"$p" >&2
    done
    printf '%s' "$stamp" >"$dir/.tolvex-patches"
  fi
  echo "$dir"
}

# True when the library `file` under `prefix` is missing or was built with
# other patches than the package's now: it must be built (again).
library_stale() { # prefix file package
  [ ! -f "$1/lib/$2" ] || [ "$(cat "$1/.patches-$3" 2>/dev/null)" != "$(source_patch_stamp "$3")" ]
}

# Records that the package's library under `prefix` was built with its
# current patches.
library_built() { # prefix package
  printf '%s' "$(source_patch_stamp "$2")" >"$1/.patches-$2"
}
