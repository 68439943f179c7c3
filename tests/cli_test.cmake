# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Black-box checks of vemotarn-cli: one behaviour per case.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect_run name expected_status)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "${name}: status ${status}, expected ${expected_status}\n${out}\n${err}")
    endif()
    set(OUT "${out}" PARENT_SCOPE)
    set(ERR "${err}" PARENT_SCOPE)
endfunction()

function(expect_match name text pattern)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "${name}: '${text}' does not match '${pattern}'")
    endif()
endfunction()

set(top "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........")
set(solved "468931527751624839392578461134756298289413675675289314846192753513867942927345186")
file(WRITE "${WORK}/mixed.txt" "${top}\r\nnot a puzzle\n\n${solved}\n12345\n")

# count: good lines answered, bad lines reported with their number, status 1.
expect_run(count_mixed 1 ${CLI} count "${WORK}/mixed.txt")
expect_match(count_first "${OUT}" "^0 1 [0-9]+ [1-9]\n0 0 -1 -1\n$")
expect_match(count_line2 "${ERR}" "mixed.txt:2: ")
expect_match(count_line5 "${ERR}" "mixed.txt:5: ")

# solve: the completed grid, or the grid itself when the search finds nothing.
expect_run(solve_mixed 1 ${CLI} solve "${WORK}/mixed.txt")
expect_match(solve_out "${OUT}" "^0 ${solved}\n0 ${solved}\n$")

# Standard input.
file(WRITE "${WORK}/one.txt" "${top}\n")
execute_process(COMMAND ${CLI} count - INPUT_FILE "${WORK}/one.txt" RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "^0 1 ")
    message(FATAL_ERROR "count from standard input: ${status} '${out}'")
endif()

# A puzzle without solution: two 1s in one box.
file(WRITE "${WORK}/bad.txt" "1.........1......................................................................\n")
expect_run(solve_none 0 ${CLI} solve "${WORK}/bad.txt")
expect_match(solve_none_out "${OUT}" "^1 1\\.\\.\\.\\.\\.\\.\\.\\.\\.1")

# Grids without solution that used to keep rate and analyse (and count, for a
# repeated diagonal digit) searching without end, one per line before a valid
# puzzle: two 1s in a row; two 1s on a diagonal of an X-Sudoku grid; a bar
# between 1 and 5 in a consecutive grid. Every command answers every line at
# once, each grid as one without solution.
function(expect_answer name pattern)
    execute_process(COMMAND ${ARGN} TIMEOUT 60 RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name}: status '${status}', expected 0 within 60 s\n${out}\n${err}")
    endif()
    expect_match(${name} "${out}" "${pattern}")
endfunction()
string(REPEAT "." 79 dots79)
set(x_repeat "3x3:d: :0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1:0:0:0:0:0:0:0:9:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:9:0:0:1:0:0:0:0:0:0:1:0:0:0:0:0:0:0:0:0:0:0:0:0:")
set(bar_1_5 "3x3: :c:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:257:1284:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:")
file(WRITE "${WORK}/stuck.txt" "11${dots79}\n${x_repeat}\n${bar_1_5}\n${top}\n")
expect_answer(stuck_count "^1 0 -1 -1\n[0-3] 0 -1 -1\n1 0 -1 -1\n0 1 [0-9]+ [1-9]\n$"
              ${CLI} count "${WORK}/stuck.txt")
expect_answer(stuck_solve "^1 11\\.+\n[0-3] [.19]+\n1 \\.+15\\.+\n0 ${solved}\n$"
              ${CLI} solve "${WORK}/stuck.txt")
expect_answer(stuck_hint "^-\n-\n-\n[^-\n][^\n]*\n$" ${CLI} hint "${WORK}/stuck.txt")
string(REPEAT " 0" 17 no_counts)
expect_answer(stuck_rate "^0 -${no_counts}\n0 -${no_counts}\n0 -${no_counts}\n[1-9][0-9]* [^\n]+\n$"
              ${CLI} rate "${WORK}/stuck.txt")
