# Run by CTest as it starts: registers one test per Google Test suite of an executable, which runs
# the suite's cases in one process. The cases of a suite share what a process costs under the
# sanitizers (loading the program, the sanitizers' set-up and their leak check at exit), which for
# most cases was more than the case itself; a suite still fails on its own, and its output names
# the failing case. Tests are named "<executable>:<suite>" ("kitchen_tests:PantryTest"); one case
# runs through the executable's --gtest_filter.
#
# Set before including: corvane_suites_executable, corvane_suites_name (the executable's target,
# whose list of tests is left in <name>_TESTS), corvane_suites_directory (the working directory),
# corvane_suites_environment, corvane_suites_case_timeout (seconds per case; a suite gets the sum).
execute_process(COMMAND "${corvane_suites_executable}" --gtest_list_tests
    WORKING_DIRECTORY "${corvane_suites_directory}"
    TIMEOUT 60
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE listing_errors
    RESULT_VARIABLE listing_result)
set(${corvane_suites_name}_TESTS "")
if(NOT listing_result EQUAL 0)
    # A test that fails with the listing's own error, instead of a suite that silently has none.
    add_test(${corvane_suites_name}_NOT_LISTED "${corvane_suites_executable}" --gtest_list_tests)
    list(APPEND ${corvane_suites_name}_TESTS ${corvane_suites_name}_NOT_LISTED)
    return()
endif()

# Only suite names are needed: parameter values printed after the cases may hold list separators
# or brackets, which are taken out before the listing is split into lines.
string(REPLACE ";" " " listing "${listing}")
string(REPLACE "[" " " listing "${listing}")
string(REPLACE "]" " " listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
set(suites "")
foreach(line IN LISTS listing)
    if(line MATCHES "^([^ ]+)\\.( +#.*)?$")
        set(suite "${CMAKE_MATCH_1}")
        list(APPEND suites "${suite}")
        set(cases_${suite} 0)
    elseif(line MATCHES "^  [^ ]" AND DEFINED suite)
        math(EXPR cases_${suite} "${cases_${suite}} + 1")
    endif()
endforeach()

foreach(suite IN LISTS suites)
    # Named after the executable too: a suite may share its name with another program's test.
    set(test "${corvane_suites_name}:${suite}")
    math(EXPR timeout "${cases_${suite}} * ${corvane_suites_case_timeout}")
    add_test("${test}" "${corvane_suites_executable}" "--gtest_filter=${suite}.*")
    set_tests_properties("${test}" PROPERTIES
        WORKING_DIRECTORY "${corvane_suites_directory}"
        TIMEOUT ${timeout}
        # Until CTest has timed a run, the suites with the most cases start first.
        COST ${cases_${suite}}
        ENVIRONMENT "${corvane_suites_environment}")
    list(APPEND ${corvane_suites_name}_TESTS "${test}")
endforeach()
