// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of controls the table is built from: panels with a bevel (some of
// them push buttons), card pictures and flat tool-bar buttons.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QToolButton>
#include <QWidget>

#include "contract/controls.h"

namespace brisko {

// Colours as the game keeps them: low byte red, then green, then blue.
QColor toQColor(Colour colour);
Colour fromQColor(const QColor& colour);

// A captioned, coloured panel with a raised or lowered bevel. A push-button
// panel sinks while pressed and reports a click released over it.
class Panel : public QLabel {
    Q_OBJECT

  public:
    enum class Bevel { None, Raised, Lowered, Framed };

    explicit Panel(QWidget* parent = nullptr);
    void setBevel(Bevel bevel);
    Bevel bevel() const { return bevel_; }
    void setPushButton(bool on) { pushButton_ = on; }
    bool isPushButton() const { return pushButton_; }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void showBevel(bool pressed);

    Bevel bevel_ = Bevel::Raised;
    bool pushButton_ = false;
    bool pressed_ = false;
};

// A card slot's picture: shows the last card drawn into it, reports clicks.
class CardPicture : public QWidget {
    Q_OBJECT

  public:
    explicit CardPicture(QWidget* parent = nullptr);
    void setPixmap(const QPixmap& pixmap);
    const QPixmap& pixmap() const { return pixmap_; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap pixmap_;
    bool pressed_ = false;
};

// The caption of a label or a button.
void setText(QWidget* widget, const QString& text);
// The background colour of a control, painted by the control itself.
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);
// A font given by family, pixel height and weight at design size.
void setDesignFont(QWidget* widget, const QString& family, int pixels, bool bold);
// Where the control sits at design size, in its parent.
void setDesignGeometry(QWidget* widget, const QRect& rect);
QRect designGeometry(const QWidget* widget);

// Scales every child of `root` that has a design geometry or font from the
// 800-pixel design to the reference width m: positions, sizes and font
// heights multiplied by m / 800 and rounded to the nearest pixel.
void scaleWidgets(QWidget* root, int m);

}  // namespace brisko
