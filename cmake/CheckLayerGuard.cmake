# Builds the layer probe, whose every source names a Gui or Widgets header, and passes when
# the guard stopped each one of them: cmake -DBUILD=<build folder> -DEXPECTED=<sources> -P ...
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target pictavo_layer_probe -- -k 0
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
string(REGEX MATCHALL "error: #error \"Qt[A-Za-z]+ is not for logic code" stopped "${out}${err}")
list(LENGTH stopped count)
if(result EQUAL 0 OR NOT count EQUAL EXPECTED)
  message(FATAL_ERROR "the layering guard stopped ${count} of ${EXPECTED} probes:\n${out}${err}")
endif()
message(STATUS "the layering guard stopped all ${count} probes")
