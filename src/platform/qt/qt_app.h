// Starting Qt for the vant command: the shipped font configuration, a platform plugin
// that needs no display for the headless verbs, the application object.
#pragma once

#include <QGuiApplication>

#include <memory>

namespace vant::qt {

// Points FONTCONFIG_FILE at the shipped configuration (throws std::runtime_error when it
// cannot be found), selects the offscreen platform unless windowed, and creates the
// application: a QApplication (widgets) when windowed, a QGuiApplication otherwise.
// argc and argv must outlive the application, as Qt requires. Only one application may
// exist at a time; a second start throws std::logic_error.
std::unique_ptr<QGuiApplication> StartQt(int& argc, char** argv, bool windowed);

}  // namespace vant::qt
