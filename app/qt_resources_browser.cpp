// Qt's widgets register the styles' icons when the application starts. The
// browser build leaves those icons out (CMakeLists.txt beside this file), so
// registering them is a step with nothing to do.
int qInitResources_qstyle() { return 1; }