set(nothing "[^\n]*\"count\":0,\"counters\":\\[0(,0)*\\],\"score\":0,\"rating_done\":0,\"rating_solutions\":0,\"steps\":\\[\\][^\n]*\n")
expect_answer(stuck_analyse "^${nothing}${nothing}${nothing}[^\n]*\"rating_done\":1[^\n]*\n$"
              ${CLI} analyse "${WORK}/stuck.txt")

# Usage errors.
expect_run(missing_file 2 ${CLI} count "${WORK}/does-not-exist.txt")
expect_run(no_argument 2 ${CLI} solve)
expect_run(unknown_command 2 ${CLI} frobnicate)
expect_run(help 0 ${CLI} --help)
expect_match(help_text "${OUT}" "count FILE")

# generate: bad options are usage errors; a seed repeats the puzzles whatever the jobs.
expect_run(generate_bad_difficulty 2 ${CLI} generate --difficulty impossible)
expect_run(generate_bad_count 2 ${CLI} generate --count zero)
expect_run(generate_bad_option 2 ${CLI} generate --colour blue)
expect_run(generate_missing_value 2 ${CLI} generate --seed)
expect_run(generate_one 0 ${CLI} generate --difficulty facile --count 3 --seed 5)
set(one "${OUT}")
expect_match(generate_lines "${one}" "^([1-9.]+\n)([1-9.]+\n)([1-9.]+\n)$")
expect_run(generate_two 0 ${CLI} generate --difficulty facile --count 3 --seed 5 --jobs 2)
if(NOT one STREQUAL OUT)
    message(FATAL_ERROR "generate: --jobs 2 changed the seeded puzzles\n${one}\n${OUT}")
endif()
expect_run(generate_variant 0 ${CLI} generate --variant oddeven --x --seed 2 --json)
expect_match(generate_json "${OUT}" "\"puzzle\":\"3x3:d:o:.*\"variant\":3,\"x\":1,.*\"score\":[0-9]+")

# The generated lines read back: each counts exactly one solution.
file(WRITE "${WORK}/generated.txt" "${one}")
expect_run(generate_count 0 ${CLI} count "${WORK}/generated.txt")
expect_match(generate_unique "${OUT}" "^0 1 [0-9]+ [1-9]\n0 1 [0-9]+ [1-9]\n0 1 [0-9]+ [1-9]\n$")

# top1465 and stats: a missing file is an error, a short one is said so.
expect_run(top_missing 1 ${CLI} top1465 "${WORK}/nothing.txt" --out "${WORK}/stats")
expect_run(top_short 1 ${CLI} top1465 "${WORK}/one.txt" --out "${WORK}/stats")
expect_match(top_short_message "${ERR}" "holds 1 complete puzzles, not 1465")
if(NOT EXISTS "${WORK}/stats/Top1465.txt")
    message(FATAL_ERROR "top1465 wrote no results file")
endif()
expect_run(stats_small 0 ${CLI} stats --count 20 --seed 3 --out "${WORK}/stats2")
file(READ "${WORK}/stats2/Statistiques.txt" results)
string(REGEX MATCHALL "\n" breaks "${results}")
list(LENGTH breaks n)
if(NOT n EQUAL 24) # header, blank, averages, blank, 20 rows
    message(FATAL_ERROR "stats: ${n} lines in the results file, expected 24")
endif()
expect_match(stats_rows "${results}" "\n20   [0-9]")

# show and save: puzzle files as the window opens and saves them.
string(SUBSTRING "${top}" 9 72 rest)
file(WRITE "${WORK}/framed.sku" " *-----------*\r\n |4..|.3.|...|\r\n not a digit: ${rest}\r\n")
expect_run(show_framed 0 ${CLI} show "${WORK}/framed.sku")
expect_match(show_framed_head "${OUT}" "^variant 0 [^\n]+\nx 0\nvalidity 0\n \\*-----------\\*\n \\|4\\.\\.\\|\\.3\\.\\|\\.\\.\\.\\|\n \\|\\.\\.\\.\\|6\\.\\.\\|8\\.\\.\\|\n")
set(record "3x3:d:o:260")
foreach(i RANGE 1 80)
    string(APPEND record ":0")
