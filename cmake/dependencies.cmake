# libjpeg-turbo (IJG API), giflib, zlib, libpng, libwebp (with demux),
# dav1d, lcms2, and libheif with libde265.
# Natively they come from Debian's -dev packages. For the cross build
# scripts/setup cross-compiles them from Debian's source packages into
# TOLVEX_DEPS_PREFIX (build/deps/mingw); on Windows vcpkg provides them.
# The fuzz build links the instrumented static libraries that
# scripts/fuzz-libraries builds into TOLVEX_FUZZ_DEPS_PREFIX (build/deps/fuzz).
if(WIN32 AND DEFINED TOLVEX_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TOLVEX_DEPS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${TOLVEX_DEPS_PREFIX})
endif()
if(DEFINED TOLVEX_FUZZ_DEPS_PREFIX)
  list(PREPEND CMAKE_PREFIX_PATH ${TOLVEX_FUZZ_DEPS_PREFIX})
  set(tolvex_library_suffixes ${CMAKE_FIND_LIBRARY_SUFFIXES})
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)

# tolvex_find_library(<target> <header> <library names> [DEPENDS target...]):
# an imported target for a library that ships no CMake package everywhere.
function(tolvex_find_library target header library)
  cmake_parse_arguments(A "" "" "DEPENDS" ${ARGN})
  find_path(${target}_INCLUDE_DIR ${header} REQUIRED)
  find_library(${target}_LIBRARY NAMES ${library} REQUIRED)
  add_library(${target} UNKNOWN IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${${target}_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${${target}_INCLUDE_DIR})
  if(A_DEPENDS)
    set_property(TARGET ${target} PROPERTY INTERFACE_LINK_LIBRARIES ${A_DEPENDS})
  endif()
endfunction()
tolvex_find_library(WebP::webp webp/decode.h webp)
tolvex_find_library(WebP::webpdemux webp/demux.h webpdemux DEPENDS WebP::webp)
tolvex_find_library(Dav1d::dav1d dav1d/dav1d.h dav1d)
tolvex_find_library(Lcms2::lcms2 lcms2.h lcms2)
tolvex_find_library(Libde265::de265 libde265/de265.h "de265;libde265")
tolvex_find_library(Heif::heif libheif/heif.h heif DEPENDS Libde265::de265 Dav1d::dav1d)
if(WIN32)
  # The cross build links libheif statically, and so may a Windows build.
  set_property(TARGET Heif::heif PROPERTY INTERFACE_COMPILE_DEFINITIONS LIBHEIF_STATIC_BUILD)
endif()
if(DEFINED TOLVEX_FUZZ_DEPS_PREFIX)
  set(CMAKE_FIND_LIBRARY_SUFFIXES ${tolvex_library_suffixes})
  # Static libheif, libde265 and dav1d need their threads and maths.
  find_package(Threads REQUIRED)
  set_property(TARGET Heif::heif APPEND PROPERTY INTERFACE_LINK_LIBRARIES Threads::Threads m)
  foreach(library JPEG_LIBRARY_RELEASE GIF_LIBRARY ZLIB_LIBRARY_RELEASE PNG_LIBRARY_RELEASE
          WebP::webp_LIBRARY WebP::webpdemux_LIBRARY Dav1d::dav1d_LIBRARY Lcms2::lcms2_LIBRARY
          Libde265::de265_LIBRARY Heif::heif_LIBRARY)
    if(NOT ${library} MATCHES "^${TOLVEX_FUZZ_DEPS_PREFIX}/")
      message(FATAL_ERROR "${library} is ${${library}}, not an instrumented library of ${TOLVEX_FUZZ_DEPS_PREFIX}")
    endif()
  endforeach()
endif()
