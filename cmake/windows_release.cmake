# What a Windows user downloads: the installer (makensis, installer/pdfprinter.nsi)
# and the release zip, both holding the program, the README section for
# Windows users as README.txt (with the screenshots it shows) and the licence.
find_program(MAKENSIS makensis REQUIRED)

set(release_name pdfprinter-${PROJECT_VERSION})
set(PDFPRINTER_INSTALLER ${CMAKE_BINARY_DIR}/${release_name}-setup.exe)
set(PDFPRINTER_ZIP ${CMAKE_BINARY_DIR}/${release_name}-win32.zip)
set(readme ${CMAKE_BINARY_DIR}/README.txt)
set(screenshots ${CMAKE_SOURCE_DIR}/docs/setup-page1.png ${CMAKE_SOURCE_DIR}/docs/setup-page2.png)

find_program(PYTHON3 python3 REQUIRED)
add_custom_command(OUTPUT ${readme}
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/scripts/windows-readme.py ${CMAKE_SOURCE_DIR}/README.md
          ${readme}
  DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/scripts/windows-readme.py
  COMMENT "Writing README.txt (plain text) for Windows users")

add_custom_command(OUTPUT ${PDFPRINTER_INSTALLER}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:pdfprinter>
          -DICON=${PDFPRINTER_ICON} -DREADME=${readme} -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE
          -DSCREENSHOT1=${CMAKE_SOURCE_DIR}/docs/setup-page1.png
          -DSCREENSHOT2=${CMAKE_SOURCE_DIR}/docs/setup-page2.png
          -DOUTFILE=${PDFPRINTER_INSTALLER} ${CMAKE_SOURCE_DIR}/installer/pdfprinter.nsi
  DEPENDS pdfprinter ${CMAKE_SOURCE_DIR}/installer/pdfprinter.nsi ${readme}
          ${CMAKE_SOURCE_DIR}/LICENSE ${PDFPRINTER_ICON} ${screenshots}
  COMMENT "Building the installer ${release_name}-setup.exe")

set(stage ${CMAKE_BINARY_DIR}/release/${release_name})
add_custom_command(OUTPUT ${PDFPRINTER_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/docs
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:pdfprinter> ${readme} ${stage}/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${screenshots} ${stage}/docs/
  COMMAND ${CMAKE_COMMAND} -E rm -f ${PDFPRINTER_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/release
          ${CMAKE_COMMAND} -E tar cf ${PDFPRINTER_ZIP} --format=zip ${release_name}
  DEPENDS pdfprinter ${readme} ${CMAKE_SOURCE_DIR}/LICENSE ${screenshots}
  COMMENT "Packing ${release_name}-win32.zip")

add_custom_target(release ALL DEPENDS ${PDFPRINTER_INSTALLER} ${PDFPRINTER_ZIP})