endforeach()
file(WRITE "${WORK}/oddeven.sku" "${record}:\r\n")
expect_run(show_oddeven 0 ${CLI} show "${WORK}/oddeven.sku")
expect_match(show_oddeven_out "${OUT}" "^variant 3 [^\n]+\nx 1\nvalidity 0\n \\*-----------\\*\n \\|4\\.\\.\\|.*\neven\nP\\.\\.\\.\\.\\.\\.\\.\\.\n")
expect_run(save_oddeven 0 ${CLI} save "${WORK}/oddeven.sku" "${WORK}/copy.sku")
expect_run(save_same_record 0 ${CMAKE_COMMAND} -E compare_files "${WORK}/oddeven.sku" "${WORK}/copy.sku")
file(WRITE "${WORK}/dup.sku" "44${top}")
expect_run(show_invalid 0 ${CLI} show "${WORK}/dup.sku")
expect_match(show_invalid_status "${OUT}" "\nvalidity 1 [^\n]+\n")
file(WRITE "${WORK}/bad.sku" "3x3: : :1:two:3:")
expect_run(show_bad_field 1 ${CLI} show "${WORK}/bad.sku")
expect_match(show_bad_field_message "${ERR}" "bad.sku: .+field 2")
expect_run(show_short 1 ${CLI} show "${WORK}/oddeven.sku.missing")
expect_run(save_bad_field 1 ${CLI} save "${WORK}/bad.sku" "${WORK}/never.sku")
if(EXISTS "${WORK}/never.sku")
    message(FATAL_ERROR "save wrote a file for a puzzle it could not read")
endif()
expect_run(save_nowhere 1 ${CLI} save "${WORK}/framed.sku" "${WORK}/no/such/folder/x.sku")
expect_run(save_usage 2 ${CLI} save "${WORK}/framed.sku")

# print and sheet: PDF pages (only when the tool was built with the print layouts).
execute_process(COMMAND ${CLI} help OUTPUT_VARIABLE help_text ERROR_VARIABLE help_err)
if("${help_text}${help_err}" MATCHES "sheet")
    expect_run(print_solution 0 ${CLI} print "${WORK}/framed.sku" --what solution --out "${WORK}/s.pdf")
    file(READ "${WORK}/s.pdf" pdf LIMIT 5)
    expect_match(print_is_pdf "${pdf}" "^%PDF")
    expect_run(print_bad_what 2 ${CLI} print "${WORK}/framed.sku" --what everything --out "${WORK}/t.pdf")
    expect_run(print_bad_file 1 ${CLI} print "${WORK}/bad.sku" --out "${WORK}/t.pdf")
    expect_run(print_no_out 2 ${CLI} print "${WORK}/framed.sku")
    expect_run(print_nowhere 1 ${CLI} print "${WORK}/framed.sku" --out "${WORK}/no/such/t.pdf")
    expect_run(sheet_ok 0 ${CLI} sheet --difficulty facile --variant oddeven --seed 5 --out "${WORK}/sheet.pdf")
    file(READ "${WORK}/sheet.pdf" pdf LIMIT 5)
    expect_match(sheet_is_pdf "${pdf}" "^%PDF")
    expect_run(sheet_count 2 ${CLI} sheet --count 3 --out "${WORK}/sheet.pdf")
    # --dpi: any resolution from 72 to 4800 dots per inch, nothing else.
    expect_run(print_dpi 0 ${CLI} print "${WORK}/framed.sku" --dpi 1200 --out "${WORK}/fine.pdf")
    file(READ "${WORK}/fine.pdf" pdf LIMIT 5)
    expect_match(print_dpi_is_pdf "${pdf}" "^%PDF")
    expect_run(sheet_dpi 0 ${CLI} sheet --seed 5 --dpi 600 --out "${WORK}/sheet600.pdf")
    expect_run(print_dpi_word 2 ${CLI} print "${WORK}/framed.sku" --dpi fine --out "${WORK}/t.pdf")
    expect_match(print_dpi_word_says "${ERR}" "--dpi")
    expect_run(print_dpi_low 2 ${CLI} print "${WORK}/framed.sku" --dpi 10 --out "${WORK}/t.pdf")
    expect_run(print_dpi_missing 2 ${CLI} print "${WORK}/framed.sku" --out "${WORK}/t.pdf" --dpi)
    expect_run(sheet_dpi_bad 2 ${CLI} sheet --dpi 300x --out "${WORK}/t.pdf")
    expect_run(generate_out 2 ${CLI} generate --out "${WORK}/x.txt")
