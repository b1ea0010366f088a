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
run(1 detect ${DATA}/japanese.jis ${DATA}/latin.latin ${WORK}/missing.txt)
expect_match("${out}" "japanese.jis: JIS\\(3\\)")
expect_match("${out}" "latin.latin: Latin\\(10\\) CRLF\\(3\\)\n")
expect_match("${err}" "missing.txt: cannot open the file: No such file or directory")

# detect refuses folders and named pipes at once, and says why.
execute_process(COMMAND mkfifo ${WORK}/pipe)
run(1 detect ${WORK} ${WORK}/pipe)
expect_match("${err}" "work: cannot open the file: It is a folder, not a file.")
expect_match("${err}" "pipe: cannot open the file: It is a named pipe")

# detect says what opening a file would not keep: a NUL ends its line, breaks are mixed.
file(WRITE ${WORK}/mixed.txt "one\r\ntwo\nthree\r\n")
run(0 detect ${WORK}/mixed.txt ${DATA}/../detection/nul-beside-break.UTF-8)
expect_match("${out}" "mixed.txt: UTF-8\\(5\\) CRLF\\(3\\)\n  not clean: mixed line breaks \\(LF, CRLF\\)\n")
expect_match("${out}" "  not clean: 1 line breaks become CRLF \\(first at line 2, column 4\\)")
expect_match("${out}" "UTF-8: UTF-8\\(5\\) CRLF\\(3\\)\n  not clean: 1 lines hold a NUL; the rest of each is left out \\(first at line 1, column 7\\)\n")
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
# Windows-1252 lacks the Japanese characters: refused, saying where, and nothing is written.
file(READ ${WORK}/lf.txt before HEX)
run(3 convert --to Latin --linebreak crlf ${WORK}/lf.txt ${WORK}/lf.txt)
expect_match("${err}" "Latin lacks [0-9]+ characters, each written as '\\?' \\(first at line 1, column 1\\)")
expect_match("${err}" "nothing written; --allow-loss converts all the same")
file(READ ${WORK}/lf.txt after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a refused conversion changed its file")
endif()
run(0 convert --to Latin --linebreak crlf --allow-loss ${WORK}/lf.txt ${WORK}/lf.txt)
run(0 convert --from Latin --to UTF-8 ${WORK}/lf.txt ${WORK}/back.txt)
file(READ ${WORK}/back.txt back HEX)
expect_match("${back}" "3f3f3f0d0a")

# Characters with two codes come back in the code they were read with.
string(ASCII 237 64 135 144 13 10 twins)
file(WRITE ${WORK}/twins.sjis "${twins}")
run(0 convert --from ShiftJIS --to ShiftJIS ${WORK}/twins.sjis ${WORK}/twins.out)
expect_same(${WORK}/twins.sjis ${WORK}/twins.out)
run(0 convert --from latin --to utf-8 ${DATA}/latin.latin ${WORK}/latin.utf8)
expect_same(${WORK}/latin.utf8 ${DATA}/latin.utf8)

# Invalid bytes are a loss too: refused unless allowed, and counted either way.
run(3 convert --from UTF-8 --to UTF-8 ${DATA}/japanese.sjis ${WORK}/bad.out)
expect_match("${err}" "japanese.sjis: [0-9]+ invalid byte sequences, each read as U\\+FFFD \\(first at line 1, column 1\\)")
if(EXISTS ${WORK}/bad.out)
  message(FATAL_ERROR "a refused conversion wrote its output")
endif()
run(0 convert --allow-loss --from UTF-8 --to UTF-8 ${DATA}/japanese.sjis ${WORK}/bad.out)
expect_match("${err}" "invalid byte sequences")

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
