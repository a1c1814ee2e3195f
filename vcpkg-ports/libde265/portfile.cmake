# libde265 1.0.11, the release Debian's source package is made from, with the
# patches the cross build applies (patches/libde265/): the Windows build reads
# crafted HEVC streams as defined as the saver built on Linux does.
vcpkg_download_distfile(ARCHIVE
  URLS "https://github.com/strukturag/libde265/releases/download/v${VERSION}/libde265-${VERSION}.tar.gz"
  FILENAME "libde265-${VERSION}.tar.gz"
  SHA512 2ce28558c66e20714c07bf3011bc10dccabb770649903616bc32f1c4f18beba559ef7e0e42365ead77d7e813316b8c051039dc393cd351221cbab7248b3fa34c)
file(GLOB project_patches "${CMAKE_CURRENT_LIST_DIR}/../../patches/libde265/*.patch")
list(SORT project_patches)
vcpkg_extract_source_archive(SOURCE_PATH ARCHIVE "${ARCHIVE}" PATCHES ${project_patches})

vcpkg_cmake_configure(SOURCE_PATH "${SOURCE_PATH}"
  OPTIONS -DENABLE_SDL=OFF -DENABLE_DECODER=OFF -DENABLE_ENCODER=OFF)
vcpkg_cmake_install()
vcpkg_cmake_config_fixup(CONFIG_PATH lib/cmake/libde265)
vcpkg_fixup_pkgconfig()
file(REMOVE_RECURSE "${CURRENT_PACKAGES_DIR}/debug/include" "${CURRENT_PACKAGES_DIR}/debug/share")
vcpkg_install_copyright(FILE_LIST "${SOURCE_PATH}/COPYING")
