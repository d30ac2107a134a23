# libjpeg with the release 6b interface, as the imported target pdfprinter_jpeg.
#
# Linux: Debian's libjpeg62-turbo-dev, linked statically (job mode starts once
# per print job; one shared library less to load).
#
# Windows: libjpeg-turbo cross-built with this build's toolchain from Debian's
# own source package (apt-get source; scripts/setup.sh adds the deb-src entry),
# the static library only. Done once per build folder, at configure time, into
# <build>/libjpeg-turbo/; a finished lib/libjpeg.a there means it is done.

add_library(pdfprinter_jpeg STATIC IMPORTED GLOBAL)

if(NOT WIN32)
  find_path(PDFPRINTER_JPEG_INCLUDE_DIR jpeglib.h REQUIRED)
  find_library(PDFPRINTER_JPEG_LIBRARY NAMES libjpeg.a REQUIRED)
  set_target_properties(pdfprinter_jpeg PROPERTIES
    IMPORTED_LOCATION ${PDFPRINTER_JPEG_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${PDFPRINTER_JPEG_INCLUDE_DIR})
  return()
endif()

set(jpeg_root ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(jpeg_library ${jpeg_root}/lib/libjpeg.a)

function(jpeg_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "libjpeg-turbo: ${what} failed (${rc}):\n${out}")
  endif()
endfunction()

if(NOT EXISTS ${jpeg_library})
  message(STATUS "libjpeg-turbo: fetching Debian's source and cross-building it (once)")
  file(REMOVE_RECURSE ${jpeg_root})
  file(MAKE_DIRECTORY ${jpeg_root}/source)

  # The same version as the native build's library when Debian's is installed.
  set(package libjpeg-turbo)
  execute_process(COMMAND dpkg-query -W -f=\${source:Version} libjpeg62-turbo-dev
    OUTPUT_VARIABLE version RESULT_VARIABLE rc ERROR_QUIET)
  if(rc EQUAL 0 AND version)
    set(package libjpeg-turbo=${version})
  endif()
  jpeg_run("apt-get source ${package}" ${CMAKE_COMMAND} -E chdir ${jpeg_root}/source
    apt-get source -qq ${package})
  file(GLOB jpeg_source LIST_DIRECTORIES true ${jpeg_root}/source/libjpeg-turbo-*)
  list(FILTER jpeg_source EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
  if(NOT IS_DIRECTORY "${jpeg_source}")
    message(FATAL_ERROR "libjpeg-turbo: no unpacked source in ${jpeg_root}/source")
  endif()

  # The 6b interface is libjpeg-turbo's default. No SIMD: it would need nasm.
  jpeg_run("configure" ${CMAKE_COMMAND} -S ${jpeg_source} -B ${jpeg_root}/build
    -G "Unix Makefiles"
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${jpeg_root}/install
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF)
  jpeg_run("build" ${CMAKE_COMMAND} --build ${jpeg_root}/build --target jpeg-static -j2)

  file(COPY ${jpeg_source}/jpeglib.h ${jpeg_source}/jmorecfg.h ${jpeg_source}/jerror.h
    ${jpeg_root}/build/jconfig.h DESTINATION ${jpeg_root}/include)
  # Last: its presence marks a finished build.
  file(COPY ${jpeg_root}/build/libjpeg.a DESTINATION ${jpeg_root}/lib)
endif()

set_target_properties(pdfprinter_jpeg PROPERTIES
  IMPORTED_LOCATION ${jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES ${jpeg_root}/include)
