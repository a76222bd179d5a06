// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the game's start: a bare Qt main window, shown at once.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    return QApplication::exec();
}
