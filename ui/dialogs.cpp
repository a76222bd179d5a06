// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSpacerItem>

namespace brisko {

QMessageBox* plainMessageBox(QWidget* parent, const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    // A title bar also holds the window's icon and three buttons or so.
    const QFontMetrics metrics(box->font());
    const int room = metrics.horizontalAdvance(title) + 8 * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

void QtDialogs::message(QWidget* parent, const QString& text) {
    // The box goes with its parent, should that be closed under it.
    const QPointer<QMessageBox> box = plainMessageBox(parent, title_, text);
    box->exec();
    delete box;
}

bool QtDialogs::yesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, title_, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtDialogs::yesNoDefaultNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, title_, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::chooseColour(QColorDialog& chooser, const QColor& current, QColor& chosen) {
    chooser.setCurrentColor(current);
    if (chooser.exec() != QDialog::Accepted) return false;
    chosen = chooser.selectedColor();
    return chosen.isValid();
}

}  // namespace brisko
