# The printers the driver tests print on (start_driver_servers.sh): a second private cupsd
# in the private server's run directory, with queues on CUPS's sample drivers and their
# twins, reached on its socket and on a loopback TCP port, and a driverless IPP Everywhere
# printer with its queue. A CTest fixture after the private server's own, which empties
# the run directory as it starts.
#
#   vant_driver_tests(TARGET)
# discovers the gtest TARGET's tests as users of the fixture, one at a time, with
#   CUPS_SERVER       the drivers' server's socket
#   CUPS_SERVERROOT   its configuration directory
#   VANT_CUPS_OUTPUT  the directory of its queues' files (QUEUE.pdf, jobs/)
#   VANT_DRIVERS_DIR  its run directory (tcp-port, eve-port, eve/spool)
#   HOME              a home of their own there: a user's saved options (lpoptions) that a
#                     test writes never reach the tests of the other server
# and the shipped fonts and Qt's offscreen platform.

find_program(VANT_IPPEVEPRINTER ippeveprinter PATHS /usr/sbin REQUIRED)
find_program(VANT_IPPTOOL ipptool REQUIRED)
find_program(VANT_DBUS_DAEMON dbus-daemon REQUIRED)
find_program(VANT_GS gs REQUIRED)

set(VANT_DRIVERS_DIR ${VANT_CUPS_RUN_DIR}/drivers)
add_test(NAME vant_drivers_start
  COMMAND sh ${VANT_CUPS_HARNESS_DIR}/start_driver_servers.sh ${VANT_CUPS_RUN_DIR} ${VANT_CUPS_HARNESS_DIR})
set_tests_properties(vant_drivers_start PROPERTIES
  FIXTURES_SETUP vant_drivers FIXTURES_REQUIRED vant_cupsd TIMEOUT 120)
add_test(NAME vant_drivers_stop
  COMMAND sh ${VANT_CUPS_HARNESS_DIR}/stop_driver_servers.sh ${VANT_CUPS_RUN_DIR})
set_tests_properties(vant_drivers_stop PROPERTIES FIXTURES_CLEANUP vant_drivers TIMEOUT 30)

set(VANT_DRIVERS_TEST_ENV
  CUPS_SERVER=${VANT_DRIVERS_DIR}/socket/cups.sock
  CUPS_SERVERROOT=${VANT_DRIVERS_DIR}/etc
  VANT_CUPS_OUTPUT=${VANT_DRIVERS_DIR}/out
  VANT_DRIVERS_DIR=${VANT_DRIVERS_DIR}
  HOME=${VANT_DRIVERS_DIR}/home
  VANT_GS=${VANT_GS}
  VANT_BINARY=$<TARGET_FILE:vant>
  QT_QPA_PLATFORM=offscreen
  FONTCONFIG_FILE=${PROJECT_BINARY_DIR}/fonts/vant-fonts.conf)

function(vant_driver_tests target)
  vant_server_tests(${target} DRIVER FIXTURES vant_cupsd vant_drivers LOCK vant_drivers_queues
                    TIMEOUT 300 ENV ${VANT_DRIVERS_TEST_ENV})
endfunction()
