# The tests' private print server: a cupsd of its own with the queues "Office", "Label" and
# "Office-Filtered" (whose jobs run the normal filter chain, pdftopdf) (PPDs in ppd/),
# listening only on a socket of its own (in its run folder, below) and printing to files that
# the tests read back. It is a CTest fixture: the first test that needs it starts it, the
# last one's end stops it. Never the machine's own print server.
#
#   vant_cups_tests(TARGET)
# discovers the gtest TARGET's tests as users of the fixture, one at a time (the queues'
# files are shared), with the environment that points libcups and the lp tools at it:
#   CUPS_SERVER       the socket
#   CUPS_SERVERROOT   the server's configuration directory (no client.conf, no lpoptions
#                     of the machine's)
#   VANT_CUPS_OUTPUT  the directory holding QUEUE.pdf, the last job each queue printed
#   HOME              an empty home, so that no lpoptions of the user's (~/.cups/lpoptions,
#                     say a default another queue) changes what the tests' clients see
# LPDEST and PRINTER are removed, so that the server's default destination is "Office".
#
# The C++ helpers of vant_cups_test_support (cups_test_queues.h) wait for jobs, read their
# attributes and fetch the files the queues wrote; pdf_inspect.h reads PDFs with poppler.

set(VANT_CUPS_HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR})
# The server's files (configuration, spool, logs, socket, the queues' files) live in a
# folder of /tmp named after the build tree, not in the build tree: the filters run as user
# lp, which must read the spool, the PPDs and the harness's own filter even when the
# checkout lies in a folder that only its owner may enter (root's /root is 0700).
# start_cupsd.sh makes it anew for every run; the logs stay there after the run.
string(SHA256 build_tree_digest "${PROJECT_BINARY_DIR}")
string(SUBSTRING "${build_tree_digest}" 0 16 build_tree_digest)
set(VANT_CUPS_RUN_DIR /tmp/vant-cups-${build_tree_digest} CACHE PATH
    "The private print server's folder: world-traversable, outside any folder closed to user lp")

find_program(VANT_CUPSD cupsd PATHS /usr/sbin REQUIRED)
find_program(VANT_LPADMIN lpadmin PATHS /usr/sbin REQUIRED)
find_program(VANT_PDFINFO pdfinfo REQUIRED)
find_program(VANT_PDFTOPPM pdftoppm REQUIRED)
find_program(VANT_PDFTOTEXT pdftotext REQUIRED)

add_test(NAME vant_cupsd_start
  COMMAND sh ${VANT_CUPS_HARNESS_DIR}/start_cupsd.sh ${VANT_CUPS_RUN_DIR} ${VANT_CUPS_HARNESS_DIR})
set_tests_properties(vant_cupsd_start PROPERTIES FIXTURES_SETUP vant_cupsd TIMEOUT 60)
add_test(NAME vant_cupsd_stop
  COMMAND sh ${VANT_CUPS_HARNESS_DIR}/stop_cupsd.sh ${VANT_CUPS_RUN_DIR})
set_tests_properties(vant_cupsd_stop PROPERTIES FIXTURES_CLEANUP vant_cupsd TIMEOUT 30)

add_library(vant_cups_test_support STATIC
  ${VANT_CUPS_HARNESS_DIR}/cups_test_queues.cpp
  ${VANT_CUPS_HARNESS_DIR}/job_media.cpp
  ${VANT_CUPS_HARNESS_DIR}/pdf_inspect.cpp
  ${VANT_CUPS_HARNESS_DIR}/server_proxy.cpp
  ${VANT_CUPS_HARNESS_DIR}/shell_command.cpp
  ${VANT_CUPS_HARNESS_DIR}/zbar_decode.cpp
)
target_include_directories(vant_cups_test_support PUBLIC ${VANT_CUPS_HARNESS_DIR} ${CUPS_INCLUDE_DIR})
target_link_libraries(vant_cups_test_support PUBLIC ${CUPS_LIBRARY} PRIVATE vant_warnings)
target_compile_definitions(vant_cups_test_support PRIVATE
  VANT_PDFINFO="${VANT_PDFINFO}" VANT_PDFTOPPM="${VANT_PDFTOPPM}" VANT_PDFTOTEXT="${VANT_PDFTOTEXT}")

set(VANT_CUPS_TEST_ENV
  CUPS_SERVER=${VANT_CUPS_RUN_DIR}/socket/cups.sock
  CUPS_SERVERROOT=${VANT_CUPS_RUN_DIR}/etc
  VANT_CUPS_OUTPUT=${VANT_CUPS_RUN_DIR}/out
  HOME=${VANT_CUPS_RUN_DIR}/home)

# vant_server_tests(TARGET NAME FIXTURES f... LOCK lock ENV var=value... [TIMEOUT s]):
# discovers the gtest TARGET's tests as users of the fixtures, one at a time under the lock,
# with the environment given (LPDEST and PRINTER removed).
function(vant_server_tests target name)
  cmake_parse_arguments(PARSE_ARGV 2 server "" "LOCK;TIMEOUT" "FIXTURES;ENV")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 TEST_LIST ${target}_${name}_TESTS)
  # The discovered tests exist only when ctest reads the directory's test files, and list
  # values do not survive gtest_discover_tests' PROPERTIES: a test file of our own, read
  # after the discovered ones, gives them the fixture and the environment. (A target not
  # built yet has no list: its placeholder test fails on its own.)
  set(timeout "")
  if(DEFINED server_TIMEOUT)
    set(timeout "TIMEOUT ${server_TIMEOUT}")
  endif()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}_properties.cmake)
  file(GENERATE OUTPUT ${script} CONTENT
"if(DEFINED ${target}_${name}_TESTS AND NOT \"\${${target}_${name}_TESTS}\" STREQUAL \"\")
  set_tests_properties(\${${target}_${name}_TESTS} PROPERTIES
    FIXTURES_REQUIRED \"${server_FIXTURES}\"
    RESOURCE_LOCK ${server_LOCK}
    ${timeout}
    ENVIRONMENT \"${server_ENV}\"
    ENVIRONMENT_MODIFICATION \"LPDEST=unset:;PRINTER=unset:\")
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

function(vant_cups_tests target)
  vant_server_tests(${target} CUPS FIXTURES vant_cupsd LOCK vant_cupsd_queues ENV ${VANT_CUPS_TEST_ENV})
endfunction()
