// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

namespace brisko {

void QtDialogs::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, title_, text);
}

bool QtDialogs::yesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, title_, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtDialogs::chooseColour(QColorDialog& chooser, const QColor& current, QColor& chosen) {
    chooser.setCurrentColor(current);
    if (chooser.exec() != QDialog::Accepted) return false;
    chosen = chooser.selectedColor();
    return chosen.isValid();
}

}  // namespace brisko