endif()

# The engine commands start without loading any Qt library (the PDF commands
# are a program of their own).
execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_DEBUG=libs ${CLI} count "${WORK}/one.txt"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE loaded)
if(NOT status EQUAL 0 OR loaded MATCHES "libQt")
    message(FATAL_ERROR "count loaded Qt:\n${loaded}")
endif()

# --jobs: the same answers in the same order as one job.
file(STRINGS "${DATA}/top1465.txt" several LIMIT_COUNT 6)
list(APPEND several "${solved}")
list(JOIN several "\n" several)
file(WRITE "${WORK}/several.txt" "${several}\n")
foreach(command count rate analyse)
    expect_run(${command}_one_job 0 ${CLI} ${command} "${WORK}/several.txt")
    set(one "${OUT}")
    expect_run(${command}_jobs 0 ${CLI} ${command} --jobs 3 "${WORK}/several.txt")
    if(NOT one STREQUAL OUT OR one STREQUAL "")
        message(FATAL_ERROR "${command}: --jobs 3 changed the answers\n${one}\n${OUT}")
    endif()
endforeach()
expect_run(count_jobs_zero 2 ${CLI} count --jobs 0 "${WORK}/several.txt")
expect_run(rate_jobs_missing 2 ${CLI} rate "${WORK}/several.txt" --jobs)
expect_run(rate_two_files 2 ${CLI} rate "${WORK}/several.txt" "${WORK}/one.txt")

# A puzzle file in one of the window's layouts is read as the window opens it.
expect_run(count_one 0 ${CLI} count "${WORK}/one.txt")
set(one "${OUT}")
expect_run(count_framed 0 ${CLI} count "${WORK}/framed.sku")
if(NOT one STREQUAL OUT)
    message(FATAL_ERROR "count of a framed grid: '${OUT}', expected '${one}'")
endif()
foreach(command solve rate hint)
    expect_run(${command}_one 0 ${CLI} ${command} "${WORK}/one.txt")
    set(one "${OUT}")
    expect_run(${command}_framed 0 ${CLI} ${command} "${WORK}/framed.sku")
    if(NOT one STREQUAL OUT)
        message(FATAL_ERROR "${command} of a framed grid: '${OUT}', expected '${one}'")
    endif()
endforeach()

# A consecutive grid with two givens and seven bars has no solution, yet its
# trials would run for minutes: the search gives up after its budget. The line
# is reported with the reason and gets no answer, the valid line after it is
# answered, and the status is 1.
set(barred "3x3: :c:0:0:256:0:1:4:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1:5:5:4:0:0:0:0:0:0:0:0:0:2:0:0:2:0:0:0:1:4:8:0:0:8:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1280:")
file(WRITE "${WORK}/barred.txt" "${barred}\n${top}\n")
foreach(command count solve rate analyse hint)
    execute_process(COMMAND ${CLI} ${command} "${WORK}/barred.txt" TIMEOUT 60
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 1)
        message(FATAL_ERROR "barred ${command}: status '${status}', expected 1 within 60 s\n${out}\n${err}")
    endif()
    expect_match(barred_${command}_reason "${err}"
                 "^[^\n]*barred.txt:1: search abandoned after [0-9]+ trials: no answer within the budget\n$")
    expect_match(barred_${command}_answer "${out}" "^[^\n]+\n$")
