# libjpeg-turbo (IJG API), giflib, zlib, libpng, libwebp (with demux),
# dav1d, lcms2, and libheif with libde265.
# Natively they come from Debian's -dev packages. For the cross build
# scripts/setup cross-compiles them from Debian's source packages into
# TOLVEX_DEPS_PREFIX (build/deps/mingw); on Windows vcpkg provides them.
if(WIN32 AND DEFINED TOLVEX_DEPS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TOLVEX_DEPS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${TOLVEX_DEPS_PREFIX})
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
