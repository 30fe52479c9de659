# The program's splash as its main window sets it up (its picture the resource the artwork
# generator drew) and sample pictures and pages, for the tests, the sample renders and the
# benchmark (which includes this file itself in a build without the tests).
dsp_library(styled_samples
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SplashSamples.cpp ${CMAKE_CURRENT_LIST_DIR}/StyledTestSupport.cpp
  PUBLIC_DEPS widgets_styled artwork_resources
)