endforeach()

# A list whose first line is a header (a title, a name, a date with its
# digits) is a list all the same: every puzzle is answered as in the list
# without the header, and the header is reported with its line number.
file(WRITE "${WORK}/plain.txt" "${top}\n${solved}\n")
foreach(header "# my 10 puzzles" "Puzzle 1" "2026-12-08 12:00")
    string(MAKE_C_IDENTIFIER "${header}" tag)
    file(WRITE "${WORK}/header.txt" "${header}\n${top}\n${solved}\n")
    foreach(command count solve rate analyse hint)
        expect_run(${command}_plain 0 ${CLI} ${command} "${WORK}/plain.txt")
        set(plain "${OUT}")
        expect_run(${command}_${tag} 1 ${CLI} ${command} "${WORK}/header.txt")
        if(NOT plain STREQUAL OUT)
            message(FATAL_ERROR "${command} after '${header}': '${OUT}', expected '${plain}'")
        endif()
        expect_match(${command}_${tag}_reported "${ERR}" "header.txt:1: ")
    endforeach()
endforeach()

# A bar marked on one of its two cells only is the same bar as one marked on
# both: every command answers the one-sided record as the two-sided one.
cmake_policy(SET CMP0007 NEW)

# Fails unless `solution` obeys every rule of the consecutive grid `record`
# (bars read from either of their two cells): each row, column and box holds
# 1..9, two cells across a bar differ by one, and two cells without a bar do
# not.
function(check_consecutive name record solution)
    string(REPLACE ":" ";" fields "${record}")
    list(SUBLIST fields 3 81 marks)
    foreach(unit RANGE 8)
        set(row "")
        set(column "")
        set(box "")
        foreach(k RANGE 8)
            math(EXPR r "${unit} * 9 + ${k}")
            math(EXPR c "${k} * 9 + ${unit}")
            math(EXPR b "(${unit} / 3) * 27 + (${unit} % 3) * 3 + (${k} / 3) * 9 + ${k} % 3")
            string(SUBSTRING "${solution}" ${r} 1 d)
            string(APPEND row "${d}")
            string(SUBSTRING "${solution}" ${c} 1 d)
            string(APPEND column "${d}")
            string(SUBSTRING "${solution}" ${b} 1 d)
            string(APPEND box "${d}")
        endforeach()
        foreach(d RANGE 1 9)
            foreach(cells "${row}" "${column}" "${box}")
                string(FIND "${cells}" "${d}" at)
                if(at EQUAL -1)
                    message(FATAL_ERROR "${name}: unit ${unit} lacks ${d} in ${solution}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    foreach(cell RANGE 80)
        list(GET marks ${cell} mark)
        string(SUBSTRING "${solution}" ${cell} 1 here)
        # Right: bit 1 here or bit 4 on the right; down: bit 2 here or bit 8 below.
        foreach(step 1 9)
            math(EXPR other "${cell} + ${step}")
            math(EXPR column "${cell} % 9")
            if(other GREATER 80 OR (step EQUAL 1 AND column EQUAL 8))
                continue()
            endif()
            list(GET marks ${other} across)
            if(step EQUAL 1)
                math(EXPR bar "(${mark} & 1) | ((${across} >> 2) & 1)")
            else()
                math(EXPR bar "((${mark} >> 1) & 1) | ((${across} >> 3) & 1)")
            endif()
            string(SUBSTRING "${solution}" ${other} 1 there)
            math(EXPR apart "${here} - ${there}")
            set(by_one 0)
            if(apart EQUAL 1 OR apart EQUAL -1)
                set(by_one 1)
            endif()
            if(NOT bar EQUAL by_one)
                message(FATAL_ERROR "${name}: cells ${cell} and ${other} (bar ${bar}) hold ${here} and ${there}")
            endif()
        endforeach()
    endforeach()
endfunction()
execute_process(COMMAND ${CLI} generate --variant consecutive --count 3 --seed 5
                RESULT_VARIABLE status OUTPUT_VARIABLE barred_lines)
string(REGEX MATCHALL "[^\n]+" barred_lines "${barred_lines}")
set(both "")
set(one_sided "")
foreach(line IN LISTS barred_lines)
    string(REPLACE ":" ";" fields "${line}")
    list(SUBLIST fields 3 81 values)
    set(stripped "3x3: :c")
    foreach(value IN LISTS values)
        math(EXPR value "${value} & ~12") # the marks towards the left and up gone
        string(APPEND stripped ":${value}")
    endforeach()
    string(APPEND both "${line}\n")
    string(APPEND one_sided "${stripped}:\n")
endforeach()
if(both STREQUAL one_sided)
    message(FATAL_ERROR "the generated grids carry no bar to take away")
endif()
file(WRITE "${WORK}/both.txt" "${both}")
file(WRITE "${WORK}/one_sided.txt" "${one_sided}")
foreach(command count solve rate hint)
    expect_run(${command}_both 0 ${CLI} ${command} "${WORK}/both.txt")
    set(expected "${OUT}")
    expect_run(${command}_one_sided 0 ${CLI} ${command} "${WORK}/one_sided.txt")
    if(NOT expected STREQUAL OUT)
        message(FATAL_ERROR "${command} of one-sided bars: '${OUT}', expected '${expected}'")
    endif()
endforeach()
# analyse names the puzzle as given; the rest of its answer is the same.
expect_run(analyse_both 0 ${CLI} analyse "${WORK}/both.txt")
string(REGEX REPLACE "\"puzzle\":\"[^\"]*\"" "" expected "${OUT}")
expect_run(analyse_one_sided 0 ${CLI} analyse "${WORK}/one_sided.txt")
string(REGEX REPLACE "\"puzzle\":\"[^\"]*\"" "" answered "${OUT}")
if(NOT expected STREQUAL answered)
    message(FATAL_ERROR "analyse of one-sided bars: '${answered}', expected '${expected}'")
endif()
# Each printed solution, of solve and of analyse, obeys every rule.
string(REGEX MATCHALL "[^\n]+" records "${one_sided}")
string(REGEX MATCHALL "\"solution\":\"[0-9]+\"" analysed "${OUT}")
expect_run(solve_one_sided 0 ${CLI} solve "${WORK}/one_sided.txt")
string(REGEX MATCHALL "[0-9]+\n" solved_lines "${OUT}")
foreach(k RANGE 2)
    list(GET records ${k} record)
    list(GET analysed ${k} solution)
    string(REGEX MATCH "[0-9]+" solution "${solution}")
    check_consecutive(analyse_one_sided_${k} "${record}" "${solution}")
    list(GET solved_lines ${k} solution)
    string(STRIP "${solution}" solution)
    check_consecutive(solve_one_sided_${k} "${record}" "${solution}")
endforeach()
# solve --logic: the path of the logical solver, one step a line, then the grid
# reached. Five cells left open fall to singles.
set(five ".689.15277.162483939.578461134.56298289413675675289314846192753513867942927345186")
file(WRITE "${WORK}/five.txt" "${five}\n")
expect_run(logic_five 0 ${CLI} solve --logic "${WORK}/five.txt")
expect_match(logic_five_out "${OUT}"
             "^(L[1-9]C[1-9] = [1-9]: (naked|hidden) single[a-z0-9 ]*\n)+${solved}\n$")
# A grid whose four open cells make a rectangle of two digits has two
# solutions: logic stops there, says why, and the status is 1.
set(two "4689.15.77516.48.9392578461134756298289413675675289314846192753513867942927345186")
file(WRITE "${WORK}/two.txt" "${two}\n")
expect_run(logic_two 1 ${CLI} solve --logic "${WORK}/two.txt")
expect_match(logic_two_out "${OUT}" "^[.1-9]+\nstopped at 77 filled cells: the puzzle has several solutions")
# With the single-digit patterns alone the hard puzzle stops short: where and
# why, status 1.
expect_run(logic_patterns 1 ${CLI} solve --logic --techniques patterns "${WORK}/mixed.txt")
expect_match(logic_patterns_out "${OUT}"
             "\n[.1-9]+\nstopped at [0-9]+ filled cells: no technique of the catalogue applies\n")
expect_run(logic_unknown_family 2 ${CLI} solve --logic --techniques patterns,nothing "${WORK}/five.txt")
expect_run(techniques_alone 2 ${CLI} hint --techniques fish "${WORK}/five.txt")
# hint --advanced and analyse --advanced: JSON with the step named.
expect_run(hint_advanced 0 ${CLI} hint --advanced "${WORK}/five.txt")
expect_match(hint_advanced_out "${OUT}" "^{\"puzzle\":\"${five}\",\"step\":{\"technique\":1,\"name\":\"naked single\",")
file(WRITE "${WORK}/full.txt" "${solved}\n")
expect_run(hint_advanced_full 0 ${CLI} hint --advanced "${WORK}/full.txt")
expect_match(hint_advanced_full_out "${OUT}" "\"step\":null}\n$")
expect_run(analyse_advanced 0 ${CLI} analyse --advanced "${WORK}/five.txt")
expect_match(analyse_advanced_out "${OUT}" "\"stop\":\"solved\".*\"grid\":\"${solved}\"}\n$")
# rate --scale: ER/EP/ED and the hardest step for each puzzle; lines of a rated
# collection are read with their rating left aside; the same answers on two
# jobs; a full grid and a grid without a single solution get "-"; other text after the cells
# is still refused.
file(STRINGS "${DATA}/exchange_diabolical_rated.txt" rated LIMIT_COUNT 4)
string(REPLACE ";" "\n" rated_text "${rated}")
file(WRITE "${WORK}/rated.txt" "${rated_text}\n${solved}\n1.........1......................................................................\n")
expect_run(rate_scale 0 ${CLI} rate --scale "${WORK}/rated.txt")
set(scale_line "[0-9]\\.[0-9]/[0-9]\\.[0-9]/[0-9]\\.[0-9] [A-Z][^\n]+\n")
expect_match(rate_scale_lines "${OUT}" "^${scale_line}${scale_line}${scale_line}${scale_line}-\n-\n$")
set(scale_one "${OUT}")
expect_run(rate_scale_jobs 0 ${CLI} rate --jobs 2 --scale "${WORK}/rated.txt")
if(NOT OUT STREQUAL scale_one)
    message(FATAL_ERROR "rate --scale: --jobs 2 changed the answers\n${scale_one}\n${OUT}")
endif()
expect_run(rate_rated_lines 0 ${CLI} rate "${WORK}/rated.txt")
file(WRITE "${WORK}/trailing.txt" "${top}\n${top} seven\n")
expect_run(rate_trailing_text 1 ${CLI} rate --scale "${WORK}/trailing.txt")
expect_match(rate_trailing_reason "${ERR}" "trailing.txt:2: expected 81 cells, found 87 characters")

# generate --difficulty diabolique: a puzzle whose ER lies from 6.0 to 7.9.
expect_run(generate_diabolique 0 ${CLI} generate --difficulty diabolique --seed 4)
file(WRITE "${WORK}/diabolique.txt" "${OUT}")
expect_run(rate_diabolique 0 ${CLI} rate --scale "${WORK}/diabolique.txt")
expect_match(diabolique_er "${OUT}" "^[67]\\.[0-9]/")
