# Sourced by scripts/build and scripts/fuzz with root set: compiles through
# ccache when it is there (scripts/setup installs it), with its cache in the
# user's cache folder. Paths under the project count from the project's
# folder, so a fresh clone anywhere on the machine reuses what any clone
# compiled; the object files then name the first clone's folder in their
# debug information. Settings already in the environment win.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR-$root}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR-1}
fi
