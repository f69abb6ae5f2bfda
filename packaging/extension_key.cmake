# The organisation's extension key and the Chromium id that follows from it, known before
# the program is configured: the packaged vant names that id when it registers the host.
# The key is created here when it does not exist (RSA 2048, readable by its owner only).
set(VANT_EXTENSION_KEY ${PROJECT_BINARY_DIR}/extension-key/extension.pem CACHE FILEPATH
    "The organisation's extension signing key (PEM); created by the build when missing")
find_program(VANT_OPENSSL openssl REQUIRED)
if(NOT EXISTS ${VANT_EXTENSION_KEY})
  get_filename_component(key_folder ${VANT_EXTENSION_KEY} DIRECTORY)
  file(MAKE_DIRECTORY ${key_folder})
  execute_process(COMMAND sh -c "umask 077 && '${VANT_OPENSSL}' genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out '${VANT_EXTENSION_KEY}'"
                  RESULT_VARIABLE made ERROR_VARIABLE why)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "Cannot create the extension key ${VANT_EXTENSION_KEY}: ${why}")
  endif()
  message(STATUS "Created the extension key ${VANT_EXTENSION_KEY} (keep it for later versions)")
endif()
# The public half is written in the build tree, whichever folder the key is kept in.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/extension-key)
set(public_der ${PROJECT_BINARY_DIR}/extension-key/public.der)
execute_process(COMMAND ${VANT_OPENSSL} pkey -in ${VANT_EXTENSION_KEY} -pubout -outform DER -out ${public_der}
                RESULT_VARIABLE read ERROR_VARIABLE why)
if(NOT read EQUAL 0)
  message(FATAL_ERROR "Cannot read the extension key ${VANT_EXTENSION_KEY}: ${why}")
endif()
# The id: the first 32 hex digits of the SHA-256 of the public key, 0-f written as a-p.
file(SHA256 ${public_der} digest)
set(id "")
foreach(i RANGE 0 31)
  string(SUBSTRING "${digest}" ${i} 1 digit)
  string(FIND "0123456789abcdef" "${digit}" value)
  string(SUBSTRING "abcdefghijklmnop" ${value} 1 letter)
  string(APPEND id "${letter}")
endforeach()
set(VANT_CHROMIUM_EXTENSION_ID ${id} CACHE STRING "Chromium/Chrome extension id allowed to start the native host" FORCE)
message(STATUS "Extension id of the package: ${id}")
