# Runs lupdate over SOURCE_DIR into a copy of each file of TS_FILES and fails when the copy
# holds an entry without a translation (a text new in the code, or one never translated) or
# an entry whose text the code no longer has. Lists those texts, so a merge that brings new
# texts shows at once what still needs translating.
set(report "")
foreach(ts IN LISTS TS_FILES)
    get_filename_component(name "${ts}" NAME)
    set(copy "${WORK_DIR}/${name}")
    configure_file("${ts}" "${copy}" COPYONLY)
    execute_process(COMMAND "${LUPDATE}" -silent -locations none "${SOURCE_DIR}" -ts "${copy}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}")
    endif()

    file(STRINGS "${copy}" lines ENCODING UTF-8)
    set(context "")
    set(source "")
    set(problems "")
    foreach(line IN LISTS lines)
        if(line MATCHES "<name>(.*)</name>")
            set(context "${CMAKE_MATCH_1}")
        elseif(line MATCHES "<source>(.*)</source>")
            set(source "${CMAKE_MATCH_1}")
        elseif(line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
            string(APPEND problems "\n  ${CMAKE_MATCH_1}: ${context}: ${source}")
        endif()
    endforeach()
    if(problems)
        string(APPEND report "${name} does not match the texts of the program:${problems}\n")
    endif()
endforeach()

# A text lupdate cannot see is one written outside the translation functions. Every line of
# code (comments aside) that holds a character beyond ASCII must therefore mark it for
# translation; the Japanese font family names are the one exception, being names.
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
set(unmarked "")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines ENCODING UTF-8)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        string(REGEX REPLACE "//.*$" "" code "${line}")
        string(REGEX REPLACE "[ -~\t]" "" beyondAscii "${code}")
        if(beyondAscii STREQUAL ""
           OR code MATCHES "tr\\(|translate\\(|QT_TRANSLATE_NOOP|ＭＳ")
            continue()
        endif()
        file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
        string(APPEND unmarked "\n  ${where}:${number}: ${line}")
    endforeach()
endforeach()
if(unmarked)
    string(APPEND report "Texts outside tr() or QCoreApplication::translate():${unmarked}\n")
endif()
if(report)
    message(FATAL_ERROR "${report}")
endif()
