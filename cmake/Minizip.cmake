# minizip over zlib. Natively Debian's libminizip; for MinGW the minizip sources of
# Debian's zlib source package, which scripts/bootstrap fetches into third_party/.

if(CMAKE_CROSSCOMPILING)
  # Linked in, so that the programs and tests need no zlib1.dll beside them.
  set(ZLIB_USE_STATIC_LIBS ON)
  find_package(ZLIB REQUIRED)
  set(VANTREL_MINIZIP_SOURCE "${PROJECT_SOURCE_DIR}/third_party/zlib/contrib/minizip"
      CACHE PATH "Folder holding minizip's unzip.c, zip.c and ioapi.c")
  if(NOT EXISTS "${VANTREL_MINIZIP_SOURCE}/unzip.c")
    message(FATAL_ERROR "minizip sources not found in ${VANTREL_MINIZIP_SOURCE}; run scripts/bootstrap")
  endif()
  add_library(minizip STATIC
    "${VANTREL_MINIZIP_SOURCE}/unzip.c"
    "${VANTREL_MINIZIP_SOURCE}/zip.c"
    "${VANTREL_MINIZIP_SOURCE}/ioapi.c")
  target_include_directories(minizip SYSTEM PUBLIC "${VANTREL_MINIZIP_SOURCE}")
  # The streams are the project's own (over the platform file system), so minizip's
  # fopen-based defaults are built only to satisfy its references.
  target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT USE_FILE32API)
  target_compile_options(minizip PRIVATE -w)
  target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
  add_library(Vantrel::minizip ALIAS minizip)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  add_library(Vantrel::minizip ALIAS PkgConfig::MINIZIP)
endif()
