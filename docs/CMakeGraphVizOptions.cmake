# Options for `cmake --graphviz` (copy into the build folder): the
# project's libraries and the program, without tests, tools and Qt.
set(GRAPHVIZ_GRAPH_NAME "Zentro libraries")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^tst_" "^bench_" "^floor_" "^zentro_bench$" "^make_emoticons$")
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
