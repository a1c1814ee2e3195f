# libjpeg-turbo (IJG API) and giflib.
# Natively they come from Debian's -dev packages. For the cross build
# scripts/setup cross-compiles them from Debian's source packages into
# TOLVEX_DEPS_PREFIX (build/deps/mingw); on Windows vcpkg provides them.
if(WIN32 AND DEFINED TOLVEX_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TOLVEX_DEPS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${TOLVEX_DEPS_PREFIX})
endif()
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
