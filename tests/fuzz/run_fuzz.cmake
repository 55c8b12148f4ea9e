# Runs one fuzz target for ctest: a fresh corpus in the build tree seeded from the one in the
# repository, so that every run takes about the same time and the repository stays as it is.
#   cmake -DTARGET=<program> -DOPTIONS=<a|b|...> -DFOUND=<dir> -DSEEDS=<dir> -DCRASHES=<dir>
#         -P run_fuzz.cmake
string(REPLACE "|" ";" options "${OPTIONS}")
file(REMOVE_RECURSE "${FOUND}")
file(MAKE_DIRECTORY "${FOUND}" "${CRASHES}")
execute_process(COMMAND "${TARGET}" ${options} "-artifact_prefix=${CRASHES}/" "${FOUND}" "${SEEDS}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TARGET} failed (${status}); its input is in ${CRASHES}")
endif()
