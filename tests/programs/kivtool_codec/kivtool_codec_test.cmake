# Runs kivtool on the codec fixtures and checks its output, its files and its exit status.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected_status)
  execute_process(COMMAND ${KIVTOOL} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "kivtool ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()

function(expect_match text pattern)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "expected '${pattern}' in:\n${text}")
  endif()
endfunction()

# detect: one line per file; a missing file is reported and the status is 1.
run(0 detect ${DATA}/japanese.sjis ${DATA}/japanese.euc ${DATA}/japanese.utf16be)
expect_match("${out}" "japanese.sjis: ShiftJIS\\(1\\) CRLF\\(3\\)\n")
expect_match("${out}" "japanese.euc: EUC\\(2\\) CRLF\\(3\\)\n")
expect_match("${out}" "japanese.utf16be: UTF-16BE\\(8\\) CRLF\\(3\\)\n")
run(1 detect ${DATA}/japanese.jis ${WORK}/missing.txt)
expect_match("${out}" "japanese.jis: JIS\\(3\\)")
expect_match("${err}" "missing.txt: cannot open")
run(0 detect --help)
expect_match("${out}" "usage: kivtool detect")

# convert: every encoding to every other by detection gives the independent codec's bytes.
foreach(from sjis euc jis utf8 utf8bom utf16le utf16be)
  foreach(pair "sjis:ShiftJIS" "euc:EUC" "jis:3" "utf8:UTF-8" "utf8bom:utf-8-bom" "utf16le:9"
               "utf16be:UTF-16BE")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 to)
    list(GET pair 1 to_name)
    run(0 convert --to ${to_name} ${DATA}/japanese.${from} ${WORK}/out.${to})
    expect_same(${WORK}/out.${to} ${DATA}/japanese.${to})
  endforeach()
endforeach()

# --from overrides detection, --linebreak changes every break; converting in place works.
run(0 convert --from 1 --to UTF-8 --linebreak LF ${DATA}/cp932.sjis ${WORK}/lf.txt)
run(0 convert --to Latin --linebreak crlf ${WORK}/lf.txt ${WORK}/lf.txt)
run(0 convert --from Latin --to UTF-8 ${WORK}/lf.txt ${WORK}/back.txt)
file(READ ${WORK}/back.txt back HEX)
expect_match("${back}" "3f3f3f0d0a")
run(0 convert --from latin --to utf-8 ${DATA}/latin.latin ${WORK}/latin.utf8)
expect_same(${WORK}/latin.utf8 ${DATA}/latin.utf8)

# Invalid bytes are counted on stderr.
run(0 convert --from UTF-8 --to UTF-8 ${DATA}/japanese.sjis ${WORK}/bad.out)
expect_match("${err}" "invalid byte sequences became U\\+FFFD")

# Usage errors and unreadable or unwritable files.
run(2 convert --to UTF-8 ${DATA}/japanese.sjis)
run(2 convert ${DATA}/japanese.sjis ${WORK}/x)
run(2 convert --to UTF-32 ${DATA}/japanese.sjis ${WORK}/x)
run(2 convert --to UTF-8 --linebreak NEL ${DATA}/japanese.sjis ${WORK}/x)
run(2 convert --to UTF-8 --bogus ${DATA}/japanese.sjis ${WORK}/x)
run(2 convert --to)
run(1 convert --to UTF-8 ${WORK}/missing.txt ${WORK}/x)
run(1 convert --to UTF-8 ${DATA}/japanese.sjis ${WORK}/no/such/dir/x)
run(0 convert --help)
expect_match("${out}" "--linebreak")
