# libheif 1.15.1, the release Debian's source package is made from, with the
# patches the cross build applies (patches/libheif/): the Windows build
# decodes HEIC on the same threads as the saver built on Linux.
vcpkg_download_distfile(ARCHIVE
  URLS "https://github.com/strukturag/libheif/releases/download/v${VERSION}/libheif-${VERSION}.tar.gz"
  FILENAME "libheif-${VERSION}.tar.gz"
  SHA512 057569fd95bed05d8543368202ea8881801978d7e21556a1f8b851ee2d40d2eecc94d2209d29a8cd555f588bf38078e382ef46c3d97a84fd598ea42a9e3de639)
file(GLOB project_patches "${CMAKE_CURRENT_LIST_DIR}/../../patches/libheif/*.patch")
list(SORT project_patches)
vcpkg_extract_source_archive(SOURCE_PATH ARCHIVE "${ARCHIVE}" PATCHES ${project_patches})

if(VCPKG_LIBRARY_LINKAGE STREQUAL "static")
  set(static_de265 "-DLIBDE265_STATIC_BUILD")
endif()
vcpkg_cmake_configure(SOURCE_PATH "${SOURCE_PATH}"
  OPTIONS
    "-DCMAKE_CXX_FLAGS=${static_de265}"
    -DENABLE_PLUGIN_LOADING=OFF -DWITH_EXAMPLES=OFF -DWITH_LIBDE265=ON -DWITH_DAV1D=ON
    -DWITH_X265=OFF -DWITH_AOM_ENCODER=OFF -DWITH_AOM_DECODER=OFF -DWITH_SvtEnc=OFF
    -DWITH_RAV1E=OFF -DWITH_DEFLATE_HEADER_COMPRESSION=OFF)
vcpkg_cmake_install()
vcpkg_cmake_config_fixup(CONFIG_PATH lib/cmake/libheif)
vcpkg_fixup_pkgconfig()
file(REMOVE_RECURSE "${CURRENT_PACKAGES_DIR}/debug/include" "${CURRENT_PACKAGES_DIR}/debug/share")
vcpkg_install_copyright(FILE_LIST "${SOURCE_PATH}/COPYING")
