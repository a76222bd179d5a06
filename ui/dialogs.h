// SPDX-License-Identifier: GPL-3.0-or-later
// The modal boxes the window opens, behind one seam so that tests can answer
// them without a modal loop.
#pragma once

#include <QColor>
#include <QString>
#include <utility>

class QColorDialog;
class QMessageBox;
class QWidget;

namespace brisko {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A plain box with an OK button, titled with the application's title.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // Yes and No; true on Yes.
    virtual bool yesNo(QWidget* parent, const QString& question) = 0;
    // Yes and No, No being the default button and the answer of Enter.
    virtual bool yesNoDefaultNo(QWidget* parent, const QString& question) {
        return yesNo(parent, question);
    }
    // The colour chooser, starting at `current`; false when cancelled.
    virtual bool chooseColour(QColorDialog& chooser, const QColor& current, QColor& chosen) = 0;
};

// A plain message box: the text and OK, no icon, and room enough for the
// whole of its title in a window manager's title bar.
QMessageBox* plainMessageBox(QWidget* parent, const QString& title, const QString& text);

// The toolkit's own boxes, titled `title`.
class QtDialogs final : public Dialogs {
  public:
    explicit QtDialogs(QString title) : title_(std::move(title)) {}
    void message(QWidget* parent, const QString& text) override;
    bool yesNo(QWidget* parent, const QString& question) override;
    bool yesNoDefaultNo(QWidget* parent, const QString& question) override;
    bool chooseColour(QColorDialog& chooser, const QColor& current, QColor& chosen) override;

  private:
    QString title_;
};

}  // namespace brisko
