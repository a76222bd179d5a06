// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QVariant>

#include "ui/scaling.h"

namespace brisko {

namespace {

constexpr const char* kDesignRect = "designRect";
constexpr const char* kDesignFontPixels = "designFontPixels";

}  // namespace

QColor toQColor(Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

Colour fromQColor(const QColor& colour) {
    return rgb(uint32_t(colour.red()), uint32_t(colour.green()), uint32_t(colour.blue()));
}

Panel::Panel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    showBevel(false);
}

void Panel::setBevel(Bevel bevel) {
    bevel_ = bevel;
    showBevel(false);
}

void Panel::showBevel(bool pressed) {
    switch (bevel_) {
        case Bevel::None:
            setFrameStyle(QFrame::NoFrame);
            break;
        case Bevel::Raised:
            setFrameStyle(QFrame::Panel | (pressed ? QFrame::Sunken : QFrame::Raised));
            break;
        case Bevel::Lowered:
            setFrameStyle(QFrame::Panel | QFrame::Sunken);
            break;
        case Bevel::Framed:
            setFrameStyle(QFrame::Box | QFrame::Sunken);
            break;
    }
    setLineWidth(1);
}

void Panel::mousePressEvent(QMouseEvent* event) {
    if (!pushButton_ || event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    showBevel(true);
    event->accept();
}

void Panel::mouseReleaseEvent(QMouseEvent* event) {
    if (!pushButton_ || event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    showBevel(false);
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint())) emit clicked();
}

CardPicture::CardPicture(QWidget* parent) : QWidget(parent) {}

void CardPicture::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    update();
}

void CardPicture::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

void CardPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    event->accept();
}

void CardPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_ && event->button() == Qt::LeftButton;
    pressed_ = false;
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint())) emit clicked();
}

void setText(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    // A disabled control keeps the style's greyed text.
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    widget->setPalette(palette);
}

void setDesignFont(QWidget* widget, const QString& family, int pixels, bool bold) {
    QFont font = widget->font();
    font.setFamily(family);
    font.setBold(bold);
    font.setPixelSize(pixels);
    widget->setFont(font);
    widget->setProperty(kDesignFontPixels, pixels);
}

void setDesignGeometry(QWidget* widget, const QRect& rect) {
    widget->setProperty(kDesignRect, rect);
    widget->setGeometry(rect);
}

QRect designGeometry(const QWidget* widget) {
    return widget->property(kDesignRect).toRect();
}

void scaleWidgets(QWidget* root, int m) {
    auto length = [m](int design) {
        return static_cast<int>(roundHalfEven(int64_t{design} * m, kDesignWidth));
    };
    auto scaleOne = [&](QWidget* w) {
        const QVariant rect = w->property(kDesignRect);
        if (rect.isValid()) {
            const QRect r = rect.toRect();
            w->setGeometry(length(r.x()), length(r.y()), length(r.width()), length(r.height()));
        }
        const QVariant pixels = w->property(kDesignFontPixels);
        if (pixels.isValid()) {
            QFont font = w->font();
            font.setPixelSize(std::max(1, length(pixels.toInt())));
            w->setFont(font);
        }
    };
    scaleOne(root);
    for (QWidget* w : root->findChildren<QWidget*>()) scaleOne(w);
}

}  // namespace brisko
