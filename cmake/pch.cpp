// The source the shared precompiled header is built with (ZentroCommon.cmake).
