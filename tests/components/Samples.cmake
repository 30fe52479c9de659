# Views as the main window sets them up and a sample channel, for the tests, the sample render
# and the benchmarks (which include this file themselves in a build without the tests).
dsp_library(components_samples
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ComponentSamples.cpp
  PUBLIC_DEPS components model widgets_styled artwork_resources
)
