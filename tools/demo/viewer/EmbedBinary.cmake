# cmake -DINPUT=file.bin -DOUTPUT=file.cpp -DHEADER=name.h -DFUNCTION=Name -P EmbedBinary.cmake
# Writes a C++ source whose function returns the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
    message(FATAL_ERROR "${INPUT} is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT} at build time; do not edit.\n"
    "#include \"${HEADER}\"\n\n"
    "namespace {\nconst uint8_t Bytes[] = {\n    ${bytes}\n};\n}\n\n"
    "std::span<const uint8_t> ${FUNCTION}() {\n    return Bytes;\n}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
