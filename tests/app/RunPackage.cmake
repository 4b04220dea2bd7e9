# Unpacks the zip that tools/package made into a fresh folder and runs the
# PackagedProgram test of test_app on it (which starts the unpacked program).
#   cmake -DZIP=... -DFOLDER=... -DWINE_RUN=... -DPREFIX=... -DTEST_PROGRAM=... -P RunPackage.cmake
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "${ZIP} is missing: tools/package makes it")
endif()
file(REMOVE_RECURSE "${FOLDER}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${FOLDER}")

# Wine sees the Linux root as drive Z:.
string(REPLACE "/" "\\" windows_folder "Z:${FOLDER}")
set(ENV{KX_PACKAGE_DIR} "${windows_folder}")
execute_process(COMMAND "${WINE_RUN}" --prefix "${PREFIX}" --test "${TEST_PROGRAM}"
                        --gtest_filter=PackagedProgram.* --gtest_color=no
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(REMOVE_RECURSE "${FOLDER}")
message("${output}")
# A skipped test also ends with 0: it must have run.
if(NOT result EQUAL 0 OR NOT output MATCHES "\\[       OK \\] PackagedProgram\\.")
  message(FATAL_ERROR "the packaged program's test failed or did not run (${result})")
endif()
