# Binary files embedded in the program as byte lists.
#
# Included: pdfprinter_embed_bytes(<target> <file>...) turns each file into
# <build>/generated/<file>.inc, a comma-separated list of its bytes that a
# source of the target includes inside an array initialiser:
#   const unsigned char kBytes[] = {
#   #include "resources/x.bin.inc"
#   };
# Run with -P (at build time): INPUT and OUTPUT name the two files.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ ${INPUT} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
  file(WRITE ${OUTPUT}.tmp "${bytes}\n")
  file(RENAME ${OUTPUT}.tmp ${OUTPUT})
  return()
endif()

set(PDFPRINTER_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(pdfprinter_embed_bytes target)
  set(generated ${CMAKE_BINARY_DIR}/generated)
  foreach(file ${ARGN})
    set(output ${generated}/${file}.inc)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/${file} -DOUTPUT=${output}
              -P ${PDFPRINTER_EMBED_SCRIPT}
      DEPENDS ${CMAKE_SOURCE_DIR}/${file} ${PDFPRINTER_EMBED_SCRIPT}
      COMMENT "Embedding ${file}")
    target_sources(${target} PRIVATE ${output})
  endforeach()
  target_include_directories(${target} PRIVATE ${generated})
endfunction()
